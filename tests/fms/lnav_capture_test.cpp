// LNAV flies every TO in order where the geometry is hard: a short leg after
// a sharp turn at high speed, and routes exactly over a pole.
#include "update_fixture.h"

#include "test_environment_reset.h"

#include <algorithm>

namespace {

class LnavCapture : public UpdateTest {
  protected:
    // Flies the plan from its origin (or `start`) on LNAV until LNAV lets go
    // at its end, every TO in order; keeps the largest cross-track error once
    // a leg is captured (10 NM along it) and counts the waypoints passed
    // abeam (sequenced by the course-reversal check).
    double worst_xtk = 0.0;
    int passed_abeam = 0;
    void fly_to_the_end(const std::vector<PlanPoint>& plan, const PlanPoint& start) {
        double d = 0.0, heading = 0.0;
        gc_dist_course(start.lat, start.lon, plan[1].lat, plan[1].lon, &d, &heading);
        host::aircraft().sim_rate = 4.0;
        place(start.lat, start.lon, heading);
        activate(plan);
        int to = 1;
        worst_xtk = 0.0;
        passed_abeam = 0;
        for (int i = 0; i < 18 * 3600 && lnav_engaged == 1; ++i) {
            pass();
            if (to_waypoint_index != to) {
                EXPECT_EQ(to_waypoint_index, to + 1) << "at pass " << i;
                to = to_waypoint_index;
                passed_abeam += distance_to_to_prev_nm == -1.0;
            } else if (distance_to_to_nm < leg_distance_nm - 10.0) {
                worst_xtk = std::max(worst_xtk, cross_track_nm);
            }
        }
        EXPECT_EQ(lnav_engaged, 0) << "still flying to TO " << to_waypoint_index;
        EXPECT_EQ(to_waypoint_index, static_cast<int>(plan.size()) - 1);
    }
};

// At FL360 and about 540 kt the aircraft's turns are some 18 NM across: the
// 12 NM leg after a turn of 120 degrees, the last but one, lies inside the
// turn once passed, and turning back for it only circles it.
TEST_F(LnavCapture, AShortLegAfterASharpTurnAtHighSpeedIsNotCircled) {
    host::AircraftModel& m = host::aircraft();
    m.altitude_ft = m.ap_altitude_ft = 36000.0;
    m.ias_kt = 300.0;
    const PlanPoint p0{"P0", 47.0, 8.0};
    const PlanPoint p1 = offset("P1", p0, 0.0, 60.0);
    const PlanPoint p2 = offset("P2", p1, 240.0, 12.0);
    fly_to_the_end({p0, p1, p2, offset("P3", p2, 240.0, 60.0)}, offset("A", p1, 180.0, 30.0));
    EXPECT_EQ(passed_abeam, 1); // P2, once behind
}

// Over a pole every course changes in a step: a leg from a waypoint on the
// pole is flown along its own meridian, and a leg across the pole goes on
// down the other side.
TEST_F(LnavCapture, RoutesExactlyOverAPoleAreFlownLegByLeg) {
    struct Row {
        const char* what;
        std::vector<PlanPoint> plan;
    };
    const std::vector<Row> rows{
        {"a waypoint on the north pole",
         {{"P0", 89.0, -152.8}, {"P1", 90.0, -152.8}, {"P2", 88.1, 104.0}, {"P3", 88.2, 114.2}}},
        {"a waypoint on the south pole, then a short leg",
         {{"P0", -89.3, -60.6}, {"P1", -90.0, -60.6}, {"P2", -89.86, 115.7}, {"P3", -89.43, 44.4}}},
        {"a leg across the south pole, its end 8 NM past it",
         {{"P0", -88.5, 10.0}, {"P1", -89.87, -170.0}, {"P2", -89.0, -100.0}, {"P3", -88.0, -100.0}}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        reset_module_state_for_tests();
        SetUp();
        fly_to_the_end(r.plan, r.plan[0]);
        EXPECT_LT(worst_xtk, 1.0);
        EXPECT_EQ(passed_abeam, 0);
    }
}

} // namespace
