// The flight log through a whole flight from the gate, and the summary
// condensed from a log written by hand.
#include "route_files.h"

#include "fms/fms_update.h"
#include "fms/plan/flight_log.h"
#include "fms/plan/route_exec.h"
#include "fms/plan/route_plan.h"
#include "gauges/linkage.h"
#include "host_services.h"
#include "plan_builder.h"
#include "platform/os.h"
#include "sim/aircraft_state.h"
#include "sim_state.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace {

class FlightLog : public ::testing::Test {
  protected:
    void SetUp() override {
        host::reset_sim_state();
        ImportTable.panels = host::services_table();
        aircraft_parameter = "B737";
        loaded_origin_ident = "KSEA";
        loaded_destination_ident = "KPDX";
    }
    void TearDown() override { ImportTable.panels = nullptr; }

    // One call per simulated second with this state.
    void fly(int seconds, double gs, double vs, double ra = 0.0) {
        aircraft_state.ground_speed_kt = gs;
        aircraft_state.vertical_speed_fpm = vs;
        aircraft_state.radio_altitude_ft = ra;
        for (int i = 0; i < seconds; ++i) {
            flight_elapsed_seconds += 1.0;
            write_flight_log(kFlightLogPeriodic);
        }
    }

    // (time, segment) of every data line of fpl.log.
    std::vector<std::pair<std::string, std::string>> lines() const {
        std::vector<std::pair<std::string, std::string>> out;
        std::istringstream in(folder.read("orvex/FlightLog/fpl.log"));
        std::string line;
        while (std::getline(in, line)) {
            if (line.empty() || line[0] == ';' || line.find('=') != std::string::npos) continue;
            std::istringstream words(line);
            std::string time, segment;
            words >> time >> segment;
            out.emplace_back(time, segment);
        }
        return out;
    }

    RouteFolder folder;
};

} // namespace

TEST_F(FlightLog, aFlightFromTheGateWritesEverySegmentAndOneSummary) {
    host::set_token(386, 6.7);  // lb per gallon
    host::set_token(306, 3000); // gallons on board
    host::set_token(323, 1.0);  // the flight ends by time, not by this value
    set_active_last(1);
    active_entry(0).ident = "KSEA";
    active_entry(1) = RouteWaypoint{};
    active_entry(1).ident = "KPDX";
    active_entry(1).lat = 45.5887;
    active_entry(1).lon = -122.5975;
    aircraft_state.plat = 47.449;
    aircraft_state.plon = -122.3093;
    aircraft_state.indicated_altitude_ft = 8000.0;

    flight_phase = kFlightPhaseStartLog;
    flight_elapsed_seconds = 0.0;
    write_flight_log(kFlightLogPeriodic); // InitLoad at 00:00:00
    fly(1, 3, 0);                         // PushBack
    fly(1, 11, 0);                        // Taxi
    fly(1, 61, 0, 51);                    // Takeoff
    fly(1, 200, 401);                     // Climb
    fly(12, 250, 1500);                   // a line after more than 5 s, twice
    fly(1, 300, 0);                       // Cruise
    fly(61, 300, -1000);                  // one cruise line after more than 60 s, descending
    fly(21, 300, -1000);                  // Descent after more than 20 s
    aircraft_state.plat = 45.5887 + 19.0 / 60.0;
    aircraft_state.plon = -122.5975;
    fly(1, 250, -1000); // Approach inside 20 NM
    fly(1, 59, -500);   // Landing
    fly(1, 39, 0);      // Arr_Taxi
    fly(1, 4, 0);       // stopped
    fly(120, 4, 0);     // not yet 120 s after the stop
    EXPECT_EQ(flight_phase, kFlightPhaseStopped);
    fly(1, 4, 0); // End_Flight
    EXPECT_EQ(flight_phase, kFlightPhaseEndFlight);

    const std::vector<std::pair<std::string, std::string>> expected = {
        {"00:00:00", "InitLoad"}, {"00:00:01", "PushBack"},  {"00:00:02", "Taxi"},
        {"00:00:03", "Takeoff"},  {"00:00:04", "Climb"},     {"00:00:10", "Climb"},
        {"00:00:16", "Climb"},    {"00:00:17", "Cruise"},    {"00:01:18", "Cruise"},
        {"00:01:39", "Descent"},  {"00:01:40", "Approach"},  {"00:01:41", "Landing"},
        {"00:01:42", "Arr_Taxi"}, {"00:03:44", "End_Flight"}};
    EXPECT_EQ(lines(), expected);
    EXPECT_EQ(folder.read("orvex/FlightLog/fpl.log").rfind("FlightPlan=KSEA-KPDX\nAircraft=B737\n", 0), 0u);

    const std::string summary = folder.read("orvex/FlightLog/Flight.log");
    EXPECT_EQ(summary.rfind("[KSEA-KPDX]\nDate=", 0), 0u);
    // Altitude 8000 ft (band 10000), 20100 lb gross (band 20000), no true
    // airspeed or fuel flow on the ground stand-in; climb lines at 401, 1500
    // and 1500 ft/min.
    EXPECT_NE(summary.find("\nFlightTime=00:03\nAircraft=B737\nFuelUsed=0\nClimb=10000_0_1134_20000_0 \n"
                           "Cruise=10000_0_20000_0 \nDescent=10000_0_1000_0 \n\n"),
              std::string::npos)
        << summary;

    // After End_Flight nothing more is written.
    fly(5, 100, 0);
    EXPECT_EQ(lines().size(), expected.size());
}

TEST_F(FlightLog, summaryMeansByAltitudeAndWeightBandLeaveEmptyBandsOut) {
    folder.write_plan("../FlightLog/fpl.log",
                      "FlightPlan=KSEA-KPDX\n"
                      "; TIME Segment ...\n"
                      "00:00:00 InitLoad ---   0   0     0   400    0 20000 76000 0    0\n"
                      "00:05:00 Climb    ---  250 300  2000  7400 5000 19000 76000 1000 250\n"
                      "00:06:00 Climb    ---  260 320  1800  7600 4800 18000 76000 1000 260\n"
                      "00:07:00 Climb    ---  270 340  1600  7000 4600 16500 76000 1000 270\n"
                      "00:30:00 Cruise   ---  400 420     0 24000 3000 15000 76000 1000 280\n"
                      "01:00:00 Descent  ---  300 320 -1500 10000 1500 14000 76000 1000 250\n"
                      "01:01:00 Descent  ---  300 310 -1800 11000 1700 13900 76000 1000 250\n"
                      "01:20:00 End_Flight --- 0   0     0   400    0 13500 76000 1000 0\n");
    write_flight_summary();
    const os::SystemTime today = os::system_time_local();
    char date[32];
    std::snprintf(date, sizeof date, "Date=%d/%02d/%02d\n", today.year, today.month, today.day);
    EXPECT_EQ(folder.read("orvex/FlightLog/Flight.log"),
              std::string("[KSEA-KPDX]\n") + date +
                  "FlightTime=01:20\nAircraft=B737\nFuelUsed=6500\n"
                  "Climb=5000_320_1800_100000_5000 5000_320_1800_95000_4600 10000_320_1800_95000_4800 \n"
                  "Cruise=25000_420_90000_3000 \n"
                  "Descent=10000_315_1650_1600 \n\n");

    aircraft_parameter.clear();
    write_flight_summary();
    const std::string after = folder.read("orvex/FlightLog/Flight.log");
    EXPECT_EQ(std::count(after.begin(), after.end(), '['), 1); // no second block
}
