#include "data/reader_checks.h"

#include "data/load_warnings.h"
#include "platform/text_file.h"

#include <cctype>

bool position_tokens_on_globe(const std::string& latitude, const std::string& longitude) {
    if (latitude.empty() && longitude.empty()) return true;
    double lat = 0.0, lon = 0.0;
    return parse_whole_number(latitude, lat) && parse_whole_number(longitude, lon) && on_globe(lat, lon);
}

bool number_within(std::string_view text, double low, double high, double& value) {
    double v = 0.0;
    if (!parse_whole_number(text, v) || v < low || v > high) return false;
    value = v;
    return true;
}

const char* number_fault(std::string_view text, const FieldRange& range) {
    double value = 0.0;
    return number_within(text, range.low, range.high, value) ? nullptr : range.fault;
}

namespace {

// A sign or point, then a digit: "-5000" and ".5" begin as numbers, "---" not.
bool starts_as_number(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    if (i < text.size() && text[i] == '.') ++i;
    return i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]));
}

} // namespace

const char* numeric_text_fault(std::string_view text, const FieldRange& range) {
    return starts_as_number(text) ? number_fault(text, range) : nullptr;
}

const char* altitude_text_fault(std::string_view text) {
    if (text.size() > 2 && (text[0] == 'F' || text[0] == 'f') && (text[1] == 'L' || text[1] == 'l'))
        return numeric_text_fault(text.substr(2), kFlightLevel);
    return numeric_text_fault(text, kAltitudeFt);
}

const char* coded_leg_fault(std::string_view code) {
    if (!code.empty() && code[0] == '/') code.remove_prefix(1);
    if (code.rfind("RT/", 0) == 0 || code.rfind("LT/", 0) == 0) code.remove_prefix(3);
    const std::size_t slash = code.find('/');
    const std::string_view course = code.substr(0, slash);
    const std::string_view end =
        slash == std::string_view::npos ? std::string_view() : code.substr(slash + 1);
    if (!course.empty() && (course[0] == 'T' || course[0] == 'H' || course[0] == 'C'))
        if (const char* why = number_fault(course.substr(1), kDegrees)) return why;
    const std::string_view what = end.substr(0, 2);
    if (what == "UD") return number_fault(end.substr(2), kDmeDistanceNm);
    if (what == "IC" && end.size() > 2) return number_fault(end.substr(2), kDegrees);
    return nullptr;
}

bool cut_within_fields(std::string_view line, bool cut, std::size_t first, std::size_t last) {
    if (!cut || line.empty() || std::isspace(static_cast<unsigned char>(line.back()))) return false;
    std::size_t tokens = 0;
    for (std::size_t i = 0; i < line.size(); ++i)
        if (!std::isspace(static_cast<unsigned char>(line[i])) &&
            (i == 0 || std::isspace(static_cast<unsigned char>(line[i - 1]))))
            ++tokens;
    return tokens >= first && tokens <= last;
}

double wrapped_longitude(double longitude) {
    return longitude > 180.0 && longitude <= 360.0 ? longitude - 360.0 : longitude;
}

std::string table_full_note(int left_out, const std::string& table, int capacity) {
    return std::to_string(left_out) + " left out: the table of " + table + " holds " +
           std::to_string(capacity);
}
