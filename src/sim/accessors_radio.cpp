// Radio frequencies from their BCD codes, the COM display digits, ADF 2, the
// station identifiers, the localizer course and the key-event senders.
#include "sim/key_events.h"
#include "sim/sim_var_reader.h"

#include "platform/text_file.h"
#include "sim/radix.h"
#include "sim/sim_var_reads.h"

#include <cmath>

namespace {

const char com1_active[] = "(A:COM1 ACTIVE FREQUENCY, megahertz)";
const char com1_standby[] = "(A:COM1 STANDBY FREQUENCY, megahertz)";
const char com2_active[] = "(A:COM2 ACTIVE FREQUENCY, megahertz)";
const char com2_standby[] = "(A:COM2 STANDBY FREQUENCY, megahertz)";

double bcd_mhz(uint32_t token) {
    return bcd_digits_to_mhz(read_token_bcd(token));
}

} // namespace

double SimVarReader::get_simvar_23_bcd_mhz() const {
    return bcd_mhz(23);
}
double SimVarReader::get_simvar_24_bcd_mhz() const {
    return bcd_mhz(24);
}
double SimVarReader::get_simvar_27_bcd_mhz() const {
    return bcd_mhz(27);
}
double SimVarReader::get_simvar_617_bcd_mhz() const {
    return bcd_mhz(617);
}
double SimVarReader::get_simvar_870_bcd_mhz() const {
    return bcd_mhz(870);
}
double SimVarReader::get_simvar_871_bcd_mhz() const {
    return bcd_mhz(871);
}
double SimVarReader::get_simvar_872_bcd_mhz() const {
    return bcd_mhz(872);
}
double SimVarReader::get_simvar_873_bcd_mhz() const {
    return bcd_mhz(873);
}

// Token 16 holds the whole kilohertz, token 18 the tenths and thousands flag.
double SimVarReader::get_simvar_16_bcd() const {
    return read_token_bcd(16);
}

double SimVarReader::get_simvar_16_18_bcd_khz() const {
    int32_t whole = read_token_bcd(16);
    int32_t extra = read_token_bcd(18);
    return compose_adf_khz(whole, extra);
}

// One aircraft-variable read gives both parts of the composition.
double SimVarReader::get_var_480_bcd_khz() const {
    int32_t code = saturate_to_int(read_aircraft_var_in(480, "number"));
    int32_t digits = convert_radix(static_cast<uint32_t>(code), 16, 10);
    return compose_adf_khz(digits, digits);
}

double SimVarReader::get_simvar_38_bcd() const {
    return read_token_bcd(38);
}
double SimVarReader::get_var_77_pct() const {
    return read_aircraft_var_in(77, "percent");
}

double SimVarReader::get_com1_active_freq_tenths_digit() const {
    return com_tenths_digit(calculate_number(com1_active));
}
double SimVarReader::get_com1_standby_freq_tenths_digit() const {
    return com_tenths_digit(calculate_number(com1_standby));
}
double SimVarReader::get_com1_standby_freq_tenths_digit_2() const {
    return com_tenths_digit(calculate_number(com1_standby));
}
double SimVarReader::get_com2_active_freq_tenths_digit() const {
    return com_tenths_digit(calculate_number(com2_active));
}
double SimVarReader::get_com2_standby_freq_tenths_digit() const {
    return com_tenths_digit(calculate_number(com2_standby));
}
double SimVarReader::get_com1_active_freq_last_digit() const {
    return com_last_digit(calculate_number(com1_active));
}
double SimVarReader::get_com1_standby_freq_last_digit() const {
    return com_last_digit(calculate_number(com1_standby));
}
double SimVarReader::get_com2_active_freq_last_digit() const {
    return com_last_digit(calculate_number(com2_active));
}
double SimVarReader::get_com2_standby_freq_last_digit() const {
    return com_last_digit(calculate_number(com2_standby));
}

double SimVarReader::get_com1_standby_frequency_mhz() const {
    return calculate_number(com1_standby);
}
double SimVarReader::get_com1_standby_frequency_x10() const {
    return calculate_number(com1_standby) * 10.0;
}

double SimVarReader::get_com1_standby_frequency_b() const {
    double f = calculate_number(com1_standby);
    return f - std::trunc(f);
}

double SimVarReader::get_adf_active_frequency2_khz() const {
    return calculate_number("(A:ADF ACTIVE FREQUENCY:2,number)") / 1000.0;
}
double SimVarReader::get_adf_radial2_deg() const {
    return calculate_number("(A:ADF RADIAL:2,degrees)");
}
double SimVarReader::get_adf_signal2() const {
    return calculate_number("(A:ADF SIGNAL:2,number)");
}
std::string SimVarReader::get_adf_ident1_text() const {
    return calculate_text("(A:ADF IDENT:1,string)");
}
std::string SimVarReader::get_adf_ident2_text() const {
    return calculate_text("(A:ADF IDENT:2,string)");
}
std::string SimVarReader::get_nav_ident1_text() const {
    return calculate_text("(A:NAV IDENT:1,string)");
}
std::string SimVarReader::get_nav_ident2_text() const {
    return calculate_text("(A:NAV IDENT:2,string)");
}
std::string SimVarReader::get_simvar_47_text() const {
    return read_token_text(47, 31);
}
std::string SimVarReader::get_simvar_56_text() const {
    return read_token_text(56, 31);
}
std::string SimVarReader::get_simvar_19_text() const {
    return read_token_text(19, 31);
}

// The localizer course made magnetic and folded into (0, 360].
double SimVarReader::get_nav_localizer1_deg() const {
    double course = calculate_number("(A:NAV LOCALIZER:1,degrees)") - read_token(82);
    if (course >= 360.0) course -= 360.0;
    if (course <= 0.0) course += 360.0;
    return course;
}

void SimVarReader::send_efs50_knob_left() const {
    send_key(kKeyEfs50KnobLeft);
}
void SimVarReader::send_efs50_knob_right() const {
    send_key(kKeyEfs50KnobRight);
}
void SimVarReader::send_efs50_knob_up() const {
    send_key(kKeyEfs50KnobUp);
}
void SimVarReader::send_efs50_knob_down() const {
    send_key(kKeyEfs50KnobDown);
}

void SimVarReader::send_decision_height_inc() const {
    if (get_decision_height_ft() < 990.0) send_key(kKeyDecisionHeightInc);
}

void SimVarReader::send_decision_height_dec() const {
    if (get_decision_height_ft() > 0.0) send_key(kKeyDecisionHeightDec);
}
