#include "sim/sim_var_reads.h"

#include "platform/text_file.h"
#include "sim/element_helpers.h"
#include "sim/gauge_abi.h"
#include "sim/panel_services.h"
#include "sim/radix.h"

#include <cmath>
#include <cstdio>
#include <cstring>

ModuleVarBlock read_token_block(uint32_t token) {
    ModuleVarBlock block{};
    block.id = token;
    ps_read_token_var(&block);
    return block;
}

double read_token(uint32_t token) {
    return read_token_block(token).var_value.n;
}

// Saturating: a value beyond the i32 range or NaN must not make the
// conversion undefined.
int32_t read_token_truncated(uint32_t token) {
    return saturate_to_int(read_token(token));
}

uint32_t read_token_raw(uint32_t token) {
    return read_token_block(token).var_value.u;
}

int32_t read_token_bcd(uint32_t token) {
    return convert_radix(read_token_raw(token), 16, 10);
}

std::string read_token_text(uint32_t token, std::size_t max_chars) {
    const char* text = static_cast<const char*>(read_token_block(token).var_ptr);
    if (text == nullptr) return {};
    return std::string(text, strnlen(text, max_chars));
}

int32_t read_token_flag(uint32_t token, uint32_t mask) {
    return flags_test(read_token_block(token), mask);
}

double calculate_number(const char* code) {
    double result = 0.0;
    ps_run_calculator(code, &result, nullptr, nullptr);
    return result;
}

int32_t calculate_integer(const char* code) {
    int32_t result = 0;
    ps_run_calculator(code, nullptr, &result, nullptr);
    return result;
}

std::string calculate_text(const char* code) {
    const char* result = nullptr;
    ps_run_calculator(code, nullptr, nullptr, &result);
    return result != nullptr ? std::string(result) : std::string();
}

double read_aircraft_var_in(uint32_t var_code, const char* units_name) {
    int32_t units = ps_units_by_name(units_name);
    return ps_read_aircraft_var(var_code, units, 0);
}

void send_key(uint32_t event_id) {
    ps_send_key_event(event_id, 0);
}

double psf_to_psi(double x) {
    return x / 144.0;
}

double rankine_to_celsius(double x) {
    return (x - 491.69) * 0.5555555555555556;
}

double fps_to_knots(double x) {
    return x / 1.68781;
}

// The token gives metres per second x 256.
double vertical_speed_to_fpm(double x) {
    return x / 1.30048;
}

double metres_to_latitude(double x) {
    return x / 111130.555557;
}

// The raw value runs 0 .. 2^48 for 0 .. 360 degrees east; the upper half is
// the western hemisphere. The test is on the raw value.
double raw_to_longitude(double x) {
    double degrees = x / 781874935307.4;
    if (x > 140737488355332.0) degrees -= 360.0;
    return degrees;
}

double metres_to_feet(double x) {
    return x * 3.2808399;
}

double raw_to_g_load(double x) {
    return x / 624.0;
}

// 16384 raw units make a circle; one subtraction folds the result.
double reciprocal_bearing(double x) {
    double y = x * 360.0 * 6.103515625e-05 + 180.0;
    if (y >= 360.0) y -= 360.0;
    return y;
}

double engine_value_scale(double x) {
    return x * 6.103515625e-05 * 30.0;
}

double bcd_digits_to_mhz(int32_t digits) {
    return digits / 100.0 + 100.0;
}

// A part of 100 or more carries the thousands flag: 1000 kHz, the rest tenths.
double compose_adf_khz(int32_t whole_digits, int32_t extra_digits) {
    int32_t thousands = 0;
    if (extra_digits >= 100) {
        extra_digits -= 100;
        thousands = 1000;
    }
    return whole_digits + thousands + extra_digits / 10.0;
}

// The fifth character of "%.3f" is the tenths digit of a three-digit
// frequency. The text is formatted into a bounded buffer; a text too short to
// have a fifth character (NaN, inf), or one that is not a digit, gives 0.
double com_tenths_digit(double mhz) {
    char text[32];
    int length = std::snprintf(text, sizeof text, "%.3f", mhz);
    if (length < 5) return 0.0;
    char digit = text[4];
    return digit >= '0' && digit <= '9' ? digit - '0' : 0.0;
}

// The second digit after the point. 25-kHz channels end in 0, 2, 5 or 7; a 4
// or a 9 comes only from a frequency stored a little low.
double com_last_digit(double mhz) {
    double tenths = mhz * 10.0;
    double d = std::trunc((tenths - std::trunc(tenths)) * 10.0);
    if (d == 4.0) return 5.0;
    if (d == 9.0) return 0.0;
    return d;
}
