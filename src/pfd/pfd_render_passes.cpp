#include "pfd/pfd_render_passes.h"

#include "data/c17_mfd_state.h"
#include "data/display_settings.h"
#include "data/pfd_settings.h"
#include "pfd/a320_eadi.h"
#include "pfd/b777_pfd.h"
#include "pfd/efs50_eadi.h"
#include "pfd/proline_eicas.h"
#include "sim/aircraft_state.h"

DisplayObject efs50_eadi_display;
DisplayObject a320_eadi_display;
DisplayObject b777_pfd_display;
DisplayObject proline_eicas_display;

namespace {

constexpr int kOpaqueBlack[3] = {0, 0, 0};

RenderFrameOptions canvas(float width, float height, const int (&background_rgb)[3]) {
    RenderFrameOptions o;
    o.design_width = width;
    o.design_height = height;
    o.background = background_argb(background_rgb);
    return o;
}

} // namespace

void render_efs50_eadi(void* device_context, PixelSize size, int32_t view_mode) {
    RenderFrameOptions o = canvas(266, 230, kOpaqueBlack);
    o.smoothing = gfx::SmoothingMode::AntiAlias;
    o.smoothing_after_test = true;
    run_render_frame(efs50_eadi_display, device_context, size, view_mode, aircraft_state.display_power, o,
                     [](gfx::Graphics& g) { draw_efs50_eadi(efs50_eadi_display, g); });
}

void render_b777_pfd(void* device_context, PixelSize size, int32_t view_mode) {
    RenderFrameOptions o = canvas(260, 260, b777_pfd_background_rgb);
    o.fill_width = 285;
    o.clear_color = 0x0072BD61; // fully transparent
    run_render_frame(b777_pfd_display, device_context, size, view_mode, aircraft_state.display_power, o,
                     [](gfx::Graphics& g) { draw_b777_pfd(b777_pfd_display, g); });
}

void render_proline_eicas(void* device_context, PixelSize size, int32_t view_mode) {
    RenderFrameOptions o = canvas(486, 110, proline4_mfd_background_rgb);
    o.text_hint_first = true;
    run_render_frame(proline_eicas_display, device_context, size, view_mode, aircraft_state.display_power, o,
                     [](gfx::Graphics& g) { draw_proline_eicas(proline_eicas_display, g); });
}

void render_a320_eadi(void* device_context, PixelSize size, int32_t, int32_t) {
    RenderFrameOptions o = canvas(318, 310, a320_eadi_background_rgb);
    o.smoothing = gfx::SmoothingMode::AntiAlias;
    o.smoothing_after_test = true;
    o.test_mode = false;
    run_render_frame(a320_eadi_display, device_context, size, RENDER_MODE_DRAW, aircraft_state.display_power,
                     o, [](gfx::Graphics& g) { draw_a320_eadi(a320_eadi_display, g); });
}
