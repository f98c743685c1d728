// The stand-in aircraft flies a plan on LNAV and VNAV after EXEC: it climbs
// to the cruise altitude, passes the top of climb, starts down at the top of
// descent and meets the altitude of the constrained waypoint.
#include "update_fixture.h"

#include "data/aircraft_settings.h"
#include "data/module_settings.h"
#include "fms/exec/exec_erase.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/perf/flown_route.h"
#include "fms/perf/vertical_profile.h"
#include "fms/perf/vnav_phase.h"
#include "fms/plan/route_exec.h"
#include "fms/plan/vertical_state.h"
#include "fms/units/cdu_text.h"
#include "plan_builder.h"
#include "test_environment_reset.h"

#include <cmath>

namespace {

struct VnavFlight : UpdateTest {
    // The plan written activated, the aircraft at its first place heading
    // east, LNAV and VNAV flying it to the second.
    void fly_from_first_fix(const std::vector<PlanPoint>& points) {
        place(points[0].lat, points[0].lon, 90.0);
        pass();
        route_state = kRouteStateActivated;
        reset_active_route_state();
        set_to_position(GeoPosition{points[1].lat, points[1].lon});
        lnav_engaged = vnav_engaged = intercept_armed = 1;
    }
};

TEST_F(VnavFlight, ClimbsCruisesAndMeetsTheDescentConstraint) {
    host::AircraftModel& m = host::aircraft();
    m.altitude_ft = 2000.0;
    m.ias_kt = 250.0;
    m.ap_airspeed_kt = 250.0;
    m.ap_altitude_ft = 2000.0;
    m.ap_altitude_hold = m.ap_airspeed_hold = true;
    m.magvar_deg = 2.0;
    WptChgSecs = 15.0;
    climb_tas_target = descent_tas_target = 300.0;
    VnavOffOnManAltChg = 1; // VNAV's own commands must not look like the pilot's

    // 25 NM legs eastbound; P3 marks the cruise level, P5 the descent constraint.
    const PlanPoint p0{"P0", 47.0, 8.0};
    std::vector<PlanPoint> points{p0};
    const double courses[] = {80.0, 90.0, 100.0, 90.0, 80.0, 90.0};
    for (int i = 0; i < 6; ++i)
        points.push_back(offset("P" + std::to_string(i + 1), points.back(), courses[i], 25.0));
    write_plan(working_plan, points);
    working_entry(0).alt_constraint = 2000.0;
    working_entry(3).altitude_kind = AltitudeKind::Pilot;
    working_entry(3).alt_constraint = 15000.0;
    working_entry(3).speed_constraint = 250.0;
    working_entry(5).altitude_kind =
        AltitudeKind::Procedure; // a plain altitude (an approach leg's) ends the descent
    working_entry(5).alt_constraint = 6000.0;
    working_entry(5).speed_constraint = 240.0;
    working_entry(6).alt_constraint = 3000.0; // the end of the route, unconstrained
    plan_cruise_altitude = 15000;
    place(p0.lat, p0.lon, 80.0);
    pass();

    route_state = kRouteStateActivated;
    reset_active_route_state();
    ASSERT_EQ(route_state, kRouteStateActive);
    ASSERT_EQ(to_waypoint_index, 1);
    ASSERT_EQ(cruise_altitude, 15000);
    set_to_position(GeoPosition{points[1].lat, points[1].lon});
    lnav_engaged = vnav_engaged = intercept_armed = 1;
    smiths_cdu_page = 34;

    double highest = 0.0;
    int to_at_toc = -1;
    int to_at_tod = -1;
    double altitude_at_tod = 0.0;
    // The altitude where the aircraft comes closest to P5.
    double altitude_at_p5 = 0.0;
    double closest_to_p5 = 999.0;
    for (int i = 0; i < 18 * 60 * 40 && to_waypoint_index <= 6 && lnav_engaged == 1; ++i) {
        pass();
        highest = std::max(highest, m.altitude_ft);
        if (vnav_phase != VnavPhase::Climb && to_at_toc < 0) to_at_toc = to_waypoint_index;
        if (vnav_phase == VnavPhase::Descent && to_at_tod < 0) {
            to_at_tod = to_waypoint_index;
            altitude_at_tod = m.altitude_ft;
        }
        double d = 0.0, course = 0.0;
        gc_dist_course(m.lat_deg, m.lon_deg, points[5].lat, points[5].lon, &d, &course);
        if (d < closest_to_p5) {
            closest_to_p5 = d;
            altitude_at_p5 = m.altitude_ft;
        }
    }
    EXPECT_EQ(to_waypoint_index, 6);
    EXPECT_LT(closest_to_p5, 1.0);
    EXPECT_EQ(vnav_engaged, 1);
    // Climb to cruise, level there, the TOC on the way to P2.
    EXPECT_NEAR(highest, 15000.0, 1.0);
    EXPECT_EQ(to_at_toc, 2);
    // Down from cruise at the TOD, on the way to P4 or P5.
    EXPECT_GE(to_at_tod, 4);
    EXPECT_NEAR(altitude_at_tod, 15000.0, 50.0);
    EXPECT_EQ(smiths_cdu_page, 36);
    EXPECT_EQ(sent(0x1024C).back(), 3000u); // on to the end of the route
    EXPECT_NEAR(altitude_at_p5, 6000.0, 300.0);
}

// A turn of each angle at T, whose altitude is one to be at, before F on the
// leg out, an approach's fix to be at its own: the path the profile lays the
// descent over is the one LNAV flies. T is sequenced where the path says, the
// way flown to F's crossing is as long as the path reckoned it 15 NM before
// T, and the way from T's crossing to F's as the profile did; both fixes are
// crossed at their altitudes. Past 120 degrees the turn is flown past T, not
// cut miles short of it.
TEST_F(VnavFlight, TurnsOfEveryAngleFlownAsThePathLaysThem) {
    for (const double ias : {180.0, 230.0}) {
        for (const double turn : {30.0, 90.0, 115.0, 130.0, 150.0, 170.0, 180.0}) {
            reset_module_state_for_tests();
            SetUp();
            host::AircraftModel& m = host::aircraft();
            m.altitude_ft = m.ap_altitude_ft = 8000.0;
            m.ias_kt = m.ap_airspeed_kt = ias;
            m.ap_altitude_hold = m.ap_airspeed_hold = true;
            VnavOffOnManAltChg = 1;
            VnavSetSpd = 0;
            DescentRate = descent_rate_used_fpm = 1000.0;
            climb_tas_target = descent_tas_target = ias;
            std::vector<PlanPoint> points{{"P0", 47.0, 8.0}};
            points.push_back(offset("P1", points.back(), 90.0, 20.0));
            points.push_back(offset("T", points.back(), 90.0, 20.0));
            points.push_back(offset("F", points.back(), 90.0 + turn, 14.0));
            points.push_back(offset("E", points.back(), 90.0 + turn, 14.0));
            write_plan(working_plan, points);
            working_entry(0).alt_constraint = 2000.0;
            working_entry(2).altitude_kind = AltitudeKind::Pilot;
            working_entry(2).alt_constraint = 6000.0;
            // F an approach's fix, to be at its altitude.
            working_entry(3).kind = "APPR";
            working_entry(3).altitude_kind = AltitudeKind::Procedure;
            working_entry(3).alt_constraint = 3500.0;
            working_entry(4).alt_constraint = 2000.0;
            plan_cruise_altitude = 8000;
            fly_from_first_fix(points);
            smiths_cdu_page = 34;
            pass_until([] { return to_waypoint_index == 2; }, 18 * 600);
            pass_until([] { return distance_to_to_nm < 15.0; }, 18 * 600);
            passes(2);
            const double planned = path_distance_through(3);
            const double profiled =
                active_profile().entries[3].ahead_nm - active_profile().entries[2].ahead_nm;
            const double switched = switch_before(2);
            double flown = 0.0, sequenced_at = -1.0;
            double nearest[2] = {1e9, 1e9}, crossed_ft[2] = {0.0, 0.0}, flown_at[2] = {0.0, 0.0};
            double lat = m.lat_deg, lon = m.lon_deg;
            for (int i = 0; i < 18 * 60 * 20 && to_waypoint_index <= 4; ++i) {
                const double before = distance_to_to_nm;
                const int to = to_waypoint_index;
                pass();
                if (to == 2 && to_waypoint_index == 3) sequenced_at = before;
                double step = 0.0, course = 0.0;
                gc_dist_course(lat, lon, m.lat_deg, m.lon_deg, &step, &course);
                flown += step;
                lat = m.lat_deg, lon = m.lon_deg;
                for (int k = 0; k < (to_waypoint_index >= 3 ? 2 : 1); ++k) {
                    double d = 0.0;
                    gc_dist_course(lat, lon, points[k + 2].lat, points[k + 2].lon, &d, &course);
                    if (d < nearest[k]) nearest[k] = d, crossed_ft[k] = m.altitude_ft, flown_at[k] = flown;
                }
                if (to_waypoint_index == 4 && nearest[1] < 2.0 && flown > flown_at[1] + 2.0) break;
            }
            const std::string row = std::to_string(int(turn)) + " deg at " + std::to_string(int(ias)) + " kt";
            EXPECT_NEAR(sequenced_at, switched, 0.5) << row;
            EXPECT_NEAR(flown_at[1], planned, 0.5) << row;
            EXPECT_NEAR(profiled, flown_at[1] - flown_at[0], 0.5) << row;
            EXPECT_NEAR(crossed_ft[0], 6000.0, 300.0) << row;
            EXPECT_NEAR(crossed_ft[1], 3500.0, 300.0) << row;
            if (turns_past_fix(turn)) {
                EXPECT_LT(sequenced_at, 2.0) << row;
            }
        }
    }
}

// A climb's altitude to be at, at a fix LNAV sequences miles short of it
// (its switching distance, a turn's anticipation): the climb stays level at
// it until the aircraft passes the fix, and goes on from there.
TEST_F(VnavFlight, ClimbHeldAtItsAltitudeUntilTheFixIsPassed) {
    for (const double turn : {0.0, 60.0, 110.0, 150.0}) {
        reset_module_state_for_tests();
        SetUp();
        host::AircraftModel& m = host::aircraft();
        m.altitude_ft = m.ap_altitude_ft = 2000.0;
        m.ias_kt = m.ap_airspeed_kt = 250.0;
        m.ap_altitude_hold = m.ap_airspeed_hold = true;
        VnavOffOnManAltChg = 1;
        VnavSetSpd = 0;
        climb_tas_target = descent_tas_target = 260.0;
        std::vector<PlanPoint> points{{"P0", 47.0, 8.0}};
        points.push_back(offset("T", points.back(), 90.0, 20.0));
        points.push_back(offset("F", points.back(), 90.0 + turn, 30.0));
        points.push_back(offset("E", points.back(), 90.0 + turn, 60.0));
        write_plan(working_plan, points);
        working_entry(0).alt_constraint = 2000.0;
        working_entry(1).altitude_kind = AltitudeKind::Pilot;
        working_entry(1).alt_constraint = 5000.0;
        working_entry(3).alt_constraint = 2000.0;
        plan_cruise_altitude = 12000;
        fly_from_first_fix(points);
        double nearest = 1e9, crossed_ft = 0.0;
        for (int i = 0; i < 18 * 60 * 10 && to_waypoint_index <= 2; ++i) {
            pass();
            double d = 0.0, course = 0.0;
            gc_dist_course(m.lat_deg, m.lon_deg, points[1].lat, points[1].lon, &d, &course);
            if (d < nearest) nearest = d, crossed_ft = m.altitude_ft;
            if (to_waypoint_index == 2 && d > nearest + 3.0) break;
        }
        const std::string row = std::to_string(int(turn)) + " deg";
        EXPECT_EQ(to_waypoint_index, 2) << row;
        EXPECT_NEAR(crossed_ft, 5000.0, 300.0) << row;
        EXPECT_GT(m.altitude_ft, 5500.0) << row; // and climbed on past it
    }
}

} // namespace
