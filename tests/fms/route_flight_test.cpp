// A flight in the stand-in from a route file to both flight logs: the page's
// route-file request loaded by fms_update on the ground (fuel into the tanks
// and the payload read over the data link), then taxi, climb, cruise,
// descent, approach, landing and the stop, flown by the stand-in aircraft.
#include "data_link_peer.h"
#include "platform/window.h"
#include "route_files.h"
#include "update_fixture.h"

#include "data/module_settings.h"
#include "fms/plan/flight_log.h"
#include "fms/plan/route_values.h"
#include "sim/data_link.h"

#include <fstream>
#include <sstream>

namespace {

class RouteFlight : public UpdateTest {
  protected:
    void SetUp() override {
        UpdateTest::SetUp();
        host::reset_data_link();
        ASSERT_TRUE(host::start_data_link({&orvex_window_register, &orvex_window_unregister}));
        aircraft_parameter = "B737";
    }
    void TearDown() override {
        host::stop_data_link();
        UpdateTest::TearDown();
    }
    void seconds(int n) { passes(18 * n); }
    RouteFolder folder;
};

// Segment names of fpl.log in order, repeats folded, and the InitLoad line.
std::vector<std::string> segments(const std::string& log, std::string& init_line) {
    std::vector<std::string> out;
    std::istringstream in(log);
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::string time, segment;
        words >> time >> segment;
        if (line.empty() || line[0] == ';' || line.find('=') != std::string::npos) continue;
        if (segment == "InitLoad") init_line = line;
        if (out.empty() || out.back() != segment) out.push_back(segment);
    }
    return out;
}

// The columns of each data line of fpl.log.
std::vector<std::vector<std::string>> data_lines(const std::string& log) {
    std::vector<std::vector<std::string>> out;
    std::istringstream in(log);
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == ';' || line.find('=') != std::string::npos) continue;
        std::istringstream words(line);
        out.emplace_back();
        for (std::string w; words >> w;)
            out.back().push_back(w);
    }
    return out;
}

} // namespace

TEST_F(RouteFlight, aRouteFileFlownFromTheGateWritesBothFlightLogs) {
    const PlanPoint origin{"KSEA", 47.449, -122.3093};
    const PlanPoint fix = offset("MID", origin, 180.0, 10.0);
    const PlanPoint destination = offset("KDST", origin, 180.0, 35.0);
    char text[512];
    std::snprintf(text, sizeof text,
                  "Fuel=12000\n[FlightPlan]\n%s %.5f %.5f APT\n%s %.5f %.5f WPT\n%s %.5f %.5f APT\n",
                  origin.ident.c_str(), origin.lat, origin.lon, fix.ident.c_str(), fix.lat, fix.lon,
                  destination.ident.c_str(), destination.lat, destination.lon);
    folder.write_plan("FLIGHT.RTE", text);
    LoadFuelonFlightPlanLoad = 1;
    host::set_link_u32(0x3BFC, 90000 * 256);
    host::set_link_u32(0x13FC, 70); // 70 stations, of which 61 are read
    for (uint32_t i = 0; i < 70; ++i)
        host::set_link_f64(0x1400 + 48 * i, 10.0);

    host::AircraftModel& m = host::aircraft();
    m.altitude_ft = m.ground_elevation_ft = m.ap_altitude_ft = 433.0;
    m.ias_kt = 0.0;
    m.ap_altitude_hold = true;
    place(origin.lat, origin.lon, 180.0);
    route_file_request_name = "FLIGHT.RTE";
    route_file_request = kRouteFileRequestMcu;
    seconds(1);
    ASSERT_EQ(active_plan_last, 2);
    EXPECT_EQ(route_state, kRouteStateActive);
    EXPECT_EQ(route_file_request, kRouteFileRequestNone);
    // Mains of 1499 gal each at 6.7 lb/gal take the 12000 lb.
    EXPECT_EQ(host::link_u32(0x0B7C), 5011465u);
    EXPECT_EQ(host::link_u32(0x0B94), 5011465u);
    EXPECT_EQ(host::link_u32(0x0B74), 0u);

    m.ias_kt = 5.0;
    seconds(2); // pushback
    m.ias_kt = 15.0;
    seconds(2); // taxi
    m.ias_kt = 150.0;
    m.ap_altitude_ft = 3433.0;
    m.ap_vertical_speed_fpm = 300.0;
    seconds(15); // takeoff: above 50 ft, still below 400 ft/min
    m.ap_vertical_speed_fpm = 2000.0;
    seconds(90); // climb, level off
    seconds(30); // cruise
    m.ap_altitude_ft = 1433.0;
    m.ap_vertical_speed_fpm = -1000.0;
    seconds(240); // descent, then the approach inside 20 NM of KDST
    m.ias_kt = 50.0;
    seconds(2); // landing
    m.ias_kt = 30.0;
    seconds(2); // taxi in
    m.ias_kt = 3.0;
    seconds(125); // stopped for more than two minutes
    EXPECT_EQ(flight_phase, kFlightPhaseEndFlight);

    std::string init_line;
    const std::vector<std::string> expected = {"InitLoad", "PushBack", "Taxi",      "Takeoff",
                                               "Climb",    "Cruise",   "Descent",   "Approach",
                                               "Landing",  "Arr_Taxi", "End_Flight"};
    EXPECT_EQ(segments(folder.read("orvex/FlightLog/fpl.log"), init_line), expected);
    std::istringstream words(init_line);
    std::vector<std::string> columns;
    for (std::string w; words >> w;)
        columns.push_back(w);
    ASSERT_GE(columns.size(), 11u);
    EXPECT_EQ(columns[9], "90000"); // zero-fuel weight
    EXPECT_EQ(columns[10], "610");  // payload of the first 61 stations

    const std::string summary = folder.read("orvex/FlightLog/Flight.log");
    EXPECT_EQ(summary.rfind("[KSEA-KDST]\n", 0), 0u) << summary;
    EXPECT_NE(summary.find("\nAircraft=B737\n"), std::string::npos);
    EXPECT_NE(summary.find("\nClimb="), std::string::npos);
    EXPECT_NE(summary.find("\nCruise="), std::string::npos);
    EXPECT_NE(summary.find("\nDescent="), std::string::npos);
}

// The example route with waypoints sequenced off LNAV: SEA, 0.8 NM from the
// gate, is passed after take-off, not at the gate, and the log keeps its
// InitLoad line first.
TEST_F(RouteFlight, theExampleRouteSequencedFromTheGateKeepsItsStartFuel) {
    std::ifstream example(std::string(ORVEX_SOURCE_DIR) + "/examples/sim/orvex/flightplans/KSEAKPDX.RTE");
    std::stringstream text;
    text << example.rdbuf();
    folder.write_plan("KSEAKPDX.RTE", text.str());
    SequenceFPlanWpts = 1;
    host::AircraftModel& m = host::aircraft();
    m.altitude_ft = m.ground_elevation_ft = m.ap_altitude_ft = 433.0;
    m.ias_kt = 0.0;
    m.ap_altitude_hold = true;
    place(47.449, -122.3093, 180.0);
    route_file_request_name = "KSEAKPDX.RTE";
    route_file_request = kRouteFileRequestMcu;
    seconds(2);
    ASSERT_EQ(active_plan_last, 9);
    EXPECT_EQ(to_waypoint_index, 1); // SEA not passed while parked
    EXPECT_EQ(flight_phase, kFlightPhaseInitLoad);

    m.ias_kt = 15.0;
    seconds(3); // pushback and taxi
    m.ias_kt = 150.0;
    m.ap_altitude_ft = 3433.0;
    m.ap_vertical_speed_fpm = 300.0;
    seconds(15); // takeoff
    m.ap_vertical_speed_fpm = 2000.0;
    seconds(120); // climb, level off, cruise
    m.ap_altitude_ft = 1433.0;
    m.ap_vertical_speed_fpm = -1000.0;
    seconds(30); // descent
    m.lat_deg = 45.8;
    m.lon_deg = -122.6;
    seconds(10); // the approach, inside 20 NM of KPDX
    m.ias_kt = 30.0;
    seconds(2); // landing and taxi in
    m.ias_kt = 3.0;
    seconds(150); // slowing down, then stopped for more than two minutes
    ASSERT_EQ(flight_phase, kFlightPhaseEndFlight);

    const auto lines = data_lines(folder.read("orvex/FlightLog/fpl.log"));
    ASSERT_GE(lines.size(), 3u);
    ASSERT_GE(lines.front().size(), 11u);
    EXPECT_EQ(lines.front()[0] + " " + lines.front()[1], "00:00:00 InitLoad");
    // The first sequencing line, SEA's, comes after it, on the take-off roll.
    std::size_t passed = 1;
    while (passed < lines.size() && lines[passed][2] == "---")
        ++passed;
    ASSERT_LT(passed, lines.size());
    EXPECT_EQ(lines[passed][2], "SEA");
    EXPECT_GT(std::stod(lines[passed][3]), 40.0); // ground speed
    ASSERT_EQ(lines.back()[1], "End_Flight");
    const double used = std::stod(lines.front()[8]) - std::stod(lines.back()[8]); // fuel on board
    EXPECT_GT(used, 0.0);
    const std::string summary = folder.read("orvex/FlightLog/Flight.log");
    char expected[64];
    std::snprintf(expected, sizeof expected, "\nFuelUsed=%.0f\n", used);
    EXPECT_NE(summary.find(expected), std::string::npos) << summary;
}
