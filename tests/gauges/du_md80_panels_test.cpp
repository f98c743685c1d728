// The DU_1000_EHSI and the MD80_EHSI_NB beside their control panels in the
// stand-in: clicks on the panels step the displays' modes and ranges, and
// the next frame draws the new mode.
#include "stand_in_panel.h"

#include "mouse.h"

#include "data/display_settings.h"
#include "data/display_state.h"
#include "data/module_settings.h"
#include "map/range_ladder.h"

#include <vector>

namespace {

constexpr gfx::Argb kGreen = 0xFF00FA00;

class DisplayPanels : public StandInPanel {
  protected:
    // The display as gauge 0 (at its design size), its panel as gauge 1.
    void place_pair(const char* display, int w, int h, const char* panel) {
        place(std::string("gauge00=orvex1!") + display + ", 0, 0, " + std::to_string(w) + ", " +
              std::to_string(h) + "\ngauge01=orvex1!" + panel + ", 400, 0\n");
        host::start_aircraft();
        start();
        frames(20);
    }
    void click(int x, int y) { ASSERT_TRUE(host::click_gauge(gauge(1), x, y).hit) << x << ", " << y; }
    // The display's drawing in the next frame.
    const gfx::Recording& next_frame() {
        recording(0).clear();
        frames(1);
        return recording(0);
    }
    static bool has(const gfx::Recording& r, const char* text) { return r.find_text(text) != nullptr; }
};

TEST_F(DisplayPanels, a300KnobsStepTheDuModesAndRangesAndEachFrameDrawsTheMode) {
    place_pair("DU_1000_EHSI", 318, 310, "A300_EFIS_CTRL");
    du_1000_ehsi_mode = kEhsiModeCompass;
    du_1000_ehsi_range = 60.0;
    // What only each mode draws: the HSI's north label, the arc's range
    // label and course, the map's range label without a course, the plan
    // page's green letters.
    auto mode_drawn = [&](const gfx::Recording& r) {
        const gfx::RecordedOp* n = r.find_text("N");
        if (n != nullptr && n->color == kGreen) return 2;
        if (has(r, " 40")) return has(r, "CRS") ? 1 : 3;
        return has(r, "CRS") ? 0 : -1;
    };
    std::vector<int> modes{mode_drawn(next_frame())};
    for (int i = 0; i < 3; ++i) {
        click(111, 183);
        modes.push_back(mode_drawn(next_frame()));
    }
    for (int i = 0; i < 3; ++i) {
        click(72, 183);
        modes.push_back(mode_drawn(next_frame()));
    }
    EXPECT_EQ(modes, (std::vector<int>{0, 1, 3, 2, 3, 1, 0}));

    // The range knob through the whole ladder, down then up, with the
    // shortest ranges allowed.
    du_1000_ehsi_mode = kEhsiModeArc;
    min_map_range = 0.05;
    std::vector<double> ranges;
    du_1000_ehsi_range = 240.0;
    for (int i = 0; i < 13; ++i) {
        click(259, 183);
        ranges.push_back(du_1000_ehsi_range);
    }
    EXPECT_EQ(ranges, (std::vector<double>{120, 60, 30, 15, 10, 5, 2.5, 1, 0.5, 0.25, 0.125, 0.05, 0.05}));
    click(298, 183);
    click(298, 183);
    EXPECT_EQ(du_1000_ehsi_range, 0.25);
    du_1000_ehsi_range = 30.0;
    EXPECT_TRUE(has(next_frame(), " 20")); // two thirds of 30
}

TEST_F(DisplayPanels, md80KnobStepsTheFourFormatsAndItsAdfKeyShowsThePointer) {
    place_pair("MD80_EHSI_NB", 266, 232, "MD80_EHSI_CTRL");
    host::set_token(20, 200.0); // ADF 1 receives
    md80_ehsi_mode = kEhsiModeCompass;
    // Where each format puts its mark: the rose's letters, the arc's and the
    // map's half-range labels, the plan's "N" beside the lowered ring.
    auto format_drawn = [&](const gfx::Recording& r) {
        if (r.text_near(246.0f, 129.0f) != nullptr) return 2;
        if (r.text_near(48.0f, 150.0f) != nullptr) return 1;
        if (r.text_near(58.0f, 156.0f) != nullptr) return 3;
        return has(r, "N") && has(r, "E") ? 0 : -1;
    };
    md80_ehsi_range = 20.0;
    std::vector<int> formats{format_drawn(next_frame())};
    for (int i = 0; i < 3; ++i) {
        click(86, 76);
        formats.push_back(format_drawn(next_frame()));
    }
    for (int i = 0; i < 3; ++i) {
        click(57, 76);
        formats.push_back(format_drawn(next_frame()));
    }
    EXPECT_EQ(formats, (std::vector<int>{0, 1, 3, 2, 3, 1, 0}));

    // The ADF key: the pointer and its legend come and go with it.
    ASSERT_EQ(md80_ehsi_mode, kEhsiModeCompass);
    EXPECT_FALSE(has(next_frame(), "ADF1"));
    click(188, 75);
    EXPECT_TRUE(has(next_frame(), "ADF1"));
    click(188, 75);
    EXPECT_FALSE(has(next_frame(), "ADF1"));
}

} // namespace
