// Drawing that comes out alike on both builds (run on Linux and, in the
// Windows build, under wine): the module's families drawn with faces of their
// own metrics and as wide under a display's stretched scale as laid out, so
// that a text placed by its length (a right-aligned prompt of a control unit)
// ends where its page puts it, and a few pixels high in whole strokes; a
// small circle drawn as a ring.
#include "platform/gfx.h"
#include "platform/gfx_surface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace {

using namespace gfx;

// The box (left, top, right, bottom) of the pixels brighter than a quarter
// that `draw` lays on a black surface.
struct Ink {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
    int parts = 0; // of pixels touching each other, corners too
};
Ink ink_of(int width, int height, const std::function<void(Graphics&)>& draw) {
    void* dc = create_surface_dc(width, height, SurfaceCairo);
    Ink ink;
    if (!dc) return ink;
    {
        Graphics g(dc);
        g.clear(0xFF000000);
        draw(g);
    }
    std::vector<char> inked(static_cast<std::size_t>(width) * height, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if ((surface_pixel(dc, x, y) & 0xFF) > 64) {
                inked[static_cast<std::size_t>(y) * width + x] = 1;
                ink.left = std::min(ink.left, x);
                ink.right = std::max(ink.right, x);
                ink.top = std::min(ink.top, y);
                ink.bottom = std::max(ink.bottom, y);
            }
    destroy_surface_dc(dc);
    std::vector<int> todo;
    for (int start = 0; start < width * height; ++start) {
        if (inked[start] != 1) continue;
        ++ink.parts;
        todo.assign(1, start);
        inked[start] = 2;
        while (!todo.empty()) {
            const int at = todo.back(), x = at % width, y = at / width;
            todo.pop_back();
            for (int ny = std::max(y - 1, 0); ny <= std::min(y + 1, height - 1); ++ny)
                for (int nx = std::max(x - 1, 0); nx <= std::min(x + 1, width - 1); ++nx)
                    if (inked[ny * width + nx] == 1) {
                        inked[ny * width + nx] = 2;
                        todo.push_back(ny * width + nx);
                    }
        }
    }
    return ink;
}

TEST(BothBuilds, theModulesFamiliesAdvanceAsTheirOwnFaces) {
    uint32_t token = 0;
    ASSERT_EQ(startup(&token), Status::Ok);
    void* dc = create_surface_dc(800, 80, SurfaceCairo);
    ASSERT_NE(dc, nullptr);
    {
        Graphics g(dc);
        g.set_text_rendering_hint(TextRenderingHint::AntiAlias);
        // Advance per character in em: Arial's figures are 1139/2048 em wide,
        // every glyph of Courier New 1229/2048. At these sizes both come near
        // whole pixels, which wine's GDI+ rounds advances to.
        const struct {
            const char* family;
            FontStyle style;
            const char* text;
            float em;
            double advance;
        } rows[] = {
            {"Arial", FontStyle::Regular, "0123456789", 36.0f, 1139.0 / 2048},
            {"Arial", FontStyle::Bold, "0123456789", 36.0f, 1139.0 / 2048},
            {"HW Arial", FontStyle::Bold, "0123456789", 36.0f, 1139.0 / 2048},
            {"Courier New", FontStyle::Regular, "LOAD ATC RTE>", 20.0f, 1229.0 / 2048},
            {"Courier New", FontStyle::Bold, "FLIGHT PLANS>", 20.0f, 1229.0 / 2048},
        };
        for (const auto& r : rows) {
            SCOPED_TRACE(std::string(r.family) + " " + r.text);
            const FontFamily family(r.family);
            EXPECT_EQ(family.status(), Status::Ok);
            const Font font(family, r.em, r.style, Unit::Pixel);
            // Twice the text less once: the pads GDI+ adds drop out.
            RectF once{}, twice{};
            const std::string text = r.text;
            ASSERT_EQ(g.measure_string(text, font, RectF{}, StringFormat{}, &once), Status::Ok);
            ASSERT_EQ(g.measure_string(text + text, font, RectF{}, StringFormat{}, &twice), Status::Ok);
            const double expected = text.size() * r.advance * r.em;
            EXPECT_NEAR(twice.width - once.width, expected, 0.01 * expected);
        }
    }
    destroy_surface_dc(dc);
    shutdown(token);
}

// A control unit's screen drawn at another aspect than its design's: its
// text is as wide in design units as drawn at the design's own aspect.
TEST(BothBuilds, textUnderAStretchedScaleIsAsWideAsLaidOut) {
    uint32_t token = 0;
    ASSERT_EQ(startup(&token), Status::Ok);
    const auto width = [](float sx, float sy) {
        const Ink ink = ink_of(400, 80, [&](Graphics& g) {
            g.scale_transform(sx, sy);
            g.draw_string("FLIGHT PLANS>", Font(FontFamily("Arial"), 18.0f), SolidBrush(0xFFFFFFFF),
                          PointF{10, 10});
        });
        return (ink.right + 1 - ink.left) / sx;
    };
    const float plain = width(1.0f, 1.0f);
    EXPECT_GT(plain, 120.0f);
    for (const auto& [sx, sy] : {std::pair{284.0f / 282, 233.0f / 245}, std::pair{1.47f, 1.3f}})
        EXPECT_NEAR(width(sx, sy), plain, 0.015 * plain) << sx << " x " << sy;
    shutdown(token);
}

// The small labels of a control unit drawn at a fraction of its design's
// size and aspect, a few pixels high: each glyph of these texts is one
// stroke, which may touch its neighbour; strokes broken into dots make more
// parts than glyphs.
TEST(BothBuilds, smallTextUnderAStretchedScaleKeepsItsStrokes) {
    uint32_t token = 0;
    ASSERT_EQ(startup(&token), Status::Ok);
    const struct {
        float sx, sy, em;
        std::string text;
    } rows[] = {
        {178.0f / 282, 146.0f / 245, 12.0f, "G W / C R Z C G"},
        {178.0f / 282, 146.0f / 245, 12.0f, "C O S T  I N D E X"},
        {178.0f / 282, 146.0f / 245, 18.0f, "ACT PERF INIT"},
        {260.0f / 282, 400.0f / 245, 12.0f, "T R A N S  A L T"},
    };
    for (const auto& r : rows) {
        const Ink ink = ink_of(300, 60, [&](Graphics& g) {
            g.scale_transform(r.sx, r.sy);
            g.draw_string(r.text, Font(FontFamily("Arial"), r.em), SolidBrush(0xFFFFFFFF), PointF{4, 4});
        });
        const auto glyphs =
            static_cast<int>(std::count_if(r.text.begin(), r.text.end(), [](char c) { return c != ' '; }));
        EXPECT_GE(ink.parts, glyphs / 2) << r.text;
        EXPECT_LE(ink.parts, glyphs) << r.text << " at " << r.sx << " x " << r.sy;
    }
    shutdown(token);
}

// The deviation dots of a display scaled 2.3 x 2.23 and turned with the
// course: circles of 5 units with a two-unit pen, inked within their rings.
TEST(BothBuilds, smallCirclesStayWithinTheirRings) {
    uint32_t token = 0;
    ASSERT_EQ(startup(&token), Status::Ok);
    for (const float angle : {0.0f, 37.0f, 150.0f, 212.0f, 300.0f}) {
        for (const int x : {-40, 20}) {
            const Ink ink = ink_of(460, 280, [&](Graphics& g) {
                g.set_smoothing_mode(SmoothingMode::HighQuality);
                g.scale_transform(2.3f, 2.23f);
                g.translate_transform(100, 62);
                g.rotate_transform(angle);
                g.draw_ellipse_i(Pen(0xFFFFFFFF, 2.0f), x, -3, 5, 5);
            });
            // The ring's centre, in pixels; it reaches 3.5 units (8 pixels) from it.
            const double a = angle * 3.14159265358979 / 180.0, cx = x + 2.5, cy = -0.5;
            const double px = 2.3 * (100 + cx * std::cos(a) - cy * std::sin(a));
            const double py = 2.23 * (62 + cx * std::sin(a) + cy * std::cos(a));
            SCOPED_TRACE(std::to_string(angle) + " " + std::to_string(x));
            EXPECT_GE(ink.left, px - 10);
            EXPECT_LE(ink.right, px + 10);
            EXPECT_GE(ink.top, py - 10);
            EXPECT_LE(ink.bottom, py + 10);
            EXPECT_GE(ink.right - ink.left, 10);
        }
    }
    shutdown(token);
}

} // namespace
