// The coverage the Cairo backend keeps of repeated calls: bounded in bytes
// and in sessions unused, refused where a call paints past where it was
// looked for, safe when its image goes under a Graphics, and right on the
// widest images Cairo makes.
#include "platform/gfx.h"
#include "platform/gfx_detail.h"
#include "platform/gfx_surface.h"
#include "platform/pixel_levels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

using namespace gfx;

class GfxCairoCover : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(startup(&token_), Status::Ok); }
    void TearDown() override {
        detail::set_coverage_cache(true);
        for (void* dc : dcs_)
            destroy_surface_dc(dc);
        shutdown(token_);
    }
    void* surface(int32_t w, int32_t h) {
        void* dc = create_surface_dc(w, h, SurfaceCairo);
        dcs_.push_back(dc);
        return dc;
    }
    static detail::CoverStats stats(void* dc) {
        return detail::canvas_cover_stats(detail::surface_from_dc(dc)->cairo);
    }
    // Draws a session, and a dot that moves from session to session: a
    // session that repeats the last one exactly is not drawn at all.
    void draw_session(void* dc, const std::function<void(Graphics&)>& draw) {
        Graphics g(dc);
        draw(g);
        g.fill_rectangle(SolidBrush(0xFF808080), static_cast<float>(moves_ % 8), 0, 1, 1);
    }
    // Draws the session on `kept` with coverage kept and on `drawn` without;
    // the largest difference of a channel between them after it.
    int session_both_ways(void* kept, void* drawn, const std::function<void(Graphics&)>& draw) {
        for (void* dc : {kept, drawn}) {
            detail::set_coverage_cache(dc == kept);
            draw_session(dc, draw);
        }
        ++moves_;
        detail::set_coverage_cache(true);
        return worst_level(kept, drawn);
    }

    uint32_t token_ = 0;
    std::vector<void*> dcs_;
    int moves_ = 0;
};

// Ellipses filling most of a 2048 x 1024 image keep about 1.6 MB each.
void ellipses(Graphics& g, int first, int count) {
    g.clear(0xFF000000);
    g.set_smoothing_mode(SmoothingMode::AntiAlias);
    for (int i = first; i < first + count; ++i)
        g.fill_ellipse(SolidBrush(0xFF000000u | (0x10101u * static_cast<uint32_t>(i + 1))), 20.0f + i,
                       10.0f + i, 1800.0f, 900.0f);
}

TEST_F(GfxCairoCover, KeptBytesStayBoundedAndCoverageUnusedIsLetGo) {
    void* kept = surface(2048, 1024);
    void* drawn = surface(2048, 1024);
    constexpr std::size_t kBound = 32u << 20;
    // Ten ellipses, then fourteen others, each set twice: the first set,
    // unused when the second pushes the bytes past the bound, is let go.
    for (int session = 0; session < 4; ++session) {
        const int first = session < 2 ? 0 : 10, count = session < 2 ? 10 : 14;
        EXPECT_LE(session_both_ways(kept, drawn, [&](Graphics& g) { ellipses(g, first, count); }), 1);
        EXPECT_LE(stats(kept).bytes, kBound) << "session " << session;
    }
    EXPECT_EQ(stats(kept).kept, 14u);
    // Unused for a few sessions, coverage is let go.
    const auto dot = [](Graphics& g) {
        g.clear(0xFF000000);
        g.set_smoothing_mode(SmoothingMode::AntiAlias);
        g.fill_ellipse(SolidBrush(0xFFFFFFFF), 5.5f, 5.5f, 9.0f, 9.0f);
    };
    for (int session = 0; session < 9; ++session, ++moves_)
        draw_session(kept, dot);
    EXPECT_EQ(stats(kept).kept, 1u);
    EXPECT_LT(stats(kept).bytes, 1000u);
}

TEST_F(GfxCairoCover, PaintPastWhereItWasLookedForIsDrawnByCairoEveryTime) {
    // A line laid out narrower than its glyphs: the coverage looked for
    // round its advance would cut them.
    void* kept = surface(160, 40);
    void* drawn = surface(160, 40);
    const Font font(FontFamily("Arial"), 14.0f);
    detail::TextLayout layout;
    layout.em = 14.0f;
    layout.lines.push_back(detail::TextLine{"WWWWWWWW", 10.0f, 25.0f, 1.0f});
    for (int session = 0; session < 3; ++session)
        for (void* dc : {kept, drawn}) {
            detail::set_coverage_cache(dc == kept);
            detail::CairoContext* c = detail::context_create(detail::surface_from_dc(dc)->cairo);
            detail::context_clear(c, 0xFF000000u + static_cast<uint32_t>(session));
            detail::context_draw_text(c, layout, font, 0xFFFFFFFF, detail::DrawState{});
            detail::context_destroy(c);
        }
    detail::set_coverage_cache(true);
    int differ = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 160; ++x)
            differ += surface_pixel(kept, x, y) != surface_pixel(drawn, x, y);
    EXPECT_EQ(differ, 0);
    EXPECT_EQ(stats(kept).refused, 1u);
    EXPECT_EQ(stats(kept).kept, 0u);
    int past = 0; // painted past where the coverage was looked for
    for (int y = 0; y < 40; ++y)
        for (int x = 40; x < 160; ++x)
            past += (surface_pixel(drawn, x, y) & 0xFF00) > 0x8000;
    EXPECT_GT(past, 100);
}

const auto kScene = [](Graphics& g) {
    g.clear(0xFF102030);
    g.set_smoothing_mode(SmoothingMode::AntiAlias);
    GraphicsPath round;
    round.add_ellipse(4, 4, 56, 40);
    g.set_clip_path(round);
    g.draw_line(Pen(0xFFFFFFFF, 2.0f), 0, 0, 64, 48);
    g.draw_string("N7", Font(FontFamily("Arial"), 12.0f), SolidBrush(0xFF00FF00), PointF{20, 10});
    g.fill_ellipse(SolidBrush(0x80FF0000), 30, 20, 25, 20);
};

TEST_F(GfxCairoCover, AnImageLetGoUnderAGraphicsLeavesTheOthersRight) {
    void* dc = create_surface_dc(64, 48, SurfaceCairo);
    for (int session = 0; session < 3; ++session, ++moves_)
        draw_session(dc, kScene);
    {
        Graphics g(dc);
        kScene(g);
        destroy_surface_dc(dc);
        EXPECT_EQ(g.draw_line(Pen(0xFFFFFFFF, 1.0f), 0, 0, 5, 5), Status::InvalidParameter);
    }
    // Another image of another size keeps its own coverage and lays it right.
    void* kept = surface(100, 50);
    void* drawn = surface(100, 50);
    for (int session = 0; session < 3; ++session)
        EXPECT_LE(session_both_ways(kept, drawn, kScene), 1);
    EXPECT_GT(stats(kept).kept, 0u);
}

TEST_F(GfxCairoCover, TheWidestImagesKeepCoverageAndWiderAreRefused) {
    // Cairo's images are at most 32767 pixels a side, and it composites no
    // mask that reaches the last of them: what paints there is drawn by
    // Cairo every time.
    EXPECT_EQ(create_surface_dc(0x10000 + 5, 4, SurfaceCairo), nullptr);
    void* kept = surface(32767, 6);
    void* drawn = surface(32767, 6);
    for (int session = 0; session < 3; ++session)
        EXPECT_LE(session_both_ways(kept, drawn,
                                    [](Graphics& g) {
                                        g.clear(0xFF000000);
                                        g.set_smoothing_mode(SmoothingMode::AntiAlias);
                                        g.draw_line(Pen(0xFFFFFFFF, 1.5f), 0, 1, 32700, 4);
                                        g.draw_line(Pen(0xFF00FFFF, 1.0f), 32700, 5, 32767, 4);
                                        g.draw_string("END", Font(FontFamily("Arial"), 6.0f),
                                                      SolidBrush(0xFFFF0000), PointF{32740, 0});
                                    }),
                  1);
    EXPECT_EQ(stats(kept).kept, 2u);
    EXPECT_EQ(stats(kept).refused, 1u);
}

} // namespace
