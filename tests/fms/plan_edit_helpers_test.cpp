#include "fms/plan/holds.h"
#include "fms/plan/plan_cursors.h"
#include "fms/plan/plan_edit_helpers.h"
#include "fms/plan/route_state.h"
#include "fms/units/c17_cdu_text.h"
#include "fms/units/cdu_text.h"
#include "plan_builder.h"

#include <gtest/gtest.h>

using Idents = std::vector<std::string>;

namespace {

struct LegsEntryCase {
    const char* entry;
    double altitude; // -999: nothing stored
    double speed;    // -999: no speed stored
    const char* message;
    bool scratchpad_emptied;
};

} // namespace

TEST(PlanEditHelpers, legsEntriesSetSpeedAndAltitudeConstraints) {
    const LegsEntryCase cases[] = {
        {"250/FL350", 35000.0, 250.0, "", true},
        {"/12000", 12000.0, -999.0, "", true},
        {"FL120", 12000.0, -999.0, "", true},
        {"250/", 25000.0, -999.0, "", true}, // a lone number is an altitude
        {"400/8000", 8000.0, 400.0, "", true},
        {"90/5000", 5000.0, -999.0, "INVALID ENTRY", true},
        {"401/5000", 5000.0, -999.0, "INVALID ENTRY", true},
        {"0", -999.0, -999.0, "INVALID ENTRY", false},
        {"120000", -999.0, -999.0, "INVALID ENTRY", false},
        {"ABC", -999.0, -999.0, "INVALID ENTRY", false},
        {"", -999.0, -999.0, "INVALID ENTRY", false},
    };
    for (const LegsEntryCase& c : cases) {
        set_working_count(4);
        smiths_scratchpad = c.entry;
        smiths_scratchpad_message.clear();
        parse_legs_entry_mod(2);
        const RouteWaypoint& w = working_plan[2];
        EXPECT_EQ(w.alt_constraint, c.altitude) << c.entry;
        EXPECT_EQ(w.altitude_kind, c.altitude > 0.0 ? AltitudeKind::Pilot : AltitudeKind::None) << c.entry;
        EXPECT_EQ(w.speed_constraint, c.speed) << c.entry;
        EXPECT_EQ(smiths_scratchpad_message, c.message) << c.entry;
        EXPECT_EQ(smiths_scratchpad, c.scratchpad_emptied ? "" : c.entry) << c.entry;
    }
}

TEST(PlanEditHelpers, aLegsEntryOnAnActiveRouteEditsACopyAndMarksItModified) {
    set_active({{"A", ""}, {"B", ""}, {"C", ""}});
    set_working({{"X", ""}});
    route_state = kRouteStateActive;
    smiths_scratchpad = "280/FL240";
    parse_legs_entry_mod(1);
    EXPECT_EQ(working_idents(), (Idents{"A", "B", "C"}));
    EXPECT_EQ(working_plan[1].alt_constraint, 24000.0);
    EXPECT_EQ(active_plan[1].alt_constraint, -999.0);
    EXPECT_EQ(route_state, kRouteStateActiveModified);

    // The C-17 unit reads and reports through its own lines.
    route_state = kRouteStateNone;
    c17_scratchpad = "FL90";
    smiths_scratchpad = "keep";
    parse_legs_entry(2);
    EXPECT_EQ(working_plan[2].alt_constraint, 9000.0);
    EXPECT_EQ(c17_scratchpad, "");
    EXPECT_EQ(smiths_scratchpad, "keep");
    EXPECT_EQ(route_state, kRouteStateEntered);
    c17_scratchpad = "99999";
    parse_legs_entry(2);
    EXPECT_EQ(c17_scratchpad_message, "INVALID ENTRY");
}

TEST(PlanEditHelpers, longTokensAreCutNotOverrun) {
    set_working_count(3);
    smiths_scratchpad = "250/" + std::string(300, '9');
    parse_legs_entry_mod(1);
    EXPECT_EQ(working_plan[1].alt_constraint, -999.0); // 19 nines: far above 99000
    EXPECT_EQ(smiths_scratchpad_message, "INVALID ENTRY");
}

TEST(PlanEditHelpers, copyLegsClosesThePlanOverSkippedLegsAndTheirHolds) {
    set_working_count(11);
    add_hold(4, kHoldQuiet, 0.0);
    add_hold(8, kHoldQuiet, 0.0);
    smiths_scratchpad = "P7";
    route_state = kRouteStateNone; // holds not yet executed: no route flown
    copy_legs(3, 7);
    EXPECT_EQ(working_idents(), (Idents{"P0", "P1", "P2", "P7", "P8", "P9", "P10"}));
    EXPECT_EQ(working_plan_last, 6);
    // P4's hold went with it; P8's moved with P8.
    ASSERT_EQ(hold_count(), 1);
    EXPECT_EQ(hold_list[1].ident, "P8");
    EXPECT_EQ(hold_list[1].working_index(), 4);
    EXPECT_EQ(hold_mark(working_plan, 4), 1);
    EXPECT_EQ(hold_mark(working_plan, 5), 0);
    EXPECT_EQ(smiths_scratchpad, "");
    EXPECT_EQ(route_state, kRouteStateEntered);
    EXPECT_EQ(route_rows_last, 5);
    EXPECT_EQ(route_rows[1].to, "P1");

    // A source beyond the last entry leaves the plan ending at the target.
    clear_holds();
    set_working_count(5);
    copy_legs(2, 9);
    EXPECT_EQ(working_plan_last, 2);

    // A target behind the source is not a closing: nothing happens.
    set_working_count(5);
    copy_legs(4, 2);
    EXPECT_EQ(working_plan_last, 4);
}

TEST(PlanEditHelpers, thenPlaceholdersAreSqueezedOutWithTheirNeighboursHolds) {
    set_working({{"A", ""}, {"THEN", "J1"}, {"B", ""}, {"THEN", "J2"}, {"C", ""}, {"D", ""}});
    hold_list.set_count(1);
    hold_list.slot(1).set_working_index(4);
    working_edit_cursor.move_to(5);
    working_entry(2).position = "stays";
    remove_then_legs();
    EXPECT_EQ(working_idents(), (Idents{"A", "B", "C", "D"}));
    EXPECT_EQ(hold_mark(working_plan, 2), 1);
    EXPECT_EQ(hold_list[1].working_index(), 2);
    EXPECT_EQ(working_edit_index, 3);
    EXPECT_EQ(working_plan[2].position, "stays"); // positions stay with their slots
    EXPECT_EQ(working_plan[1].position, "");

    // Without placeholders nothing moves; an empty plan stays empty.
    remove_then_legs();
    EXPECT_EQ(working_idents(), (Idents{"A", "B", "C", "D"}));
    clear_holds();
    set_working_last(-5);
    remove_then_legs();
    EXPECT_EQ(working_plan_last, -1);
}

TEST(PlanEditHelpers, findsTheWaypointThatEndsARouteRow) {
    set_working({{"A", ""}, {"B", "J1"}, {"C", "J1"}, {"D", ""}, {"C", ""}, {"E", ""}});
    build_route_rows(); // rows: C (J1), D, C
    EXPECT_EQ(find_plan_waypoint_from(1), 2);
    EXPECT_EQ(find_plan_waypoint_from(2), 3);
    EXPECT_EQ(find_plan_waypoint_from(3), 4); // searching from 3 finds the second C
    EXPECT_EQ(find_plan_waypoint_from(5), 5); // not below the last index
    EXPECT_EQ(find_plan_waypoint_from(9), 5);
    EXPECT_EQ(find_plan_waypoint_from(-3), 5); // row -3 names no waypoint

    // A match at the origin gives the last index.
    route_rows.slot(1).to = "A";
    EXPECT_EQ(find_plan_waypoint_from(0), 5);
}
