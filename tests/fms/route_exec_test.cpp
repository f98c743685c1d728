// EXEC and ERASE of a route modification through the route states, with the
// selections, holds, saved performance values and the approach of a route
// file.
#include "example_airports.h"
#include "plan_builder.h"
#include "procedure_builder.h"

#include "data/airport_procedures.h"
#include "data/module_settings.h"
#include "fms/exec/exec_erase.h"
#include "fms/fms_update.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/perf/speed_targets.h"
#include "fms/plan/holds.h"
#include "fms/plan/plan_edit.h"
#include "fms/plan/route_exec.h"
#include "fms/plan/route_state.h"
#include "fms/plan/selection_texts.h"
#include "fms/plan/vertical_state.h"
#include "fms/procedures/airport_selection.h"
#include "fms/procedures/procedure_selection.h"
#include "fms/units/cdu_text.h"
#include "fms/units/mcu_page_state.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

void select(const std::string& sid, const std::string& star) {
    ChoicesEdit(working_plan)->sid = sid;
    ChoicesEdit(working_plan)->star = star;
    ChoicesEdit(working_plan)->departure_runway = ChoicesEdit(working_plan)->arrival_runway =
        ChoicesEdit(working_plan)->sid_transition = ChoicesEdit(working_plan)->star_transition = "------";
}

// A hold in slot n for waypoint index i of both plans.
void hold_at(int n, int active_index, int working_index) {
    hold_list.set_count(n);
    HoldEntry& h = hold_list.slot(n);
    h = HoldEntry{};
    h.set_active_index(active_index);
    h.set_working_index(working_index);
}

TEST(RouteExec, ExecActivatesFromEveryStateWithTheSelections) {
    for (int state : {0, 1, 2, 3, 4}) {
        set_working({{"A", ""}, {"B", ""}, {"C", ""}, {"D", ""}});
        set_active_last(-1);
        set_flown_to(kNoToWaypoint);
        route_state = state;
        select("SID1", "STAR1");
        plan_cruise_altitude = 25000;
        cruise_altitude = 0;
        reset_active_route_state();
        EXPECT_EQ(route_state, kRouteStateActive) << state;
        EXPECT_EQ(active_plan_last, 3);
        EXPECT_EQ(active_plan[2].ident, "C");
        EXPECT_EQ(to_waypoint_index, 1);
        EXPECT_EQ(to_position.lat, active_plan[1].lat);
        EXPECT_EQ(exec_sid, "SID1");
        EXPECT_EQ(exec_star, "STAR1");
        EXPECT_EQ(cruise_altitude, 25000);
        EXPECT_EQ(plan_cruise_altitude, 0);
        EXPECT_EQ(distance_to_to_nm, 999.0);
        // A route without climb and descent performance still has finite points.
        EXPECT_TRUE(std::isfinite(toc_lat) && std::isfinite(tod_lat) && std::isfinite(vertical_target_lat));
    }
}

TEST(RouteExec, ExecOfAModifiedRouteCommandsVnavAfresh) {
    set_working({{"A", ""}, {"B", ""}, {"C", ""}});
    route_state = kRouteStateActiveModified;
    set_flown_to(1);
    vnav_engaged = 1;
    vnav_altitude_set = vnav_speed_set = 1;
    VnavSetSpd = 2;
    commanded_altitude_ft = 5000;
    reset_active_route_state();
    EXPECT_EQ(vnav_altitude_set, 0);
    EXPECT_EQ(vnav_speed_set, 0);
    EXPECT_EQ(vnav_speed_refresh, 1);
    EXPECT_EQ(VnavSetSpd, 1);
    EXPECT_EQ(commanded_altitude_ft, -999);
}

TEST(RouteExec, ExecOfAnEmptyPlanOnlyExecutesTheSelections) {
    set_active({{"A", ""}, {"B", ""}, {"C", ""}});
    set_working({{"A", ""}});
    route_state = kRouteStateActivated;
    select("SID2", "------");
    previous_climb_speed = 250.0;
    previous_cost_index = 40;
    previous_cruise_altitude = 31000;
    reset_active_route_state();
    EXPECT_EQ(route_state, kRouteStateActivated);
    EXPECT_EQ(active_plan_last, 2);
    EXPECT_EQ(exec_sid, "SID2");
    EXPECT_EQ(previous_climb_speed, 0.0);
    EXPECT_EQ(previous_cost_index, -1);
    EXPECT_EQ(previous_cruise_altitude, 0);
}

TEST(RouteExec, ExecCommitsHoldsTheDepartureRunwayAndTheRouteFilesApproach) {
    set_active({{"A", ""}, {"B", ""}, {"C", ""}, {"D", ""}});
    set_working({{"A", ""}, {"X", ""}, {"B", ""}, {"C", ""}, {"D", ""}});
    route_state = kRouteStateActiveModified;
    set_flown_to(1);
    hold_at(1, 1, 2); // moved one down by the inserted X
    hold_at(2, 3, 0); // deletion pending on the hold page
    pending_hold_delete_index = 3;
    ChoicesEdit(working_plan)->pending_departure_runway = "16L";
    // The approach a file named, chosen as the file was read.
    ChoicesEdit(working_plan)->approach = "ILS27";
    ChoicesEdit(working_plan)->applied_arrival_runway = "27";
    AirportProcedures& destination = airport_slots[destination_slot];
    destination.approaches.set_count(2);
    destination.approaches.slot(2).second_text = "ILS27";
    destination.approaches.slot(2).runway = "27";
    destination.runways.set_count(3);
    destination.runways.slot(3).designator = "27";
    reset_active_route_state();

    ASSERT_EQ(hold_count(), 1);
    EXPECT_EQ(hold_list[1].active_index(), 2);
    EXPECT_EQ(hold_list[1].working_index(), 2);
    EXPECT_EQ(hold_mark(active_plan, 2), 1);
    EXPECT_EQ(sel_departure_runway, "16L");
    EXPECT_EQ(exec_departure_runway, "16L");
    EXPECT_EQ(departure_runway_changed, 1);
    EXPECT_EQ(pending_departure_runway, "------");
    EXPECT_EQ(sel_approach, "ILS27");
    EXPECT_EQ(applied_arrival_runway, "27");
    EXPECT_EQ(approach_record_index, 2);
    EXPECT_EQ(approach_runway_index, 3);
}

// A unit's choice on the flown plan moves the approach record that APPROACH
// REF and the localizer read at once, without an EXEC: a choice pending on
// the working plan does not, and an approach let go leaves none.
TEST(RouteExec, TheApproachRecordFollowsTheFlownPlansChoices) {
    set_active({{"A", ""}, {"D", ""}});
    route_state = kRouteStateActive;
    AirportProcedures& destination = airport_slots[destination_slot];
    destination.approaches.set_count(2);
    destination.runways.set_count(2);
    for (int i : {1, 2}) {
        destination.approaches.slot(i).second_text = i == 1 ? "ILS09" : "ILS27";
        destination.approaches.slot(i).runway = destination.runways.slot(i).designator = i == 1 ? "09" : "27";
    }
    const auto choose_flown = [](const char* approach) {
        const PlanEdit edit(active_target(), "a unit's choice");
        ChoicesEdit(edit)->approach = approach;
    };
    choose_flown("ILS27");
    EXPECT_EQ(approach_record_index, 2);
    EXPECT_EQ(approach_runway_index, 2);
    ChoicesEdit(working_plan)->approach = "ILS09";
    EXPECT_EQ(approach_record_index, 2);
    choose_flown("------");
    EXPECT_EQ(approach_record_index, 0);
    EXPECT_EQ(approach_runway_index, 0);
}

TEST(RouteExec, EraseRestoresTheExecutedRoute) {
    for (int state : {2, 4}) {
        set_active({{"A", ""}, {"B", ""}, {"C", ""}, {"D", ""}});
        set_working({{"A", ""}, {"B", ""}, {"X", ""}, {"C", ""}, {"D", ""}});
        route_state = state;
        PlanBuilder::choices(active_plan).sid = "OLD";
        select("NEW", "NEW");
        // Hold 1 is executed at B; hold 2 exists only in the working plan.
        hold_at(1, 1, 1);
        hold_at(2, 0, 2);
        executed_performance = PerformanceValues{250, 260, 240, 0.0, 0.78, 0.0, 31000, 40};
        executed_performance_kept = true;
        performance_values = PerformanceValues{280, 290, 270, 0.8, 0.8, 0.8, 33000, 80};
        erase_route_modification();
        EXPECT_EQ(route_state, state == 4 ? 3 : 2);
        EXPECT_EQ(sel_sid, "OLD");
        EXPECT_EQ(performance_values, (PerformanceValues{250, 260, 240, 0.0, 0.78, 0.0, 31000, 40}));
        EXPECT_EQ(previous_climb_speed, 0);
        EXPECT_EQ(previous_cost_index, -1);
        ASSERT_EQ(hold_count(), 1);
        EXPECT_EQ(hold_list[1].active_index(), 1);
        EXPECT_EQ(working_idents(), (std::vector<std::string>{"A", "B", "C", "D"}));
    }
}

TEST(RouteExec, EraseRebuildsTheProcedureListsOfTheOpenPage) {
    set_runways(airport_slots[origin_slot], {"09", "27"});
    airport_slots[origin_slot].sids.append(make_procedure("EAST1", "09", {{"E1"}}));
    airport_slots[origin_slot].sids.append(make_procedure("WEST1", "27", {{"W1"}}));
    set_runways(airport_slots[destination_slot], {"10", "28"});
    airport_slots[destination_slot].stars.append(make_procedure("DOWN1", "28", {{"D1"}}));
    set_active({{"A", ""}, {"B", ""}});
    copy_active_plan_to_working();
    for (int page : {10, 11, 5}) {
        find_sid("EAST1");
        match_sid_transition("09", "------");
        find_star("DOWN1");
        smiths_cdu_page = page;
        erase_route_modification();
        // The open page's lists are back to every runway and procedure.
        EXPECT_EQ(texts(airport_slots[origin_slot].runway_list).size(), page == 10 ? 2u : 1u) << page;
        EXPECT_EQ(texts(airport_slots[origin_slot].procedure_name_list).size(), page == 10 ? 2u : 1u);
        EXPECT_EQ(texts(airport_slots[destination_slot].runway_list).size(), page == 11 ? 2u : 1u);
    }
}

} // namespace

// The first activation selects the route's airports and opens the MCU
// airport page on the origin; what the MCU pilot typed, and an ENTER the MCU
// has still to act on, stay the MCU's.
TEST_F(ExampleAirports, ExecSelectsTheRouteAirports) {
    write_plan(working_plan, {"KSEA", "X", "KPDX"});
    route_state = kRouteStateNone;
    mcu_entry_text = "TYPED";
    mcu_enter_pressed = 1;
    airport_runway_selected_line = 2;
    mcu_airport_list_index = 2;
    mcu_apt_top = 3;
    mcu_direct_only = 1;
    reset_active_route_state();
    EXPECT_EQ(route_state, kRouteStateActive);
    // The MCU airport page starts afresh on the origin; the plan is no bare
    // MCU direct-to any more.
    EXPECT_EQ(mcu_airport_list_index, -999);
    EXPECT_EQ(mcu_apt_top, 1);
    EXPECT_EQ(mcu_direct_only, 0);
    EXPECT_EQ(loaded_origin_ident, "KSEA");
    EXPECT_EQ(loaded_destination_ident, "KPDX");
    EXPECT_TRUE(origin_airport_ident.empty());
    EXPECT_EQ(selected_destination_ident, "KPDX");
    EXPECT_EQ(selected_airport_ident, "KSEA");
    EXPECT_EQ(mcu_airport_text_b, "KSEA");
    EXPECT_EQ(mcu_airport_text_a, airport_elevation_text);
    EXPECT_EQ(airport_runway_list[1].designator, "16L");
    EXPECT_EQ(airport_runway_selected_line, -999);
    EXPECT_EQ(mcu_entry_text, "TYPED");
    EXPECT_EQ(mcu_enter_pressed, 1);

    // A modified route: a destination entered on the pages is selected anew.
    route_state = kRouteStateActiveModified;
    destination_airport_ident = "KPDX";
    selected_destination_ident.clear();
    mcu_entry_text = "TYPED";
    reset_active_route_state();
    EXPECT_TRUE(destination_airport_ident.empty());
    EXPECT_EQ(selected_destination_ident, "KPDX");
    EXPECT_EQ(mcu_entry_text, "TYPED");
}
