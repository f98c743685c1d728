// FIX INFO: the fix looked up into its record, the aircraft's radial and
// distance from it, the radial/distance points with their ETA and distance
// to go, and DELETE.
#include "cdu_smiths/smiths_pages.h"
#include "data/nav_database.h"
#include "fms/nav/fix_info.h"
#include "fms/plan/candidate_list.h"
#include "page_canvas.h"
#include "sim/aircraft_state.h"

namespace {

constexpr double kSeaLat = 47.435;
constexpr double kSeaLon = -122.310;

class FixInfoPage : public PageCanvas {
  protected:
    void SetUp() override {
        PageCanvas::SetUp();
        NavRecord sea;
        sea.ident = "SEA";
        sea.latitude = kSeaLat;
        sea.longitude = kSeaLon;
        sea.kind = "V";
        navaid_table.append(sea);
        aircraft_state = AircraftState{};
        aircraft_state.plat = kSeaLat - 10.0 / 60.0; // 10 NM south of SEA
        aircraft_state.plon = kSeaLon;
        smiths_fix_subpage = 1;
        smiths_cdu_page = kPageFixInfo;
    }
    void TearDown() override {
        navaid_table.clear();
        candidate_list().clear();
        clear_fix_info(0);
        PageCanvas::TearDown();
    }
};

} // namespace

TEST_F(FixInfoPage, fixLookupRadialFromTheFixAndDelete) {
    draw();
    EXPECT_EQ(text_at(63, 0), "FIX INFO");
    EXPECT_EQ(text_at(230, 0), "1 / 2");
    EXPECT_EQ(text_at(5, 33), ""); // boxes until a fix is entered

    enter("KZZZ", 1);
    EXPECT_EQ(smiths_scratchpad_message, "NOT IN DATABASE");
    EXPECT_EQ(smiths_scratchpad, "KZZZ");
    enter("SEA", 1);
    write_png("fix_info");
    EXPECT_TRUE(smiths_scratchpad.empty());
    EXPECT_EQ(fix_info[1].label, "V");
    EXPECT_EQ(text_at(5, 33), "SEA");
    EXPECT_EQ(text_at(70, 33), "180/ 10.0"); // the aircraft lies on the fix's 180 radial

    smiths_cdu_next_page = 1; // the other record, still empty
    draw();
    EXPECT_EQ(text_at(230, 0), "2 / 2");
    EXPECT_EQ(text_at(5, 33), "");
    smiths_cdu_prev_page = 1;
    smiths_scratchpad_message = "DELETE";
    draw(1);
    EXPECT_TRUE(fix_info[1].ident.empty());
    EXPECT_TRUE(smiths_scratchpad_message.empty());
    smiths_scratchpad = "090/10";
    draw(2); // no fix: points are ignored quietly
    EXPECT_EQ(smiths_scratchpad, "090/10");
    EXPECT_TRUE(smiths_scratchpad_message.empty());
    EXPECT_EQ(fix_info[1].radial_1, 0.0);
}

TEST_F(FixInfoPage, radialAndDistanceEntries) {
    enter("SEA", 1);
    struct Row {
        const char* entry;
        int key;
        bool accepted;
        const char* radial; // shown at (5, y) and (70, y) of the key's row
        const char* distance;
    } rows[] = {
        {"090/10", 2, true, "090", "10.0"},        {"000/5", 3, true, "360", "5.0"},
        {"/7.5", 2, true, "090", "7.5"},           {"180", 4, true, "180", "---"},
        {"270 12", 4, true, "270", "---"},         {"90/10", 2, false, "090", "7.5"},
        {"361/10", 2, false, "090", "7.5"},        {"090/999", 2, false, "090", "7.5"},
        {"090/0", 2, false, "090", "7.5"},         {"ABC/5", 2, false, "090", "7.5"},
        {"090/100000000", 2, false, "090", "7.5"}, // longer than 12
    };
    const float row_y[] = {0, 0, 66, 99, 133};
    for (const Row& r : rows) {
        enter(r.entry, r.key);
        EXPECT_EQ(smiths_scratchpad.empty(), r.accepted) << r.entry;
        EXPECT_EQ(smiths_scratchpad_message.empty(), r.accepted) << r.entry;
        EXPECT_EQ(text_at(5, row_y[r.key]), r.radial) << r.entry;
        EXPECT_EQ(text_at(70, row_y[r.key]), r.distance) << r.entry;
    }
    smiths_scratchpad_message = "DELETE";
    draw(2);
    EXPECT_EQ(text_at(5, 66), "---");
    EXPECT_EQ(text_at(70, 66), "---");
    EXPECT_EQ(fix_info[1].radial_2, 360.0);
}

TEST_F(FixInfoPage, pointArrivalTimeAndDistanceToGoAboveTaxiSpeed) {
    enter("SEA", 1);
    enter("360/2", 2); // 2 NM north of SEA: 12 NM to go, 6 minutes at 120 kt
    aircraft_state.zulu_hours = 23.0;
    aircraft_state.zulu_minutes = 57.5;
    aircraft_state.ground_speed_kt = 120.0;
    draw();
    EXPECT_EQ(text_at(145, 66), "0003Z");
    EXPECT_EQ(text_at(230, 66), "12.0");
    aircraft_state.ground_speed_kt = 75.0;
    draw();
    EXPECT_EQ(text_at(145, 66), "");
}
