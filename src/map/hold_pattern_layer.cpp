// The holding pattern of hold entry 1: the racetrack LNAV flies
// (fms/guidance/hold_racetrack.h) at its fix, the inbound leg ending at the
// fix, the outbound leg two turn radii off on the side of the turns, joined by
// half-circle turns. The members differ in their frame, reference and scales
// (one row each).
#include "data/display_settings.h"
#include "fms/guidance/hold_flying.h"
#include "fms/guidance/hold_racetrack.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/math/heading_math.h"
#include "fms/math/nav_math.h"
#include "fms/plan/holds.h"
#include "map/map_canvas.h"
#include "map/map_overlays.h"
#include "map/map_projection.h"
#include "map/palette.h"
#include "map/render_frame.h"
#include "platform/gfx.h"
#include "sim/aircraft_state.h"

#include <cmath>
#include <cstdint>

namespace {

// How a member places its racetrack: the fix is projected from the
// reference with the view's map-up direction about (centre_x, centre_y) at
// ppn, its point multiplied by (x_scale, y_scale) and the frame moved there
// and turned with the map, at ppn x_scale across the screen and ppn y_scale
// along it.
struct RacetrackRow {
    MapView view;
    double centre_x = 0.0;
    double centre_y = 0.0;
    double x_scale = 1.0;
    double y_scale = 1.0;
    float pen_width = 2.0f;
    gfx::Argb colour = palette::magenta;
};

// The racetrack in a frame whose origin is the fix and whose up is the
// inbound course: legs of L, turns of radius R, the outbound leg at +2R for
// right turns and -2R for left ones.
void draw_racetrack(gfx::Graphics& g, const gfx::Pen& pen, int side, double L, double R) {
    const double outbound = side * 2.0 * R;
    const double box_x = side > 0 ? 0.0 : -2.0 * R;
    g.draw_line_i(pen, 0, L, 0, 0);
    g.draw_arc_i(pen, box_x, -R, 2.0 * R, 2.0 * R, 180.0f, 180.0f);
    g.draw_line_i(pen, outbound, 0, outbound, L);
    g.draw_arc_i(pen, box_x, L - R, 2.0 * R, 2.0 * R, 0.0f, 180.0f);
}

// Moves the frame in force to the fix and draws hold entry 1's racetrack.
void draw_hold(gfx::Graphics& g, const RacetrackRow& row) {
    if (hold_list.count() < 1 || !(row.view.ppn > 0.0)) return;
    const HoldRacetrack r = hold_racetrack(hold_list[1], aircraft_state);
    const MapPlacement p = place_on_map(row.view, r.fix.lat, r.fix.lon);
    g.translate_transform(static_cast<float>((row.centre_x + p.x) * row.x_scale),
                          static_cast<float>((row.centre_y + p.y) * row.y_scale));
    // At the map's scale across and along the screen, whichever way the
    // racetrack lies; the pen keeps its width.
    g.scale_transform(static_cast<float>(row.x_scale), static_cast<float>(row.y_scale));
    // The map is drawn to true directions about its up direction: the
    // racetrack lies along the leg it holds on whatever the variation,
    // heading-up or north-up.
    g.rotate_transform(static_cast<float>(r.inbound_true_deg - row.view.heading));
    const gfx::Pen pen(row.colour, static_cast<float>(row.pen_width / row.x_scale));
    draw_racetrack(g, pen, r.side, r.leg_nm * row.view.ppn, r.radius_nm * row.view.ppn);
}

// The members that own their frame: the split-scale frame of the design
// canvas (reset, scaled by W / (W + H), H / (W + H)), design units times w
// and s, about (translate_x, translate_y) of the design canvas.
void draw_hold_own_frame(const DisplayObject& display, gfx::Graphics& g, DesignSize design,
                         double translate_x, double translate_y, RacetrackRow row) {
    const SplitScale k = split_scale(display, design);
    if (!k.valid) return;
    set_split_frame(g, k, translate_x, translate_y);
    row.x_scale = k.w;
    row.y_scale = k.s;
    row.pen_width = static_cast<float>(2.0 * k.w);
    draw_hold(g, row);
}

// The racetrack of a heading-up map about the aircraft: the fix projected
// with the map heading from (centre_x, centre_y).
RacetrackRow heading_up_row(int centre_x, int centre_y, double ppn) {
    const AircraftState& a = aircraft_state;
    RacetrackRow row;
    row.view = MapView{a.plat, a.plon, a.map_heading_deg, ppn};
    row.centre_x = centre_x;
    row.centre_y = centre_y;
    return row;
}

// The MD11 and MD80 members: drawn into the transform in force, turned with
// the map; north up about the plan waypoint in the plan format.
void draw_hold_in_caller_frame(gfx::Graphics& g, bool plan, int centre_x, int centre_y, double x_scale,
                               double y_scale, double ppn) {
    RacetrackRow row;
    row.view = plan_or_aircraft_view(plan, aircraft_state.map_heading_deg, ppn);
    row.centre_x = centre_x;
    row.centre_y = centre_y;
    row.x_scale = x_scale;
    row.y_scale = y_scale;
    row.pen_width = static_cast<float>(2.0 * x_scale);
    draw_hold(g, row);
}

} // namespace

void draw_hold_pattern_hw_b737_nd(const DisplayObject& display, gfx::Graphics& g, int centre_x, int centre_y,
                                  double ppn) {
    draw_hold_own_frame(display, g, hw_b737_nd_design, 0.0, 0.0, heading_up_row(centre_x, centre_y, ppn));
}

void draw_hold_pattern_365x289(const DisplayObject& display, gfx::Graphics& g, int centre_x, int centre_y,
                               double ppn) {
    draw_hold_own_frame(display, g, DesignSize{365.0, 289.0}, 0.0, 0.0,
                        heading_up_row(centre_x, centre_y, ppn));
}

void draw_hold_pattern_proline4_mfd(const DisplayObject& display, gfx::Graphics& g, int centre_x,
                                    int centre_y, double ppn) {
    const bool plan = proline4_mfd_mode == kProline4ModePlanText;
    RacetrackRow row;
    row.view = plan_or_aircraft_view(plan, aircraft_state.map_heading_deg, ppn);
    row.centre_x = centre_x;
    row.centre_y = centre_y;
    draw_hold_own_frame(display, g, proline4_mfd_design, 123.0, plan ? 155.0 : 220.0, row);
}

void draw_hold_pattern_p1000_mfd(const DisplayObject& display, gfx::Graphics& g, int centre_x, int centre_y,
                                 double ppn) {
    if (display.width <= 0 || display.height <= 0) return;
    // In the display's design frame, which it then sets again.
    draw_hold(g, heading_up_row(centre_x, centre_y, ppn));
    set_design_frame(g, display, p1000_mfd_design, 0.0, 0.0);
}

void draw_hold_pattern_hw_md11_nd(gfx::Graphics& g, int centre_x, int centre_y, double x_scale,
                                  double y_scale, double ppn) {
    draw_hold_in_caller_frame(g, hw_md11_nd_mode == kMd11NdModePlan, centre_x, centre_y, x_scale, y_scale,
                              ppn);
}

void draw_hold_pattern_md80_ehsi(gfx::Graphics& g, int centre_x, int centre_y, double x_scale, double y_scale,
                                 double ppn) {
    draw_hold_in_caller_frame(g, md80_ehsi_mode == kEhsiModePlan, centre_x, centre_y, x_scale, y_scale, ppn);
}

void draw_hold_pattern_du_1000_ehsi(gfx::Graphics& g, double ref_lat, double ref_lon, int radius,
                                    double range, double x_scale, double y_scale, double heading) {
    RacetrackRow row;
    row.view = MapView{ref_lat, ref_lon, heading, units_per_nm(radius, range)};
    row.x_scale = x_scale;
    row.y_scale = y_scale;
    row.pen_width = static_cast<float>(2.0 * x_scale);
    draw_hold(g, row);
}

void draw_hold_pattern_c17_mfd(gfx::Graphics& g, double x_scale, double y_scale, double ref_lat,
                               double ref_lon, double map_up, double ppn) {
    RacetrackRow row;
    row.view = MapView{ref_lat, ref_lon, map_up, ppn};
    row.x_scale = x_scale;
    row.y_scale = y_scale;
    row.pen_width = static_cast<float>(2.0 * x_scale);
    draw_hold(g, row);
}

void draw_hold_pattern_efs50_ehsi(const DisplayObject& display, gfx::Graphics& g, int centre_x, int centre_y,
                                  double ppn) {
    if (display.width <= 0 || display.height <= 0 || !(ppn > 0.0) || hold_list.count() < 1) return;
    const AircraftState& a = aircraft_state;
    set_design_frame(g, display, efs50_ehsi_design, 0.0, 0.0);
    RacetrackRow row = heading_up_row(centre_x, centre_y, ppn);
    row.colour = palette::deep_green;
    draw_hold(g, row);
    set_design_frame(g, display, efs50_ehsi_design, 0.0, 0.0);

    if (lnav_engaged == 1) {
        int32_t x = 0, y = 0;
        turn_arc_geometry_i(a.map_heading_deg, hold_point_course_deg, centre_x, centre_y,
                            hold_point_distance_nm * ppn, &x, &y);
        g.fill_ellipse_i(gfx::SolidBrush(hold_armed == 1 ? palette::amber : palette::deep_green), x - 4,
                         y - 5, 8, 8);
    }
}
