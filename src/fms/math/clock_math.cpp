#include "fms/math/clock_math.h"

#include <cmath>

namespace {

// Far beyond any time a page shows, and still exact in a double.
constexpr double kLongestMinutes = 1e12;

HoursMinutes split(double minutes, Rounding rounding, bool wrap_day) {
    if (!(minutes > 0.0)) minutes = 0.0;
    if (minutes > kLongestMinutes) minutes = kLongestMinutes;
    HoursMinutes t;
    double tenths = 0.0;
    if (rounding == Rounding::Nearest) {
        tenths = 10.0 * std::round(minutes);
    } else {
        // The allowance keeps a time that binary fractions put a hair below a
        // tenth (4.8 held as 4.7999...) on that tenth.
        tenths = std::floor(minutes * 10.0 + 1e-6);
    }
    t.hours = std::floor(tenths / 600.0);
    const double rest = tenths - 600.0 * t.hours;
    t.minutes = std::floor(rest / 10.0);
    t.tenths = rest - 10.0 * t.minutes;
    if (wrap_day) t.hours = std::fmod(t.hours, 24.0);
    return t;
}

} // namespace

HoursMinutes hours_minutes(double minutes, Rounding rounding) {
    return split(minutes, rounding, false);
}

HoursMinutes clock_after(double hours, double minutes, HoursMinutes span, Rounding rounding) {
    const double total = 60.0 * (hours + span.hours) + minutes + span.minutes + span.tenths / 10.0;
    return split(total, rounding, true);
}
