#include "data/config_line.h"

#include "platform/text_file.h"

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

std::string value_fault(const std::string& value, const ValueKind& kind) {
    if (kind.form == ValueKind::Text || value.empty()) return {};
    if (!has_leading_number(value.c_str())) return "no number";
    if (kind.form == ValueKind::Whole) return {};
    const double v = parse_double(value);
    if (v >= kind.low && v <= kind.high) return {};
    char text[80];
    std::snprintf(text, sizeof text, "outside %g to %g", kind.low, kind.high);
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
