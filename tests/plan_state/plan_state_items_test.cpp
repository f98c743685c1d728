// Edits by keys that once left the plans, the holds, the TO waypoint or a
// pending change out of step, each checked against the plan-state rules.
#include "plan_keys.h"
#include "plan_state_check.h"

#include "fms/plan/holds.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/procedures/selection_texts.h"
#include "fms/published_values.h"
#include "fms/units/cdu_text.h"

#include <sstream>

namespace {

class PlanStateItems : public PlanKeys {
  protected:
    // Standing west of the example route, so that nothing is sequenced.
    void after_start() override {
        start_on_the_ground_at_ksea();
        host::aircraft().lat_deg = 47.45;
        host::aircraft().lon_deg = -123.6;
        frames(1);
    }
    void run(const std::string& lines) {
        std::istringstream in(lines);
        for (std::string line; std::getline(in, line);) {
            if (line.empty()) continue;
            std::string error;
            ASSERT_TRUE(run_step(line, error)) << line << ": " << error;
        }
    }
    void expect_sound() {
        for (const std::string& fault : plan_state_faults())
            ADD_FAILURE() << fault;
    }
    std::string dump() {
        std::string out;
        for (const std::string& t : texts())
            out += "[" + t + "]";
        return out;
    }
};

} // namespace

// A hold deleted on RTE LEGS after an insertion moved its waypoint is gone
// after EXEC, from the list and from the flown plan.
TEST_F(PlanStateItems, AHoldDeletedAfterItsWaypointMovedGoesOnExec) {
    run("route load KSEAKPDX.RTE\nframes 3\ncdu SMITHS_FMS HOLD L2 L6 EXEC");
    ASSERT_EQ(hold_count(), 1);
    ASSERT_EQ(hold_list[1].ident, "FOXXE");
    // HQM and a discontinuity before FOXXE: its hold row is the fifth.
    run("cdu SMITHS_FMS LEGS \"HQM\" L2");
    ASSERT_EQ(working_plan[4].ident, "FOXXE");
    expect_sound();
    run("cdu SMITHS_FMS DEL L5");
    expect_sound();
    run("cdu SMITHS_FMS EXEC");
    EXPECT_EQ(hold_count(), 0);
    EXPECT_EQ(active_plan[4].hold_number, 0);
    expect_sound();
}

// ERASE keeps the executed holds, also one whose waypoint was deleted, and
// drops the one added in the modification.
TEST_F(PlanStateItems, EraseKeepsTheExecutedHoldsAndDropsTheNewOnes) {
    run("route load KSEAKPDX.RTE\nframes 3\ncdu SMITHS_FMS HOLD L2 L6 EXEC");
    // NEXT HOLD: HQM goes in before FOXXE, where FOXXE was, and holds there.
    run("cdu SMITHS_FMS HOLD L6 \"HQM\" L6 L2");
    ASSERT_EQ(working_plan[2].ident, "HQM");
    ASSERT_EQ(hold_count(), 2);
    expect_sound();
    run("cdu SMITHS_FMS LEGS L6");
    ASSERT_EQ(route_state, kRouteStateActive);
    ASSERT_EQ(hold_count(), 1);
    EXPECT_EQ(hold_list[1].ident, "FOXXE");
    EXPECT_EQ(active_plan[2].hold_number, 1);
    expect_sound();

    // FOXXE deleted (a discontinuity takes its place), then ERASE.
    run("cdu SMITHS_FMS DEL L2");
    ASSERT_EQ(working_plan[2].ident, "DISCO");
    expect_sound();
    run("cdu SMITHS_FMS L6");
    ASSERT_EQ(hold_count(), 1);
    EXPECT_EQ(hold_list[1].active_index, 2);
    EXPECT_EQ(working_plan[2].hold_number, 1);
    expect_sound();
}

// A direct-to that moves the plan under an executed hold: the hold stays on
// its waypoint, EXIT HOLD removes it, and a second hold goes on its own fix.
TEST_F(PlanStateItems, HoldsFollowTheirWaypointsThroughDirectToAndExit) {
    run("route load KSEAKPDX.RTE\nframes 3\ncdu SMITHS_FMS HOLD L3 L6 EXEC");
    ASSERT_EQ(hold_list[1].ident, "NISQL");
    run("cdu SMITHS_FMS DIR \"HQM\" L6 EXEC");
    ASSERT_EQ(hold_count(), 1);
    EXPECT_EQ(active_plan[hold_list[1].active_index].ident, "NISQL");
    expect_sound();
    // EXIT HOLD and EXEC: gone from the list and the plan.
    run("cdu SMITHS_FMS HOLD R6 EXEC");
    EXPECT_EQ(hold_count(), 0);
    expect_sound();

    // A first hold executed, then NEXT HOLD at SEA put in before FOXXE.
    run("cdu SMITHS_FMS HOLD L3 L6 EXEC L6 \"SEA\" L6 L2");
    expect_sound();
    const int slot = find_working_hold(2);
    ASSERT_GT(slot, 0);
    EXPECT_EQ(hold_list[slot].ident, "SEA");
    EXPECT_FALSE(shows("DISCO")) << dump();
}

// ERASE drops a departure runway entered over the active route: a later
// change does not bring it back for EXEC.
TEST_F(PlanStateItems, EraseDropsAPendingDepartureRunway) {
    run("route load KSEAKPDX.RTE\nframes 3\ncdu SMITHS_FMS RTE \"16L\" L3 \"34R\" L3");
    ASSERT_EQ(route_state, kRouteStateActiveModified);
    ASSERT_EQ(pending_departure_runway, "34R");
    run("cdu SMITHS_FMS L6");
    EXPECT_EQ(pending_departure_runway, "------");
    run("cdu SMITHS_FMS \"KSEA\" R1 EXEC");
    EXPECT_NE(sel_departure_runway, "34R");
    EXPECT_NE(exec_departure_runway, "34R");
    expect_sound();
}

// A stored plan loaded over a route flown to its fifth waypoint starts at
// its first leg.
TEST_F(PlanStateItems, AStoredPlanLoadedOverTheRouteStartsAtItsFirstLeg) {
    run("route load KSEAKPDX.RTE\nframes 3");
    to_waypoint_index = 5; // flown so far
    run("cdu SMITHS_FMS INIT_REF L6 R2 L1 EXEC");
    EXPECT_EQ(active_plan[0].ident, "KPDX");
    EXPECT_EQ(to_waypoint_index, 1);
    frames(1);
    EXPECT_EQ(orvex_act_wpt_pos, 1);
    expect_sound();
}
