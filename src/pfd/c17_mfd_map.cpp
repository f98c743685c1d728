// The route map of the C17_MFD formats 3 to 6: the nearby layers, the
// active route with its identifiers and symbols, and the overlays, all from
// one reference and one rotation (heading up about the aircraft, or north up
// about the plan waypoint in format 6).
#include "data/c17_mfd_state.h"
#include "fms/procedures/airport_selection.h"
#include "pfd/c17_mfd_painters.h"

#include "data/display_state.h"
#include "fms/nav/fix_info.h"
#include "fms/plan/holds.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_walk.h"
#include "map/c17_map_view.h"
#include "map/map_canvas.h"
#include "map/map_overlays.h"
#include "map/near_layers.h"
#include "map/palette.h"
#include "map/range_ladder.h"
#include "map/symbol_painter.h"
#include "platform/text_file.h"
#include "sim/aircraft_state.h"

namespace {

constexpr double kNearbyMaxRange = 160.0;
constexpr double kRunwayLabelMaxRange = 2.5;

// The active route in the split-scale frame about the centre: magenta legs,
// the TO identifier magenta and the others white, 7 right of and 7 above
// each waypoint, and the waypoint star.
void draw_route(gfx::Graphics& g, const SplitScale& k, const MapView& view, double range) {
    const gfx::Pen leg(palette::magenta, static_cast<float>(2.0 * k.w));
    const gfx::SolidBrush white(palette::white), magenta(palette::magenta);
    const gfx::FontFamily family("Arial");
    const gfx::Font font(family, static_cast<float>(10.0 * k.w), gfx::FontStyle::Bold, gfx::Unit::Pixel);
    const auto point = [&](int i) {
        const MapPlacement p = place_on_map(view, active_plan[i].lat, active_plan[i].lon);
        return gfx::PointF{static_cast<float>(p.x * k.w), static_cast<float>(p.y * k.s)};
    };
    gfx::PointF previous{};
    for_each_route_stop(active_plan, 0, active_plan_last, false, [&](const RouteStop& s) {
        const int i = s.index;
        const gfx::PointF p = point(i);
        const bool to = i == to_waypoint_index;
        if (s.joined) g.draw_line_i(leg, previous.x, previous.y, p.x, p.y);
        g.draw_string(active_plan[i].ident, font, to ? magenta : white,
                      gfx::PointF{static_cast<float>(p.x + 7.0 * k.w), static_cast<float>(p.y - 7.0 * k.s)});
        draw_map_symbol(g, p.x, p.y - 6.0 * k.s, MapSymbol::Waypoint, no_symbol_arrow, k.w, k.s, to ? 4 : 0,
                        range);
        previous = p;
    });
}

} // namespace

void c17_mfd_draw_map(const DisplayObject& display, gfx::Graphics& g, double ppn) {
    const SplitScale k = split_scale(display, c17_mfd_design);
    if (!k.valid || !(ppn > 0.0)) return;
    const double cx = c17_compass_centre.x;
    const double cy = c17_compass_centre.y;
    const int radius = c17_compass_radius;
    const double range = c17_map_range_nm;
    const bool plan = c17_mfd_format == kC17FormatPlan;
    const MapView view = c17_map_view(ppn);

    // The layers that take the design scale factors draw in the split frame.
    set_split_frame(g, k, cx, cy);
    if (range <= kNearbyMaxRange) {
        if (show_navaids_flags[ND_PROLINE4] == 1 || proline4_mfd_show_ndbs == 1)
            draw_near_navaids_c17_mfd(g, k.w, k.s, view.ref_lat, view.ref_lon, view.heading, ppn);
        if (show_airports_flags[ND_PROLINE4] == 1)
            c17_mfd_draw_nearby_symbols(g, k.w, k.s, view.ref_lat, view.ref_lon, view.heading, ppn);
        if (show_airway_fixes_flags[ND_PROLINE4] == 1)
            draw_near_airway_fixes_c17_mfd(g, k.w, k.s, view.ref_lat, view.ref_lon, view.heading, ppn);
    }
    if (to_waypoint_index != kNoToWaypoint && c17_plan_route_on == 1) draw_route(g, k, view, range);

    if (!plan && pattern_runway_index() != kNoRunwayLine)
        draw_runway_pattern(g, radius, 0, 0, range, k.w, k.s);
    if (hold_list.count() >= 1 && hold_list[1].active_index() > 0) {
        draw_hold_pattern_c17_mfd(g, k.w, k.s, view.ref_lat, view.ref_lon, view.heading, ppn);
        set_split_frame(g, k, cx, cy);
    }
    draw_tod_toc_markers(g, radius, range, 0, 0, 8, k.w, k.s, view.ref_lat, view.ref_lon, view.heading);
    if (!fix_info[1].ident.empty() || !fix_info[2].ident.empty()) draw_fix_info_c17_mfd(display, g, ppn);

    set_design_frame(g, display, c17_mfd_design, cx, cy);
    // The level-off point lies ahead of the aircraft, which the plan does not
    // put at its centre.
    if (!plan && level_off_arc_wanted()) {
        draw_bod_arc_c17_mfd(display, g, ppn);
        set_design_frame(g, display, c17_mfd_design, cx, cy);
    }
    if (pattern_runway_count() > 0 && range <= kRunwayLabelMaxRange) {
        // The labels are measured from the aircraft: on the plan they are
        // drawn about its point there.
        const MapPlacement a = place_on_map(view, aircraft_state.plat, aircraft_state.plon);
        draw_runway_labels(g, radius, plan ? saturate_to_int(a.x) : 0, plan ? saturate_to_int(a.y) : 0,
                           range);
    }
    if (show_atc_boundaries == 1)
        draw_atc_boundaries(g, radius, 0, 0, range, view.heading, view.ref_lat, view.ref_lon);
    set_design_frame(g, display, c17_mfd_design, cx, cy);
}
