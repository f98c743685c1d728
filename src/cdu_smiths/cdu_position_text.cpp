#include "cdu_smiths/cdu_position_text.h"

#include "cdu_smiths/cdu_page_conventions.h"

#include <cmath>

namespace {

// Truncated tenths of a minute of a magnitude in degrees. A position stored
// as a binary fraction lies a hair below a whole tenth (5°03' is
// 5.04999...): the small allowance keeps it on that tenth instead of showing
// 02.9.
long long tenths_of_minute(double degrees) {
    const double tenths = std::fabs(degrees) * 600.0 + 1e-6;
    if (!std::isfinite(tenths) || tenths > 180.0 * 600.0) return 0;
    return static_cast<long long>(std::floor(tenths));
}

std::string position_text(const char* format, char hemisphere, double degrees) {
    const long long t = tenths_of_minute(degrees);
    return cdu_format(format, hemisphere, static_cast<int>(t / 600), static_cast<int>(t % 600 / 10),
                      static_cast<int>(t % 10));
}

} // namespace

std::string cdu_latitude_text(double lat) {
    return position_text("%c%02d\xB0%02d.%d", lat < 0.0 ? 'S' : 'N', lat);
}

std::string cdu_longitude_text(double lon) {
    return position_text("%c%03d\xB0%02d.%d", lon > 0.0 ? 'E' : 'W', lon);
}
