// Three units edit one plan: the SMITHS keeps its change pending until EXEC,
// the GNS and the MCU edit the flown plan at once. An edit of the flown plan
// on one unit while the SMITHS holds a modification ends the modification,
// and the SMITHS says so: EXEC or ERASE afterwards never undoes the edit.
#include "plan_keys_fixture.h"

#include "fms/guidance/lateral_guidance.h"
#include "fms/plan/holds.h"
#include "fms/plan/route_state.h"
#include "fms/units/gns_page_state.h"
#include "fms/units/gns_unit_state.h"
#include "fms/units/smiths_scratchpad.h"

#include <algorithm>

namespace {

class PendingChangeKeys : public PlanKeysTest {
  protected:
    void after_start() override { start_west_of_the_route(); }
    // The entries by id, each with its fix, constraint and hold.
    static std::vector<std::string> edit_lines() {
        std::vector<std::string> out;
        for (int i = 0; i <= active_plan_last; ++i) {
            const RouteWaypoint& w = active_plan[i];
            out.push_back(std::to_string(w.id) + " " + w.ident + " " +
                          std::to_string(w.altitude_kind == AltitudeKind::Pilot
                                             ? static_cast<int>(w.alt_constraint)
                                             : 0) +
                          " h" + std::to_string(hold_mark(active_plan, i)));
        }
        std::sort(out.begin(), out.end());
        return out;
    }
    // What a pilot edits in the flown plan: the entries and the TO.
    static std::vector<std::string> flown() {
        std::vector<std::string> out = edit_lines();
        out.push_back("TO " + std::to_string(to_waypoint_index));
        return out;
    }
    // Each line a step of its own, the plan-state rules checked after it.
    void steps(const std::string& text) {
        const std::string fault = script_fault(lines(text));
        EXPECT_EQ(fault, "") << text << "\n" << plan();
    }
};

// The example route activated on the GNS and stepped on the MCU to TOUTL.
const char* const kRouteOnToutl = "gns GNSXLS R2 R2 ENT\nframes 1\ngns GNSXLS R5 ENT\nframes 1\n"
                                  "mcu MCU TO\nmcu MCU NEXT NEXT NEXT NEXT\n";
// A constraint typed on RTE LEGS for the second leg after the TO: EXEC lit.
const char* const kSmithsConstraint = "cdu SMITHS_FMS LEGS \"/9000\" R3";

} // namespace

// For each edit on the GNS and the MCU made while the SMITHS constraint is
// pending: the edit stays in the flown plan through the SMITHS's EXEC or
// ERASE, and the SMITHS's message line says its modification is gone.
TEST_F(PendingChangeKeys, AnEditOnAnotherUnitEndsTheSmithsModificationAndSaysSo) {
    const char* const gns_direct = "gns GNSXLS DIRECT L3 ENT";
    const struct {
        const char *kind, *before, *edit; // before: steps ahead of the constraint
    } rows[] = {
        {"GNS insert", "", "gns GNSXLS L2 K E L S O\ngns GNSXLS ENT\ngns GNSXLS ENT"},
        {"GNS delete", "", "gns GNSXLS L3\ngns GNSXLS ERASE\ngns GNSXLS ENT"},
        {"GNS direct-to", "", gns_direct},
        {"GNS direct-to past an executed hold", "cdu SMITHS_FMS HOLD L2 L6\ncdu SMITHS_FMS EXEC", gns_direct},
        {"GNS approach", "",
         "gns GNSXLS L5 L5 ENT\ngns GNSXLS ENT ENT\ngns GNSXLS L3 ENT\ngns GNSXLS L3 ENT\ngns GNSXLS ENT"},
        {"GNS hold", "", "gns GNSXLS L3\ngns GNSXLS HOLD"},
        {"MCU direct-to", "", "mcu MCU DIRTO ENTRY\nkeyboard type \"KELSO\"\nframes 1\nmcu MCU ENTER"},
        {"MCU constraint", "", "mcu MCU LEGS LEGSEDIT UP UP\nmcu MCU ENTER"},
        {"MCU hold", "", "mcu MCU HOLD"},
        {"MCU TO stepped", "", "mcu MCU TO\nmcu MCU NEXT"},
        {"MCU route load", "", "mcu MCU FPLN ENTER\nframes 2"},
    };
    for (const char* end : {"cdu SMITHS_FMS EXEC", "cdu SMITHS_FMS LEGS L6"})
        for (const auto& row : rows) {
            restart();
            steps(kRouteOnToutl);
            lnav_engaged = 1; // the MCU holds only under LNAV
            steps(row.before);
            steps(kSmithsConstraint);
            ASSERT_EQ(route_state, kRouteStateActiveModified) << row.kind << "\n" << plan();
            const std::vector<std::string> before = flown();
            steps(row.edit);
            const std::vector<std::string> edited = flown();
            EXPECT_NE(edited, before) << row.kind << ": the edit was not made";
            const std::string unit(row.kind, 3);
            EXPECT_EQ(smiths_scratchpad_message, "MOD ERASED: " + unit + " EDIT") << row.kind;
            steps(end);
            EXPECT_EQ(flown(), edited) << row.kind << ", then " << end;
        }
}

// An edit made at once on one unit, then another unit's: both are in the
// flown plan, the SMITHS's after its EXEC, and nothing is said.
TEST_F(PendingChangeKeys, EditsOfDifferentUnitsAddUp) {
    const char* const gns = "gns GNSXLS L2 K E L S O\ngns GNSXLS ENT\ngns GNSXLS ENT";
    // The leg after the TO, which the GNS insertion does not touch.
    const char* const mcu = "mcu MCU LEGS NEXT LEGSEDIT UP UP\nmcu MCU ENTER";
    const std::string smiths = std::string(kSmithsConstraint) + "\ncdu SMITHS_FMS EXEC";
    const struct {
        std::string first, second;
    } pairs[] = {{gns, smiths}, {mcu, smiths}, {gns, mcu}, {mcu, gns}};
    for (const auto& pair : pairs) {
        restart();
        steps(kRouteOnToutl);
        std::vector<std::string> now = edit_lines(), added[2];
        for (int k = 0; k < 2; ++k) {
            const std::vector<std::string> before = now;
            steps(k == 0 ? pair.first : pair.second);
            now = edit_lines();
            std::set_difference(now.begin(), now.end(), before.begin(), before.end(),
                                std::back_inserter(added[k]));
            EXPECT_FALSE(added[k].empty()) << (k == 0 ? pair.first : pair.second) << ": not made";
        }
        for (const std::string& line : added[0])
            EXPECT_TRUE(std::binary_search(now.begin(), now.end(), line))
                << pair.first << " lost " << line << " to " << pair.second;
        EXPECT_EQ(smiths_scratchpad_message, "") << pair.first << "\n" << pair.second;
    }
}

// A stored plan opened on the GNS waits there for ACTIVATE, DIRECT's view of
// the route for ENT; another unit's plan put in the working plan closes
// either, and the GNS says whose. ENT afterwards flies nothing of the view.
TEST_F(PendingChangeKeys, AnotherUnitsPlanClosesWhatTheGnsHasOpenAloud) {
    const struct {
        const char *open, *closed; // the GNS keys, and what closing it says
    } opened[] = {
        {"gns GNSXLS FPL FPL R2 ENT", "FPL CLOSED"},
        {"gns GNSXLS DIRECT", "DIRECT CLOSED"},
        {"gns GNSXLS DIRECT \"SEA\" ENT ENT", "DIRECT CLOSED"}, // a fix put in the view
    };
    const struct {
        const char *edit, *whose;
    } edits[] = {
        {kSmithsConstraint, ": CDU EDIT"},
        {"cdu SMITHS_FMS RTE \"KPDXKSEA\" L2", ": CDU EDIT"},
        {"mcu MCU FPLN ENTER\nframes 2", ": MCU EDIT"}, // a route loaded
    };
    for (const auto& [open, closed] : opened)
        for (const auto& [edit, whose] : edits) {
            const std::string what = std::string(open) + " / " + edit;
            restart();
            steps(std::string(kRouteOnToutl) + open);
            const bool direct = gns_state != GNS_FLIGHT_PLAN;
            ASSERT_TRUE(direct ? gns_state == GNS_DIRECT : gns_plan_open == 1) << what << "\n" << plan();
            steps(edit);
            EXPECT_EQ(gns_plan_open, 0) << what;
            EXPECT_EQ(gns_state, GNS_FLIGHT_PLAN) << what;
            frames(1);
            bool said = false;
            const gfx::Recording& r =
                *gfx::surface_recording(sim_.gauges[1]->drawing_elements.at(0)->device_context);
            for (const gfx::RecordedOp& op : r.ops)
                said = said || (op.kind == gfx::OpKind::String && op.text == std::string(closed) + whose);
            EXPECT_TRUE(said) << what;
            const std::vector<std::string> before = flown();
            steps("gns GNSXLS ENT");
            if (direct) {
                EXPECT_EQ(flown(), before) << what << "\n" << plan();
            }
        }
}

// LNAV off leaves the hold being flown; the same hold leaves the pending
// modification, which stays, so EXEC keeps both the drop and the SMITHS's
// change. A hold only the modification has is not flown and stays.
TEST_F(PendingChangeKeys, LnavOffLeavesTheFlownHoldAndKeepsTheModification) {
    const struct {
        const char *kind, *before;
        std::string smiths;
        int holds; // after LNAV off and after EXEC
    } rows[] = {
        {"the MCU's hold flown", "mcu MCU HOLD", kSmithsConstraint, 0},
        {"a hold pending on the SMITHS", "", std::string("cdu SMITHS_FMS HOLD L3 L6\n") + kSmithsConstraint,
         1},
    };
    for (const auto& row : rows) {
        restart();
        steps(kRouteOnToutl);
        lnav_engaged = 1;
        steps(row.before);
        steps(row.smiths);
        ASSERT_EQ(route_state, kRouteStateActiveModified) << row.kind;
        steps("mcu MCU LNAV");
        EXPECT_EQ(lnav_engaged, 0) << row.kind;
        EXPECT_EQ(route_state, kRouteStateActiveModified) << row.kind;
        EXPECT_EQ(hold_count(), row.holds) << row.kind;
        steps("cdu SMITHS_FMS EXEC");
        ASSERT_EQ(hold_count(), row.holds) << row.kind;
        if (row.holds > 0) {
            EXPECT_GT(hold_list[1].active_index(), 0) << row.kind;
        }
        bool constrained = false;
        for (int i = 0; i <= active_plan_last; ++i)
            constrained = constrained || (active_plan[i].altitude_kind == AltitudeKind::Pilot &&
                                          active_plan[i].alt_constraint == 9000);
        EXPECT_TRUE(constrained) << row.kind << "\n" << plan();
    }
}
