#include "fms/files/stored_routes.h"
#include "fms/nav/fix_info.h"
#include "fms/perf/vnav.h"
#include "fms/perf/vnav_cursors.h"
#include "fms/plan/active_leg.h"
#include "fms/plan/entry_marks.h"
#include "fms/plan/holds.h"
#include "fms/plan/plan_edit.h"
#include "fms/plan/plan_editing.h"
#include "fms/plan/route_plan.h"
#include "fms/units/gns_page_state.h"
#include "plan_builder.h"
#include "shared/plan_points.h"

#include <functional>

#include <gtest/gtest.h>

using Idents = std::vector<std::string>;

TEST(RoutePlan, startsEmptyWithNoActiveRouteAndCostsNothing) {
    EXPECT_EQ(active_plan_last, -1);
    EXPECT_EQ(working_plan_last, -1);
    EXPECT_EQ(to_waypoint_index, 999);
    EXPECT_EQ(stored_routes.count(), 0);
    EXPECT_EQ(stored_routes.stored(), 0u);
    // An untouched entry reads as a cleared one.
    EXPECT_EQ(active_plan[200].alt_constraint, -999.0);
    EXPECT_EQ(active_plan[200].speed_constraint, -999.0);
    EXPECT_EQ(active_plan[200].course, -999.0);
    EXPECT_EQ(active_plan[201].ident, ""); // beyond the plan: empty, never out of bounds
}

TEST(RoutePlan, clearingEmptiesEntriesRowsAndHoldsButKeepsPositionsAndLastIndices) {
    set_active({{"KSEA", ""}, {"SEA", ""}, {"KPDX", ""}});
    RouteWaypoint& origin = active_entry(0);
    origin.position = "GATE 5";
    origin.alt_constraint = 430.0;
    origin.frequency = "116.80";
    route_rows_last = 1;
    route_rows.slot(1) = RouteRow{"SEA", "DIRECT"};
    hold_list.set_count(2);
    hold_list.slot(1).set_active_index(1);
    approach_record_index = 3;
    approach_runway_index = 2;
    hold_armed = 1;
    holding_active = 2; // in the pattern

    clear_active_plan();
    EXPECT_EQ(active_plan_last, 2); // the caller sets it
    for (int i = 0; i <= 2; ++i) {
        EXPECT_EQ(active_plan[i].ident, "");
        EXPECT_EQ(active_plan[i].lat, 0.0);
        EXPECT_EQ(active_plan[i].type, "");
        EXPECT_EQ(active_plan[i].alt_constraint, -999.0);
        EXPECT_EQ(hold_mark(active_plan, i), 0);
        EXPECT_EQ(active_plan[i].frequency, "");
    }
    EXPECT_EQ(active_plan[0].position, "GATE 5");
    EXPECT_EQ(route_rows[1].to, "");
    EXPECT_EQ(route_rows_last, 1);
    EXPECT_EQ(hold_count(), 0);
    EXPECT_EQ(hold_list[1].active_index(), 0);
    EXPECT_EQ(hold_armed, 0); // no pattern of a cleared hold is flown on
    EXPECT_EQ(holding_active, 0);
    EXPECT_EQ(approach_record_index, 0);
    EXPECT_EQ(approach_runway_index, 0);

    // The working plan clears the same way but leaves the holds.
    set_active({{"A", ""}, {"B", ""}});
    hold_alone_at_active(1, 0.0, 1.0);
    set_working({{"A", ""}, {"B", ""}});
    clear_working_plan();
    EXPECT_EQ(working_plan[1].ident, "");
    EXPECT_EQ(working_plan_last, 1);
    EXPECT_EQ(hold_count(), 1);
}

TEST(RoutePlan, copyActiveToWorkingCarriesEveryFieldButPositionAndPassingTime) {
    set_active({{"KSEA", ""}, {"SEA", "J1"}, {"KPDX", ""}});
    RouteWaypoint& a = active_entry(1);
    a.type = "VOR";
    a.kind = "SID";
    a.aux_text = "AUX";
    a.alt_constraint = 9000.0;
    a.speed_constraint = 250.0;
    a.course = 182.0;
    a.flyover = 1;
    a.altitude_kind = AltitudeKind::Pilot;
    a.frequency = "116.80";
    plan_marks.stamp(a, "12:34");
    a.position = "ACTIVE ONLY";
    working_entry(1).position = "WORKING";
    set_flown_to(1);
    vertical_target_cursor.move_to(2);
    hold_list.set_count(1);
    hold_list.slot(1).set_active_index(1);
    hold_list.slot(1).set_working_index(0);

    copy_active_plan_to_working();
    const RouteWaypoint& w = working_plan[1];
    EXPECT_EQ(w.ident, "SEA");
    EXPECT_EQ(w.via, "J1");
    EXPECT_EQ(w.type, "VOR");
    EXPECT_EQ(w.kind, "SID");
    EXPECT_EQ(w.aux_text, "AUX");
    EXPECT_EQ(w.passing_time, "");
    EXPECT_EQ(w.lat, a.lat);
    EXPECT_EQ(w.alt_constraint, 9000.0);
    EXPECT_EQ(w.speed_constraint, 250.0);
    EXPECT_EQ(w.course, 182.0);
    EXPECT_EQ(w.flyover, 1);
    EXPECT_EQ(w.altitude_kind, AltitudeKind::Pilot);
    EXPECT_EQ(hold_mark(working_plan, 1), 1);
    EXPECT_EQ(w.frequency, "116.80");
    EXPECT_EQ(w.position, "WORKING");
    EXPECT_EQ(working_plan_last, 2);
    EXPECT_EQ(working_cursor_index, 1);
    EXPECT_EQ(working_edit_index, 2);
    EXPECT_EQ(hold_list[1].working_index(), 1);
}

TEST(RoutePlan, copyOfAnEmptyActivePlanEmptiesTheWorkingPlanAndStillTakesTheIndices) {
    set_working({{"A", ""}, {"B", ""}});
    set_flown_to(999);
    vertical_target_cursor.move_to(7);
    copy_active_plan_to_working();
    EXPECT_EQ(working_plan_last, -1);
    EXPECT_EQ(working_cursor_index, 999);
    EXPECT_EQ(working_edit_index, 7);
}

TEST(RoutePlan, routeRowsGroupAirwayLegsAndLeaveOutOriginAndDestination) {
    set_working({{"KSEA", ""}, {"A", "J1"}, {"B", "J1"}, {"C", "J1"}, {"D", ""}, {"KPDX", "J9"}});
    build_route_rows();
    ASSERT_EQ(route_rows_last, 2);
    EXPECT_EQ(route_rows[1].to, "C");
    EXPECT_EQ(route_rows[1].via, "J1");
    EXPECT_EQ(route_rows[2].to, "D");
    EXPECT_EQ(route_rows[2].via, "DIRECT");
    EXPECT_EQ(route_rows[0].to, "");

    // "THEN" on the same airway opens its own row; two direct legs make two rows.
    set_working({{"KSEA", ""}, {"A", "J1"}, {"THEN", "J1"}, {"E", ""}, {"F", ""}, {"KPDX", ""}});
    build_route_rows();
    ASSERT_EQ(route_rows_last, 4);
    EXPECT_EQ(route_rows[2].to, "THEN");
    EXPECT_EQ(route_rows[2].via, "J1");
    EXPECT_EQ(route_rows[3].to, "E");
    EXPECT_EQ(route_rows[4].to, "F");

    // Origin and destination alone give no row and the old rows are emptied.
    for (int last : {1, 0, -1}) {
        set_working({{"KSEA", ""}, {"KPDX", ""}});
        set_working_last(last);
        build_route_rows();
        EXPECT_EQ(route_rows_last, 0);
        EXPECT_EQ(route_rows[1].to, "");
        EXPECT_EQ(route_rows[4].via, "");
    }
}

TEST(RoutePlan, fixInfoClearsOneRecordOrBoth) {
    for (int n : {1, 2}) {
        fix_info[n].ident = "SEA";
        fix_info[n].lat = 47.4;
        fix_info[n].radial_2 = 90.0;
        fix_info[n].distance_3 = 12.0;
        fix_info[n].label = "FIX";
    }
    clear_fix_info(2);
    EXPECT_EQ(fix_info[1].ident, "SEA");
    EXPECT_EQ(fix_info[2].ident, "");
    EXPECT_EQ(fix_info[2].lat, 0.0);
    EXPECT_EQ(fix_info[2].radial_2, 0.0);
    EXPECT_EQ(fix_info[2].distance_3, 0.0);
    EXPECT_EQ(fix_info[2].label, "FIX");
    clear_fix_info(0);
    EXPECT_EQ(fix_info[1].ident, "");
    EXPECT_EQ(fix_info[1].radial_2, 0.0);
    clear_fix_info(7); // no such record: nothing happens
}

TEST(RoutePlan, pageTogglesResetAndCandidateSelection) {
    for (int& t : gns_line_toggles)
        t = 2;
    page_list_changed = 1;
    gns_list_cursor = 5;
    reset_page_toggles();
    for (int t : gns_line_toggles)
        EXPECT_EQ(t, 0);
    EXPECT_EQ(page_list_changed, 0);
    EXPECT_EQ(gns_list_cursor, 0);

    set_candidate(1, "SEA", 47.4, -122.3, "V", "116.80");
    set_candidate(3, "KSEA", 47.45, -122.31, "APT", "");
    candidate_list().slot(1).elevation_text = "433";
    select_candidate(3);
    EXPECT_EQ(candidate_list()[1].ident, "KSEA");
    EXPECT_EQ(candidate_list()[1].latitude, 47.45);
    EXPECT_EQ(candidate_list()[1].longitude, -122.31);
    EXPECT_EQ(candidate_list()[1].kind, "APT");
    EXPECT_EQ(candidate_list()[1].extra, "");
    EXPECT_EQ(candidate_list()[1].elevation_text, "433"); // not part of the copy
}

// The TO after an edit of a plan A B C D E flown from B to C: the entry after
// the FROM while the FROM is left, else the TO's own entry, else the index
// the caller gives; never the origin.
TEST(RoutePlan, theToFollowsTheActiveLegThroughAnEdit) {
    const std::vector<PlanPoint> points = {{"A", 1, 1}, {"B", 2, 2}, {"C", 3, 3}, {"D", 4, 4}, {"E", 5, 5}};
    auto insert_at = [](int p) {
        shift_working_up(p);
        clear_waypoint(working_entry(p));
        working_entry(p).ident = "N";
        working_entry(p).lat = 9.0;
    };
    const struct {
        std::function<void()> edit;
        int to;
    } rows[] = {
        {[] {}, 2},
        {[&] { insert_at(1); }, 3},         // before the FROM: still C
        {[&] { insert_at(2); }, 2},         // between FROM and TO: N is flown next
        {[] { shift_working_down(1); }, 1}, // FROM deleted: C, now at 1
        {[] { shift_working_down(2); }, 2}, // TO deleted: D after the FROM
        {[] { shift_working_down(0); }, 1}, // origin deleted: C stays
        {[] {
             shift_working_down(1);
             shift_working_down(1);
         },
         1},                                       // FROM and TO deleted: the index given, D
        {[] { working_entry(1).ident = "X"; }, 2}, // FROM written over: C by its own entry
        {[&] {
             shift_working_down(1);
             insert_at(1);
             working_entry(2).id = 0;
         },
         2}, // FROM gone, C written anew: the one entry of its fix
    };
    for (const auto& row : rows) {
        write_active_plan(points);
        set_flown_to(2);
        const ActiveLeg before = active_leg();
        copy_active_plan_to_working();
        row.edit();
        EXPECT_EQ(to_after_edit(before, working_plan, working_plan_last, 1), row.to) << &row - rows;
    }
    write_active_plan(points);
    EXPECT_EQ(to_after_edit(ActiveLeg{}, active_plan, active_plan_last, 1), kNoToWaypoint);
}

TEST(RoutePlan, aPlanCopiedIntoAnArrayPlanTakesEveryEntryAndNothingOld) {
    RoutePlan loose; // keeps only the entries written, out of order here
    PlanBuilder::entry(loose, 1).ident = "SEA";
    PlanBuilder::entry(loose, 150).ident = "OLM";
    working_entry(2).ident = "STALE";
    PlanEdit(working_target(), "a plan copied in").replace_with(loose);
    EXPECT_EQ(working_plan[1].ident, "SEA");
    EXPECT_EQ(working_plan[150].ident, "OLM");
    EXPECT_EQ(working_plan[2].ident, "");
}
