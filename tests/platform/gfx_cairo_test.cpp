// The Cairo backend: pixels where GDI+ puts them, clipping, far-away and
// collapsed geometry, PNG output, coverage kept against one Cairo call per
// drawing call, and a reference scene.
#include "platform/gfx.h"
#include "platform/gfx_detail.h"
#include "platform/gfx_surface.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

using namespace gfx;

class GfxCairo : public ::testing::Test {
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
    static int alpha(void* dc, int x, int y) { return static_cast<int>(surface_pixel(dc, x, y) >> 24); }
    // The largest difference of a premultiplied channel between two
    // surfaces of one size: what Cairo's compositing rounds in (a level
    // there is many once divided by a small alpha).
    static int worst_level(const void* a, const void* b) {
        auto premultiplied = [](Argb p, int shift) {
            const int alpha = static_cast<int>(p >> 24), c = static_cast<int>((p >> shift) & 0xFF);
            return shift == 24 ? alpha : (c * alpha + 127) / 255;
        };
        int worst = 0;
        for (int y = 0; y < surface_height(a); ++y)
            for (int x = 0; x < surface_width(a); ++x) {
                const Argb p = surface_pixel(a, x, y), q = surface_pixel(b, x, y);
                for (int shift = 0; shift < 32; shift += 8)
                    worst = std::max(worst, std::abs(premultiplied(p, shift) - premultiplied(q, shift)));
            }
        return worst;
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
    static int painted(void* dc) {
        int n = 0;
        for (int y = 0; y < surface_height(dc); ++y)
            for (int x = 0; x < surface_width(dc); ++x)
                n += surface_pixel(dc, x, y) != 0;
        return n;
    }

    uint32_t token_ = 0;
    std::vector<void*> dcs_;
    int moves_ = 0;
};

TEST_F(GfxCairo, PixelCentresFollowThePixelOffsetMode) {
    const SolidBrush red(0xFFFF0000);
    // Default offset, aliased: pixel centres on whole numbers, so the box
    // (2, 2, 4, 4) covers pixels 2 to 5.
    void* aliased = surface(10, 10);
    {
        Graphics g(aliased);
        g.fill_rectangle(red, 2, 2, 4, 4);
    }
    EXPECT_EQ(surface_pixel(aliased, 2, 2), 0xFFFF0000u);
    EXPECT_EQ(surface_pixel(aliased, 5, 5), 0xFFFF0000u);
    EXPECT_EQ(surface_pixel(aliased, 6, 5), 0u);
    EXPECT_EQ(surface_pixel(aliased, 1, 2), 0u);
    EXPECT_EQ(painted(aliased), 16);

    // Anti-aliased with the default offset the box edges fall on pixel
    // centres, so the edge pixels are half covered; with Half they are not.
    void* soft = surface(10, 10);
    void* half = surface(10, 10);
    {
        Graphics g(soft);
        g.set_smoothing_mode(SmoothingMode::AntiAlias);
        g.fill_rectangle(red, 2, 2, 4, 4);
        Graphics h(half);
        h.set_smoothing_mode(SmoothingMode::AntiAlias);
        h.set_pixel_offset_mode(PixelOffsetMode::Half);
        h.fill_rectangle(red, 2, 2, 4, 4);
    }
    EXPECT_NEAR(alpha(soft, 2, 4), 128, 2);
    EXPECT_NEAR(alpha(soft, 6, 4), 128, 2);
    EXPECT_EQ(alpha(soft, 4, 4), 255);
    EXPECT_EQ(alpha(half, 2, 4), 255);
    EXPECT_EQ(alpha(half, 6, 4), 0);

    // A one-unit aliased line at y 3 is the pixel row 3.
    void* line = surface(10, 10);
    {
        Graphics g(line);
        g.draw_line_i(Pen(0xFF00FA00, 1.0f), 1, 3, 8, 3);
    }
    EXPECT_EQ(surface_pixel(line, 4, 3), 0xFF00FA00u);
    EXPECT_EQ(surface_pixel(line, 4, 2), 0u);
    EXPECT_EQ(surface_pixel(line, 4, 4), 0u);
}

TEST_F(GfxCairo, ClearFillsTheClipAndClipsRestrictDrawing) {
    void* dc = surface(40, 40);
    Graphics g(dc);
    g.clear(0xFF000000);
    g.set_clip_rect(10, 10, 20, 20);
    g.clear(0xFFFF0000);
    EXPECT_EQ(surface_pixel(dc, 15, 15), 0xFFFF0000u);
    EXPECT_EQ(surface_pixel(dc, 5, 5), 0xFF000000u);

    // A triangular clip path keeps the fill to its inside.
    GraphicsPath tri;
    tri.add_line(0, 0, 40, 0);
    tri.add_line(40, 0, 0, 40);
    tri.close_figure();
    g.set_clip_path(tri);
    g.fill_rectangle(SolidBrush(0xFF00FA00), 0, 0, 40, 40);
    EXPECT_EQ(surface_pixel(dc, 5, 5), 0xFF00FA00u);
    EXPECT_EQ(surface_pixel(dc, 35, 35), 0xFF000000u);
    // Smoothed shapes, text and clears keep to the same whole pixels: each
    // pixel the clip keeps (a centre inside) is cleared, and no other.
    g.set_smoothing_mode(SmoothingMode::AntiAlias);
    g.fill_ellipse(SolidBrush(0xFFFFFFFF), 20, 20, 30, 30);
    g.draw_string("WWW", Font(FontFamily("Arial"), 20.0f), SolidBrush(0xFFFFFFFF), PointF{15, 15});
    EXPECT_EQ(surface_pixel(dc, 35, 35), 0xFF000000u);
    g.clear(0xFF0000FF);
    int kept = 0, wrong = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) {
            // Device space is half a pixel off the world's (the default pixel
            // offset): the diagonal runs through x + y = 41, past the centre
            // (x + 0.5, y + 0.5) of each pixel with x + y < 40.
            const bool inside = x + y < 40;
            const bool blue = surface_pixel(dc, x, y) == 0xFF0000FFu;
            kept += blue;
            wrong += blue != inside && x + y != 40; // centres on the edge go either way
        }
    EXPECT_EQ(wrong, 0);
    EXPECT_GT(kept, 700);
    g.set_smoothing_mode(SmoothingMode::None);
    g.reset_clip();
    g.fill_rectangle(SolidBrush(0xFF0000FF), 30, 30, 10, 10);
    EXPECT_EQ(surface_pixel(dc, 35, 35), 0xFF0000FFu);

    // Partly transparent colours blend over what is there.
    g.fill_rectangle(SolidBrush(0x80FFFFFF), 0, 0, 40, 40);
    const Argb blended = surface_pixel(dc, 35, 35);
    EXPECT_EQ(blended >> 24, 0xFFu);
    EXPECT_NEAR(static_cast<int>((blended >> 16) & 0xFF), 128, 2);
    EXPECT_NEAR(static_cast<int>(blended & 0xFF), 255, 1);
}

TEST_F(GfxCairo, FarAwayGeometryIsCutNotLost) {
    void* dc = surface(100, 100);
    Graphics g(dc);
    // Map lines at large ranges reach far outside the surface.
    EXPECT_EQ(g.draw_line_i(Pen(0xFFFF13D5, 1.0f), -1e12, 50, 1e12, 50), Status::Ok);
    EXPECT_EQ(surface_pixel(dc, 0, 50), 0xFFFF13D5u);
    EXPECT_EQ(surface_pixel(dc, 99, 50), 0xFFFF13D5u);
    Pen dashed(0xFF00FA00, 2.0f);
    dashed.dash_style = DashStyle::Dash;
    EXPECT_EQ(g.draw_line(dashed, 20, -4e9f, 20, 4e9f), Status::Ok);
    int on = 0;
    for (int y = 0; y < 100; ++y)
        on += surface_pixel(dc, 20, y) == 0xFF00FA00u;
    EXPECT_GT(on, 50); // dashes of 6 on, 2 off
    EXPECT_LT(on, 100);
    const Point huge[3] = {{-2000000000, -2000000000}, {2000000000, -2000000000}, {0, 2000000000}};
    EXPECT_EQ(g.fill_polygon_i(SolidBrush(0xFF18C2E7), huge), Status::Ok);
    EXPECT_EQ(surface_pixel(dc, 50, 10), 0xFF18C2E7u);
    EXPECT_EQ(g.last_status(), Status::Ok);
}

TEST_F(GfxCairo, ZeroScaleDrawsNothingVisible) {
    void* dc = surface(30, 30);
    Graphics g(dc);
    g.scale_transform(0.0f, 0.0f);
    const Font font(FontFamily("Arial"), 12.0f);
    EXPECT_EQ(g.fill_rectangle(SolidBrush(0xFFFFFFFF), 0, 0, 30, 30), Status::Ok);
    EXPECT_EQ(g.draw_line(Pen(0xFFFFFFFF, 5.0f), 0, 0, 30, 30), Status::Ok);
    EXPECT_EQ(g.draw_string("ABC", font, SolidBrush(0xFFFFFFFF), PointF{1, 1}), Status::Ok);
    g.set_clip_rect(0, 0, 30, 30); // collapses to an empty clip
    g.reset_transform();
    g.fill_rectangle(SolidBrush(0xFFFFFFFF), 0, 0, 30, 30);
    EXPECT_EQ(painted(dc), 0);
    g.reset_clip();
    g.fill_rectangle(SolidBrush(0xFFFFFFFF), 0, 0, 30, 30);
    EXPECT_EQ(painted(dc), 900);
}

TEST_F(GfxCairo, ArrowCapAndTextSitWhereTheyAreMeasured) {
    void* dc = surface(60, 60);
    Graphics g(dc);
    g.set_pixel_offset_mode(PixelOffsetMode::Half);
    Pen arrow(0xFF02A7EB, 2.0f);
    arrow.custom_end_cap = AdjustableArrowCap{3.0f, 3.0f, true};
    g.draw_line(arrow, 10, 50, 10, 10);
    // Shaft 2 wide; the cap is 6 wide at its base, 6 below the tip at y 10.
    EXPECT_EQ(surface_pixel(dc, 10, 30), 0xFF02A7EBu);
    EXPECT_EQ(surface_pixel(dc, 12, 30), 0u);
    EXPECT_EQ(surface_pixel(dc, 12, 15), 0xFF02A7EBu);
    EXPECT_EQ(surface_pixel(dc, 10, 8), 0u);

    void* text = surface(120, 40);
    Graphics t(text);
    t.set_pixel_offset_mode(PixelOffsetMode::Half);
    const Font font(FontFamily("Arial"), 20.0f, FontStyle::Bold);
    t.draw_string("MMM", font, SolidBrush(0xFFFFFFFF), PointF{10, 5});
    RectF box;
    t.measure_string("MMM", font, RectF{10, 5, 0, 0}, StringFormat{}, &box);
    int left = 1000, right = -1, top = 1000, bottom = -1;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 120; ++x)
            if (alpha(text, x, y) > 128) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    const float pad = 20.0f / 6.0f;
    // Ink starts just after the leading pad and ends before the trailing one;
    // capitals stand between the top and the baseline (ascent 0.905 em).
    EXPECT_GE(left, box.x + pad - 1);
    EXPECT_LE(left, box.x + pad + 3);
    EXPECT_LE(right, box.x + box.width - pad + 1);
    EXPECT_GE(right, box.x + box.width - pad - 4);
    EXPECT_NEAR(top, 5 + (0.905 - 0.716) * 20, 1.5);
    EXPECT_NEAR(bottom, 5 + 0.905 * 20, 1.5);
}

// A fixed scene of the kinds of drawing the displays do, compared with the
// committed reference. ORVEX_UPDATE_REFERENCE=1 rewrites the reference.
void draw_scene(void* dc) {
    Graphics g(dc);
    g.set_smoothing_mode(SmoothingMode::HighQuality);
    g.set_text_rendering_hint(TextRenderingHint::AntiAlias);
    g.clear(0xFF000000);
    g.scale_transform(160.0f / 80.0f, 120.0f / 60.0f);

    const Pen white(0xFFDEE6E9, 1.0f);
    Pen dashed(0xFFFFFF00, 1.0f);
    dashed.dash_style = DashStyle::Dash;
    g.draw_arc(white, 10, 10, 60, 60, 180.0f, 180.0f);

    GraphicsPath window;
    window.add_arc(10, 10, 60, 60, 200.0f, 140.0f);
    window.add_line(68, 30, 68, 58);
    window.add_line(12, 58, 12, 30);
    window.close_figure();
    g.set_clip_path(window);
    g.fill_rectangle(SolidBrush(0xFF028AAF), 0, 0, 80, 36);
    g.fill_rectangle(SolidBrush(0xFF834909), 0, 36, 80, 30);
    g.reset_clip();
    g.draw_line(dashed, 40, 58, 40, 8);

    g.translate_transform(40.0f, 36.0f);
    g.rotate_transform(30.0f);
    const Point tri[4] = {{0, -30}, {3, -25}, {-3, -25}, {0, -30}};
    g.fill_polygon_i(SolidBrush(0xFFFF13D5), tri);
    g.reset_transform();
    g.scale_transform(2.0f, 2.0f);

    const Font font(FontFamily("Arial"), 8.0f, FontStyle::Bold);
    g.draw_string("HDG 270\xB0", font, SolidBrush(0xFF00FA00), PointF{2, 1});
    StringFormat rtl;
    rtl.flags = StringFormatFlagsDirectionRightToLeft;
    g.draw_string("FL350", font, SolidBrush(0xFF18C2E7), RectF{48, 48, 30, 10}, rtl);
    Pen arrow(0xFF02A7EB, 1.0f);
    arrow.custom_end_cap = AdjustableArrowCap{3.0f, 3.0f, true};
    g.draw_line(arrow, 6, 55, 20, 45);
}

// Scenes of lines of one pen with fills, text and a clip between them under
// stretched, turned and sheared transforms (a display placed at another
// aspect ratio stretches one axis more than the other), drawn in several
// sessions with the coverage of repeated calls kept and without: every
// pixel within a level, each call landing over what was drawn before it.
TEST_F(GfxCairo, TransformedScenesDrawAsOneCairoCallPerCall) {
    const struct {
        const char* name;
        Matrix m;
    } transforms[] = {
        {"stretched across", {16, 0, 0, 0.25f, 4, 2}},
        {"stretched down", {0.25f, 0, 0, 16, 2, 4}},
        {"turned and stretched", matrix_multiply({12, 0, 0, 0.5f, 0, 0}, matrix_rotation(30.0f))},
        {"sheared", {1.5f, 0, 4.0f, 1.0f, 0, 0}},
        {"mirrored", {-2, 0, 0, 3, 90, 0}},
    };
    const Font font(FontFamily("Arial"), 3.0f);
    for (const auto& t : transforms) {
        SCOPED_TRACE(t.name);
        void* kept = surface(160, 120);
        void* drawn = surface(160, 120);
        for (int session = 0; session < 3; ++session) {
            for (int covering = 1; covering >= 0; --covering) {
                detail::set_coverage_cache(covering == 1);
                Graphics g(covering ? kept : drawn);
                g.clear(0xFF101010);
                g.set_smoothing_mode(SmoothingMode::AntiAlias);
                g.set_transform(t.m);
                const Pen pen(0xFFFFFFFF, 2.0f);
                // Each second line of a pair reaches over the fill between
                // them only through the pen's stretch.
                for (int i = 0; i < 2; ++i) {
                    const float o = 4.0f * i, far = 20.0f;
                    const SolidBrush fill(0xFF0030C0u + 0x400000u * i);
                    g.draw_line(pen, o, 0, o, far);
                    g.fill_rectangle(fill, o + 0.6f, 0, 1.4f, far);
                    g.draw_line(pen, o + 2.5f, 0, o + 2.5f, far);
                    g.draw_line(pen, 0, o, far, o);
                    g.fill_rectangle(fill, 0, o + 0.6f, far, 1.4f);
                    g.draw_line(pen, 0, o + 2.5f, far, o + 2.5f);
                    g.draw_string("8", font, SolidBrush(0xFFFFE000), PointF{o, o});
                }
                g.set_clip_rect(2, 4, 3, 9);
                g.draw_line(Pen(0x80FF0000, 0.5f), 0, 0, 9, 22 + static_cast<float>(session));
            }
            detail::set_coverage_cache(true);
            EXPECT_LE(worst_level(kept, drawn), 2) << "session " << session;
        }
    }
}

// A call drawn on a Graphics is drawn before the surface is read, and before
// another Graphics draws on the same surface.
TEST_F(GfxCairo, CallsWaitingAreDrawnBeforeAReadOrAnotherGraphics) {
    const Pen white(0xFFFFFFFF, 1.0f);
    void* dc = surface(20, 20);
    Graphics first(dc);
    first.draw_line(white, 0, 5, 20, 5);
    EXPECT_EQ(surface_pixel(dc, 10, 5), 0xFFFFFFFFu);
    first.draw_line(white, 0, 10, 20, 10);
    {
        Graphics second(dc);
        second.fill_rectangle(SolidBrush(0xFF000000), 0, 8, 20, 5); // over the second line
    }
    EXPECT_EQ(surface_pixel(dc, 10, 10), 0xFF000000u);
}

TEST_F(GfxCairo, EverySessionLeavesWhatItDrawsAlone) {
    // Sessions one after another on one surface, each surface compared with
    // one that had the same sessions, every one of them read back while its
    // Graphics lived (a session read midway is never taken as a repeat);
    // a call laid from its coverage may round a level apart.
    using Session = void (*)(Graphics&);
    const Session a = [](Graphics& g) {
        g.clear(0xFF000020);
        g.set_smoothing_mode(SmoothingMode::AntiAlias);
        g.draw_line(Pen(0xFFFFFFFF, 2.0f), 2, 2, 30, 20);
        g.draw_string("A1", Font(FontFamily("Arial"), 11.0f), SolidBrush(0xFF00FF00), PointF{4, 10});
    };
    const Session b = [](Graphics& g) { // a's calls but one text
        g.clear(0xFF000020);
        g.set_smoothing_mode(SmoothingMode::AntiAlias);
        g.draw_line(Pen(0xFFFFFFFF, 2.0f), 2, 2, 30, 20);
        g.draw_string("A2", Font(FontFamily("Arial"), 11.0f), SolidBrush(0xFF00FF00), PointF{4, 10});
    };
    const Session stamp = [](Graphics& g) { g.fill_rectangle(SolidBrush(0xFFFF0000), 20, 20, 6, 6); };
    const Session tint = [](Graphics& g) { // no clear: each one darkens what is there
        g.fill_rectangle(SolidBrush(0x80000000), 0, 0, 40, 30);
    };
    const Session sequence[] = {a, a, b, b, stamp, a, a, tint, tint, tint, a};
    void* dc = surface(40, 30);
    for (std::size_t i = 0; i < std::size(sequence); ++i) {
        SCOPED_TRACE(i);
        {
            Graphics g(dc);
            sequence[i](g);
        }
        void* reference = surface(40, 30);
        for (std::size_t k = 0; k <= i; ++k) {
            Graphics g(reference);
            sequence[k](g);
            surface_pixel(reference, 0, 0);
        }
        EXPECT_LE(worst_level(dc, reference), 1);
    }
}

TEST_F(GfxCairo, RepeatedCallsLayThePixelsCairoDraws) {
    // Random scenes drawn in several sessions with the coverage of repeated
    // calls kept and without: after every session the two surfaces agree
    // within two levels of a channel (a kept coverage is laid by our own
    // blend, which rounds a translucent colour apart from Cairo's), also
    // when a part of the scene moves between sessions.
    uint32_t seed = 11;
    auto random = [&seed](float lo, float hi) {
        seed = seed * 1664525u + 1013904223u;
        return lo + (hi - lo) * static_cast<float>(seed >> 8) / static_cast<float>(1u << 24);
    };
    const Font font(FontFamily("Arial"), 10.0f);
    for (int scene = 0; scene < 12; ++scene) {
        SCOPED_TRACE(scene);
        const uint32_t start = seed;
        void* kept = surface(90, 70);
        void* drawn = surface(90, 70);
        for (int session = 0; session < 5; ++session) {
            for (int covering = 1; covering >= 0; --covering) {
                seed = start;
                detail::set_coverage_cache(covering == 1);
                Graphics g(covering ? kept : drawn);
                g.clear(scene % 3 == 0 ? 0x00000000u : 0xFF000000u);
                g.set_text_rendering_hint(scene % 2 ? TextRenderingHint::AntiAlias
                                                    : TextRenderingHint::SingleBitPerPixel);
                g.draw_string(scene % 2 ? "W7A/1" : "AV.88", font, SolidBrush(0xFFFFE000u | (scene * 40u)),
                              PointF{random(-5, 60), random(0, 60)});
                if (scene % 4 == 1) g.set_clip_rect(random(0, 20), random(0, 20), 50, 40);
                if (scene % 4 == 2) {
                    GraphicsPath round;
                    round.add_ellipse(5, 5, 80, 60);
                    g.set_clip_path(round);
                }
                g.rotate_transform(scene * 7.0f);
                for (int i = 0; i < 24; ++i) {
                    g.set_smoothing_mode(i % 5 ? SmoothingMode::AntiAlias : SmoothingMode::None);
                    const Argb color = (i % 4 == 3 ? 0x80000000u : 0xFF000000u) | (seed & 0xFFFFFF);
                    const float x = random(-10, 90), y = random(-10, 70);
                    // The last lines move from session to session.
                    const float shift = i >= 20 ? static_cast<float>(session) * 1.3f : 0.0f;
                    if (i % 3 == 0) {
                        g.fill_rectangle(SolidBrush(color), x, y, random(1, 30), random(1, 20));
                    } else if (i % 3 == 1) {
                        const PointF shape[3] = {
                            {x, y}, {x + random(-20, 20), y + 15}, {x + 12, y - random(0, 9)}};
                        g.fill_polygon(SolidBrush(color), shape);
                    } else {
                        Pen pen(color, random(0.5f, 4));
                        if (i % 7 == 2) pen.dash_style = DashStyle::Dash;
                        g.draw_line(pen, x + shift, y, x + random(-30, 30), y + random(-30, 30));
                        g.draw_line(pen, x, y + 3, x + 25, y + 3); // level
                    }
                }
            }
            detail::set_coverage_cache(true);
            EXPECT_LE(worst_level(kept, drawn), 2) << "session " << session;
        }
    }
}

// Combs of a thousand slanted teeth a pixel wide, two pixels apart: nearly
// every pixel of their 2000 x 1000 pixels partly covered, a byte each kept.
void combs(Graphics& g, int first, int count) {
    g.clear(0xFF000000);
    g.set_smoothing_mode(SmoothingMode::AntiAlias);
    for (int i = first; i < first + count; ++i) {
        GraphicsPath teeth;
        for (int k = 0; k < 1000; ++k) {
            const float x = 2.0f * k + 0.3f + 0.1f * static_cast<float>(i);
            const PointF tooth[4] = {{x, 2}, {x + 1, 2}, {x + 41, 1002}, {x + 40, 1002}};
            teeth.add_polygon(tooth);
        }
        g.fill_path(SolidBrush(0xFF000000u | (0x10101u * static_cast<uint32_t>(i + 1))), teeth);
    }
}

TEST_F(GfxCairo, KeptBytesStayBoundedAndCoverageUnusedIsLetGo) {
    void* kept = surface(2100, 1010);
    void* drawn = surface(2100, 1010);
    constexpr std::size_t kBound = 8u << 20;
    // Three combs, then three others, each set twice: the first set, unused
    // when the second pushes the bytes past the bound, is let go.
    for (int session = 0; session < 4; ++session) {
        const int first = session < 2 ? 0 : 3;
        EXPECT_LE(session_both_ways(kept, drawn, [&](Graphics& g) { combs(g, first, 3); }), 1);
        EXPECT_LE(stats(kept).bytes, kBound) << "session " << session;
        if (session == 1) {
            EXPECT_GT(stats(kept).bytes, kBound / 2);
        }
    }
    EXPECT_EQ(stats(kept).kept, 3u);
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

// Three sessions of one text call, through the backend's own calls so that
// the layout is the one given, with coverage kept on `kept` and not on
// `drawn`.
void text_sessions(void* kept, void* drawn, const detail::TextLayout& layout, const detail::DrawState& state,
                   FontStyle style = FontStyle::Regular) {
    const Font font(FontFamily("Arial"), layout.em, style);
    for (int session = 0; session < 3; ++session)
        for (void* dc : {kept, drawn}) {
            detail::set_coverage_cache(dc == kept);
            detail::CairoContext* c = detail::context_create(detail::surface_from_dc(dc)->cairo);
            detail::context_clear(c, 0xFF000000u + static_cast<uint32_t>(session));
            detail::context_draw_text(c, layout, font, 0xFFFFFFFF, state);
            detail::context_destroy(c);
        }
    detail::set_coverage_cache(true);
}

TEST_F(GfxCairo, PaintPastWhereItWasLookedForIsDrawnByCairoEveryTime) {
    // A line laid out narrower than its glyphs: the coverage looked for
    // round its advance would cut them.
    void* kept = surface(160, 40);
    void* drawn = surface(160, 40);
    detail::TextLayout layout;
    layout.em = 14.0f;
    layout.lines.push_back(detail::TextLine{"WWWWWWWW", 10.0f, 25.0f, 1.0f});
    text_sessions(kept, drawn, layout, detail::DrawState{});
    EXPECT_EQ(worst_level(kept, drawn), 0);
    EXPECT_EQ(stats(kept).refused, 1u);
    EXPECT_EQ(stats(kept).kept, 0u);
    int past = 0; // painted past where the coverage was looked for
    for (int y = 0; y < 40; ++y)
        for (int x = 40; x < 160; ++x)
            past += (surface_pixel(drawn, x, y) & 0xFF00) > 0x8000;
    EXPECT_GT(past, 100);
}

TEST_F(GfxCairo, TextLaidFromCoverageSitsWhereCairoPlacesIt) {
    // Cairo rounds a glyph's place in device pixels: a text whose place
    // comes near half a pixel under a display's scale lands on the same
    // pixels from its coverage as drawn.
    const struct {
        Matrix world;
        float x, baseline;
    } rows[] = {
        {{1.45864666f, 0, 0, 1.4130435f, 188.165421f, 268.478271f}, 4.0f, -61.1367188f},
        {{1.45864666f, 0, 0, 1.4130435f, 188.165421f, 161.08696f}, 6.0f, -30.1367188f},
    };
    for (const auto& row : rows) {
        void* kept = surface(388, 325);
        void* drawn = surface(388, 325);
        detail::TextLayout layout;
        layout.em = 12.0f;
        layout.lines.push_back(detail::TextLine{"FOXXE", row.x, row.baseline, 40.0f});
        detail::DrawState state;
        state.world = row.world;
        state.text_hint = TextRenderingHint::AntiAlias;
        text_sessions(kept, drawn, layout, state, FontStyle::Bold);
        EXPECT_LE(worst_level(kept, drawn), 1) << row.x << " " << row.baseline;
        EXPECT_EQ(stats(kept).kept, 1u);
    }
}

// Calls that keep coverage: each lies wholly within some of the clips
// below and outside or across the edge of others.
void clipped_calls(Graphics& g) {
    g.set_smoothing_mode(SmoothingMode::AntiAlias);
    g.fill_ellipse(SolidBrush(0xFFFF4000), 8, 8, 12, 10);
    g.draw_line(Pen(0xFFFFFFFF, 2.0f), 10, 38, 28, 30);
    g.fill_ellipse(SolidBrush(0xFF00FF00), 38, 22, 4, 4); // within the star's middle
}

TEST_F(GfxCairo, CoverageKeptUnderOneClipIsNotLaidUnderAnother) {
    // A clip that moves from session to session, beside a dot that moves,
    // until it cuts calls kept whole within it before.
    void* kept = surface(80, 50);
    void* drawn = surface(80, 50);
    for (int session = 0; session < 5; ++session)
        EXPECT_LE(session_both_ways(kept, drawn,
                                    [session](Graphics& g) {
                                        g.clear(0xFF000000);
                                        g.set_clip_rect(4.0f - 4.0f * session, 3, 30, 40);
                                        clipped_calls(g);
                                    }),
                  1)
            << "session " << session;

    // Sessions alike but for the clip: its place, the transform it was set
    // under, the fill mode of a star that overlaps itself.
    const auto star = [](FillMode mode) {
        GraphicsPath p(mode);
        const PointF pts[] = {{40, 2}, {64, 46}, {10, 18}, {70, 18}, {16, 46}};
        p.add_polygon(pts);
        return p;
    };
    using Clip = std::function<void(Graphics&)>;
    const std::pair<Clip, Clip> pairs[] = {
        {[](Graphics& g) { g.set_clip_rect(4, 3, 30, 40); },
         [](Graphics& g) { g.set_clip_rect(40, 3, 30, 40); }},
        {[](Graphics& g) { g.set_clip_rect(4, 3, 30, 40); },
         [](Graphics& g) {
             g.translate_transform(20, 0);
             g.set_clip_rect(4, 3, 30, 40);
             g.reset_transform();
         }},
        {[&](Graphics& g) { g.set_clip_path(star(FillMode::Alternate)); },
         [&](Graphics& g) { g.set_clip_path(star(FillMode::Winding)); }},
    };
    for (std::size_t row = 0; row < std::size(pairs); ++row) {
        void* kept_here = surface(80, 50);
        void* drawn_here = surface(80, 50);
        for (int session = 0; session < 4; ++session) {
            for (void* dc : {kept_here, drawn_here}) {
                detail::set_coverage_cache(dc == kept_here);
                Graphics g(dc);
                g.clear(0xFF000000);
                (session % 2 ? pairs[row].second : pairs[row].first)(g);
                clipped_calls(g);
            }
            detail::set_coverage_cache(true);
            EXPECT_LE(worst_level(kept_here, drawn_here), 1) << "pair " << row << ", session " << session;
        }
        EXPECT_GT(stats(kept_here).kept, 0u);
    }
}

// Shapes across the edge of a clip keep coverage too, from a scratch under
// the clip alone: laid again they come out as Cairo draws them, to a level.
TEST_F(GfxCairo, ShapesTheClipCutsAreLaidFromCoverageAsCairoDrawsThem) {
    const auto star = [](Graphics& g) {
        GraphicsPath p;
        const PointF pts[] = {{40, 2}, {64, 46}, {10, 18}, {70, 18}, {16, 46}};
        p.add_polygon(pts);
        g.set_clip_path(p);
    };
    using Step = std::function<void(Graphics&)>;
    const struct {
        const char* what;
        Step clip;
    } clips[] = {
        {"a box", [](Graphics& g) { g.set_clip_rect(12.5f, 9, 41, 27); }},
        {"a turned box",
         [](Graphics& g) {
             g.rotate_transform(20);
             g.set_clip_rect(20, 0, 40, 25);
             g.reset_transform();
         }},
        {"a star", star},
    };
    const auto shapes = [](Graphics& g) {
        g.set_smoothing_mode(SmoothingMode::AntiAlias);
        g.fill_ellipse(SolidBrush(0xFFFF4000), 4, 4, 40, 30);
        g.draw_line(Pen(0xFFFFFFFF, 2.5f), 0, 48, 80, 3);
        g.draw_ellipse(Pen(0xFF00FFFF, 1.5f), 30, 12, 44, 34);
    };
    for (const auto& c : clips) {
        void* kept = surface(80, 50);
        void* drawn = surface(80, 50);
        for (int session = 0; session < 4; ++session)
            EXPECT_LE(session_both_ways(kept, drawn,
                                        [&](Graphics& g) {
                                            g.clear(0xFF000000);
                                            c.clip(g);
                                            shapes(g);
                                        }),
                      1)
                << c.what << ", session " << session;
        EXPECT_EQ(stats(kept).kept, 3u) << c.what;
        EXPECT_EQ(stats(kept).refused, 0u) << c.what;
    }
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
    g.fill_ellipse(SolidBrush(0xFF0000FF), 24, 16, 9, 7); // within the clip
};

TEST_F(GfxCairo, AnImageLetGoUnderAGraphicsLeavesTheOthersRight) {
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

TEST_F(GfxCairo, TheWidestImagesKeepCoverageAndWiderAreRefused) {
    // Cairo's images are at most 32767 pixels a side; what paints up to
    // the last of them is kept too.
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
    EXPECT_EQ(stats(kept).kept, 3u);
    EXPECT_EQ(stats(kept).refused, 0u);
}

TEST_F(GfxCairo, SceneMatchesTheReferencePng) {
    void* dc = surface(160, 120);
    draw_scene(dc);
    const std::string reference = std::string(ORVEX_TEST_DATA_DIR) + "/platform/gfx_scene.png";
    if (std::getenv("ORVEX_UPDATE_REFERENCE")) {
        ASSERT_TRUE(write_surface_png(dc, reference));
    }

    cairo_surface_t* ref = cairo_image_surface_create_from_png(reference.c_str());
    ASSERT_EQ(cairo_surface_status(ref), CAIRO_STATUS_SUCCESS) << reference;
    ASSERT_EQ(cairo_image_surface_get_width(ref), 160);
    ASSERT_EQ(cairo_image_surface_get_height(ref), 120);
    cairo_surface_t* norm = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 160, 120);
    cairo_t* cr = cairo_create(norm);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, ref, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_flush(norm);
    const unsigned char* data = cairo_image_surface_get_data(norm);
    const int stride = cairo_image_surface_get_stride(norm);

    const int tolerance = 24; // per channel, for font rasteriser drift
    int worst = 0, over = 0;
    for (int y = 0; y < 120; ++y) {
        for (int x = 0; x < 160; ++x) {
            uint32_t px;
            std::memcpy(&px, data + y * stride + 4 * x, 4);
            const uint32_t a = px >> 24;
            auto un = [a](uint32_t c) { return a ? std::min<uint32_t>(255, (c * 255 + a / 2) / a) : 0u; };
            const uint32_t want =
                a ? (a << 24) | (un((px >> 16) & 0xFF) << 16) | (un((px >> 8) & 0xFF) << 8) | un(px & 0xFF)
                  : 0u;
            const uint32_t got = surface_pixel(dc, x, y);
            for (int shift = 0; shift < 32; shift += 8) {
                const int d = std::abs(static_cast<int>((want >> shift) & 0xFF) -
                                       static_cast<int>((got >> shift) & 0xFF));
                worst = std::max(worst, d);
                if (d > tolerance) ++over;
            }
        }
    }
    cairo_surface_destroy(norm);
    cairo_surface_destroy(ref);
    if (over > 0) write_surface_png(dc, "gfx_scene.png.actual");
    EXPECT_EQ(over, 0) << "worst channel difference " << worst << "; picture written to gfx_scene.png.actual";
}

} // namespace
