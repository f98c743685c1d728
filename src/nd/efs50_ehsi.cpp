// The EFS50_EHSI and EFS50_TCAS render passes: the shared frame, then the
// painters of the format, the route overlays of the map formats with the
// FMS source, and the traffic page's range rings.
#include "data/display_settings.h"
#include "data/display_state.h"
#include "data/module_settings.h"
#include "fms/guidance/cross_track.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/guidance/route_progress.h"
#include "fms/plan/holds.h"
#include "fms/plan/route_plan.h"
#include "map/map_canvas.h"
#include "map/map_overlays.h"
#include "map/map_projection.h"
#include "map/palette.h"
#include "map/range_ladder.h"
#include "nd/efs50_ehsi_painters.h"
#include "nd/nd_render_passes.h"
#include "platform/gfx.h"
#include "sim/aircraft_state.h"
#include "sim/sim_var_reader.h"

#include <cmath>
#include <cstdio>

namespace {

namespace c = palette;

void draw_route_overlays(gfx::Graphics& g, const DisplayObject& d, int mode, double ppn) {
    const AircraftState& a = aircraft_state;
    const bool compass = mode <= kEfs50EhsiModeRoseMapSectors;
    const int centre_y = compass ? 114 : 190;
    if (to_waypoint_index != kNoToWaypoint) draw_efs50_ehsi_clipped_overlay(d, g, ppn);
    // The hold is drawn also without an active route.
    if (hold_list.count() >= 1 && hold_list[1].active_index() > 0)
        draw_hold_pattern_efs50_ehsi(d, g, 129, centre_y, ppn);
    if (distance_to_destination > 8.0 && ShowTodBodIndicators == 1) {
        set_design_frame(g, d, efs50_ehsi_design, 0.0, 0.0);
        if (compass) {
            gfx::GraphicsPath clip;
            clip.add_ellipse_i(29, 14, 200, 200);
            g.set_clip_path(clip);
        }
        draw_tod_toc_markers(g, static_cast<int>(efs50_ehsi_range_base), efs50_ehsi_range, 129, centre_y, 5,
                             1.0, 1.0, a.plat, a.plon, a.map_heading_deg);
    }
    if (DrawBodArcOnEFS50EHSI == 1 && level_off_arc_wanted()) draw_bod_arc_efs50_ehsi(d, g, ppn);
}

void paint(gfx::Graphics& g) {
    const DisplayObject& d = efs50_ehsi_display;
    const int mode = efs50_ehsi_mode;
    if (mode >= kEfs50EhsiModeHsi && mode <= kEfs50EhsiModeRoseMapSectors) {
        efs50_ehsi_range_base = 50.0;
        draw_efs50_ehsi_compass_map(d, g, units_per_nm(50.0, efs50_ehsi_range));
    } else if (mode >= kEfs50EhsiModeArc && mode <= kEfs50EhsiModeArcWxOff) {
        efs50_ehsi_range_base = 95.0;
        draw_efs50_ehsi_arc_map(d, g);
    }
    // A range that cannot scale the map leaves the map pieces out.
    const double ppn = units_per_nm(efs50_ehsi_range_base, efs50_ehsi_range);
    if (mode <= kEfs50EhsiModeArcWxOff) draw_efs50_ehsi_data_fields(d, g);
    const bool map_format = mode == kEfs50EhsiModeRoseMapWxOff || mode == kEfs50EhsiModeRoseMapSectors ||
                            mode == kEfs50EhsiModeArcMap || mode == kEfs50EhsiModeArcMapWxOff;
    if (efs50_nav_source == kEfs50NavSourceFms && map_format) draw_route_overlays(g, d, mode, ppn);
    g.reset_clip();
    if (mode >= kEfs50EhsiModeHsi && mode <= kEfs50EhsiModeRoseMapSectors)
        draw_efs50_ehsi_deviation_scale(d, g);
    if (mode == kEfs50EhsiModeTcas) draw_efs50_range_arc(d, g, false);
}

} // namespace

void draw_efs50_range_arc(const DisplayObject& d, gfx::Graphics& g, bool on_tcas_overlay) {
    const gfx::FontFamily family("Arial");
    const gfx::Font font(family, 15.0f, gfx::FontStyle::Bold, gfx::Unit::Pixel);
    const gfx::SolidBrush cyan(c::blue), white(c::white);
    const gfx::Pen cyan2(c::blue, 2.0f), white1(c::white, 1.0f);
    const double range = efs50_tcas_range;
    for (int a = 0; a < 360; a += 10) {
        set_design_frame(g, d, efs50_ehsi_design, 129.0f, 114.0f);
        g.rotate_transform(static_cast<float>(a));
        if (a % 30 != 0) {
            g.fill_ellipse_i(cyan, 0, -100, 5, 5);
            continue;
        }
        g.draw_line_i(cyan2, 0, -90, 0, -100);
        // The inner dots mark 2 NM on the outer ring's scale.
        if (range == 5.0)
            g.fill_ellipse_i(cyan, 0, -40, 5, 5);
        else if (range == 10.0)
            g.fill_ellipse_i(cyan, 0, -20, 4, 4);
        else if (range == 20.0)
            g.fill_ellipse_i(cyan, 0, -10, 3, 3);
    }
    set_design_frame(g, d, efs50_ehsi_design, 129.0f, 114.0f);
    g.draw_lines_i(white1, efs50_aircraft_outline);
    char text[32];
    std::snprintf(text, sizeof text, "%2.0f", range);
    g.draw_string(text, font, white, gfx::PointF{on_tcas_overlay ? 40.0f : 80.0f, 94.0f});
}

void render_efs50_ehsi(void* device_context, PixelSize size, int32_t view_mode) {
    RenderFrameOptions o;
    o.design_width = 266.0f;
    o.design_height = 230.0f;
    o.background = background_argb(efs50_ehsi_background_rgb);
    run_render_frame(efs50_ehsi_display, device_context, size, view_mode, aircraft_state.display_power, o,
                     [](gfx::Graphics& g) { paint(g); });
}

void render_efs50_tcas(void* device_context, PixelSize size, int32_t view_mode) {
    // A transparent overlay: no transform and no background of its own.
    RenderFrameOptions o;
    o.design_width = 266.0f;
    o.design_height = 230.0f;
    o.pre_clear = true;
    o.scale = false;
    o.fill_background = false;
    run_render_frame(efs50_tcas_display, device_context, size, view_mode, aircraft_state.display_power, o,
                     [](gfx::Graphics& g) { draw_efs50_range_arc(efs50_tcas_display, g, true); });
}
