// The waypoint lookup, the airway loader and the plan edits on the bundled
// example database (the Seattle and Portland region).
#include "data/nav_database.h"
#include "fms/math/magnetic_variation.h"
#include "fms/math/nav_math.h"
#include "fms/plan/airways.h"
#include "fms/plan/plan_editing.h"
#include "fms/plan/waypoint_entry.h"
#include "fms/procedures/approach_insertion.h"
#include "gns_mcu/gns_cursors.h"
#include "plan_builder.h"
#include "sim/host_folder.h"

#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>

namespace {

class ExampleRoute : public ::testing::Test {
  protected:
    void SetUp() override {
        host_folder = std::string(ORVEX_SOURCE_DIR) + "/examples/sim";
        load_nav_database();
        ASSERT_GT(navaid_table.count(), 0);
    }
    void lookup(const std::string& text) {
        waypoint_lookup_text = text;
        lookup_waypoint_entry(0, 47.449, -122.309); // on the ground at KSEA
    }
};

} // namespace

TEST_F(ExampleRoute, identsOfTheRegionResolve) {
    lookup("SEA");
    ASSERT_EQ(candidate_count(), 1);
    EXPECT_EQ(candidate_list()[1].kind, "V");
    EXPECT_EQ(candidate_list()[1].extra, "116.80");
    EXPECT_NEAR(candidate_list()[1].latitude, 47.4354, 1e-9);

    lookup("KPDX");
    ASSERT_EQ(candidate_count(), 1);
    EXPECT_EQ(candidate_list()[1].kind, "APT");
    EXPECT_EQ(candidate_list()[1].elevation_text, "31");

    lookup("ALDER");
    ASSERT_EQ(candidate_count(), 1);
    EXPECT_EQ(candidate_list()[1].kind, "I");

    lookup("OLM270/15");
    EXPECT_EQ(pbd_distance, 15);
    EXPECT_EQ(pbd_bearing_1, 270.0);
    ASSERT_EQ(candidate_count(), 1);
    EXPECT_EQ(candidate_list()[1].ident, "OLM");
}

TEST_F(ExampleRoute, radialsFromSeattleAndOlympiaCrossAtAlder) {
    const double alder_lat = 46.564069, alder_lon = -122.776502;
    auto magnetic_bearing = [&](double lat, double lon) {
        double d = 0.0, course = 0.0;
        gc_dist_course(lat, lon, alder_lat, alder_lon, &d, &course);
        return int(std::lround(floored_mod(course - compute_magnetic_variation(int(lat), int(lon)), 360.0))) %
               360;
    };
    char text[32];
    std::snprintf(text, sizeof text, "SEA%03d/OLM%03d", magnetic_bearing(47.4354, -122.3097),
                  magnetic_bearing(46.9717, -122.9025));
    lookup(text);
    ASSERT_EQ(candidate_count(), 1) << text;
    double miss = 0.0, course = 0.0;
    gc_dist_course(candidate_list()[1].latitude, candidate_list()[1].longitude, alder_lat, alder_lon, &miss,
                   &course);
    EXPECT_LT(miss, 2.0) << text;
}

TEST_F(ExampleRoute, anAirwayIsJoinedAtTheCursorAndReplacesARow) {
    set_working({{"KSEA", ""}, {"SEA", ""}, {"BTG", ""}, {"KPDX", ""}});
    build_route_rows();
    working_cursor.move_to(1);
    load_airway("J1");
    ASSERT_EQ(candidate_count(), 15); // the whole of J1, up to the first line of J70
    EXPECT_EQ(candidate_list()[1].ident, "EUG");
    EXPECT_EQ(candidate_list()[15].ident, "YVR");
    EXPECT_EQ(unit_candidates().from_index, 9);
    EXPECT_EQ(unit_candidates().page, 1);
    EXPECT_EQ(unit_candidates().airway_label, "J1");

    // BTG lies on J1, south of SEA: J1 is flown backwards from SEA.
    EXPECT_EQ(apply_airway_to_row(2), 1);
    EXPECT_EQ(unit_candidates().selected_index, 5);
    EXPECT_EQ(working_idents(),
              (std::vector<std::string>{"KSEA", "SEA", "PUYAL", "RAINR", "LEWIS", "BTG", "KPDX"}));
    EXPECT_EQ(working_plan[5].via, "J1");
    EXPECT_EQ(working_plan[5].frequency, ""); // backwards: no navaid data
    EXPECT_EQ(working_plan[7].ident, "******");

    load_airway("J70");
    EXPECT_EQ(candidate_count(), 8);
    EXPECT_EQ(unit_candidates().from_index, 5);
}

TEST_F(ExampleRoute, anImportedPlanIsTypedFromTheExample) {
    set_working({{"KSEA", ""}, {"SEA", ""}, {"PWT", ""}, {"ALDER", ""}, {"KPDX", ""}});
    working_entry(1).lat = 47.4354;
    working_entry(1).lon = -122.3097;
    working_entry(2).lat = 47.4911;
    working_entry(2).lon = -122.7651;
    classify_imported_waypoints();
    EXPECT_EQ(working_plan[0].type, "APT");
    EXPECT_EQ(working_plan[1].type, "VOR");
    EXPECT_EQ(working_plan[1].frequency, "116.80");
    EXPECT_EQ(working_plan[2].type, "NDB");
    EXPECT_EQ(working_plan[2].frequency, "378");
    EXPECT_EQ(working_plan[3].type, "WPT"); // five letters: looked for among the navaids
    EXPECT_EQ(working_plan[4].type, "APT");
}
