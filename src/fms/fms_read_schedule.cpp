#include "fms/fms_read_schedule.h"

#include "fms/fms_update.h"
#include "fms/math/heading_math.h"
#include "sim/aircraft_state.h"
#include "sim/host_probe.h"
#include "sim/sim_var_reader.h"

#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

// Slots of the reads spread over the cycle.
bool is_clock_slot(int slot) {
    return slot == 0;
}
bool is_radio_slot(int slot) {
    return slot == 3 || slot == 4 || slot == 8 || slot == 12;
}
bool is_wind_slot(int slot) {
    return slot == 2 || slot == 3 || slot == 6 || slot == 9 || slot == 12 || slot == 15;
}
bool is_radio_altitude_slot(int slot) {
    return slot == 1 || slot == 3 || slot == 5 || slot == 7 || slot == 9 || slot == 11 || slot == 15;
}

void read_clock_slot(AircraftState& a, const SimVarReader& r) {
    a.local_hours = r.get_local_hours();
    a.local_minutes = r.get_local_minutes();
    a.clock_seconds = r.get_clock_seconds();
    a.zulu_hours = r.get_zulu_hours();
    a.zulu_minutes = r.get_zulu_minutes();
    a.display_power = r.get_display_power();
    a.snap_token_792 = r.get_simvar_792();
    a.air_temperature_c = r.get_air_temperature_c();
    a.snap_token_108 = r.get_simvar_108();
    a.snap_token_106 = static_cast<int32_t>(std::trunc(r.get_simvar_106()));
    a.snap_token_114 = r.get_simvar_114();
    a.snap_token_123 = r.get_simvar_123();
    a.magvar = r.get_magvar_deg();
    a.snap_token_75_prev = a.snap_token_75;
    a.snap_token_75 = r.get_simvar_75();
    altimeter_inhg = a.snap_token_75 / 1013.25 * 29.92;
    a.snap_token_46_bit_8 = r.test_simvar_46_bit_8();
    a.snap_token_113 = r.get_simvar_113();
    a.snap_token_112 = r.get_simvar_112();
    a.snap_token_117 = r.get_simvar_117();
}

void read_radio_slot(AircraftState& a, const SimVarReader& r) {
    a.snap_token_41_prev = a.snap_token_41;
    a.snap_token_41 = r.get_simvar_41();
    a.adf1_signal = r.get_adf1_signal();
    a.adf1_relative_bearing_deg = r.get_adf1_relative_bearing_deg();
    a.snap_token_25 = r.get_simvar_25_recip_deg();
    a.nav1_relative_bearing_deg = r.get_nav1_relative_bearing_deg();
    a.snap_token_28 = r.get_simvar_28_recip_deg();
    a.nav2_relative_bearing_deg = r.get_nav2_relative_bearing_deg();
    a.snap_token_354 = r.get_simvar_354();
    a.snap_token_22 = r.get_simvar_22();
    a.nav1_dme_nm = r.get_nav1_dme_nm();
    a.snap_token_32 = r.get_simvar_32();
    a.nav2_dme_nm = r.get_nav2_dme_nm();
}

void read_wind_slot(AircraftState& a, const SimVarReader& r) {
    a.vertical_speed_prev_fpm = a.vertical_speed_fpm;
    a.vertical_speed_fpm = r.get_vertical_speed_fpm();
    a.ap_altitude_lock_prev_ft = a.ap_altitude_lock_ft;
    a.ap_altitude_lock_ft = r.get_autopilot_altitude_lock_var_ft();
    a.snap_token_115 = r.get_simvar_115();
    a.mach_prev = a.mach;
    a.mach = r.get_mach_raw() * 3.2 / 65536.0;
    a.wind_speed_kt = r.get_wind_speed_kt();
    const double wind_true = r.get_wind_direction_deg();
    a.wind_direction_deg = magnetic_direction(wind_true, a.magvar);
    derive_air_data(wind_true);
    a.ap_vertical_speed_target_prev_fpm = a.ap_vertical_speed_target_fpm;
    a.ap_vertical_speed_target_fpm = r.get_ap_vertical_speed_target_fpm();
    a.ap_airspeed_target_prev_kt = a.ap_airspeed_target_kt;
    a.ap_airspeed_target_kt = r.get_ap_airspeed_target_kt();
    a.ap_mach_target = r.get_ap_mach_target();
}

} // namespace

void read_time_values() {
    AircraftState& a = aircraft_state;
    a.ground_speed_kt = sim_var_object.get_ground_speed_kt();
    a.speed_smoothed = sim_var_object.get_speed_smoothed();
    a.indicated_altitude_prev_ft = a.indicated_altitude_ft;
    a.indicated_altitude_ft = sim_var_object.get_indicated_altitude_ft();
    a.snap_token_1 = sim_var_object.get_simvar_1();
}

void read_every_pass_values() {
    AircraftState& a = aircraft_state;
    const SimVarReader& r = sim_var_object;
    a.heading_deg = r.get_heading_deg();
    a.map_heading_deg = r.get_map_heading_deg();
    a.pitch_prev_deg = a.pitch_deg;
    a.pitch_deg = r.get_pitch_deg();
    a.bank_prev_deg = a.bank_deg;
    const double bank = r.get_bank_deg();
    a.bank_deg = bank > -0.035 && bank < 0.035 ? 0.0 : bank;
    a.snap_token_793_prev = a.snap_token_793;
    a.snap_token_793 = r.get_simvar_793();
    a.snap_token_794_prev = a.snap_token_794;
    a.snap_token_794 = r.get_simvar_794();
    a.plat = r.get_plat_deg();
    a.plon = r.get_plon_deg();
    a.heading_bug_prev_deg = a.heading_bug_deg;
    a.heading_bug_deg = r.get_heading_bug_deg();
    a.snap_token_105 = r.get_simvar_105();
    a.clock_seconds_tick = r.get_clock_seconds();
}

void read_engine_values(bool new_second, EngineReadings& out) {
    const SimVarReader& r = sim_var_object;
    if (new_second) {
        out.n1_pct[0] = r.get_eng1_n1_pct();
        out.n1_pct[1] = r.get_eng2_n1_pct();
        out.n1_pct[2] = r.get_eng3_n1_pct();
        out.n1_pct[3] = r.get_eng4_n1_pct();
        out.egt_c[0] = r.get_eng1_egt_c();
        out.egt_c[1] = r.get_eng2_egt_c();
        out.egt_c[2] = r.get_eng3_egt_c();
        out.egt_c[3] = r.get_eng4_egt_c();
    }
    out.fuel_flow_pph[0] = r.get_eng1_fuel_flow();
    out.fuel_flow_pph[1] = r.get_eng2_fuel_flow();
    out.fuel_flow_pph[2] = r.get_eng3_fuel_flow();
    out.fuel_flow_pph[3] = r.get_eng4_fuel_flow();
}

void read_slot_values(int slot) {
    AircraftState& a = aircraft_state;
    const SimVarReader& r = sim_var_object;
    if (is_clock_slot(slot)) read_clock_slot(a, r);
    if (is_radio_slot(slot)) read_radio_slot(a, r);
    if (is_wind_slot(slot)) read_wind_slot(a, r);
    if (is_radio_altitude_slot(slot)) {
        a.radio_altitude_ft = r.get_radio_altitude_ft();
        a.nav1_course_deg = r.get_nav1_course_deg();
        a.snap_token_40 = r.get_simvar_40();
    }
}

double read_sim_rate() {
    double rate = sim_var_object.get_simvar_336();
    if (host_sim_version == 10) rate /= 256.0;
    aircraft_state.snap_token_336 = rate;
    return rate;
}

void derive_air_data(double wind_direction_true_deg) {
    AircraftState& a = aircraft_state;
    const double angle = (wind_direction_true_deg - a.map_heading_deg) * kPi / 180.0;
    headwind_kt = a.wind_speed_kt * std::cos(angle);
    crosswind_kt = a.wind_speed_kt * std::sin(angle);
    true_airspeed_est_prev_kt = a.true_airspeed_est_kt;
    a.true_airspeed_est_kt = a.ground_speed_kt > 25.0 ? a.ground_speed_kt + headwind_kt : 0.0;
    const double drift = crosswind_kt * 60.0 / a.true_airspeed_est_kt;
    if (std::isfinite(drift)) drift_angle_deg = drift;
}

double track_from_heading() {
    const AircraftState& a = aircraft_state;
    if (a.true_airspeed_est_kt == 0.0) return a.heading_deg;
    double track = a.heading_deg - drift_angle_deg;
    if (track < 0.0) track += 360.0;
    return track;
}
