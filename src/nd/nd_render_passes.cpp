#include "nd/nd_render_passes.h"

#include "data/display_settings.h"
#include "sim/aircraft_state.h"

DisplayObject efs50_ehsi_display;
DisplayObject efs50_tcas_display;
DisplayObject du_1000_ehsi_display;
DisplayObject hw_b737_nd_display;
DisplayObject hw_md11_nd_display;
DisplayObject md80_ehsi_display;
DisplayObject proline4_mfd_display;

namespace {

RenderFrameOptions canvas(float width, float height, const int (&background_rgb)[3]) {
    RenderFrameOptions o;
    o.design_width = width;
    o.design_height = height;
    o.background = background_argb(background_rgb);
    return o;
}

// The HW_B737_ND's, HW_MD11_ND's, EFS50's, DU_1000_EHSI's and MD80_EHSI's passes are in their own
// files. Painters join here with each display's work.
constexpr auto no_painters = [](gfx::Graphics&) {};

} // namespace

void render_proline4_mfd(void* device_context, PixelSize size, int32_t view_mode) {
    RenderFrameOptions o = canvas(247, 285, proline4_mfd_background_rgb);
    o.text_hint_first = true;
    run_render_frame(proline4_mfd_display, device_context, size, view_mode, aircraft_state.display_power, o,
                     no_painters);
}
