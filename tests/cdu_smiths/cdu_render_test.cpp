// The render pass on a recording surface: page dispatch, the end of the
// one-frame inputs, the map step, the canvas mapping and the inverse box.
#include "cdu_smiths/cdu_render.h"
#include "data/display_settings.h"
#include "fms/exec/exec_cursors.h"
#include "fms/units/cdu_text.h"
#include "platform/gfx_recording.h"
#include "platform/gfx_surface.h"

#include <gtest/gtest.h>

namespace {

class RenderPass : public ::testing::Test {
  protected:
    void SetUp() override { gfx::startup(&token_); }
    void TearDown() override {
        if (dc_) gfx::destroy_surface_dc(dc_);
        gfx::shutdown(token_);
    }
    gfx::Recording& draw(int width, int height) {
        if (dc_) gfx::destroy_surface_dc(dc_);
        dc_ = gfx::create_surface_dc(width, height, gfx::SurfaceRecording);
        render_smiths_fms(smiths_cdu_display, dc_, PixelSize{width, height});
        return *gfx::surface_recording(dc_);
    }
    uint32_t token_ = 0;
    void* dc_ = nullptr;
};

} // namespace

TEST_F(RenderPass, pagesWithoutARoutineStayBlankAndDropThePendingKey) {
    for (int page : {0, 2, 13, 40, -1}) {
        smiths_cdu_page = page;
        smiths_cdu_lsk = 4;
        smiths_cdu_next_page = 1;
        const gfx::Recording& r = draw(284, 233);
        EXPECT_EQ(r.drawing_count(), 1u) << page; // the clear
        ASSERT_FALSE(r.ops.empty());
        EXPECT_EQ(r.ops.back().kind, gfx::OpKind::Clear);
        EXPECT_EQ(r.ops.back().color, 0x00000000u);
        EXPECT_EQ(smiths_cdu_lsk, 0) << page;
        EXPECT_EQ(smiths_cdu_next_page, 0) << page;
        EXPECT_EQ(smiths_cdu_page, page);
    }
    // A null device context skips the frame: the key stays pending.
    smiths_cdu_lsk = 4;
    render_smiths_fms(smiths_cdu_display, nullptr, PixelSize{284, 233});
    EXPECT_EQ(smiths_cdu_lsk, 4);
}

TEST_F(RenderPass, anElementWithoutAnAreaDrawsNothingButTakesTheKey) {
    for (PixelSize size : {PixelSize{0, 233}, PixelSize{284, 0}}) {
        smiths_cdu_page = 25;
        const gfx::Recording& r = draw(284, 233);
        const std::size_t before = r.ops.size();
        smiths_cdu_lsk = 11; // IDENT L6: INIT/REF INDEX
        smiths_cdu_next_page = 1;
        render_smiths_fms(smiths_cdu_display, dc_, size);
        for (std::size_t i = before; i < r.ops.size(); ++i)
            EXPECT_NE(r.ops[i].kind, gfx::OpKind::String) << size.width << ": " << r.ops[i].text;
        EXPECT_EQ(smiths_cdu_page, 23) << size.width;
        EXPECT_EQ(smiths_cdu_lsk, 0) << size.width;
        EXPECT_EQ(smiths_cdu_next_page, 0) << size.width;
    }
}

TEST_F(RenderPass, aPageActsOnItsKeyOnceAndTheNewPageShowsNextFrame) {
    smiths_cdu_page = 25;
    smiths_cdu_lsk = 11; // IDENT L6: INIT/REF INDEX
    const gfx::Recording& first = draw(284, 233);
    EXPECT_NE(first.find_text("IDENT"), nullptr);
    EXPECT_EQ(smiths_cdu_page, 23);
    EXPECT_EQ(smiths_cdu_lsk, 0);
    const gfx::Recording& second = draw(284, 233);
    EXPECT_NE(second.find_text("INIT/REF   INDEX"), nullptr);
    EXPECT_EQ(smiths_cdu_page, 23); // the key was not seen twice
}

TEST_F(RenderPass, theCanvasIsScaledToAnyPictureSize) {
    smiths_cdu_page = 25;
    for (auto [w, h] : {std::pair{284, 233}, std::pair{564, 490}, std::pair{141, 122}}) {
        const gfx::Recording& r = draw(w, h);
        const gfx::RecordedOp* prompt = r.find_text("<INDEX");
        ASSERT_NE(prompt, nullptr);
        EXPECT_NEAR(prompt->points.at(0).y, 198.0f * h / 245.0f, 0.01f) << w;
        const gfx::RecordedOp* title = r.find_text("IDENT");
        ASSERT_NE(title, nullptr);
        EXPECT_NEAR(title->points.at(0).x, 63.0f * w / 282.0f, 0.01f) << w;
        EXPECT_EQ(smiths_cdu_display.width, w);
        EXPECT_EQ(smiths_cdu_display.height, h);
    }
}

TEST_F(RenderPass, theMapStepSurvivesOnlyWhileAMapShowsAPlanFormat) {
    smiths_cdu_page = 2;
    struct Row {
        int b737, du1000, md11, md80, step, kept;
    };
    const Row rows[] = {
        {7, 0, 3, 3, 3, 3}, {1, 2, 3, 3, 3, 3}, {1, 0, 2, 3, 3, 3},
        {1, 0, 3, 2, 3, 3}, {1, 0, 3, 3, 3, 0}, {1, 0, 3, 3, -2, -2},
    };
    for (const Row& r : rows) {
        hw_b737_nd_mode = r.b737;
        du_1000_ehsi_mode = r.du1000;
        hw_md11_nd_mode = r.md11;
        md80_ehsi_mode = r.md80;
        legs_map_step = r.step;
        draw(284, 233);
        EXPECT_EQ(smiths_legs_map_step, r.kept) << r.b737 << r.du1000 << r.md11 << r.md80;
    }
}

TEST_F(RenderPass, theInverseBoxCoversFourteenUnitsACharacter) {
    dc_ = gfx::create_surface_dc(282, 245, gfx::SurfaceRecording);
    gfx::Graphics g(dc_);
    cdu_fill_text_box(20, 0, g, 3);
    const gfx::Recording& r = *gfx::surface_recording(dc_);
    const auto fills = r.fills_in_color(0xFF00FA00);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0]->bounds.x, 20.0f);
    EXPECT_EQ(fills[0]->bounds.width, 42.0f);
    EXPECT_EQ(fills[0]->bounds.height, 20.0f);
}
