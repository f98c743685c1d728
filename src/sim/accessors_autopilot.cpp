// Autopilot modes and targets, navigation radios, deviations and flag word 46.
#include "sim/sim_var_reader.h"
#include "sim/sim_var_reads.h"

double SimVarReader::get_autopilot_altitude_lock_var_ft() const {
    return calculate_number("(A:AUTOPILOT ALTITUDE LOCK VAR, feet)");
}

double SimVarReader::get_ap_airspeed_target_kt() const {
    return read_token(116);
}
double SimVarReader::get_ap_mach_target() const {
    return read_token(118);
}
double SimVarReader::get_ap_vertical_speed_target_fpm() const {
    return read_token(120);
}
double SimVarReader::get_ap_loc_hold_on() const {
    return calculate_integer("(A:AP_LOC_HOLD_ON,Enum)");
}
double SimVarReader::get_simvar_103() const {
    return read_token(103);
}
double SimVarReader::get_simvar_105() const {
    return read_token(105);
}
double SimVarReader::get_simvar_106() const {
    return read_token(106);
}
double SimVarReader::get_simvar_108() const {
    return read_token(108);
}
double SimVarReader::get_simvar_110() const {
    return read_token(110);
}
double SimVarReader::get_simvar_111() const {
    return read_token(111);
}
double SimVarReader::get_simvar_112() const {
    return read_token(112);
}
double SimVarReader::get_simvar_113() const {
    return read_token(113);
}
double SimVarReader::get_simvar_114() const {
    return read_token(114);
}
double SimVarReader::get_simvar_115() const {
    return read_token(115);
}
double SimVarReader::get_simvar_117() const {
    return read_token(117);
}
double SimVarReader::get_simvar_123() const {
    return read_token(123);
}

double SimVarReader::get_nav1_course_deg() const {
    return read_token(45);
}
double SimVarReader::get_nav1_relative_bearing_deg() const {
    return read_token(550);
}
double SimVarReader::get_nav2_relative_bearing_deg() const {
    return read_token(59);
}
double SimVarReader::get_nav1_signal() const {
    return read_token(49);
}
double SimVarReader::get_nav2_signal() const {
    return read_token(58);
}
double SimVarReader::get_nav1_dme_nm() const {
    return read_token(31);
}
double SimVarReader::get_nav2_dme_nm() const {
    return read_token(35);
}
double SimVarReader::get_simvar_32() const {
    return read_token(32);
}
double SimVarReader::get_simvar_22() const {
    return read_token(22);
}
double SimVarReader::get_adf1_signal() const {
    return read_token(20);
}
double SimVarReader::get_adf1_relative_bearing_deg() const {
    return read_token(39);
}
double SimVarReader::get_simvar_25_recip_deg() const {
    return reciprocal_bearing(read_token(25));
}
double SimVarReader::get_simvar_28_recip_deg() const {
    return reciprocal_bearing(read_token(28));
}
double SimVarReader::get_simvar_40() const {
    return read_token(40);
}
double SimVarReader::get_simvar_41() const {
    return read_token(41);
}
int32_t SimVarReader::test_simvar_46_bit_8() const {
    return read_token_flag(46, 8);
}
int32_t SimVarReader::test_simvar_46_bit_32() const {
    return read_token_flag(46, 32);
}
int32_t SimVarReader::test_simvar_46_bit_64() const {
    return read_token_flag(46, 64);
}
int32_t SimVarReader::test_simvar_46_bit_128() const {
    return read_token_flag(46, 128);
}
double SimVarReader::get_simvar_852() const {
    return read_token(852);
}
double SimVarReader::get_simvar_350_x256() const {
    return read_token(350) * 256.0;
}
