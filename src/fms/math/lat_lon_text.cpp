#include "fms/math/lat_lon_text.h"

#include <cmath>
#include <cstdio>

namespace {

// A saturated value keeps a magnitude in the text.
constexpr double kLargestDegrees = 2147483647.0;

std::string format_dms(double value, const char* letter, int unit_mode) {
    if (unit_mode != kDmsDegrees) value *= 57.29577951308232;
    const DegreesMinutes d = degrees_minutes(value, 60);
    char text[64];
    std::snprintf(text, sizeof text, "%s%s%lld:%s%d:%s%d", letter, d.degrees < 10 ? "0" : "", d.degrees,
                  d.minutes < 10 ? "0" : "", d.minutes, d.parts < 10 ? "0" : "", d.parts);
    return text;
}

} // namespace

DegreesMinutes degrees_minutes(double degrees, int parts_per_minute) {
    DegreesMinutes d;
    const double magnitude = std::fabs(degrees);
    if (!std::isfinite(magnitude) || parts_per_minute < 1) return d;
    if (magnitude >= kLargestDegrees) {
        d.degrees = static_cast<long long>(kLargestDegrees);
        return d;
    }
    const long long per_degree = 60LL * parts_per_minute;
    const auto parts = static_cast<long long>(std::floor(magnitude * static_cast<double>(per_degree) + 1e-6));
    d.degrees = parts / per_degree;
    d.minutes = static_cast<int>(parts % per_degree / parts_per_minute);
    d.parts = static_cast<int>(parts % parts_per_minute);
    return d;
}

void format_lat_lon_dms(double lat, double lon, std::string* lat_text, std::string* lon_text, int unit_mode) {
    *lat_text = format_dms(lat, lat < 0.0 ? "S" : "N", unit_mode);
    *lon_text = format_dms(lon, lon < 0.0 ? "E" : "W", unit_mode);
}
