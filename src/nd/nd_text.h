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

} // namespace nd
