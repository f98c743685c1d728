// Small text helpers of the navigation displays' frame painters.
#pragma once

#include "platform/gfx.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace nd {

// A text at a design point, default format.
inline void text(gfx::Graphics& g, const std::string& s, const gfx::Font& font, gfx::Argb colour, double x,
                 double y) {
    g.draw_string(s, font, gfx::SolidBrush(colour),
                  gfx::PointF{static_cast<float>(x), static_cast<float>(y)});
}

// One number through a printf format.
inline std::string format(const char* fmt, double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, fmt, value);
    return buffer;
}

// A time in minutes as whole hours and whole minutes: the minutes rounded,
// and 60 of them carried into the hours (119.6 minutes is 2 h 0 min).
struct HoursMinutes {
    double hours = 0.0;
    double minutes = 0.0;
};
inline HoursMinutes hours_minutes(double minutes) {
    const double total = std::round(minutes);
    HoursMinutes t;
    t.hours = std::floor(total / 60.0);
    t.minutes = total - 60.0 * t.hours;
    return t;
}

} // namespace nd
