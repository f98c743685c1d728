// The HW_B737_ND's modified route: the working plan, entered or changed but
// not executed, in dashed legs over the solid magenta active route: cyan
// before the first activation, white while a modification is pending.
#include "data/display_settings.h"
#include "fms/math/nav_math.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/plan/route_walk.h"
#include "fms/units/cdu_text.h"
#include "map/map_canvas.h"
#include "map/map_projection.h"
#include "map/palette.h"
#include "map/range_ladder.h"
#include "map/symbol_painter.h"
#include "nd/hw_b737_nd_painters.h"
#include "platform/gfx.h"
#include "sim/aircraft_state.h"

#include <cstdint>

namespace {

bool in_working_plan(int index) {
    return index >= 0 && index <= working_plan_last;
}

} // namespace

void draw_hw_b737_nd_route(const DisplayObject& d, gfx::Graphics& g, double ppn) {
    const int cursor = working_cursor_index;
    if (cursor == kNoToWaypoint || cursor < 0) return;
    const int mode = hw_b737_nd_mode;
    const bool plan = mode == kB737NdModePlan;
    const AircraftState& a = aircraft_state;

    set_design_frame(g, d, hw_b737_nd_design, 122.0f, mode >= kB737NdModeCtrMap ? 171.0f : 249.0f);
    gfx::Pen leg(route_state == kRouteStateActiveModified ? palette::white : palette::blue, 2.0f);
    leg.dash_style = gfx::DashStyle::Dash;
    const gfx::FontFamily family("HW Arial");
    const gfx::Font font(family, 12.0f, gfx::FontStyle::Bold, gfx::Unit::Pixel);
    const gfx::SolidBrush label(palette::white);

    double ref_lat = a.plat, ref_lon = a.plon, heading = a.map_heading_deg;
    if (plan) {
        heading = 0.0;
        const int centre = smiths_legs_map_step >= 1 ? smiths_legs_map_step : cursor;
        if (in_working_plan(centre)) {
            ref_lat = working_plan[centre].lat;
            ref_lon = working_plan[centre].lon;
        }
    }
    auto project = [&](double lat, double lon) {
        double distance = 0.0, course = 0.0;
        gc_dist_course(ref_lat, ref_lon, lat, lon, &distance, &course);
        gfx::Point p;
        turn_arc_geometry_i(heading, course, 0, 0, distance * ppn, &p.x, &p.y);
        return p;
    };

    gfx::Point prev{0, 0}; // the aircraft at the map centre
    for_each_route_stop(working_plan, plan ? 0 : cursor, working_plan_last, true, [&](const RouteStop& s) {
        const int i = s.index;
        const RouteWaypoint& w = s.waypoint;
        const gfx::Point p = project(w.lat, w.lon);
        if (i == cursor && w.course > -1.0) {
            double lat = 0.0, lon = 0.0;
            gc_destination_point(w.lat, w.lon, floored_mod(w.course + a.magvar, 360.0), 200.0, &lat, &lon);
            const gfx::Point end = project(lat, lon);
            g.draw_line_i(leg, p.x, p.y, end.x, end.y);
        } else if (s.joined) {
            g.draw_line_i(leg, prev.x, prev.y, p.x, p.y);
        }
        if (i != to_waypoint_index)
            g.draw_string(w.ident, font, label,
                          gfx::PointF{static_cast<float>(p.x) + 7.0f, static_cast<float>(p.y) - 7.0f});
        draw_map_symbol(g, p.x, p.y - 3.0, MapSymbol::Waypoint, no_symbol_arrow, 1.0, 1.0, 0,
                        hw_b737_nd_range);
        prev = p;
    });
}
