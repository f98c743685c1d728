#include "data/nav_database.h"
#include "fms/exec/exec_erase.h"
#include "fms/math/nav_math.h"
#include "fms/plan/airways.h"
#include "fms/plan/holds.h"
#include "fms/plan/plan_cursors.h"
#include "fms/plan/plan_editing.h"
#include "fms/plan/route_state.h"
#include "fms/plan/selection_texts.h"
#include "fms/plan/waypoint_entry.h"
#include "fms/procedures/approach_insertion.h"
#include "fms/units/c17_cdu_text.h"
#include "fms/units/cdu_text.h"
#include "gns_mcu/gns_cursors.h"
#include "plan_builder.h"

#include <gtest/gtest.h>

using Idents = std::vector<std::string>;

TEST(PlanEditing, deletingARouteRowRemovesItsLegsButNeverTheEnds) {
    const std::vector<PlanEntry> plan = {{"A", ""}, {"B", "J1"}, {"C", "J1"}, {"D", ""}, {"E", ""}};
    set_working(plan);
    EXPECT_EQ(delete_route_row(1), 1);
    EXPECT_EQ(working_idents(), (Idents{"A", "D", "E"}));
    EXPECT_EQ(route_rows_last, 1);
    EXPECT_EQ(route_rows[1].to, "D");

    set_working(plan);
    route_state = kRouteStateActive;
    EXPECT_EQ(delete_route_row(2), 3);
    EXPECT_EQ(working_idents(), (Idents{"A", "B", "C", "E"}));
    EXPECT_EQ(route_state, kRouteStateActiveModified);

    set_working(plan);
    route_state = kRouteStateEntered;
    EXPECT_EQ(delete_route_row(3), 0); // no third row
    EXPECT_EQ(working_plan_last, 4);
    EXPECT_EQ(route_state, kRouteStateEntered);

    set_working({{"A", ""}, {"E", ""}});
    EXPECT_EQ(delete_route_row(1), 0);
    EXPECT_EQ(working_plan_last, 1);
}

TEST(PlanEditing, deletingARouteRowKeepsLaterHoldsAndTheEditIndexOnTheirEntries) {
    set_working({{"A", ""}, {"B", "J1"}, {"C", "J1"}, {"D", ""}, {"E", ""}, {"F", ""}});
    add_hold(2, kHoldQuiet, 0.0); // on C, inside the deleted row: goes with it
    add_hold(4, kHoldQuiet, 0.0); // on E
    working_edit_cursor.move_to(4);
    delete_route_row(1);
    EXPECT_EQ(working_idents(), (Idents{"A", "D", "E", "F"}));
    ASSERT_EQ(hold_count(), 1);
    EXPECT_EQ(hold_list[1].ident, "E");
    EXPECT_EQ(hold_list[1].working_index(), 2);
    EXPECT_EQ(hold_mark(working_plan, 2), 1);
    EXPECT_EQ(working_edit_index, 2);
}

TEST(PlanEditing, deletingAWaypointRemovesItOrLeavesADiscontinuity) {
    const std::vector<PlanEntry> plan = {{"A", ""}, {"B", ""}, {"C", ""}, {"D", ""}, {"E", ""}, {"F", ""}};
    set_working(plan);
    delete_waypoint_smiths(1, 0);
    EXPECT_EQ(working_idents(), (Idents{"A", "C", "D", "E", "F"}));

    set_working(plan);
    working_entry(2).frequency = "116.80";
    working_entry(2).alt_constraint = 9000.0;
    smiths_scratchpad_message = "DELETE";
    route_state = kRouteStateActive;
    delete_waypoint_smiths(2, 0);
    EXPECT_EQ(working_idents(), (Idents{"A", "B", "DISCO", "D", "E", "F"}));
    const RouteWaypoint& disco = working_plan[2];
    EXPECT_EQ(disco.lat, 0.0);
    EXPECT_EQ(disco.type, "");
    EXPECT_EQ(disco.alt_constraint, -999.0);
    EXPECT_EQ(disco.course, -1.0);
    EXPECT_EQ(disco.frequency, "116.80"); // kept from the slot
    EXPECT_EQ(smiths_scratchpad_message, "");
    EXPECT_EQ(route_state, kRouteStateActiveModified);

    set_working(plan);
    delete_waypoint_smiths(2, 1);
    EXPECT_EQ(working_idents(), (Idents{"A", "B", "D", "E", "F"}));

    // Beside a discontinuity, on either side, no second one goes in.
    set_working(plan);
    delete_waypoint_smiths(2, 0);
    delete_waypoint_smiths(3, 0);
    EXPECT_EQ(working_idents(), (Idents{"A", "B", "DISCO", "E", "F"}));
    set_working(plan);
    delete_waypoint_smiths(3, 0);
    delete_waypoint_smiths(2, 0);
    EXPECT_EQ(working_idents(), (Idents{"A", "B", "DISCO", "E", "F"}));

    // The last two entries are removed, not replaced.
    set_working(plan);
    delete_waypoint_smiths(4, 0);
    EXPECT_EQ(working_idents(), (Idents{"A", "B", "C", "D", "F"}));

    // Outside the plan nothing is removed.
    set_working(plan);
    delete_waypoint_smiths(9, 1);
    delete_waypoint_smiths(-1, 1);
    EXPECT_EQ(working_plan_last, 5);

    // The C-17 unit empties its own message line.
    set_working(plan);
    c17_scratchpad_message = "DELETE";
    delete_waypoint_fms(3, 1);
    EXPECT_EQ(working_idents(), (Idents{"A", "B", "C", "E", "F"}));
    EXPECT_EQ(c17_scratchpad_message, "");
}

TEST(PlanEditing, deletingAWaypointTakesItsOwnHoldAfterEarlierEditsMovedIt) {
    set_working_count(6);
    add_hold(1, kHoldQuiet, 0.0); // P1
    add_hold(3, kHoldQuiet, 0.0); // P3
    hold_list_commit_working_index();
    for (int i = 0; i <= working_plan_last; ++i)
        active_entry(i) = working_plan[i];
    set_active_last(working_plan_last);
    copy_active_plan_to_working();

    set_candidate(1, "NEW", 46.0, -121.0);
    ASSERT_TRUE(insert_discontinuity(1)); // NEW, DISCO before P1: P3 moves to 5
    EXPECT_EQ(working_idents(), (Idents{"P0", "NEW", "DISCO", "P1", "P2", "P3", "P4", "P5"}));
    EXPECT_EQ(hold_list[2].working_index(), 5);
    EXPECT_EQ(hold_mark(working_plan, 5), 2);

    delete_waypoint_smiths(5, 1); // P3, whose active index is still 3
    // Executed, P3's hold leaves the working plan only, until EXEC.
    ASSERT_EQ(hold_count(), 2);
    EXPECT_EQ(hold_list[1].ident, "P1");
    EXPECT_EQ(hold_list[1].working_index(), 3);
    EXPECT_EQ(hold_mark(working_plan, 3), 1);
    EXPECT_EQ(hold_list[2].working_index(), 0);
    EXPECT_EQ(hold_mark(active_plan, 3), 2);
    hold_list_commit_working_index();
    EXPECT_EQ(hold_count(), 1);
}

TEST(PlanEditing, insertingACandidateAddsADiscontinuityUnlessItLandsLastButOne) {
    set_working({{"A", ""}, {"B", ""}, {"C", ""}, {"D", ""}});
    set_candidate(1, "SEA", 47.435, -122.31, "V", "116.80");
    working_edit_cursor.move_to(2);
    ASSERT_TRUE(insert_discontinuity(0)); // 0 means 1
    EXPECT_EQ(working_idents(), (Idents{"A", "SEA", "DISCO", "B", "C", "D"}));
    const RouteWaypoint& w = working_plan[1];
    EXPECT_EQ(w.type, "V");
    EXPECT_EQ(w.frequency, "116.80");
    EXPECT_EQ(w.lat, 47.435);
    EXPECT_EQ(w.course, -1.0);
    EXPECT_EQ(w.alt_constraint, -999.0);
    EXPECT_EQ(w.via, "");
    EXPECT_EQ(working_edit_index, 4); // still on C
    EXPECT_EQ(route_state, kRouteStateEntered);

    set_working({{"A", ""}, {"B", ""}, {"C", ""}, {"D", ""}});
    route_state = kRouteStateActivated;
    ASSERT_TRUE(insert_discontinuity(3)); // becomes the last but one
    EXPECT_EQ(working_idents(), (Idents{"A", "B", "C", "SEA", "D"}));
    EXPECT_EQ(route_state, kRouteStateActivated);

    // Beyond the end of the plan (index 1 of an empty plan included) nothing
    // is inserted: it would leave a gap.
    EXPECT_FALSE(insert_discontinuity(6));
    set_working_last(-1);
    EXPECT_FALSE(insert_discontinuity(0));
    EXPECT_EQ(working_plan_last, -1);
}

TEST(PlanEditing, aFullPlanRefusesEveryInsertion) {
    set_working_count(201);
    ASSERT_EQ(working_plan_last, 200);
    set_candidate(1, "SEA", 47.4, -122.3);
    EXPECT_FALSE(insert_discontinuity(100));
    EXPECT_FALSE(insert_discontinuity(200));
    EXPECT_FALSE(insert_then_leg(100));
    EXPECT_FALSE(create_user_waypoint_mod(100, 1, 0.0));
    EXPECT_FALSE(shift_working_up(5));
    EXPECT_EQ(working_plan_last, 200);
    EXPECT_EQ(working_plan[100].ident, "P100");
    EXPECT_EQ(working_plan[200].ident, "P200");
    EXPECT_EQ(route_state, kRouteStateNone);

    // One free slot: an entry that needs a discontinuity behind it is refused
    // whole; the last but one still fits.
    set_working_count(200);
    EXPECT_FALSE(insert_discontinuity(50));
    EXPECT_EQ(working_plan_last, 199);
    EXPECT_TRUE(insert_discontinuity(199));
    EXPECT_EQ(working_plan_last, 200);
    EXPECT_EQ(working_plan[199].ident, "SEA");
    EXPECT_EQ(working_plan[200].ident, "P199");
    EXPECT_EQ(working_plan.stored(), 201u);
}

TEST(PlanEditing, aThenPlaceholderCarriesTheScratchpadAirway) {
    set_working({{"A", ""}, {"B", ""}, {"C", ""}});
    working_entry(1).kind = "SID";
    working_entry(1).course = 95.0;
    working_entry(1).frequency = "112.0";
    add_hold(1, kHoldQuiet, 0.0);
    smiths_scratchpad = "J5";
    route_state = kRouteStateNone; // the hold is not executed: no route flown
    ASSERT_TRUE(insert_then_leg(1));
    EXPECT_EQ(working_idents(), (Idents{"A", "THEN", "B", "C"}));
    const RouteWaypoint& t = working_plan[1];
    EXPECT_EQ(t.via, "J5");
    EXPECT_EQ(t.type, "OAWY");
    EXPECT_EQ(t.speed_constraint, -1.0);
    EXPECT_EQ(t.alt_constraint, -999.0);
    EXPECT_EQ(t.lat, 0.0);
    EXPECT_EQ(t.kind, "SID");
    EXPECT_EQ(t.course, 95.0);
    EXPECT_EQ(t.frequency, "112.0");
    EXPECT_EQ(hold_mark(working_plan, 1), 0); // the hold moved up with B
    EXPECT_EQ(hold_mark(working_plan, 2), 1);
    EXPECT_EQ(hold_list[1].working_index(), 2);
    EXPECT_EQ(route_state, kRouteStateNone); // a placeholder is not a change yet
}

TEST(PlanEditing, userWaypointsFromAPlaceBearingAndDistanceGetRunningNames) {
    set_working({{"A", ""}, {"XYZ", ""}, {"B", ""}});
    set_candidate(1, "XYZ", 47.0, -122.0, "V", "113.4");
    pbd_distance = 60;
    pbd_bearing_1 = 90.0;
    ASSERT_TRUE(create_user_waypoint_mod(2, 1, 10.0));
    // Last but one: no discontinuity.
    EXPECT_EQ(working_idents(), (Idents{"A", "XYZ", "XYZ01", "B"}));
    const RouteWaypoint& w = working_plan[2];
    EXPECT_EQ(w.type, "WPT");
    double distance = 0.0, course = 0.0;
    gc_dist_course(47.0, -122.0, w.lat, w.lon, &distance, &course);
    EXPECT_NEAR(distance, 60.0, 1e-6);
    EXPECT_NEAR(course, 100.0, 1e-6); // 090 magnetic with 10 degrees east
    EXPECT_EQ(pbd_distance, 0);
    EXPECT_EQ(pbd_bearing_1, -1.0);
    EXPECT_EQ(pbd_bearing_2, -1.0);

    set_candidate(1, "XYZ", 47.0, -122.0);
    pbd_distance = 20;
    pbd_bearing_1 = 180.0;
    ASSERT_TRUE(create_user_waypoint_mod(3, 1, 0.0));
    EXPECT_EQ(working_idents(), (Idents{"A", "XYZ", "XYZ01", "XYZ02", "B"}));
}

TEST(PlanEditing, theRunningNumberNeverGoesBackForALaterReference) {
    // XYZ01 stands before the reference fix XYZ itself.
    set_working({{"A", ""}, {"XYZ01", ""}, {"XYZ", ""}, {"B", ""}});
    set_candidate(1, "XYZ", 47.0, -122.0);
    pbd_distance = 10;
    pbd_bearing_1 = 0.0;
    ASSERT_TRUE(create_user_waypoint_mod(3, 1, 0.0));
    EXPECT_EQ(working_plan[3].ident, "XYZ02");

    // The two-letter form, from four-character names.
    set_working({{"A", ""}, {"AB07", ""}, {"B", ""}});
    set_candidate(1, "ABC", 47.0, -122.0);
    pbd_distance = 10;
    pbd_bearing_1 = 0.0;
    ASSERT_TRUE(create_user_waypoint_mod(2, 1, 0.0));
    EXPECT_EQ(working_plan[2].ident, "AB08");
}

TEST(PlanEditing, aUserWaypointAddsExactlyOneEntryAndItsDiscontinuity) {
    set_working({{"A", ""}, {"B", ""}, {"C", ""}, {"D", ""}});
    set_candidate(2, "XYZ", 47.0, -122.0);
    pbd_distance = 10;
    pbd_bearing_1 = 45.0;
    working_cursor.move_to(999);
    route_state = kRouteStateActive;
    smiths_legs_mode = kLegsModeDirectTo;
    ASSERT_TRUE(create_user_waypoint_mod(1, 2, 0.0));
    EXPECT_EQ(working_idents(), (Idents{"A", "XYZ01", "DISCO", "B", "C", "D"}));
    EXPECT_EQ(working_plan_last, 5);
    EXPECT_EQ(working_cursor_index, 1);
    EXPECT_EQ(route_state, kRouteStateActiveModified);
    EXPECT_EQ(direct_to_entered, 1);
}

TEST(PlanEditing, holdPresentPositionBecomesTheNextWptNumberWithItsHold) {
    set_working({{"A", ""}, {"WPT03", ""}, {"B", ""}, {"C", ""}});
    set_candidate(1, "HOLD PPOS", 47.5, -122.5, "I");
    ASSERT_TRUE(create_user_waypoint_mod(1, 1, 0.0));
    EXPECT_EQ(working_idents(), (Idents{"A", "WPT04", "WPT03", "B", "C"}));
    EXPECT_EQ(hold_mark(working_plan, 1), 0); // the hold, made next, marks it
    EXPECT_EQ(working_plan[1].type, "I");

    // A plain candidate without place/bearing inputs keeps its ident.
    set_working({{"A", ""}, {"B", ""}, {"C", ""}});
    set_candidate(1, "SEA", 47.4, -122.3, "V", "116.80");
    ASSERT_TRUE(create_user_waypoint_mod(1, 1, 0.0));
    EXPECT_EQ(working_idents(), (Idents{"A", "SEA", "DISCO", "B", "C"}));
    EXPECT_FALSE(create_user_waypoint_mod(1, 5, 0.0)); // no such candidate
}

TEST(PlanEditing, theC17UnitUsesItsOwnInputs) {
    set_working({{"A", ""}, {"B", ""}, {"C", ""}});
    set_candidate(1, "QRS", 47.0, -122.0);
    c17_pbd_distance = 0.5;
    c17_pbd_bearing_1 = 0.0;
    pbd_distance = 40; // the SMITHS inputs stay untouched
    c17_legs_mode = kLegsModeDirectTo;
    ASSERT_TRUE(create_user_waypoint(2, 1, 0.0));
    EXPECT_EQ(working_plan[2].ident, "QRS01");
    EXPECT_NEAR(working_plan[2].lat, 47.0 + 0.5 / 60.0, 1e-6);
    EXPECT_EQ(c17_pbd_distance, 0.0);
    EXPECT_EQ(pbd_distance, 40);
    EXPECT_EQ(c17_direct_to_entered, 1);
}

TEST(PlanEditing, anAirwayReplacesARowOnlyWhenTheRowEndsOnIt) {
    set_working({{"A", ""}, {"B", ""}, {"C", ""}, {"D", ""}});
    build_route_rows();
    set_candidate(1, "B", 47.1, -122.0);
    set_candidate(2, "X", 47.2, -122.0);
    set_candidate(3, "Y", 47.3, -122.0);
    unit_candidates().from_index = 1;
    EXPECT_EQ(apply_airway_to_row(2), 0); // C is not on it
    EXPECT_EQ(apply_airway_to_row(1), 0); // B is where the plan joins it
    EXPECT_EQ(apply_airway_to_row(9), 0);
    EXPECT_EQ(working_plan_last, 3);

    // The row B..C gives way to the airway's fixes behind the cursor at B.
    set_candidate(3, "C", 47.3, -122.0);
    working_cursor.move_to(1);
    EXPECT_EQ(apply_airway_to_row(2), 1);
    EXPECT_EQ(unit_candidates().selected_index, 3);
    EXPECT_EQ(working_idents(), (Idents{"A", "B", "X", "C", "D"}));
    EXPECT_EQ(working_plan[5].ident, "******");
}

TEST(PlanEditing, importedWaypointsAreTypedFromTheDatabase) {
    auto nav = [](const char* ident, double lat, double lon, const char* kind, const char* extra) {
        NavRecord r;
        r.ident = ident;
        r.latitude = lat;
        r.longitude = lon;
        r.kind = kind;
        r.extra = extra;
        return r;
    };
    airport_table.append(nav("KSEA", 47.449, -122.309, "APT", ""));
    airport_table.append(nav("KPDX", 45.589, -122.597, "APT", ""));
    navaid_table.append(nav("SEA", 47.435, -122.310, "V", "116.80"));
    navaid_table.append(nav("OLM", 46.97, -122.90, "N", "385")); // an NDB beside its VOR
    navaid_table.append(nav("OLM", 46.972, -122.902, "V", "113.40"));
    navaid_table.append(nav("BTG", 45.815, -122.531, "N", "400"));
    navaid_table.append(nav("FAR", 10.0, 10.0, "V", "117.0"));
    intersection_table.append(nav("ABCDEF", 46.5, -122.5, "I", ""));

    set_working(
        {{"KSEA", ""}, {"SEA", ""}, {"OLM", ""}, {"BTG", ""}, {"ABCDEF", ""}, {"FAR", ""}, {"KPDX", ""}});
    working_entry(1).lat = 47.44;
    working_entry(1).lon = -122.31;
    working_entry(2).lat = 46.97;
    working_entry(2).lon = -122.90;
    working_entry(3).lat = 45.80;
    working_entry(3).lon = -122.53;
    working_entry(4).lat = 46.51;
    working_entry(4).lon = -122.5;
    working_entry(5).frequency = "stale";
    classify_imported_waypoints();
    EXPECT_EQ(working_plan[0].type, "APT");
    EXPECT_EQ(working_plan[6].type, "APT");
    EXPECT_EQ(working_plan[1].type, "VOR");
    EXPECT_EQ(working_plan[1].frequency, "116.80");
    EXPECT_EQ(working_plan[2].type, "VOR");
    EXPECT_EQ(working_plan[2].frequency, "113.40");
    EXPECT_EQ(working_plan[3].type, "NDB");
    EXPECT_EQ(working_plan[3].frequency, "400");
    EXPECT_EQ(working_plan[4].type, "INT");
    EXPECT_EQ(working_plan[5].type, "WPT"); // too far from the navaid of that name
    EXPECT_EQ(working_plan[5].frequency, "");
}
