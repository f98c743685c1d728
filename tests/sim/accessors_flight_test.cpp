// The flight, navigation, autopilot, clock and configuration accessors, each
// against a value set in the host's raw units.
#include "sim/sim_var_reader.h"

#include "sim/accessor_rows.h"
#include "sim/sim_values_services.h"

#include <gtest/gtest.h>

namespace {

using V = SimValues;

TEST(FlightAccessors, PositionAttitudeSpeedsAndAirDataConvertFromRawUnits) {
    SimValuesInstalled sim;
    const TokenRow rows[] = {
        // 47.5 degrees of latitude in metres.
        {ROW(get_plat_deg), 71, 5278701.3889575, 47.5},
        {ROW(get_plat_deg), 71, -3889569.44449495, -35.0},
        // 8.5 degrees east of a 2^48 circle.
        {ROW(get_plon_deg), 72, 6645936950112.9, 8.5},
        // 237.7 degrees east is 122.3 west.
        {ROW(get_plon_deg), 72, 185851672122568.97, -122.3},
        {ROW(get_magvar_deg), 82, -2.5, -2.5},
        {ROW(get_heading_deg), 81, 271.25, 271.25},
        {ROW(get_map_heading_deg), 86, 268.75, 268.75},
        {ROW(get_heading_bug_deg), 107, 90.0, 90.0},
        {ROW(get_pitch_deg), 77, -3.5, -3.5},
        // 400 ft/s; 1.68781 ft/s make a knot.
        {ROW(get_ground_speed_kt), 551, 400.0, 236.99350045325008},
        {ROW(get_ground_speed_kt), 551, 168.781, 100.0},
        {ROW(get_mach_raw), 64, 16384.0, 16384.0},
        // m/s x 256 over 1.30048 is ft/min.
        {ROW(get_vertical_speed_fpm), 65, 1300.48, 1000.0},
        {ROW(get_vertical_speed_fpm), 65, -2600.96, -2000.0},
        {ROW(get_radio_altitude_ft), 614, 100.0, 328.08399},
        {ROW(get_g_load), 351, 936.0, 1.5},
        {ROW(get_air_temperature_c), 341, -56.5, -56.5},
        {ROW(get_simvar_75), 75, 1013.25, 1013.25},
        {ROW(get_wind_speed_kt), 343, 35.0, 35.0},
        {ROW(get_wind_direction_deg), 344, 250.0, 250.0},
        {ROW(get_stall_warning), 67, 1.0, 1.0},
        {ROW(get_simvar_1), 1, 1234.5, 1234.5},
        {ROW(get_simvar_63), 63, 44800.0, 44800.0},
        {ROW(get_simvar_69), 69, -64.0, -64.0},
        {ROW(get_simvar_354), 354, 2.0, 2.0},
        {ROW(get_simvar_792), 792, 1.0, 1.0},
        {ROW(get_simvar_793), 793, 4.5, 4.5},
        {ROW(get_simvar_794), 794, -15.0, -15.0},
        {ROW(get_simvar_907), 907, 7.0, 7.0},
        {ROW(get_simvar_907_2), 907, 8.0, 8.0},
        {ROW(get_simvar_908), 908, 9.0, 9.0},
        {ROW(get_simvar_349), 349, 12500.0, 12500.0},
        {ROW(get_simvar_336), 336, 512.0, 512.0},
        {ROW(get_simvar_323), 323, 1.0, 1.0},
    };
    check_token_rows(rows, std::size(rows));
}

TEST(FlightAccessors, LongitudeWrapsOnlyAboveHalfTheCircle) {
    SimValuesInstalled sim;
    // 2^47 + 4 is exactly 180 degrees and stays east.
    V::tokens[72] = 140737488355332.0;
    EXPECT_EQ(sim_var_object.get_plon_deg(), 180.0);
    V::tokens[72] = 140737488355332.0 + 32.0; // the next raw value up
    EXPECT_NEAR(sim_var_object.get_plon_deg(), -180.0, 1e-9);
    EXPECT_LT(sim_var_object.get_plon_deg(), 0.0);
    V::tokens[72] = 0.0;
    EXPECT_EQ(sim_var_object.get_plon_deg(), 0.0);
}

TEST(FlightAccessors, AutopilotRadiosAndClockReadTheirTokens) {
    SimValuesInstalled sim;
    const TokenRow rows[] = {
        {ROW(get_ap_airspeed_target_kt), 116, 280.0, 280.0},
        {ROW(get_ap_mach_target), 118, 0.78, 0.78},
        {ROW(get_ap_vertical_speed_target_fpm), 120, -1800.0, -1800.0},
        {ROW(get_simvar_103), 103, 1.0, 1.0},
        {ROW(get_simvar_105), 105, 2.0, 2.0},
        {ROW(get_simvar_106), 106, 3.0, 3.0},
        {ROW(get_simvar_108), 108, 4.0, 4.0},
        {ROW(get_simvar_110), 110, 5.0, 5.0},
        {ROW(get_simvar_111), 111, 6.0, 6.0},
        {ROW(get_simvar_112), 112, 7.0, 7.0},
        {ROW(get_simvar_113), 113, 8.0, 8.0},
        {ROW(get_simvar_114), 114, 9.0, 9.0},
        {ROW(get_simvar_115), 115, 10.0, 10.0},
        {ROW(get_simvar_117), 117, 11.0, 11.0},
        {ROW(get_simvar_123), 123, 12.0, 12.0},
        {ROW(get_nav1_course_deg), 45, 123.0, 123.0},
        {ROW(get_nav1_relative_bearing_deg), 550, 15.5, 15.5},
        {ROW(get_nav2_relative_bearing_deg), 59, -20.5, -20.5},
        {ROW(get_nav1_signal), 49, 256.0, 256.0},
        {ROW(get_nav2_signal), 58, 128.0, 128.0},
        {ROW(get_nav1_dme_nm), 31, 12.3, 12.3},
        {ROW(get_nav2_dme_nm), 35, 45.6, 45.6},
        {ROW(get_simvar_32), 32, 32.5, 32.5},
        {ROW(get_simvar_22), 22, 22.5, 22.5},
        {ROW(get_adf1_signal), 20, 2.0, 2.0},
        {ROW(get_adf1_relative_bearing_deg), 39, 300.0, 300.0},
        {ROW(get_simvar_40), 40, -127.0, -127.0},
        {ROW(get_simvar_41), 41, 64.0, 64.0},
        {ROW(get_simvar_852), 852, 1.0, 1.0},
        {ROW(get_simvar_350_x256), 350, 1.5, 384.0},
        {ROW(get_local_hours), 3, 14.0, 14.0},
        {ROW(get_local_minutes), 4, 35.0, 35.0},
        {ROW(get_clock_seconds), 5, 59.0, 59.0},
        {ROW(get_zulu_hours), 6, 13.0, 13.0},
        {ROW(get_zulu_minutes), 7, 36.0, 36.0},
        {ROW(get_day_of_year), 8, 172.0, 172.0},
        {ROW(get_year), 9, 2004.0, 2004.0},
    };
    check_token_rows(rows, std::size(rows));
}

TEST(FlightAccessors, ReciprocalBearingsAddHalfACircleAndFoldOnce) {
    SimValuesInstalled sim;
    // 16384 raw units to the circle.
    const TokenRow rows[] = {
        {ROW(get_simvar_25_recip_deg), 25, 0.0, 180.0},    {ROW(get_simvar_25_recip_deg), 25, 4096.0, 270.0},
        {ROW(get_simvar_25_recip_deg), 25, 8192.0, 0.0},   {ROW(get_simvar_25_recip_deg), 25, 16384.0, 180.0},
        {ROW(get_simvar_28_recip_deg), 28, 12288.0, 90.0}, {ROW(get_simvar_28_recip_deg), 28, 2048.0, 225.0},
    };
    check_token_rows(rows, std::size(rows));
}

TEST(FlightAccessors, TransportConfigurationValuesReadTheirTokens) {
    SimValuesInstalled sim;
    const TokenRow rows[] = {
        {ROW(get_simvar_782), 782, 0.1, 0.1},         {ROW(get_simvar_783), 783, -0.2, -0.2},
        {ROW(get_simvar_784), 784, 0.3, 0.3},         {ROW(get_simvar_785), 785, -0.4, -0.4},
        {ROW(get_simvar_786), 786, 0.5, 0.5},         {ROW(get_simvar_787), 787, -0.6, -0.6},
        {ROW(get_simvar_326), 326, 1000.0, 1000.0},   {ROW(get_simvar_327), 327, 2000.0, 2000.0},
        {ROW(get_simvar_328), 328, 8192.0, 8192.0},   {ROW(get_simvar_332), 332, 16383.0, 16383.0},
        {ROW(get_simvar_333), 333, 15000.0, 15000.0}, {ROW(get_simvar_334), 334, 100.0, 100.0},
    };
    check_token_rows(rows, std::size(rows));
}

TEST(FlightAccessors, CalculatorValuesAndTheirConversions) {
    SimValuesInstalled sim;
    const CalculatorRow rows[] = {
        {ROW(get_indicated_altitude_ft), "(A:INDICATED ALTITUDE, feet)", false, 35000.5, 35000.5},
        {ROW(get_pressure_altitude_ft), "(A:PRESSURE ALTITUDE,number)", false, 1000.0, 3280.8399},
        {ROW(get_acceleration_body_z_kt_10s), "(A:ACCELERATION BODY Z,Feet per second squared)", false, 2.0,
         11.84968},
        {ROW(get_design_speed_vs0_kt), "(A:Design Speed VS0, knots)", true, 108.0, 108.0},
        {ROW(get_design_speed_vs1_kt), "(A:Design Speed VS1, knots)", true, 121.0, 121.0},
        {ROW(get_autopilot_altitude_lock_var_ft), "(A:AUTOPILOT ALTITUDE LOCK VAR, feet)", false, 24000.0,
         24000.0},
        {ROW(get_ap_loc_hold_on), "(A:AP_LOC_HOLD_ON,Enum)", true, 1.0, 1.0},
        {ROW(get_leading_edge_flaps_left_angle_deg), "(A:LEADING EDGE FLAPS LEFT ANGLE,degrees)", false, 12.5,
         12.5},
        {ROW(get_leading_edge_flaps_right_angle_deg), "(A:LEADING EDGE FLAPS RIGHT ANGLE,degrees)", false,
         13.5, 13.5},
    };
    check_calculator_rows(rows, std::size(rows));
}

} // namespace
