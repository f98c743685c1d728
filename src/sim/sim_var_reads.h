// The read shapes every accessor is built from, and the unit conversions. Each
// read builds its own zeroed ModuleVarBlock and makes exactly one host call;
// nothing is cached, and a host that fills nothing leaves the zero in place.
// Only the accessor sources include this.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

struct ModuleVarBlock;

// A zeroed block carrying only the token id, after the host has read it.
ModuleVarBlock read_token_block(uint32_t token);

double read_token(uint32_t token);            // the value as f64
int32_t read_token_truncated(uint32_t token); // the f64 truncated toward zero
uint32_t read_token_raw(uint32_t token);      // the 32-bit integer in the value's first four bytes
int32_t read_token_bcd(uint32_t token);       // the raw integer's hex digits read as decimal
// A token whose value pointer leads to a zero-terminated text: at most
// `max_chars` of it, or the empty text for a null pointer.
std::string read_token_text(uint32_t token, std::size_t max_chars);

// flags_test (sim/element_helpers.h) on the block as the host left it.
int32_t read_token_flag(uint32_t token, uint32_t mask);

// Calculator code, asking for one kind of result. A result the host does not
// write keeps its start: 0.0, 0, or the empty text.
double calculate_number(const char* code);
int32_t calculate_integer(const char* code);
std::string calculate_text(const char* code);

// An aircraft variable by its number, in the named units, index 0.
double read_aircraft_var_in(uint32_t var_code, const char* units_name);

void send_key(uint32_t event_id);

// Conversions from the host's raw units.
double psf_to_psi(double x);
double rankine_to_celsius(double x);
double fps_to_knots(double x);
double vertical_speed_to_fpm(double x);
double metres_to_latitude(double x);
double raw_to_longitude(double x);
double metres_to_feet(double x);
double raw_to_g_load(double x);
double reciprocal_bearing(double x);
double engine_value_scale(double x);

// Frequencies from their BCD digits: NAV/COM MHz (digits / 100 + 100) and the
// ADF kHz composed from a whole-kHz part and a part carrying tenths and a
// thousands flag.
double bcd_digits_to_mhz(int32_t digits);
double compose_adf_khz(int32_t whole_digits, int32_t extra_digits);

// The COM display digits of a frequency in MHz.
double com_tenths_digit(double mhz);
double com_last_digit(double mhz);
