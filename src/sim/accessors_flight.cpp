// Position, attitude, speeds, altitudes, air data, the clock and the
// configuration values of the transport displays.
#include "sim/sim_var_reader.h"
#include "sim/sim_var_reads.h"

double SimVarReader::get_plat_deg() const {
    return metres_to_latitude(read_token(71));
}
double SimVarReader::get_plon_deg() const {
    return raw_to_longitude(read_token(72));
}
double SimVarReader::get_magvar_deg() const {
    return read_token(82);
}
double SimVarReader::get_heading_deg() const {
    return read_token(81);
}
double SimVarReader::get_map_heading_deg() const {
    return read_token(86);
}
double SimVarReader::get_heading_bug_deg() const {
    return read_token(107);
}
double SimVarReader::get_pitch_deg() const {
    return read_token(77);
}
double SimVarReader::get_ground_speed_kt() const {
    return fps_to_knots(read_token(551));
}
double SimVarReader::get_mach_raw() const {
    return read_token(64);
}
double SimVarReader::get_vertical_speed_fpm() const {
    return vertical_speed_to_fpm(read_token(65));
}

double SimVarReader::get_indicated_altitude_ft() const {
    return calculate_number("(A:INDICATED ALTITUDE, feet)");
}

double SimVarReader::get_pressure_altitude_ft() const {
    return metres_to_feet(calculate_number("(A:PRESSURE ALTITUDE,number)"));
}

double SimVarReader::get_radio_altitude_ft() const {
    return metres_to_feet(read_token(614));
}
double SimVarReader::get_g_load() const {
    return raw_to_g_load(read_token(351));
}

// Feet per second squared to knots per ten seconds.
double SimVarReader::get_acceleration_body_z_kt_10s() const {
    return calculate_number("(A:ACCELERATION BODY Z,Feet per second squared)") * 0.592484 * 10.0;
}

double SimVarReader::get_air_temperature_c() const {
    return read_token(341);
}
double SimVarReader::get_simvar_75() const {
    return read_token(75);
}
double SimVarReader::get_wind_speed_kt() const {
    return read_token(343);
}
double SimVarReader::get_wind_direction_deg() const {
    return read_token(344);
}
double SimVarReader::get_stall_warning() const {
    return read_token(67);
}
int32_t SimVarReader::get_overspeed_warning_int() const {
    return read_token_truncated(68);
}

double SimVarReader::get_design_speed_vs0_kt() const {
    return calculate_integer("(A:Design Speed VS0, knots)");
}

double SimVarReader::get_design_speed_vs1_kt() const {
    return calculate_integer("(A:Design Speed VS1, knots)");
}

double SimVarReader::get_simvar_1() const {
    return read_token(1);
}
double SimVarReader::get_simvar_63() const {
    return read_token(63);
}
double SimVarReader::get_simvar_69() const {
    return read_token(69);
}
double SimVarReader::get_simvar_354() const {
    return read_token(354);
}
int32_t SimVarReader::get_simvar_792_int() const {
    return read_token_truncated(792);
}
double SimVarReader::get_simvar_792() const {
    return read_token(792);
}
double SimVarReader::get_simvar_793() const {
    return read_token(793);
}
double SimVarReader::get_simvar_794() const {
    return read_token(794);
}
double SimVarReader::get_simvar_907() const {
    return read_token(907);
}
double SimVarReader::get_simvar_907_2() const {
    return read_token(907);
}
double SimVarReader::get_simvar_908() const {
    return read_token(908);
}
double SimVarReader::get_simvar_349() const {
    return read_token(349);
}
double SimVarReader::get_simvar_336() const {
    return read_token(336);
}
double SimVarReader::get_simvar_323() const {
    return read_token(323);
}
int32_t SimVarReader::get_display_power() const {
    return read_token_truncated(773);
}

double SimVarReader::get_local_hours() const {
    return read_token(3);
}
double SimVarReader::get_local_minutes() const {
    return read_token(4);
}
double SimVarReader::get_clock_seconds() const {
    return read_token(5);
}
double SimVarReader::get_zulu_hours() const {
    return read_token(6);
}
double SimVarReader::get_zulu_minutes() const {
    return read_token(7);
}
double SimVarReader::get_day_of_year() const {
    return read_token(8);
}
double SimVarReader::get_year() const {
    return read_token(9);
}

double SimVarReader::get_leading_edge_flaps_left_angle_deg() const {
    return calculate_number("(A:LEADING EDGE FLAPS LEFT ANGLE,degrees)");
}

double SimVarReader::get_leading_edge_flaps_right_angle_deg() const {
    return calculate_number("(A:LEADING EDGE FLAPS RIGHT ANGLE,degrees)");
}

double SimVarReader::get_simvar_782() const {
    return read_token(782);
}
double SimVarReader::get_simvar_783() const {
    return read_token(783);
}
double SimVarReader::get_simvar_784() const {
    return read_token(784);
}
double SimVarReader::get_simvar_785() const {
    return read_token(785);
}
double SimVarReader::get_simvar_786() const {
    return read_token(786);
}
double SimVarReader::get_simvar_787() const {
    return read_token(787);
}
double SimVarReader::get_simvar_326() const {
    return read_token(326);
}
double SimVarReader::get_simvar_327() const {
    return read_token(327);
}
double SimVarReader::get_simvar_328() const {
    return read_token(328);
}
double SimVarReader::get_simvar_332() const {
    return read_token(332);
}
double SimVarReader::get_simvar_333() const {
    return read_token(333);
}
double SimVarReader::get_simvar_334() const {
    return read_token(334);
}
int32_t SimVarReader::get_simvar_60_int() const {
    return read_token_truncated(60);
}
