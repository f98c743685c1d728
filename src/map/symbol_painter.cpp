#include "map/symbol_painter.h"

#include "data/p1000_menu_state.h"
#include "map/palette.h"
#include "map/range_ladder.h"
#include "platform/gfx.h"
#include "sim/aircraft_state.h"

#include <array>
#include <cstdio>
#include <initializer_list>
#include <string>

namespace {

using gfx::Argb;
using gfx::Point;
namespace c = palette;

// Vertices of the scalable kinds: offsets from the anchor in units of w and s.
struct Step {
    double dx;
    double dy;
};

// The polyline of the offsets, each vertex truncated toward zero.
template <std::size_t N>
std::array<Point, N> scaled(double x, double y, double w, double s, const Step (&steps)[N]) {
    std::array<Point, N> points;
    for (std::size_t i = 0; i < N; ++i)
        points[i] = gfx::point_i(x + steps[i].dx * w, y + steps[i].dy * s);
    return points;
}

// The same with fixed offsets (shapes that do not scale).
template <std::size_t N> std::array<Point, N> fixed(double x, double y, const Step (&steps)[N]) {
    return scaled(x, y, 1.0, 1.0, steps);
}

gfx::Pen pen(Argb colour, double width) {
    return gfx::Pen(colour, static_cast<float>(width));
}

// Pens of the colour selectors, in the order of the kind table: the first
// matching selector wins, the last entry is "any other".
Argb by_selector(int selector, std::initializer_list<std::pair<int, Argb>> choices, Argb other) {
    for (const auto& [value, colour] : choices)
        if (selector == value) return colour;
    return other;
}

// The number of a text kind, widened to at most five characters.
void draw_number(gfx::Graphics& g, const char* family, float size, gfx::FontStyle style, Argb colour,
                 const char* format, double value, double x, double y) {
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    const gfx::FontFamily font_family(family);
    const gfx::Font font(font_family, size, style, gfx::Unit::Pixel);
    g.draw_string(std::string(text).substr(0, 5), font, gfx::SolidBrush(colour),
                  gfx::PointF{static_cast<float>(x), static_cast<float>(y)});
}

void draw_ellipse_box(gfx::Graphics& g, const gfx::Pen& p, double x, double y, double width, double height) {
    g.draw_ellipse_i(p, x, y, width, height);
}

void fill_ellipse_box(gfx::Graphics& g, Argb colour, double x, double y, double size) {
    g.fill_ellipse_i(gfx::SolidBrush(colour), x, y, size, size);
}

// RadioStation and AirportStation share the ellipse (x - 3w, y, 5w, 5s).
Argb station_colour(int colour) {
    return by_selector(colour, {{1, c::blue}, {5, c::yellow}}, c::white);
}

// The traffic kinds: the body is the kind's place among the four, the large
// ones in the 70s.
void draw_traffic(gfx::Graphics& g, double x, double y, MapSymbol kind, int sub_kind, double w, int colour) {
    const bool large = kind >= MapSymbol::LargeTrafficOther;
    const int body = static_cast<int>(kind) % 10;
    const double half = large ? 6.0 : 4.0;
    const Argb outline = colour == 0 ? c::white : c::symbol_cyan;
    const Step diamond[] = {{0, 0}, {half, half}, {0, 2 * half}, {-half, half}, {0, 0}};
    switch (body) {
    case 0: {
        const auto pts = fixed(x, y, diamond);
        g.draw_lines_i(pen(outline, 1.5), pts);
        break;
    }
    case 1: {
        const auto pts = fixed(x, y, diamond);
        g.fill_polygon_i(gfx::SolidBrush(outline), pts);
        break;
    }
    case 2:
        fill_ellipse_box(g, c::yellow, x - half, y, 2 * half);
        break;
    case 3:
        fill_ellipse_box(g, c::red, x - half, y, 2 * half);
        break;
    default:
        return;
    }
    if (sub_kind != 1 && sub_kind != 2) return;

    Argb arrow = 0;
    double arrow_width = 1.0;
    if (body == 2) {
        arrow = c::yellow;
        arrow_width = w;
    } else if (body == 3) {
        arrow = c::red;
    } else if (colour == 0) {
        arrow = c::white;
        arrow_width = w;
    } else {
        arrow = c::symbol_cyan;
    }
    const bool climbing = sub_kind == 1;
    if (!large) {
        const Step head_up[] = {{8, 0}, {12, 4}, {4, 4}};
        const Step head_down[] = {{8, 8}, {12, 4}, {4, 4}};
        g.fill_polygon_i(gfx::SolidBrush(arrow), fixed(x, y, climbing ? head_up : head_down));
        if (climbing)
            g.draw_line_i(pen(arrow, arrow_width), x + 8, y, x + 8, y + 8);
        else
            g.draw_line_i(pen(arrow, arrow_width), x + 8, y + 8, x + 8, y);
    } else {
        const Step head_up[] = {{12, 0}, {17, 5}, {7, 5}};
        const Step head_down[] = {{12, 8}, {17, 3}, {7, 3}};
        g.fill_polygon_i(gfx::SolidBrush(arrow), fixed(x, y, climbing ? head_up : head_down));
        if (climbing)
            g.draw_line_i(pen(arrow, arrow_width), x + 12, y, x + 12, y + 10);
        else
            g.draw_line_i(pen(arrow, arrow_width), x + 12, y + 8, x + 12, y - 2);
    }
}

} // namespace

void draw_map_symbol(gfx::Graphics& g, double x, double y, MapSymbol kind, int sub_kind, double w, double s,
                     int colour, double range) {
    const double w2 = w + w;
    switch (kind) {
    case MapSymbol::Vor: {
        static constexpr Step vor[] = {{0, 0}, {4, 0},   {6, 4},  {8, 2},  {6, -2}, {4, 0}, {6, 4},
                                       {4, 8}, {0, 8},   {0, 10}, {4, 10}, {4, 8},  {0, 8}, {-2, 4},
                                       {0, 0}, {-2, -2}, {-4, 2}, {-2, 4}, {0, 0}};
        g.set_pixel_offset_mode(gfx::PixelOffsetMode::Half); // left so for the rest of the frame
        g.draw_lines_i(pen(by_selector(colour, {{1, c::blue}, {0, c::white}}, c::green), w),
                       scaled(x, y, w, s, vor));
        break;
    }
    case MapSymbol::Navaid: {
        static constexpr Step hexagon[] = {{0, 0}, {4, 0}, {6, 4}, {4, 8}, {0, 8}, {-2, 4}, {0, 0}};
        g.draw_lines_i(pen(by_selector(colour, {{1, c::blue}}, c::green), w), scaled(x, y, w, s, hexagon));
        break;
    }
    case MapSymbol::Fix: {
        static constexpr Step triangle[] = {{0, 0}, {3, 5}, {-3, 5}, {0, 0}};
        g.draw_lines_i(pen(by_selector(colour, {{4, c::magenta}, {1, c::blue}}, c::grey), w),
                       scaled(x, y, w, s, triangle));
        break;
    }
    case MapSymbol::RadioStation: {
        static constexpr Step right_lobe[] = {{0, 0}, {3, -3}, {5, 0}, {2, 2}, {0, 0}};
        static constexpr Step box[] = {{-2, 5}, {1, 5}, {1, 8}, {-2, 8}, {-2, 5}};
        static constexpr Step left_lobe[] = {{-1, 0}, {-4, -3}, {-6, 0}, {-3, 2}, {-1, 0}};
        const gfx::Pen p = pen(station_colour(colour), w);
        draw_ellipse_box(g, p, x - 3 * w, y, 5 * w, 5 * s);
        g.draw_lines_i(p, scaled(x, y, w, s, right_lobe));
        g.draw_lines_i(p, scaled(x, y, w, s, box));
        g.draw_lines_i(p, scaled(x, y, w, s, left_lobe));
        break;
    }
    case MapSymbol::AirportStation: {
        static constexpr Step top[] = {{0, 0}, {2, 0}, {2, -4}, {-2, -4}, {-2, 0}, {0, 0}};
        static constexpr Step right[] = {{2, 1}, {6, 1}, {6, 5}, {2, 5}, {2, 1}, {0, 0}};
        static constexpr Step bottom[] = {{0, 5}, {2, 5}, {2, 9}, {-2, 9}, {-2, 5}, {0, 5}};
        static constexpr Step left[] = {{-2, 1}, {-6, 1}, {-6, 5}, {-2, 5}, {-2, 1}, {0, 0}};
        const gfx::Pen p = pen(station_colour(colour), w);
        draw_ellipse_box(g, p, x - 3 * w, y, 5 * w, 5 * s);
        for (const auto& part : {scaled(x, y, w, s, top), scaled(x, y, w, s, right),
                                 scaled(x, y, w, s, bottom), scaled(x, y, w, s, left)})
            g.draw_lines_i(p, part);
        break;
    }
    case MapSymbol::Aircraft: {
        static constexpr Step plane[] = {{0, 0},  {1, 0},  {1, 4},  {5, 4},   {5, 6},  {1, 6},
                                         {1, 9},  {3, 9},  {3, 11}, {-3, 11}, {-3, 9}, {-1, 9},
                                         {-1, 6}, {-5, 6}, {-5, 4}, {-1, 4},  {-1, 0}, {0, 0}};
        const auto pts = fixed(x, y, plane);
        g.fill_polygon_i(gfx::SolidBrush(c::white), pts);
        g.draw_lines_i(pen(c::white, w), pts);
        break;
    }
    case MapSymbol::TrafficWindowAircraft: {
        static constexpr Step plane[] = {{0, 0},  {1, 1},  {1, 4},  {6, 6},   {6, 7},   {1, 7},
                                         {1, 9},  {3, 10}, {3, 11}, {-3, 11}, {-3, 10}, {-1, 9},
                                         {-1, 7}, {-6, 7}, {-6, 6}, {-1, 4},  {-1, 1},  {0, 0}};
        g.draw_lines_i(pen(c::white, w2), fixed(x, y, plane));
        break;
    }
    case MapSymbol::Waypoint: {
        static constexpr Step star[] = {{0, 0},  {1, 5},  {5, 6},  {1, 7}, {0, 11},
                                        {-1, 7}, {-5, 6}, {-1, 5}, {0, 0}};
        const Argb colour_of =
            by_selector(colour, {{3, c::green}, {4, c::magenta}, {1, c::blue}, {5, c::yellow}}, c::white);
        g.draw_lines_i(pen(colour_of, w), scaled(x, y, w, s, star));
        break;
    }
    case MapSymbol::Du1000AirwayFix: {
        static constexpr Step diamond[] = {{0, 0}, {4, 4}, {0, 8}, {-4, 4}, {0, 0}};
        g.draw_lines_i(pen(by_selector(colour, {{4, c::magenta}}, c::white), w), scaled(x, y, w, s, diamond));
        break;
    }
    case MapSymbol::RangeBox: {
        static constexpr Step box[] = {{0, 0}, {27, 0}, {27, 16}, {0, 16}, {0, 0}};
        g.fill_polygon_i(gfx::SolidBrush(c::black), fixed(x, y, box));
        const bool tenths = range == 12.5 || range == 2.5 || range == 0.5;
        draw_number(g, "HW Arial", 13.0f, gfx::FontStyle::Bold, c::white, tenths ? "%2.1f" : "%3.0f", range,
                    x - 2, y + 2);
        break;
    }
    case MapSymbol::TrafficWindowRangeBox: {
        static constexpr Step box[] = {{0, 0}, {15, 0}, {15, 10}, {0, 10}, {0, 0}};
        g.fill_polygon_i(gfx::SolidBrush(c::black), fixed(x, y, box));
        const double window = p1000_tcas_window_range;
        draw_number(g, "HW Arial", 12.0f, gfx::FontStyle::Bold, c::white, window == 12.5 ? "%2.1f" : "%3.0f",
                    window, x - 1, y + 1);
        break;
    }
    case MapSymbol::HeadingBox: {
        static constexpr Step box[] = {{30, 0}, {30, 15}, {22.5, 15}, {15, 20}, {7.5, 15}, {0, 15}, {0, 0}};
        g.draw_lines_i(pen(c::white, w2), fixed(x, y, box));
        const double heading = aircraft_state.heading_deg == 0.0 ? 360.0 : aircraft_state.heading_deg;
        draw_number(g, "Arial", 17.0f, gfx::FontStyle::Regular, c::green, "%03.0f", heading, x - 2, y - 2);
        break;
    }
    case MapSymbol::P1000Aircraft: {
        static constexpr Step plane[] = {{0, 0},   {2, 2},   {2, 9},   {11, 14},   {11, 16},  {2, 14},
                                         {1, 15},  {1, 22},  {4, 24},  {3, 26},    {0, 25},   {-3, 26},
                                         {-4, 24}, {-1, 22}, {-1, 15}, {-1.5, 14}, {-11, 16}, {-11, 14},
                                         {-2, 9},  {-2, 2},  {0, 0}};
        g.draw_lines_i(pen(p1000_mfd_plan_mode == kP1000PlanModeOff ? c::white : c::yellow, w2),
                       fixed(x, y, plane));
        break;
    }
    case MapSymbol::TrafficOther:
    case MapSymbol::TrafficProximate:
    case MapSymbol::TrafficAdvisory:
    case MapSymbol::TrafficResolution:
    case MapSymbol::LargeTrafficOther:
    case MapSymbol::LargeTrafficProximate:
    case MapSymbol::LargeTrafficAdvisory:
    case MapSymbol::LargeTrafficResolution:
        draw_traffic(g, x, y, kind, sub_kind, w, colour);
        break;
    default:
        break;
    }

    // The DU_1000_EHSI symbols.
    if (kind == MapSymbol::Du1000Waypoint) {
        g.draw_ellipse_i(pen(colour == 3 ? c::green : c::white, w2), x - 4 * w, y + 2 * s, 8 * w, 8 * w);
    } else if (kind == MapSymbol::Du1000RoutePoint || kind == MapSymbol::Du1000Vor) {
        const gfx::Pen p = pen(kind == MapSymbol::Du1000Vor ? c::magenta : c::blue, w2);
        g.draw_ellipse_i(p, x - 4 * w, y + 2 * s, 8 * w, 8 * w);
        g.draw_line_i(p, x - 4 * w, y + 6 * w, x - 8 * w, y + 6 * w);
        g.draw_line_i(p, x + 4 * w, y + 6 * w, x + 8 * w, y + 6 * w);
        if (kind == MapSymbol::Du1000Vor) {
            g.draw_line_i(p, x, y + 8 * s, x, y + 12 * s);
            g.draw_line_i(p, x, y + 2 * s, x, y - 2 * s);
        }
    }
}
