// Text measures alike on both builds: the module's families are drawn with
// faces of their own metrics, so that a text placed by its length in
// characters (a right-aligned prompt of a control unit) ends where its page
// puts it. Runs on Linux and, in the Windows build, under wine.
#include "platform/gfx.h"
#include "platform/gfx_surface.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace gfx;

TEST(TextMetrics, theModulesFamiliesAdvanceAsTheirOwnFaces) {
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

} // namespace
