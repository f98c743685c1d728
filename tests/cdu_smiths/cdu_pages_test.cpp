// IDENT, INIT/REF INDEX with SAVE FPL, DEP/ARR INDEX and STORED FLIGHT PLANS
// in the stand-in, over the example folder's route files.
#include "cdu_smiths/arrival_page_state.h"
#include "cdu_smiths/smiths_pages.h"
#include "cdu_stand_in.h"
#include "fms/files/flight_plan_folder.h"
#include "fms/files/stored_routes.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/procedures/dep_arr_selection.h"
#include "fms/units/cdu_text.h"
#include "gauges/smiths_gauge.h"

#include <fstream>

namespace {

int stored_route_named(const std::string& name) {
    for (int i = 1; i <= stored_routes.count(); ++i)
        if (stored_routes[i].name == name) return i;
    return 0;
}

// The key of row r (1..6) on STORED FLIGHT PLANS.
std::string left_key(int row) {
    return "L" + std::to_string(row);
}

} // namespace

TEST_F(CduStandIn, identShowsTheAircraftAndLeadsToIndexAndPos) {
    EXPECT_EQ(smiths_cdu_page, 25);
    EXPECT_EQ(text_at(63, 0), "IDENT");
    EXPECT_EQ(text_at(220, 3), "1 / 1");
    EXPECT_EQ(text_at(0, 33), "737-800");
    EXPECT_EQ(text_at(0, 66), "AIRAC 0501");
    EXPECT_EQ(text_at(272 - 9 * 10, 198), "POS  INIT>");
    press("L3 R6");
    EXPECT_EQ(smiths_cdu_page, 26);
    EXPECT_EQ(smiths_pos_subpage, 1);
    smiths_cdu_page = 25;
    press("L6 INIT_REF");
    EXPECT_EQ(smiths_cdu_page, 26); // INIT REF without an active route: POS
    smiths_cdu_page = 25;
    press("L6");
    frames(1);
    EXPECT_EQ(text_at(63, 0), "INIT/REF   INDEX");
    EXPECT_EQ(text_at(137, 66), "FLIGHT PLANS>");
}

TEST_F(CduStandIn, saveFplWritesTheExecutedRouteUnderASafeName) {
    press("L6 R6");
    EXPECT_TRUE(shows("NO ACTIVE FLIGHT PLAN"));
    press("CLR RTE \"KSEA\" L1 \"KPDX\" R1 NEXT \"SEA\" R1 \"V23\" L2 \"OLM\" R2 R6");
    press("R6"); // ACTIVATE again does nothing more; still not executed
    smiths_cdu_page = 23;
    press("R6");
    EXPECT_TRUE(shows("NO ACTIVE FLIGHT PLAN"));
    press("CLR EXEC");
    ASSERT_EQ(route_state, kRouteStateActive);

    for (const char* name : {"../ESCAPE", "A/B", "C.RTE/", "X..RTE"}) {
        smiths_scratchpad = name;
        smiths_cdu_page = 23;
        press("R6");
        EXPECT_TRUE(shows("INVALID ENTRY")) << name;
        EXPECT_EQ(smiths_scratchpad, name);
        press("CLR");
    }
    smiths_scratchpad = "C:ROOT";
    press("R6");
    EXPECT_TRUE(shows("INVALID ENTRY"));
    smiths_scratchpad.clear();
    press("CLR \"MYPLAN\" R6");
    EXPECT_TRUE(shows("MYPLAN.RTE Saved"));
    EXPECT_EQ(smiths_scratchpad, "");
    press("CLR R6"); // no name: origin and destination
    EXPECT_TRUE(shows("KSEAKPDX.RTE Saved"));
    std::ifstream saved(sim_folder_.path() + "/orvex/flightplans/MYPLAN.RTE");
    ASSERT_TRUE(saved.good());

    // The next listing of the folder offers it; loading it gives the route back.
    list_flight_plans();
    const int k = stored_route_named("MYPLAN.RTE");
    ASSERT_GT(k, 0);
    ASSERT_LE(k, 6);
    const std::vector<std::string> active = {"KSEA", "SEA", "FOXXE", "NISQL", "OLM", "KPDX"};
    smiths_cdu_page = 1;
    press(left_key(k));
    EXPECT_EQ(smiths_cdu_page, 22);
    std::vector<std::string> loaded;
    for (int i = 0; i <= working_plan_last; ++i)
        loaded.push_back(working_plan[i].ident);
    EXPECT_EQ(loaded, active);
    EXPECT_EQ(route_state, kRouteStateActiveModified); // an executed route becomes modified: EXEC pending
    frames(1);
    EXPECT_TRUE(lamp_lit(kSmithsExecLamp));
}

TEST_F(CduStandIn, storedFlightPlansPagesAndLoads) {
    // Ten more plans: 14 entries with "NEW FPL", three sub-pages.
    for (int i = 0; i < 10; ++i)
        std::filesystem::copy_file(sim_folder_.path() + "/orvex/flightplans/KSEAKPDX.RTE",
                                   sim_folder_.path() + "/orvex/flightplans/COPY" + std::to_string(i) +
                                       ".RTE");
    list_flight_plans();
    ASSERT_EQ(stored_routes.count(), 14);
    smiths_cdu_page = 1;
    frames(1);
    EXPECT_EQ(text_at(10, 0), "STORED FLIGHT PLANS");
    EXPECT_EQ(text_at(225, 0), " 1 /  3");
    EXPECT_EQ(text_at(0, 198), stored_routes[6].name);
    press("PREV");
    EXPECT_EQ(text_at(225, 0), " 3 /  3");
    EXPECT_EQ(text_at(0, 33), stored_routes[13].name);
    EXPECT_EQ(text_at(0, 99), "");
    press("L3 L6"); // beside empty rows: nothing
    EXPECT_EQ(smiths_cdu_page, 1);
    press("NEXT");
    EXPECT_EQ(text_at(225, 0), " 1 /  3");

    // Lines 1 to 5 step the route state (0, the load's 1, then 2): the EXEC
    // lamp lights; line 6 enters the route afresh (state 1).
    const int k = stored_route_named("KSEAKPDX.RTE");
    ASSERT_GT(k, 0);
    smiths_fpl_subpage = (k + 5) / 6;
    const int row = k - (smiths_fpl_subpage - 1) * 6;
    press(row == 6 ? "L6" : left_key(row));
    frames(1);
    EXPECT_EQ(smiths_cdu_page, 22);
    EXPECT_EQ(working_plan[working_plan_last].ident, "KPDX");
    EXPECT_GT(route_rows_last, 0);
    if (row != 6) {
        EXPECT_EQ(route_state, kRouteStateActivated);
        EXPECT_TRUE(lamp_lit(kSmithsExecLamp));
    }
    smiths_cdu_page = 1;
    smiths_fpl_subpage = 1;
    press("L6");
    EXPECT_EQ(route_state, kRouteStateEntered);
    EXPECT_EQ(working_plan[0].ident, stored_routes[6].origin);
}

TEST_F(CduStandIn, depArrIndexOpensDeparturesAndArrivalsOnlyForTheRoutesAirports) {
    press("DEP_ARR L1 R2");
    EXPECT_EQ(smiths_cdu_page, 24);
    EXPECT_EQ(text_at(63, 0), "DEP / ARR  INDEX");
    EXPECT_EQ(text_at(90, 33), "------");
    EXPECT_EQ(text_at(90, 66), "------");

    press("RTE \"KSEA\" L1 \"KPDX\" R1 DEP_ARR");
    EXPECT_EQ(text_at(90, 33), "KSEA");
    EXPECT_EQ(text_at(90, 66), "KPDX");
    press("L1");
    EXPECT_EQ(smiths_cdu_page, 10);
    EXPECT_EQ(dep_subpage, 1);

    arr_star_state = kArrStarStateChosen;
    arr_runway_chosen = approach_chosen = approach_transition_chosen = arr_transition_chosen = 1;
    arr_subpage = 3;
    press("DEP_ARR R2");
    EXPECT_EQ(smiths_cdu_page, 11);
    EXPECT_EQ(arr_star_state, kArrStarStateMarked);
    EXPECT_EQ(arr_subpage, 1);
    for (int flag : {arr_runway_chosen, approach_chosen, approach_transition_chosen, arr_transition_chosen})
        EXPECT_EQ(flag, 0);
}

// "NEW FPL" empties the working plan; a listed file that has gone since the
// listing changes nothing and says so.
TEST_F(CduStandIn, newFplEmptiesTheWorkingPlanAndAMissingFileChangesNothing) {
    press("RTE \"KSEA\" L1 \"KPDX\" R1 NEXT \"SEA\" R1 R6 EXEC");
    ASSERT_EQ(route_state, kRouteStateActive);
    list_flight_plans();
    const int fresh = stored_route_named("NEW FPL");
    const int gone = stored_route_named("KPDXKSEA.RTE");
    ASSERT_EQ(fresh, stored_routes.count());
    ASSERT_LE(fresh, 5);
    ASSERT_GT(gone, 0);

    // Line 6 enters afresh, lines 1 to 5 modify the executed route.
    for (const bool line_6 : {false, true}) {
        smiths_cdu_page = 1;
        smiths_fpl_subpage = 1;
        press(line_6 ? "L6" : left_key(fresh));
        EXPECT_EQ(smiths_cdu_page, 22);
        EXPECT_EQ(working_plan_last, -1);
        EXPECT_EQ(route_state, line_6 ? 1 : 4);
        EXPECT_EQ(active_plan_last, 2); // until EXEC
        if (!line_6) {
            press("L6"); // ERASE: the executed route again
            ASSERT_EQ(route_state, kRouteStateActive);
            // NEW FPL on line 6 needs it on the sixth row: six entries.
            for (int i = 0; i < 6 - fresh; ++i)
                std::filesystem::copy_file(sim_folder_.path() + "/orvex/flightplans/KSEAKPDX.RTE",
                                           sim_folder_.path() + "/orvex/flightplans/C" + std::to_string(i) +
                                               ".RTE");
            list_flight_plans();
            ASSERT_EQ(stored_route_named("NEW FPL"), 6);
        }
    }

    press("EXEC"); // nothing to execute in state 1
    press("RTE \"KSEA\" L1 \"KPDX\" R1 NEXT \"SEA\" R1 R6 EXEC");
    ASSERT_EQ(route_state, kRouteStateActive);
    const int k = stored_route_named("KPDXKSEA.RTE");
    std::filesystem::remove(sim_folder_.path() + "/orvex/flightplans/KPDXKSEA.RTE");
    smiths_cdu_page = 1;
    smiths_fpl_subpage = (k + 5) / 6;
    const int row = k - (smiths_fpl_subpage - 1) * 6;
    press(row == 6 ? "L6" : left_key(row));
    EXPECT_EQ(route_state, kRouteStateActive);
    EXPECT_EQ(working_plan_last, 2);
    EXPECT_EQ(working_plan[1].ident, "SEA");
    frames(1); // the RTE page that the key opened
    EXPECT_TRUE(shows("KPDXKSEA.RTE Unable to Load"));
    EXPECT_FALSE(lamp_lit(kSmithsExecLamp));
}

// KSEA, AMITY (whose position ends on a rounding half), KPDX: executed, then
// SAVE FPL on INIT/REF INDEX saves it, and it reads back.
TEST_F(CduStandIn, saveFplStoresARouteThroughAnIntersectionOnARoundingHalf) {
    press("RTE \"KSEA\" L1 \"KPDX\" R1 NEXT \"AMITY\" R1 R6 EXEC");
    ASSERT_EQ(route_state, kRouteStateActive);
    ASSERT_EQ(active_plan[1].ident, "AMITY");
    press("INIT_REF L6 R6");
    EXPECT_EQ(smiths_scratchpad_message, "KSEAKPDX.RTE Saved");
    list_flight_plans();
    const int k = stored_route_named("KSEAKPDX.RTE");
    ASSERT_GT(k, 0);
    ASSERT_EQ(stored_routes[k].plan.last(), 2);
    EXPECT_EQ(stored_routes[k].plan[1].ident, "AMITY");
    EXPECT_NEAR(stored_routes[k].plan[1].lat, active_plan[1].lat, 0.0000051);
    EXPECT_NEAR(stored_routes[k].plan[1].lon, active_plan[1].lon, 0.0000051);
}
