// Small text helpers of the stand-in: trimming, case-insensitive comparison
// and strict number parsing for panel files and scripts (a typo must be an
// error there, not a silent 0 as in the module's lenient readers).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace host {

std::string trim(const std::string& text);
std::string to_upper(std::string text);
std::string to_lower(std::string text);
bool iequals(const std::string& a, const std::string& b);
bool istarts_with(const std::string& text, const std::string& prefix);

// Splits at every separator; the pieces are trimmed.
std::vector<std::string> split(const std::string& text, char separator);

// The whole text (after trimming) must be the number. Integers accept a
// leading sign and the 0x prefix.
bool parse_int64(const std::string& text, int64_t& value);
bool parse_real(const std::string& text, double& value);

// Float to 32-bit integer as the calculator hands out integer results:
// truncated toward zero, saturated, NaN gives 0.
int32_t truncate_to_int32(double value);

// A text as it may be shown in a message: bytes outside printable ASCII
// written as \xHH, and cut after `max_length` bytes with "..." added.
std::string printable(const std::string& text, std::size_t max_length = 40);

// "%.10g": short for round values, exact enough for what a script prints.
std::string format_number(double value);

} // namespace host
