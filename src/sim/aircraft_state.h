// The aircraft as of this frame: fms_update fills it through the accessors
// (some values every pass, others on fixed passes) and every display and
// control unit reads it instead of calling the simulator. Values that keep
// last frame's copy are written just before their value is refreshed.
// Units: degrees (north and east positive), knots, feet, feet per minute.
#pragma once

#include <cstdint>

// Token 106, the autopilot heading hold, when engaged.
inline constexpr int32_t kHeadingHoldOn = 1;

struct AircraftState {
    // Position, headings and attitude.
    double plat = 0.0;
    double plon = 0.0;
    double magvar = 0.0; // added to a magnetic course gives the true course
    double heading_deg = 0.0;
    double map_heading_deg = 0.0; // the up direction of heading-up maps
    double heading_bug_deg = 0.0;
    double pitch_deg = 0.0;
    double bank_deg = 0.0;

    // Speeds, altitudes and air data.
    double ground_speed_kt = 0.0;
    double speed_smoothed = 0.0;
    double mach = 0.0; // raw value x 3.2 / 65536
    double true_airspeed_est_kt = 0.0;
    double vertical_speed_fpm = 0.0;
    double indicated_altitude_ft = 0.0;
    double radio_altitude_ft = 0.0;
    double air_temperature_c = 0.0;
    double wind_speed_kt = 0.0;
    double wind_direction_deg = 0.0;
    double snap_token_75 = 0.0; // barometric setting, hPa

    // Autopilot settings and modes (1.0 when on).
    double ap_altitude_lock_ft = 0.0;
    double ap_airspeed_target_kt = 0.0;
    double ap_mach_target = 0.0;
    double ap_vertical_speed_target_fpm = 0.0;
    double snap_token_103 = 0.0; // autopilot engaged
    double snap_token_105 = 0.0; // NAV mode
    // Heading hold, token 106 as a whole number (kHeadingHoldOn when
    // engaged); one value, three names.
    union {
        int32_t token_106_state = 0;
        int32_t snap_token_106;
        int32_t snap_token_106_int;
    };
    double snap_token_108 = 0.0; // altitude hold
    double snap_token_112 = 0.0; // approach
    double snap_token_113 = 0.0; // back course
    double snap_token_114 = 0.0; // yaw damper
    double snap_token_115 = 0.0; // airspeed hold
    double snap_token_117 = 0.0; // Mach hold
    double snap_token_123 = 0.0; // autothrottle

    // Radios and deviations.
    double nav1_course_deg = 0.0;
    double nav1_relative_bearing_deg = 0.0;
    double nav2_relative_bearing_deg = 0.0;
    double nav1_dme_nm = 0.0;
    double nav2_dme_nm = 0.0;
    double adf1_signal = 0.0;
    double adf1_relative_bearing_deg = 0.0;
    double snap_token_22 = 0.0;
    double snap_token_25 = 0.0;
    double snap_token_28 = 0.0;
    double snap_token_32 = 0.0;
    double snap_token_40 = 0.0; // lateral needle, -127 .. 127
    double snap_token_41 = 0.0; // glideslope needle, -127 .. 127
    double snap_token_46_bit_8 = 0.0;
    double snap_token_354 = 0.0; // marker beacon

    // Clocks, simulation and steering values.
    double local_hours = 0.0;
    double local_minutes = 0.0;
    double clock_seconds = 0.0;
    double clock_seconds_tick = 0.0;
    double zulu_hours = 0.0;
    double zulu_minutes = 0.0;
    double snap_token_1 = 0.0;   // simulator time
    double snap_token_336 = 0.0; // simulation rate
    double snap_token_792 = 0.0; // steering command switch
    double snap_token_793 = 0.0; // steering pitch command
    double snap_token_794 = 0.0; // steering bank command
    int32_t display_power = 0;   // 0: the render passes only clear

    // Last frame's copies.
    double indicated_altitude_prev_ft = 0.0;
    double pitch_prev_deg = 0.0;
    double bank_prev_deg = 0.0;
    double heading_bug_prev_deg = 0.0;
    double vertical_speed_prev_fpm = 0.0;
    double mach_prev = 0.0;
    double ap_altitude_lock_prev_ft = 0.0;
    double ap_vertical_speed_target_prev_fpm = 0.0;
    double ap_airspeed_target_prev_kt = 0.0;
    double snap_token_41_prev = 0.0;
    double snap_token_75_prev = 0.0;
    double snap_token_793_prev = 0.0;
    double snap_token_794_prev = 0.0;
};

extern AircraftState aircraft_state;
