// What the C17_MFD navigation formats (the HSI and the three map frames)
// share: their colours, the frame re-made for each piece (the canvas scaled
// to the element, moved to the compass centre and turned), and bold Arial
// texts and polylines in design units.
#pragma once

#include "data/c17_mfd_state.h"
#include "map/palette.h"
#include "map/render_frame.h"

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace c17nav {

inline constexpr gfx::Argb kWhite = palette::white, kAmber = palette::amber, kMagenta = palette::magenta,
                           kGreen = palette::green, kCyan = palette::cyan, kBlack = palette::black;

struct Kit {
    gfx::Graphics& g;
    const DisplayObject& display;
    gfx::FontFamily arial{"Arial"};

    // Reset, scale to the 246 x 241 canvas, translate to the compass centre
    // and turn by angle degrees.
    void frame(double angle = 0.0) const {
        g.reset_transform();
        g.scale_transform(static_cast<float>(display.width) / 246.0f,
                          static_cast<float>(display.height) / 241.0f);
        g.translate_transform(static_cast<float>(c17_compass_centre.x),
                              static_cast<float>(c17_compass_centre.y));
        g.rotate_transform(static_cast<float>(angle));
    }
    // Text with its origin at (x, y), bold Arial of size pixels.
    void text(std::string_view s, float size, gfx::Argb colour, double x, double y) const {
        const gfx::Font font(arial, size, gfx::FontStyle::Bold, gfx::Unit::Pixel);
        g.draw_string(s, font, gfx::SolidBrush(colour),
                      gfx::PointF{static_cast<float>(x), static_cast<float>(y)});
    }
    void polyline(const gfx::Pen& pen, std::initializer_list<gfx::Point> points) const {
        const std::vector<gfx::Point> p(points);
        g.draw_lines_i(pen, p);
    }
    void fill(gfx::Argb colour, std::initializer_list<gfx::Point> points) const {
        const std::vector<gfx::Point> p(points);
        g.fill_polygon_i(gfx::SolidBrush(colour), p);
    }
};

// A dashed pen (dash style 1).
inline gfx::Pen dashed_pen(gfx::Argb colour, float width) {
    gfx::Pen p(colour, width);
    p.dash_style = gfx::DashStyle::Dash;
    return p;
}

// The card label of a multiple of 30 degrees: "N", "E", "S", "W", else the
// tens ("03", "33").
std::string card_label(int angle);

} // namespace c17nav
