// Map overlays: ATC boundaries, runway labels and the approach pattern, FIX
// INFO circles, the holding pattern, the bottom-of-descent arc, the TOC/TOD
// markers, the compass-card label and the C17_MFD pieces. The map displays
// call them at their places and under their conditions. Each member sets its
// own frame from the element size and its display's geometry, and draws
// nothing for an element of no size or a scale that is not positive.
#pragma once

struct DisplayObject;
namespace gfx {
class Graphics;
}

// The landing runway selected on the airport page, as its entry in
// airport_runway_list (-999 none), and the number of runways in that list.
int pattern_runway_index();
int pattern_runway_count();

// The ATC boundaries about the map's reference (ref_lat, ref_lon: the
// aircraft, or the plan waypoint on a plan map), projected from (centre_x,
// centre_y) at radius / range units per NM; loads the boundaries on the
// first call.
void draw_atc_boundaries(gfx::Graphics& graphics, int radius, int centre_x, int centre_y, double range,
                         double map_up, double ref_lat, double ref_lon);
void draw_atc_boundaries_hw_b737_nd(const DisplayObject& display, gfx::Graphics& graphics);
void draw_atc_boundaries_hw_md11_nd(const DisplayObject& display, gfx::Graphics& graphics);
void draw_atc_boundaries_md80_ehsi(const DisplayObject& display, gfx::Graphics& graphics);
// At the radius proline4_map_radius_px.
void draw_atc_boundaries_proline4_mfd(const DisplayObject& display, gfx::Graphics& graphics);
void draw_atc_boundaries_du_1000_ehsi(const DisplayObject& display, gfx::Graphics& graphics);

void draw_runway_labels(gfx::Graphics& graphics, int radius, int centre_x, int centre_y, double range);
void draw_runway_pattern(gfx::Graphics& graphics, int radius, int centre_x, int centre_y, double range,
                         double x_scale, double y_scale);

// FIX INFO: the two fixes with their rings, distance circles and radials.
void draw_fix_info_hw_b737_nd(const DisplayObject& display, gfx::Graphics& graphics, double ppn);
void draw_fix_info_hw_md11_nd(const DisplayObject& display, gfx::Graphics& graphics, double ppn);
// Draws only in the map mode 3.
void draw_fix_info_du_1000_ehsi(const DisplayObject& display, gfx::Graphics& graphics, double ppn);
void draw_fix_info_p1000_mfd(const DisplayObject& display, gfx::Graphics& graphics, double ppn);
// About the C17 compass centre, from the C17 map's reference with its rotation.
void draw_fix_info_c17_mfd(const DisplayObject& display, gfx::Graphics& graphics, double ppn);

// The holding pattern of hold entry 1. These set their own frame; the map
// centre (centre_x, centre_y) is in design units.
void draw_hold_pattern_hw_b737_nd(const DisplayObject& display, gfx::Graphics& graphics, int centre_x,
                                  int centre_y, double ppn);
void draw_hold_pattern_proline4_mfd(const DisplayObject& display, gfx::Graphics& graphics, int centre_x,
                                    int centre_y, double ppn);
// No display of this size draws it.
void draw_hold_pattern_365x289(const DisplayObject& display, gfx::Graphics& graphics, int centre_x,
                               int centre_y, double ppn);
// Into the P1000 design frame in force, which it sets again afterwards.
void draw_hold_pattern_p1000_mfd(const DisplayObject& display, gfx::Graphics& graphics, int centre_x,
                                 int centre_y, double ppn);
// Drawn into the transform in force, which the caller has moved to the map
// centre; x_scale and y_scale are the split-frame scales of the design units.
void draw_hold_pattern_hw_md11_nd(gfx::Graphics& graphics, int centre_x, int centre_y, double x_scale,
                                  double y_scale, double ppn);
void draw_hold_pattern_md80_ehsi(gfx::Graphics& graphics, int centre_x, int centre_y, double x_scale,
                                 double y_scale, double ppn);
// Into the transform in force at the map centre, from the given reference
// with the given map heading, at radius / range units per NM.
void draw_hold_pattern_du_1000_ehsi(gfx::Graphics& graphics, double ref_lat, double ref_lon, int radius,
                                    double range, double x_scale, double y_scale, double heading);
// The C17_MFD map: into the transform in force at the map centre (its
// split-scale frame), from the map's reference and up direction.
void draw_hold_pattern_c17_mfd(gfx::Graphics& graphics, double x_scale, double y_scale, double ref_lat,
                               double ref_lon, double map_up, double ppn);
// Through the pattern corners, with the guidance dot while LNAV is engaged.
void draw_hold_pattern_efs50_ehsi(const DisplayObject& display, gfx::Graphics& graphics, int centre_x,
                                  int centre_y, double ppn);

// The bottom-of-descent arc. Callers draw it only while level_off_arc_wanted()
// and their display's own condition hold.
bool level_off_arc_wanted();
void draw_bod_arc_hw_b737_nd(const DisplayObject& display, gfx::Graphics& graphics, double ppn);
// At the HW_MD11_ND's own scale (compass radius over range).
void draw_bod_arc_hw_md11_nd(const DisplayObject& display, gfx::Graphics& graphics);
void draw_bod_arc_efs50_ehsi(const DisplayObject& display, gfx::Graphics& graphics, double ppn);
void draw_bod_arc_md80_ehsi(const DisplayObject& display, gfx::Graphics& graphics, double ppn);
void draw_bod_arc_proline4_mfd(const DisplayObject& display, gfx::Graphics& graphics, double ppn);
// About the C17 compass centre.
void draw_bod_arc_c17_mfd(const DisplayObject& display, gfx::Graphics& graphics, double ppn);
// Added to the P1000 design frame in force, which it sets again afterwards.
void draw_bod_arc_p1000_mfd(const DisplayObject& display, gfx::Graphics& graphics, double ppn);

// display_code 8: HW_B737_ND, MD80_EHSI_NB and the C17_MFD map.
void draw_tod_toc_markers(gfx::Graphics& graphics, int radius, double range, int centre_x, int centre_y,
                          int display_code, double x_scale, double y_scale, double ref_lat, double ref_lon,
                          double heading);

// One label of a rotating compass card, in a frame turned to that heading
// (whole degrees): "N", "3", ... "33" for the multiples of 30, centred on the
// card's axis 108 units above its centre; two blanks for any other heading.
void draw_compass_card_label(gfx::Graphics& graphics, int heading);

// C17_MFD pieces that no display calls yet. The layers draw on the C17
// canvas about its compass centre, from the aircraft.
void draw_close_airports_c17_variant(const DisplayObject& display, gfx::Graphics& graphics, double ppn);
void draw_airway_fixes_c17_variant(const DisplayObject& display, gfx::Graphics& graphics, double ppn);
void draw_navaids_c17_variant(const DisplayObject& display, gfx::Graphics& graphics, double ppn);
// The chosen departure and arrival runways' extended centrelines, while a
// route is active and the C17 range is below 80 NM, into the transform in
// force: the C17 map frame's scales of the design units (x_scale, y_scale),
// its centre in design units (centre_x, centre_y), its design units per NM
// (ppn) and its map-up direction (map_up).
void draw_runway_centrelines_c17(gfx::Graphics& graphics, double x_scale, double y_scale, double centre_x,
                                 double centre_y, double ppn, double map_up);
