#include "fms/math/lat_lon_text.h"

#include "platform/text_file.h"

#include <cstdio>
#include <cstdlib>

namespace {

std::string format_dms(double value, const char* letter, int unit_mode) {
    if (unit_mode != 1) value *= 57.29577951308232;
    const int deg = saturate_to_int(value);
    const double m = (value - deg) * 60.0;
    const int min = saturate_to_int(m);
    const int sec = saturate_to_int((m - min) * 60.0);
    // Wider than int, so that a saturated value has a magnitude.
    const long long d = std::llabs(deg), mi = std::llabs(min), s = std::llabs(sec);
    char text[64];
    std::snprintf(text, sizeof text, "%s%s%lld:%s%lld:%s%lld", letter, d < 10 ? "0" : "", d,
                  mi < 10 ? "0" : "", mi, s < 10 ? "0" : "", s);
    return text;
}

} // namespace

void format_lat_lon_dms(double lat, double lon, std::string* lat_text, std::string* lon_text, int unit_mode) {
    *lat_text = format_dms(lat, lat < 0.0 ? "S" : "N", unit_mode);
    *lon_text = format_dms(lon, lon < 0.0 ? "E" : "W", unit_mode);
}
