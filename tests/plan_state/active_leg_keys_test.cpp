// The TO after edits by keys on each unit, in flight and on the ground: the
// aircraft stays on the leg it flies, and what is put in between its FROM and
// its TO is flown next.
#include "plan_keys_fixture.h"

#include "fms/guidance/lateral_guidance.h"
#include "fms/perf/flown_route.h"
#include "fms/perf/vertical_profile.h"
#include "fms/plan/entry_marks.h"
#include "fms/plan/holds.h"
#include "fms/plan/plan_legs.h"
#include "fms/plan/route_plan.h"
#include "fms/units/gns_unit_state.h"

#include "test_environment_reset.h"

#include <cstdio>
#include <filesystem>
#include <sstream>

namespace {

class ActiveLegKeys : public PlanKeysTest {
  protected:
    void after_start() override { start_west_of_the_route(); }
    // The texts unit i drew in its last frame.
    std::string unit_texts(int i) {
        const gfx::Recording& r = *gfx::surface_recording(
            sim_.gauges[static_cast<std::size_t>(i)]->drawing_elements.at(0)->device_context);
        std::size_t start = 0;
        for (std::size_t k = 0; k < r.ops.size(); ++k)
            if (starts_frame(r.ops[k])) start = k + 1;
        std::string out;
        for (std::size_t k = start; k < r.ops.size(); ++k)
            if (r.ops[k].kind == gfx::OpKind::String) out += "[" + r.ops[k].text + "]";
        return out;
    }
};

} // namespace

namespace {

// The example route activated on each unit, flown as far as the MCU's TO key
// steps it (NEXT on its status page picks the next TO).
const char* const kSmithsRoute = "route load KSEAKPDX.RTE\nframes 3\n";
const char* const kGnsRoute = "gns GNSXLS R2 R2 ENT\nframes 1\ngns GNSXLS R5 ENT\nframes 1\n";
const char* const kToFoxxe = "mcu MCU TO\nmcu MCU NEXT\n";
const char* const kToToutl = "mcu MCU TO\nmcu MCU NEXT NEXT NEXT NEXT\n";

} // namespace

// Each edit leaves the TO where the pilot's leg puts it, as the core holds it
// and as the MCU's status page names it; the plan-state rules hold after.
TEST_F(ActiveLegKeys, EachUnitsEditsKeepTheAircraftOnItsLeg) {
    const struct {
        std::string start, edit;
        const char* to;
    } rows[] = {
        // A SID chosen on the ground after EXEC: its first leg is flown.
        {kSmithsRoute, "cdu SMITHS_FMS DEP_ARR L1 L1 R1\ncdu SMITHS_FMS EXEC", "HD162"},
        // A fix typed on the TO row in flight is flown next.
        {std::string(kSmithsRoute) + kToFoxxe, "cdu SMITHS_FMS LEGS \"HQM\" L1\ncdu SMITHS_FMS EXEC", "HQM"},
        // The FROM (SEA) deleted: the TO stays.
        {std::string(kSmithsRoute) + kToFoxxe, "cdu SMITHS_FMS RTE NEXT DEL L1\ncdu SMITHS_FMS EXEC",
         "FOXXE"},
        // The GNS: an approach behind the TO, a fix put in before the TO,
        // one put in before the FROM (OLM), and the FROM deleted.
        {std::string(kGnsRoute) + kToToutl,
         "gns GNSXLS L5 L5 ENT\ngns GNSXLS ENT ENT\ngns GNSXLS L3 ENT\ngns GNSXLS L3 ENT\ngns GNSXLS ENT",
         "TOUTL"},
        {std::string(kGnsRoute) + kToToutl, "gns GNSXLS L2 B T G\ngns GNSXLS ENT\ngns GNSXLS ENT", "BTG"},
        {std::string(kGnsRoute) + kToToutl, "gns GNSXLS L1 B T G\ngns GNSXLS ENT\ngns GNSXLS ENT", "TOUTL"},
        {std::string(kGnsRoute) + kToToutl, "gns GNSXLS L1\ngns GNSXLS ERASE\ngns GNSXLS ENT", "TOUTL"},
    };
    for (const auto& row : rows) {
        restart();
        const std::vector<std::string> script = lines(row.start + row.edit);
        EXPECT_EQ(script_fault(script), "") << row.edit;
        ASSERT_NE(to_waypoint_index, kNoToWaypoint) << row.edit;
        EXPECT_EQ(active_plan[to_waypoint_index].ident, row.to) << row.edit << "\n" << plan();
        EXPECT_EQ(to_position.lat, active_plan[to_waypoint_index].lat) << row.edit;
        run("mcu MCU TO");
        // The status page as last drawn.
        const std::string mcu = unit_texts(2);
        const std::size_t at = mcu.rfind("[TO:][");
        ASSERT_NE(at, std::string::npos) << row.edit;
        EXPECT_EQ(mcu.substr(at, mcu.find(']', at + 6) + 1 - at), std::string("[TO:][") + row.to + "]")
            << row.edit;
    }
}

// The end mark is a row the GNS DIRECT list draws after the plan, never an
// entry of a plan: not while the list is up, not after a direct-to, and not
// after a SMITHS edit made under the list and executed.
TEST_F(ActiveLegKeys, TheDirectListsEndRowIsNoEntryOfEitherPlan) {
    run(kSmithsRoute);
    const char* const steps[] = {"gns GNSXLS DIRECT", "gns GNSXLS ENT", "gns GNSXLS DIRECT",
                                 "cdu SMITHS_FMS LEGS \"HQM\" L3", "cdu SMITHS_FMS EXEC"};
    for (const char* step : steps) {
        run(step);
        for (const auto& [plan, last] :
             {std::pair<const RoutePlan*, int>{&active_plan.plan(), active_plan_last},
              std::pair<const RoutePlan*, int>{&working_plan, working_plan_last}})
            for (int i = 0; i <= last; ++i)
                EXPECT_NE(entry_kind((*plan)[i]), EntryKind::EndMark) << step << ": entry " << i;
        if (gns_state != GNS_DIRECT) continue;
        frames(1);
        // The last waypoint's row, then the end row.
        const std::string gns = unit_texts(1);
        EXPECT_NE(gns.find("[" + working_plan[working_plan_last].ident + "][******]"), std::string::npos)
            << step << "\n"
            << gns;
    }
    // The edit was flown, not dropped with the list.
    bool executed = false;
    for (int i = 0; i <= active_plan_last; ++i)
        executed = executed || active_plan[i].ident == "HQM";
    EXPECT_TRUE(executed) << plan();
}

// A hold stays on its fix through each unit's edits that move the entries
// under it (ERASE moves them back), in both plans and with its marks.
TEST_F(ActiveLegKeys, AHoldStaysOnItsFixThroughEachUnitsEdits) {
    const std::string smiths = std::string(kSmithsRoute) + "cdu SMITHS_FMS HOLD L3 L6 EXEC\n";
    const std::string gns = std::string(kGnsRoute) + "cdu SMITHS_FMS HOLD L3 L6 EXEC\n";
    const struct {
        std::string start, edit;
        bool moves;
    } rows[] = {
        {smiths, "cdu SMITHS_FMS LEGS \"HQM\" L1\ncdu SMITHS_FMS EXEC", true},  // put in before it
        {smiths, "cdu SMITHS_FMS RTE NEXT DEL L1\ncdu SMITHS_FMS EXEC", true},  // one before it deleted
        {smiths, "cdu SMITHS_FMS DEP_ARR L1 L1 R1\ncdu SMITHS_FMS EXEC", true}, // a SID put in
        {smiths, "cdu SMITHS_FMS LEGS \"HQM\" L1\ncdu SMITHS_FMS L6", false},   // ERASE
        {gns, "gns GNSXLS L1 B T G\ngns GNSXLS ENT\ngns GNSXLS ENT", true},     // put in before it
        {gns, "gns GNSXLS L2\ngns GNSXLS ERASE\ngns GNSXLS ENT", true},         // one before it deleted
        {gns, "gns GNSXLS L1\ngns GNSXLS ERASE\ngns GNSXLS ENT", false},        // the origin: written over
    };
    for (const auto& row : rows) {
        restart();
        EXPECT_EQ(script_fault(lines(row.start)), "");
        ASSERT_EQ(hold_count(), 1);
        const std::string fix = hold_list[1].ident;
        const int before = hold_list[1].active_index();
        EXPECT_EQ(script_fault(lines(row.edit)), "") << row.edit;
        ASSERT_EQ(hold_count(), 1) << row.edit;
        const HoldEntry& h = hold_list[1];
        EXPECT_EQ(h.active_index() != before, row.moves) << row.edit;
        EXPECT_EQ(active_plan[h.active_index()].ident, fix) << row.edit << "\n" << plan();
        EXPECT_EQ(working_plan[h.working_index()].ident, fix) << row.edit;
        EXPECT_EQ(hold_mark(active_plan, h.active_index()), 1) << row.edit;
    }
}

// What stands beside an entry by its id (its prediction, passing time and
// hold) goes with it when another unit puts an entry in before it or takes
// one out, and the array other modules read shows it where the entry went.
// An entry put in ahead or taken out changes the route: the profile made
// again for it predicts the entry anew, from where the aircraft is, on its
// path.
TEST_F(ActiveLegKeys, WhatStandsBesideAnEntryGoesWithItThroughAnotherUnitsEdits) {
    const std::string start = std::string(kGnsRoute) + "cdu SMITHS_FMS HOLD L3 L6 EXEC\n";
    const struct {
        const char* edit;
        int shift; // where the entry went
        bool active;
        bool same_profile;
    } rows[] = {
        {"gns GNSXLS L1 B T G\ngns GNSXLS ENT\ngns GNSXLS ENT", 1, true, false}, // put in before it
        {"gns GNSXLS L2\ngns GNSXLS ERASE\ngns GNSXLS ENT", -1, true, false},    // one before it deleted
        {"cdu SMITHS_FMS LEGS \"HQM\" L1", 2, false, true}, // with a gap, pending on the CDU
    };
    for (const auto& row : rows) {
        restart();
        EXPECT_EQ(script_fault(lines(start)), "");
        ASSERT_EQ(hold_count(), 1);
        const int before = hold_list[1].active_index();
        const RouteWaypoint was = active_plan[before];
        const double altitude = predicted_altitude(was), speed = predicted_speed(was);
        ASSERT_NE(altitude, was.alt_constraint); // a prediction stands for it
        plan_marks.stamp(was, "12:34");
        publish_flown_plan();
        EXPECT_EQ(script_fault(lines(row.edit)), "") << row.edit;

        const RoutePlan& plan = row.active ? active_plan.plan() : working_plan;
        const int now = before + row.shift;
        ASSERT_EQ(plan[now].id, was.id) << row.edit << "\n" << this->plan();
        EXPECT_EQ(plan[now].ident, was.ident) << row.edit;
        if (row.same_profile) {
            EXPECT_EQ(predicted_altitude(plan[now]), altitude) << row.edit;
            EXPECT_EQ(predicted_speed(plan[now]), speed) << row.edit;
        } else {
            EXPECT_NEAR(predicted_altitude(plan[now]),
                        active_profile().altitude_at(path_distance_through(now)), 100.0)
                << row.edit;
        }
        EXPECT_EQ(hold_mark(plan, now), 1) << row.edit;
        if (!row.active) continue;
        EXPECT_EQ(passing_time(plan[now]), "12:34") << row.edit;
        for (int i = 0; i <= active_plan_last; ++i) {
            const RouteWaypoint& p = active_plan_entries[i];
            EXPECT_EQ(p.ident, active_plan[i].ident) << row.edit << " " << i;
            EXPECT_EQ(p.alt_constraint, predicted_altitude(active_plan[i])) << row.edit << " " << i;
            EXPECT_EQ(p.speed_constraint, predicted_speed(active_plan[i])) << row.edit << " " << i;
            EXPECT_EQ(p.passing_time, i == now ? "12:34" : "") << row.edit << " " << i;
            EXPECT_EQ(p.hold_number, i == now ? 1 : 0) << row.edit << " " << i;
        }
    }
}
