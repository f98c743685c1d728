// Holds: the pattern geometry, and a hold flown in the stand-in from its fix
// around the pattern and out again, with the next hold entered at its fix.
#include "update_fixture.h"

#include "fms/guidance/hold_flying.h"
#include "fms/plan/holds.h"

#include <vector>

namespace {

HoldEntry hold_at(int index, const PlanPoint& fix, double inbound_course) {
    HoldEntry h;
    h.ident = fix.ident;
    h.set_active_index(index);
    h.turn = 1;
    h.leg_time = 1.0;
    h.leg_mode = kHoldLegByTime;
    h.inbound_course = inbound_course;
    h.points[0].lat = fix.lat;
    h.points[0].lon = fix.lon;
    return h;
}

double distance_between(const GeoPosition& a, const GeoPosition& b, double* course) {
    double d = 0.0;
    gc_dist_course(a.lat, a.lon, b.lat, b.lon, &d, course);
    return d;
}

TEST(HoldPattern, PointsFromTheFixInboundCourseAndLegTime) {
    // Leg time 1 min at 120 kt (150 kt the least): L 2.5 NM, D 3.75 NM.
    const PlanPoint fix{"FIX", 47.0, 8.0};
    hold_list.append(hold_at(2, fix, 270.0));
    aircraft_state.magvar = 90.0; // inbound 270 magnetic is 360 true, taken as 0
    aircraft_state.ground_speed_kt = 120.0;
    build_hold_pattern();
    EXPECT_EQ(hold_list[1].leg_distance, 2.5);
    const GeoPosition f{fix.lat, fix.lon};
    struct Row {
        int point;
        double distance_from_previous, course;
    };
    const Row rows[] = {{0, 0.75, 360.0}, {1, 1.875, 90.0}, {2, 2.8125, 180.0}, {3, 1.875, 270.0}};
    GeoPosition previous = f;
    for (const Row& r : rows) {
        double course = 0.0;
        EXPECT_NEAR(distance_between(previous, hold_pattern_points[r.point], &course),
                    r.distance_from_previous, 1e-6);
        EXPECT_NEAR(course, r.course, 0.05);
        previous = hold_pattern_points[r.point];
    }
    double course = 0.0; // the last point lies on the inbound line, 0.825 L before the fix
    EXPECT_NEAR(distance_between(hold_pattern_points[3], f, &course), 2.0625, 5e-3);
    EXPECT_TRUE(hold_list[1].points[1].label.empty()); // LNAV off: built, not stored

    lnav_engaged = 1;
    hold_list.slot(1).leg_mode = kHoldLegByDistance; // a pilot's leg length stays as it is
    hold_list.slot(1).leg_distance = 4.0;
    build_hold_pattern();
    EXPECT_EQ(hold_list[1].leg_distance, 4.0);
    EXPECT_EQ(hold_list[1].points[2].label, "Dwind");
    EXPECT_NEAR(distance_between(f, {hold_list[1].points[1].lat, hold_list[1].points[1].lon}, &course), 1.2,
                1e-6);
}

using HoldFlying = UpdateTest;

TEST_F(HoldFlying, EnteredAtTheFixFlownAroundAndLeftThenTheNextHoldStartsAtItsFix) {
    host::aircraft().altitude_ft = 3000.0;
    host::aircraft().ias_kt = 180.0;
    const PlanPoint p0{"P0", 47.0, 8.0};
    std::vector<PlanPoint> plan{p0};
    for (int i = 1; i <= 4; ++i)
        plan.push_back(offset("P" + std::to_string(i), plan.back(), 0.0, 12.0));
    const PlanPoint start = offset("A", plan[1], 180.0, 2.0);
    place(start.lat, start.lon, 0.0);
    activate(plan);
    hold_list.append(hold_at(2, plan[2], 360.0));
    hold_list.append(hold_at(3, plan[3], 360.0));

    ASSERT_TRUE(pass_until([] { return hold_armed == 1; }, 18 * 600));
    EXPECT_EQ(to_waypoint_index, 2);
    EXPECT_EQ(hold_exit_state, kHoldExitHolding);
    EXPECT_EQ(holding_active, 1);
    const std::size_t bug_events = sent(0x101FA).size();

    // Two laps: the points follow one another and the TO waypoint stays.
    std::vector<int> points{holding_active};
    ASSERT_TRUE(pass_until(
        [&] {
            if (holding_active != points.back()) points.push_back(holding_active);
            return points.size() == 9;
        },
        18 * 1200));
    EXPECT_EQ(points, (std::vector<int>{1, 2, 3, 4, 1, 2, 3, 4, 1}));
    EXPECT_EQ(to_waypoint_index, 2);
    EXPECT_GT(sent(0x101FA).size(), bug_events + 4); // the hold turns the bug

    hold_exit_state = kHoldExitAtPointOne;
    ASSERT_TRUE(pass_until([] { return hold_count() == 1; }, 18 * 600));
    EXPECT_EQ(hold_armed, 0);
    EXPECT_EQ(holding_active, 0); // the next hold is flown to its fix first
    EXPECT_EQ(hold_list[1].active_index(), 3);
    ASSERT_TRUE(pass_until([] { return to_waypoint_index == 3; }, 18 * 600));
    ASSERT_TRUE(pass_until([] { return hold_armed == 1; }, 18 * 600));
    EXPECT_EQ(to_waypoint_index, 3);
    double course = 0.0;
    EXPECT_LT(
        distance_between({aircraft_state.plat, aircraft_state.plon}, {plan[3].lat, plan[3].lon}, &course),
        3.0);
}

// The pattern's first heading goes to the bug also when it is 360 (the
// memory of what was sent says nothing yet, not 0), and again for a hold
// entered after an earlier one sent the same heading.
TEST_F(HoldFlying, ThePatternsFirstHeadingIsSentEvenWhenItIs360) {
    const PlanPoint fix{"FIX", 47.0, 8.0};
    struct Case {
        double nm_south_of_fix; // at the fix (entered now) or past it, flying to point 1
        int holding_active;
        double sent_before;
    };
    for (const Case& c : {Case{0.25, 1, hold_heading_sent}, Case{0.1, 0, 360.0}}) {
        SCOPED_TRACE(c.holding_active);
        host::reset_sim_state();
        hold_list.clear();
        hold_list.append(hold_at(1, fix, 360.0)); // point 1 due north of the fix
        const PlanPoint at = offset("A", fix, 180.0, c.nm_south_of_fix);
        aircraft_state.plat = at.lat;
        aircraft_state.plon = at.lon;
        aircraft_state.magvar = 0.0;
        lnav_engaged = 1;
        hold_armed = 1;
        hold_exit_state = c.holding_active == 0 ? 1 : 0;
        holding_active = c.holding_active;
        hold_heading_sent = c.sent_before;
        build_hold_pattern();
        EXPECT_EQ(holding_active, 1);
        EXPECT_EQ(sent(0x101FA), std::vector<uint32_t>{360});
    }
}

} // namespace
