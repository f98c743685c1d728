// The stand-in's ground: the elevation of the airport the aircraft stands at
// (within its runways' reach), sea level elsewhere, or what a script holds.
// On the ground the on-ground flag is set and the wind does not move the
// aircraft; the module then passes no waypoint.
#include "aircraft_script.h"
#include "aircraft_store.h"
#include "airport_ground.h"
#include "host_services.h"
#include "sim_state.h"

#include "gauges/linkage.h"
#include "sim/sim_var_reader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

namespace {

std::string example_airports() {
    std::ifstream in(ORVEX_SOURCE_DIR "/examples/sim/orvex/navdata/apts.txt");
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(StandInGround, TheGroundIsTheElevationOfTheAirportWithinItsRunwaysReach) {
    std::vector<host::GroundAirport> airports = host::parse_ground_airports(example_airports());
    const std::vector<host::GroundAirport> more =
        host::parse_ground_airports("; comment 5 47 8\n"
                                    "BAD1 NAME x 47.0 8.0\n"
                                    "BAD2 NAME 100 95.0 8.0\n"
                                    "FAR NAME 99999 47.0 9.0\n"
                                    "NORWY NAME 1200 47.0 8.0 junk 09_5000_x_y\n"
                                    "EDGE NAME 50 -16.0 179.99 09_5000_-16.0_179.995\n");
    ASSERT_EQ(more.size(), 2u);
    airports.insert(airports.end(), more.begin(), more.end());
    const struct {
        const char* where;
        double lat, lon, ground;
    } rows[] = {
        {"KSEA's reference point", 47.4490, -122.3093, 433.0},
        {"lined up on 16L", 47.4638, -122.3079, 433.0},
        {"at a gate", 47.4435, -122.3010, 433.0},
        {"SEA, beside 34R", 47.4354, -122.3097, 433.0},
        {"1 NM north of 16L", 47.4805, -122.3079, 433.0},
        {"2.5 NM south of 34R", 47.3895, -122.3079, 0.0},
        {"on Boeing Field, 2.5 NM north of 16L", 47.5055, -122.3079, 21.0},
        {"FOXXE", 47.28117, -122.50845, 0.0},
        {"on KPDX 28L", 45.576916, -122.578469, 31.0},
        {"on KBLI 16", 48.801985, -122.537987, 170.0},
        {"0.9 NM from an airport without runways", 47.015, 8.0, 1200.0},
        {"1.1 NM from it", 47.0183, 8.0, 0.0},
        {"across the antimeridian", -16.0, -179.995, 50.0},
    };
    for (const auto& r : rows)
        EXPECT_EQ(host::ground_elevation_among(airports, r.lat, r.lon), r.ground) << r.where;
}

double seattle_ground(double lat, double) {
    return lat > 47.0 ? 433.0 : 0.0;
}

TEST(StandInGround, OnTheGroundTheFlagIsSetAndTheWindDoesNotMoveTheAircraft) {
    const struct {
        const char* commands;
        bool on_ground;
        double ground_speed_kt;
    } rows[] = {
        {"altitude 433|speed 0", true, 0.0},     // parked in a 40 kt wind
        {"altitude 433|speed 15", true, 15.0},   // taxiing
        {"altitude 3000|speed 0", false, 40.0},  // aloft the wind carries it
        {"altitude 434.5|speed 0", false, 40.0}, // lifted off
        {"position 46 -122|altitude 0|speed 0", true, 0.0},
        {"ground 1000|altitude 1000|speed 0", true, 0.0},
        {"ground 0|altitude 433|speed 0", false, 40.0},
        {"ground 0|ground auto|altitude 433|speed 0", true, 0.0},
    };
    ImportTable.panels = host::services_table();
    host::set_ground_source(&seattle_ground);
    for (const auto& r : rows) {
        host::reset_sim_state();
        std::string error;
        std::string commands =
            std::string("position 47.4638 -122.3079|heading 162|wind 250 40|") + r.commands;
        for (std::size_t from = 0, to = 0; from < commands.size(); from = to + 1) {
            to = std::min(commands.find('|', from), commands.size());
            ASSERT_TRUE(host::aircraft_command(commands.substr(from, to - from), true, error)) << error;
        }
        const double lat = host::aircraft().lat_deg, lon = host::aircraft().lon_deg;
        for (int i = 0; i < 90; ++i)
            host::advance_aircraft();
        EXPECT_EQ(sim_var_object.get_simvar_60_int(), r.on_ground ? 1 : 0) << r.commands;
        EXPECT_NEAR(sim_var_object.get_ground_speed_kt(), r.ground_speed_kt, 0.6) << r.commands;
        const bool moved = host::aircraft().lat_deg != lat || host::aircraft().lon_deg != lon;
        EXPECT_EQ(moved, r.ground_speed_kt > 0.0) << r.commands;
    }
    host::set_ground_source(nullptr);
    ImportTable.panels = nullptr;
}

// Parked, the aircraft is the simulator's: it stands on the airport's ground
// even when placed without an altitude or below it, its gear is down, and it
// does not turn before it rolls. Aloft the gear is worked as a pilot works it
// unless a script holds it.
TEST(StandInGround, ParkedTheAircraftStandsOnItsGearAndDoesNotTurnOnTheSpot) {
    const struct {
        const char* commands;
        double altitude_ft; // after the frames; NAN: not checked
        bool on_ground, gear_down, turned;
    } rows[] = {
        {"", 433.0, true, true, false}, // placed without an altitude
        {"altitude 100|ap on|ap hdg on", 433.0, true, true, false},
        {"altitude 433|ap on|ap hdg on|speed 15", 433.0, true, true, true}, // taxiing it turns
        {"gear up", 433.0, true, false, false},
        {"altitude 3000", 3000.0, false, false, false},
        {"altitude 1200", 1200.0, false, true, false},           // on approach
        {"speed 160|ap on|ap alt on", NAN, false, false, false}, // after take-off
        {"altitude 3000|gear down", 3000.0, false, true, false},
        {"position 46 -122|altitude 0|gear up|gear auto", 0.0, true, true, false}, // at sea level
    };
    ImportTable.panels = host::services_table();
    host::set_ground_source(&seattle_ground);
    for (const auto& r : rows) {
        host::reset_sim_state();
        host::reset_aircraft();
        host::AircraftModel& m = host::aircraft();
        m.ap_heading_bug_deg = 270.0;
        m.ap_altitude_ft = 5000.0;
        m.ap_vertical_speed_fpm = 1500.0;
        std::string error;
        std::string commands = std::string("position 47.4638 -122.3079|heading 162|") + r.commands;
        for (std::size_t from = 0, to = 0; from < commands.size(); from = to + 1) {
            to = std::min(commands.find('|', from), commands.size());
            ASSERT_TRUE(host::aircraft_command(commands.substr(from, to - from), true, error)) << error;
        }
        for (int i = 0; i < 90; ++i)
            host::advance_aircraft();
        if (!std::isnan(r.altitude_ft)) {
            EXPECT_NEAR(m.altitude_ft, r.altitude_ft, 1e-6) << r.commands;
        }
        EXPECT_EQ(sim_var_object.get_simvar_60_int(), r.on_ground ? 1 : 0) << r.commands;
        const double gear = r.gear_down ? 16383.0 : 0.0;
        EXPECT_EQ(sim_var_object.get_simvar_332(), gear) << r.commands;
        EXPECT_EQ(sim_var_object.get_simvar_333(), gear) << r.commands;
        EXPECT_EQ(sim_var_object.get_simvar_334(), gear) << r.commands;
        EXPECT_EQ(std::fabs(m.true_heading_deg - 162.0) > 1.0, r.turned) << r.commands;
    }
    // A gear position a script sets stands until the gear moves.
    host::set_token(334, 9000.0);
    host::advance_aircraft();
    EXPECT_EQ(sim_var_object.get_simvar_334(), 9000.0);
    std::string error;
    ASSERT_TRUE(host::aircraft_command("gear up", true, error));
    EXPECT_EQ(sim_var_object.get_simvar_334(), 0.0);
    host::reset_aircraft();
    host::set_ground_source(nullptr);
    ImportTable.panels = nullptr;
}

} // namespace
