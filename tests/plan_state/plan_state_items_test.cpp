// Edits by keys that once left the plans, the holds, the TO waypoint or a
// pending change out of step, each checked against the plan-state rules.
#include "plan_keys.h"
#include "plan_state_check.h"

#include "fms/plan/holds.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/procedures/selection_texts.h"
#include "fms/published_values.h"
#include "fms/units/cdu_text.h"

#include <sstream>

namespace {

class PlanStateItems : public PlanKeys {
  protected:
    void run(const std::string& lines) {
        std::istringstream in(lines);
        for (std::string line; std::getline(in, line);) {
            if (line.empty()) continue;
            std::string error;
            ASSERT_TRUE(run_step(line, error)) << line << ": " << error;
        }
    }
    std::string dump() {
        std::string out;
        for (const std::string& t : texts())
            out += "[" + t + "]";
        return out;
    }
};

} // namespace

TEST_F(PlanStateItems, Explore) {
    const char* steps[] = {"cdu SMITHS_FMS DOT", "cdu SMITHS_FMS \"99999\" R4", "cdu SMITHS_FMS CRZ",
                           "cdu SMITHS_FMS \"OLM/090/10\" L1", "cdu SMITHS_FMS RTE", "cdu SMITHS_FMS \"KYKM\" R1"};
    for (const char* step : steps) {
        run(step);
        std::printf("%s: page %d state %d wlast %d w1 %s mark %d | %s\n", step, smiths_cdu_page, route_state,
                    working_plan_last, working_plan[1].ident.c_str(), to_waypoint_index * 1000 + active_plan_last, dump().c_str());
    }
}
