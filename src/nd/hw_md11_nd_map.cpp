// The HW_MD11_ND map of PLAN and MAP: TOD/TOC markers, the chosen runways
// with their extended centrelines, the active route (again dashed while a
// modification is pending), the tuned NAV1 station, the approach pattern
// and the hold.
#include "data/airport_procedures.h"
#include "data/display_geometry.h"
#include "data/display_settings.h"
#include "fms/math/nav_math.h"
#include "fms/plan/holds.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/plan/route_walk.h"
#include "fms/procedures/airport_selection.h"
#include "map/map_canvas.h"
#include "map/map_overlays.h"
#include "map/map_projection.h"
#include "map/palette.h"
#include "map/range_ladder.h"
#include "map/selected_runways.h"
#include "map/symbol_painter.h"
#include "nd/hw_md11_nd_painters.h"
#include "platform/gfx.h"
#include "sim/aircraft_state.h"
#include "sim/sim_var_reader.h"

#include <cmath>
#include <string>

namespace {

namespace c = palette;

using Position = MapPosition;

// The chosen runway of a slot, gated, measured and turned by the slot's
// record but starting where the runway list's entry of the same index lies
// (both must hold it).
bool chosen_runway_from_list(const MapCanvas& m, int slot, int index, RunwayLines* r) {
    if (!chosen_runway_in_reach(m, slot, index, r) || index > airport_runway_list.count()) return false;
    r->threshold = MapPosition{airport_runway_list[index].latitude, airport_runway_list[index].longitude};
    return true;
}

void draw_runways(const MapCanvas& map) {
    // The runway lines take one scale for both axes, the mean of the two.
    MapCanvas m = map;
    m.k.w = m.k.s = (map.k.w + map.k.s) / 2.0;
    RunwayLines r;
    if (chosen_runway_from_list(m, origin_slot, selected_departure_runway(), &r)) {
        // The departure extends only ahead of the runway.
        draw_centreline_ahead(m, r, map.pen(c::blue));
        draw_runway_sides(m, r, map.pen(c::white));
    }
    if (chosen_runway_from_list(m, destination_slot, selected_arrival_runway(), &r)) {
        // The arrival extends only behind its threshold.
        m.line(map.pen(c::white), r.threshold, map_position_ahead(r.threshold, r.heading, r.length));
        draw_centreline_behind(m, r, map.pen(c::blue));
        draw_runway_sides(m, r, map.pen(c::white));
    }
}

// The TO waypoint is the tuned NAV1 station: its own symbol stands for it.
bool is_tuned_station(const MapCanvas& m, const RouteWaypoint& w) {
    if (!(sim_var_object.get_nav1_signal() > 0.0) || sim_var_object.test_simvar_46_bit_128() != 0)
        return false;
    if (sim_var_object.get_simvar_47_text() != w.ident) return false;
    return std::fabs(m.place(Position{w.lat, w.lon}).distance - aircraft_state.nav1_dme_nm) < 20.0;
}

void runway_label(MapCanvas& m, int slot, int index, double x, double y) {
    if (index <= 0 || index > airport_slots[slot].runways.count()) return;
    m.text(airport_slots[slot].runways[index].designator, c::white, x + 7.0, y + 17.0);
}

void draw_route(MapCanvas& m, bool modified) {
    const gfx::Pen pen = m.pen(c::magenta, modified);
    // A leg into an entry before the TO is flown already: magenta is for the
    // leg flown now and those ahead.
    const gfx::Pen flown = m.pen(c::white, modified);
    const int to = to_waypoint_index;
    double prev_x = 0.0, prev_y = 0.0; // the aircraft at the map centre
    for_each_route_stop(active_plan, 0, active_plan_last, true, [&](const RouteStop& s) {
        const int i = s.index;
        const RouteWaypoint& w = s.waypoint;
        const MapPlacement p = m.place(Position{w.lat, w.lon});
        if (i == to && !modified) {
            if (w.course > -1.0) {
                const MapPlacement end = m.place(
                    map_position_ahead(Position{w.lat, w.lon}, w.course + aircraft_state.magvar, 200.0));
                m.line(pen, p.x, p.y, end.x, end.y);
            } else if (s.joined) {
                m.line(pen, prev_x, prev_y, p.x, p.y);
            }
            if (!is_tuned_station(m, w)) {
                m.text(w.ident, c::magenta, p.x + 7.0, p.y - 7.0);
                m.star(p.x, p.y, 4);
            }
        } else {
            if (i > 0 && s.joined) m.line(i < to ? flown : pen, prev_x, prev_y, p.x, p.y);
            m.text(w.ident, c::white, p.x + 7.0, p.y - 7.0);
            m.star(p.x, p.y, 0);
        }
        if (i == 0) runway_label(m, origin_slot, departure_runway_at(w), p.x, p.y);
        if (i == active_plan_last) runway_label(m, destination_slot, arrival_runway_at(w), p.x, p.y);
        prev_x = p.x;
        prev_y = p.y;
    });
}

void draw_nav1_station(MapCanvas& m, bool plan) {
    const AircraftState& a = aircraft_state;
    double relative = a.nav1_relative_bearing_deg;
    if (relative > 180.0) relative -= 360.0;
    const double bearing = floored_mod(relative + a.heading_deg, 360.0) + a.magvar;
    double x = 0.0, y = 0.0;
    if (plan) {
        const Position station = map_position_ahead(Position{a.plat, a.plon}, bearing, a.nav1_dme_nm);
        const MapPlacement p = m.place(station);
        x = p.x;
        y = p.y;
    } else {
        // Straight out along the bearing, turned by the map heading.
        const double turn = (bearing - m.view.heading) * M_PI / 180.0;
        x = std::sin(turn) * a.nav1_dme_nm * m.view.ppn;
        y = -std::cos(turn) * a.nav1_dme_nm * m.view.ppn;
    }
    draw_map_symbol(m.g, (x - 2.0) * m.k.w, (y - 4.0) * m.k.s, MapSymbol::Vor, no_symbol_arrow, m.k.w, m.k.s,
                    1, hw_md11_nd_range);
    const std::string id =
        sim_var_object.get_nav1_signal() > 0.0 ? sim_var_object.get_simvar_47_text() : std::string();
    m.text(id, c::blue, x + 8.0, y - 7.0);
    m.g.draw_ellipse_i(m.pen(c::magenta), (x - 8.0) * m.k.w, (y - 8.0) * m.k.s, 16.0 * m.k.w, 16.0 * m.k.s);
}

} // namespace

void draw_hw_md11_nd_map(const DisplayObject& d, gfx::Graphics& g, double ppn) {
    const AircraftState& a = aircraft_state;
    const bool plan = hw_md11_nd_mode == kMd11NdModePlan;
    const SplitScale k = split_scale(d, hw_md11_nd_design);
    if (!k.valid || !(ppn > 0.0)) return;
    set_split_frame(g, k, hw_md11_nd_centre_x, hw_md11_nd_centre_y);
    MapCanvas m(g, plan_or_aircraft_view(plan, a.map_heading_deg, ppn), k, hw_md11_nd_range, "Arial", 10.0);
    const MapView& view = m.view;

    draw_tod_toc_markers(g, hw_md11_nd_compass_radius, hw_md11_nd_range, 0, 0, 9, k.w, k.s, view.ref_lat,
                         view.ref_lon, view.heading);
    if (to_waypoint_index != kNoToWaypoint) {
        if (hw_md11_nd_range < 80.0) draw_runways(m);
        draw_route(m, false);
        if (route_state == kRouteStateActiveModified) draw_route(m, true);
    }
    if (sim_var_object.get_nav1_signal() > 0.0 && sim_var_object.test_simvar_46_bit_128() == 0)
        draw_nav1_station(m, plan);
    if (pattern_runway_index() != kNoRunwayLine && !plan)
        draw_runway_pattern(g, hw_md11_nd_compass_radius, 0, 0, hw_md11_nd_range, k.w, k.s);
    if (hold_list.count() >= 1 && hold_list[1].active_index() > 0) {
        // The layers above may have moved the frame; the hold draws from the centre.
        set_split_frame(g, k, hw_md11_nd_centre_x, hw_md11_nd_centre_y);
        draw_hold_pattern_hw_md11_nd(g, 0, 0, k.w, k.s, ppn);
    }
}
