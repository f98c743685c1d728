// The frame every render pass follows around its painters: wrap the
// element's device context in a Graphics (which keeps the status of its last
// failing call, as the module's graphics wrapper does), set the drawing
// qualities, clear and stop when the display is unpowered or only to be
// cleared, map the display's design canvas onto the element, fill the
// background, run the painters, and release the Graphics.
#pragma once

#include "map/palette.h"
#include "platform/gfx.h"

#include <cstdint>
#include <type_traits>

struct ElementHeader;

// An element's size in pixels.
struct PixelSize {
    int32_t width = 0;
    int32_t height = 0;
};

// The size of the element's image record ({0, 0} without one).
PixelSize element_pixel_size(const ElementHeader* element);

// Base of the display objects (one per display kind, shared by a display's
// gauges): the element's pixel size, overwritten by each render call that
// has a device context. Painters that set their own transform read it.
struct DisplayObject {
    int32_t width = 134;
    int32_t height = 97;
};

// A display's background from its configured red, green and blue (the low
// 8 bits of each), opaque.
gfx::Argb background_argb(const int (&rgb)[3]);

// View modes a placement gives its render pass.
inline constexpr int32_t RENDER_MODE_KEEP = 0; // not drawn: the previous picture stays
inline constexpr int32_t RENDER_MODE_DRAW = 1;
inline constexpr int32_t RENDER_MODE_CLEAR_ONLY = 2; // only clears the surface
inline constexpr int32_t RENDER_MODE_VC2 = 3;        // drawn, less the boundaries and some layers

// How one render pass runs the frame. The defaults are the frame of most
// displays: smoothing high quality, text hint anti-alias after the power
// test, scale to the design canvas and fill it black.
struct RenderFrameOptions {
    float design_width = 0.0f; // canvas the painters draw on, in design units
    float design_height = 0.0f;
    float fill_width = 0.0f; // background rectangle; 0 takes the design size
    float fill_height = 0.0f;
    bool set_smoothing = true;
    bool smoothing_after_test = false; // set only when drawing, after the power test
    gfx::SmoothingMode smoothing = gfx::SmoothingMode::HighQuality;
    bool set_text_hint = true;
    bool text_hint_first = false; // set the hint before the smoothing mode
    gfx::TextRenderingHint text_hint = gfx::TextRenderingHint::AntiAlias;
    bool pre_clear = false; // clear to 0 before the power test
    bool test_display_power = true;
    bool test_mode = true;
    int32_t clear_mode = RENDER_MODE_CLEAR_ONLY; // C17_MFD passes unit 0 for this
    gfx::Argb clear_color = 0x00000000;          // of the unpowered or clear-only surface
    bool scale = true;                           // reset the transform and scale pixel size / design size
    bool fill_background = true;
    gfx::Argb background = palette::black;
};

using FramePainter = void (*)(gfx::Graphics& graphics, void* context);

// Runs the frame on `display` for the element's device context and size in
// the given view mode. `display_power` is the aircraft's display power (0:
// unpowered). Returns true when the painter ran; false for a null device
// context (nothing happens, the display keeps its size) and for a surface
// cleared without drawing.
bool run_render_frame(DisplayObject& display, void* device_context, PixelSize size, int32_t mode,
                      int32_t display_power, const RenderFrameOptions& options, FramePainter painter,
                      void* context);

// The same with any callable taking gfx::Graphics&.
template <class Paint>
bool run_render_frame(DisplayObject& display, void* device_context, PixelSize size, int32_t mode,
                      int32_t display_power, const RenderFrameOptions& options, Paint&& paint) {
    using P = std::remove_reference_t<Paint>;
    return run_render_frame(
        display, device_context, size, mode, display_power, options,
        [](gfx::Graphics& graphics, void* context) { (*static_cast<P*>(context))(graphics); },
        const_cast<void*>(static_cast<const void*>(&paint)));
}
