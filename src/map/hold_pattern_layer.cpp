// The holding pattern of hold entry 1 as a magenta racetrack at its fix: the
// inbound leg ends at the fix, the outbound leg lies beside it on the side of
// the turn, joined by two half-ellipse turns.
#include "fms/holds.h"
#include "fms/nav_math.h"
#include "fms/route_plan.h"
#include "gauges/render_frame.h"
#include "map/map_canvas.h"
#include "map/map_colours.h"
#include "map/map_overlays.h"
#include "map/map_projection.h"
#include "nd/display_settings.h"
#include "platform/gfx.h"
#include "sim/aircraft_state.h"

#include <cmath>

namespace {

// Draws the racetrack in a frame whose origin is the fix and whose up is the
// inbound course; L is the leg in world units. A right turn puts the
// outbound leg at +S, any other turn at -S.
void draw_racetrack(gfx::Graphics& g, const gfx::Pen& pen, int turn, double L, double near_turn_y) {
    const double S = std::trunc(0.5 * L);
    const double side = turn == 1 ? S : -S;
    const double box_x = turn == 1 ? 0.0 : -S;
    g.draw_line_i(pen, 0, 0, 0, -0.2 * L);
    g.draw_line_i(pen, side, -0.2 * L, side, 0.8 * L);
    g.draw_line_i(pen, 0, 0.8 * L, 0, 0);
    g.draw_arc_i(pen, box_x, -0.3 * L, S, 0.25 * L, 180.0f, 180.0f);
    g.draw_arc_i(pen, box_x, near_turn_y, S, 0.25 * L, 0.0f, 180.0f);
}

} // namespace

void draw_hold_pattern_hw_b737_nd(const DisplayObject& display, gfx::Graphics& g, int centre_x, int centre_y,
                                  double ppn) {
    const SplitScale k = split_scale(display, hw_b737_nd_design);
    if (!k.valid || hold_list.count() < 1) return;
    const HoldEntry& hold = hold_list[1];
    const AircraftState& a = aircraft_state;

    const gfx::Pen pen(map_colour::magenta, static_cast<float>(2.0 * k.w));
    g.reset_transform();
    g.scale_transform(static_cast<float>(k.frame_x), static_cast<float>(k.frame_y));
    double distance = 0.0, course = 0.0, x = 0.0, y = 0.0;
    gc_dist_course(a.plat, a.plon, hold.points[0].lat, hold.points[0].lon, &distance, &course);
    turn_arc_geometry(a.map_heading_deg, course, centre_x, centre_y, distance * ppn, &x, &y);
    g.translate_transform(static_cast<float>(x * k.w), static_cast<float>(y * k.s));
    g.rotate_transform(static_cast<float>(hold.inbound_course - a.heading_deg));

    const double L = hold.leg_distance * ppn * k.s;
    // The near turn of a left-hand racetrack sits a little higher.
    draw_racetrack(g, pen, hold.turn, L, (hold.turn == 1 ? 0.66 : 0.61) * L);
}

void draw_hold_pattern_hw_md11_nd(gfx::Graphics& g, int centre_x, int centre_y, double x_scale,
                                  double y_scale, double ppn) {
    if (hold_list.count() < 1 || !(ppn > 0.0)) return;
    const HoldEntry& hold = hold_list[1];
    const AircraftState& a = aircraft_state;
    // PLAN turns north up about the plan waypoint (the aircraft without a route).
    const bool plan = hw_md11_nd_mode == 2;
    double ref_lat = a.plat, ref_lon = a.plon, map_up = a.map_heading_deg;
    if (plan) {
        map_up = 0.0;
        const int centre = plan_centre_index();
        if (centre >= 0) {
            ref_lat = active_plan[centre].lat;
            ref_lon = active_plan[centre].lon;
        }
    }

    const gfx::Pen pen(map_colour::magenta, static_cast<float>(2.0 * x_scale));
    double distance = 0.0, course = 0.0, x = 0.0, y = 0.0;
    gc_dist_course(ref_lat, ref_lon, hold.points[0].lat, hold.points[0].lon, &distance, &course);
    turn_arc_geometry(map_up, course, centre_x, centre_y, distance * ppn, &x, &y);
    g.translate_transform(static_cast<float>(x * x_scale), static_cast<float>(y * y_scale));
    g.rotate_transform(static_cast<float>(hold.inbound_course - map_up));

    const double L = hold.leg_distance * ppn * y_scale;
    draw_racetrack(g, pen, hold.turn, L, (hold.turn == 1 ? 0.66 : 0.61) * L);
}
