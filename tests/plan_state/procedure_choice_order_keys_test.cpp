// The plan mirrors the last procedure choices, in whatever order the pilot
// pressed them: each row's plan is written from the example data's legs
// (examples/sim/orvex/navdata: sids.txt, stars.txt, apps.txt).
#include "plan_keys_fixture.h"
#include "plan_state_check.h"

#include "fms/plan/route_plan.h"
#include "fms/plan/selection_texts.h"

#include <string>

namespace {

// KSEA SEA V23 OLM KPDX, executed on the ground.
const char* const kRoute =
    "cdu SMITHS_FMS RTE \"KSEA\" L1 \"KPDX\" R1 NEXT \"SEA\" R1 \"V23\" L2 \"OLM\" R2 R6 EXEC\n"
    "frames 2\n";
const std::string kEnRoute = "KSEA SEA FOXXE NISQL OLM";

// ARRIVALS of KPDX, opened afresh: STARs LAVVA2 (L1) and HHOOD2 (L2), the
// chosen STAR's transitions OLM (L2) and SEA (L3); approaches I10R (R1),
// I28L (R2), I28R (R3), then runways 10R (R4) and 28L (R5); a chosen
// approach's transitions from R2.
std::string arr(const std::string& keys) {
    return "cdu SMITHS_FMS DEP_ARR R2 " + keys + "\nframes 1\n";
}

class ProcedureChoiceOrder : public PlanKeysTest {
  protected:
    void after_start() override { start_west_of_the_route(); }
    static std::string idents(const RoutePlan& plan, int last) {
        std::string out;
        for (int i = 0; i <= last; ++i)
            out += (i ? " " : "") + plan[i].ident;
        return out;
    }
    std::string flown() { return idents(active_plan, active_plan_last); }
    std::string pending() { return idents(working_plan, working_plan_last); }
};

} // namespace

TEST_F(ProcedureChoiceOrder, theArrivalIsTheLastChoicesWhicheverCameFirst) {
    const std::string lavva_28l = " LAVVA YACLT DISCO SANDY COBRA KPDX";
    const struct {
        const char* what;
        std::string keys;
        std::string plan; // after the keys and EXEC
    } rows[] = {
        {"a STAR alone", arr("L1"), kEnRoute + " LAVVA KPDX"},
        {"its transition joins the route at OLM", arr("L1 L2"), kEnRoute + " TOUTL KELSO LAVVA KPDX"},
        {"STAR then approach", arr("L1") + arr("R2"), kEnRoute + lavva_28l},
        {"approach then STAR", arr("R2") + arr("L1"), kEnRoute + lavva_28l},
        {"a STAR after the approach replaces the old one", arr("L1") + arr("R2") + arr("L2"),
         kEnRoute + " HHOOD CLACK DISCO SANDY COBRA KPDX"},
        {"a STAR transition after the approach", arr("L1") + arr("R2") + arr("L1 L2"),
         kEnRoute + " TOUTL KELSO" + lavva_28l},
        {"the same STAR again keeps the approach", arr("L1 R4") + arr("R1 R2") + arr("L1"),
         kEnRoute + " LAVVA SAUVI MELLO ROSIE KPDX"},
        {"another approach after one executed", arr("L1") + arr("R1") + "cdu SMITHS_FMS EXEC\n" + arr("R2"),
         kEnRoute + lavva_28l},
        {"approach, STAR, then the approach's transition", arr("R2") + arr("L1") + arr("R2 R3"),
         kEnRoute + " LAVVA YACLT DISCO HHOOD GRSHM SANDY COBRA KPDX"},
        {"a runway the approach does not serve drops it", arr("L1") + arr("R2") + arr("R4"),
         kEnRoute + " LAVVA SAUVI KPDX"},
        {"ERASE brings the executed arrival back",
         arr("L1") + "cdu SMITHS_FMS EXEC\n" + arr("L2") + arr("L6"), kEnRoute + " LAVVA KPDX"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        restart();
        run(kRoute);
        run(row.keys);
        run("cdu SMITHS_FMS EXEC\nframes 1");
        EXPECT_EQ(flown(), row.plan);
        for (const std::string& fault : plan_state_faults())
            ADD_FAILURE() << fault;
    }
}

// A new destination drops the old one's arrival and its choices, pending
// and executed.
TEST_F(ProcedureChoiceOrder, aNewDestinationDropsTheOldArrival) {
    for (const bool exec : {false, true}) {
        SCOPED_TRACE(exec ? "executed" : "pending");
        restart();
        run(kRoute);
        run(arr("L1") + arr("R2") + "cdu SMITHS_FMS EXEC\ncdu SMITHS_FMS RTE \"KYKM\" R1\nframes 1");
        if (exec) run("cdu SMITHS_FMS EXEC\nframes 1");
        EXPECT_EQ(exec ? flown() : pending(), kEnRoute + " KYKM");
        EXPECT_EQ(sel_star, "------");
        EXPECT_EQ(sel_approach, "------");
    }
}

// A SID chosen after another takes none of the first one's transition.
TEST_F(ProcedureChoiceOrder, aNewSidTakesNoTransitionItLacks) {
    restart();
    run(kRoute);
    // SUMMA2 via OLM from 16L, then HAROB3.
    run("cdu SMITHS_FMS DEP_ARR L1 L1 L3 R1\nframes 1\ncdu SMITHS_FMS DEP_ARR L1 L2\nframes 1\n"
        "cdu SMITHS_FMS EXEC\nframes 1");
    // Its legs for 16L: heading 162, track 162 to 5 DME, JAWBN, HAROB.
    EXPECT_EQ(sel_sid, "HAROB3");
    EXPECT_EQ(sel_sid_transition, "------");
    EXPECT_EQ(flown(), "KSEA HD162 TR162 JAWBN HAROB SEA FOXXE NISQL OLM KPDX");
    for (int i = 1; i <= active_plan_last; ++i) {
        const RouteWaypoint& w = active_plan[i];
        if (w.kind == "SID") {
            EXPECT_TRUE(w.via.empty() || w.via == "HAROB3") << w.via;
        }
    }
}
