// The vertical profile prediction: the cruise altitude chosen by the climb
// model and the semicircular rule, the climb rate from the flight-path
// angle, and the waypoint predictions of the climb and descent passes.
#include "data/aircraft_settings.h"
#include "data/module_settings.h"
#include "fms/math/nav_math.h"
#include "fms/perf/profile_prediction.h"
#include "fms/perf/speed_targets.h"
#include "fms/perf/vertical_profile.h"
#include "fms/perf/vnav.h"
#include "fms/perf/vnav_cursors.h"
#include "fms/perf/vnav_phase.h"
#include "fms/plan/entry_marks.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/vertical_state.h"
#include "plan_builder.h"
#include "sim/aircraft_state.h"

#include <gtest/gtest.h>

namespace {

// Entries along one true course, `nm` apart, from (0, 10); altitudes 0.
void plan(int entries, double course, double nm) {
    set_active_last(-1);
    double lat = 0.0, lon = 10.0;
    for (int i = 0; i < entries; ++i) {
        RouteWaypoint& w = PlanBuilder::append(active_plan);
        w = RouteWaypoint{};
        w.ident = "W" + std::to_string(i);
        w.lat = lat;
        w.lon = lon;
        w.alt_constraint = 0.0;
        gc_destination_point(lat, lon, course, nm, &lat, &lon);
    }
    set_flown_to(1);
}

// An altitude to meet: the pilot's (flag 1) or an approach leg's (flag 3).
void constrain(int i, double altitude, double speed, int flag = 1) {
    RouteWaypoint& w = active_entry(i);
    w.altitude_kind = static_cast<AltitudeKind>(flag);
    w.alt_constraint = altitude;
    w.speed_constraint = speed;
}

TEST(ProfilePrediction, ClimbModelAndSemicircularRule) {
    ClimbRate = 2000;
    climb_tas_target = 300.0;
    MaxVnavClimbRate = 0.0; // an autopilot that holds any rate: the model's own figures
    struct Row {
        double course, route_nm;
        int max_cruise;
        int expected;
    };
    const Row rows[] = {
        {90.0, 199.9, 41000, 33000},  // 17 minutes to 85 NM: 34000, even, east: 33000
        {270.0, 199.9, 41000, 34000}, // west keeps the even level
        {90.0, 400.0, 43000, 45000},  // MaxCruise reached: the high-level table, above it
        {270.0, 400.0, 43000, 43000},
    };
    for (const Row& r : rows) {
        plan(2, r.course, r.route_nm);
        MaxCruise = r.max_cruise;
        cruise_altitude = 0;
        predict_profile(0, kProfilePointsOnly);
        EXPECT_EQ(predicted_cruise_altitude_ft, r.expected) << r.course << " " << r.route_nm;
        EXPECT_EQ(cruise_altitude, r.expected);
        EXPECT_EQ(climb_distance_nm, static_cast<int>(r.expected / 2000.0 * 5.0));
    }
    // Mode 0 re-arms the detection.
    EXPECT_EQ(vnav_phase, VnavPhase::Climb);
    EXPECT_NE(vnav_phase, VnavPhase::Descent);
    EXPECT_EQ(descent_speed_phase, kDescentSpeedPhaseOn);
}

TEST(ProfilePrediction, FlightPathAngleGivesTheRates) {
    plan(2, 90.0, 200.0);
    FPA = 3.0;
    climb_tas_target = 280.0; // 1400 ft/min
    descent_tas_target = 300.0;
    predict_profile(10000, kProfilePointsOnly);
    EXPECT_EQ(climb_distance_nm, 33); // 10000 / 1400 * 280 / 60
    EXPECT_DOUBLE_EQ(descent_rate_used_fpm, 1500.0);
    EXPECT_NEAR(vertical_profile.prediction_toc.lon, 10.0 + 10000.0 / 1400.0 * 280.0 / 60.0 / 60.0, 1e-6);
}

TEST(ProfilePrediction, WaypointsGetClimbAndDescentPredictions) {
    plan(7, 90.0, 20.001);
    ClimbRate = 2000;
    DescentRate = 2000.0;
    climb_tas_target = descent_tas_target = 300.0; // 8000 ft a leg
    climb_speed_target = 250;
    cruise_speed_target = 280;
    descent_speed_target = 240;
    constrain(3, 10000.0, 270.0); // the cruise level
    constrain(5, 2550.0, -999.0); // a descent constraint without a speed
    vertical_target_cursor.move_to(3);
    // The aircraft at the origin: the entries ahead are predicted from it.
    aircraft_state.plat = active_plan[0].lat;
    aircraft_state.plon = active_plan[0].lon;
    aircraft_state.indicated_altitude_ft = 0.0;
    predict_profile(10000, kProfileFull);
    const std::pair<double, double> expected[] = {
        {0.0, -999.0}, {8000.0, 250.0}, {10000.0, 280.0}, {10000.0, 270.0}, {10000.0, 280.0}, {2500.0, 240.0},
    };
    for (int i = 1; i <= 5; ++i) {
        EXPECT_EQ(predicted_altitude(active_plan[i]), expected[i].first) << i;
        EXPECT_EQ(predicted_speed(active_plan[i]), expected[i].second) << i;
    }
}

TEST(ProfilePrediction, OnlyAClimbConstraintWithASpeedSlowsTheWaypointsBefore) {
    ClimbRate = 2000;
    DescentRate = 2000.0;
    climb_tas_target = descent_tas_target = 300.0;
    climb_speed_target = 250;
    for (double speed : {-999.0, 210.0}) {
        plan(6, 90.0, 20.001);
        constrain(2, 5000.0, speed, 3);
        constrain(3, 10000.0, 280.0); // the descent pass ends here
        predict_profile(10000, kProfileFull);
        EXPECT_EQ(predicted_speed(active_plan[1]), speed > 0.0 ? speed : 250.0);
        EXPECT_EQ(predicted_altitude(active_plan[1]), 5000.0); // capped by the constraint ahead
    }
}

// The descent pass stops at the first waypoint it reaches at the cruise
// level: one with its own altitude (here an approach leg's, climbed over on
// the way to a higher one) keeps it, for the pages and the profile's rule.
TEST(ProfilePrediction, AConstraintOverflownAtCruiseKeepsItsOwnAltitude) {
    plan(4, 90.0, 20.001);
    ClimbRate = 2000;
    DescentRate = 2000.0;
    climb_tas_target = descent_tas_target = 300.0;
    constrain(1, 2300.0, -999.0, 3);
    constrain(2, 4000.0, -999.0, 3);
    predict_profile(10000, kProfileFull);
    EXPECT_EQ(predicted_altitude(active_plan[1]), 2300.0);
    EXPECT_EQ(predicted_altitude(active_plan[2]), 4000.0);
}

} // namespace
