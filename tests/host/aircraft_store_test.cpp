// The stand-in aircraft seen through the module's own accessors: the store
// holds raw simulator units, and the module's conversions must give back the
// model's values. Also the script's aircraft commands and orvex-sim.
#include "aircraft_script.h"
#include "aircraft_store.h"
#include "fake_module.h"
#include "host_services.h"
#include "script.h"
#include "sim_state.h"
#include "simulator.h"

#include "fms/math/magnetic_variation.h"
#include "gauges/linkage.h"
#include "sim/sim_var_reader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {

class StandInAircraft : public ::testing::Test {
  protected:
    void SetUp() override {
        host::reset_sim_state();
        ImportTable.panels = host::services_table();
    }
    void TearDown() override { ImportTable.panels = nullptr; }

    // The frame hook alone: the aircraft moves and the store is rewritten.
    void frames(int n) {
        for (int i = 0; i < n; ++i)
            host::advance_aircraft();
    }
};

TEST_F(StandInAircraft, PositionsComeBackThroughTheModulesConversions) {
    struct Row {
        double lat, lon;
    };
    const Row rows[] = {{47.4581, 8.5481}, {-33.9461, 151.1772}, {37.6189, -122.3750}, {-0.5, -0.25}, {0, 0}};
    host::start_aircraft();
    for (const Row& r : rows) {
        host::aircraft().lat_deg = r.lat;
        host::aircraft().lon_deg = r.lon;
        host::publish_aircraft();
        EXPECT_NEAR(sim_var_object.get_plat_deg(), r.lat, 1e-9) << r.lat;
        EXPECT_NEAR(sim_var_object.get_plon_deg(), r.lon, 1e-9) << r.lon;
    }
}

TEST_F(StandInAircraft, FlightValuesComeBackThroughTheAccessors) {
    host::AircraftModel& m = host::aircraft();
    m.lat_deg = 47.0;
    m.lon_deg = 8.0;
    m.altitude_ft = 3000.0;
    m.ground_elevation_ft = 500.0;
    m.ias_kt = 200.0;
    m.true_heading_deg = 100.0;
    m.magvar_deg = 12.5;
    m.wind_from_deg = 250.0;
    m.wind_speed_kt = 35.0;
    m.fuel_lb = 9000.0;
    m.ap_master = m.ap_heading_hold = m.ap_altitude_hold = true;
    m.ap_heading_bug_deg = 150.0; // magnetic, so a right turn
    m.ap_altitude_ft = 9000.0;
    m.ap_vertical_speed_fpm = 2000.0;
    m.zulu_seconds = 13 * 3600 + 45 * 60 + 30;
    host::start_aircraft();
    frames(18);
    const host::AircraftModel& a = host::aircraft();

    EXPECT_EQ(sim_var_object.get_magvar_deg(), 12.5);
    EXPECT_NEAR(sim_var_object.get_map_heading_deg(), a.true_heading_deg, 1e-12);
    EXPECT_NEAR(sim_var_object.get_heading_deg(), a.true_heading_deg - 12.5, 1e-12);
    EXPECT_GT(a.true_heading_deg, 102.0); // turning right toward 162.5 true
    EXPECT_EQ(sim_var_object.get_heading_bug_deg(), 150.0);
    EXPECT_LT(sim_var_object.get_bank_deg(), -15.0);
    host_sim_version = 10; // the other generation's bank token
    EXPECT_EQ(sim_var_object.get_bank_deg(), a.bank_deg);
    host_sim_version = 9;
    EXPECT_NEAR(sim_var_object.get_g_load(), 1.0 / std::cos(a.bank_deg * M_PI / 180.0), 1e-9);
    EXPECT_GT(sim_var_object.get_pitch_deg(), -6.0);
    EXPECT_LT(sim_var_object.get_pitch_deg(), 0.0); // climbing: nose up

    double track = 0.0;
    double ground_speed = 0.0;
    host::ground_vector(a, &track, &ground_speed);
    EXPECT_NEAR(sim_var_object.get_ground_speed_kt(), ground_speed, 1e-9);
    EXPECT_NEAR(sim_var_object.get_speed_smoothed(), 0.3 * a.ias_kt, 1e-9); // first filter step
    EXPECT_NEAR(sim_var_object.get_mach_raw() * 3.2 / 65536.0, host::mach_number(a), 1e-12);
    EXPECT_NEAR(sim_var_object.get_vertical_speed_fpm(), 2000.0, 1e-9);
    EXPECT_NEAR(sim_var_object.get_indicated_altitude_ft(), 3000.0 + 2000.0 / 60.0, 1e-6);
    EXPECT_NEAR(sim_var_object.get_radio_altitude_ft(), 2500.0 + 2000.0 / 60.0, 1e-6);
    EXPECT_NEAR(sim_var_object.get_air_temperature_c(), host::isa_temperature_c(a.altitude_ft), 1e-12);
    EXPECT_EQ(sim_var_object.get_simvar_75(), 1013.25);
    EXPECT_EQ(sim_var_object.get_wind_speed_kt(), 35.0);
    EXPECT_EQ(sim_var_object.get_wind_direction_deg(), 250.0);
    EXPECT_EQ(sim_var_object.get_simvar_60_int(), 0); // airborne
    EXPECT_EQ(sim_var_object.get_display_power(), 1);

    EXPECT_EQ(sim_var_object.get_autopilot_altitude_lock_var_ft(), 9000.0);
    EXPECT_EQ(sim_var_object.get_ap_vertical_speed_target_fpm(), 2000.0);
    EXPECT_EQ(sim_var_object.get_simvar_103(), 1.0);
    EXPECT_EQ(sim_var_object.get_simvar_106(), 1.0);
    EXPECT_EQ(sim_var_object.get_simvar_108(), 1.0);
    EXPECT_EQ(sim_var_object.get_simvar_115(), 0.0);

    EXPECT_EQ(sim_var_object.get_zulu_hours(), 13.0);
    EXPECT_EQ(sim_var_object.get_zulu_minutes(), 45.0);
    EXPECT_EQ(sim_var_object.get_clock_seconds(), 31.0);
    EXPECT_EQ(sim_var_object.get_local_hours(), 13.0);
    EXPECT_EQ(sim_var_object.get_day_of_year(), 172.0);
    EXPECT_EQ(sim_var_object.get_year(), 2004.0);
    EXPECT_NEAR(sim_var_object.get_simvar_1(), 1.0, 1e-9); // one second of simulator time

    // Engines in Rankine and pounds per square foot come back in Celsius and
    // psi; the simulator's exact 491.67 R against the module's 491.69 costs
    // a hundredth of a degree.
    EXPECT_NEAR(sim_var_object.get_eng1_egt_c(), a.engines[0].egt_c, 0.02);
    EXPECT_NEAR(sim_var_object.get_eng2_oil_temp_c(), a.engines[1].oil_temp_c, 0.02);
    EXPECT_NEAR(sim_var_object.get_eng1_oil_pressure_psi(), a.engines[0].oil_pressure_psi, 1e-9);
    EXPECT_EQ(sim_var_object.get_eng1_n1_pct(), a.engines[0].n1_pct);
    EXPECT_EQ(sim_var_object.get_eng2_fuel_flow(), a.engines[1].fuel_flow_pph);
    EXPECT_EQ(sim_var_object.get_total_fuel_flow(), a.engines[0].fuel_flow_pph + a.engines[1].fuel_flow_pph);
    EXPECT_EQ(sim_var_object.get_eng3_n1_pct(), 0.0);
    EXPECT_NEAR(sim_var_object.get_fuel_on_board_lb(), a.fuel_lb, 1e-9);
    EXPECT_NEAR(sim_var_object.get_fuel_quantity_gal(), a.fuel_lb / a.fuel_lb_per_gallon, 1e-9);
    EXPECT_EQ(sim_var_object.get_simvar_386(), a.fuel_lb_per_gallon); // weight of a gallon
    EXPECT_LT(a.fuel_lb, 9000.0);
    EXPECT_NEAR(sim_var_object.get_eng1_simvar_149_scaled(), 16.0, 1e-9); // quarts of oil
    EXPECT_EQ(sim_var_object.get_simvar_290(), 4299.0);
}

TEST_F(StandInAircraft, KeyEventsFromTheModuleAreAnsweredOnTheNextFrame) {
    host::start_aircraft();
    ps_send_key_event(0x101FA, 275);
    ps_send_key_event(0x1024C, 31000);
    ps_send_key_event(0x101F5, 290);
    ps_send_key_event(0x101F6, 78);
    ps_send_key_event(0x100B4, 123);
    ps_send_key_event(0x100AC, 0x1135);
    ps_send_key_event(0x100B2, 0x0415);
    ps_send_key_event(0x100FD, 0);
    sim_var_object.send_decision_height_inc();
    EXPECT_EQ(sim_var_object.get_heading_bug_deg(), 0.0); // not before the frame
    frames(1);
    EXPECT_EQ(sim_var_object.get_heading_bug_deg(), 275.0);
    EXPECT_EQ(sim_var_object.get_autopilot_altitude_lock_var_ft(), 31000.0);
    EXPECT_EQ(sim_var_object.get_ap_airspeed_target_kt(), 290.0);
    EXPECT_NEAR(sim_var_object.get_ap_mach_target(), 0.78, 1e-12);
    EXPECT_EQ(sim_var_object.get_nav1_course_deg(), 123.0);
    EXPECT_NEAR(sim_var_object.get_simvar_24_bcd_mhz(), 111.35, 1e-9);
    EXPECT_NEAR(sim_var_object.get_simvar_16_18_bcd_khz(), 415.0, 1e-9);
    EXPECT_EQ(sim_var_object.get_simvar_336(), 2.0);
    EXPECT_EQ(sim_var_object.get_decision_height_ft(), 210.0);
    host_sim_version = 10; // the expression of the newer host agrees
    EXPECT_EQ(sim_var_object.get_decision_height_ft(), 210.0);

    // Paused: the simulator time stands, so the module's update would skip.
    double time = sim_var_object.get_simvar_1();
    ps_send_key_event(0x10019, 0);
    frames(10);
    EXPECT_EQ(sim_var_object.get_simvar_1(), time);
}

TEST_F(StandInAircraft, SeedsLeaveWhatTheScriptSetAndTheModelOwnsItsValues) {
    host::set_token(49, 1.0);  // a NAV1 station received
    host::set_token(81, 42.0); // a heading, which the model owns
    host::start_aircraft();
    EXPECT_EQ(sim_var_object.get_nav1_signal(), 1.0);
    EXPECT_EQ(sim_var_object.get_nav2_signal(), 0.0);
    EXPECT_EQ(sim_var_object.get_heading_deg(), 0.0);
    EXPECT_EQ(sim_var_object.get_com1_active_freq_last_digit(), 0.0); // 118.100
    EXPECT_EQ(sim_var_object.get_nav_ident1_text(), "");
    // 0x350 gives 350 for both parts: 350 + 1000 + (350 - 100) / 10.
    EXPECT_NEAR(sim_var_object.get_var_480_bcd_khz(), 1375.0, 1e-9);

    // Off until started: nothing moves, nothing is written.
    host::reset_sim_state();
    host::set_token(81, 42.0);
    frames(5);
    EXPECT_FALSE(host::aircraft_active());
    EXPECT_EQ(sim_var_object.get_heading_deg(), 42.0);
}

double module_variation(double lat, double lon) {
    return compute_magnetic_variation(static_cast<int>(lat), static_cast<int>(lon));
}

TEST_F(StandInAircraft, MagneticVariationFollowsThePositionFromAGivenModel) {
    host::set_magvar_source(&module_variation);
    host::aircraft().lat_deg = 47.5;
    host::aircraft().lon_deg = 8.5;
    host::start_aircraft();
    EXPECT_EQ(sim_var_object.get_magvar_deg(), compute_magnetic_variation(47, 8));
    host::aircraft().lat_deg = 37.6;
    host::aircraft().lon_deg = -122.4;
    frames(1);
    EXPECT_EQ(sim_var_object.get_magvar_deg(), compute_magnetic_variation(37, -122));
    EXPECT_GT(sim_var_object.get_magvar_deg(), 10.0); // east in California
    host::set_magvar_source(nullptr);
}

class AircraftScripts : public ::testing::Test {
  protected:
    void SetUp() override {
        host::reset_sim_state();
        fake::reset();
        sim.module = host::attach_module(&fake::linkage, &fake::imports, "orvex1");
        host::PanelFile panel;
        std::string error;
        ASSERT_TRUE(
            host::parse_panel_text("p.cfg", "[Window00]\ngauge00=orvex1!SERVER, 0, 0\n", panel, error));
        ASSERT_TRUE(host::place_gauges(sim, panel, error)) << error;
    }

    std::string run(const std::string& text) {
        host::Script script;
        std::string error;
        EXPECT_TRUE(host::parse_script_text("s.script", text, sim, script, error)) << error;
        std::FILE* out = std::tmpfile();
        host::start_gauges(sim);
        host::run_script(sim, script, out, nullptr);
        host::stop_gauges(sim);
        std::rewind(out);
        std::string printed;
        char buffer[512];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, out)) > 0)
            printed.append(buffer, n);
        std::fclose(out);
        return printed;
    }

    std::string parse_error(const std::string& text) {
        host::Script script;
        std::string error;
        EXPECT_FALSE(host::parse_script_text("s.script", text, sim, script, error)) << text;
        return error;
    }

    host::Simulator sim;
};

TEST_F(AircraftScripts, SetTheInitialStateAndPrintItAfterFrames) {
    std::string printed = run("aircraft position 47.5 8.5\n"
                              "aircraft heading 90\n"
                              "aircraft altitude 0\n"
                              "aircraft speed 180\n"
                              "aircraft fuel 8000\n"
                              "aircraft magvar 2\n"
                              "aircraft time 12:00\n"
                              "print aircraft\n"
                              "frames 1800\n"
                              "print aircraft\n");
    // 100 s at 180 kt: 5 NM east, 0.12335 deg of longitude at 47.5 N.
    EXPECT_EQ(
        printed.substr(0, printed.find('\n')),
        "frame 0: aircraft lat 47.50000 lon 8.50000 hdg 090.0 true 088.0 mag trk 090.0 alt 0 ft ias 180 "
        "tas 180 gs 180 kt mach 0.272 vs 0 fpm bank 0.0 fuel 8000 lb rate 1 time 12:00:00");
    std::string second = printed.substr(printed.find('\n') + 1);
    EXPECT_EQ(second.rfind("frame 1800: aircraft lat 47.50000 lon 8.62335 hdg 090.0", 0), 0u) << second;
    EXPECT_NE(second.find("time 12:01:40"), std::string::npos) << second;
    EXPECT_TRUE(host::aircraft_active());
}

TEST_F(AircraftScripts, WindRateAndAutopilotCommands) {
    std::string printed = run("aircraft position 0 0\n"
                              "aircraft altitude 1000\n"
                              "aircraft speed 300\n"
                              "aircraft wind 360 50\n"
                              "aircraft rate 4\n"
                              "aircraft ap on\n"
                              "aircraft ap alt on\n"
                              "print aircraft\n"
                              "key 0x1024C 2000\n"
                              "key 0x101F4 1000\n"
                              "frames 270\n" // 15 real seconds, a minute of flight
                              "print aircraft\n");
    // At 1000 ft 300 kt indicated are 304 kt true: 50 kt on the nose leave 254.
    std::string first = printed.substr(0, printed.find('\n'));
    EXPECT_NE(first.find("frame 0: aircraft lat 0.00000 lon 0.00000 hdg 000.0"), std::string::npos) << first;
    EXPECT_NE(first.find("gs 254 kt"), std::string::npos) << first;
    // A minute of flight at rate 4, climbed the 1000 ft at 1000 ft/min.
    std::string second = printed.substr(printed.find('\n') + 1);
    EXPECT_NE(second.find("frame 270: aircraft lat 0.07"), std::string::npos) << second;
    EXPECT_NE(second.find("alt 2000 ft"), std::string::npos) << second;
    EXPECT_NE(second.find("rate 4 time 12:01:00"), std::string::npos) << second;
}

// The engine pages read the levers on the pressure-ratio tokens and the
// ambient pressure raw; a script holds levers and readings per engine.
TEST_F(AircraftScripts, EngineLeversPressureAndHeldReadings) {
    const auto token = [](uint32_t id) { return host::find_token(id)->number; };
    run("aircraft engines 4\naircraft altitude 0\naircraft speed 250\naircraft fuel 8000\n"
        "aircraft engine 3 lever -8000\naircraft engine 2 n2 95.5\naircraft engine 4 oil 80 150 12\n"
        "aircraft engine 1 thrust 40000\n");
    // Level at 250 kt: N1 70, the lever as far forward as that power.
    EXPECT_NEAR(token(128), (70.0 - 25.0) / 75.0 * 16383.0, 1e-6);
    EXPECT_EQ(token(198), -8000.0);
    EXPECT_NEAR(token(664), 25.0 + 75.0 * 8000.0 / 16383.0, 1e-9); // reverse spools up too
    EXPECT_EQ(token(644), 95.5);
    EXPECT_EQ(token(646), 95.5);
    EXPECT_EQ(token(592), 80.0 * 144.0);
    EXPECT_NEAR(token(591), 150.0 * 1.8 + 491.67, 1e-9);
    EXPECT_NEAR(token(254), 12.0 * 16384.0 / 30.0, 1e-9);
    EXPECT_EQ(token(633), 40000.0);
    EXPECT_NEAR(token(342), 16213.0, 1e-9);
    EXPECT_NEAR(token(652), 16213.0 * 2.6 * 0.7 * 0.7, 1e-6);

    run("aircraft altitude 10000\naircraft engine 3 lever auto\naircraft engine 2 n2 auto\n"
        "aircraft engine 4 oil auto\naircraft engine 1 thrust auto\naircraft engines 2\n");
    EXPECT_NEAR(token(342), 16213.0 * 0.6877, 2.0); // about 697 hPa
    EXPECT_GT(token(163), 0.0);
    EXPECT_EQ(token(198), 0.0); // engines 3 and 4 are gone
    EXPECT_EQ(token(233), 0.0);
    EXPECT_NE(token(644), 95.5);
    EXPECT_NE(token(633), 40000.0);
}

TEST_F(AircraftScripts, BadAircraftCommandsAreRefusedBeforeAnythingRuns) {
    struct Case {
        const char* line;
        const char* message;
    };
    const Case cases[] = {
        {"aircraft speed fast", "bad aircraft speed 'fast' (0 to 2000 kt)"},
        {"aircraft speed 2001", "bad aircraft speed '2001' (0 to 2000 kt)"},
        {"aircraft mach 2.01", "bad aircraft Mach '2.01' (0 to 2)"},
        {"aircraft altitude 100001", "bad aircraft altitude '100001' (-1500 to 100000 ft)"},
        {"aircraft heading -1", "bad aircraft heading '-1' (0 to 360 deg)"},
        {"aircraft fuel -5", "bad aircraft fuel '-5' (0 to 1000000 lb)"},
        {"aircraft magvar 181", "bad aircraft magvar '181' (-180 to 180 deg)"},
        {"aircraft wind 90 301", "bad aircraft wind '90 301' (DIR 0 to 360, KT 0 to 300)"},
        {"aircraft position 95 0", "bad aircraft position '95 0' (LAT -90 to 90, LON -180 to 180)"},
        {"aircraft rate 500", "bad aircraft simulation rate '500' (0.25 to 128)"},
        {"aircraft ap hdg maybe", "bad aircraft autopilot switch 'maybe' (on or off)"},
        {"aircraft ap flaps on", "bad aircraft autopilot mode 'flaps' (hdg, nav, alt, spd, mach or athr)"},
        {"aircraft time 25:00", "bad aircraft time '25:00' (HH:MM or HH:MM:SS)"},
        {"aircraft engines 5", "bad aircraft engine count '5' (1 to 4)"},
        {"aircraft ground sky", "bad aircraft ground 'sky' (-1500 to 30000 ft, or auto)"},
        {"aircraft gear sideways", "bad aircraft gear 'sideways' (up, down or auto)"},
        {"aircraft engine 5 lever 0", "bad aircraft engine '5' (engine 1 to 4 and what to set)"},
        {"aircraft engine 1 lever 16384", "bad aircraft lever '16384' (-16383 to 16383)"},
        {"aircraft engine 1 oil 80 90",
         "bad aircraft engine oil (PSI 0 to 1000, C -100 to 400, QUARTS 0 to 30, or auto)"},
        {"aircraft engine 1 fan 3", "bad aircraft engine value 'fan' (lever, n2, thrust or oil)"},
        {"print aircraft now", "print aircraft takes nothing more"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(parse_error(std::string("frames 1\n") + c.line + "\n"),
                  std::string("s.script:2: ") + c.message);
    EXPECT_EQ(
        parse_error("aircraft fly\n").rfind("s.script:1: bad aircraft command 'fly': usage: aircraft", 0),
        0u);
    EXPECT_EQ(parse_error("aircraft wind 270\n").rfind("s.script:1: usage: aircraft position", 0), 0u);
    EXPECT_FALSE(host::aircraft_active()); // checking does not start it
    // What the module and its performance tables take is taken, to the ends
    // of each range.
    for (const char* line : {"aircraft mach 1.0", "aircraft mach 2.0", "aircraft speed 1300",
                             "aircraft altitude 100000", "aircraft altitude -1500"}) {
        host::Script script;
        std::string error;
        EXPECT_TRUE(host::parse_script_text("s.script", std::string(line) + "\n", sim, script, error))
            << error;
    }
}

TEST(AircraftCli, OrvexSimStartsTheAircraftAndPrintsItsState) {
    // The module writes below its simulator folder: run on a copy of its own.
    const std::string example = ORVEX_SOURCE_DIR "/examples/sim";
    const std::string root = testing::TempDir() + "orvex_aircraft_sim";
    std::filesystem::remove_all(root);
    std::filesystem::copy(example, root, std::filesystem::copy_options::recursive);
    std::string script_path = testing::TempDir() + "aircraft.script";
    std::ofstream(script_path) << "aircraft position -33.9461 151.1772\n"
                                  "aircraft heading 180\naircraft altitude 0\naircraft speed 240\n"
                                  "frames 36\nprint aircraft\n";
    std::string command = std::string(ORVEX_SIM_PATH) + " --root " + root + " --panel " + example +
                          "/panel.cfg --out " + testing::TempDir() + "orvex_aircraft_out --script " +
                          script_path + " 2>/dev/null";
    std::FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string text;
    char buffer[1024];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        text.append(buffer, n);
    int status = pclose(pipe);
    EXPECT_EQ(status, 0) << text;
    // Two seconds south at 240 kt: 0.1333 NM, 0.00222 deg of latitude.
    EXPECT_EQ(text.rfind("frame 36: aircraft lat -33.94832 lon 151.17720 hdg 180.0", 0), 0u) << text;
}

} // namespace
