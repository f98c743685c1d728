// The procedure choices go with the plan they were made on: a modification
// discarded by any unit leaves none of its choices on the pages or the maps,
// and the executed plan's come back.
#include "plan_keys_fixture.h"
#include "plan_state_check.h"

#include "data/airport_procedures.h"
#include "fms/plan/plan_edit.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "map/selected_runways.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace {

class PlanChoicesKeys : public PlanKeysTest {
  protected:
    void after_start() override { start_west_of_the_route(); }
    // The SMITHS text drawn after `label` in the last frame; "" when none.
    std::string text_after(const std::string& label) {
        const std::vector<std::string> drawn = texts();
        for (std::size_t i = 0; i + 1 < drawn.size(); ++i)
            if (drawn[i] == label) return drawn[i + 1];
        return "";
    }
    // Drawn in the last frame, padded to its column.
    bool listed(const std::string& t) {
        const std::vector<std::string> drawn = texts();
        return std::any_of(drawn.begin(), drawn.end(), [&](const std::string& d) {
            const std::size_t at = d.find_first_not_of(' ');
            return at != std::string::npos && d.compare(at, t.size(), t) == 0 &&
                   d.find_first_not_of(' ', at + t.size()) == std::string::npos;
        });
    }
};

} // namespace

// A departure runway chosen over the active route (with or without a SID and
// runway executed before), then dropped by the SMITHS's ERASE or by the GNS's
// direct-to, which discards another unit's pending change: the RTE page and
// the maps' selected runway are the executed plan's again.
TEST_F(PlanChoicesKeys, ADiscardedRunwayLeavesTheExecutedOneOnThePagesAndTheMaps) {
    const struct {
        const char* discard;
        bool executed_before;
        const char* shown; // the RTE page's runway afterwards
    } rows[] = {
        {"cdu SMITHS_FMS L6", false, "- - - - -"},
        {"cdu SMITHS_FMS L6", true, "16L"},
        {"gns GNSXLS DIRECT", false, "- - - - -"},
        {"gns GNSXLS DIRECT", true, "16L"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.discard) + (row.executed_before ? " after SUMMA2 16L executed" : ""));
        restart();
        run("route load KSEAKPDX.RTE\nframes 3");
        // SUMMA2 from 16L executed; then the other runway of its list.
        if (row.executed_before) run("cdu SMITHS_FMS DEP_ARR L1 L1 R1\ncdu SMITHS_FMS EXEC");
        const int executed_runway = selected_departure_runway();
        run(std::string("cdu SMITHS_FMS DEP_ARR L1 ") + (row.executed_before ? "R2" : "R1"));
        ASSERT_EQ(route_state, kRouteStateActiveModified);
        ASSERT_NE(selected_departure_runway(), executed_runway);

        run(row.discard);
        EXPECT_EQ(route_state, kRouteStateActive);
        EXPECT_EQ(selected_departure_runway(), executed_runway);
        run("cdu SMITHS_FMS RTE");
        EXPECT_EQ(text_after("R U N W A Y"), row.shown);
    }
}

// A departure runway typed on RTE raises no modification, but over the flown
// route's own runway: it is the flown plan's whatever the route state, and a
// change discarded afterwards by either unit leaves it on RTE, TAKEOFF REF
// and the maps. A runway changed over the flown one is that change's alone,
// as is one typed for a change that departs from another airport.
TEST_F(PlanChoicesKeys, ARunwayTypedOnRteOutlivesADiscardedChange) {
    const std::string loaded = "route load KSEAKPDX.RTE\nframes 3\n";
    const std::string change = "cdu SMITHS_FMS LEGS \"HQM\" L1\n";
    const auto runway = [](const char* designator) {
        return std::string("cdu SMITHS_FMS RTE \"") + designator + "\" L3\n";
    };
    // Typed on a route not yet flown: with the origin alone, the route
    // entered (a company route) or activated; then executed.
    const std::string origin =
        "cdu SMITHS_FMS RTE \"KSEA\" L1\n" + runway("16L") + "cdu SMITHS_FMS \"KPDX\" R1 NEXT \"SEA\" R1\n";
    const std::string entered = "cdu SMITHS_FMS RTE \"KSEAKPDX\" L2\n";
    const std::string activated = entered + "cdu SMITHS_FMS R6\n";
    const std::string executed = "cdu SMITHS_FMS EXEC\n";
    const struct {
        const char* when;
        std::string script; // ends with a change pending
        const char* discard;
        const char* kept;
    } rows[] = {
        {"before a change", loaded + runway("16L") + change, "cdu SMITHS_FMS L6", "16L"},
        {"before a change", loaded + runway("16L") + change, "gns GNSXLS DIRECT", "16L"},
        {"during a change", loaded + change + runway("16L"), "cdu SMITHS_FMS L6", "16L"},
        {"during a change", loaded + change + runway("16L"), "gns GNSXLS DIRECT", "16L"},
        {"over 16L during a change", loaded + runway("16L") + change + runway("34R"), "cdu SMITHS_FMS L6",
         "34R"},
        {"with the origin alone", origin + "cdu SMITHS_FMS R6\n" + executed + change, "cdu SMITHS_FMS L6",
         "16L"},
        {"on a route entered", entered + runway("16L") + "cdu SMITHS_FMS R6\n" + executed + change,
         "cdu SMITHS_FMS L6", "16L"},
        {"on a route activated", activated + runway("16L") + executed + change, "cdu SMITHS_FMS L6", "16L"},
        {"over the flown 16L: a change", loaded + runway("16L") + runway("34R"), "cdu SMITHS_FMS L6", "16L"},
        {"for a change from KPDX", loaded + "cdu SMITHS_FMS RTE \"KPDXKSEA\" L2\n" + runway("10R"),
         "cdu SMITHS_FMS L6", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.when) + ", then " + row.discard);
        restart();
        run(row.script);
        ASSERT_EQ(route_state, kRouteStateActiveModified);

        run(row.discard);
        EXPECT_EQ(route_state, kRouteStateActive);
        const int selected = selected_departure_runway();
        EXPECT_EQ(selected > 0 ? airport_slots[origin_slot].runways[selected].designator : "", row.kept);
        run("cdu SMITHS_FMS RTE");
        EXPECT_EQ(text_after("R U N W A Y"), *row.kept ? row.kept : "- - - - -");
        run("cdu SMITHS_FMS INIT_REF R6\nframes 1"); // PERF INIT, TAKEOFF >
        ASSERT_TRUE(shows("TAKEOFF  REF"));
        EXPECT_EQ(shows("DEPARTURE>"), !*row.kept);
    }
}

// An arrival chosen in flight for a plan made anew (NEW FPL) has no route to
// join: nothing goes in, EXEC leaves the flown route with its TO and its
// arrival runway, and the GNS's delete of that TO flies on to the next fix, as
// RTE LEGS shows.
TEST_F(PlanChoicesKeys, AnArrivalChosenForANewPlanInFlightLeavesTheFlownRoute) {
    const char* const flown = "KSEA SEA *FOXXE NISQL OLM TOUTL KELSO LAVVA SAUVI DISCO MELLO ROSIE KPDX ";
    const char* const to_deleted = "KSEA SEA *NISQL OLM TOUTL KELSO LAVVA SAUVI DISCO MELLO ROSIE KPDX ";
    for (const char* arrival : {"R1" /* the approach */, "L1" /* the STAR */, "NEXT R1" /* runway 10L */}) {
        SCOPED_TRACE(arrival);
        restart();
        run("route load KSEAKPDX.RTE\nframes 3\naircraft altitude 5000\naircraft speed 250\n"
            "aircraft heading 200\naircraft position 47.38 -122.40\naircraft ap on\naircraft ap hdg on\n"
            "frames 18\nmcu MCU LNAV\nframes 20");
        ASSERT_EQ(plan(), flown);
        const int arrival_runway = selected_arrival_runway();
        // INDEX, FLIGHT PLANS, NEW FPL; then ARR of KPDX.
        run("cdu SMITHS_FMS INIT_REF L6 R2 L4");
        ASSERT_EQ(working_plan_last, -1);
        run(std::string("cdu SMITHS_FMS DEP_ARR R2 ") + arrival + "\ncdu SMITHS_FMS EXEC");
        EXPECT_EQ(plan(), flown);
        for (const std::string& fault : plan_state_faults())
            ADD_FAILURE() << fault;

        run("gns GNSXLS FPL L2 ERASE ENT\nframes 2");
        EXPECT_EQ(plan(), to_deleted);
        EXPECT_EQ(route_state, kRouteStateActive); // the GNS's edit ended the new plan
        EXPECT_EQ(selected_arrival_runway(), arrival_runway);
        run("cdu SMITHS_FMS LEGS");
        EXPECT_TRUE(shows("ACT"));
        EXPECT_TRUE(shows("NISQL"));
    }
}

// The GNS's procedure pages list the transitions of their own choices in
// the slot both units share; the SMITHS's DEPARTURES and ARRIVALS, open
// beside them, still list and pick those of their own SID, STAR or approach.
TEST_F(PlanChoicesKeys, TheSmithsPicksItsOwnProceduresTransitionBesideTheGns) {
    const struct {
        const char* choose; // the SMITHS's procedure, chosen before the GNS's page opens
        const char* gns;
        const char* listed[2]; // its transitions
        const char* pick;      // the key that picks the second of them
        std::string PlanChoices::*picked;
    } rows[] = {
        {"route load KSEAKPDX.RTE\ncdu SMITHS_FMS DEP_ARR L1 L1",
         "L4 L4 ENT",
         {"BTG", "OLM"},
         "L3",
         &PlanChoices::sid_transition},
        {"route load KPDXKSEA.RTE\ncdu SMITHS_FMS DEP_ARR R2 L2",
         "L5 ENT",
         {"BTG", "HQM"},
         "L3",
         &PlanChoices::star_transition},
        // The GNS's approach list, then I16R's IAF EDMND on its page.
        {"route load KPDXKSEA.RTE\ncdu SMITHS_FMS DEP_ARR R2 R3",
         "L5 L5 ENT\ngns GNSXLS ENT\ngns GNSXLS ENT\ngns GNSXLS L4\ngns GNSXLS ENT",
         {"OLM", "DOTTY"},
         "R3",
         &PlanChoices::approach_transition},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.choose);
        restart();
        run(row.choose);
        run(std::string("gns GNSXLS NAV FPL ") + row.gns + "\ncdu SMITHS_FMS NEXT PREV");
        EXPECT_TRUE(listed(row.listed[0]) && listed(row.listed[1]));
        EXPECT_FALSE(listed("YKM") || listed("EDMND")); // transitions of neither
        run(std::string("cdu SMITHS_FMS ") + row.pick);
        EXPECT_EQ(working_plan.choices().*row.picked, row.listed[1]);
    }
}

// A SMITHS page shows the plan and its choices as another unit's edit, or
// its own on another page, left them: DEPARTURES and ARRIVALS after the
// GNS's direct-to erased the pending SID or STAR they show as chosen, RTE
// after a new DEST dropped the STAR and approach.
TEST_F(PlanChoicesKeys, ASmithsPageShowsThePlanAsTheLastEditLeftIt) {
    const char* const loaded = "route load KSEAKPDX.RTE\nframes 3\n";
    const struct {
        std::string script; // the page open, then the edit
        std::vector<const char*> shown, gone;
    } rows[] = {
        {std::string(loaded) + "cdu SMITHS_FMS DEP_ARR L1 L1\ngns GNSXLS DIRECT\nframes 1",
         {"SUMMA2", "HAROB3"},
         {"BTG", "HQM"}},
        {"route load KPDXKSEA.RTE\nframes 3\ncdu SMITHS_FMS DEP_ARR R2 L2\ngns GNSXLS DIRECT\nframes 1",
         {"CHINS4", "OLM5"},
         {"BTG", "HQM"}},
        {std::string(loaded) + "cdu SMITHS_FMS RTE \"KBFI\" R1 NEXT", {"DIRECT"}, {"LAVVA2", "OLM.LAVVA2"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.script);
        restart();
        run(row.script);
        std::string page;
        for (const std::string& d : texts())
            page += d + "|";
        for (const char* t : row.shown)
            EXPECT_TRUE(listed(t)) << t << " in " << page;
        for (const char* t : row.gone)
            EXPECT_FALSE(listed(t)) << t << " in " << page;
    }
}

// A plan copied or moved takes its choices along, whichever way it keeps its
// entries.
TEST(PlanChoices, goWithThePlanCopiedOrMoved) {
    RoutePlan loose;
    ChoicesEdit(loose)->sid = "SUMMA2";
    std::vector<RouteWaypoint> entries(RoutePlan::slots);
    RoutePlan in_array{entries.data()};
    ChoicesEdit(in_array)->star = "STALE";
    PlanEdit(plan_target(in_array), "test").replace_with(loose);
    EXPECT_EQ(in_array.choices().sid, "SUMMA2");
    EXPECT_EQ(in_array.choices().star, "");
    RoutePlan other;
    PlanEdit(plan_target(other), "test").replace_with(loose);
    EXPECT_EQ(other.choices().sid, "SUMMA2");
    const RoutePlan moved = std::move(other);
    EXPECT_EQ(moved.choices().sid, "SUMMA2");
}
