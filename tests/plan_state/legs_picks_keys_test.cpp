// A fix picked with a row key of RTE LEGS (for a direct-to, or to hold at)
// and acted on with a later key is the fix the pilot picked, though an edit
// in between moved the entries under the pick.
#include "plan_keys_fixture.h"

#include "fms/units/cdu_text.h"

namespace {

class LegsPicks : public PlanKeysTest {
  protected:
    void after_start() override { start_west_of_the_route(); }
};

// The example route from the GNS, flown from OLM to TOUTL.
const char* const kGnsToToutl =
    "gns GNSXLS R2 R2 ENT\nframes 1\ngns GNSXLS R5 ENT\nframes 1\nmcu MCU TO\nmcu MCU NEXT NEXT NEXT NEXT\n";

} // namespace

TEST_F(LegsPicks, ALaterKeyActsOnThePickedFix) {
    // L2 picks KELSO, the fix after the TO.
    const struct {
        const char *pick, *between, *act;
        float y; // where the SMITHS_FMS shows the outcome
        const char* outcome;
    } rows[] = {
        // The GNS deletes the FROM: the direct-to flies to KELSO.
        {"cdu SMITHS_FMS DIR L2", "gns GNSXLS L1\ngns GNSXLS ERASE\ngns GNSXLS ENT",
         "cdu SMITHS_FMS L6\ncdu SMITHS_FMS EXEC\ncdu SMITHS_FMS LEGS", 33, "KELSO"},
        // SEA deleted and executed: RTE HOLD shows the hold at KELSO.
        {"cdu SMITHS_FMS HOLD L2", "cdu SMITHS_FMS RTE NEXT DEL L1\ncdu SMITHS_FMS EXEC",
         "cdu SMITHS_FMS HOLD L6\nframes 1", 33, "KELSO"},
        // KELSO deleted (a discontinuity in its place): no direct-to to that.
        {"cdu SMITHS_FMS DIR L2", "cdu SMITHS_FMS DEL L2\ncdu SMITHS_FMS EXEC", "cdu SMITHS_FMS DIR L6", 227,
         "INVALID ENTRY"},
        // A route without KELSO loaded over the plan: no hold at the fix at its index.
        {"cdu SMITHS_FMS HOLD L2", "route load KSEAKYKM.PLN", "cdu SMITHS_FMS HOLD L6", 227, "INVALID ENTRY"},
        // Letters typed on the GNS, or a letter typed and cleared on the
        // SMITHS, leave the pick.
        {"cdu SMITHS_FMS HOLD L2", "gns GNSXLS FPL L3\ngns GNSXLS \"OLM\"",
         "cdu SMITHS_FMS HOLD L6\nframes 1", 33, "KELSO"},
        {"cdu SMITHS_FMS HOLD L2", "cdu SMITHS_FMS X CLR", "cdu SMITHS_FMS HOLD L6\nframes 1", 33, "KELSO"},
        // Another fix typed over the pick is the one acted on.
        {"cdu SMITHS_FMS HOLD L2", "cdu SMITHS_FMS CLR CLR CLR CLR CLR \"OLM\"", "cdu SMITHS_FMS L6", 227,
         "HOLD AT OLM"},
        // A fix looked up to hold at, the MCU's own list made meanwhile.
        {"cdu SMITHS_FMS HOLD \"OLM\" L6", "mcu MCU DIRTO",
         "cdu SMITHS_FMS L2\ncdu SMITHS_FMS HOLD\nframes 1", 33, "OLM"},
        {"cdu SMITHS_FMS DIR L2", "cdu SMITHS_FMS CLR CLR CLR CLR CLR \"OLM\"",
         "cdu SMITHS_FMS L6\ncdu SMITHS_FMS EXEC\ncdu SMITHS_FMS LEGS", 33, "OLM  "},
    };
    for (const auto& row : rows) {
        restart();
        const std::string script = std::string(kGnsToToutl) + row.pick + "\n" + row.between + "\n" + row.act;
        EXPECT_EQ(script_fault(lines(script)), "") << script;
        EXPECT_EQ(text_at(0, row.y), row.outcome) << script;
        // A hold added at the pick uses it up.
        if (std::string(row.act).starts_with("cdu SMITHS_FMS HOLD L6")) {
            EXPECT_EQ(smiths_hold_at_leg, 0) << script;
        }
    }
}
