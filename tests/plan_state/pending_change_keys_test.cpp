// Three units edit one plan: the SMITHS keeps its change pending until EXEC,
// the GNS and the MCU edit the flown plan at once. An edit of the flown plan
// on one unit while the SMITHS holds a modification ends the modification,
// and the SMITHS says so: EXEC or ERASE afterwards never undoes the edit.
#include "plan_keys_fixture.h"

#include "fms/guidance/lateral_guidance.h"
#include "fms/plan/route_state.h"
#include "fms/units/smiths_scratchpad.h"
#include "sim/panel_services.h"

namespace {

class PendingChangeKeys : public PlanKeysTest {
  protected:
    void after_start() override { start_west_of_the_route(); }
    // What a pilot edits in the flown plan, an entry a line: the TO
    // starred, ident, constraint, hold.
    static std::vector<std::string> flown() {
        std::vector<std::string> out;
        for (int i = 0; i <= active_plan_last; ++i) {
            const RouteWaypoint& w = active_plan[i];
            const int alt = w.constrained == 1 ? static_cast<int>(w.alt_constraint) : 0;
            out.push_back((i == to_waypoint_index ? "*" : "") + w.ident + " " + std::to_string(alt) + " h" +
                          std::to_string(w.hold_number));
        }
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
// A constraint typed on RTE LEGS for the leg after the TO: EXEC lit.
const char* const kSmithsConstraint = "cdu SMITHS_FMS LEGS \"/9000\" R2";

} // namespace

// For each edit on the GNS and the MCU made while the SMITHS constraint is
// pending: the edit stays in the flown plan through the SMITHS's EXEC or
// ERASE, and the SMITHS's message line says its modification is gone.
TEST_F(PendingChangeKeys, AnEditOnAnotherUnitEndsTheSmithsModificationAndSaysSo) {
    const struct {
        const char *kind, *edit, *said;
    } rows[] = {
        {"GNS insert", "gns GNSXLS L2 K E L S O\ngns GNSXLS ENT\ngns GNSXLS ENT", "MOD ERASED: GNS EDIT"},
        {"GNS delete", "gns GNSXLS L3\ngns GNSXLS ERASE\ngns GNSXLS ENT", "MOD ERASED: GNS EDIT"},
        {"GNS direct-to", "gns GNSXLS DIRECT L3 ENT", "MOD ERASED: GNS EDIT"},
        {"GNS approach",
         "gns GNSXLS L5 L5 ENT\ngns GNSXLS ENT ENT\ngns GNSXLS L3 ENT\ngns GNSXLS L3 ENT\ngns GNSXLS ENT",
         "MOD ERASED: GNS EDIT"},
        {"GNS hold", "gns GNSXLS L3\ngns GNSXLS HOLD", "MOD ERASED: GNS EDIT"},
        {"MCU direct-to", "mcu MCU DIRTO ENTRY\nkeyboard type \"KELSO\"\nframes 1\nmcu MCU ENTER",
         "MOD ERASED: MCU EDIT"},
        {"MCU constraint", "mcu MCU LEGS LEGSEDIT UP UP\nmcu MCU ENTER", "MOD ERASED: MCU EDIT"},
        {"MCU hold", "mcu MCU HOLD", "MOD ERASED: MCU EDIT"},
        {"MCU TO stepped", "mcu MCU TO\nmcu MCU NEXT", "MOD ERASED: MCU EDIT"},
        {"MCU route load", "mcu MCU FPLN ENTER\nframes 2", "MOD ERASED: MCU EDIT"},
    };
    for (const char* end : {"cdu SMITHS_FMS EXEC", "cdu SMITHS_FMS LEGS L6"})
        for (const auto& row : rows) {
            restart();
            steps(kRouteOnToutl);
            lnav_engaged = 1; // the MCU holds only under LNAV
            steps(kSmithsConstraint);
            ASSERT_EQ(route_state, kRouteStateActiveModified) << plan();
            const std::vector<std::string> before = flown();
            steps(row.edit);
            const std::vector<std::string> edited = flown();
            EXPECT_NE(edited, before) << row.kind << ": the edit was not made";
            EXPECT_EQ(smiths_scratchpad_message, row.said) << row.kind;
            steps(end);
            EXPECT_EQ(flown(), edited) << row.kind << ", then " << end;
        }
}
