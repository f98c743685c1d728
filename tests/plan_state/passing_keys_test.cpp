// Which waypoints are passed, by keys: none ahead of the aircraft when LNAV
// engages, none on the ground, so that a SID chosen at the gate is flown from
// its first leg; and what a GNS edit at the origin or before a constrained
// fix leaves.
#include "plan_keys_fixture.h"

#include "fms/plan/route_plan.h"

namespace {

class PassingKeys : public PlanKeysTest {
  protected:
    void after_start() override { start_west_of_the_route(); }
    // The TO's identifier after the script, which must break no rule.
    std::string to_after(const std::string& script) {
        restart();
        EXPECT_EQ(script_fault(lines(script)), "") << script;
        return to_waypoint_index == kNoToWaypoint ? "none" : active_plan[to_waypoint_index].ident;
    }
};

// KSEA to KPDX on the SMITHS, and on the GNS (its stored plan activated).
const char* const kPassingSmithsRoute = "route load KSEAKPDX.RTE\nframes 3\n";
const char* const kPassingGnsRoute = "gns GNSXLS R2 R2 ENT\nframes 1\ngns GNSXLS R5 ENT\nframes 1\n";
// Parked at the gate, and lined up on 16L, with LNAV off.
const char* const kAtTheGate = "aircraft position 47.4490 -122.3093\naircraft altitude 433\n"
                               "aircraft speed 0\nframes 1\n";
const char* const kOn16L = "aircraft position 47.4638 -122.3081\naircraft heading 162\n"
                           "aircraft altitude 433\naircraft speed 0\nframes 1\n";
// DUWAM 7.7 NM ahead of 16L, then back north to PARKK, executed.
const char* const kDuwamParkk =
    "cdu SMITHS_FMS RTE \"KSEA\" L1 \"KPDX\" R1 NEXT \"DUWAM\" R1 \"PARKK\" R2 R6\n"
    "cdu SMITHS_FMS EXEC\nframes 30\n";
// In flight past SEA on the leg to FOXXE, on the autopilot's heading (read
// once a second), LNAV then pressed.
const char* const kPastSea = "aircraft altitude 5000\naircraft speed 250\naircraft heading 200\n"
                             "aircraft position 47.38 -122.40\nframes 18\n";
const char* const kOnHeadingHold = "aircraft ap on\naircraft ap hdg on\n";
// Past FOXXE, FOXXE made the TO again on the MCU, LNAV then pressed: FOXXE
// lies behind, NISQL 7.3 NM ahead.
const char* const kPastFoxxe = "mcu MCU TO\nmcu MCU NEXT\naircraft altitude 5000\naircraft speed 250\n"
                               "aircraft heading 221\n"
                               "aircraft position 47.2183 -122.5890\nframes 18\n";
const char* const kLnavOn = "mcu MCU LNAV\nframes 1\nframes 1\nframes 1\nframes 20\n";

} // namespace

// The TO where the aircraft's leg puts it: LNAV engaged past a fix settles on
// the leg flown; on the ground nothing is passed and a SID, chosen before or
// after EXEC on the SMITHS or inserted on the GNS, is flown from its first
// leg; the origin deleted on the GNS under the TO leaves the TO on its fix.
TEST_F(PassingKeys, TheToIsTheFixOfTheLegFlown) {
    const struct {
        std::string script;
        const char* to;
    } rows[] = {
        {std::string(kPassingSmithsRoute) + kOnHeadingHold + kPastSea + kLnavOn, "FOXXE"},
        {std::string(kPassingSmithsRoute) + kOnHeadingHold + kPastFoxxe + kLnavOn, "NISQL"},
        // A reversal's turn anticipation reaches the aircraft, which stands still.
        {std::string(kOn16L) + kDuwamParkk, "DUWAM"},
        {std::string(kOn16L) + kDuwamParkk +
             "cdu SMITHS_FMS DEP_ARR L1 L1 R1\ncdu SMITHS_FMS EXEC\nframes 30",
         "HD162"},
        {std::string(kAtTheGate) + kPassingSmithsRoute +
             "cdu SMITHS_FMS DEP_ARR L1 L1 R1\ncdu SMITHS_FMS EXEC\nframes 30",
         "HD162"},
        {std::string(kAtTheGate) + "cdu SMITHS_FMS RTE \"KSEA\" L1 \"KPDX\" R1 NEXT \"SEA\" R1 \"OLM\" R2\n"
                                   "cdu SMITHS_FMS DEP_ARR L1 L1 R1\ncdu SMITHS_FMS RTE R6\n"
                                   "cdu SMITHS_FMS EXEC\nframes 30",
         "HD162"},
        // SEA is 0.8 NM from the gate.
        {std::string(kAtTheGate) + kPassingGnsRoute + "frames 30", "SEA"},
        {std::string(kAtTheGate) + kPassingGnsRoute +
             "frames 30\ngns GNSXLS L4 L4 ENT\ngns GNSXLS L4 ENT\n"
             "gns GNSXLS L3 ENT\ngns GNSXLS ENT\nframes 30",
         "HD162"},
        // 20 NM north of SEA, flying to it.
        {std::string(kPassingGnsRoute) + "aircraft altitude 5000\naircraft speed 250\naircraft heading 180\n"
                                         "aircraft position 47.77 -122.31\nframes 1\n"
                                         "gns GNSXLS L1\ngns GNSXLS ERASE\ngns GNSXLS ENT",
         "SEA"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(to_after(row.script), row.to) << row.script << "\n" << plan();
}
