#include "fms/plan/active_leg.h"
#include "fms/plan/holds.h"
#include "fms/plan/plan_invariants.h"
#include "fms/plan/route_state.h"
#include "fms/units/cdu_text.h"
#include "plan_builder.h"

#include <gtest/gtest.h>

namespace {

std::vector<int> working_indices() {
    std::vector<int> v;
    for (int i = 1; i <= hold_count(); ++i)
        v.push_back(hold_list[i].working_index());
    return v;
}

std::vector<int> active_indices() {
    std::vector<int> v;
    for (int i = 1; i <= hold_count(); ++i)
        v.push_back(hold_list[i].active_index());
    return v;
}

// EXEC as far as the holds go: the working plan becomes the active plan.
void execute_holds() {
    PlanBuilder::give_ids(working_plan);
    for (int i = 0; i <= working_plan_last; ++i)
        active_entry(i) = working_plan[i];
    set_active_last(working_plan_last);
    hold_list_commit_working_index();
}

} // namespace

TEST(Holds, aNewHoldTakesItsFixAndTheMagneticInboundCourseOfTheLegIntoIt) {
    set_working_count(4); // P1 lies due north of P0
    hold_list.slot(1).leg_distance = 4.5;
    EXPECT_EQ(add_hold(1, kHoldQuiet, 15.0), 1);
    const HoldEntry& h = hold_list[1];
    EXPECT_EQ(h.ident, "P1");
    EXPECT_EQ(h.active_index(), 0); // on the active route once executed
    EXPECT_EQ(h.working_index(), 1);
    EXPECT_DOUBLE_EQ(h.points[0].lat, 47.1);
    EXPECT_DOUBLE_EQ(h.points[0].lon, -122.0);
    EXPECT_NEAR(h.inbound_course, 360.0 - 15.0, 1e-9); // true course north is 360
    EXPECT_EQ(h.turn, 1);
    EXPECT_EQ(h.leg_mode, kHoldLegByTime);
    EXPECT_EQ(h.leg_time, 1.0);
    EXPECT_EQ(h.leg_distance, 0.0); // nothing of what the slot held
    EXPECT_EQ(hold_mark(working_plan, 1), 1);
    EXPECT_EQ(hold_armed, 1);
    EXPECT_EQ(hold_page_count, 1);
}

TEST(Holds, aHoldAloneOnTheFlownPlanReplacesEveryHoldAndKeepsItsFixPending) {
    set_working_count(10); // P5 lies due north of P4
    execute_holds();
    route_state = kRouteStateActiveModified; // pending on another unit
    add_hold(3, kHoldQuiet, 0.0);
    add_hold(5, kHoldQuiet, 0.0);
    hold_list.slot(2).leg_distance = 4.5;

    EXPECT_EQ(hold_alone_at_active(5, -15.0, 2.0), 1);
    ASSERT_EQ(hold_count(), 1);
    const HoldEntry& h = hold_list[1];
    EXPECT_EQ(h.active_index(), 5);
    EXPECT_EQ(h.working_index(), 5); // the replaced hold's entry takes it, so EXEC keeps it
    EXPECT_EQ(h.leg_time, 2.0);
    EXPECT_EQ(h.leg_distance, 0.0);
    EXPECT_NEAR(h.inbound_course, 15.0, 1e-9); // 375 read as a heading
    EXPECT_EQ(hold_mark(active_plan, 5), 1);
    EXPECT_EQ(hold_mark(working_plan, 3), 0);
    EXPECT_EQ(hold_page_count, 1);
}

TEST(Holds, holdsStaySortedByWaypointAndTheirMarksFollowTheirSlots) {
    set_working_count(10);
    route_state = kRouteStateActive;
    add_hold(5, kHoldQuiet, 0.0);
    add_hold(8, kHoldQuiet, 0.0);
    EXPECT_EQ(add_hold(3, kHoldMarkRoute, 0.0), 1);
    EXPECT_EQ(working_indices(), (std::vector<int>{3, 5, 8}));
    EXPECT_EQ(smiths_hold_subpage, 1);
    EXPECT_EQ(hold_mark(working_plan, 3), 1);
    EXPECT_EQ(hold_mark(working_plan, 5), 2);
    EXPECT_EQ(hold_mark(working_plan, 8), 3);
    EXPECT_EQ(hold_list[2].ident, "P5");
    EXPECT_EQ(hold_page_count, 3);
    EXPECT_EQ(route_state, kRouteStateActiveModified);

    // In the middle.
    EXPECT_EQ(add_hold(6, kHoldMarkRoute, 0.0), 3);
    EXPECT_EQ(working_indices(), (std::vector<int>{3, 5, 6, 8}));
    EXPECT_EQ(hold_mark(working_plan, 8), 4);
    EXPECT_EQ(smiths_hold_subpage, 3);
    // A waypoint holds once.
    EXPECT_EQ(add_hold(5, kHoldMarkRoute, 0.0), 2);
    EXPECT_EQ(hold_count(), 4);

    // Executed holds come first, by their active entry: sequencing flies the
    // first one, and a hold not yet executed must not be it.
    execute_holds();
    EXPECT_EQ(add_hold(2, kHoldMarkRoute, 0.0), 5);
    EXPECT_EQ(active_indices(), (std::vector<int>{3, 5, 6, 8, 0}));
    execute_holds();
    EXPECT_EQ(active_indices(), (std::vector<int>{2, 3, 5, 6, 8}));
    EXPECT_EQ(hold_mark(active_plan, 2), 1);
    EXPECT_EQ(hold_mark(working_plan, 8), 5);
}

TEST(Holds, theListHoldsTenAndTheOriginCannotHold) {
    set_working_count(20);
    for (int i = 1; i <= 10; ++i)
        EXPECT_EQ(add_hold(i, kHoldQuiet, 0.0), i);
    EXPECT_EQ(add_hold(11, kHoldQuiet, 0.0), 0);
    EXPECT_EQ(hold_count(), 10);
    EXPECT_EQ(hold_mark(working_plan, 11), 0);
    EXPECT_EQ(hold_list.stored(), 11u); // nothing written past the table

    hold_list.set_count(0);
    EXPECT_EQ(add_hold(0, kHoldQuiet, 0.0), 0); // no leg leads into the origin
    EXPECT_EQ(add_hold(-1, kHoldQuiet, 0.0), 0);
    EXPECT_EQ(add_hold(20, kHoldQuiet, 0.0), 0); // beyond the plan
    EXPECT_EQ(hold_count(), 0);
}

TEST(Holds, addingAHoldMarksAnExecutedRouteModifiedOnly) {
    set_working_count(6);
    const int before[] = {0, 1, 2, 3, 4};
    const int after[] = {0, 1, 2, 4, 4};
    for (int i = 0; i < 5; ++i) {
        hold_list.set_count(0);
        route_state = before[i];
        smiths_hold_subpage = 0;
        add_hold(2, kHoldMarkRoute, 0.0);
        EXPECT_EQ(route_state, after[i]) << "from " << before[i];
    }
    // Mode 0 never touches the state.
    hold_list.set_count(0);
    route_state = kRouteStateActive;
    add_hold(2, kHoldQuiet, 0.0);
    EXPECT_EQ(route_state, kRouteStateActive);
}

TEST(Holds, deletingRemovesTheHoldOfTheWaypointAndClosesTheList) {
    set_working_count(10);
    add_hold(2, kHoldQuiet, 0.0);
    add_hold(4, kHoldQuiet, 0.0);
    add_hold(7, kHoldQuiet, 0.0);
    execute_holds();
    hold_list.slot(3).leg_time = 2.5;
    smiths_scratchpad_message = "DELETE";
    pending_hold_delete_index = 4;
    delete_hold(4, kHoldQuiet);
    EXPECT_EQ(active_indices(), (std::vector<int>{2, 7}));
    EXPECT_EQ(hold_list[2].ident, "P7");
    EXPECT_EQ(hold_list[2].leg_time, 2.5);
    EXPECT_EQ(hold_mark(working_plan, 4), 0);
    EXPECT_EQ(hold_mark(working_plan, 7), 2); // the mark follows its hold's new slot
    EXPECT_EQ(hold_page_count, 2);
    EXPECT_EQ(pending_hold_delete_index, 0);
    EXPECT_EQ(smiths_scratchpad_message, "");
    EXPECT_EQ(hold_armed, 1);
}

TEST(Holds, deletingWithoutAHoldStillClearsTheMarkAndStepsByMode) {
    set_working_count(6);
    add_hold(2, kHoldQuiet, 0.0);
    // No hold on entry 4: none goes, the route is still marked edited.
    route_state = kRouteStateNone;
    delete_hold(4, kHoldMarkRoute);
    EXPECT_EQ(hold_count(), 1);
    EXPECT_EQ(hold_mark(working_plan, 4), 0);
    EXPECT_EQ(route_state, kRouteStateEntered);

    // Mode 2 cancels the hold of the working entry: an executed one stays
    // listed for ERASE and leaves the working plan; a new one goes.
    execute_holds();
    route_state = kRouteStateActive;
    delete_hold(2, kHoldCancelWorking);
    EXPECT_EQ(hold_count(), 1);
    EXPECT_EQ(hold_list[1].working_index(), 0);
    EXPECT_EQ(hold_mark(working_plan, 2), 0);
    EXPECT_EQ(hold_mark(active_plan, 2), 1);
    EXPECT_EQ(pending_hold_delete_index, 2);
    EXPECT_EQ(route_state, kRouteStateActiveModified);
    add_hold(3, kHoldQuiet, 0.0);
    delete_hold(3, kHoldCancelWorking);
    EXPECT_EQ(hold_count(), 1);
    EXPECT_EQ(hold_mark(working_plan, 3), 0);
}

TEST(Holds, deletingAHoldNeverActivatesARouteNorDropsItsModification) {
    set_working_count(6);
    for (int state : {1, 2, 4}) {
        add_hold(2, kHoldQuiet, 0.0);
        execute_holds();
        route_state = state;
        delete_hold(2, kHoldMarkRoute);
        EXPECT_EQ(route_state, state);
        EXPECT_EQ(hold_count(), 0);
    }
}

TEST(Holds, deletingTheLastHoldDisarmsItEndsItsFlightAndLeavesTheHoldPage) {
    set_working_count(6);
    add_hold(3, kHoldQuiet, 0.0);
    execute_holds();
    holding_active = 2;
    hold_exit_state = kHoldExitNotEntered;
    smiths_cdu_page = kPageRteHold;
    delete_hold(3, kHoldQuiet);
    EXPECT_EQ(hold_count(), 0);
    EXPECT_EQ(hold_armed, 0);
    EXPECT_EQ(hold_exit_state, kHoldExitDeleted);
    EXPECT_EQ(holding_active, 0);
    EXPECT_EQ(smiths_cdu_page, kPageRteLegs);

    // Holds cleared after they were disarmed (a plan put in place) leave
    // no pattern flown either.
    add_hold(3, kHoldQuiet, 0.0);
    execute_holds();
    holding_active = 3;
    hold_armed = 0;
    clear_holds();
    EXPECT_EQ(holding_active, 0);

    // Another page stays.
    add_hold(3, kHoldQuiet, 0.0);
    execute_holds();
    smiths_cdu_page = kPageRte;
    delete_hold(3, kHoldQuiet);
    EXPECT_EQ(smiths_cdu_page, kPageRte);
}

TEST(Holds, workingIndicesCopyFromActiveAndCommitBackOnExec) {
    set_working_count(10);
    execute_holds();
    hold_list.set_count(2);
    hold_list.slot(1).set_active_index(3);
    hold_list.slot(2).set_active_index(6);
    hold_list_copy_index_to_working();
    EXPECT_EQ(hold_list[1].working_index(), 3);
    EXPECT_EQ(hold_list[2].working_index(), 6);

    hold_list.slot(1).set_working_index(4); // moved by an edit
    hold_list.slot(2).set_working_index(0); // deleted in the working plan
    hold_list_commit_working_index();
    ASSERT_EQ(hold_count(), 1);
    EXPECT_EQ(hold_list[1].active_index(), 4);
    EXPECT_EQ(hold_list[1].working_index(), 4);

    // Going back to the active plan drops holds it does not have.
    hold_list.set_count(2);
    hold_list.slot(2).set_active_index(0);
    hold_list.slot(2).set_working_index(2);
    hold_list_copy_index_to_working();
    EXPECT_EQ(hold_count(), 1);
}

TEST(Holds, executedMarksFollowAHoldThatMovesDownTheList) {
    // Holds at 3 and 7, executed; the first is deleted: the second hold's
    // waypoint must still name its slot in both plans, so that a later check of
    // which holds the active plan carries keeps it.
    set_working_count(10);
    add_hold(3, kHoldQuiet, 0.0);
    add_hold(7, kHoldQuiet, 0.0);
    hold_list_commit_working_index();
    for (int i = 0; i < 10; ++i)
        active_entry(i) = working_plan[i];
    set_active_last(9);
    delete_hold(3, kHoldMarkRoute);
    ASSERT_EQ(hold_count(), 1);
    EXPECT_EQ(hold_list[1].active_index(), 7);
    EXPECT_EQ(hold_mark(active_plan, 7), 1);
    EXPECT_EQ(hold_mark(working_plan, 7), 1);
}

// The hold rules: an entry holds one hold at most, in either plan, and a
// hold stands on an entry. The mark an entry shows is the first hold's.
TEST(Holds, theRulesFindTwoHoldsOnOneEntryAndAHoldOnNone) {
    const struct {
        int active[2], working[2];
        const char* fault; // the first fault, "" for none
    } rows[] = {
        {{2, 3}, {2, 3}, ""},
        {{2, 2}, {2, 3}, "hold 2 P3 active=2 working=3: shares its active entry with slot 1"},
        {{0, 0}, {4, 4}, "hold 2 P4 active=0 working=4: shares its working entry with slot 1"},
        {{2, 0}, {2, 0}, "hold 2  active=0 working=0: on no entry"},
    };
    for (const auto& row : rows) {
        set_working_count(6);
        set_active({{"P0", ""}, {"P1", ""}, {"P2", ""}, {"P3", ""}, {"P4", ""}, {"P5", ""}});
        route_state = kRouteStateActiveModified;
        PlanBuilder::give_ids(active_plan);
        PlanBuilder::give_ids(working_plan);
        hold_list.set_count(2);
        for (int s = 1; s <= 2; ++s) {
            HoldEntry& h = hold_list.slot(s);
            h = HoldEntry{};
            if (const int w = row.working[s - 1]) h.ident = working_plan[w].ident;
            h.set_active_index(row.active[s - 1]);
            h.set_working_index(row.working[s - 1]);
        }
        const std::vector<std::string> faults = plan_invariant_faults();
        EXPECT_EQ(faults.empty() ? "" : faults.front(), row.fault);
        EXPECT_EQ(hold_mark(working_plan, row.working[0]), row.working[0] > 0 ? 1 : 0);
    }
}
