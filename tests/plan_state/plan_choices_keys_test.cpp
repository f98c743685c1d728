// The procedure choices go with the plan they were made on: a modification
// discarded by any unit leaves none of its choices on the pages or the maps,
// and the executed plan's come back.
#include "plan_keys_fixture.h"

#include "fms/plan/plan_edit.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "map/selected_runways.h"

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

// The first departure runway typed on RTE over the flown route raises no
// modification: it is the flown plan's, and a change discarded afterwards by
// either unit leaves it on RTE, TAKEOFF REF and the maps. Typed into a
// pending change, it goes with that change.
TEST_F(PlanChoicesKeys, ARunwayTypedOverTheFlownRouteOutlivesADiscardedChange) {
    const char* const type_runway = "cdu SMITHS_FMS RTE \"16L\" L3";
    const char* const change = "cdu SMITHS_FMS LEGS \"HQM\" L1";
    const struct {
        bool inside_the_change;
        const char* discard;
        bool kept;
    } rows[] = {
        {false, "cdu SMITHS_FMS L6", true},
        {false, "gns GNSXLS DIRECT", true},
        {true, "cdu SMITHS_FMS L6", false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.discard) +
                     (row.inside_the_change ? " of the change it was typed in" : ""));
        restart();
        run("route load KSEAKPDX.RTE\nframes 3");
        run(row.inside_the_change ? std::string(change) + "\n" + type_runway
                                  : std::string(type_runway) + "\n" + change);
        ASSERT_EQ(route_state, kRouteStateActiveModified);

        run(row.discard);
        EXPECT_EQ(route_state, kRouteStateActive);
        EXPECT_EQ(selected_departure_runway() != 0, row.kept);
        run("cdu SMITHS_FMS RTE");
        EXPECT_EQ(text_after("R U N W A Y"), row.kept ? "16L" : "- - - - -");
        run("cdu SMITHS_FMS INIT_REF R6\nframes 1"); // PERF INIT, TAKEOFF >
        ASSERT_TRUE(shows("TAKEOFF  REF"));
        EXPECT_EQ(shows("DEPARTURE>"), !row.kept);
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
