// The aircraft as the module reads it: one reader object whose parameterless
// operations, the accessors, each read the simulator afresh through the panel
// services and convert to the module's units (feet, knots, degrees, feet per
// minute, pounds). Nothing is cached; only the speed filter keeps state.
// Two reads depend on the host generation, host_sim_version (sim/host_probe.h).
#pragma once

#include "sim/gauge_abi.h"
#include "sim/host_probe.h"

#include <cstdint>
#include <string>

// Lowest fuel on board seen, pounds. 0.0 at load; get_fuel_on_board_lb only
// ever lowers it, other code sets it.
extern double fuel_on_board_low_lb;

class SimVarReader {
  public:
    // Constant-initialised, so the filter record is ready before any other
    // static initialiser runs.
    constexpr SimVarReader() : speed_record_{61, nullptr, 0, {0.0}, {0.0}} {}

    // Position, attitude, speeds, altitudes and air data.
    double get_plat_deg() const;
    double get_plon_deg() const;
    double get_magvar_deg() const;
    double get_heading_deg() const;
    double get_map_heading_deg() const;
    double get_heading_bug_deg() const;
    double get_pitch_deg() const;
    double get_bank_deg() const;
    double get_ground_speed_kt() const;
    double get_speed_smoothed(); // one filter step per call
    double get_mach_raw() const; // times 3.2 / 65536 gives Mach
    double get_vertical_speed_fpm() const;
    double get_indicated_altitude_ft() const;
    double get_pressure_altitude_ft() const;
    double get_radio_altitude_ft() const;
    double get_g_load() const;
    double get_acceleration_body_z_kt_10s() const;
    double get_air_temperature_c() const;
    double get_simvar_75() const; // barometric setting, hPa
    double get_wind_speed_kt() const;
    double get_wind_direction_deg() const;
    double get_stall_warning() const;
    int32_t get_overspeed_warning_int() const;
    double get_design_speed_vs0_kt() const;
    double get_design_speed_vs1_kt() const;
    double get_simvar_1() const; // tick value
    double get_simvar_63() const;
    double get_simvar_69() const;
    double get_simvar_354() const; // marker beacon
    int32_t get_simvar_792_int() const;
    double get_simvar_792() const;
    double get_simvar_793() const;
    double get_simvar_794() const;
    double get_simvar_907() const;
    double get_simvar_907_2() const;
    double get_simvar_908() const;
    double get_simvar_349() const;
    double get_simvar_336() const; // simulation rate
    double get_simvar_323() const;
    int32_t get_display_power() const;

    // Autopilot modes, targets and decision height.
    double get_autopilot_altitude_lock_var_ft() const;
    double get_ap_airspeed_target_kt() const;
    double get_ap_mach_target() const;
    double get_ap_vertical_speed_target_fpm() const;
    double get_ap_loc_hold_on() const;
    double get_decision_height_ft() const;
    double get_simvar_103() const;
    double get_simvar_105() const;
    double get_simvar_106() const;
    double get_simvar_108() const;
    double get_simvar_110() const;
    double get_simvar_111() const;
    double get_simvar_112() const;
    double get_simvar_113() const;
    double get_simvar_114() const;
    double get_simvar_115() const;
    double get_simvar_117() const;
    double get_simvar_123() const;

    // Navigation radios, deviations and flag word 46.
    double get_nav1_course_deg() const;
    double get_nav1_relative_bearing_deg() const;
    double get_nav2_relative_bearing_deg() const;
    double get_nav1_signal() const;
    double get_nav2_signal() const;
    double get_nav1_dme_nm() const;
    double get_nav2_dme_nm() const;
    double get_simvar_32() const;
    double get_simvar_22() const;
    double get_adf1_signal() const;
    double get_adf1_relative_bearing_deg() const;
    double get_simvar_25_recip_deg() const;
    double get_simvar_28_recip_deg() const;
    double get_simvar_40() const;
    double get_simvar_41() const;
    int32_t test_simvar_46_bit_8() const;
    int32_t test_simvar_46_bit_32() const;
    int32_t test_simvar_46_bit_64() const;
    int32_t test_simvar_46_bit_128() const;
    double get_simvar_852() const;
    double get_simvar_350_x256() const;

    // Clock and date.
    double get_local_hours() const;
    double get_local_minutes() const;
    double get_clock_seconds() const;
    double get_zulu_hours() const;
    double get_zulu_minutes() const;
    double get_day_of_year() const;
    double get_year() const;

    // Configuration values of the transport displays.
    double get_leading_edge_flaps_left_angle_deg() const;
    double get_leading_edge_flaps_right_angle_deg() const;
    double get_simvar_782() const;
    double get_simvar_783() const;
    double get_simvar_784() const;
    double get_simvar_785() const;
    double get_simvar_786() const;
    double get_simvar_787() const;
    double get_simvar_326() const;
    double get_simvar_327() const;
    double get_simvar_328() const;
    double get_simvar_332() const;
    double get_simvar_333() const;
    double get_simvar_334() const;
    int32_t get_simvar_60_int() const;

    // Engines 1 to 4.
    double get_eng1_n1_pct() const;
    double get_eng2_n1_pct() const;
    double get_eng3_n1_pct() const;
    double get_eng4_n1_pct() const;
    double get_eng1_n2_pct() const;
    double get_eng2_n2_pct() const;
    double get_eng3_n2_pct() const;
    double get_eng4_n2_pct() const;
    double get_eng1_epr() const;
    double get_eng2_epr() const;
    double get_eng3_epr() const;
    double get_eng4_epr() const;
    double get_eng1_egt_c() const;
    double get_eng2_egt_c() const;
    double get_eng3_egt_c() const;
    double get_eng4_egt_c() const;
    double get_eng1_oil_temp_c() const;
    double get_eng2_oil_temp_c() const;
    double get_eng3_oil_temp_c() const;
    double get_eng4_oil_temp_c() const;
    double get_eng1_oil_pressure_psi() const;
    double get_eng2_oil_pressure_psi() const;
    double get_eng3_oil_pressure_psi() const;
    double get_eng4_oil_pressure_psi() const;
    double get_eng1_simvar_149_scaled() const;
    double get_eng2_simvar_184_scaled() const;
    double get_eng3_simvar_219_scaled() const;
    double get_eng4_simvar_254_scaled() const;
    double get_eng1_simvar_630() const;
    double get_eng2_simvar_649() const;
    double get_eng3_simvar_668() const;
    double get_eng4_simvar_687() const;
    double get_simvar_633() const;
    double get_simvar_652() const;
    double get_simvar_671() const;
    double get_simvar_690() const;
    double get_eng1_simvar_627() const;
    double get_eng2_simvar_646() const;
    double get_eng3_simvar_665() const;
    double get_eng4_simvar_684() const;
    double get_eng1_simvar_631_c() const;
    double get_eng2_simvar_650_c() const;
    double get_eng3_simvar_669_c() const;
    double get_eng4_simvar_688_c() const;
    double get_simvar_732_psi() const;
    double get_simvar_734_psi() const;
    double get_simvar_736_psi() const;
    double get_simvar_738_psi() const;
    double get_eng1_fuel_flow() const;
    double get_eng2_fuel_flow() const;
    double get_eng3_fuel_flow() const;
    double get_eng4_fuel_flow() const;
    // The thrust-lever readers of the engine pages are the pressure-ratio tokens.
    double get_eng1_thrust_lever() const { return get_eng1_epr(); }
    double get_eng2_thrust_lever() const { return get_eng2_epr(); }
    double get_eng3_thrust_lever() const { return get_eng3_epr(); }
    double get_eng4_thrust_lever() const { return get_eng4_epr(); }

    // Fuel and weights.
    double get_total_fuel_flow() const;
    double get_fuel_quantity_gal() const;
    double get_simvar_386() const;
    double get_fuel_on_board_lb() const; // lowers fuel_on_board_low_lb
    double get_simvar_342() const;
    double get_simvar_290() const;
    double get_simvar_292() const;
    double get_simvar_294() const;
    double get_simvar_296() const;
    double get_simvar_298() const;
    double get_simvar_300() const;
    double get_simvar_302() const;
    double get_payload_weight_lb() const;

    // Radio frequencies, bearings and identifiers.
    double get_simvar_23_bcd_mhz() const;
    double get_simvar_24_bcd_mhz() const;
    double get_simvar_27_bcd_mhz() const;
    double get_simvar_617_bcd_mhz() const;
    double get_simvar_870_bcd_mhz() const;
    double get_simvar_871_bcd_mhz() const;
    double get_simvar_872_bcd_mhz() const;
    double get_simvar_873_bcd_mhz() const;
    double get_simvar_16_18_bcd_khz() const;
    double get_simvar_16_bcd() const; // ADF 1 whole kHz digits, as the HW_B737_ND shows them
    double get_var_480_bcd_khz() const;
    double get_simvar_38_bcd() const;
    double get_var_77_pct() const;
    double get_com1_active_freq_tenths_digit() const;
    double get_com1_standby_freq_tenths_digit() const;
    double get_com1_standby_freq_tenths_digit_2() const;
    double get_com2_active_freq_tenths_digit() const;
    double get_com2_standby_freq_tenths_digit() const;
    double get_com1_active_freq_last_digit() const;
    double get_com1_standby_freq_last_digit() const;
    double get_com2_active_freq_last_digit() const;
    double get_com2_standby_freq_last_digit() const;
    double get_com1_standby_frequency_mhz() const;
    double get_com1_standby_frequency_x10() const;
    double get_com1_standby_frequency_b() const;
    double get_adf_active_frequency2_khz() const;
    double get_adf_radial2_deg() const;
    double get_adf_signal2() const;
    std::string get_adf_ident1_text() const;
    std::string get_adf_ident2_text() const;
    std::string get_nav_ident1_text() const;
    std::string get_nav_ident2_text() const;
    // Token 47, the NAV1 station identifier handed back as a text pointer:
    // at most 31 characters, empty when the host leaves the pointer null.
    std::string get_simvar_47_text() const;
    // Token 56, the NAV2 station identifier, read the same way.
    std::string get_simvar_56_text() const;
    // Token 19, the ADF 1 station identifier, read the same way.
    std::string get_simvar_19_text() const;
    double get_nav_localizer1_deg() const;

    // Key events, parameter 0.
    void send_efs50_knob_left() const;
    void send_efs50_knob_right() const;
    void send_efs50_knob_up() const;       // 0x10157
    void send_efs50_knob_down() const;     // 0x10158
    void send_decision_height_inc() const; // only below 990 ft
    void send_decision_height_dec() const; // only above 0 ft

  private:
    // Token 61 with the speed filter's last value in value and previous value.
    ModuleVarBlock speed_record_;
};

extern SimVarReader sim_var_object;
