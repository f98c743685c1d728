#include "cdu_smiths/cdu_position_text.h"

#include "cdu_smiths/cdu_page_conventions.h"
#include "fms/math/lat_lon_text.h"

#include <cmath>

namespace {

// Truncated tenths of a minute. A value off the globe reads 0, so the text
// keeps its width.
std::string position_text(const char* format, char hemisphere, double degrees) {
    const DegreesMinutes d = degrees_minutes(std::fabs(degrees) <= 180.0 ? degrees : 0.0, 10);
    return cdu_format(format, hemisphere, static_cast<int>(d.degrees), d.minutes, d.parts);
}

} // namespace

std::string cdu_latitude_text(double lat) {
    return position_text("%c%02d\xB0%02d.%d", lat < 0.0 ? 'S' : 'N', lat);
}

std::string cdu_longitude_text(double lon) {
    return position_text("%c%03d\xB0%02d.%d", lon > 0.0 ? 'E' : 'W', lon);
}
