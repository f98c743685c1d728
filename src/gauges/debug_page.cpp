#include "gauges/debug_page.h"

#include "data/display_state.h"
#include "map/palette.h"
#include "sim/aircraft_state.h"

#include <cstdio>

DisplayObject debug_display;

void render_debug(void* device_context, PixelSize size) {
    RenderFrameOptions o;
    o.pre_clear = true;
    o.test_display_power = false;
    o.test_mode = false;
    o.scale = false;
    o.fill_background = false;
    run_render_frame(debug_display, device_context, size, RENDER_MODE_DRAW, 1, o,
                     [](gfx::Graphics& g) { debug_draw_state(debug_display, g); });
}

void debug_draw_state(const DisplayObject& display, gfx::Graphics& graphics) {
    graphics.scale_transform(static_cast<float>(display.width) / 330.0f,
                             static_cast<float>(display.height) / 310.0f);
    const gfx::FontFamily family("Arial");
    const gfx::Font font(family, 14.0f, gfx::FontStyle::Bold, gfx::Unit::Pixel);
    const gfx::SolidBrush yellow(palette::yellow);
    char text[64];
    std::snprintf(text, sizeof text, "plat=%.6f", aircraft_state.plat);
    graphics.draw_string(text, font, yellow, gfx::PointF{0.0f, 255.0f});
    std::snprintf(text, sizeof text, "plon=%.6f", aircraft_state.plon);
    graphics.draw_string(text, font, yellow, gfx::PointF{0.0f, 270.0f});
    std::snprintf(text, sizeof text, "magvar=%.2f", aircraft_state.magvar);
    graphics.draw_string(text, font, yellow, gfx::PointF{0.0f, 285.0f});
    std::snprintf(text, sizeof text, "tcas_target=%d", tcas_target);
    graphics.draw_string(text, font, yellow, gfx::PointF{170.0f, 225.0f});
}
