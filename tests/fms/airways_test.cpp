#include "fms/plan/airways.h"
#include "fms/plan/route_plan.h"
#include "fms/units/gns_page_state.h"
#include "fms/units/gns_unit_state.h"
#include "gns_mcu/gns_cursors.h"
#include "plan_builder.h"
#include "platform/os.h"
#include "platform/temp_folder.h"
#include "sim/host_folder.h"

#include <gtest/gtest.h>

namespace {

const char* const kAirways = "; airway fixes\n"
                             "J1 1 AAAAA 47.0 -122.0\n"
                             "J1 2 BBBBB 47.5 -122.5\n"
                             "J1 3 CCCCC 48.0 -123.0\n"
                             "J5 1 DDDDD 46.0 -121.0\n"
                             "J1 4 EEEEE 48.5 -123.5\n"
                             "J1 5 BBBBB 49.0 -124.0\r\n";

void load(const TempFolder& sim, const std::string& text, const std::string& airway) {
    sim.write("orvex/navdata/awys.txt", text);
    host_folder = os::current_directory();
    load_airway(airway);
}

void set_cursor_waypoint(const std::string& ident) {
    set_working_last(2);
    working_entry(1).ident = ident;
    working_cursor.move_to(1);
}

std::vector<std::string> candidate_idents() {
    std::vector<std::string> v;
    for (int i = 1; i <= candidate_count(); ++i)
        v.push_back(candidate_list()[i].ident);
    return v;
}

using Idents = std::vector<std::string>;

} // namespace

TEST(Airways, theCurrentWaypointOnTheAirwayEndsTheListAtTheNextAirway) {
    TempFolder sim;
    set_cursor_waypoint("BBBBB");
    load(sim, kAirways, "#J1");
    EXPECT_EQ(candidate_idents(), (Idents{"AAAAA", "BBBBB", "CCCCC"}));
    EXPECT_EQ(unit_candidates().from_index, 2);
    EXPECT_EQ(unit_candidates().selected_index, 2);
    EXPECT_EQ(unit_candidates().found_index, 2);
    EXPECT_EQ(unit_candidates().page, 1);
    EXPECT_EQ(unit_candidates().airway_label, "J1");
    EXPECT_EQ(candidate_list()[2].latitude, 47.5);
    EXPECT_EQ(candidate_list()[2].longitude, -122.5);
    EXPECT_EQ(candidate_list()[2].text_1, "J1");
    EXPECT_EQ(candidate_list()[2].kind, "");
    EXPECT_EQ(find_candidate_index("CCCCC"), 3);
    EXPECT_EQ(find_candidate_index("ccccc"), 0);
    EXPECT_EQ(find_candidate_index("DDDDD"), 0);
}

TEST(Airways, withoutTheCurrentWaypointEveryLineOfTheAirwayIsListed) {
    TempFolder sim;
    set_cursor_waypoint("ZZZZZ");
    unit_candidates().found_index = 9;
    unit_candidates().page = 4;
    load(sim, kAirways, "J1");
    EXPECT_EQ(candidate_idents(), (Idents{"AAAAA", "BBBBB", "CCCCC", "EEEEE", "BBBBB"}));
    EXPECT_EQ(unit_candidates().from_index, 0);
    EXPECT_EQ(unit_candidates().selected_index, 0);
    EXPECT_EQ(unit_candidates().found_index, 9); // kept
    EXPECT_EQ(unit_candidates().page, 4);
    EXPECT_EQ(unit_candidates().airway_label, "J1"); // in the file, though not joined here
    EXPECT_EQ(find_candidate_index("BBBBB"), 2);     // the first of two

    load(sim, kAirways, "Q99");
    EXPECT_EQ(candidate_count(), 0);
    EXPECT_EQ(unit_candidates().airway_label, "Q99 (N/A)");
}

TEST(Airways, aCursorOutsideThePlanNamesNoWaypoint) {
    TempFolder sim;
    set_working_last(2);
    working_cursor.move_to(999); // no active route
    load(sim, "J1 1 AAAAA 47.0 -122.0\nJ1 2 BBBBB 47.5 -122.5\n", "J1");
    EXPECT_EQ(candidate_count(), 2);
    EXPECT_EQ(unit_candidates().from_index, 0);
    EXPECT_EQ(unit_candidates().airway_label, "J1");

    // Index 3 lies beyond a plan whose last entry is 2, even with a stale slot there.
    working_entry(3).ident = "AAAAA";
    working_cursor.move_to(3);
    load_airway("J1");
    EXPECT_EQ(unit_candidates().from_index, 0);
}

TEST(Airways, theGnsLooksForTheCurrentWaypointInTheActivePlan) {
    TempFolder sim;
    set_cursor_waypoint("AAAAA");
    set_active_last(2);
    active_entry(1).ident = "CCCCC";
    gns_sub_state = kGnsSubStateActivePlan;
    gns_selected_wpt_cursor.move_to(1); // the GNS's row on its view of the flown plan
    load(sim, kAirways, "J1");
    EXPECT_EQ(unit_candidates().from_index, 3);
}

TEST(Airways, theListHolds250FixesAndPagesBy16) {
    TempFolder sim;
    std::string text;
    for (int i = 1; i <= 300; ++i)
        text += "UL1 " + std::to_string(i) + " F" + std::to_string(i) + " 50.0 " + std::to_string(i * 0.01) +
                "\n";
    set_cursor_waypoint("F17");
    load(sim, text, "UL1");
    EXPECT_EQ(candidate_count(), 250);
    EXPECT_EQ(candidate_list().stored(), 251u);
    EXPECT_EQ(unit_candidates().from_index, 17);
    EXPECT_EQ(unit_candidates().page, 2);

    // A waypoint past the limit is not on the list.
    set_cursor_waypoint("F260");
    load_airway("UL1");
    EXPECT_EQ(candidate_count(), 250);
    EXPECT_EQ(unit_candidates().from_index, 0);
    EXPECT_EQ(unit_candidates().airway_label, "UL1");
}

TEST(Airways, aMissingFileEmptiesTheListAndKeepsTheLabel) {
    TempFolder sim;
    host_folder = os::current_directory();
    unit_candidates().airway_label = "J1";
    candidate_list().append(NavRecord{});
    load_airway("J5");
    EXPECT_EQ(candidate_count(), 0);
    EXPECT_EQ(unit_candidates().airway_label, "J1");
}
