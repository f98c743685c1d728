// Map overlays: ATC boundaries, runway labels and the approach pattern, FIX
// INFO circles, the holding pattern, the bottom-of-descent arc and the
// TOC/TOD markers. The map displays call them at their places and under
// their conditions.
#pragma once

struct DisplayObject;
namespace gfx {
class Graphics;
}

// The landing runway selected on the airport page, as its entry in
// airport_runway_list (-999 none), and the number of runways in that list.
int pattern_runway_index();
int pattern_runway_count();

// The ATC boundaries about the aircraft, projected from (centre_x, centre_y)
// at radius / range units per NM; loads the boundaries on the first call.
void draw_atc_boundaries(gfx::Graphics& graphics, int radius, int centre_x, int centre_y, double range,
                         double map_up);
void draw_atc_boundaries_hw_b737_nd(const DisplayObject& display, gfx::Graphics& graphics);
void draw_atc_boundaries_hw_md11_nd(const DisplayObject& display, gfx::Graphics& graphics);
void draw_runway_labels(gfx::Graphics& graphics, int radius, int centre_x, int centre_y, double range);
void draw_runway_pattern(gfx::Graphics& graphics, int radius, int centre_x, int centre_y, double range,
                         double x_scale, double y_scale);
void draw_fix_info_hw_b737_nd(const DisplayObject& display, gfx::Graphics& graphics, double ppn);
void draw_fix_info_hw_md11_nd(const DisplayObject& display, gfx::Graphics& graphics, double ppn);
// The holding pattern of hold entry 1.
void draw_hold_pattern_hw_b737_nd(const DisplayObject& display, gfx::Graphics& graphics, int centre_x,
                                  int centre_y, double ppn);
// Drawn into the transform in force, which the caller has moved to the map
// centre; x_scale and y_scale are the split-frame scales of the design units.
void draw_hold_pattern_hw_md11_nd(gfx::Graphics& graphics, int centre_x, int centre_y, double x_scale,
                                  double y_scale, double ppn);
void draw_bod_arc_hw_b737_nd(const DisplayObject& display, gfx::Graphics& graphics, double ppn);
// At the HW_MD11_ND's own scale (compass radius over range).
void draw_bod_arc_hw_md11_nd(const DisplayObject& display, gfx::Graphics& graphics);
// display_code 8: HW_B737_ND, MD80_EHSI_NB and the C17_MFD map.
void draw_tod_toc_markers(gfx::Graphics& graphics, int radius, double range, int centre_x, int centre_y,
                          int display_code, double x_scale, double y_scale, double ref_lat, double ref_lon,
                          double heading);
