#include "fms/math/clock_math.h"

#include <cmath>

HoursMinutes hours_minutes(double minutes) {
    const double total = std::round(minutes);
    HoursMinutes t;
    t.hours = std::floor(total / 60.0);
    t.minutes = total - 60.0 * t.hours;
    return t;
}

HoursMinutes clock_after(double hours, double minutes, HoursMinutes span) {
    HoursMinutes t = hours_minutes(60.0 * (hours + span.hours) + minutes + span.minutes);
    t.hours = std::fmod(t.hours, 24.0);
    if (t.hours < 0.0) t.hours += 24.0;
    return t;
}
