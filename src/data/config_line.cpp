#include "data/config_line.h"

#include "platform/text_file.h"

#include <cfloat>
#include <cmath>
#include <cstdio>

namespace {

bool is_blank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

} // namespace

std::vector<std::string> scan_tokens(const std::string& line, std::size_t max_tokens) {
    std::vector<std::string> tokens;
    std::size_t i = 0;
    while (tokens.size() < max_tokens) {
        while (i < line.size() && is_blank(line[i]))
            ++i;
        if (i >= line.size()) break;
        std::size_t start = i;
        while (i < line.size() && !is_blank(line[i]))
            ++i;
        tokens.push_back(line.substr(start, i - start));
    }
    return tokens;
}

ConfigLine split_config_line(std::string line) {
    for (char& c : line)
        if (c == ' ') c = '*';
    std::size_t eq = line.find('=');
    if (eq != std::string::npos) line[eq] = ' ';
    std::vector<std::string> tokens = scan_tokens(line, 2);
    ConfigLine out;
    if (!tokens.empty()) out.key = tokens[0];
    if (tokens.size() > 1) out.value = tokens[1];
    for (char& c : out.value)
        if (c == '*') c = ' ';
    return out;
}

bool equals_ignoring_case(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
        if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
        if (x != y) return false;
    }
    return true;
}

std::string to_upper_ascii(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

ValueFit value_fit(const std::string& value, const ValueKind& kind) {
    if (kind.form == ValueKind::Text || value.empty()) return {};
    if (!has_leading_number(value.c_str())) return {ValueFit::NoNumber, "no number"};
    // As written; strtod saturates an overflow ("1e999") at the largest
    // finite value, which is no value either.
    const double written = parse_double(value);
    bool fits = written >= kind.low && written <= kind.high && std::fabs(written) < DBL_MAX;
    if (kind.form == ValueKind::Whole) {
        const double read = parse_int(value); // "1e4" reads 1, "2.5" 2
        fits = fits && read == std::trunc(written);
    }
    if (fits) return {};
    char why[96];
    if (std::isinf(kind.high))
        std::snprintf(why, sizeof why, "below %g%s%s", kind.low, *kind.unit ? " " : "", kind.unit);
    else
        std::snprintf(why, sizeof why, "outside %g to %g%s%s", kind.low, kind.high, *kind.unit ? " " : "",
                      kind.unit);
    if (kind.form == ValueKind::Whole && written >= kind.low && written <= kind.high)
        std::snprintf(why, sizeof why, "no whole number");
    return {ValueFit::Outside, why};
}

std::string ShownSetting::text() const {
    char text[48] = "";
    if (whole != nullptr)
        std::snprintf(text, sizeof text, "%.15g", *whole * scale);
    else if (real != nullptr)
        std::snprintf(text, sizeof text, "%.15g", *real * scale);
    return text;
}

int config_int(const std::string& value) {
    return parse_int(value);
}
double config_real(const std::string& value) {
    return parse_double(value);
}
int config_int_of_real(const std::string& value) {
    return saturate_to_int(parse_double(value));
}
