// The stand-in aircraft flies a six-waypoint plan on LNAV alone: every
// waypoint sequences in order and, once the first turn is flown, the
// aircraft stays within 1 NM of the leg it flies.
#include "update_fixture.h"

#include "data/module_settings.h"
#include "fms/plan/entry_marks.h"

#include <algorithm>
#include <cmath>

namespace {

using ClosedLoop = UpdateTest;

TEST_F(ClosedLoop, LnavFliesTheWholePlan) {
    host::AircraftModel& m = host::aircraft();
    m.altitude_ft = 3000.0;
    m.ias_kt = 180.0;
    m.magvar_deg = 2.0;
    m.wind_from_deg = 270.0;
    m.wind_speed_kt = 15.0;
    WptChgSecs = 15.0; // about 0.8 NM at this speed: turns of up to 60 degrees begin in time

    const PlanPoint p0{"P0", 47.3, 8.2};
    std::vector<PlanPoint> plan{p0};
    const double courses[] = {0.0, 40.0, 100.0, 50.0, 350.0};
    for (int i = 0; i < 5; ++i)
        plan.push_back(offset("P" + std::to_string(i + 1), plan.back(), courses[i], 12.0));
    place(p0.lat, p0.lon, 0.0);
    activate(plan);

    std::vector<int> to_sequence{to_waypoint_index};
    double worst_after_first_turn = 0.0;
    int passes_since_first = -1;
    for (int i = 0; i < 18 * 60 * 30 && lnav_engaged == 1; ++i) {
        pass();
        if (to_waypoint_index != to_sequence.back()) to_sequence.push_back(to_waypoint_index);
        if (to_sequence.size() > 1) ++passes_since_first;
        if (passes_since_first > 18 * 60) // a minute after the first sequencing
            worst_after_first_turn = std::max(worst_after_first_turn, cross_track_nm);
    }
    EXPECT_EQ(to_sequence, (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(lnav_engaged, 0); // reaching the last waypoint ends LNAV
    for (int i = 1; i <= 5; ++i)
        EXPECT_EQ(passing_time(active_plan[i]).substr(0, 3), "12:") << i;
    EXPECT_GT(worst_after_first_turn, 0.0);
    EXPECT_LT(worst_after_first_turn, 1.0);
    double d = 0.0, course = 0.0;
    gc_dist_course(aircraft_state.plat, aircraft_state.plon, plan[5].lat, plan[5].lon, &d, &course);
    EXPECT_LT(d, 1.0);
}

} // namespace
