// The HW_B737_ND moving map of MAP, CTR MAP and PLAN: range arcs, the chosen
// runways with their extended centrelines, the origin at long ranges, the
// leg from the previous waypoint and the active route from the TO waypoint.
#include "data/airport_procedures.h"
#include "data/display_geometry.h"
#include "data/display_settings.h"
#include "data/display_state.h"
#include "data/module_settings.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/guidance/route_progress.h"
#include "fms/math/nav_math.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_walk.h"
#include "fms/procedures/airport_selection.h"
#include "map/map_canvas.h"
#include "map/map_overlays.h"
#include "map/map_projection.h"
#include "map/palette.h"
#include "map/range_ladder.h"
#include "map/selected_runways.h"
#include "map/symbol_painter.h"
#include "nd/hw_b737_nd_painters.h"
#include "platform/gfx.h"
#include "sim/aircraft_state.h"

#include <string>

namespace {

namespace c = palette;

using Position = MapPosition;

// A waypoint label with its top-left corner at (x + 7, y - 7) from the point.
void label(MapCanvas& m, const std::string& text, gfx::Argb colour, double x, double y) {
    m.text(text, colour, x + 7.0, y - 7.0);
}

// The extended centrelines ahead of and behind the threshold, and the runway's sides.
void draw_runway(MapCanvas& m, const RunwayLines& r, gfx::Argb behind_colour) {
    const gfx::Pen white = m.pen(c::white, true);
    draw_centreline_ahead(m, r, white);
    draw_centreline_behind(m, r, m.pen(behind_colour, true));
    draw_runway_sides(m, r, white);
}

void draw_range_arcs(const DisplayObject& d, gfx::Graphics& g) {
    set_design_frame(g, d, hw_b737_nd_design, 122.0, 249.0);
    const gfx::Pen white(c::white, 2.0f);
    g.draw_arc_i(white, -54, -54, 108, 108, 180.0f, 180.0f);
    g.draw_arc_i(white, -108, -108, 217, 217, 180.0f, 180.0f);
    g.draw_arc_i(white, -162, -162, 325, 325, 180.0f, 180.0f);
}

// The leg into the TO waypoint from the waypoint before it, or from where
// the direct-to was made.
void draw_previous_leg(MapCanvas& m) {
    const int to = to_waypoint_index;
    const bool direct = direct_to_active == 1;
    const int from = route_from(active_plan, to);
    const RouteWaypoint& prev = active_plan[from >= 0 ? from : to - 1];
    const Position start =
        direct ? Position{direct_to_origin.lat, direct_to_origin.lon} : Position{prev.lat, prev.lon};
    const MapPlacement p = m.place(start);
    label(m, direct ? std::string("DCT") : prev.ident, c::yellow, p.x, p.y);
    m.star(p.x, p.y, 0);
    m.line(m.pen(c::yellow, true), start, Position{active_plan[to].lat, active_plan[to].lon});
}

void draw_active_route(MapCanvas& m, bool plan) {
    const gfx::Pen magenta = m.pen(c::magenta, false);
    const int to = to_waypoint_index;
    double prev_x = 0.0, prev_y = 0.0; // the aircraft at the map centre
    for_each_route_stop(active_plan, plan ? 0 : to, active_plan_last, true, [&](const RouteStop& s) {
        const RouteWaypoint& w = s.waypoint;
        const MapPlacement p = m.place(Position{w.lat, w.lon});
        if (s.index == to) {
            if (w.course > -1.0) {
                // A course leg: out of the waypoint along its course.
                const MapPlacement end = m.place(
                    map_position_ahead(Position{w.lat, w.lon}, w.course + aircraft_state.magvar, 200.0));
                m.line(magenta, p.x, p.y, end.x, end.y);
            } else if (s.joined) {
                m.line(magenta, prev_x, prev_y, p.x, p.y);
            }
            label(m, w.ident, c::magenta, p.x, p.y);
            m.star(p.x, p.y, 4);
        } else {
            if (s.index > 0 && s.joined) m.line(magenta, prev_x, prev_y, p.x, p.y);
            label(m, w.ident, c::white, p.x, p.y);
            m.star(p.x, p.y, 0);
        }
        prev_x = p.x;
        prev_y = p.y;
    });
}

} // namespace

void draw_hw_b737_nd_map(const DisplayObject& d, gfx::Graphics& g, double ppn) {
    const int mode = hw_b737_nd_mode;
    const bool plan = mode == kB737NdModePlan;
    const double range = hw_b737_nd_range;
    const AircraftState& a = aircraft_state;

    if (mode == kB737NdModeMap && hw_b737_nd_range_arcs_on == 1) draw_range_arcs(d, g);

    const SplitScale k = split_scale(d, hw_b737_nd_design);
    if (!k.valid) return;
    set_split_frame(g, k, 122.0, mode == kB737NdModeMap ? 249.0 : 171.0);
    const bool route = to_waypoint_index != kNoToWaypoint;
    MapCanvas m(g, plan_or_aircraft_view(plan && route, a.map_heading_deg, ppn), k, range, "HW Arial", 12.0);

    if (route) {
        if (range >= 80.0) {
            if (active_plan_last >= 0) {
                const RouteWaypoint& origin = active_plan[0];
                const MapPlacement p = m.place(Position{origin.lat, origin.lon});
                label(m, origin.ident, c::white, p.x, p.y);
                g.draw_ellipse_i(m.pen(c::white, false), (p.x - 5.0) * k.w, (p.y - 5.0) * k.s, 10.0 * k.w,
                                 10.0 * k.s);
            }
        } else {
            RunwayLines r;
            if (chosen_runway_in_reach(m, origin_slot, selected_departure_runway(), &r))
                draw_runway(m, r, c::yellow);
            if (chosen_runway_in_reach(m, destination_slot, selected_arrival_runway(), &r)) {
                m.line(m.pen(c::white, true), r.threshold,
                       map_position_ahead(r.threshold, r.heading, r.length));
                draw_runway(m, r, c::white);
            }
        }
        // The FROM entry exists only from TO 1 on.
        if (DispPrevWpt == 1 && to_waypoint_index >= 1 && to_waypoint_index <= active_plan_last &&
            range >= 5.0 && !plan &&
            (direct_to_active == 1 || route_from(active_plan, to_waypoint_index) >= 0))
            draw_previous_leg(m);
        draw_active_route(m, plan);
        if (distance_to_destination > 8.0 && !plan)
            draw_tod_toc_markers(g, hw_b737_nd_compass_radius, range, 0, 0, 8, k.w, k.s, a.plat, a.plon,
                                 a.map_heading_deg);
    }
    if (pattern_runway_index() != kNoRunwayLine && !plan)
        draw_runway_pattern(g, hw_b737_nd_compass_radius, 0, 0, range, k.w, k.s);
}
