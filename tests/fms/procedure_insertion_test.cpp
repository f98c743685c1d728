#include "example_airports.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/perf/vnav.h"
#include "fms/perf/vnav_cursors.h"
#include "fms/plan/holds.h"
#include "fms/plan/plan_cursors.h"
#include "fms/plan/plan_edit.h"
#include "fms/plan/route_state.h"
#include "fms/procedures/approach_insertion.h"
#include "fms/procedures/plan_parts.h"
#include "fms/procedures/procedure_selection.h"
#include "plan_builder.h"
#include "procedure_builder.h"

using Entries = std::vector<std::string>;

namespace {

void choose_sid(const char* sid, const char* runway, const char* transition) {
    ChoicesEdit(working_plan)->sid = sid;
    ChoicesEdit(working_plan)->departure_runway = runway;
    ChoicesEdit(working_plan)->sid_transition = transition;
    build_sid_legs_b(0, 1);
}

void choose_star(const char* star, const char* runway, const char* transition) {
    ChoicesEdit(working_plan)->star = star;
    ChoicesEdit(working_plan)->arrival_runway = runway;
    ChoicesEdit(working_plan)->star_transition = transition;
    build_star_legs_b(0, 1);
}

void preview_approach(const char* approach, const char* transition) {
    ChoicesEdit(working_plan)->approach = approach;
    ChoicesEdit(working_plan)->approach_transition = transition;
    select_approach_transition();
}

} // namespace

using ProcedureInsertion = ExampleAirports;

TEST_F(ProcedureInsertion, aSidJoinsTheRouteOnceAndASecondSidReplacesTheFirst) {
    write_plan(working_plan, {"KSEA", "BTG", "KPDX"});
    ASSERT_EQ(add_hold(1, kHoldQuiet, 0.0), 1);

    choose_sid("SUMMA2", "16L", "BTG");
    EXPECT_EQ(ident_kinds(working_plan, working_plan_last),
              (Entries{"KSEA/", "HD162/SID", "DUWAM/SID", "SUMMA/SID", "LEWIS/SID", "BTG/", "KPDX/"}));
    EXPECT_EQ(working_plan[1].via, "");
    EXPECT_EQ(working_plan[4].via, "SUMMA2.BTG");
    EXPECT_EQ(working_plan[4].alt_constraint, -999.0);
    EXPECT_EQ(hold_list[1].working_index(), 5); // the hold stays on BTG
    EXPECT_EQ(hold_mark(working_plan, 5), 1);
    EXPECT_EQ(route_rows_last, 3);
    EXPECT_EQ(route_rows[2].to, "LEWIS");
    EXPECT_EQ(route_rows[2].via, "SUMMA2.BTG");
    EXPECT_EQ(route_state, kRouteStateEntered);

    // Picked from the name list for 16L: SUMMA2, HAROB3, SEA7; picks outside it do nothing.
    match_sid_transition("16L", "------");
    for (int n : {0, -1, 4})
        build_sid_legs_b(n, 0);
    EXPECT_EQ(sel_sid, "SUMMA2");
    ChoicesEdit(working_plan)->sid_transition = "------";
    build_sid_legs_b(3, 0);
    EXPECT_EQ(ident_kinds(working_plan, working_plan_last),
              (Entries{"KSEA/", "HD162/SID", "SEA/SID", "BTG/", "KPDX/"}));
    EXPECT_EQ(working_plan[2].type, "VOR"); // navaid data of a new leg
    EXPECT_EQ(working_plan[2].frequency, "116.80");
    EXPECT_EQ(hold_list[1].working_index(), 3);
}

// The STAR and the approach do not join (SAUVI, HILLS): the one gap stands
// between them.
TEST_F(ProcedureInsertion, aStarMeetsTheSidAsSidstarAndGoesBeforeAnApproach) {
    write_plan(working_plan, {"KSEA", "KPDX"});
    choose_sid("SEA7", "16L", "------");
    preview_approach("I10R", "HILLS");
    insert_approach(0);
    choose_star("LAVVA2", "10R", "SEA");
    EXPECT_EQ(
        ident_kinds(working_plan, working_plan_last),
        (Entries{"KSEA/", "HD162/SID", "SEA/SIDSTAR", "LEWIS/STAR", "KELSO/STAR", "LAVVA/STAR", "SAUVI/STAR",
                 "DISCO/", "HILLS/APPR", "NEWBE/APPR", "MELLO/APPR", "ROSIE/APPR", "KPDX/"}));
    EXPECT_EQ(working_plan[4].via, "SEA.LAVVA2");
    EXPECT_EQ(working_plan[12].type, "APT");
}

TEST_F(ProcedureInsertion, aNewStarReplacesTheOldOneAndItsHoldsAboveTheFlownPart) {
    // TO 5 of the flown route: entries 0..4 are flown or being flown, even
    // the STAR leg among them.
    route_state = kRouteStateActive;
    write_plan(active_plan, {"KSEA", "A", "B", "C", "S1", "S2", "S3", "KPDX"});
    copy_active_plan_to_working();
    for (int i = 4; i <= 6; ++i)
        working_entry(i).kind = "STAR";
    set_flown_to(5);
    ASSERT_EQ(add_hold(5, kHoldQuiet, 0.0), 1);
    working_edit_cursor.move_to(7);
    working_entry(7).alt_constraint = 31.0;

    choose_star("HHOOD2", "10R", "YKM");
    EXPECT_EQ(ident_kinds(working_plan, working_plan_last),
              (Entries{"KSEA/", "A/", "B/", "C/", "S1/STAR", "YKM/STAR", "TOPPS/STAR", "GOLDN/STAR",
                       "HHOOD/STAR", "GRSHM/STAR", "KPDX/"}));
    EXPECT_EQ(hold_count(), 0); // S2 and its hold are gone
    EXPECT_EQ(hold_mark(working_plan, 5), 0);
    EXPECT_EQ(working_edit_index, 10); // still on the destination, with its altitude
    EXPECT_EQ(working_plan[10].alt_constraint, 31.0);
    EXPECT_EQ(star_edit_pending, 0);
}

TEST_F(ProcedureInsertion, choicesStepTheRouteStateAsAnEditDoes) {
    const int steps[][2] = {{0, 1}, {1, 1}, {2, 2}, {3, 4}, {4, 4}};
    for (const auto& step : steps) {
        write_plan(working_plan, {"KSEA", "BTG", "KPDX"});
        route_state = step[0];
        choose_sid("SEA7", "16R", "------");
        EXPECT_EQ(route_state, step[1]) << step[0];
        route_state = step[0];
        preview_approach("I10R", "SAUVI");
        insert_approach(1);
        EXPECT_EQ(route_state, step[1]) << step[0];
    }
}

TEST_F(ProcedureInsertion, aNearlyFullPlanStopsAtItsLastIndex) {
    std::vector<std::string> idents{"KSEA"};
    for (int i = 1; i <= 197; ++i)
        idents.push_back("P" + std::to_string(i));
    idents.push_back("KPDX");
    write_plan(working_plan, idents);

    choose_sid("SUMMA2", "16L", "BTG"); // five legs, room for two
    EXPECT_EQ(working_plan_last, 200);
    EXPECT_EQ(working_plan[2].ident, "DUWAM");
    EXPECT_EQ(working_plan[3].ident, "P1");
    EXPECT_EQ(working_plan[200].ident, "KPDX");

    choose_star("LAVVA2", "10R", "SEA"); // no room: the destination keeps its place
    EXPECT_EQ(working_plan_last, 200);
    EXPECT_EQ(working_plan[199].ident, "P197");
    EXPECT_EQ(working_plan[200].ident, "KPDX");

    preview_approach("I10R", "HILLS");
    insert_approach(1);
    EXPECT_EQ(working_plan_last, 200);
    EXPECT_EQ(working_plan[199].ident, "P197");
    EXPECT_EQ(working_plan[200].ident, "KPDX");
}

TEST_F(ProcedureInsertion, theActivePlanKeepsItsToWaypointConstraintAndHolds) {
    write_plan(active_plan, {"KSEA", "BTG", "KPDX"});
    set_flown_to(2);
    vertical_target_cursor.move_to(2);
    hold_list.set_count(1);
    hold_list.slot(1).set_active_index(1);
    direct_to_active = 1;

    ChoicesEdit(working_plan)->sid = "SUMMA2";
    ChoicesEdit(working_plan)->applied_departure_runway = "16L";
    ChoicesEdit(working_plan)->applied_sid_transition = "BTG";
    find_sid_index("SUMMA2");
    find_sid_runway();
    rebuild_departure(active_target(), working_plan.choices());
    EXPECT_EQ(ident_kinds(active_plan, active_plan_last),
              (Entries{"KSEA/", "HD162/SID", "DUWAM/SID", "SUMMA/SID", "LEWIS/SID", "BTG/", "KPDX/"}));
    // Put in before BTG, the FROM: KPDX stays the TO.
    EXPECT_EQ(to_waypoint_index, 6);
    EXPECT_EQ(to_position.lat, active_plan[6].lat);
    EXPECT_EQ(direct_to_active, 0);
    EXPECT_EQ(constraint_waypoint_index, 6);
    EXPECT_EQ(hold_list[1].active_index(), 5);
    EXPECT_EQ(hold_mark(active_plan, 5), 1);

    // Flying an old STAR: the leg passed stays, and the new STAR flies on from
    // the FROM in place of the old TO; the destination keeps its constraint.
    clear_holds();
    write_plan(active_plan, {"KSEA", "A", "SEA", "S1", "S2", "KPDX"});
    active_entry(2).kind = "SID";
    active_entry(3).kind = active_entry(4).kind = "STAR";
    active_entry(5).alt_constraint = 31.0;
    set_flown_to(4);
    route_state = kRouteStateActive;
    ChoicesEdit(working_plan)->star = "LAVVA2";
    ChoicesEdit(working_plan)->applied_arrival_runway = "10R";
    ChoicesEdit(working_plan)->applied_star_transition = "SEA";
    find_star_index("LAVVA2");
    find_star_runway();
    rebuild_arrival(active_target(), working_plan.choices(), false);
    EXPECT_EQ(ident_kinds(active_plan, active_plan_last),
              (Entries{"KSEA/", "A/", "SEA/SID", "S1/STAR", "SEA/STAR", "LEWIS/STAR", "KELSO/STAR",
                       "LAVVA/STAR", "SAUVI/STAR", "KPDX/"}));
    EXPECT_EQ(to_waypoint_index, 4);
    EXPECT_EQ(to_position.lat, active_plan[4].lat);
    EXPECT_EQ(active_plan[9].alt_constraint, 31.0);
}

TEST_F(ProcedureInsertion, theSmithsStarChoiceTakesTheOnlyRunwayThatFits) {
    airport_slots[destination_slot].stars.append(make_procedure("ONE1", "28L", {{"OLM"}, {"KELSO"}}));
    write_plan(working_plan, {"KSEA", "KPDX"});
    choose_star("ONE1", "------", "------");
    EXPECT_EQ(sel_arrival_runway, "28L");
    EXPECT_EQ(applied_arrival_runway, "28L");
    ChoicesEdit(working_plan)->arrival_runway = "------";
    build_star_legs(0, 1);
    EXPECT_EQ(applied_arrival_runway, "------");
    EXPECT_EQ(ident_kinds(working_plan, working_plan_last),
              (Entries{"KSEA/", "OLM/STAR", "KELSO/STAR", "KPDX/"}));
}

// An earlier choice of the same change took the flown TO's entry out and left
// a gap where it stood: the next choice's legs go in there, the gap matched
// to none of them (the approach's gap among them too).
TEST_F(ProcedureInsertion, aGapWhereTheToStoodIsNoLegOfTheNextChoice) {
    route_state = kRouteStateActive;
    write_plan(active_plan, {"KSEA", "A", "B", "S1", "KPDX"});
    active_entry(3).kind = "STAR";
    set_flown_to(3);
    copy_active_plan_to_working();
    working_entry(3).ident = "DISCO";
    working_entry(3).marker = EntryKind::Gap;
    working_entry(3).kind.clear();
    route_state = kRouteStateActiveModified;
    preview_approach("I10R", "HILLS");
    insert_approach(0);
    choose_star("LAVVA2", "10R", "SEA");
    EXPECT_EQ(
        ident_kinds(working_plan, working_plan_last),
        (Entries{"KSEA/", "A/", "B/", "SEA/STAR", "LEWIS/STAR", "KELSO/STAR", "LAVVA/STAR", "SAUVI/STAR",
                 "DISCO/", "HILLS/APPR", "NEWBE/APPR", "MELLO/APPR", "ROSIE/APPR", "KPDX/"}));
}
