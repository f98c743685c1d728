// Splitting and conversion of the key=value lines of the configuration files.
#pragma once

#include <string>
#include <vector>

struct ConfigLine {
    std::string key;
    std::string value;
};

// Splits a line as both configuration files are read: every blank becomes
// '*', the first '=' a blank, the first two whitespace-delimited tokens are
// key and value, and '*' in the value turns back into a blank. So blanks
// inside a value survive while "Key = 1" (blank before '=') keys nothing.
ConfigLine split_config_line(std::string line);

// The whitespace-delimited tokens of a line, at most max_tokens of them (as
// a scanf format of that many "%s").
std::vector<std::string> scan_tokens(const std::string& line, std::size_t max_tokens);

bool equals_ignoring_case(const std::string& a, const std::string& b);
std::string to_upper_ascii(std::string text);

// What a key's value must hold: text keys take anything; a whole-number key
// a number; a real key a number within the range its use can take. An empty
// value converts to 0 as it always has.
struct ValueKind {
    enum Form { Text, Whole, Real } form = Text;
    double low = 0.0;
    double high = 0.0;
};
inline constexpr ValueKind kText{ValueKind::Text};
inline constexpr ValueKind kWhole{ValueKind::Whole};
constexpr ValueKind real(double low, double high) {
    return {ValueKind::Real, low, high};
}
// Empty when the value fits; else why it does not ("no number", "outside 0
// to 0.999"), for the load warning.
std::string value_fault(const std::string& value, const ValueKind& kind);

// The conversions of the key tables: int (atoi), real (atof), int of real
// (atof truncated toward zero, saturating).
int config_int(const std::string& value);
double config_real(const std::string& value);
int config_int_of_real(const std::string& value);
