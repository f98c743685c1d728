// The PROLINE4_MFD beside its two control panels in the stand-in, over the
// example database at Seattle: what the next frame draws after each click.
#include "stand_in_panel.h"

#include "mouse.h"

#include "data/display_settings.h"
#include "data/display_state.h"
#include "map/range_ladder.h"

#include <filesystem>
#include <string>

namespace {

class Proline4Panels : public StandInPanel {
  protected:
    void SetUp() override {
        StandInPanel::SetUp();
        std::filesystem::copy(ORVEX_SOURCE_DIR "/examples/sim", folder.path(),
                              std::filesystem::copy_options::recursive |
                                  std::filesystem::copy_options::overwrite_existing);
        place("gauge00=orvex1!PROLINE4_MFD_CTRL, 0, 0\n"
              "gauge01=orvex1!PROLINE4_AUX_CTRL, 0, 0\n"
              "gauge02=orvex1!PROLINE4_MFD, 0, 0, 247, 285\n");
        host::AircraftModel& m = host::aircraft();
        m.lat_deg = 47.40;
        m.lon_deg = -122.30;
        m.altitude_ft = 6000.0;
        m.ias_kt = 250.0;
        host::start_aircraft();
        start();
        frames(20);
    }
    void TearDown() override {
        proline4_mfd_mode = kProline4ModeMap;
        proline4_mfd_range = 40.0;
        proline4_map_radius_px = 140;
        proline4_mfd_brg1_source = proline4_mfd_brg2_source = 0;
        proline4_mfd_show_ndbs = 0;
        show_navaids_flags[ND_PROLINE4] = show_airports_flags[ND_PROLINE4] = 0;
        show_airway_fixes_flags[ND_PROLINE4] = show_atc_boundaries = 0;
        StandInPanel::TearDown();
    }
    void click(int x, int y, std::size_t i = 0) {
        ASSERT_TRUE(host::click_gauge(gauge(i), x, y).hit) << "no spot at (" << x << ", " << y << ")";
    }
    // The display's next frame.
    const gfx::Recording& next_frame() {
        recording(2).clear();
        frames(1);
        return recording(2);
    }
    // Which page the frame shows, by what only that page draws.
    static int page_of(const gfx::Recording& r) {
        bool card_labels = false, hw_utc = false;
        for (const gfx::RecordedOp* op : r.of_kind(gfx::OpKind::String)) {
            card_labels |= op->font_size == 14.0f && op->font_family == "HW Arial";
            hw_utc |= op->text == "UTC" && op->font_family == "HW Arial";
        }
        if (card_labels) return 0;
        if (hw_utc) return 1;
        if (r.find_text("N") != nullptr) return 2;
        return r.find_text("NM") != nullptr ? 3 : -1;
    }
};

TEST_F(Proline4Panels, outerKnobStepsThePagesAndTheNextFrameDrawsEach) {
    proline4_mfd_mode = kProline4ModeNav;
    EXPECT_EQ(page_of(next_frame()), 0);
    for (int expected : {3, 1, 2, 0}) {
        click(180, 36);
        EXPECT_EQ(page_of(next_frame()), expected);
    }
    // The inner knob steps the range that the map page labels.
    click(180, 36);
    click(162, 36);
    EXPECT_EQ(proline4_mfd_range, 80.0);
    EXPECT_NE(next_frame().find_text("80 "), nullptr);
}

TEST_F(Proline4Panels, bearingButtonsBringUpTheirSources) {
    proline4_mfd_mode = kProline4ModeNav;
    for (const char* label : {"VOR1", "ADF", "FMS"}) {
        click(56, 28);
        EXPECT_NE(next_frame().find_text(label), nullptr) << label;
    }
    click(56, 67);
    EXPECT_NE(next_frame().find_text("VOR2"), nullptr);
    click(56, 28);
    EXPECT_EQ(next_frame().find_text("FMS"), nullptr);
}

TEST_F(Proline4Panels, auxButtonsSwitchTheMapLayers) {
    proline4_mfd_mode = kProline4ModeMap;
    proline4_mfd_range = 40.0;
    const gfx::Recording& bare = next_frame();
    EXPECT_EQ(bare.find_text("SEA"), nullptr);
    EXPECT_EQ(bare.find_text("KSEA"), nullptr);
    click(134, 46, 1); // navaids
    EXPECT_NE(next_frame().find_text("SEA"), nullptr);
    click(223, 46, 1); // airports
    EXPECT_NE(next_frame().find_text("KSEA"), nullptr);
    click(134, 46, 1);
    const gfx::Recording& airports = next_frame();
    EXPECT_EQ(airports.find_text("SEA"), nullptr);
    EXPECT_NE(airports.find_text("KSEA"), nullptr);
}

} // namespace
