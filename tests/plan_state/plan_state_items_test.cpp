// Edits by keys that once left the plans, the holds, the TO waypoint or a
// pending change out of step, each checked against the plan-state rules.
#include "plan_keys_fixture.h"
#include "plan_state_check.h"

#include "fms/plan/holds.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/plan/selection_texts.h"
#include "fms/plan_builder.h"
#include "fms/published_values.h"
#include "fms/units/cdu_text.h"
#include "fms/units/smiths_scratchpad.h"

#include <sstream>

namespace {

class PlanStateItems : public PlanKeysTest {
  protected:
    void after_start() override { start_west_of_the_route(); }
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
    EXPECT_EQ(hold_mark(active_plan, 4), 0);
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
    EXPECT_EQ(hold_mark(active_plan, 2), 1);
    expect_sound();

    // FOXXE deleted (a discontinuity takes its place), then ERASE.
    run("cdu SMITHS_FMS DEL L2");
    ASSERT_EQ(working_plan[2].ident, "DISCO");
    expect_sound();
    run("cdu SMITHS_FMS L6");
    ASSERT_EQ(hold_count(), 1);
    EXPECT_EQ(hold_list[1].active_index(), 2);
    EXPECT_EQ(hold_mark(working_plan, 2), 1);
    expect_sound();
}

// A direct-to that moves the plan under an executed hold: the hold stays on
// its waypoint, EXIT HOLD removes it, and a second hold goes on its own fix.
TEST_F(PlanStateItems, HoldsFollowTheirWaypointsThroughDirectToAndExit) {
    run("route load KSEAKPDX.RTE\nframes 3\ncdu SMITHS_FMS HOLD L3 L6 EXEC");
    ASSERT_EQ(hold_list[1].ident, "NISQL");
    run("cdu SMITHS_FMS DIR \"HQM\" L6 EXEC");
    ASSERT_EQ(hold_count(), 1);
    EXPECT_EQ(active_plan[hold_list[1].active_index()].ident, "NISQL");
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
    set_flown_to(5); // flown so far
    run("cdu SMITHS_FMS INIT_REF L6 R2 L1 EXEC");
    EXPECT_EQ(active_plan[0].ident, "KPDX");
    EXPECT_EQ(to_waypoint_index, 1);
    frames(1);
    EXPECT_EQ(orvex_act_wpt_pos, 1);
    expect_sound();
}

namespace {

// From the random hunt's start: on the ground at KSEA.
class PlanStateScripts : public PlanKeysTest, public ::testing::WithParamInterface<const char*> {};

} // namespace

// Key sequences the hunt or a pilot once failed on, each left sound at every
// step.
TEST_P(PlanStateScripts, EveryStepKeepsThePlanStateSound) {
    EXPECT_EQ(script_fault(lines(GetParam())), "");
}

INSTANTIATE_TEST_SUITE_P(
    FoundByTheHunt, PlanStateScripts,
    ::testing::Values(
        // A stored plan the GNS loaded and another unit's change threw away
        // leaves no origin behind: EXEC keeps the SID chosen on the flown
        // plan's own origin.
        "route load KSEAKYKM.PLN\n"
        "gns GNSXLS DIRECT L1 ENT\n"
        "cdu SMITHS_FMS INIT_REF L6 \"HUNT1\" R6\n"
        "mcu MCU FPLN\n"
        "route load KPDXKSEA.RTE\n"
        "mcu MCU DIRTO ENTRY\n"
        "keyboard type \"NASEL\"\n"
        "mcu MCU ENTER\n"
        "gns GNSXLS R1\n"
        "gns GNSXLS FPL L2\n"
        "aircraft altitude 433\n"
        "aircraft speed 0\n"
        "cdu SMITHS_FMS DEP_ARR L1\n"
        "cdu SMITHS_FMS L1\n"
        "cdu SMITHS_FMS L2\n"
        "cdu SMITHS_FMS LEGS DEL L3\n"
        "cdu SMITHS_FMS EXEC\n"
        "gns GNSXLS R2\n"
        "gns GNSXLS ENT\n"
        "gns GNSXLS NAV FPL L5 L5 ENT\n"
        "cdu SMITHS_FMS DEP_ARR R2 R1 L1\n"
        "cdu SMITHS_FMS EXEC",
        // A runway chosen with the TO on a pilot's fix after the STAR's legs
        // and an airfield flown direct to after it: the airfield stays en route.
        "route load KSEAKPDX.RTE\ngns GNSXLS DIRECT \"LAVVA\" ENT ENT ENT\ngns GNSXLS DIRECT \"KHQM\" ENT ENT ENT\n"
        "cdu SMITHS_FMS DEP_ARR R2\ncdu SMITHS_FMS L2\ncdu SMITHS_FMS LEGS DEL L2\ncdu SMITHS_FMS EXEC\nmcu MCU FPLN\n"
        "gns GNSXLS DIRECT \"LAVVA\" ENT ENT ENT\ncdu SMITHS_FMS DEP_ARR R2 R5",
        // A new plan from another origin with a SID chosen on it, executed
        // while a direct-to is flown: the SID stays chosen.
        "mcu MCU DIRTO ENTRY\ngns GNSXLS FPL L3\ngns GNSXLS FPL FPL FPL R3 ENT R5 ENT\naircraft altitude 433\n"
        "aircraft speed 0\nmcu MCU DIRTO ENTRY\ncdu SMITHS_FMS INIT_REF L6 \"HUNT1\" R6\ncdu SMITHS_FMS R2\n"
        "mcu MCU DIRTO ENTRY\nkeyboard type \"NASEL\"\nmcu MCU ENTER\ncdu SMITHS_FMS \"PAKWD\" L1\n"
        "cdu SMITHS_FMS HOLD L6 L2 L6\ncdu SMITHS_FMS DEP_ARR L1\ncdu SMITHS_FMS R4\ncdu SMITHS_FMS L1\n"
        "cdu SMITHS_FMS EXEC",
        // A direct-to another fix just as the hold at the TO is entered:
        // the pattern is no longer flown.
        "mcu MCU DIRTO ENTRY\nkeyboard type \"CEDAR\"\nmcu MCU ENTER\ncdu SMITHS_FMS \"VANTG\"\nmcu MCU LNAV\n"
        "aircraft position 47.82775 -121.79112\naircraft heading 43\nframes 18\ngns GNSXLS N\n"
        "gns GNSXLS NAV FPL L4 L4 ENT\ngns GNSXLS L4 ENT\ngns GNSXLS R2\ngns GNSXLS L2\n"
        "cdu SMITHS_FMS RTE \"KYKM\" R1\ncdu SMITHS_FMS R5\nmcu MCU HOLD\ngns GNSXLS FPL L3\ngns GNSXLS HOLD\n"
        "frames 2\ncdu SMITHS_FMS RTE\nkeyboard type \"NACHS\"\nframes 1\ngns GNSXLS DIRECT \"ROYCE\" ENT ENT ENT",
        // A departure chosen on the GNS's flown plan past the SID: the
        // SMITHS's next change starts from that choice, not its own older one.
        "route load KSEAKPDX.RTE\ncdu SMITHS_FMS DEP_ARR L1\ncdu SMITHS_FMS L1\ncdu SMITHS_FMS DEP_ARR R2\n"
        "cdu SMITHS_FMS EXEC\ngns GNSXLS NAV FPL L4 L4 ENT\ngns GNSXLS L4 ENT\ngns GNSXLS ENT\ngns GNSXLS ENT\n"
        "aircraft altitude 433\naircraft speed 0\ncdu SMITHS_FMS R2",
        // A hold leg typed far longer than RTE HOLD shows: the pattern stays by its fix.
        "mcu MCU FPLN NEXT ENTER\ncdu SMITHS_FMS \"KELSO\"\ncdu SMITHS_FMS \"CHINS\"\n"
        "cdu SMITHS_FMS HOLD L3 L6\ncdu SMITHS_FMS R6\ncdu SMITHS_FMS \"999990\" L5\ncdu SMITHS_FMS EXEC",
        // A STAR, then a SID chosen parked under a direct-to, then the
        // runway rolling: the origin written over the direct-to's start stays
        // where the legs are flown from, so the arrival is rebuilt ahead.
        "aircraft altitude 433\naircraft speed 0\nmcu MCU FPLN ENTER\ncdu SMITHS_FMS L\nmcu MCU DIRTO ENTRY\n"
        "keyboard type \"KSEA\"\nmcu MCU ENTER\ncdu SMITHS_FMS DEP_ARR R2\ncdu SMITHS_FMS L1\n"
        "cdu SMITHS_FMS DEP_ARR L1\ncdu SMITHS_FMS L2\naircraft speed 250\ncdu SMITHS_FMS DEP_ARR R2\n"
        "cdu SMITHS_FMS R1",
        // The same with a SID chosen again rolling.
        "mcu MCU FPLN NEXT ENTER\nmcu MCU HOLD\naircraft altitude 433\naircraft speed 0\n"
        "mcu MCU DIRTO ENTRY\nkeyboard type \"HOODC\"\nmcu MCU ENTER\ncdu SMITHS_FMS DEP_ARR L1\n"
        "cdu SMITHS_FMS L1\ncdu SMITHS_FMS DEP_ARR L1\naircraft speed 250\ncdu SMITHS_FMS \"TOU\" L2",
        // The TO moved back by the MCU's previous-waypoint key, parked past it: it is passed again
        // before a GNS direct-to it, which then puts in a new entry to fly back to.
        "route load KSEAKYKM.PLN\nframes 3\ngns GNSXLS DIRECT\ngns GNSXLS NEXT\nmcu MCU PREV\n"
        "gns GNSXLS DIRECT \"SEA\" ENT ENT ENT",
        // DIRECT with the row behind the last waypoint chosen: nothing to fly.
        "route load KSEAKYKM.PLN\ngns GNSXLS DIRECT\ngns GNSXLS L5\ngns GNSXLS ENT",
        // An airway typed on RTE while the GNS has a stored plan open closes it aloud.
        "gns GNSXLS R2\ncdu SMITHS_FMS LEGS DEL L1\ncdu SMITHS_FMS EXEC\ngns GNSXLS ENT\n"
        "cdu SMITHS_FMS RTE NEXT \"J70\" L3",
        // DIRECT to the destination still to be typed after a new origin.
        "cdu SMITHS_FMS \"KPDXKSEA\"\nroute load KSEAKYKM.PLN\ngns GNSXLS DIRECT L5 ENT\n"
        "cdu SMITHS_FMS RTE\ncdu SMITHS_FMS \"PUYAL\" L2\n"
        "cdu SMITHS_FMS \"KRNT\" L1\ngns GNSXLS DIRECT L1 ENT",
        // The MCU's hold on the flown route while a new plan waits for EXEC.
        "route load KSEAKPDX.RTE\nmcu MCU LNAV\ncdu SMITHS_FMS L6\ncdu SMITHS_FMS R2\ncdu SMITHS_FMS L4\n"
        "mcu MCU HOLD\ncdu SMITHS_FMS L6\ncdu SMITHS_FMS EXEC",
        // The GNS's hold on the flown route while a LEGS edit waits for EXEC.
        "route load KSEAKPDX.RTE\nmcu MCU LNAV\ncdu SMITHS_FMS HOLD\ncdu SMITHS_FMS NEXT\n"
        "aircraft position 46.99437 -122.87375\nmcu MCU PREV\nmcu MCU HOLD\ngns GNSXLS FPL\n"
        "cdu SMITHS_FMS HOLD\ncdu SMITHS_FMS \"WILPA\" R6\ncdu SMITHS_FMS DEL\ncdu SMITHS_FMS \"BANGR\" L3\n"
        "gns GNSXLS PREV\ngns GNSXLS L3\ngns GNSXLS HOLD",
        // ERASE on the frame that loads the route the MCU asked for.
        "route load KPDXKSEA.RTE\ncdu SMITHS_FMS DEP_ARR\nmcu MCU FPLN\ncdu SMITHS_FMS R2\n"
        "cdu SMITHS_FMS \"KEUG\" L3\nmcu MCU ENTER\ncdu SMITHS_FMS L6",
        // The TO fix kept through EXEC when a passed row before it goes.
        "route load KSEAKPDX.RTE\nframes 3\nmcu MCU LNAV\naircraft position 47.2900 -122.4970\n"
        "aircraft heading 221\nframes 60\ncdu SMITHS_FMS RTE NEXT DEL L1\ncdu SMITHS_FMS EXEC",
        // A stored plan with a STAR loaded by the MCU, then a runway chosen: the STAR stays chosen.
        "route load KPDXKSEA.RTE\ncdu SMITHS_FMS DEP_ARR R2\ncdu SMITHS_FMS L2\ncdu SMITHS_FMS EXEC\n"
        "cdu SMITHS_FMS INIT_REF L6 \"HUNT3\" R6\ncdu SMITHS_FMS INIT_REF L6 \"HUNT1\" R6\n"
        "mcu MCU FPLN NEXT ENTER\ncdu SMITHS_FMS DEP_ARR R2\n"
        "cdu SMITHS_FMS R5",
        // Holds on the route: every leg and hold row once on the LEGS sub-pages.
        "route load KSEAKPDX.RTE\nframes 3\ncdu SMITHS_FMS HOLD L2 L6\ncdu SMITHS_FMS EXEC\n"
        "cdu SMITHS_FMS HOLD L6 L5 L6\ncdu SMITHS_FMS EXEC\ncdu SMITHS_FMS LEGS",
        // The approach chosen on ARRIVALS named on APPROACH REF after EXEC.
        "route load KPDXKSEA.RTE\nframes 3\ncdu SMITHS_FMS DEP_ARR R2 R1\ncdu SMITHS_FMS EXEC",
        // The route ended by the GNS: the published values say so.
        "mcu MCU DIRTO ENTRY\nkeyboard type \"SEA\"\nframes 1\nmcu MCU ENTER\nframes 1\n"
        "gns GNSXLS FPL\ngns GNSXLS L2\ngns GNSXLS ERASE\ngns GNSXLS ENT\nframes 2",
        // A discontinuity reached on LNAV is never the TO waypoint.
        "route load KSEAKPDX.RTE\nframes 3\ncdu SMITHS_FMS LEGS DEL L2\ncdu SMITHS_FMS EXEC\n"
        "frames 1\nmcu MCU LNAV\naircraft position 47.2900 -122.4970\naircraft heading 221\n"
        "frames 60",
        // The GNS deletes the origin of a direct leg to an airport under LNAV.
        "mcu MCU FPLN ENTER\ngns GNSXLS FPL FPL FPL R3 ENT R5 ENT\ngns GNSXLS ERASE\ngns GNSXLS DIRECT\n"
        "mcu MCU LNAV\ngns GNSXLS DIRECT L3 ENT\ngns GNSXLS ENT",
        // GNS DIRECT-TO while the old TO is under the aircraft.
        "route load KPDXKSEA.RTE\nframes 3\nmcu MCU TO\nmcu MCU PREV\nframes 2\ngns GNSXLS DIRECT\n"
        "gns GNSXLS L1\ngns GNSXLS ENT",
        // The MCU LEGS page on a leg past a plan put in place by the SMITHS.
        "route load KSEAKYKM.PLN\nframes 3\nmcu MCU TO\nmcu MCU PREV\nmcu MCU PREV\nmcu MCU LEGS\n"
        "cdu SMITHS_FMS RTE \"KPDXKSEA\" L2\ncdu SMITHS_FMS R6\ncdu SMITHS_FMS EXEC",
        // The leg picked on the SMITHS direct-to page is the one flown to.
        "route load KSEAKPDX.RTE\nframes 3\ncdu SMITHS_FMS DIR L3 L6\ncdu SMITHS_FMS EXEC",
        // A stored plan the GNS opened, then a LEGS edit: EXEC keeps the TO fix.
        "route load KSEAKPDX.RTE\nframes 3\ngns GNSXLS FPL FPL FPL R2 ENT\n"
        "cdu SMITHS_FMS LEGS DEL L3\ncdu SMITHS_FMS EXEC",
        // The GNS plan page within a plan the MCU shortened.
        "route load KSEAKYKM.PLN\nframes 3\ngns GNSXLS FPL FPL\nmcu MCU DIRTO ENTRY\n"
        "keyboard type \"SEA\"\nframes 1\nmcu MCU ENTER\nframes 1",
        // EXEC of a plan that the GNS direct-to list ended with its end mark.
        "gns GNSXLS R3\nmcu MCU DIRTO ENTRY\nkeyboard type \"CONWY\"\nmcu MCU ENTER\n"
        "cdu SMITHS_FMS \"BURLN\" L6\ngns GNSXLS ENT\ngns GNSXLS DIRECT\n"
        "cdu SMITHS_FMS RTE \"KPDXKSEA\" L2 R6\ncdu SMITHS_FMS EXEC",
        // An approach added behind the GNS direct-to list's end mark.
        "mcu MCU DIRTO ENTRY\nkeyboard type \"KPDX\"\nmcu MCU ENTER\ngns GNSXLS R2\ngns GNSXLS ENT\n"
        "gns GNSXLS DIRECT\ncdu SMITHS_FMS RTE\ncdu SMITHS_FMS R6\ncdu SMITHS_FMS DEP_ARR R2 R2\n"
        "cdu SMITHS_FMS EXEC",
        // A STAR chosen after the approach: the approach stays on APPROACH REF.
        "cdu SMITHS_FMS RTE \"KSEAKPDX\" L2 R6\ncdu SMITHS_FMS EXEC\n"
        "cdu SMITHS_FMS DEP_ARR R2 R3 L1\ncdu SMITHS_FMS EXEC",
        // A runway, then an approach for another runway and a STAR: APPROACH
        // REF names the approach the plan holds.
        "route load KPDXKSEA.RTE\ncdu SMITHS_FMS DEP_ARR R2 R5\ncdu SMITHS_FMS DEP_ARR R2 R3 L3\n"
        "cdu SMITHS_FMS EXEC",
        // The GNS showed another airport meanwhile: EXEC finds the approach
        // at the destination.
        "route load KSEAKPDX.RTE\ncdu SMITHS_FMS DEP_ARR R2 R3 L3\ncdu SMITHS_FMS EXEC\ngns GNSXLS R3\n"
        "gns GNSXLS ENT\ncdu SMITHS_FMS DEP_ARR R2 R5 L5\ncdu SMITHS_FMS EXEC",
        // An approach chosen for an arrival airport the GNS set survives EXEC.
        "route load KSEAKYKM.PLN\ngns GNSXLS R2\ngns GNSXLS ENT\ncdu SMITHS_FMS DEP_ARR R2 R3\n"
        "cdu SMITHS_FMS EXEC",
        // An approach chosen for a plan the GNS activated survives EXEC.
        "route load KSEAKYKM.PLN\ngns GNSXLS FPL FPL FPL R2 ENT R5 ENT\n"
        "cdu SMITHS_FMS DEP_ARR R2 R2\ncdu SMITHS_FMS EXEC",
        // The GNS adds to the flown plan under a SMITHS edit: EXEC keeps the TO fix.
        "mcu MCU FPLN NEXT NEXT ENTER\nkeyboard type \"99999\"\ngns GNSXLS DIRECT L4 ENT\n"
        "mcu MCU FPLN ENTER\ncdu SMITHS_FMS DEL\ngns GNSXLS FPL FPL FPL R3 ENT R5 ENT\n"
        "cdu SMITHS_FMS SP\ncdu SMITHS_FMS HOLD L4 L6\ngns GNSXLS ENT\ncdu SMITHS_FMS R6\n"
        "cdu SMITHS_FMS EXEC",
        // A route loaded under a pending hold and a direct-to: the LEGS keys
        // that follow count the sub-pages of the plan they leave, not the one
        // they found.
        "cdu SMITHS_FMS \"NASEL\" L5\nroute load KSEAKYKM.PLN\ncdu SMITHS_FMS HOLD L3 L6\n"
        "route load KSEAKPDX.RTE\ncdu SMITHS_FMS \"2\" R1\ncdu SMITHS_FMS DIR L5 L6\n"
        "cdu SMITHS_FMS HOLD L1 L6",
        // Another approach chosen, then the modification erased: the one
        // executed comes back with the plan that holds it.
        "mcu MCU FPLN ENTER\ncdu SMITHS_FMS DEP_ARR R2 R3\ncdu SMITHS_FMS EXEC\n"
        "cdu SMITHS_FMS DEP_ARR R2 R2\ncdu SMITHS_FMS HOLD L6 L3 L6\ncdu SMITHS_FMS \"PAE\" R1\n"
        "cdu SMITHS_FMS HOLD L6 L5 L6\ncdu SMITHS_FMS \"KBFI\" R6\ncdu SMITHS_FMS \"SALMN\" R1\n"
        "cdu SMITHS_FMS EXEC",
        // A stored plan the GNS activated named its approach; one chosen on
        // ARRIVALS afterwards is the one EXEC applies.
        "route load KSEAKPDX.RTE\ncdu SMITHS_FMS \"KEECH\"\ngns GNSXLS FPL FPL FPL R2 ENT R5 ENT\n"
        "gns GNSXLS R4\ngns GNSXLS ENT\ngns GNSXLS ENT\ngns GNSXLS DIRECT\n"
        "gns GNSXLS FPL FPL FPL R2 ENT R5 ENT\ncdu SMITHS_FMS DEP_ARR R2 R3 L3\ncdu SMITHS_FMS EXEC",
        // The origin deleted on the GNS under TO 1: the TO stays on its fix.
        "route load KSEAKYKM.PLN\naircraft position 46.65047 -120.52812\ngns GNSXLS DIRECT L1 ENT\n"
        "mcu MCU FPLN NEXT NEXT ENTER\ngns GNSXLS L1\ngns GNSXLS ERASE\ngns GNSXLS ENT",
        // A stored plan saved from a direct-to, activated from the GNS DIRECT
        // page: a plan load, flown from its first leg.
        "mcu MCU DIRTO ENTRY\nkeyboard type \"KRNT\"\nmcu MCU ENTER\ngns GNSXLS DIRECT L1 ENT\n"
        "cdu SMITHS_FMS L6\ncdu SMITHS_FMS R6\nmcu MCU FPLN ENTER\ngns GNSXLS DIRECT\n"
        "gns GNSXLS FPL FPL FPL R2 ENT R5 ENT",
        // A hold only the modification holds stays so when the GNS inserts at
        // the active plan's origin.
        "cdu SMITHS_FMS \"WOODB\"\nroute load KPDXKSEA.RTE\naircraft position 45.73878 -122.59213\n"
        "cdu SMITHS_FMS \"MAPLV\" R1\ncdu SMITHS_FMS HOLD L6 L1 L6\n"
        "gns GNSXLS FPL FPL FPL R3 ENT R5 ENT\ncdu SMITHS_FMS \"TOU\" R6\ngns GNSXLS L1\n"
        "gns GNSXLS FPL FPL FPL R3 ENT R5 ENT\ngns GNSXLS ENT",
        // A modification begun with the cursor left past its plan by a direct-to
        // page lists the legs from the TO waypoint.
        "mcu MCU FPLN NEXT NEXT ENTER\ngns GNSXLS J\nmcu MCU LNAV\ngns GNSXLS DIRECT L5 ENT\n"
        "mcu MCU DIRTO ENTRY\nkeyboard type \"KOLM\"\nmcu MCU ENTER\n"
        "cdu SMITHS_FMS DEP_ARR R2 R2 L2\ncdu SMITHS_FMS LEGS\nmcu MCU HOLD\n"
        "cdu SMITHS_FMS \"KRNT\"",
        // The same, the cursor left by the GNS DIRECT page.
        "mcu MCU FPLN ENTER\ncdu SMITHS_FMS LEGS DEL L5\ncdu SMITHS_FMS EXEC\n"
        "gns GNSXLS DIRECT L5 ENT\ncdu SMITHS_FMS LEGS DEL L4\ngns GNSXLS L4\ngns GNSXLS HOLD\n"
        "cdu SMITHS_FMS R5",
        // An approach chosen, then a GNS direct-to a nearby airport loads that
        // airport's detail: EXEC keeps the approach chosen for the plan's own.
        "route load KSEAKYKM.PLN\naircraft position 46.70031 -120.80891\n"
        "gns GNSXLS FPL FPL FPL R2 ENT R5 ENT\ngns GNSXLS DIRECT\ncdu SMITHS_FMS DEP_ARR R2 R3 L3\n"
        "gns GNSXLS DIRECT L1 ENT\ncdu SMITHS_FMS EXEC",
        // The same, the approach chosen on the detail a GNS direct-to loaded.
        "aircraft position 46.71569 -122.84489\nroute load KSEAKYKM.PLN\ngns GNSXLS DIRECT\n"
        "cdu SMITHS_FMS DEP_ARR\ngns GNSXLS DIRECT L3 ENT\ncdu SMITHS_FMS R2\ngns GNSXLS DIRECT\n"
        "cdu SMITHS_FMS \"HALSE\" R1\ngns GNSXLS DIRECT L1 ENT\ncdu SMITHS_FMS EXEC",
        // A GNS STAR written over the TO waypoint's entry: the TO position follows.
        "route load KSEAKYKM.PLN\ngns GNSXLS FPL FPL FPL R2 ENT R5 ENT\nmcu MCU DIRTO ENTRY\n"
        "keyboard type \"CYVR\"\nmcu MCU ENTER\ngns GNSXLS L5\ngns GNSXLS ENT\ngns GNSXLS ENT\n"
        "gns GNSXLS ENT\ngns GNSXLS ENT\nframes 1",
        // A destination typed with no plan, where a failed activation left the
        // end mark: no origin, not an end mark flown from.
        "gns GNSXLS FPL FPL FPL R3 ENT R5 ENT\ncdu SMITHS_FMS RTE\ncdu SMITHS_FMS \"KTIW\" R1",
        // A plan the GNS activated, then a stored plan loaded on the SMITHS: a
        // whole plan, flown from its first leg.
        "gns GNSXLS FPL FPL FPL R2 ENT R5 ENT\ncdu SMITHS_FMS L6\ncdu SMITHS_FMS R2\n"
        "gns GNSXLS FPL FPL FPL R3 ENT R5 ENT\ncdu SMITHS_FMS L3\ncdu SMITHS_FMS PREV\n"
        "cdu SMITHS_FMS EXEC",
        // A stored plan the GNS opened and left: its approach goes with it.
        "cdu SMITHS_FMS \"CHEHA\" R2\ncdu SMITHS_FMS DIR \"ROSIE\" L6\nroute load KPDXKSEA.RTE\n"
        "gns GNSXLS R3\ncdu SMITHS_FMS \"TILLA\" R6\nmcu MCU FPLN NEXT ENTER\n"
        "cdu SMITHS_FMS DEP_ARR R2 R3 L3\ncdu SMITHS_FMS EXEC\ncdu SMITHS_FMS \"VANTG\" R4\n"
        "gns GNSXLS ENT\ncdu SMITHS_FMS LEGS DEL L4\ncdu SMITHS_FMS EXEC",
        // An approach added after a GNS direct-to: the end mark its list showed
        // is no leg.
        "gns GNSXLS R2\nmcu MCU DIRTO ENTRY\nkeyboard type \"KPDX\"\nmcu MCU ENTER\ngns GNSXLS ENT\n"
        "gns GNSXLS DIRECT L3 ENT\ncdu SMITHS_FMS DEP_ARR R2 R1\ncdu SMITHS_FMS LEGS",
        // A stored plan the GNS opened, then one loaded on the SMITHS: a whole
        // plan, flown from its first leg.
        "route load KSEAKPDX.RTE\ngns GNSXLS R3\ngns GNSXLS ENT\n"
        "cdu SMITHS_FMS RTE \"KSEAKPDX\" L2 R6\ncdu SMITHS_FMS EXEC",
        // A GNS direct-to the fix of an MCU hold: the working plan is the plan
        // now flown, its hold on the fix.
        "mcu MCU DIRTO ENTRY\nkeyboard type \"ELMAA\"\nmcu MCU ENTER\nmcu MCU LNAV\nmcu MCU HOLD\n"
        "gns GNSXLS DIRECT L5 ENT",
        // ARRIVALS open while a GNS direct-to a nearby airport loads that
        // airport's detail: the page still lists the plan's destination.
        "route load KPDXKSEA.RTE\naircraft position 45.73704 -122.19191\ngns GNSXLS DIRECT\n"
        "cdu SMITHS_FMS DEP_ARR R2 R2\ngns GNSXLS DIRECT L1 ENT\ncdu SMITHS_FMS L2\n"
        "cdu SMITHS_FMS EXEC",
        // An MCU direct-to the origin's fix under a SMITHS edit: EXEC of the edit
        // flies its first leg, the origin being no leg.
        "aircraft position 45.63799 -122.58986\nroute load KSEAKPDX.RTE\ngns GNSXLS DIRECT\n"
        "cdu SMITHS_FMS DEP_ARR R2 R4 L4\ncdu SMITHS_FMS EXEC\ngns GNSXLS DIRECT L3 ENT\n"
        "cdu SMITHS_FMS R2\nmcu MCU DIRTO ENTRY\nkeyboard type \"KSEA\"\nmcu MCU ENTER\n"
        "cdu SMITHS_FMS EXEC",
        // A modification shorter than the flown plan, the GNS cursor on the flown
        // plan's last row: RTE LEGS lists from the modification's own last leg.
        "mcu MCU FPLN NEXT NEXT ENTER\nmcu MCU ALT\nmcu MCU LNAV\n"
        "aircraft position 47.18889 -121.17943\ncdu SMITHS_FMS DEL\ngns GNSXLS DIRECT\n"
        "route load KSEAKPDX.RTE\nmcu MCU PREV\ncdu SMITHS_FMS DEP_ARR R2 R5\ncdu SMITHS_FMS LEGS\n"
        "gns GNSXLS L5\ncdu SMITHS_FMS \"QUEET\" L1\ngns GNSXLS L5\ncdu SMITHS_FMS CLR\n"
        "mcu MCU HOLD\ncdu SMITHS_FMS L1",
        // A SMITHS procedure chosen, route not yet active, while the GNS DIRECT
        // page lists the plan: the key takes the plan back, nothing goes behind
        // the end mark.
        "gns GNSXLS R2\nmcu MCU DIRTO ENTRY\nkeyboard type \"GORGE\"\nmcu MCU ENTER\ngns GNSXLS ENT\n"
        "cdu SMITHS_FMS DEP_ARR R2 R1\ngns GNSXLS DIRECT\ncdu SMITHS_FMS \"KHQM\" L3\n"
        "cdu SMITHS_FMS LEGS DEL L4",
        // The GNS deletes a waypoint well before a TO that the MCU moved to the
        // last: the TO stays on its fix.
        "route load KSEAKPDX.RTE\nframes 3\ngns GNSXLS FPL\ngns GNSXLS L3\nmcu MCU TO\n"
        "mcu MCU PREV PREV\ngns GNSXLS ERASE\ngns GNSXLS ENT",
        // The origin deleted on the GNS under an MCU hold at the next waypoint:
        // the hold goes, as the new origin is never held at.
        "gns GNSXLS FPL FPL FPL R3 ENT R5 ENT\nroute load KPDXKSEA.RTE\nmcu MCU LNAV\ngns GNSXLS L1\n"
        "mcu MCU HOLD\ngns GNSXLS PREV\ngns GNSXLS L4\ngns GNSXLS ERASE\ngns GNSXLS ENT",
        // A saved plan that starts with a gap, loaded: the TO is the place behind it.
        "aircraft position 47.27390 -121.56254\nroute load KSEAKPDX.RTE\ngns GNSXLS FPL\n"
        "cdu SMITHS_FMS LEGS DEL L2\ncdu SMITHS_FMS LEGS DEL L1\ncdu SMITHS_FMS EXEC\ngns GNSXLS R4\n"
        "gns GNSXLS ENT\ngns GNSXLS ENT\nroute load KSEAKPDX.RTE",
        // An approach executed, then a new destination typed on RTE: the approach legs
        // stay, but APPROACH REF names the new airport's approach, which is none.
        "mcu MCU FPLN\nmcu MCU ENTER\ncdu SMITHS_FMS DEP_ARR R2 R3\ncdu SMITHS_FMS EXEC\n"
        "cdu SMITHS_FMS HOLD\ncdu SMITHS_FMS \"BTG\" R6\ncdu SMITHS_FMS \"KCLM\" R2\n"
        "cdu SMITHS_FMS RTE\ncdu SMITHS_FMS R1\ncdu SMITHS_FMS EXEC",
        // A destination typed first, then a hold made before it: the first leg starts at the
        // aircraft, not at the origin still to be entered.
        "cdu SMITHS_FMS RTE\ncdu SMITHS_FMS \"KBFI\" R1\ncdu SMITHS_FMS HOLD L3 L6\n"
        "cdu SMITHS_FMS \"KBFI\" R6\ncdu SMITHS_FMS LEGS DEL L4",
        // GNS direct-tos near KPDX, the last to the fix KPDX just before the destination KPDX:
        // the aircraft is within the switching distance, so the fix is passed in the next frame.
        "route load KSEAKPDX.RTE\nmcu MCU DIRTO ENTRY\nkeyboard type \"KPDX\"\nmcu MCU ENTER\n"
        "aircraft position 45.62390 -122.60452\ngns GNSXLS DIRECT L1 ENT\ngns GNSXLS DIRECT L1 ENT\n"
        "gns GNSXLS DIRECT L2 ENT",
        // The GNS inserts a waypoint into the working plan where the SMITHS has just put a
        // hold: the hold moves up with its waypoint, and the new one carries none.
        "mcu MCU DIRTO ENTRY\nkeyboard type \"CARRO\"\nmcu MCU ENTER\ngns GNSXLS L1\ngns GNSXLS R2\n"
        "cdu SMITHS_FMS HOLD L3 L6\ngns GNSXLS ENT\ngns GNSXLS E L M A A\ngns GNSXLS ENT\n"
        "cdu SMITHS_FMS R6\ngns GNSXLS ENT",
        // An origin typed alone, a waypoint added, the route activated and flown past it:
        // the destination still to be entered is no place to fly to, so the TO stays.
        "cdu SMITHS_FMS RTE\ncdu SMITHS_FMS \"KBFI\" L1\ncdu SMITHS_FMS HOLD L4 L6\n"
        "cdu SMITHS_FMS \"RNT\" R5\ncdu SMITHS_FMS L1\ncdu SMITHS_FMS RTE\ncdu SMITHS_FMS R6\n"
        "cdu SMITHS_FMS EXEC\nmcu MCU LNAV\naircraft position 47.49570 -122.21550\nframes 5",
        // An approach chosen behind an MCU direct-to, its FROM dropped and the destination written
        // anew: EXEC keeps the TO on the destination.
        "route load KPDXKSEA.RTE\nmcu MCU DIRTO ENTRY\nkeyboard type \"KPWT\"\nmcu MCU ENTER\n"
        "aircraft position 47.52548 -122.77122\ncdu SMITHS_FMS DEP_ARR R2 R3\ncdu SMITHS_FMS EXEC",
        // A new origin typed on RTE under LNAV: no route is left to steer along.
        "route load KSEAKYKM.PLN\nmcu MCU LNAV\ncdu SMITHS_FMS \"EDMND\" R6\ncdu SMITHS_FMS LEGS\n"
        "cdu SMITHS_FMS L1\ncdu SMITHS_FMS RTE\ncdu SMITHS_FMS \"KPAE\" L1",
        // A hold asked for on a discontinuity's row: it has no fix to hold over.
        "route load KSEAKYKM.PLN\ncdu SMITHS_FMS LEGS DEL L4\ncdu SMITHS_FMS EXEC\n"
        "cdu SMITHS_FMS HOLD L4 L6\ncdu SMITHS_FMS EXEC",
        // A SMITHS hold on the row a direct-to waiting for EXEC left.
        "route load KSEAKPDX.RTE\ncdu SMITHS_FMS \"250/12000\" L6\ncdu SMITHS_FMS PLUSMINUS\n"
        "gns GNSXLS DIRECT\nmcu MCU LNAV\ncdu SMITHS_FMS DIR\ncdu SMITHS_FMS \"16L\" R4\n"
        "cdu SMITHS_FMS \"99999\" R5\nmcu MCU HOLD\ncdu SMITHS_FMS HOLD L6 L4 L6",
        // A hold leg length of 99999 NM typed on RTE HOLD.
        "mcu MCU DIRTO ENTRY\nkeyboard type \"CEDAR\"\nmcu MCU ENTER\ncdu SMITHS_FMS HOLD L2 L6\n"
        "cdu SMITHS_FMS R6\ncdu SMITHS_FMS \"99999\" R4\ncdu SMITHS_FMS RTE \"KPDXKSEA\" L2 R6\n"
        "cdu SMITHS_FMS EXEC\ncdu SMITHS_FMS HOLD\ncdu SMITHS_FMS L5",
        // A STAR put in before the approach: the destination rebuilt behind it keeps its GNS hold.
        "gns GNSXLS FPL FPL FPL R2 ENT R5 ENT\nroute load KSEAKPDX.RTE\nmcu MCU DIRTO ENTRY\n"
        "keyboard type \"UAO\"\nmcu MCU ENTER\naircraft position 45.32766 -122.75251\n"
        "gns GNSXLS C H E H A\ngns GNSXLS L2\ncdu SMITHS_FMS DEP_ARR R2 R2\ngns GNSXLS HOLD\n"
        "cdu SMITHS_FMS L1",
        // LNAV off leaves the MCU's hold while a SMITHS constraint on its fix is pending:
        // EXEC keeps both.
        "route load KSEAKYKM.PLN\nmcu MCU LNAV\ncdu SMITHS_FMS \"FL180\" L6\ncdu SMITHS_FMS \"/5000\" L3\n"
        "mcu MCU DIRTO ENTRY\nkeyboard type \"ALBNY\"\nmcu MCU ENTER\ncdu SMITHS_FMS LEGS DEL L4\n"
        "mcu MCU HOLD\ncdu SMITHS_FMS R2\nmcu MCU LNAV\ncdu SMITHS_FMS EXEC",
        // An arrival chosen for a new plan without its origin: nothing to join.
        "route load KPDXKSEA.RTE\ncdu SMITHS_FMS DEP_ARR R2 R1 L1\ncdu SMITHS_FMS EXEC\n"
        "cdu SMITHS_FMS HOLD L5 L6\ncdu SMITHS_FMS EXEC\ncdu SMITHS_FMS INIT_REF\ncdu SMITHS_FMS L6\n"
        "cdu SMITHS_FMS \"1.5\" R2\ncdu SMITHS_FMS L4\ncdu SMITHS_FMS DEP_ARR R2 R5\ncdu SMITHS_FMS EXEC",
        // A GNS direct-to that lengthens the flown plan keeps the last entry's id, and its hold.
        "route load KSEAKYKM.PLN\nmcu MCU LNAV\nroute load KSEAKPDX.RTE\nmcu MCU PREV\nmcu MCU HOLD\n"
        "gns GNSXLS DIRECT L5 ENT",
        // A plan the GNS activated, then a SID chosen at its origin: EXEC keeps the SID, the
        // origin's detail being the one loaded.
        "cdu SMITHS_FMS DEP_ARR R2\ngns GNSXLS FPL FPL FPL R2 ENT R5 ENT\ngns GNSXLS FPL FPL FPL R2 ENT R5 "
        "ENT\n"
        "cdu SMITHS_FMS L1\ncdu SMITHS_FMS \"PAE\" R2\nmcu MCU DIRTO ENTRY\nkeyboard type \"NISQL\"\n"
        "mcu MCU ENTER\naircraft altitude 433\naircraft speed 0\ncdu SMITHS_FMS L1\ncdu SMITHS_FMS EXEC",
        // A STAR transition that begins where the SID ends, parked after a direct-to: one fix
        // for both, and no en-route part between them.
        "route load KSEAKPDX.RTE\nmcu MCU DIRTO ENTRY\nkeyboard type \"YYJ\"\nmcu MCU ENTER\n"
        "cdu SMITHS_FMS DEL\ncdu SMITHS_FMS RTE NEXT \"J1\" L1\naircraft altitude 433\naircraft speed 0\n"
        "cdu SMITHS_FMS DEP_ARR L1\ncdu SMITHS_FMS L3\ncdu SMITHS_FMS DEP_ARR R2\ncdu SMITHS_FMS L1\n"
        "cdu SMITHS_FMS R5\ncdu SMITHS_FMS R3\ncdu SMITHS_FMS L3",
        // An approach chosen parked, let go by a runway while rolling, then another runway parked:
        // its legs go with it.
        "route load KPDXKSEA.RTE\ncdu SMITHS_FMS L\ngns GNSXLS DIRECT\naircraft position 45.53529 "
        "-122.50555\n"
        "gns GNSXLS DIRECT L1 ENT\ncdu SMITHS_FMS INIT_REF L6 \"HUNT3\" R6\nmcu MCU FPLN NEXT NEXT ENTER\n"
        "frames 2\nmcu MCU FPLN NEXT ENTER\naircraft altitude 433\naircraft speed 0\ncdu SMITHS_FMS DEP_ARR "
        "R2\n"
        "cdu SMITHS_FMS R1\naircraft speed 250\ncdu SMITHS_FMS DEP_ARR R2\ncdu SMITHS_FMS R5\n"
        "aircraft speed 0\ncdu SMITHS_FMS \"KSLE\" R3",
        // A stored route loaded as a change, then erased by the GNS: the flown plan's arrival
        // comes back whole, its runway with its approach.
        "route load KSEAKYKM.PLN\ncdu SMITHS_FMS INIT_REF L6 \"HUNT3\" R6\nmcu MCU FPLN\n"
        "route load KSEAKPDX.RTE\ncdu SMITHS_FMS INIT_REF L6 R2 L4\ngns GNSXLS DIRECT\n"
        "cdu SMITHS_FMS DEP_ARR R2\ncdu SMITHS_FMS L2",
        // A new destination over a STAR a pilot's fix split: the legs before that fix go too.
        "route load KSEAKPDX.RTE\ncdu SMITHS_FMS LEGS\ncdu SMITHS_FMS \"VANTG\" L5\n"
        "cdu SMITHS_FMS HOLD L6 L4 L6\ncdu SMITHS_FMS L5\ncdu SMITHS_FMS RTE\ncdu SMITHS_FMS \"KHIO\" R1",
        // GNS DIRECT over a route still to be activated: the view brings the flown plan's choices.
        "cdu SMITHS_FMS RTE \"KOLM\" R1\ncdu SMITHS_FMS \"KPDXKSEA\" R2\ncdu SMITHS_FMS \"MONTS\" L2\n"
        "cdu SMITHS_FMS DEP_ARR R2 R4 L4\ncdu SMITHS_FMS \"MALLE\" L3\ngns GNSXLS DIRECT \"KTIW\" ENT ENT "
        "ENT",
        // A STAR, then a SID chosen parked after an MCU direct-to the field: the en-route part stays.
        "route load KSEAKPDX.RTE\nmcu MCU DIRTO ENTRY\nkeyboard type \"KPDX\"\nmcu MCU ENTER\n"
        "cdu SMITHS_FMS DEP_ARR R2\ncdu SMITHS_FMS R5\naircraft altitude 433\naircraft speed 0\n"
        "cdu SMITHS_FMS DEP_ARR L1\ncdu SMITHS_FMS L1\ncdu SMITHS_FMS R1\ncdu SMITHS_FMS L3",
        // A STAR after a route that ends in a gap (an airway without its exit): the gap is the
        // route's, in front of the STAR.
        "cdu SMITHS_FMS RTE \"KPDXKSEA\" L2 R6\ncdu SMITHS_FMS EXEC\nmcu MCU DIRTO ENTRY\n"
        "keyboard type \"SEA\"\nmcu MCU ENTER\ncdu SMITHS_FMS RTE NEXT \"V2\" L2\ncdu SMITHS_FMS EXEC\n"
        "cdu SMITHS_FMS DEP_ARR R2 R4 L4\naircraft altitude 433\naircraft speed 0\ncdu SMITHS_FMS L3",
        // A GNS direct-to inside the STAR, then an approach for another runway: the new legs go
        // on after the STAR's fixes passed, across the direct leg's start.
        "route load KPDXKSEA.RTE\ncdu SMITHS_FMS DEP_ARR R2\ncdu SMITHS_FMS L2\ncdu SMITHS_FMS L2\n"
        "cdu SMITHS_FMS R4\ncdu SMITHS_FMS EXEC\ncdu SMITHS_FMS HOLD L5 L6\ncdu SMITHS_FMS EXEC\n"
        "gns GNSXLS DIRECT \"DOTTY\" ENT ENT ENT\ncdu SMITHS_FMS DEL\ncdu SMITHS_FMS L3\n"
        "cdu SMITHS_FMS DEP_ARR R2\ncdu SMITHS_FMS R1",
        // A STAR chosen with the TO on a hold's fix put in after a GNS direct-to the field: the
        // new legs follow the TO.
        "route load KSEAKPDX.RTE\ngns GNSXLS DIRECT \"KPDX\" ENT ENT ENT\ncdu SMITHS_FMS HOLD L6 L3 L6\n"
        "cdu SMITHS_FMS \"FOXXE\" R6\ncdu SMITHS_FMS EXEC\ncdu SMITHS_FMS DEP_ARR R2\ncdu SMITHS_FMS L2",
        // Another runway's approach with the TO on the approach, a gap behind the STAR passed:
        // the new legs stand where the TO was.
        "route load KPDXKSEA.RTE\nmcu MCU DIRTO ENTRY\nkeyboard type \"KSEA\"\nmcu MCU ENTER\n"
        "aircraft altitude 433\naircraft speed 0\ncdu SMITHS_FMS DEP_ARR R2 R2 L2\ncdu SMITHS_FMS EXEC\n"
        "gns GNSXLS DIRECT L4 ENT\ncdu SMITHS_FMS \"99999\" R2\ncdu SMITHS_FMS EXEC\naircraft speed 250\n"
        "cdu SMITHS_FMS DEP_ARR R2\ncdu SMITHS_FMS R1",
        // The MCU loads a plan from another origin after the GNS activated one, and the GNS
        // DEPARTURE page is opened: the SMITHS DEPARTURES still lists the plan's origin.
        "gns GNSXLS FPL FPL FPL R2 ENT R5 ENT\ngns GNSXLS FPL FPL FPL R2 ENT R5 ENT\n"
        "mcu MCU FPLN NEXT NEXT ENTER\ngns GNSXLS NAV FPL L4 L4 ENT\ngns GNSXLS R1\ngns GNSXLS ENT\n"
        "aircraft altitude 433\naircraft speed 0\ncdu SMITHS_FMS DEP_ARR L1\ncdu SMITHS_FMS L1\n"
        "cdu SMITHS_FMS EXEC",
        // A STAR chosen on a change that put a hold and an airway's gap before the TO: the legs
        // flown stay as they were.
        "route load KSEAKPDX.RTE\ncdu SMITHS_FMS \"V23\" R1\ncdu SMITHS_FMS HOLD L4 L6\ncdu SMITHS_FMS R6\n"
        "cdu SMITHS_FMS RTE NEXT \"J1\" L2\ncdu SMITHS_FMS \"CHINS\" R3\ncdu SMITHS_FMS DEP_ARR R2\n"
        "cdu SMITHS_FMS EXEC",
        // The MCU loads a stored route over one whose approach the pilot changed: the file's
        // approach is the plan's, on APPROACH REF too.
        "mcu MCU FPLN NEXT ENTER\nkeyboard type \"GLASR\"\ncdu SMITHS_FMS DEP_ARR R2\ncdu SMITHS_FMS R2\n"
        "cdu SMITHS_FMS EXEC\nmcu MCU FPLN ENTER\ncdu SMITHS_FMS NEXT\ncdu SMITHS_FMS LEGS\n"
        "cdu SMITHS_FMS LEGS DEL L1\ncdu SMITHS_FMS EXEC",
        // A route typed but not yet activated, an MCU direct-to meanwhile, then ACTIVATE and EXEC:
        // the route starts at its first leg.
        "cdu SMITHS_FMS RTE \"KOLM\" L1 \"KPDX\" R1 NEXT \"ELMAA\" R1 \"CLATS\" R2\nmcu MCU DIRTO ENTRY\n"
        "keyboard type \"KPDX\"\nmcu MCU ENTER\ncdu SMITHS_FMS R6\ncdu SMITHS_FMS EXEC",
        // A stored plan the GNS read while the route was flown, then an approach chosen on
        // ARRIVALS: the approach chosen is the one APPROACH REF shows after EXEC.
        "route load KSEAKYKM.PLN\ncdu SMITHS_FMS INIT_REF L6 \"HUNT2\" R6\ncdu SMITHS_FMS \"/5000\"\n"
        "mcu MCU FPLN NEXT ENTER\ngns GNSXLS FPL FPL FPL R3 ENT R5 ENT\ncdu SMITHS_FMS R2\ngns GNSXLS L3\n"
        "cdu SMITHS_FMS L5\ncdu SMITHS_FMS INIT_REF L6 R2 L4\ncdu SMITHS_FMS DEP_ARR R2 R3 L3\n"
        "cdu SMITHS_FMS EXEC\ngns GNSXLS ENT\ngns GNSXLS FPL FPL FPL R3 ENT R5 ENT\n"
        "cdu SMITHS_FMS DEP_ARR R2 R1\ncdu SMITHS_FMS EXEC",
        // A plan the GNS activated, a SID chosen on the ground, then another runway while rolling:
        // the SID's legs follow the runway (the origin kept as the entry flown from).
        "aircraft altitude 433\naircraft speed 0\nroute load KPDXKSEA.RTE\n"
        "gns GNSXLS FPL FPL FPL R3 ENT R5 ENT\naircraft position 46.58429 -120.54079\n"
        "cdu SMITHS_FMS DEP_ARR L1\ncdu SMITHS_FMS R1\ncdu SMITHS_FMS L1\naircraft speed 150\n"
        "cdu SMITHS_FMS \"10R\" R2",
        // The approach chosen again with the TO on a fix of the pilot's after a direct-to inside
        // the STAR: the new legs follow it, the pilot's fixes after it go with the old legs.
        "mcu MCU FPLN NEXT NEXT ENTER\nmcu MCU DIRTO\nmcu MCU FPLN\nmcu MCU PREV\nmcu MCU ENTER\n"
        "gns GNSXLS DIRECT \"TROUT\" ENT ENT ENT\ngns GNSXLS DIRECT L5 ENT\ncdu SMITHS_FMS HOLD L2 L6\n"
        "cdu SMITHS_FMS \"KEUG\" R6\ncdu SMITHS_FMS LEGS\ncdu SMITHS_FMS F\ncdu SMITHS_FMS O\n"
        "cdu SMITHS_FMS X\ncdu SMITHS_FMS X\ncdu SMITHS_FMS E\ncdu SMITHS_FMS L1\ncdu SMITHS_FMS DEP_ARR R2 R1",
        // The GNS ARRIVAL page of the flown plan opened while the SMITHS holds another destination's
        // plan as a change: it lists the flown plan's destination, and keeps it.
        "route load KSEAKYKM.PLN\ncdu SMITHS_FMS INIT_REF L6 \"HUNT3\" R6\nmcu MCU FPLN NEXT NEXT ENTER\n"
        "cdu SMITHS_FMS INIT_REF L6 \"HUNT2\" R6\ncdu SMITHS_FMS L5\ncdu SMITHS_FMS R3\n"
        "mcu MCU FPLN NEXT NEXT ENTER\ncdu SMITHS_FMS INIT_REF L6 R2 L4\ngns GNSXLS NAV FPL L5 ENT\n"
        "gns GNSXLS ENT\ngns GNSXLS L3 ENT\ngns GNSXLS ENT",
        // EXEC on ARRIVALS of a change with an airway typed before the TO and left without its exit:
        // the gap EXEC makes of it is no procedure choice.
        "aircraft position 46.81212 -120.47206\nroute load KSEAKYKM.PLN\ngns GNSXLS DIRECT L2 ENT\n"
        "aircraft position 47.27964 -121.58883\ncdu SMITHS_FMS DIR L2 L6\ncdu SMITHS_FMS EXEC\n"
        "route load KSEAKYKM.PLN\ncdu SMITHS_FMS R1\ncdu SMITHS_FMS R2\ncdu SMITHS_FMS L1\ncdu SMITHS_FMS L4\n"
        "cdu SMITHS_FMS RTE NEXT \"V23\" L2\ncdu SMITHS_FMS DEP_ARR R2 R1 L1\ncdu SMITHS_FMS EXEC",
        // With no route, GNS direct-tos then an MCU direct-to, then an approach chosen on the SMITHS:
        // it builds on the plan the MCU's direct-to made.
        "cdu SMITHS_FMS RTE \"KSEA\" R1\ngns GNSXLS DIRECT L4 ENT\ngns GNSXLS DIRECT \"OLM\" ENT ENT ENT\n"
        "mcu MCU DIRTO ENTRY\nkeyboard type \"CHEHA\"\nmcu MCU ENTER\ncdu SMITHS_FMS DEP_ARR R2\ncdu SMITHS_FMS R1",
        // A STAR chosen on the GNS for the plan pending after the stored plan it had open there was
        // closed: the plan's choices are the ones its legs fly.
        "gns GNSXLS R2\ngns GNSXLS ENT\ncdu SMITHS_FMS DEP_ARR R2\ncdu SMITHS_FMS L1\ncdu SMITHS_FMS L2\n"
        "gns GNSXLS FPL L2\ngns GNSXLS FPL\ngns GNSXLS FPL\ngns GNSXLS DIRECT L5 ENT\n"
        "gns GNSXLS DIRECT L4 ENT\ngns GNSXLS DIRECT L2 ENT\ngns GNSXLS ENT",
        // A stored route with its approach loaded as a change: the approach comes with its legs.
        "cdu SMITHS_FMS \"KSEAKPDX\" L3\nroute load KSEAKYKM.PLN\ncdu SMITHS_FMS RTE\ncdu SMITHS_FMS L2\n"
        "cdu SMITHS_FMS DEP_ARR R2\ncdu SMITHS_FMS EXEC",
        // A route put in place in the air over one that began at its destination: flown from its
        // first leg, not from its end, so that a later arrival does not take its legs as flown.
        "route load KPDXKSEA.RTE\ngns GNSXLS FPL FPL FPL R2 ENT R5 ENT\nroute load KSEAKPDX.RTE\n"
        "gns GNSXLS L2\ngns GNSXLS ERASE\ngns GNSXLS ENT\ncdu SMITHS_FMS DEP_ARR R2 R2",
        // A stored plan with its STAR and approach loaded over another route, then executed: the
        // choices that built its legs come with it.
        "cdu SMITHS_FMS \"MONTS\" R1\nroute load KSEAKPDX.RTE\ncdu SMITHS_FMS INIT_REF L6 \"HUNT1\" R6\n"
        "route load KPDXKSEA.RTE\nmcu MCU FPLN\ncdu SMITHS_FMS INIT_REF L6 R2 L4\n"
        "gns GNSXLS NAV FPL L5 L5 ENT\ncdu SMITHS_FMS DEP_ARR L1\ncdu SMITHS_FMS EXEC",
        // A direct-to an approach fix, the arrival changed parked so that the fix went and came
        // back with the approach, then a STAR chosen on the roll: the fix is still the TO, and the
        // STAR's legs before it are left as they are.
        "route load KSEAKPDX.RTE\ngns GNSXLS DIRECT \"ROSIE\" ENT ENT ENT\naircraft altitude 433\n"
        "aircraft speed 0\ncdu SMITHS_FMS DEP_ARR R2\ncdu SMITHS_FMS R5\ncdu SMITHS_FMS L2\n"
        "aircraft speed 250\ncdu SMITHS_FMS DEP_ARR R2\ncdu SMITHS_FMS R1\ncdu SMITHS_FMS L1",
        // A SID put in front of a direct-to taken on the ground, its runway changed on the roll:
        // the origin written over the direct-to's start stays the FROM, so the SID is rebuilt ahead.
        "gns GNSXLS FPL L2\ngns GNSXLS FPL FPL FPL R3 ENT R5 ENT\naircraft altitude 433\naircraft speed 0\n"
        "mcu MCU DIRTO ENTRY\nkeyboard type \"ALBNY\"\nmcu MCU ENTER\ncdu SMITHS_FMS DEP_ARR L1\n"
        "cdu SMITHS_FMS L2\ncdu SMITHS_FMS R1\naircraft speed 250\ncdu SMITHS_FMS R2",
        // A GNS ARRIVAL field typed in and erased, then a route loaded over the plan: the page
        // closes, and the new destination's transitions never fill the field under the old one.
        "route load KSEAKYKM.PLN\ngns GNSXLS L2\ngns GNSXLS NAV FPL L5 ENT\ngns GNSXLS S\n"
        "gns GNSXLS ERASE\nroute load KPDXKSEA.RTE\nframes 3",
        // EXEC of a new plan still empty, refused while the aircraft reaches the flown route's end.
        "mcu MCU FPLN\nmcu MCU NEXT\nmcu MCU FPLN NEXT ENTER\ncdu SMITHS_FMS \"ISSAQ\" R4\n"
        "gns GNSXLS DIRECT L3 ENT\ngns GNSXLS DIRECT L5 ENT\nmcu MCU LNAV\n"
        "aircraft position 46.56910 -120.62741\naircraft heading 91\nframes 45\n"
        "cdu SMITHS_FMS \"LAKEW\"\ngns GNSXLS 1\ngns GNSXLS FPL L2\ngns GNSXLS K\ncdu SMITHS_FMS Z\n"
        "gns GNSXLS O\ncdu SMITHS_FMS O\ngns GNSXLS R\ncdu SMITHS_FMS S\ngns GNSXLS R\ncdu SMITHS_FMS I\n"
        "gns GNSXLS Y\ncdu SMITHS_FMS M\ncdu SMITHS_FMS L1\nframes 2\ngns GNSXLS PREV\n"
        "cdu SMITHS_FMS R5\ngns GNSXLS L3\ncdu SMITHS_FMS RTE\ncdu SMITHS_FMS \"CYVR\" R2\nframes 2\n"
        "cdu SMITHS_FMS INIT_REF L6 R2 L4\n"
        "cdu SMITHS_FMS RTE \"KOLM\" L1 \"KYKM\" R1 NEXT \"KYKM\" R1 \"KYKM\" R2\ncdu SMITHS_FMS EXEC",
        // A STAR chosen in front of the flown approach, whose gap was the
        // FROM, then its transition: the gap the rebuild writes anew at the
        // same spot is no FROM, so the STAR goes in once, not three times.
        "route load KSEAKPDX.RTE\ngns GNSXLS STAR\nroute load KPDXKSEA.RTE\naircraft altitude 433\n"
        "aircraft speed 0\ncdu SMITHS_FMS DEP_ARR R2\ncdu SMITHS_FMS R3\ncdu SMITHS_FMS R2\ncdu SMITHS_FMS EXEC\n"
        "cdu SMITHS_FMS \"MONTS\" L2\naircraft speed 250\ngns GNSXLS NAV FPL L5 ENT\ncdu SMITHS_FMS PREV\n"
        "cdu SMITHS_FMS L3",
        // An approach executed, then another chosen on the GNS's flown plan, then
        // a LEGS change executed: APPROACH REF names the GNS's approach.
        "route load KPDXKSEA.RTE\ncdu SMITHS_FMS DEP_ARR R2 R4 L4\ncdu SMITHS_FMS EXEC\n"
        "gns GNSXLS NAV FPL L5 L5 ENT\ngns GNSXLS ENT\ngns GNSXLS ENT\ngns GNSXLS L4\ngns GNSXLS ENT\n"
        "gns GNSXLS L3 ENT\ngns GNSXLS ENT\ncdu SMITHS_FMS LEGS DEL L4\ncdu SMITHS_FMS EXEC",
        // An approach executed and flown (the MCU stepped its TO back from the first fix to the
        // field), then a STAR for another runway chosen on the GNS, a LEGS change executed: the
        // approach is let go, its flown legs stay, and APPROACH REF names none.
        "mcu MCU FPLN NEXT ENTER\ncdu SMITHS_FMS RTE \"KPDX\" L1 \"KPDX\" R1 NEXT \"SANDY\" R1\n"
        "cdu SMITHS_FMS \"SANDY\" R2\ncdu SMITHS_FMS EXEC\ncdu SMITHS_FMS DEP_ARR R2\ncdu SMITHS_FMS R1\n"
        "cdu SMITHS_FMS EXEC\nmcu MCU PREV\n"
        "gns GNSXLS NAV FPL L5 ENT\ngns GNSXLS ENT\ngns GNSXLS L4 ENT\ngns GNSXLS ENT\n"
        "cdu SMITHS_FMS LEGS DEL L1\ncdu SMITHS_FMS EXEC",
        // A fix deleted on LEGS beside a discontinuity, then an approach whose
        // runway lets the STAR go: one discontinuity stands before it, not two.
        "route load KPDXKSEA.RTE\ngns GNSXLS DIRECT L1 ENT\ncdu SMITHS_FMS LEGS DEL L3\n"
        "cdu SMITHS_FMS LEGS DEL L5\ncdu SMITHS_FMS DEP_ARR R2\ncdu SMITHS_FMS L3\ncdu SMITHS_FMS LEGS DEL L4\n"
        "cdu SMITHS_FMS EXEC\ngns GNSXLS DIRECT L2 ENT\ncdu SMITHS_FMS DEP_ARR R2 R4",
        // EXEC on DEPARTURES of a new plan with nothing to fly yet: refused,
        // the flown plan stays as it was.
        "route load KSEAKPDX.RTE\ngns GNSXLS DIRECT L4 ENT\ngns GNSXLS DIRECT \"KPDX\" ENT ENT ENT\n"
        "cdu SMITHS_FMS RTE \"KEUG\" R1\ncdu SMITHS_FMS EXEC\ncdu SMITHS_FMS \"KPWT\" R5\ncdu SMITHS_FMS L1\n"
        "cdu SMITHS_FMS DEP_ARR L1\ncdu SMITHS_FMS EXEC"));

// The MCU's hold on the TO fix while a LEGS edit is pending: the hold is an
// edit of the flown plan, which ends the modification (said on the SMITHS);
// the hold stays on its fix through EXEC.
TEST_F(PlanStateScripts, AnMcuHoldDuringAnEditStaysOnItsFixThroughExec) {
    ASSERT_EQ(script_fault(lines("route load KSEAKPDX.RTE\nmcu MCU LNAV\nframes 20\n"
                                 "cdu SMITHS_FMS LEGS \"HQM\" L1\nmcu MCU HOLD")),
              "");
    ASSERT_EQ(hold_count(), 1);
    EXPECT_EQ(smiths_scratchpad_message, "MOD ERASED: MCU EDIT");
    EXPECT_EQ(working_plan[hold_list[1].working_index()].ident, "FOXXE");
    ASSERT_EQ(script_fault(lines("cdu SMITHS_FMS EXEC")), "");
    EXPECT_EQ(active_plan[hold_list[1].active_index()].ident, "FOXXE");
    EXPECT_EQ(active_plan[2].ident, "FOXXE");
}
