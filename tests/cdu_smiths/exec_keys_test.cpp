// EXEC and ERASE on a flown and an edited example route, by keys: what stays
// the pilot's (the TO waypoint, the chosen approach, the cost index) and what
// ERASE brings back.
#include "cdu_stand_in.h"
#include "data/airport_procedures.h"
#include "flight_demo.h"
#include "fms/files/flight_plan_folder.h"
#include "fms/files/route_file.h"
#include "fms/files/stored_routes.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/perf/speed_targets.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/plan/update_state.h"
#include "fms/published_values.h"
#include "fms/units/smiths_scratchpad.h"
#include "gauges/smiths_gauge.h"
#include "gauges/stand_in_hooks.h"
#include "platform/os.h"
#include "script.h"

#include <fstream>
#include <sstream>

namespace {

class ExecKeys : public CduStandIn {
  protected:
    // The example route without its approach line.
    void prepare_sim_folder(const std::string& root) override { write_route_without_approach(root); }
    // The example route on LNAV at 8000 ft until its TO waypoint is `to`.
    void fly_example_route_to(const std::string& to) {
        run("aircraft magvar 18\naircraft position 47.4638 -122.3079\naircraft heading 180\n"
            "aircraft altitude 433\naircraft speed 0\naircraft engines 2\naircraft ap on\n"
            "aircraft ap hdg on\naircraft ap alt on\nframes 20\n"
            "cdu SMITHS_FMS RTE \"KSEAKPDX\" L2 R6 EXEC\nframes 2\nkey 0x10337\n"
            "aircraft rate 4\naircraft speed 250\naircraft altitude 8000\nfly 40000 to " +
            to + "\n");
    }
    // The route of that company-route file executed on the ground at KSEA.
    void execute_on_the_ground(const std::string& route) {
        run("aircraft position 47.4638 -122.3079\naircraft altitude 433\naircraft speed 0\nframes 20\n");
        press("RTE \"" + route + "\" L2 R6 EXEC");
    }
    std::string to_ident() { return active_plan[to_waypoint_index].ident; }
    static std::string active_idents() {
        std::string out;
        for (int i = 0; i <= active_plan_last; ++i)
            out += (i > 0 ? " " : "") + active_plan[i].ident;
        return out;
    }
    // Picks a plan of the flight-plans folder on STORED FLIGHT PLANS.
    void pick_stored_plan(const std::string& name) {
        int k = 0;
        for (int i = 1; i <= stored_routes.count(); ++i)
            if (stored_routes[i].name == name) k = i;
        ASSERT_TRUE(k >= 1 && k <= 5) << name;
        press("INIT_REF L6 R2 L" + std::to_string(k));
    }
    // APPROACH REF's approach line, its runway line and its elevation.
    std::string approach_ref() {
        press("INIT_REF L6 L5");
        frames(1);
        return text_at(10, 156) + "|" + text_at(10, 121) + "|" + text_at(110, 172);
    }
};

} // namespace

// The TO waypoint is the same fix after an EXEC that did not delete it, also
// when entries before it went; a direct-to puts its own fix there.
struct ToRow {
    const char* keys;
    const char* to;
};

class ExecKeysTo : public ExecKeys, public ::testing::WithParamInterface<ToRow> {};

TEST_P(ExecKeysTo, theToWaypointStaysItsFixThroughExec) {
    fly_example_route_to("NISQL");
    ASSERT_EQ(to_ident(), "NISQL");
    press(GetParam().keys);
    frames(2);
    EXPECT_EQ(to_ident(), GetParam().to);
}

INSTANTIATE_TEST_SUITE_P(Edits, ExecKeysTo,
                         ::testing::Values(ToRow{"RTE NEXT DEL L1 EXEC",
                                                 "NISQL"}, // the passed DIRECT SEA row
                                           ToRow{"DIR \"OLM\" L1 EXEC", "OLM"}));

// The approach chosen on ARRIVALS is the one APPROACH REF shows and SAVE FPL
// writes after EXEC, and each new choice replaces the one before.
TEST_F(ExecKeys, theApproachChosenOnArrivalsHoldsThroughExecUntilReplaced) {
    execute_on_the_ground("NOAPP");
    const struct {
        const char* key;
        std::string approach, runway;
    } rows[] = {{"R1", "I10R", "10R"}, {"R2", "I28L", "28L"}, {"R3", "I28R", "28R"}};
    for (const auto& row : rows) {
        press(std::string("DEP_ARR R2 ") + row.key + " EXEC");
        EXPECT_EQ(approach_ref(), " " + row.approach + " " + row.runway + "|KPDX " + row.runway + "|31");
        ASSERT_TRUE(save_route_file("SAVED.RTE"));
        std::stringstream saved;
        saved << std::ifstream(os::host_path(flight_plans_folder() + "SAVED.RTE")).rdbuf();
        EXPECT_NE(saved.str().find("ApproachInfo=" + row.approach + "_" + row.runway), std::string::npos)
            << saved.str();
    }
    // A stored plan with an approach of its own, thrown away, leaves the
    // choice to a later EXEC.
    pick_stored_plan("KSEAKPDX.RTE");
    press("L6 INIT_REF \"40\" L5 EXEC");
    EXPECT_EQ(approach_ref(), " I28R 28R|KPDX 28R|31");
}

// A route loaded after KSEAKPDX (approach I10R) and saved carries only the
// approach its own file gave: none from the route it replaced.
TEST_F(ExecKeys, aSavedRouteCarriesOnlyItsOwnApproach) {
    {
        std::ofstream out(os::host_path(flight_plans_folder() + "NODEST.RTE"));
        out << "[FlightPlan]\nKSEA 47.44900 -122.30930 APT ---\nSEA 47.43540 -122.30970 VOR 116.80\n"
               "FOXXE 47.28117 -122.50845 INT ---\n";
    }
    list_flight_plans();
    const struct {
        const char* route;
        const char* approach; // the ApproachInfo line, or "" for none
    } rows[] = {{"NODEST", ""}, {"NOAPP", ""}, {"KPDXKSEA", ""}, {"KSEAKPDX", "ApproachInfo=I10R_10R"}};
    for (const auto& row : rows) {
        execute_on_the_ground("KSEAKPDX");
        press(std::string("RTE \"") + row.route + "\" L2 R6 EXEC");
        ASSERT_TRUE(save_route_file("SAVED.RTE")) << row.route;
        std::stringstream saved;
        saved << std::ifstream(os::host_path(flight_plans_folder() + "SAVED.RTE")).rdbuf();
        const std::size_t at = saved.str().find("ApproachInfo");
        EXPECT_EQ(at == std::string::npos ? std::string()
                                          : saved.str().substr(at, saved.str().find('\n', at) - at),
                  row.approach)
            << row.route;
    }
}

// A cost index entered on PERF INIT sets the speeds at EXEC, every time.
TEST_F(ExecKeys, aCostIndexChangeSetsTheSpeedsAtExec) {
    execute_on_the_ground("KSEAKPDX");
    const struct {
        const char* cost_index;
        int climb, cruise, descent;
    } rows[] = {{"40", 262, 272, 256}, {"100", 280, 290, 280}, {"0", 250, 260, 240}};
    for (const auto& row : rows) {
        if (std::string(row.cost_index) != "40")
            press(std::string("INIT_REF \"") + row.cost_index + "\" L5 EXEC");
        EXPECT_EQ(climb_speed_target, row.climb) << row.cost_index;
        EXPECT_EQ(cruise_speed_target, row.cruise) << row.cost_index;
        EXPECT_EQ(descent_speed_target, row.descent) << row.cost_index;
    }
}

// A stored plan picked and thrown away with ERASE leaves APPROACH REF on the
// active route's destination, not the stored plan's.
TEST_F(ExecKeys, eraseOfAStoredPlanBringsBackTheDestinationsRunway) {
    execute_on_the_ground("KSEAKPDX");
    EXPECT_EQ(approach_ref(), " I10R 10R|KPDX 10R|31");
    pick_stored_plan("KSEAKYKM.PLN");
    EXPECT_EQ(airport_slots[destination_slot].airport_ident, "KYKM");
    press("L6 EXEC"); // ERASE on the RTE page
    EXPECT_EQ(route_state, kRouteStateActive);
    EXPECT_EQ(approach_ref(), " I10R 10R|KPDX 10R|31");
}

// SERVER, drawn after the CDU, publishes a plan that a key changed in the
// same frame.
TEST_F(ExecKeys, serverPublishesThePlanAKeyChangedInItsFrame) {
    for (const char* keys : {"RTE \"KSEA\" L1", "\"KPDX\" R1"}) {
        press(keys);
        EXPECT_EQ(orvex_fpln_wpt_cnt, active_plan_last) << keys;
    }
    EXPECT_EQ(active_plan_last, 1);
}

// A route typed anew in the air: the flown route stays, LNAV on it, until
// EXEC puts the new one in place, flown on from where the aircraft is (past
// the fix last passed, to the fix flown to, else from the first fix); ERASE
// brings the flown one back; EXEC with nothing to fly says so. On the ground
// the origin starts a new route at once.
struct RetypeRow {
    const char* name;
    const char* keys; // NEW_FPL: NEW FPL on STORED FLIGHT PLANS
    bool in_the_air;
    int state;
    const char* active; // "flown": the route flown before the keys
    const char* to;
    bool lamp;
    const char* message;
};

void PrintTo(const RetypeRow& row, std::ostream* out) {
    *out << row.name;
}

class ExecKeysRetype : public ExecKeys, public ::testing::WithParamInterface<RetypeRow> {};

TEST_P(ExecKeysRetype, aRouteTypedAnewInTheAirIsAModificationUntilExec) {
    const RetypeRow& row = GetParam();
    if (row.in_the_air) {
        fly_example_route_to("NISQL");
        ASSERT_FALSE(standing_on_ground());
    } else {
        execute_on_the_ground("KSEAKPDX");
        run("aircraft ground 433\nframes 1\n");
        ASSERT_TRUE(standing_on_ground());
    }
    const std::string flown = active_idents();
    const std::string flown_to = to_ident();
    std::string keys = row.keys;
    if (keys.rfind("NEW_FPL ", 0) == 0) {
        pick_stored_plan("NEW FPL");
        keys = keys.substr(8);
    }
    press(keys);
    frames(1);
    EXPECT_EQ(route_state, row.state);
    EXPECT_EQ(active_idents(), std::string(row.active) == "flown" ? flown : row.active);
    if (row.to != nullptr) {
        EXPECT_EQ(to_ident(), std::string(row.to) == "flown" ? flown_to : row.to);
    }
    EXPECT_EQ(lnav_engaged, row.in_the_air ? 1 : 0);
    EXPECT_EQ(lamp_lit(kSmithsExecLamp), row.lamp);
    EXPECT_EQ(smiths_scratchpad_message, row.message);
    if (row.state != kRouteStateActiveModified) return;
    // ERASE: the flown route and its airports again.
    press("CLR RTE L6");
    EXPECT_EQ(route_state, kRouteStateActive);
    EXPECT_EQ(active_idents(), flown);
    EXPECT_EQ(text_at(210, 33), " KPDX");
    EXPECT_EQ(text_at(0, 33), " KSEA");
}

INSTANTIATE_TEST_SUITE_P(
    Keys, ExecKeysRetype,
    ::testing::Values(
        RetypeRow{"OriginAlone", "RTE \"KBFI\" L1", true, kRouteStateActiveModified, "flown", "flown", false,
                  ""},
        RetypeRow{"ExecOfTheOriginAlone", "RTE \"KSEA\" L1 EXEC", true, kRouteStateActiveModified, "flown",
                  "flown", false, "INVALID ENTRY"},
        RetypeRow{"ANewRoute", "RTE \"KSEA\" L1 \"KPDX\" R1 NEXT \"OLM\" R1 \"BTG\" R2", true,
                  kRouteStateActiveModified, "flown", "flown", true, ""},
        RetypeRow{"ANewRouteExecuted", "RTE \"KSEA\" L1 \"KPDX\" R1 NEXT \"OLM\" R1 \"BTG\" R2 EXEC", true,
                  kRouteStateActive, "KSEA OLM BTG KPDX", "OLM", false, ""},
        // By the TO rule: on past the fix last passed, or to the fix flown to.
        RetypeRow{"ANewRouteThroughTheFixPassed",
                  "RTE \"KSEA\" L1 \"KPDX\" R1 NEXT \"FOXXE\" R1 \"OLM\" R2 EXEC", true, kRouteStateActive,
                  "KSEA FOXXE OLM KPDX", "OLM", false, ""},
        RetypeRow{"ANewRouteThroughTheFixFlownTo",
                  "RTE \"KSEA\" L1 \"KPDX\" R1 NEXT \"NISQL\" R1 \"BTG\" R2 EXEC", true, kRouteStateActive,
                  "KSEA NISQL BTG KPDX", "NISQL", false, ""},
        RetypeRow{"NewFplExec", "NEW_FPL EXEC", true, kRouteStateActiveModified, "flown", "flown", false,
                  "INVALID ENTRY"},
        RetypeRow{"NewFplANewRouteExecuted",
                  "NEW_FPL RTE \"KSEA\" L1 \"KPDX\" R1 NEXT \"OLM\" R1 \"BTG\" R2 EXEC", true,
                  kRouteStateActive, "KSEA OLM BTG KPDX", "OLM", false, ""},
        RetypeRow{"OnTheGround", "RTE \"KBFI\" L1", false, kRouteStateNone, "KBFI ", nullptr, false, ""}),
    [](const ::testing::TestParamInfo<RetypeRow>& info) { return std::string(info.param.name); });

// A route typed anew in the air, over the flown route or after NEW FPL, shows
// its own airports before EXEC: RTE its destination, DEP/ARR INDEX both, and
// ARRIVALS the new destination's, where its arrival is chosen. The flown
// route stays until EXEC, which flies the new one with that arrival, on by
// the TO rule with LNAV kept.
class ExecKeysNewRouteAirports : public ExecKeys, public ::testing::WithParamInterface<bool> {};

TEST_P(ExecKeysNewRouteAirports, aNewRoutesAirportsServeItsProceduresBeforeExec) {
    fly_example_route_to("NISQL");
    const std::string flown = active_idents();
    if (GetParam()) pick_stored_plan("NEW FPL");
    press("RTE \"KPDX\" L1 \"KSEA\" R1");
    EXPECT_EQ(text_at(210, 33), "KSEA");
    press("DEP_ARR");
    EXPECT_EQ(text_at(90, 33) + " " + text_at(90, 66), "KPDX KSEA");
    press("L1");
    frames(1);
    EXPECT_EQ(text_at(25, 0), "KPDX DEPARTURES");
    press("DEP_ARR R2");
    frames(1);
    EXPECT_EQ(text_at(40, 0), "KSEA ARRIVALS");
    press("L1"); // CHINS4
    EXPECT_EQ(active_idents(), flown);
    press("EXEC");
    frames(2);
    EXPECT_EQ(route_state, kRouteStateActive);
    EXPECT_EQ(active_idents(), "KPDX CHINS MAPLV KSEA");
    EXPECT_EQ(to_ident(), "CHINS"); // no fix of the leg flown is in the new route
    EXPECT_EQ(lnav_engaged, 1);
    press("DEP_ARR R2");
    frames(1);
    EXPECT_EQ(text_at(0, 33) + text_at(75, 33), "CHINS4<ACT>");
}

INSTANTIATE_TEST_SUITE_P(Keys, ExecKeysNewRouteAirports, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "AfterNewFpl" : "OverTheFlownRoute";
                         });
