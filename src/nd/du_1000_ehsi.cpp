// The DU_1000_EHSI render pass and its north-up plan page: the shared render
// frame, then the painters of the mode, the map layer when it has something
// to show, and the data fields over everything but the plan page.
#include "data/display_settings.h"
#include "data/display_state.h"
#include "fms/plan/route_plan.h"
#include "map/map_canvas.h"
#include "map/map_projection.h"
#include "map/palette.h"
#include "map/range_ladder.h"
#include "nd/du_1000_ehsi_painters.h"
#include "nd/nd_render_passes.h"
#include "platform/gfx.h"
#include "sim/aircraft_state.h"
#include "sim/sim_var_reader.h"

namespace {

namespace c = palette;

void paint(gfx::Graphics& g, int view_mode) {
    const DisplayObject& d = du_1000_ehsi_display;
    const int mode = du_1000_ehsi_mode;
    // Without a usable range this is 0 and the map pieces draw nothing.
    const double ppn = units_per_nm(du_1000_compass_radius, du_1000_ehsi_range);
    switch (mode) {
    case kEhsiModeCompass:
        draw_du_1000_ehsi_hsi(d, g);
        break;
    case kEhsiModeArc:
        draw_du_1000_ehsi_compass(d, g, ppn);
        break;
    case kEhsiModePlan:
        draw_du_1000_ehsi_mode2(d, g);
        if (du_1000_ehsi_map_wanted()) draw_du_1000_ehsi_map(d, g, view_mode, ppn);
        break;
    case kEhsiModeMap:
        draw_du_1000_ehsi_compass(d, g, ppn);
        if (du_1000_ehsi_map_wanted()) draw_du_1000_ehsi_map(d, g, view_mode, ppn);
        break;
    default:
        return; // only the background
    }
    g.reset_clip();
    if (mode != kEhsiModePlan) draw_du_1000_ehsi_frame(d, g);
}

} // namespace

bool du_1000_ehsi_map_wanted() {
    return to_waypoint_index != kNoToWaypoint || show_navaids_flags[ND_DU_1000] == 1 ||
           du_1000_ehsi_show_ndbs == 1 || show_airports_flags[ND_DU_1000] == 1 ||
           show_airway_fixes_flags[ND_DU_1000] == 1 || tcas_display_on == 1 || show_atc_boundaries == 1;
}

std::string du_1000_ehsi_nav_source() {
    if (!(sim_var_object.get_nav1_signal() > 0.0)) return "";
    if (sim_var_object.test_simvar_46_bit_128() == 0) return "VOR";
    return sim_var_object.test_simvar_46_bit_64() != 0 ? "ILS" : "LOC";
}

void draw_du_1000_ehsi_mode2(const DisplayObject& d, gfx::Graphics& g) {
    const gfx::Pen white(c::white, 2.0f), green(c::green, 2.0f);
    const gfx::FontFamily family("Arial");
    const gfx::Font font(family, 15.0f, gfx::FontStyle::Bold, gfx::Unit::Pixel);
    const gfx::SolidBrush green_brush(c::green);
    set_design_frame(g, d, du_1000_ehsi_design, 159.0, 155.0);
    g.draw_ellipse_i(white, -140, -140, 280, 280);
    g.draw_ellipse_i(white, -70, -70, 140, 140);
    struct Letter {
        const char* text;
        float x, y;
    };
    for (const Letter& l :
         {Letter{"N", 5, -135}, Letter{"E", 123, -20}, Letter{"W", -137, -20}, Letter{"S", 5, 122}})
        g.draw_string(l.text, font, green_brush, gfx::PointF{l.x, l.y});
    for (int r = 0; r < 360; r += 90) {
        set_design_frame(g, d, du_1000_ehsi_design, 159.0, 155.0);
        g.rotate_transform(static_cast<float>(r));
        g.draw_line_i(green, -5, -132, 0, -137);
        g.draw_line_i(green, 0, -120, 0, -137);
        g.draw_line_i(green, 5, -132, 0, -137);
    }
}

void render_du_1000_ehsi(void* device_context, PixelSize size, int32_t view_mode) {
    RenderFrameOptions o;
    o.design_width = 318.0f;
    o.design_height = 310.0f;
    o.background = background_argb(du_1000_ehsi_background_rgb);
    run_render_frame(du_1000_ehsi_display, device_context, size, view_mode, aircraft_state.display_power, o,
                     [view_mode](gfx::Graphics& g) { paint(g, view_mode); });
}
