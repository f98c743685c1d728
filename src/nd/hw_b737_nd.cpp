// The HW_B737_ND render pass: the shared render frame, then the display's
// window clip, the map geometry of the mode and the painters in their order.
#include "nd/nd_render_passes.h"

#include "data/display_geometry.h"
#include "data/display_settings.h"
#include "data/display_state.h"
#include "fms/nav/fix_info.h"
#include "fms/nav/nearby_lists.h"
#include "fms/plan/holds.h"
#include "fms/plan/route_state.h"
#include "map/map_canvas.h"
#include "map/map_overlays.h"
#include "map/map_projection.h"
#include "map/near_layers.h"
#include "map/range_ladder.h"
#include "nd/hw_b737_nd_painters.h"
#include "sim/aircraft_state.h"
#include "sim/sim_var_reader.h"

namespace {

// The display's window: the top edge is an arc of the circle of radius 175
// about (123, 207), the other edges the canvas.
void clip_to_window(gfx::Graphics& g) {
    gfx::GraphicsPath path;
    path.add_arc_i(-52, 32, 350, 350, 225.0f, 89.0f);
    path.add_line_i(244, 79, 244, 302);
    path.add_line_i(244, 302, 0, 302);
    path.add_line_i(0, 302, 0, 81);
    path.close_figure();
    g.set_clip_path(path);
}

// Modes 5 to 7: the map painters and layers in their order.
void draw_map_modes(gfx::Graphics& g, int mode, int view_mode, double ppn) {
    const DisplayObject& d = hw_b737_nd_display;
    const AircraftState& a = aircraft_state;
    const double range = hw_b737_nd_range;

    if (show_atc_boundaries == 1 && mode < kB737NdModePlan && view_mode != RENDER_MODE_VC2)
        draw_atc_boundaries_hw_b737_nd(d, g);
    if (pattern_runway_count() > 0 && mode < kB737NdModePlan && range <= 2.5) {
        // The boundaries leave the frame translated to the map centre.
        set_design_frame(g, d, hw_b737_nd_design, 0.0f, 0.0f);
        draw_runway_labels(g, hw_b737_nd_compass_radius, hw_b737_nd_centre_x, hw_b737_nd_centre_y, range);
    }
    draw_hw_b737_nd_map(d, g, ppn);
    if (!fix_info[1].ident.empty() || !fix_info[2].ident.empty()) draw_fix_info_hw_b737_nd(d, g, ppn);
    if (sim_var_object.get_nav1_signal() > 0.0 && a.nav1_dme_nm > 0.0 &&
        sim_var_object.test_simvar_46_bit_128() == 0 && mode < kB737NdModePlan)
        draw_hw_b737_nd_map_layer(d, g, ppn);
    if (show_navaids_flags[ND_HW_B737] == 1 && range <= 160.0) draw_near_navaids_hw_b737_nd(d, g, ppn);
    if (show_airports_flags[ND_HW_B737] == 1 && range <= 160.0) draw_near_airports_hw_b737_nd(d, g, ppn);
    if (show_airway_fixes_flags[ND_HW_B737] == 1 && range <= 40.0 && view_mode != RENDER_MODE_VC2)
        draw_near_airway_fixes_hw_b737_nd(d, g, ppn);
    if (hold_list.count() >= 1 && hold_list[1].active_index() > 0 && mode < kB737NdModePlan)
        draw_hold_pattern_hw_b737_nd(d, g, hw_b737_nd_centre_x, hw_b737_nd_centre_y, ppn);
    if (route_state == kRouteStateEntered || route_state == kRouteStateActivated ||
        route_state == kRouteStateActiveModified)
        draw_hw_b737_nd_route(d, g, ppn);
    if (mode < kB737NdModePlan) draw_hw_b737_nd_arc_part(d, g, ppn);
    if (level_off_arc_wanted() && mode < kB737NdModePlan) draw_bod_arc_hw_b737_nd(d, g, ppn);
}

void paint(gfx::Graphics& g, int view_mode) {
    const DisplayObject& d = hw_b737_nd_display;
    const int mode = hw_b737_nd_mode;
    // From the radius as it stands before this frame's mode stores its own:
    // the first frame after a switch between the arc and the centred modes
    // is drawn at the old scale. Without a usable range it is 0 and the map
    // pieces that need it draw nothing.
    const double ppn = units_per_nm(hw_b737_nd_compass_radius, hw_b737_nd_range);

    clip_to_window(g);
    if (mode <= kB737NdModeVor) {
        draw_hw_b737_nd_compass_rose(d, g);
    } else {
        const bool centred = mode >= kB737NdModeCtrMap;
        hw_b737_nd_centre_y = centred ? 171 : 249;
        hw_b737_nd_compass_radius = centred ? 110 : 215;
        if (mode >= kB737NdModeMap && ppn > 0.0) draw_map_modes(g, mode, view_mode, ppn);
        if (tcas_display_on == 1 && mode < kB737NdModePlan)
            set_design_frame(g, d, hw_b737_nd_design, 0.0f, 0.0f);
        g.reset_clip();
        draw_hw_b737_nd_nav_layer(d, g);
    }
    g.reset_clip();
    draw_hw_b737_nd_frame(d, g);
}

} // namespace

void render_hw_b737_nd(void* device_context, PixelSize size, int32_t view_mode) {
    RenderFrameOptions o;
    o.design_width = 244.0f;
    o.design_height = 302.0f;
    o.background = background_argb(hw_b737_nd_background_rgb);
    run_render_frame(hw_b737_nd_display, device_context, size, view_mode, aircraft_state.display_power, o,
                     [view_mode](gfx::Graphics& g) { paint(g, view_mode); });
}
