// The stand-in aircraft over simulated time: turns at standard rate to the
// heading bug, levels at the autopilot altitude, covers the great-circle
// distance of its ground speed; key events, engines, fuel and the clock.
#include "aircraft_model.h"

#include "fms/math/nav_math.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using host::AircraftModel;

// Runs whole seconds of simulated time at the module's 18 frames a second.
void fly_seconds(AircraftModel& m, double seconds) {
    long frames = std::lround(seconds * host::FRAMES_PER_SECOND / m.sim_rate);
    for (long i = 0; i < frames; ++i)
        host::step_aircraft(m, 1.0 / host::FRAMES_PER_SECOND);
}

AircraftModel level_at_sea_level(double ias_kt) {
    AircraftModel m;
    m.ias_kt = ias_kt; // at sea level in ISA, TAS equals IAS
    m.ground_elevation_ft = -100.0; // in flight, over land below the sea
    m.fuel_lb = 10000.0;
    return m;
}

TEST(AircraftModel, TurnsToTheBugAtStandardRateAndRollsOut) {
    AircraftModel m = level_at_sea_level(150.0);
    m.ap_master = m.ap_heading_hold = true;
    m.ap_heading_bug_deg = 90.0;

    fly_seconds(m, 15.0); // 3 deg/s: halfway
    EXPECT_NEAR(m.true_heading_deg, 45.0, 1e-6);
    EXPECT_NEAR(m.turn_rate_dps, 3.0, 1e-9);
    // tan(bank) = omega V / g = 0.0523599 x 253.172 / 32.174: 22.39 deg, right turn below 0.
    EXPECT_NEAR(m.bank_deg, -22.39, 0.01);

    fly_seconds(m, 15.0);
    EXPECT_NEAR(m.true_heading_deg, 90.0, 1e-6);
    fly_seconds(m, 1.0);
    EXPECT_NEAR(m.true_heading_deg, 90.0, 1e-9);
    EXPECT_EQ(m.bank_deg, 0.0);

    // A bug to the left turns left the short way, banking above 0.
    m.ap_heading_bug_deg = 0.0;
    fly_seconds(m, 10.0);
    EXPECT_NEAR(m.true_heading_deg, 60.0, 1e-6);
    EXPECT_NEAR(m.bank_deg, 22.39, 0.01);

    // Without heading hold the heading stays.
    m.ap_heading_hold = false;
    fly_seconds(m, 10.0);
    EXPECT_NEAR(m.true_heading_deg, 60.0, 1e-6);
    EXPECT_EQ(m.bank_deg, 0.0);
}

TEST(AircraftModel, FastTurnsAreLimitedTo25DegreesOfBank) {
    AircraftModel m = level_at_sea_level(300.0);
    m.ap_master = m.ap_heading_hold = true;
    m.ap_heading_bug_deg = 90.0;
    // omega = g tan 25 / V = 32.174 x 0.466308 / 506.343 = 1.6977 deg/s.
    EXPECT_NEAR(host::max_turn_rate_dps(300.0), 1.6977, 1e-3);
    fly_seconds(m, 10.0);
    EXPECT_NEAR(m.true_heading_deg, 16.977, 0.01);
    EXPECT_NEAR(m.bank_deg, -25.0, 1e-6);
    fly_seconds(m, 43.0); // 90 deg in 53.01 s
    EXPECT_NEAR(m.true_heading_deg, 89.98, 0.02);
}

TEST(AircraftModel, TheBugIsMagneticAndTheTurnIsTrue) {
    AircraftModel m = level_at_sea_level(150.0);
    m.ap_master = m.ap_heading_hold = true;
    m.magvar_deg = 10.0; // east: true = magnetic + 10
    m.ap_heading_bug_deg = 90.0;
    fly_seconds(m, 40.0);
    EXPECT_NEAR(m.true_heading_deg, 100.0, 1e-6);
    EXPECT_NEAR(host::magnetic_heading_deg(m), 90.0, 1e-6);
}

TEST(AircraftModel, ClimbsAndDescendsToTheAutopilotAltitudeAndLevels) {
    AircraftModel m = level_at_sea_level(250.0);
    m.altitude_ft = 5000.0;
    m.ap_master = m.ap_altitude_hold = true;
    m.ap_altitude_ft = 10000.0;
    m.ap_vertical_speed_fpm = 2000.0;

    fly_seconds(m, 60.0);
    EXPECT_NEAR(m.altitude_ft, 7000.0, 1e-6);
    EXPECT_NEAR(m.vertical_speed_fpm, 2000.0, 1e-6);
    EXPECT_LT(m.pitch_deg, 0.0); // nose up is below 0
    fly_seconds(m, 90.0);
    EXPECT_NEAR(m.altitude_ft, 10000.0, 1e-6);
    fly_seconds(m, 1.0);
    EXPECT_EQ(m.altitude_ft, 10000.0);
    EXPECT_EQ(m.vertical_speed_fpm, 0.0);

    // Down at the size of the rate whatever its sign.
    m.ap_altitude_ft = 7000.0;
    m.ap_vertical_speed_fpm = -1500.0;
    fly_seconds(m, 60.0);
    EXPECT_NEAR(m.altitude_ft, 8500.0, 1e-6);
    EXPECT_NEAR(m.vertical_speed_fpm, -1500.0, 1e-6);
    fly_seconds(m, 61.0);
    EXPECT_EQ(m.altitude_ft, 7000.0);

    // Altitude hold off: level flight.
    m.ap_altitude_ft = 20000.0;
    m.ap_altitude_hold = false;
    fly_seconds(m, 30.0);
    EXPECT_EQ(m.altitude_ft, 7000.0);
}

TEST(AircraftModel, CoversTheGreatCircleDistanceOfItsGroundSpeed) {
    struct Row {
        const char* name;
        double lat, lon, heading, ias, wind_from, wind_kt, seconds, rate;
        double distance_nm, course;
    };
    const Row rows[] = {
        // 300 NM along the equator is 5 degrees of longitude.
        {"equator east", 0.0, -2.5, 90.0, 300.0, 0.0, 0.0, 3600.0, 1.0, 300.0, 90.0},
        {"equator east at rate 8", 0.0, -2.5, 90.0, 300.0, 0.0, 0.0, 3600.0, 8.0, 300.0, 90.0},
        {"meridian south", 10.0, 30.0, 180.0, 240.0, 0.0, 0.0, 1800.0, 1.0, 120.0, 180.0},
        // 50 kt on the nose: 250 kt over the ground.
        {"headwind", 40.0, -100.0, 360.0, 300.0, 360.0, 50.0, 1800.0, 1.0, 125.0, 360.0},
        // 40 kt from the left: sqrt(300^2 + 40^2) = 302.65 kt on 7.595 deg.
        {"crosswind", 0.0, 0.0, 360.0, 300.0, 270.0, 40.0, 3600.0, 1.0, 302.655, 7.595},
    };
    for (const Row& r : rows) {
        AircraftModel m = level_at_sea_level(r.ias);
        m.lat_deg = r.lat;
        m.lon_deg = r.lon;
        m.true_heading_deg = r.heading;
        m.wind_from_deg = r.wind_from;
        m.wind_speed_kt = r.wind_kt;
        m.sim_rate = r.rate;
        fly_seconds(m, r.seconds);
        double distance = 0.0;
        double course = 0.0;
        gc_dist_course(r.lat, r.lon, m.lat_deg, m.lon_deg, &distance, &course);
        EXPECT_NEAR(distance, r.distance_nm, 0.01) << r.name;
        // A constant track leaves the great circle slightly: 0.02 deg at most here.
        EXPECT_NEAR(course, r.course, 0.02) << r.name;
        EXPECT_NEAR(m.sim_time_s, r.seconds, 1e-6) << r.name;
    }
}

TEST(AircraftModel, AConstantHeadingAcrossLatitudesKeepsItsDistance) {
    // Northeast at 47 N: the path bends a little from the great circle, so the
    // straight distance falls just short of the 300 NM flown.
    AircraftModel m = level_at_sea_level(300.0);
    m.lat_deg = 47.0;
    m.lon_deg = 8.0;
    m.true_heading_deg = 45.0;
    fly_seconds(m, 3600.0);
    double distance = 0.0;
    double course = 0.0;
    gc_dist_course(47.0, 8.0, m.lat_deg, m.lon_deg, &distance, &course);
    EXPECT_LE(distance, 300.0 + 1e-6);
    EXPECT_GT(distance, 299.5);
    // Crossing the antimeridian wraps the longitude into [-180, 180).
    m.lat_deg = 0.0;
    m.lon_deg = 179.9;
    m.true_heading_deg = 90.0;
    fly_seconds(m, 120.0); // 10 NM: 0.1667 deg
    EXPECT_NEAR(m.lon_deg, -179.9333, 1e-3);
}

TEST(AircraftModel, HoldsTheAutopilotAirspeedOrMach) {
    AircraftModel m = level_at_sea_level(250.0);
    m.ap_master = m.ap_airspeed_hold = true;
    m.ap_airspeed_kt = 280.0;
    fly_seconds(m, 10.0); // 2 kt/s
    EXPECT_NEAR(m.ias_kt, 270.0, 1e-6);
    fly_seconds(m, 10.0);
    EXPECT_NEAR(m.ias_kt, 280.0, 1e-9);

    // Mach 0.78 at 35000 ft: a = 38.9679 sqrt(218.64) = 576.2 kt, TAS 449.4 kt.
    m.altitude_ft = 35000.0;
    m.ap_airspeed_hold = false;
    m.ap_mach_hold = true;
    m.ap_mach = 0.78;
    fly_seconds(m, 120.0);
    EXPECT_NEAR(host::mach_number(m), 0.78, 1e-6);
    EXPECT_NEAR(host::true_airspeed_kt(m), 449.4, 0.5);
    EXPECT_NEAR(host::isa_temperature_c(35000.0), -54.34, 0.01);
}

TEST(AircraftModel, AnswersTheKeyEventsTheModuleSends) {
    AircraftModel m;
    struct Row {
        uint32_t id, parameter;
    };
    const Row events[] = {{0x101FA, 275},     {0x1024C, 24000},  {0x101F4, static_cast<uint32_t>(-1800)},
                          {0x101F5, 290},     {0x101F6, 78},     {0x100B4, 123},
                          {0x100AC, 0x11135}, {0x100B2, 0x0415}, {0x1010F, 0},
                          {0x10311, 0},       {0x10311, 0},      {0x10312, 0}};
    for (const Row& e : events)
        EXPECT_TRUE(host::apply_aircraft_key(m, e.id, e.parameter)) << std::hex << e.id;
    EXPECT_EQ(m.ap_heading_bug_deg, 275.0);
    EXPECT_EQ(m.ap_altitude_ft, 24000.0);
    EXPECT_EQ(m.ap_vertical_speed_fpm, -1800.0);
    EXPECT_EQ(m.ap_airspeed_kt, 290.0);
    EXPECT_NEAR(m.ap_mach, 0.78, 1e-12);
    EXPECT_EQ(m.nav1_course_deg, 123.0);
    EXPECT_EQ(m.nav1_frequency_bcd, 0x1135u); // the leading 1 implied
    EXPECT_EQ(m.adf_frequency_bcd, 0x0415u);
    EXPECT_TRUE(m.ap_heading_hold);
    EXPECT_EQ(m.decision_height_ft, 210.0); // 200 + 10 + 10 - 10
    EXPECT_FALSE(host::apply_aircraft_key(m, 0x12345, 0));

    // A heading of 360 is north; the decision height stops at 0.
    host::apply_aircraft_key(m, 0x101FA, 360);
    EXPECT_EQ(m.ap_heading_bug_deg, 0.0);
    m.decision_height_ft = 5.0;
    host::apply_aircraft_key(m, 0x10312, 0);
    EXPECT_EQ(m.decision_height_ft, 0.0);

    // The altimeter key sets the local pressure; indicated altitude follows.
    m.altitude_ft = 3000.0;
    m.sea_level_pressure_hpa = 1003.25;
    EXPECT_NEAR(host::indicated_altitude_ft(m), 3273.0, 1e-6); // 10 hPa too high: 273 ft
    host::apply_aircraft_key(m, 0x10030, 0);
    EXPECT_EQ(m.altimeter_hpa, 1003.25);
    EXPECT_EQ(host::indicated_altitude_ft(m), 3000.0);

    // Airspeed hold off.
    m.ap_airspeed_hold = true;
    host::apply_aircraft_key(m, 0x10143, 0);
    EXPECT_FALSE(m.ap_airspeed_hold);
}

TEST(AircraftModel, PauseAndSimulationRate) {
    AircraftModel m = level_at_sea_level(300.0);
    host::apply_aircraft_key(m, 0x10019, 0);
    EXPECT_TRUE(m.paused);
    fly_seconds(m, 10.0);
    EXPECT_EQ(m.sim_time_s, 0.0);
    EXPECT_EQ(m.lat_deg, 0.0);
    EXPECT_EQ(m.fuel_lb, 10000.0);
    host::apply_aircraft_key(m, 0x10019, 0);
    EXPECT_FALSE(m.paused);

    const double up[] = {2, 4, 8, 16, 32, 64, 128, 128};
    for (double expected : up) {
        host::apply_aircraft_key(m, 0x100FD, 0);
        EXPECT_EQ(m.sim_rate, expected);
    }
    m.sim_rate = 1.0;
    const double down[] = {0.5, 0.25, 0.25};
    for (double expected : down) {
        host::apply_aircraft_key(m, 0x100FE, 0);
        EXPECT_EQ(m.sim_rate, expected);
    }
    // One real second at rate 0.25 is a quarter second of flight.
    host::step_aircraft(m, 1.0);
    EXPECT_EQ(m.sim_time_s, 0.25);
}

TEST(AircraftModel, EnginesBurnFuelWithPlausibleReadings) {
    AircraftModel m = level_at_sea_level(250.0);
    fly_seconds(m, 30.0); // spooled up to cruise: N1 60 + 250 x 0.04 = 70
    for (int i = 0; i < 2; ++i) {
        EXPECT_NEAR(m.engines[i].n1_pct, 70.0, 1e-9);
        EXPECT_NEAR(m.engines[i].egt_c, 545.0, 1e-9);
        EXPECT_NEAR(m.engines[i].fuel_flow_pph, 2100.0, 1e-9);
        EXPECT_GT(m.engines[i].n2_pct, m.engines[i].n1_pct);
    }
    EXPECT_EQ(m.engines[2].n1_pct, 0.0); // only two engines
    double before = m.fuel_lb;
    fly_seconds(m, 360.0); // a tenth of an hour at 2 x 2100 lb/h
    EXPECT_NEAR(before - m.fuel_lb, 420.0, 1e-6);

    // Climb power, then nothing once the fuel is gone.
    m.ap_master = m.ap_altitude_hold = true;
    m.ap_altitude_ft = 20000.0;
    m.ap_vertical_speed_fpm = 1000.0;
    fly_seconds(m, 30.0);
    EXPECT_NEAR(m.engines[0].n1_pct, 92.0, 1e-9);
    EXPECT_NEAR(m.engines[0].egt_c, 622.0, 1e-9);
    m.fuel_lb = 1.0;
    fly_seconds(m, 30.0);
    EXPECT_EQ(m.fuel_lb, 0.0);
    EXPECT_EQ(m.engines[0].n1_pct, 0.0);
    EXPECT_EQ(m.engines[0].fuel_flow_pph, 0.0);
}

TEST(AircraftModel, ClockRollsOverDaysAndYears) {
    AircraftModel m = level_at_sea_level(0.0);
    m.zulu_seconds = 86399.0; // 23:59:59
    m.day_of_year = 365;
    m.year = 2003;
    fly_seconds(m, 2.0);
    EXPECT_EQ(m.day_of_year, 1);
    EXPECT_EQ(m.year, 2004);
    EXPECT_NEAR(m.zulu_seconds, 1.0, 1e-6);
    m.zulu_seconds = 86399.5;
    m.day_of_year = 365; // 2004 is a leap year
    fly_seconds(m, 1.0);
    EXPECT_EQ(m.day_of_year, 366);

    // The clock keys set the hour and the minute.
    m.zulu_seconds = 10.0 * 3600.0 + 30.0 * 60.0 + 15.0;
    host::apply_aircraft_key(m, 0x1021B, 14);
    host::apply_aircraft_key(m, 0x1021C, 5);
    EXPECT_EQ(m.zulu_seconds, 14.0 * 3600.0 + 5.0 * 60.0 + 15.0);
}

} // namespace

TEST(AircraftModel, CrossesEitherPoleAndComesDownTheOtherSide) {
    const struct {
        double lat, lon, heading; // toward the pole
        double lon_after, heading_after;
    } rows[] = {{89.9999, 0.0, 0.0, -180.0, 180.0},
                {89.99, 30.0, 0.0, -150.0, 180.0},
                {-89.9999, -100.0, 180.0, 80.0, 0.0}};
    for (const auto& r : rows) {
        AircraftModel m = level_at_sea_level(360.0); // 0.1 NM a second
        m.lat_deg = r.lat;
        m.lon_deg = r.lon;
        m.true_heading_deg = r.heading;
        fly_seconds(m, 10.0 + (90.0 - std::fabs(r.lat)) * 600.0);
        const double first = m.lat_deg;
        EXPECT_LT(std::fabs(first), 90.0) << r.lat;
        EXPECT_NEAR(m.lon_deg, r.lon_after, 1e-6) << r.lat;
        EXPECT_NEAR(m.true_heading_deg, r.heading_after, 1e-9) << r.lat;
        fly_seconds(m, 60.0); // 6 NM further from the pole, 0.1 degrees
        EXPECT_NEAR(std::fabs(first) - std::fabs(m.lat_deg), 0.1, 1e-3) << r.lat;
    }
}
