// The DU_1000_EHSI's map layer in modes 2 (north up about the plan
// waypoint) and 3 (heading up about the aircraft under the arc): nearby
// layers, chosen runways, the whole active route, the hold and, on the
// heading-up map, FIX INFO, TOD/TOC, the approach pattern, boundaries and
// runway labels; on the plan page the aircraft at its place.
#include "data/airport_procedures.h"
#include "data/display_settings.h"
#include "data/display_state.h"
#include "fms/math/nav_math.h"
#include "fms/nav/fix_info.h"
#include "fms/plan/holds.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_walk.h"
#include "fms/procedures/airport_selection.h"
#include "map/map_canvas.h"
#include "map/map_overlays.h"
#include "map/map_projection.h"
#include "map/near_layers.h"
#include "map/palette.h"
#include "map/range_ladder.h"
#include "map/selected_runways.h"
#include "map/symbol_painter.h"
#include "nd/du_1000_ehsi_painters.h"
#include "platform/gfx.h"
#include "sim/aircraft_state.h"

#include <cmath>

namespace {

namespace c = palette;

constexpr double kCentreX = 159.0;

void draw_layers(gfx::Graphics& g, const MapView& view, const SplitScale& k, double range) {
    const double lat = view.ref_lat, lon = view.ref_lon;
    const int vors = show_navaids_flags[ND_DU_1000];
    const int ndbs = du_1000_ehsi_show_ndbs;
    if (vors == 1 || ndbs == 1)
        draw_near_navaids_du_1000_ehsi(g, lat, lon, view.ppn, k.w, k.s, range, view.heading, vors, ndbs);
    if (show_airports_flags[ND_DU_1000] == 1 && range <= 120.0)
        draw_near_airports_du_1000_ehsi(g, lat, lon, view.ppn, k.w, k.s, range, view.heading);
    if (show_airway_fixes_flags[ND_DU_1000] == 1 && range <= 60.0)
        draw_near_airway_fixes_du_1000_ehsi(g, lat, lon, view.ppn, k.w, k.s, range, view.heading);
}

// The TO waypoint stands out by its kind: a radio navaid cyan, an airport
// like any other point, anything else green.
struct RouteMark {
    gfx::Argb colour = c::white;
    MapSymbol kind = MapSymbol::Du1000Waypoint;
    int selector = 0;
};
RouteMark mark_of(const RouteWaypoint& w, bool to) {
    if (!to || w.type == "APT") return RouteMark{};
    if (w.type == "VOR" || w.type == "NDB") return RouteMark{c::blue, MapSymbol::Du1000RoutePoint, 1};
    return RouteMark{c::green, MapSymbol::Du1000Waypoint, 3};
}

// Every leg, past and future alike, from the origin to the last waypoint.
void draw_route(MapCanvas& m) {
    const gfx::Pen white(c::white, static_cast<float>(2.0 * m.k.w));
    double prev_x = 0.0, prev_y = 0.0;
    for_each_route_stop(active_plan, 0, active_plan_last, false, [&](const RouteStop& s) {
        const int i = s.index;
        const RouteWaypoint& w = s.waypoint;
        const MapPlacement p = m.place(MapPosition{w.lat, w.lon});
        if (s.joined) m.line(white, prev_x, prev_y, p.x, p.y);
        const RouteMark mark = mark_of(w, i > 0 && i == to_waypoint_index);
        m.text(w.ident, mark.colour, p.x + 7.0, p.y - 15.0);
        draw_map_symbol(m.g, p.x * m.k.w, (p.y - 6.0) * m.k.s, mark.kind, no_symbol_arrow, m.k.w, m.k.s,
                        mark.selector, m.range);
        prev_x = p.x;
        prev_y = p.y;
    });
}

void draw_heading_up_overlays(const DisplayObject& d, gfx::Graphics& g, const SplitScale& k, double range,
                              double ppn) {
    const AircraftState& a = aircraft_state;
    if (!fix_info[1].ident.empty() || !fix_info[2].ident.empty()) draw_fix_info_du_1000_ehsi(d, g, ppn);
    set_split_frame(g, k, kCentreX, 272.0);
    draw_tod_toc_markers(g, du_1000_compass_radius, range, 0, 0, 10, k.w, k.s, a.plat, a.plon,
                         a.map_heading_deg);
    if (pattern_runway_index() != kNoRunwayLine) {
        set_split_frame(g, k, kCentreX, 272.0);
        draw_runway_pattern(g, du_1000_compass_radius, 0, 0, range, k.w, k.s);
    }
    if (show_atc_boundaries == 1) draw_atc_boundaries_du_1000_ehsi(d, g);
    if (pattern_runway_count() > 0 && range <= 2.5) {
        set_design_frame(g, d, du_1000_ehsi_design, kCentreX, 272.0);
        draw_runway_labels(g, du_1000_compass_radius, 0, 0, range);
    }
}

// The aircraft where it is on the plan page, turned by its heading.
void draw_plan_aircraft(const DisplayObject& d, gfx::Graphics& g, const MapView& view) {
    const AircraftState& a = aircraft_state;
    const MapPlacement p = place_on_map(view, a.plat, a.plon);
    // Far off the page it is not drawn at all.
    if (!(std::fabs(p.x) < 1000.0 && std::fabs(p.y) < 1000.0)) return;
    set_design_frame(g, d, du_1000_ehsi_design, kCentreX + p.x, 155.0 + p.y);
    g.rotate_transform(static_cast<float>(a.heading_deg));
    const gfx::Pen pale(c::pale_yellow, 2.0f);
    g.draw_line_i(pale, -10, 0, 10, 0);
    g.draw_line_i(pale, 0, -10, 0, 10);
    g.draw_line_i(pale, -5, 10, 5, 10);
    g.draw_line_i(pale, 0, 10, 0, 13);
}

} // namespace

void draw_du_1000_ehsi_map(const DisplayObject& d, gfx::Graphics& g, int /*view_mode*/, double ppn) {
    const AircraftState& a = aircraft_state;
    const int mode = du_1000_ehsi_mode;
    const bool plan = mode == kEhsiModePlan;
    const double range = du_1000_ehsi_range;
    const SplitScale k = split_scale(d, du_1000_ehsi_design);
    if (!k.valid || !(ppn > 0.0)) return;
    const double centre_y = plan ? 155.0 : 272.0;
    const MapView view = plan_or_aircraft_view(plan, a.map_heading_deg, ppn);

    set_split_frame(g, k, kCentreX, centre_y);
    if (!plan) {
        gfx::GraphicsPath clip;
        clip.add_ellipse_i(-234.0 * k.w, -234.0 * k.s, 468.0 * k.w, 468.0 * k.s);
        g.set_clip_path(clip);
    }
    draw_layers(g, view, k, range);
    if (selected_departure_runway() > 0)
        draw_du_1000_ehsi_runway(d, g, view.ref_lat, view.ref_lon, centre_y, 1, ppn);
    if (selected_arrival_runway() > 0)
        draw_du_1000_ehsi_runway(d, g, view.ref_lat, view.ref_lon, centre_y, 2, ppn);

    set_split_frame(g, k, kCentreX, centre_y);
    MapCanvas m(g, view, k, range, "Arial", 15.0 * k.w / k.s);
    if (to_waypoint_index != kNoToWaypoint) draw_route(m);
    if (hold_list.count() >= 1 && hold_list[1].active_index() > 0) {
        set_split_frame(g, k, kCentreX, centre_y);
        draw_hold_pattern_du_1000_ehsi(g, view.ref_lat, view.ref_lon, du_1000_compass_radius, range, k.w, k.s,
                                       view.heading);
    }
    if (plan)
        draw_plan_aircraft(d, g, view);
    else
        draw_heading_up_overlays(d, g, k, range, ppn);
    g.reset_clip();
}

void draw_du_1000_ehsi_runway(const DisplayObject& d, gfx::Graphics& g, double ref_lat, double ref_lon,
                              double centre_y, int which, double ppn) {
    const AircraftState& a = aircraft_state;
    const AirportProcedures& airport = airport_slots[which == 1 ? origin_slot : destination_slot];
    const int index = which == 1 ? selected_departure_runway() : selected_arrival_runway();
    // The runway's map position is the list entry of the same index: both
    // must hold it.
    if (index <= 0 || index > airport.runways.count() || index > airport_runway_list.count() || !(ppn > 0.0))
        return;
    const AirportRunway& runway = airport.runways[index];
    double distance = 0.0, course = 0.0;
    gc_dist_course(ref_lat, ref_lon, runway.latitude, runway.longitude, &distance, &course);
    if (!(distance < 100.0)) return;

    // The plan page is north up about its reference, like the rest of it.
    const bool plan = du_1000_ehsi_mode == kEhsiModePlan;
    const AirportRunwayListEntry& entry = airport_runway_list[index];
    const MapView view{ref_lat, ref_lon, plan ? 0.0 : a.map_heading_deg, ppn};
    const MapPlacement p = place_on_map(view, entry.latitude, entry.longitude);
    const double x = std::trunc(p.x), y = std::trunc(p.y);

    const gfx::FontFamily family("Arial");
    const gfx::Font font(family, 15.0f, gfx::FontStyle::Bold, gfx::Unit::Pixel);
    set_design_frame(g, d, du_1000_ehsi_design, kCentreX, centre_y);
    g.draw_string(runway.designator, font, gfx::SolidBrush(c::white),
                  gfx::PointF{static_cast<float>(x + 8.0), static_cast<float>(y)});
    set_design_frame(g, d, du_1000_ehsi_design, kCentreX + x, centre_y + y);
    const double turn = plan ? runway.magnetic_heading + a.magvar : runway.magnetic_heading - a.heading_deg;
    g.rotate_transform(static_cast<float>(turn));
    const gfx::Pen white(c::white, 2.0f);
    if (du_1000_ehsi_range >= 60.0) {
        const gfx::Point outline[] = {{0, 0}, {0, 5}, {4, 5}, {4, -10}, {-4, -10}, {-4, 5}, {0, 5}};
        g.draw_polygon_i(white, outline);
    } else {
        g.draw_line_i(white, -4, 0, -4, -40);
        g.draw_line_i(white, 4, 0, 4, -40);
    }
}
