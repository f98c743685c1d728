// The P1000_MFD render pass: the background policy of a display that
// redraws in part, the heading-up and north-up map formats, and the fixed
// order and gates of its map painters, data block and traffic window.
#include "data/display_settings.h"
#include "data/display_state.h"
#include "data/module_settings.h"
#include "data/p1000_menu_state.h"
#include "fms/guidance/route_progress.h"
#include "fms/nav/fix_info.h"
#include "fms/plan/holds.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/units/update_counters.h"
#include "map/map_canvas.h"
#include "map/map_overlays.h"
#include "map/map_projection.h"
#include "map/near_layers.h"
#include "map/palette.h"
#include "map/range_ladder.h"
#include "map/render_frame.h"
#include "nd/p1000_mfd_painters.h"
#include "platform/gfx.h"
#include "sim/aircraft_state.h"

#include <array>
#include <cmath>
#include <limits>

DisplayObject p1000_mfd_display;

namespace {

// The surfaces whose painted values are kept: each placed P1000 gauge has
// its own; a ninth surface takes the slot drawn longest ago.
constexpr std::size_t kSurfaces = 8;
std::array<P1000PaintedValues, kSurfaces> painted_surfaces{};
std::array<unsigned, kSurfaces> painted_used{};
unsigned painted_clock = 0;
std::size_t current_surface = 0;

void select_surface(void* device_context) {
    std::size_t slot = 0;
    bool found = false;
    for (std::size_t i = 0; i < kSurfaces && !found; ++i)
        if (painted_surfaces[i].surface == device_context) slot = i, found = true;
    if (!found) {
        for (std::size_t i = 1; i < kSurfaces; ++i)
            if (painted_used[i] < painted_used[slot]) slot = i;
        constexpr double none = std::numeric_limits<double>::quiet_NaN();
        painted_surfaces[slot] = P1000PaintedValues{device_context, none, none, none, none, {}};
    }
    painted_used[slot] = ++painted_clock;
    current_surface = slot;
}

// The map areas that a partial frame blackens; the rest of the surface keeps
// what earlier frames drew.
constexpr gfx::Point kUpperMapArea[] = {
    {0, 85},    {14, 85},   {50, 30},   {115, 12}, {115, 0},  {155, 0},  {155, 12}, {220, 39}, {270, 100},
    {210, 120}, {210, 175}, {135, 225}, {65, 180}, {55, 120}, {50, 105}, {50, 105}, {50, 105}, {0, 85},
};
constexpr gfx::Point kLowerMapArea[] = {
    {0, 125},  {23, 95},   {50, 105},  {55, 120},  {65, 180}, {135, 225}, {210, 175}, {210, 120}, {250, 90},
    {268, 98}, {268, 185}, {220, 185}, {220, 270}, {41, 270}, {41, 185},  {0, 185},   {0, 125},
};

void design_frame(gfx::Graphics& g) {
    set_design_frame(g, p1000_mfd_display, p1000_mfd_design, 0.0, 0.0);
}

void paint(gfx::Graphics& g, int32_t view_mode) {
    const DisplayObject& d = p1000_mfd_display;
    const AircraftState& a = aircraft_state;
    const gfx::SolidBrush black(palette::black), background(background_argb(p1000_mfd_background_rgb));

    design_frame(g);
    if (display_refresh_counter < 2) {
        g.fill_rectangle_i(background, 0, 0, 272, 314);
    } else {
        g.fill_polygon_i(black, kUpperMapArea, gfx::FillMode::Alternate);
        g.fill_polygon_i(black, kLowerMapArea, gfx::FillMode::Alternate);
    }

    const bool north_up = p1000_mfd_plan_mode == kP1000PlanModeNorthUp;
    if (north_up) {
        p1000_map_centre_y = 116;
        p1000_map_radius = 75;
        aircraft_state.map_heading_deg = 0.0;
    }
    const double ppn = units_per_nm(p1000_map_radius, p1000_mfd_range);
    const bool route_active = to_waypoint_index != kNoToWaypoint;

    set_p1000_mfd_clip(d, g, north_up ? 2 : 1);
    draw_p1000_mfd_compass(d, g);
    if (!north_up) {
        draw_capped_arrow(d, g);
        g.reset_clip();
        set_p1000_mfd_clip(d, g, 2);
    }
    if (show_navaids_flags[ND_P1000] == 1) draw_near_navaids_p1000_mfd(d, g, ppn);
    if (show_airports_flags[ND_P1000] == 1 && p1000_mfd_range <= 80.0)
        draw_near_airports_p1000_mfd(d, g, ppn);
    design_frame(g);
    // Boundaries, FIX INFO and TOC/TOD measure from the same point as the rest
    // of the map: the TO waypoint in the north-up format.
    const MapPosition reference = p1000_map_reference();
    const double ref_lat = reference.lat, ref_lon = reference.lon;
    if (p1000_controller_present == 0) {
        if (show_atc_boundaries == 1 && view_mode != RENDER_MODE_VC2)
            draw_atc_boundaries(g, p1000_map_radius, p1000_map_centre_x, p1000_map_centre_y, p1000_mfd_range,
                                a.map_heading_deg, ref_lat, ref_lon);
        design_frame(g);
        if (pattern_runway_index() > 0)
            draw_runway_pattern(g, p1000_map_radius, p1000_map_centre_x, p1000_map_centre_y, p1000_mfd_range,
                                1.0, 1.0);
        design_frame(g);
        if (pattern_runway_count() > 0 && p1000_mfd_range <= 2.5)
            draw_runway_labels(g, p1000_map_radius, p1000_map_centre_x, p1000_map_centre_y, p1000_mfd_range);
        design_frame(g);
    }
    if (route_active) draw_p1000_mfd_route(d, g, ppn);
    if (!fix_info[1].ident.empty() || !fix_info[2].ident.empty()) draw_fix_info_p1000_mfd(d, g, ppn);

    g.reset_clip();
    design_frame(g);
    set_p1000_mfd_clip(d, g, 2);
    if (route_active) draw_p1000_mfd_value_boxes(d, g);

    design_frame(g);
    set_p1000_mfd_clip(d, g, 2);
    if (!north_up && hold_list.count() >= 1 && hold_list[1].active_index() >= 1)
        draw_hold_pattern_p1000_mfd(d, g, p1000_map_centre_x, p1000_map_centre_y, ppn);
    if (!north_up && DrawBodArcOnP1000MFD == 1 && level_off_arc_wanted()) draw_bod_arc_p1000_mfd(d, g, ppn);
    if (distance_to_destination > 8.0 && route_active) {
        design_frame(g);
        draw_tod_toc_markers(g, p1000_map_radius, p1000_mfd_range, p1000_map_centre_x, p1000_map_centre_y, 2,
                             1.0, 1.0, ref_lat, ref_lon, a.map_heading_deg);
    }

    g.reset_clip();
    draw_p1000_mfd_data_block(d, g);
    g.reset_clip();
    if (p1000_tcas_window_shown()) {
        design_frame(g);
        draw_tcas_box(g);
    }
}

} // namespace

bool p1000_tcas_window_shown() {
    return DrawTcasWindowOnP1000MFD == 1 && tcas_display_on == 1;
}

P1000PaintedValues& p1000_painted_values() {
    return painted_surfaces[current_surface];
}

void render_p1000_mfd(void* device_context, PixelSize size, int32_t view_mode) {
    RenderFrameOptions o;
    o.design_width = 272.0f;
    o.design_height = 314.0f;
    o.text_hint_first = true;
    o.fill_background = false; // the pass chooses between a full fill and the map areas
    if (device_context != nullptr) select_surface(device_context);
    // North-up draws with map heading 0; heading-up displays drawn after
    // this one in the same frame must still see the aircraft's.
    const double map_heading = aircraft_state.map_heading_deg;
    run_render_frame(p1000_mfd_display, device_context, size, view_mode, aircraft_state.display_power, o,
                     [&](gfx::Graphics& g) { paint(g, view_mode); });
    aircraft_state.map_heading_deg = map_heading;
}
