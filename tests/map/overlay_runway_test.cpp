// Runways, approach fan and traffic pattern of the selected airport, drawn
// about (122, 249) with unit scales, the aircraft on the threshold heading
// north with no magnetic variation.
#include "overlay_fixture.h"

#include "data/module_settings.h"
#include "fms/plan/airport_selection.h"
#include "fms/procedures/airport_detail.h"
#include "map/map_overlays.h"

#include <string>

namespace {

class RunwayLayer : public OverlayTest {
  protected:
    void SetUp() override {
        OverlayTest::SetUp();
        airport_runway_list.set_count(0);
        airport_runway_first_row = 1;
        airport_runway_selected_line = -999;
        parking_position = ParkingPosition{};
    }
    void TearDown() override {
        airport_runway_list.set_count(0);
        airport_runway_selected_line = -999;
        DispAppPtrnAlts = 0;
        selected_airport_elevation_text.clear();
        selected_destination_elevation_text.clear();
        parking_position = ParkingPosition{};
        OverlayTest::TearDown();
    }
    // A runway of one NM from the aircraft's position along its heading.
    void add(const std::string& designator, double heading, int right_pattern = 0) {
        AirportRunwayListEntry r;
        r.designator = designator;
        r.latitude = kLat;
        r.longitude = kLon;
        r.length_ft = 6076;
        r.magnetic_heading = heading;
        r.localizer_course = heading;
        r.right_pattern = right_pattern;
        airport_runway_list.append(r);
    }
    void pattern(double range) { draw_runway_pattern(g(), 215, 122, 249, range, 1.0, 1.0); }
    void labels(double range) { draw_runway_labels(g(), 215, 122, 249, range); }
};

TEST_F(RunwayLayer, patternTurnsToItsSideWithAltitudesAtShortRange) {
    add("36", 0.0);
    add("18", 180.0, 1);
    pattern(20.0);
    EXPECT_EQ(rec().drawing_count(), 0u); // no landing runway selected

    DispAppPtrnAlts = 1;
    selected_airport_elevation_text = "1234";
    selected_destination_elevation_text = "31"; // another airport's: not the pattern's
    const double u = 215.0 / 20.0;              // units per NM
    struct Row {
        int line;
        double crosswind_x; // the crosswind corner, 3 NM along the runway and 5 NM aside
        double crosswind_y;
    };
    // "36", left-hand: the corner west of the upwind end; "18", right-hand:
    // turning right from south is west too, 3 NM south.
    for (const Row r : {Row{1, 122.0 - 5.0 * u, 249.0 - 3.0 * u}, Row{2, 122.0 - 5.0 * u, 249.0 + 3.0 * u}}) {
        airport_runway_selected_line = r.line;
        rec().clear();
        pattern(20.0);
        const auto lines = rec().lines_in_color(0xFF5BE5A7);
        ASSERT_EQ(lines.size(), 6u);
        // The extended centreline runs 60 NM from the threshold, opposite the approach.
        EXPECT_NEAR(lines[0]->points[0].y, 249.0, 1.0); // truncated
        EXPECT_NEAR(lines[0]->points[1].y, r.line == 1 ? 249.0 + 60.0 * u : 249.0 - 60.0 * u, 2.0);
        EXPECT_NEAR(lines[3]->points[1].x, r.crosswind_x, 1.0) << r.line;
        EXPECT_NEAR(lines[3]->points[1].y, r.crosswind_y, 1.0) << r.line;
        const gfx::RecordedOp* fan = rec().find_text("4200");
        const gfx::RecordedOp* cross = rec().find_text("2700");
        ASSERT_NE(fan, nullptr);
        ASSERT_NE(cross, nullptr);
        EXPECT_NEAR(fan->points[0].y, 249.0 + (r.line == 1 ? 14.0 : -14.0) * u + 7.0, 1.0);
        EXPECT_NEAR(cross->points[0].x, r.crosswind_x, 1.0);
    }

    rec().clear();
    pattern(40.0);
    EXPECT_TRUE(rec().texts().empty());
    EXPECT_EQ(rec().lines_in_color(0xFF5BE5A7).size(), 6u);
}

TEST_F(RunwayLayer, eachRunwayIsDrawnOnceWithItsReciprocalAtTheFarEnd) {
    add("09", 90.0);
    add("27", 270.0);
    airport_runway_selected_line = 2; // "27"
    labels(2.0);
    const double u = 215.0 / 2.0;
    EXPECT_EQ(rec().texts(), (std::vector<std::string>{"09", "27"}));
    const auto yellow = rec().lines_in_color(0xFFFFFF00);
    ASSERT_EQ(yellow.size(), 1u);
    EXPECT_TRUE(rec().lines_in_color(0xFFC90101).empty());
    EXPECT_NEAR(yellow[0]->points[1].x, 122.0 + u, 1.0);
    EXPECT_EQ(rec().find_text("09")->color, 0xFFC90101u);
    const gfx::RecordedOp* far = rec().find_text("27");
    EXPECT_EQ(far->color, 0xFFFFFF00u);
    EXPECT_NEAR(far->points[0].x, 122.0 + u, 1.0);
    EXPECT_NEAR(airport_runway_list[2].longitude, kLon, 1e-12); // the table is left as it was

    // Listed the other way round "27" has no far-end label and "09" is drawn again.
    airport_runway_list.set_count(0);
    add("27", 270.0);
    add("09", 90.0);
    airport_runway_selected_line = -999;
    rec().clear();
    labels(2.0);
    EXPECT_EQ(rec().texts(), (std::vector<std::string>{"27", "09", "27"}));
    EXPECT_EQ(rec().lines_in_color(0xFFC90101).size(), 2u);
}

TEST_F(RunwayLayer, parkingArrowOnlyAtHalfAMileOrLess) {
    add("16L", 160.0);
    parking_position = ParkingPosition{kLat, kLon, 90.0};
    for (const double range : {0.5, 1.0}) {
        rec().clear();
        labels(range);
        EXPECT_EQ(rec().find_text("P") != nullptr, range <= 0.5);
        EXPECT_EQ(rec().lines_in_color(0xFFE9B73E).size(), range <= 0.5 ? 3u : 0u);
    }
    // The reciprocal of "16L" is "34R"; the arrow points east (heading 90,
    // aircraft heading 0): its tail (0, 12) lies 12 units west.
    EXPECT_NE(rec().find_text("34R"), nullptr);
    rec().clear();
    labels(0.5);
    const auto arrow = rec().lines_in_color(0xFFE9B73E);
    EXPECT_NEAR(arrow[2]->points[1].x, 122.0 - 12.0, 0.5);
    EXPECT_NEAR(arrow[2]->points[1].y, 249.0, 0.5);
}

} // namespace
