// DEPARTURES, ARRIVALS and RTE LEGS on routes built by keys: the airports
// they name, the choices they mark and how their rows fit the page.
#include "cdu_stand_in.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"

#include <fstream>

namespace {

class ProcedurePagesKeys : public CduStandIn {
  protected:
    // The example route without its approach line.
    void prepare_sim_folder(const std::string& root) override {
        const std::string folder = root + "/orvex/flightplans/";
        std::ifstream in(folder + "KSEAKPDX.RTE");
        std::ofstream out(folder + "NOAPP.RTE");
        for (std::string line; std::getline(in, line);)
            if (line.rfind("ApproachInfo", 0) != 0) out << line << "\n";
    }
    // The two titles as DEP/ARR INDEX opens the pages.
    std::string titles() {
        press("DEP_ARR L1");
        frames(1); // the page a key opens draws from the next frame on
        const std::string departures = text_at(25, 0);
        press("DEP_ARR R2");
        frames(1);
        return departures + "|" + text_at(40, 0);
    }
};

} // namespace

// Each step goes on from the one before.
TEST_F(ProcedurePagesKeys, theTitlesNameTheRoutesAirportsBeforeAndAfterExec) {
    const struct {
        const char* keys;
        const char* titles;
    } steps[] = {
        {"RTE \"KSEA\" L1 \"KPDX\" R1", "KSEA DEPARTURES|KPDX ARRIVALS"}, // typed on RTE
        {"RTE \"NOAPP\" L2 R6 EXEC", "KSEA DEPARTURES|KPDX ARRIVALS"},
        {"RTE \"KYKM\" R1", "KSEA DEPARTURES|KYKM ARRIVALS"}, // a new destination, modified
        {"EXEC", "KSEA DEPARTURES|KYKM ARRIVALS"},
    };
    for (const auto& step : steps) {
        press(step.keys);
        EXPECT_EQ(titles(), step.titles) << step.keys;
    }
}

// An approach chosen in a modification and erased leaves the plan's own
// approach marked, wherever ERASE was pressed.
TEST_F(ProcedurePagesKeys, afterEraseArrivalsMarksThePlansApproach) {
    for (const char* erase : {"L6", "LEGS L6"}) {
        press("RTE \"NOAPP\" L2 R6 EXEC DEP_ARR R2 R3 EXEC"); // I28R, on row 3
        press("DEP_ARR R2 R2");                               // I28L, on row 2
        ASSERT_EQ(route_state, kRouteStateActiveModified);
        press(erase);
        ASSERT_EQ(route_state, kRouteStateActive) << erase;
        press("DEP_ARR R2");
        frames(1);
        EXPECT_EQ(text_at(127, 99), "<ACT>") << erase;
        EXPECT_EQ(text_at(127, 66), "") << erase;
    }
}
