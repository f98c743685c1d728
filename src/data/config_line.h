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

// What a key's value must hold: text keys take anything; a number key a
// number within what its use can stand for, judged as written ("1e9" is no
// altitude, though atoi reads 1) and, for a whole number, as the key's
// conversion reads it too. An empty value converts to 0 as it always has.
struct ValueKind {
    enum Form { Text, Whole, Real } form = Text;
    double low = 0.0;
    double high = 0.0;
    const char* unit = ""; // after the range in a warning: "ft", "kt"
    // A value outside the range that the key's readers still act on in
    // their way (a switch read as "on at 1", a display mode reset after the
    // file) is taken as written; this says what becomes of it. Null: the
    // setting keeps the value it had.
    const char* taken = nullptr;
};
inline constexpr ValueKind kText{ValueKind::Text};
constexpr ValueKind whole(double low, double high, const char* unit = "", const char* taken = nullptr) {
    return {ValueKind::Whole, low, high, unit, taken};
}
constexpr ValueKind real(double low, double high, const char* unit = "") {
    return {ValueKind::Real, low, high, unit, nullptr};
}
// 0 or 1: every reader of a switch turns it on at 1 alone.
inline constexpr ValueKind kSwitch = whole(0.0, 1.0, "", "taken as written, on only at 1");

// How a value fits its key: it does; it is no number (the line is no
// setting); or it is a number outside the range (why says so).
struct ValueFit {
    enum Verdict { Fits, NoNumber, Outside } verdict = Fits;
    std::string why;
};
ValueFit value_fit(const std::string& value, const ValueKind& kind);

// The setting a key line sets, as a warning shows the value kept: a whole
// or real number, shown times scale (a range stored in hundreds of feet
// shows in feet). Empty for a text, or a key that sets several.
struct ShownSetting {
    const int* whole = nullptr;
    const double* real = nullptr;
    double scale = 1.0;

    ShownSetting() = default;
    ShownSetting(const int& v, double s = 1.0) : whole(&v), scale(s) {}
    ShownSetting(const double& v) : real(&v) {}
    std::string text() const;
};

// The conversions of the key tables: int (atoi), real (atof), int of real
// (atof truncated toward zero, saturating).
int config_int(const std::string& value);
double config_real(const std::string& value);
int config_int_of_real(const std::string& value);
