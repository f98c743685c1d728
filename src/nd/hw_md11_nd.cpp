// The HW_MD11_ND render pass and its PLAN frame: the shared render frame,
// then the painters and map layers of the mode, the frame last.
#include "data/display_geometry.h"
#include "data/display_settings.h"
#include "data/display_state.h"
#include "fms/nav/fix_info.h"
#include "fms/plan/route_plan.h"
#include "map/map_canvas.h"
#include "map/map_overlays.h"
#include "map/map_projection.h"
#include "map/near_layers.h"
#include "map/palette.h"
#include "map/range_ladder.h"
#include "nd/hw_md11_nd_painters.h"
#include "nd/nd_render_passes.h"
#include "platform/gfx.h"
#include "sim/aircraft_state.h"

#include <cmath>

namespace {

namespace c = palette;

// The instance of the virtual cockpit while the pop-up window is open.

void draw_layers(gfx::Graphics& g, double ppn, double navaid_reach) {
    const DisplayObject& d = hw_md11_nd_display;
    const double range = hw_md11_nd_range;
    if (!fix_info[1].ident.empty() || !fix_info[2].ident.empty()) draw_fix_info_hw_md11_nd(d, g, ppn);
    if (show_navaids_flags[ND_HW_MD11] == 1 && range <= navaid_reach) draw_near_navaids_hw_md11_nd(d, g, ppn);
    if (show_airports_flags[ND_HW_MD11] == 1 && range <= 160.0) draw_near_airports_hw_md11_nd(d, g, ppn);
    if (show_airway_fixes_flags[ND_HW_MD11] == 1 && range <= 80.0)
        draw_near_airway_fixes_hw_md11_nd(d, g, ppn);
}

void paint(gfx::Graphics& g, PixelSize size, int view_mode) {
    const DisplayObject& d = hw_md11_nd_display;
    const int mode = hw_md11_nd_mode;
    const double range = hw_md11_nd_range;
    // Without a usable range this is 0 and the map pieces draw nothing.
    const double ppn = units_per_nm(hw_md11_nd_compass_radius, range);

    if (mode == kMd11NdModePlan) {
        hw_md11_nd_centre_y = 129;
        draw_hw_md11_nd_arc_part(d, g, ppn);
        draw_hw_md11_nd_map(d, g, ppn);
        draw_layers(g, ppn, 160.0);
    } else {
        hw_md11_nd_centre_y = 178;
        draw_hw_md11_nd_main(d, g, ppn);
        if (mode == kMd11NdModeMap) {
            draw_hw_md11_nd_map(d, g, ppn);
            draw_layers(g, ppn, 320.0);
            g.reset_transform();
            g.scale_transform(static_cast<float>(size.width) / 240.0f,
                              static_cast<float>(size.height) / 258.0f);
            if (level_off_arc_wanted()) draw_bod_arc_hw_md11_nd(d, g);
            if (pattern_runway_count() > 0 && range <= 2.5)
                draw_runway_labels(g, hw_md11_nd_compass_radius, hw_md11_nd_centre_x, hw_md11_nd_centre_y,
                                   range);
        }
    }
    // The second virtual-cockpit view leaves the boundaries out.
    if ((mode == kMd11NdModePlan || mode == kMd11NdModeMap) && show_atc_boundaries == 1 &&
        view_mode != RENDER_MODE_VC2)
        draw_atc_boundaries_hw_md11_nd(d, g);
    g.reset_clip();
    draw_hw_md11_nd_frame(d, g);
}

} // namespace

void draw_hw_md11_nd_arc_part(const DisplayObject& d, gfx::Graphics& g, double ppn) {
    const int cx = hw_md11_nd_centre_x;
    set_design_frame(g, d, hw_md11_nd_design, static_cast<float>(cx), 178.0f);
    gfx::GraphicsPath clip;
    clip.add_arc_i(-150, -150, 300, 300, 217.0f, 106.0f);
    const gfx::Point edges[] = {{120, -90}, {120, 20}, {83, 20},  {83, 80},   {-60, 80},
                                {-60, 40},  {-83, 40}, {-83, 20}, {-120, 20}, {-120, -90}};
    clip.add_lines_i(edges);
    clip.close_figure();
    g.set_clip_path(clip);

    set_design_frame(g, d, hw_md11_nd_design, 0.0f, 0.0f);
    const int cy = hw_md11_nd_centre_y;
    const gfx::Pen white2(c::white, 2.0f);
    g.draw_arc_i(white2, cx - 94, cy - 94, 188, 188, 5.0f, 170.0f);
    g.draw_arc_i(white2, cx - 94, cy - 94, 188, 188, 185.0f, 170.0f);
    g.draw_arc_i(white2, cx - 47, cy - 47, 94, 94, 5.0f, 168.0f);
    g.draw_arc_i(white2, cx - 47, cy - 47, 94, 94, 187.0f, 170.0f);

    double dx = 0.0, dy = 0.0;
    const int centre = plan_centre_index();
    if (to_waypoint_index != kNoToWaypoint && centre >= 0 && ppn > 0.0) {
        const MapView view{active_plan[centre].lat, active_plan[centre].lon, 0.0, ppn};
        const MapPlacement p = place_on_map(view, aircraft_state.plat, aircraft_state.plon);
        dx = std::trunc(p.x);
        dy = std::trunc(p.y);
    }
    set_design_frame(g, d, hw_md11_nd_design, static_cast<float>(cx + dx), static_cast<float>(cy + dy));
    g.rotate_transform(static_cast<float>(aircraft_state.heading_deg));
    const gfx::Point outline[] = {{0, -15}, {2, -13}, {2, -5},   {14, -1}, {14, 3},   {2, 3},
                                  {2, 13},  {6, 15},  {6, 17},   {-6, 17}, {-6, 15},  {-2, 13},
                                  {-2, 3},  {-14, 3}, {-14, -1}, {-2, -5}, {-2, -13}, {0, -15}};
    for (std::size_t i = 0; i + 1 < std::size(outline); ++i)
        g.draw_line_i(white2, outline[i].x, outline[i].y, outline[i + 1].x, outline[i + 1].y);
    g.fill_ellipse_i(gfx::SolidBrush(c::white), -2, -3, 4, 4);
}

void render_hw_md11_nd(void* device_context, PixelSize size, int32_t view_mode) {
    RenderFrameOptions o;
    o.design_width = 240.0f;
    o.design_height = 258.0f;
    o.background = background_argb(hw_md11_nd_background_rgb);
    o.pre_clear = true;
    run_render_frame(hw_md11_nd_display, device_context, size, view_mode, aircraft_state.display_power, o,
                     [size, view_mode](gfx::Graphics& g) { paint(g, size, view_mode); });
}
