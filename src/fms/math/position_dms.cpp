#include "fms/math/position_dms.h"

namespace {

// The decimal integer at columns first..first + width - 1 of text.
int field_at(const std::string& text, std::size_t first, std::size_t width) {
    if (first >= text.size()) return 0;
    const std::string piece = text.substr(first, width);
    std::size_t i = 0;
    while (i < piece.size() && piece[i] == ' ')
        ++i;
    int value = 0;
    for (; i < piece.size() && piece[i] >= '0' && piece[i] <= '9'; ++i)
        value = value * 10 + (piece[i] - '0');
    return value;
}

double dms_value(int degrees, int minutes, int seconds) {
    return (seconds / 60.0 + minutes) / 60.0 + degrees;
}

std::string pln_text(const std::string& colon_text) {
    const std::size_t first = colon_text.find(':');
    if (first == std::string::npos) return colon_text;
    const std::size_t second = colon_text.find(':', first + 1);
    const std::string degrees = colon_text.substr(0, first);
    const std::string minutes =
        colon_text.substr(first + 1, second == std::string::npos ? std::string::npos : second - first - 1);
    const std::string seconds =
        second == std::string::npos ? std::string("00") : colon_text.substr(second + 1);
    return degrees + "\xB0 " + minutes + "' " + seconds + ".00";
}

} // namespace

void parse_dms_position(const std::string& lat_text, const std::string& lon_text, double* lat, double* lon) {
    *lat = dms_value(field_at(lat_text, 1, 2), field_at(lat_text, 4, 2), field_at(lat_text, 7, 2));
    if (lon_text.size() > 3 && lon_text[3] == ':')
        *lon = dms_value(field_at(lon_text, 1, 2), field_at(lon_text, 4, 2), field_at(lon_text, 7, 2));
    else
        *lon = dms_value(field_at(lon_text, 1, 3), field_at(lon_text, 5, 2), field_at(lon_text, 8, 2));
}

void format_pln_position(const std::string& lat_text, const std::string& lon_text, std::string& lat_out,
                         std::string& lon_out) {
    lat_out = pln_text(lat_text);
    lon_out = pln_text(lon_text);
}
