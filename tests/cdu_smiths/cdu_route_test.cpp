// Building, executing and editing the example route (KSEA to KPDX over SEA
// and V23) by key presses on the RTE and RTE LEGS pages, read back from what
// the pages draw.
#include "aircraft_store.h"
#include "cdu_smiths/rte_legs_page.h"
#include "cdu_smiths/smiths_pages.h"
#include "cdu_stand_in.h"
#include "data/airport_procedures.h"
#include "data/module_settings.h"
#include "fms/files/stored_routes.h"
#include "fms/guidance/hold_flying.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/plan/entry_marks.h"
#include "fms/plan/holds.h"
#include "fms/plan/route_exec.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/plan_builder.h"
#include "fms/units/cdu_text.h"
#include "gauges/smiths_gauge.h"

#include <map>

namespace {

std::vector<std::string> idents(const RoutePlan& plan, int last) {
    std::vector<std::string> out;
    for (int i = 0; i <= last; ++i)
        out.push_back(plan[i].ident);
    return out;
}

const std::vector<std::string> kExampleRoute = {"KSEA",  "SEA",   "FOXXE", "NISQL", "OLM",
                                                "CHEHA", "TOUTL", "KELSO", "BTG",   "KPDX"};

class CduRoute : public CduStandIn {
  protected:
    // ORIGIN, DEST, then DIRECT SEA and V23 to BTG on the route rows.
    void enter_example_route() { press("RTE \"KSEA\" L1 \"KPDX\" R1 NEXT \"SEA\" R1 \"V23\" L2 \"BTG\" R2"); }
    void execute_example_route() {
        enter_example_route();
        press("R6 EXEC");
    }
    void clear_scratchpad() {
        while (!smiths_scratchpad.empty() || !smiths_scratchpad_message.empty())
            press("CLR");
    }
};

} // namespace

TEST_F(CduRoute, originDestinationWaypointsAndAnAirwayOnTheRtePage) {
    press("RTE \"KZZZ\" L1");
    EXPECT_TRUE(shows("NOT IN DATABASE"));
    EXPECT_EQ(smiths_scratchpad, "KZZZ");
    EXPECT_EQ(text_at(0, 33), "- - - - -");
    clear_scratchpad();

    press("\"KSEA\" L1 \"KPDX\" R1 \"16L\" L3");
    EXPECT_EQ(text_at(63, 0), "RTE");
    EXPECT_EQ(text_at(220, 0), " 1/ 2");
    EXPECT_EQ(text_at(0, 33), " KSEA");
    EXPECT_EQ(text_at(210, 33), " KPDX");
    EXPECT_EQ(text_at(0, 104), "16L");
    EXPECT_EQ(route_state, kRouteStateNone);

    press("NEXT \"V23\" L1");
    EXPECT_TRUE(shows("INVALID ENTRY")); // row 1 has no airway
    clear_scratchpad();
    press("\"SEA\" R1 \"V23\" L2 \"BTG\" R2");
    EXPECT_EQ(idents(working_plan, working_plan_last), kExampleRoute);
    EXPECT_EQ(text_at(0, 36), "DIRECT");
    EXPECT_EQ(text_at(0, 69), "V23");
    const gfx::RecordedOp* to = op_of_text("BTG");
    ASSERT_NE(to, nullptr);
    EXPECT_EQ(to->world_rect.x, 280.0f - 48.0f); // right-aligned to x 280
    EXPECT_EQ(to->world_rect.y, 69.0f);
    EXPECT_EQ(to->color, 0xFF00FA00u);
    EXPECT_EQ(text_at(0, 102), "- - - - - -"); // the entry row
    EXPECT_EQ(route_state, kRouteStateEntered);
    EXPECT_EQ(text_at(160, 202), "ACTIVATE >");

    // ACTIVATE lights the EXEC lamp; EXEC makes the route active and puts it out.
    EXPECT_FALSE(lamp_lit(kSmithsExecLamp));
    press("R6");
    frames(1);
    EXPECT_EQ(route_state, kRouteStateActivated);
    EXPECT_TRUE(lamp_lit(kSmithsExecLamp));
    press("EXEC");
    frames(1);
    EXPECT_EQ(route_state, kRouteStateActive);
    EXPECT_FALSE(lamp_lit(kSmithsExecLamp));
    EXPECT_EQ(idents(active_plan, active_plan_last), kExampleRoute);
    EXPECT_EQ(text_at(18, 0), "ACT");
    EXPECT_EQ(text_at(160, 202), "PERF INIT >");
}

TEST_F(CduRoute, rowsMapToTheirOwnWaypointsAfterAnAirwayRow) {
    enter_example_route();
    press("\"UBG\" R3 \"EUG\" R4");
    ASSERT_EQ(route_rows_last, 4);
    EXPECT_EQ(text_at(220, 0), " 2/ 2");

    // EUG typed on row 3 removes only UBG, not the airway's fixes before it.
    press("\"EUG\" R3");
    std::vector<std::string> expected = kExampleRoute;
    expected.insert(expected.end() - 1, "EUG");
    EXPECT_EQ(idents(working_plan, working_plan_last), expected);
    // A TO key with an empty scratchpad copies that row's TO down.
    press("R2");
    EXPECT_EQ(smiths_scratchpad, "BTG");
    press("R2");
    EXPECT_TRUE(shows("INVALID ENTRY")); // the row's own TO
    clear_scratchpad();

    // Deleting an airway row takes its fixes; a TO cannot be deleted.
    press("DEL R2");
    EXPECT_TRUE(shows("INVALID DELETE"));
    press("DEL L2");
    EXPECT_EQ(idents(working_plan, working_plan_last),
              (std::vector<std::string>{"KSEA", "SEA", "EUG", "KPDX"}));
    // Keys beside the blank rows past the entry row take nothing.
    press("\"OLM\" R5");
    EXPECT_TRUE(shows("INVALID ENTRY"));
    EXPECT_EQ(working_plan_last, 3);
}

TEST_F(CduRoute, legsListingAndEditsOfTheActiveRoute) {
    execute_example_route();
    press("LEGS");
    EXPECT_EQ(text_at(63, 0), "RTE    LEGS");
    EXPECT_EQ(text_at(20, 0), "ACT");
    EXPECT_EQ(text_at(220, 0), " 1 /  2");
    // The TO waypoint in inverse video, the rows below it green.
    const gfx::RecordedOp* to = op_of_text("SEA  ");
    ASSERT_NE(to, nullptr);
    EXPECT_EQ(to->color, 0xFF000000u);
    EXPECT_EQ(text_at(0, 66), "FOXXE");
    EXPECT_EQ(text_at(0, 165), "CHEHA");
    EXPECT_EQ(text_at(100, 55), "   12 NM");

    // A new waypoint before FOXXE, with a discontinuity behind it.
    press("\"PAE\" L2");
    EXPECT_EQ(route_state, kRouteStateActiveModified);
    EXPECT_EQ(working_plan[2].ident, "PAE");
    EXPECT_EQ(working_plan[3].ident, "DISCO");
    frames(1); // the title of the frame that took the entry was drawn before it
    EXPECT_TRUE(shows("MOD"));
    EXPECT_TRUE(shows("T H E N"));
    EXPECT_EQ(text_at(0, 198), "< ERASE");
    EXPECT_TRUE(lamp_lit(kSmithsExecLamp));
    press("L6"); // ERASE
    EXPECT_EQ(route_state, kRouteStateActive);
    EXPECT_EQ(idents(working_plan, working_plan_last), kExampleRoute);

    // Direct to OLM further down: the legs in between go.
    press("LEGS \"OLM\" L2");
    EXPECT_EQ(idents(working_plan, working_plan_last),
              (std::vector<std::string>{"KSEA", "SEA", "OLM", "CHEHA", "TOUTL", "KELSO", "BTG", "KPDX"}));
    // A constraint on CHEHA, shown as a flight level with the pilot's "A".
    press("\"250/FL350\" R3");
    EXPECT_EQ(working_plan[3].alt_constraint, 35000.0);
    EXPECT_EQ(text_at(150, 99), "  250");
    EXPECT_TRUE(shows("FL350A"));
    // R3 with an empty scratchpad copies the constraint back.
    press("R3");
    EXPECT_EQ(smiths_scratchpad, "250/35000");
    clear_scratchpad();
    // DELETE: TOUTL (in the middle) becomes a discontinuity, the destination
    // cannot be deleted.
    press("DEL L4");
    EXPECT_EQ(working_plan[4].ident, "DISCO");
    press("EXEC");
    EXPECT_EQ(route_state, kRouteStateActive);
    EXPECT_EQ(active_plan[4].ident, "DISCO");
    press("LEGS NEXT");
    frames(1);
    EXPECT_EQ(text_at(220, 0), " 2 /  2");
    press("DEL L3");
    EXPECT_TRUE(shows("INVALID DELETE"));
}

TEST_F(CduRoute, directToAndHoldNeedAnActiveRouteAndRowsWithinThePlan) {
    // Entered and activated without a destination: no TO waypoint yet.
    press("RTE \"KSEA\" L1 NEXT \"SEA\" R1 R6");
    ASSERT_EQ(route_state, kRouteStateActivated);
    ASSERT_EQ(to_waypoint_index, kNoToWaypoint);
    press("DIR \"OLM\" L6");
    EXPECT_TRUE(shows("NO ACTIVE ROUTE"));
    clear_scratchpad();
    press("HOLD R6"); // PPOS
    EXPECT_TRUE(shows("NO ACTIVE ROUTE"));
    EXPECT_EQ(working_plan_last, 2);

    // An empty plan: no sub-page, and PREV keeps sub-page 1.
    set_working_last(-1);
    route_state = kRouteStateEntered;
    clear_scratchpad();
    press("LEGS PREV");
    EXPECT_EQ(smiths_legs_subpage, 1);
    EXPECT_EQ(text_at(220, 0), " 1 /  0"); // an empty plan has no sub-page
    EXPECT_EQ(text_at(0, 30), "- - - - - -");
}

// A fresh unit's LEGS page: sub-page 1 of none, only the end line.
TEST_F(CduRoute, legsOfNoPlanReadOneOfNone) {
    press("LEGS");
    EXPECT_EQ(text_at(220, 0), " 1 /  0");
    EXPECT_EQ(text_at(0, 30), "- - - - - -");
}

// In flight, DELETE on the TO row leaves a gap where the TO was: the MOD
// page opens on the gap's THEN row, and the fix typed there closes it.
TEST_F(CduRoute, legsShowTheGapLeftByDeletingTheToWhereThePilotClosesIt) {
    execute_example_route();
    // North of SEA, southbound at 5000 ft: SEA is passed, FOXXE is the TO.
    host::AircraftModel& m = host::aircraft();
    m.lat_deg = 47.47;
    m.lon_deg = -122.31;
    m.altitude_ft = 5000.0;
    m.ias_kt = 250.0;
    m.true_heading_deg = 180.0;
    host::start_aircraft();
    SequenceFPlanWpts = 1;
    frames(60);
    ASSERT_EQ(active_plan[to_waypoint_index].ident, "FOXXE");

    press("LEGS DEL L1");
    ASSERT_EQ(working_plan[2].ident, "DISCO");
    EXPECT_EQ(text_at(220, 0), " 1 /  2");
    EXPECT_EQ(text_at(5, 19), "T H E N");
    EXPECT_EQ(text_at(0, 66), "NISQL");
    // The fix after the gap closes it; another fix goes in before the gap,
    // and either is the first row shown.
    struct Row {
        const char* typed;
        std::vector<std::string> plan;
    };
    const Row rows[] = {{"NISQL", {"KSEA", "SEA", "NISQL", "OLM"}},
                        {"PAE", {"KSEA", "SEA", "PAE", "DISCO", "NISQL"}}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.typed);
        press(std::string("L6 LEGS DEL L1 \"") + r.typed + "\" L1");
        EXPECT_EQ(idents(working_plan, static_cast<int>(r.plan.size()) - 1), r.plan);
        std::string first_row = text_at(0, 33);
        first_row.erase(first_row.find_last_not_of(' ') + 1);
        EXPECT_EQ(first_row, r.typed);
    }
}

TEST_F(CduRoute, legsKeysBesideRowsPastTheDestinationAreRefused) {
    press("RTE \"KSEA\" L1 \"KPDX\" R1 NEXT \"SEA\" R1 R6 EXEC LEGS");
    ASSERT_EQ(idents(working_plan, working_plan_last), (std::vector<std::string>{"KSEA", "SEA", "KPDX"}));
    press("\"OLM\" L4 \"120\" R5");
    EXPECT_TRUE(shows("INVALID ENTRY"));
    EXPECT_EQ(working_plan_last, 2);
    EXPECT_EQ(route_state, kRouteStateActive);
    // Beside the end line (the destination) a waypoint goes in before it.
    clear_scratchpad();
    press("\"OLM\" L2");
    EXPECT_EQ(idents(working_plan, working_plan_last),
              (std::vector<std::string>{"KSEA", "SEA", "OLM", "KPDX"}));

    // DIR: the row picked with an empty scratchpad becomes the direct-to
    // waypoint, its inbound course the intercept course.
    press("EXEC DIR L2 L6");
    EXPECT_EQ(direct_to_entered, 1);
    EXPECT_EQ(route_state, kRouteStateActiveModified);
    EXPECT_GT(working_plan[2].course, 0.0);
    EXPECT_TRUE(shows("I N T C    C R S") ||
                shows(". . . . . . . . . . . . . . . . . . . . . . . I N T C    C R S"));
    press("\"200\" R6");
    EXPECT_EQ(working_plan[2].course, 200.0);
    EXPECT_TRUE(shows("200\xC2\xB0")); // drawn as 200 and the degree sign
}

TEST_F(CduRoute, destinationEntriesKeepWhatIsAlreadyThere) {
    // Entered after the first waypoint, the destination keeps it.
    press("RTE \"KSEA\" L1 NEXT \"SEA\" R1 PREV \"KPDX\" R1");
    EXPECT_EQ(idents(working_plan, working_plan_last), (std::vector<std::string>{"KSEA", "SEA", "KPDX"}));
    // An unknown destination leaves the loaded one in its slot.
    press("\"KZZZ\" R1");
    EXPECT_TRUE(shows("NOT IN DATABASE"));
    EXPECT_EQ(airport_slots[destination_slot].airport_ident, "KPDX");
    EXPECT_GT(airport_slots[destination_slot].runways.count(), 0);
    clear_scratchpad();

    // On the executed example plan a new destination replaces the STAR legs
    // and the airport, and the route is modified (state 4), shown inverse.
    const int k = [] {
        for (int i = 1; i <= stored_routes.count(); ++i)
            if (stored_routes[i].name == "KSEAKPDX.RTE") return i;
        return 0;
    }();
    ASSERT_GT(k, 0);
    ASSERT_LE(k, 5);
    smiths_cdu_page = kPageStoredFpls;
    smiths_fpl_subpage = 1;
    press("L" + std::to_string(k) + " EXEC");
    ASSERT_EQ(route_state, kRouteStateActive);
    ASSERT_EQ(active_plan[6].kind, "STAR");
    press("RTE \"KYKM\" R1");
    EXPECT_EQ(route_state, kRouteStateActiveModified);
    EXPECT_EQ(idents(working_plan, working_plan_last),
              (std::vector<std::string>{"KSEA", "SEA", "FOXXE", "NISQL", "OLM", "KYKM"}));
    frames(1);
    const gfx::RecordedOp* destination = op_of_text("KYKM");
    ASSERT_NE(destination, nullptr);
    EXPECT_EQ(destination->color, 0xFF000000u);
    // ERASE keeps the executed destination; after EXEC the new one is the route's.
    press("DEP_ARR");
    EXPECT_EQ(text_at(90, 66), "KPDX");
    press("RTE EXEC");
    frames(1);
    EXPECT_EQ(text_at(210, 33), " KYKM");
    press("DEP_ARR");
    EXPECT_EQ(text_at(90, 66), "KYKM");
}

// A constraint copied by a right key with an empty scratchpad and entered on
// another row stores the same constraint there; a waypoint without both a
// speed and an altitude copies nothing.
TEST_F(CduRoute, aCopiedConstraintEntersAsItself) {
    execute_example_route();
    const struct {
        const char* entry;
        bool drop_speed; // the predictions may have put a speed there
        const char* copy;
    } rows[] = {{"250/12000", false, "250/12000"},
                {"/9000", true, ""},
                {"FL350", true, ""},
                {"310/FL240", false, "310/24000"}};
    for (const auto& row : rows) {
        press(std::string("LEGS \"") + row.entry + "\" R2");
        if (row.drop_speed) plan_marks = PlanMarks{}; // no predicted speed shown
        press("R2");
        EXPECT_EQ(smiths_scratchpad, row.copy) << row.entry;
        if (smiths_scratchpad.empty()) {
            press("L6"); // ERASE
            continue;
        }
        press("R3");
        EXPECT_TRUE(smiths_scratchpad_message.empty()) << row.entry << ": " << smiths_scratchpad_message;
        EXPECT_EQ(working_plan[3].alt_constraint, working_plan[2].alt_constraint) << row.entry;
        EXPECT_EQ(working_plan[3].altitude_kind, AltitudeKind::Pilot) << row.entry;
        if (!row.drop_speed) {
            EXPECT_EQ(working_plan[3].speed_constraint, working_plan[2].speed_constraint) << row.entry;
        }
        press("L6"); // ERASE
        clear_scratchpad();
    }
    // Nor a speed alone.
    press("LEGS \"250/12000\" R2");
    working_entry(2).alt_constraint = -999.0;
    plan_marks = PlanMarks{};
    press("R2");
    EXPECT_EQ(smiths_scratchpad, "");
}

// DIR to a new waypoint: the intercept course lands on that waypoint, and
// LEGS pages through a modification from the entry it inserted.
TEST_F(CduRoute, directToANewWaypointTakesItsOwnInterceptCourse) {
    execute_example_route();
    press("DIR \"PAE\" L6");
    ASSERT_EQ(working_plan[1].ident, "PAE");
    EXPECT_EQ(legs_edit_index, 1);
    EXPECT_EQ(direct_to_entered, 1);
    press("\"090\" R6");
    EXPECT_EQ(working_plan[1].course, 90.0);
    EXPECT_LT(working_plan[0].course, -1.0 + 1e-9); // the origin keeps none
    EXPECT_TRUE(shows("090\xC2\xB0"));
    press("EXEC");
    EXPECT_EQ(active_plan[1].course, 90.0);
    EXPECT_LT(active_plan[0].course, -1.0 + 1e-9);

    // An inserted waypoint further down: sub-page 2 goes on five rows after
    // sub-page 1, whatever row the edit was on.
    press("LEGS \"PAE\" L3");
    ASSERT_EQ(route_state, kRouteStateActiveModified);
    ASSERT_EQ(working_plan[3].ident, "PAE");
    EXPECT_EQ(legs_edit_index, 3);
    EXPECT_EQ(text_at(0, 99).rfind("PAE", 0), 0u) << text_at(0, 99);
    press("NEXT");
    frames(1);
    EXPECT_EQ(text_at(0, 33).rfind(working_plan[6].ident, 0), 0u) << text_at(0, 33);
}

// Holds on the executed example route: walking the sub-pages with NEXT
// shows every waypoint but the destination once and each hold row once,
// wherever a hold row falls on a sub-page.
TEST_F(CduRoute, legsSubPagesListEveryWaypointAndHoldRowOnce) {
    const struct {
        const char* holds; // keys that place and execute the holds
        int hold_rows;
    } rows[] = {
        {"HOLD L2 L6 EXEC", 1},                    // FOXXE: its hold row on row 3
        {"HOLD L2 L6 EXEC HOLD L6 L5 L6 EXEC", 2}, // and one at the foot of sub-page 1
        {"HOLD L4 L6 EXEC", 1},                    // a waypoint on row 4, its hold on row 5
        {"HOLD L5 L6 EXEC", 1},                    // a waypoint on row 5, its hold opens sub-page 2
        {"HOLD L2 L6 EXEC HOLD L6 L4 L6 EXEC HOLD L6 NEXT L2 L6 EXEC", 3},
    };
    execute_example_route();
    for (const auto& row : rows) {
        clear_holds();
        press(row.holds);
        ASSERT_EQ(route_state, kRouteStateActive) << row.holds;
        press("LEGS");
        std::map<std::string, int> listed;
        int holds = 0;
        for (int page = 1; page <= smiths_legs_subpage_count; ++page) {
            for (float y = 33; y <= 165; y += 33) {
                std::string ident = text_at(0, y);
                ident.erase(ident.find_last_not_of(' ') + 1);
                if (ident.empty()) continue;
                if (text_at(20, y - 11) == "H O L D   A T")
                    ++holds;
                else
                    ++listed[ident];
            }
            press("NEXT");
        }
        EXPECT_EQ(smiths_legs_subpage, 1) << row.holds;
        EXPECT_EQ(holds, row.hold_rows) << row.holds;
        EXPECT_EQ(hold_count(), row.hold_rows) << row.holds;
        for (int i = to_waypoint_index; i < active_plan_last; ++i)
            EXPECT_EQ(listed[active_plan[i].ident], 1) << row.holds << ": " << active_plan[i].ident;
        EXPECT_EQ(listed.size(), static_cast<std::size_t>(active_plan_last - to_waypoint_index)) << row.holds;
    }
}

// A hold added in a modification, before two executed ones: RTE HOLD opens
// on it, and its sub-pages follow the route.
TEST_F(CduRoute, rteHoldSubPagesFollowTheRouteThroughAModification) {
    execute_example_route();
    press("HOLD L4 L6 EXEC HOLD L6 NEXT L2 L6 EXEC"); // OLM and TOUTL
    press("LEGS HOLD L6 L2 L6");                      // FOXXE, not executed
    ASSERT_EQ(route_state, kRouteStateActiveModified);
    ASSERT_EQ(smiths_cdu_page, kPageRteHold);
    frames(1);
    for (const char* shown : {"1 / 3 FOXXE", "2 / 3 OLM", "3 / 3 TOUTL", "1 / 3 FOXXE"}) {
        EXPECT_EQ(text_at(220, 5) + " " + text_at(0, 33), shown);
        press("NEXT");
    }
}

// PREV PAGE and NEXT PAGE in one frame: PERF INIT takes NEXT, FIX INFO and
// RTE HOLD take PREV (with three holds, PREV from 1 shows 3).
TEST_F(CduRoute, prevAndNextInOneFrameLetOneKeyWin) {
    execute_example_route();
    press("HOLD L4 L6 EXEC HOLD L6 NEXT L2 L6 EXEC LEGS HOLD L6 L2 L6 EXEC");
    ASSERT_EQ(hold_count(), 3);
    const struct {
        const char* page;
        const int* subpage;
        int shown;
    } rows[] = {{"INIT_REF", &smiths_perf_init_subpage, 2},
                {"FIX", &smiths_fix_subpage, 2},
                {"HOLD", &smiths_hold_subpage, 3}};
    for (const auto& row : rows) {
        press(row.page);
        ASSERT_EQ(*row.subpage, 1) << row.page;
        ASSERT_TRUE(host::press_cdu_key(cdu(), SmithsKey::Prev).hit);
        ASSERT_TRUE(host::press_cdu_key(cdu(), SmithsKey::Next).hit);
        frames(1);
        EXPECT_EQ(*row.subpage, row.shown) << row.page;
    }
}

TEST_F(CduRoute, aHoldAtThePresentPositionWaitsForLnavAndIsFlown) {
    execute_example_route();
    host::AircraftModel& m = host::aircraft();
    m.lat_deg = 47.30;
    m.lon_deg = -122.40;
    m.altitude_ft = 8000.0;
    m.ias_kt = 220.0;
    m.ap_master = m.ap_heading_hold = true;
    host::start_aircraft();
    SequenceFPlanWpts = 1;
    press("HOLD R6 EXEC"); // HOLD, PPOS >, EXEC with LNAV off
    frames(200);
    ASSERT_EQ(active_plan[to_waypoint_index].ident, "WPT01");
    ASSERT_EQ(hold_count(), 1);

    lnav_engaged = 1;
    int most_points = 0; // pattern points flown to
    for (int f = 0; f < 8000; ++f) {
        frames(1);
        most_points = std::max(most_points, holding_active);
    }
    EXPECT_EQ(active_plan[to_waypoint_index].ident, "WPT01");
    EXPECT_EQ(hold_armed, 1);
    EXPECT_EQ(most_points, 4); // the whole racetrack
}
