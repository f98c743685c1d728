// Edits by keys that once left the plans, the holds, the TO waypoint or a
// pending change out of step, each checked against the plan-state rules.
#include "plan_keys.h"
#include "plan_state_check.h"

#include "fms/plan/holds.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/procedures/selection_texts.h"
#include "fms/published_values.h"

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
    run("route load KSEAKPDX.RTE\nframes 3\ncdu SMITHS_FMS HOLD");
    std::printf("%s\n", dump().c_str());
    run("cdu SMITHS_FMS L3 L6 EXEC LEGS");
    std::printf("%s\n", dump().c_str());
    for (int s = 1; s <= hold_count(); ++s) std::printf("hold %d %s %d %d\n", s, hold_list[s].ident.c_str(), hold_list[s].active_index, hold_list[s].working_index);
}
