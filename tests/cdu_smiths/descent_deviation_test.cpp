// The vertical deviation the pages and the ND read in a descent flown on
// VNAV: near 0 at the T/D, and smooth while the aircraft follows the path,
// through the turns and the sequencing of every waypoint of the descent.
#include "cdu_stand_in.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/guidance/route_progress.h"
#include "fms/perf/vnav_phase.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/vertical_state.h"
#include "sim_state.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

class DescentDeviation : public CduStandIn {};

} // namespace

TEST_F(DescentDeviation, isNearZeroAtTheTodAndStepsNoMoreThanTheDescentThroughEachWaypoint) {
    run("aircraft magvar 18\naircraft position 47.4638 -122.3079\naircraft heading 162\naircraft altitude "
        "433\n"
        "aircraft speed 0\naircraft engines 2\naircraft fuel 20000\naircraft ap on\naircraft ap hdg on\n"
        "aircraft ap alt on\nframes 10\nroute load KSEAKPDX.RTE\nframes 2\nkey 0x10337\nkey 0x10338\nframes "
        "2\n"
        "aircraft rate 4\naircraft speed 160\nkey 0x1024C 3000\nfly 300\naircraft speed 280\naircraft ap spd "
        "on\n");
    ASSERT_EQ(vnav_engaged, 1);
    for (int i = 0; i < 3000 && vnav_phase != VnavPhase::Descent; ++i)
        run("fly 6\n");
    ASSERT_EQ(vnav_phase, VnavPhase::Descent);
    const auto deviation = [] { return host::aircraft().altitude_ft - descent_path_altitude; };
    run("fly 6\n");
    EXPECT_LT(std::fabs(deviation()), 300.0);

    // Until the end of the descent's first segment or 2 000 ft above the
    // field: what the aircraft itself changes (its descent over the frames)
    // bounds a step of the path flown alongside it.
    const int sequenced_from = to_waypoint_index;
    double previous = deviation(), largest = 0.0;
    for (int i = 0; i < 400 && vnav_phase == VnavPhase::Descent && host::aircraft().altitude_ft > 2500.0;
         ++i) {
        run("fly 6\n");
        const double d = deviation();
        largest = std::max(largest, std::fabs(d - previous));
        previous = d;
    }
    EXPECT_GT(to_waypoint_index, sequenced_from); // waypoints were sequenced on the way
    EXPECT_LT(largest, 150.0);
}
