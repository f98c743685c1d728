// Procedure choices the plan hunt found wrong, by keys: each row's plan is
// written from the example data's legs (examples/sim/orvex/navdata), and the
// checker's own reading of those files is held to them too.
#include "plan_keys_fixture.h"
#include "plan_state_check.h"
#include "shared/procedure_legs_table.h"

#include "fms/plan/route_plan.h"

#include <string>

namespace {

std::string idents(const RoutePlan& plan) {
    std::string out;
    for (int i = 0; i <= plan.last(); ++i)
        out += (i ? " " : "") + plan[i].ident;
    return out;
}

// The example route loaded from its file: LAVVA2 via OLM for 10R, and the
// file's I10R with its legs.
const char* const kLoaded = "route load KSEAKPDX.RTE\nframes 3\n";

class ProcedureChoiceKeys : public PlanKeysTest {};

} // namespace

TEST_F(ProcedureChoiceKeys, aChoiceKeepsTheLegsFlownAndEachOtherUnitsPlanItsOwn) {
    const struct {
        const char* what;
        std::string keys;
        bool flown;       // the flown plan, else the one pending
        std::string plan; // after the keys
        std::string star, approach;
    } rows[] = {
        {"a runway changed past LAVVA goes on from LAVVA, not back to OLM",
         std::string(kLoaded) + "aircraft position 46.00005 -122.57972\ngns GNSXLS DIRECT L4 ENT\n"
                                "cdu SMITHS_FMS DEP_ARR R2\ncdu SMITHS_FMS R5",
         false, "KSEA SEA FOXXE NISQL OLM TOUTL DIRECT KELSO LAVVA YACLT KPDX", "LAVVA2", "------"},
        {"a second runway in the same change still keeps the legs flown",
         std::string(kLoaded) + "aircraft position 46.00005 -122.57972\ngns GNSXLS DIRECT L4 ENT\n"
                                "cdu SMITHS_FMS DEP_ARR R2\ncdu SMITHS_FMS R5\ncdu SMITHS_FMS R1",
         false, "KSEA SEA FOXXE NISQL OLM TOUTL DIRECT KELSO LAVVA SAUVI KPDX", "LAVVA2", "------"},
        {"a stored plan activated on the GNS flies none of the old arrival",
         std::string(kLoaded) + "gns GNSXLS FPL FPL FPL FPL R2 ENT R5 ENT", true,
         "KPDX BTG LEWIS RAINR PUYAL SEA KSEA", "------", "------"},
        {"a GNS direct-to the closest airport drops the old arrival",
         std::string(kLoaded) + "gns GNSXLS DIRECT\ngns GNSXLS DIRECT L2 ENT", true, "KSEA KBFI", "------",
         "------"},
        {"an approach on a new plan that ends at its SID keeps the SID's last leg",
         "route load KSEAKYKM.PLN\naircraft position 47.20818 -121.26637\ncdu SMITHS_FMS DEP_ARR L1\n"
         "cdu SMITHS_FMS L3\ncdu SMITHS_FMS EXEC\ngns GNSXLS DIRECT\ncdu SMITHS_FMS \"UBG\" R6\n"
         "gns GNSXLS DIRECT L2 ENT\ncdu SMITHS_FMS INIT_REF L6 R2 L4\ncdu SMITHS_FMS DEP_ARR L1\n"
         "cdu SMITHS_FMS R1\ncdu SMITHS_FMS DEP_ARR R2\ncdu SMITHS_FMS R1",
         false, "KSEA HD162 SEA DISCO ZOSIM FOURT KSEA", "------", "I16L"},
        {"a route begun anew carries no approach of a file loaded before",
         "route load KSEAKPDX.RTE\nmcu MCU FPLN NEXT ENTER\ncdu SMITHS_FMS INIT_REF L6 R2 L4\n"
         "cdu SMITHS_FMS RTE \"KEUG\" L1 \"KSEA\" R1 NEXT \"HHOOD\" R1 \"KOLM\" R2 \"GLASR\" R3\n"
         "cdu SMITHS_FMS EXEC\ncdu SMITHS_FMS DEP_ARR R2\ncdu SMITHS_FMS L2",
         false, "KEUG HHOOD KOLM GLASR OLM NISQL KSEA", "OLM5", "------"},
        {"a stored route loaded as a change shows its file's approach with its legs before EXEC",
         "route load KSEAKYKM.PLN\ncdu SMITHS_FMS RTE \"KSEAKPDX\" L2", false,
         "KSEA SEA FOXXE NISQL OLM TOUTL KELSO LAVVA SAUVI DISCO MELLO ROSIE KPDX", "LAVVA2", "I10R"},
        {"a plan the MCU loads after a GNS activation is the one whose SIDs DEPARTURES lists",
         "gns GNSXLS FPL FPL FPL R2 ENT R5 ENT\ngns GNSXLS FPL FPL FPL R2 ENT R5 ENT\n"
         "mcu MCU FPLN NEXT NEXT ENTER\n"
         "gns GNSXLS NAV FPL L4 L4 ENT\ngns GNSXLS R1\ngns GNSXLS ENT\naircraft altitude 433\n"
         "aircraft speed 0\ncdu SMITHS_FMS DEP_ARR L1 L1",
         false, "KSEA SUMMA SEA ISSAQ SNOQL KEECH CLEEL ELN KYKM", "------", "------"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        restart();
        run(row.keys);
        const RoutePlan& plan = row.flown ? active_plan.plan() : working_plan;
        EXPECT_EQ(idents(plan), row.plan);
        EXPECT_EQ(plan.choices().star, row.star);
        EXPECT_EQ(plan.choices().approach, row.approach);
        for (const std::string& fault : plan_state_faults())
            ADD_FAILURE() << fault;
    }
}

// The checker's own reading of the procedure files.
TEST(ProcedureLegsTable, readsTheLegsAChoiceFlies) {
    using namespace procedure_table;
    const struct {
        const char* what;
        std::vector<std::string> legs, expected;
    } rows[] = {
        {"vectors are no leg", sid_legs("KSEA", "SEA7", "16L", "------"), {"HD162", "SEA"}},
        {"a runway fix before a code",
         sid_legs("KSEA", "SUMMA2", "34R", "BTG"),
         {"HD342", "HD070", "MAPLV", "SUMMA", "LEWIS", "BTG"}},
        {"no runway: only the legs of every runway",
         star_legs("KPDX", "LAVVA2", "------", "SEA"),
         {"SEA", "LEWIS", "KELSO", "LAVVA"}},
        {"an approach without a transition", approach_legs("KPDX", "I28L", "------"), {"SANDY", "COBRA"}},
        {"an IAF's own transition and the legs that name it",
         approach_legs("KPDX", "I28L", "HHOOD"),
         {"HHOOD", "GRSHM", "SANDY", "COBRA"}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.legs, row.expected) << row.what;
    EXPECT_EQ(approach_runway("KPDX", "I28R"), "28R");
}
