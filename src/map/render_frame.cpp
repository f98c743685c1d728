// The render frame shared by the render passes.
#include "map/render_frame.h"

#include "sim/gauge_abi.h"

PixelSize element_pixel_size(const ElementHeader* element) {
    if (!element || !element->image) return PixelSize{};
    return PixelSize{element->image->width, element->image->height};
}

gfx::Argb background_argb(const int (&rgb)[3]) {
    return 0xFF000000u | (static_cast<uint32_t>(rgb[0]) & 0xFFu) << 16 |
           (static_cast<uint32_t>(rgb[1]) & 0xFFu) << 8 | (static_cast<uint32_t>(rgb[2]) & 0xFFu);
}

bool run_render_frame(DisplayObject& display, void* device_context, PixelSize size, int32_t mode,
                      int32_t display_power, const RenderFrameOptions& options, FramePainter painter,
                      void* context) {
    if (!device_context) return false;
    // An element without an area has nothing to map the design canvas onto.
    const bool sized = size.width > 0 && size.height > 0;
    if (sized) {
        display.width = size.width;
        display.height = size.height;
    }

    // Failing calls leave their status in the Graphics and drawing goes on.
    gfx::Graphics graphics(device_context);
    if (options.set_text_hint && options.text_hint_first) graphics.set_text_rendering_hint(options.text_hint);
    if (options.set_smoothing && !options.smoothing_after_test)
        graphics.set_smoothing_mode(options.smoothing);
    if (options.pre_clear) graphics.clear(0x00000000);

    const bool unpowered = options.test_display_power && display_power == 0;
    const bool clear_only = options.test_mode && mode == options.clear_mode;
    if (unpowered || clear_only) {
        graphics.clear(options.clear_color);
        return false;
    }
    if (!sized) return false;

    if (options.set_smoothing && options.smoothing_after_test) graphics.set_smoothing_mode(options.smoothing);
    if (options.set_text_hint && !options.text_hint_first)
        graphics.set_text_rendering_hint(options.text_hint);
    if (options.scale && options.design_width > 0.0f && options.design_height > 0.0f) {
        graphics.reset_transform();
        graphics.scale_transform(static_cast<float>(size.width) / options.design_width,
                                 static_cast<float>(size.height) / options.design_height);
    }
    if (options.fill_background) {
        const float w = options.fill_width > 0.0f ? options.fill_width : options.design_width;
        const float h = options.fill_height > 0.0f ? options.fill_height : options.design_height;
        const gfx::SolidBrush background(options.background);
        graphics.fill_rectangle_i(background, 0, 0, w, h);
    }
    if (painter) painter(graphics, context);
    return true;
}
