// The render frame, the GDI+ lifetime of the drawing gauges and the element
// helpers.
#include "gauges/gdiplus_lifetime.h"
#include "map/render_frame.h"
#include "platform/gfx_recording.h"
#include "platform/gfx_surface.h"
#include "sim/element_helpers.h"

#include <gtest/gtest.h>

namespace {

using gfx::OpKind;
using gfx::RecordedOp;

// A recording and Cairo surface, and GDI+ started as a connected gauge does.
class RenderFrame : public ::testing::Test {
  protected:
    void SetUp() override {
        gdiplus_connect();
        dc_ = gfx::create_surface_dc(40, 30, gfx::SurfaceCairo | gfx::SurfaceRecording);
        ASSERT_NE(dc_, nullptr);
        // Something from an earlier frame, to see what a clear leaves.
        gfx::Graphics g(dc_);
        g.fill_rectangle(gfx::SolidBrush(0xFFFF0000), 0, 0, 40, 30);
        rec().clear();
    }
    void TearDown() override {
        gfx::destroy_surface_dc(dc_);
        gdiplus_disconnect();
    }
    gfx::Recording& rec() { return *gfx::surface_recording(dc_); }
    int painted() const {
        int n = 0;
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 40; ++x)
                n += gfx::surface_pixel(dc_, x, y) != 0;
        return n;
    }

    void* dc_ = nullptr;
};

RenderFrameOptions display_options(float w, float h) {
    RenderFrameOptions o;
    o.design_width = w;
    o.design_height = h;
    return o;
}

TEST_F(RenderFrame, ClearOnlyModeAndNoPowerClearToTransparentAndDrawNothingElse) {
    DisplayObject display;
    const RenderFrameOptions options = display_options(244, 302);
    int painter_calls = 0;
    auto paint = [&](gfx::Graphics& g) {
        ++painter_calls;
        g.draw_line(gfx::Pen(0xFFFFFFFF), 0, 0, 10, 10);
    };
    struct Case {
        int32_t mode;
        int32_t power;
    };
    for (const Case c :
         {Case{RENDER_MODE_CLEAR_ONLY, 1}, Case{RENDER_MODE_DRAW, 0}, Case{RENDER_MODE_VC2, 0}}) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << " power " << c.power);
        rec().clear();
        EXPECT_FALSE(run_render_frame(display, dc_, PixelSize{40, 30}, c.mode, c.power, options, paint));
        EXPECT_EQ(painter_calls, 0);
        ASSERT_EQ(rec().drawing_count(), 1u);
        const auto clears = rec().of_kind(OpKind::Clear);
        ASSERT_EQ(clears.size(), 1u);
        EXPECT_EQ(clears[0]->color, 0u);
        EXPECT_EQ(painted(), 0);
        EXPECT_EQ(display.width, 40); // the size is taken before the test
    }

    // C17_MFD clears on unit 0 instead; a pass that tests neither draws.
    RenderFrameOptions c17 = options;
    c17.clear_mode = 0;
    const int32_t other_unit = 2;
    EXPECT_FALSE(run_render_frame(display, dc_, PixelSize{40, 30}, c17.clear_mode, 1, c17, paint));
    EXPECT_TRUE(run_render_frame(display, dc_, PixelSize{40, 30}, other_unit, 1, c17, paint));
    RenderFrameOptions smiths = options;
    smiths.test_display_power = false;
    smiths.test_mode = false;
    EXPECT_TRUE(run_render_frame(display, dc_, PixelSize{40, 30}, RENDER_MODE_CLEAR_ONLY, 0, smiths, paint));
    EXPECT_EQ(painter_calls, 2);
}

TEST_F(RenderFrame, AnElementWithoutAreaDrawsNothingPastTheClear) {
    DisplayObject display;
    RenderFrameOptions options = display_options(244, 302);
    options.pre_clear = true;
    int painter_calls = 0;
    for (const PixelSize size : {PixelSize{0, 30}, PixelSize{40, 0}, PixelSize{-40, 30}, PixelSize{40, -1}}) {
        rec().clear();
        EXPECT_FALSE(run_render_frame(display, dc_, size, RENDER_MODE_DRAW, 1, options,
                                      [&](gfx::Graphics&) { ++painter_calls; }))
            << size.width << " x " << size.height;
        EXPECT_EQ(rec().drawing_count(), 1u); // the clear only
        EXPECT_EQ(rec().of_kind(OpKind::Clear).size(), 1u);
        EXPECT_EQ(display.width, 134); // the last real size stays
        EXPECT_EQ(display.height, 97);
    }
    EXPECT_EQ(painter_calls, 0);
}

TEST_F(RenderFrame, ScalesPixelSizeOverDesignSizeAndFillsTheBackground) {
    DisplayObject display;
    EXPECT_EQ(display.width, 134);
    EXPECT_EQ(display.height, 97);
    RenderFrameOptions options = display_options(244, 302);
    options.background = 0xFF102030;
    gfx::Matrix seen;
    const bool drew = run_render_frame(display, dc_, PixelSize{488, 604}, RENDER_MODE_DRAW, 1, options,
                                       [&](gfx::Graphics& g) {
                                           seen = g.transform();
                                           g.draw_line(gfx::Pen(0xFFDEE6E9, 2.0f), 0, 0, 244, 302);
                                       });
    EXPECT_TRUE(drew);
    EXPECT_EQ(display.width, 488);
    EXPECT_EQ(display.height, 604);
    // 488 x 604 over 244 x 302: every design unit is 2 x 2 pixels.
    EXPECT_FLOAT_EQ(seen.m11, 2.0f);
    EXPECT_FLOAT_EQ(seen.m22, 2.0f);
    EXPECT_FLOAT_EQ(seen.dx, 0.0f);

    const auto fills = rec().fills_in_color(0xFF102030);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0]->kind, OpKind::Rectangle);
    EXPECT_FLOAT_EQ(fills[0]->bounds.width, 488.0f);
    EXPECT_FLOAT_EQ(fills[0]->bounds.height, 604.0f);
    const auto lines = rec().lines_in_color(0xFFDEE6E9);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_FLOAT_EQ(lines[0]->points[1].x, 488.0f);
    EXPECT_FLOAT_EQ(lines[0]->points[1].y, 604.0f);
    EXPECT_FLOAT_EQ(lines[0]->device_pen_width, 4.0f);

    // A non-proportional element stretches; the fill may exceed the canvas.
    rec().clear();
    RenderFrameOptions mcu = display_options(239, 78);
    mcu.fill_width = 250;
    mcu.fill_height = 85;
    mcu.set_smoothing = false;
    run_render_frame(display, dc_, PixelSize{478, 39}, RENDER_MODE_DRAW, 1, mcu,
                     [&](gfx::Graphics& g) { seen = g.transform(); });
    EXPECT_FLOAT_EQ(seen.m11, 2.0f);
    EXPECT_FLOAT_EQ(seen.m22, 0.5f);
    ASSERT_EQ(rec().fills_in_color(0xFF000000).size(), 1u);
    EXPECT_FLOAT_EQ(rec().fills_in_color(0xFF000000)[0]->bounds.width, 500.0f);
    EXPECT_TRUE(rec().of_kind(OpKind::Setting).size() == 1u); // the text hint only
}

TEST_F(RenderFrame, NullDeviceContextDoesNothing) {
    DisplayObject display;
    bool called = false;
    EXPECT_FALSE(run_render_frame(display, nullptr, PixelSize{10, 10}, RENDER_MODE_DRAW, 1,
                                  display_options(10, 10), [&](gfx::Graphics&) { called = true; }));
    EXPECT_FALSE(called);
    EXPECT_EQ(display.width, 134);
    EXPECT_EQ(rec().ops.size(), 0u);
}

TEST_F(RenderFrame, SettingsFollowEachPassesOrder) {
    DisplayObject display;
    // PROLINE4_MFD and P1000_MFD set the text hint before the smoothing mode.
    RenderFrameOptions first = display_options(247, 285);
    first.text_hint_first = true;
    run_render_frame(display, dc_, PixelSize{40, 30}, RENDER_MODE_DRAW, 1, first, [](gfx::Graphics&) {});
    auto settings = rec().of_kind(OpKind::Setting);
    ASSERT_EQ(settings.size(), 2u);
    EXPECT_EQ(settings[0]->setting, gfx::SettingKind::TextRenderingHint);
    EXPECT_EQ(settings[0]->value, 4);
    EXPECT_EQ(settings[1]->setting, gfx::SettingKind::SmoothingMode);
    EXPECT_EQ(settings[1]->value, 2);

    // The debug pass: smoothing 2, clear, hint 4, no tests, no scale, no fill.
    rec().clear();
    RenderFrameOptions debug;
    debug.pre_clear = true;
    debug.test_display_power = false;
    debug.test_mode = false;
    debug.scale = false;
    debug.fill_background = false;
    gfx::Matrix seen;
    seen.m11 = 9.0f;
    EXPECT_TRUE(run_render_frame(display, dc_, PixelSize{40, 30}, RENDER_MODE_CLEAR_ONLY, 0, debug,
                                 [&](gfx::Graphics& g) { seen = g.transform(); }));
    ASSERT_EQ(rec().ops.size(), 3u);
    EXPECT_EQ(rec().ops[0].setting, gfx::SettingKind::SmoothingMode);
    EXPECT_EQ(rec().ops[1].kind, OpKind::Clear);
    EXPECT_EQ(rec().ops[2].setting, gfx::SettingKind::TextRenderingHint);
    EXPECT_FLOAT_EQ(seen.m11, 1.0f);
}

TEST(GdiplusLifetime, RunsWhileAnyDrawingGaugeIsConnected) {
    EXPECT_EQ(gdiplus_token, 0u);
    gdiplus_connect();
    const uint32_t token = gdiplus_token;
    EXPECT_NE(token, 0u);
    gdiplus_connect(); // a second gauge shares the token
    EXPECT_EQ(gdiplus_token, token);
    EXPECT_EQ(gdiplus_connected_gauges, 2);

    // One gauge leaves the panel: the other keeps drawing.
    gdiplus_disconnect();
    EXPECT_EQ(gdiplus_token, token);
    EXPECT_TRUE(gfx::started());
    void* dc = gfx::create_surface_dc(20, 20, gfx::SurfaceRecording);
    DisplayObject display;
    gfx::Status status = gfx::Status::GenericError;
    RenderFrameOptions options = display_options(20, 20);
    EXPECT_TRUE(
        run_render_frame(display, dc, PixelSize{20, 20}, RENDER_MODE_DRAW, 1, options, [&](gfx::Graphics& g) {
            g.draw_line(gfx::Pen(0xFFFFFFFF), 0, 0, 5, 5);
            status = g.last_status();
        }));
    EXPECT_EQ(status, gfx::Status::Ok);
    EXPECT_EQ(gfx::surface_recording(dc)->lines_in_color(0xFFFFFFFF).size(), 1u);

    // The last one leaves: GDI+ stops and drawing calls fail.
    gdiplus_disconnect();
    EXPECT_EQ(gdiplus_token, 0u);
    EXPECT_FALSE(gfx::started());
    gfx::surface_recording(dc)->clear();
    run_render_frame(display, dc, PixelSize{20, 20}, RENDER_MODE_DRAW, 1, options,
                     [&](gfx::Graphics& g) { status = g.last_status(); });
    EXPECT_NE(status, gfx::Status::Ok);
    EXPECT_EQ(gfx::surface_recording(dc)->ops.size(), 0u);

    // An unmatched disconnect changes nothing; the next connect starts again.
    gdiplus_disconnect();
    EXPECT_EQ(gdiplus_connected_gauges, 0);
    gdiplus_connect();
    EXPECT_NE(gdiplus_token, 0u);
    EXPECT_TRUE(gfx::started());
    gdiplus_disconnect();
    EXPECT_EQ(gdiplus_token, 0u);
    gfx::destroy_surface_dc(dc);
}

TEST(ElementHelpers, ChainsFlagsAndFlagTests) {
    ElementHeader gauge{}, child{}, grandchild{};
    ElementHeader* to_child[1] = {&child};
    ElementHeader* to_grandchild[1] = {&grandchild};
    gauge.next_element = to_child;
    child.next_element = to_grandchild;
    grandchild.image_flags = 0x00000003u;

    EXPECT_EQ(get_list_element(&gauge, 0), &gauge);
    EXPECT_EQ(get_list_element(&gauge, 1), &child);
    EXPECT_EQ(get_list_element(&gauge, 2), &grandchild);
    EXPECT_EQ(get_list_element(&gauge, 3), nullptr);
    EXPECT_EQ(get_list_element(nullptr, 0), nullptr);

    set_list_element_flags(&gauge, 2, IMAGE_HIDDEN);
    EXPECT_EQ(grandchild.image_flags, 0x40000003u);
    clear_list_element_flags(&gauge, 2, IMAGE_HIDDEN);
    EXPECT_EQ(grandchild.image_flags, 0x00000003u);
    // Past the chain nothing changes anywhere.
    set_list_element_flags(&gauge, 5, IMAGE_HIDDEN);
    clear_list_element_flags(&gauge, 5, 0xFFFFFFFFu);
    set_list_element_flags(nullptr, 0, IMAGE_HIDDEN);
    EXPECT_EQ(gauge.image_flags, 0u);
    EXPECT_EQ(child.image_flags, 0u);
    EXPECT_EQ(grandchild.image_flags, 0x00000003u);

    // An empty next-element array ends the chain too.
    ElementHeader* none[1] = {nullptr};
    grandchild.next_element = none;
    EXPECT_EQ(get_list_element(&gauge, 3), nullptr);

    ImageRecord image{0, 244, 302, nullptr};
    child.image = &image;
    EXPECT_EQ(element_pixel_size(&child).width, 244);
    EXPECT_EQ(element_pixel_size(&child).height, 302);
    EXPECT_EQ(element_pixel_size(&gauge).width, 0);

    ModuleVarBlock block{};
    block.var_value.u = 40;
    EXPECT_EQ(flags_test(block, 8), 1);
    EXPECT_EQ(flags_test(block, 16), 0);
    EXPECT_EQ(flags_test(block, 0), 0);
}

} // namespace
