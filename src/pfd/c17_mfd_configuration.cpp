// Format 12 of the C17_MFD, the configuration page: a plan view of the
// aircraft whose moving surfaces fill in green as they deflect, the gear
// blocks, the rudder, stabiliser and aileron trim scales, and the flaps,
// slats and gear lines.
#include "data/c17_mfd_state.h"
#include "pfd/c17_mfd_painters.h"

#include "map/palette.h"
#include "platform/text_file.h"
#include "sim/sim_var_reader.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <initializer_list>

namespace {

constexpr gfx::Argb kWhite = palette::white, kGreen = palette::green, kRed = palette::bright_red,
                    kCyan = palette::cyan;

struct Page {
    gfx::Graphics& g;
    gfx::FontFamily arial{"Arial"};
    gfx::Pen white1{kWhite, 1}, white2{kWhite, 2}, green1{kGreen, 1}, green2{kGreen, 2};
};

struct Segment {
    int x1, y1, x2, y2;
};

void text(Page& p, const char* s, gfx::Argb colour, double x, double y) {
    const gfx::Font font(p.arial, 9, gfx::FontStyle::Bold, gfx::Unit::Pixel);
    p.g.draw_string(s, font, gfx::SolidBrush(colour),
                    gfx::PointF{static_cast<float>(x), static_cast<float>(y)});
}

void fill(Page& p, double x, double y, double w, double h) {
    p.g.fill_rectangle_i(gfx::SolidBrush(kGreen), x, y, w, h);
}

// Brackets of one surface member given on the left and deflected up (or
// left); mirror_x draws the right member, mirror_y the other direction
// (mirrored about the hinge line).
void brackets(Page& p, std::initializer_list<Segment> left_up, bool mirror_x, bool mirror_y, int hinge = 0) {
    for (const Segment& s : left_up) {
        double x1 = s.x1, y1 = s.y1, x2 = s.x2, y2 = s.y2;
        if (mirror_x) x1 = -x1, x2 = -x2;
        if (mirror_y) y1 = 2 * hinge - y1, y2 = 2 * hinge - y2;
        p.g.draw_line_i(p.white2, x1, y1, x2, y2);
    }
}

void draw_outline(Page& p) {
    const std::array<gfx::Point, 6> tail{{{4, -75}, {35, -75}, {35, -80}, {-35, -80}, {-35, -75}, {-4, -75}}};
    p.g.draw_lines_i(p.white1, tail);
    for (const Segment& s : {Segment{4, -3, 4, -75}, Segment{-4, -3, -4, -75}, Segment{-4, -3, -90, -3},
                             Segment{4, -3, 90, -3}, Segment{-17, 3, -90, 3}, Segment{17, 3, 90, 3}})
        p.g.draw_line_i(p.white1, s.x1, s.y1, s.x2, s.y2);
    const std::array<gfx::Point, 4> right_tip{{{90, -3}, {93, -8}, {96, -8}, {90, 3}}};
    const std::array<gfx::Point, 4> left_tip{{{-90, -3}, {-93, -8}, {-96, -8}, {-90, 3}}};
    p.g.draw_lines_i(p.white1, right_tip);
    p.g.draw_lines_i(p.white1, left_tip);
    p.g.draw_arc_i(p.white1, -20, 2, 12, 24, 100, 160);
    p.g.draw_arc_i(p.white1, 8, 2, 12, 24, 280, 160);
    p.g.draw_arc_i(p.white1, -16, 21, 32, 8, 0, 180);
}

// A trim pointer: two green lines from the scale point (x, y) opening by
// (dx, dy) and (dx, -dy), or (dx, dy) and (-dx, dy) when across.
void pointer(Page& p, double x, double y, double dx, double dy, bool across) {
    p.g.draw_line_i(p.green2, x, y, x + dx, y + dy);
    if (across)
        p.g.draw_line_i(p.green2, x, y, x - dx, y + dy);
    else
        p.g.draw_line_i(p.green2, x, y, x + dx, y - dy);
}

void draw_trims(Page& p) {
    // Rudder trim along the top.
    text(p, "RUD TRIM", kWhite, -25, -121);
    text(p, "NL", kWhite, -40, -111);
    text(p, "NR", kWhite, 25, -111);
    p.g.draw_line_i(p.white1, -20, -106, 20, -106);
    p.g.draw_line_i(p.white1, 0, -111, 0, -96);
    for (int x : {-20, -10, 10, 20})
        p.g.draw_line_i(p.white1, x, -106, x, -101);
    pointer(p, std::trunc(sim_var_object.get_simvar_787() / 0.008725), -106, 4, -5, true);
    text(p, "10     0     10", kWhite, -27, -101);

    // Stabiliser trim, nose up over three times the span of nose down.
    p.g.draw_line_i(p.white1, 55, -95, 55, -55);
    for (int y : {-95, -85, -75, -55})
        p.g.draw_line_i(p.white1, 50, y, 55, y);
    p.g.draw_line_i(p.white1, 50, -65, 60, -65);
    const double t = sim_var_object.get_simvar_783();
    pointer(p, 55, std::trunc(-65 - t / (t >= 0 ? 0.02618 / 3 : 0.02618)), 5, -4, false);
    text(p, "NU", kWhite, 60, -100);
    text(p, "15", kWhite, 37, -100);
    text(p, "STAB", kWhite, 68, -85);
    text(p, "TRIM", kWhite, 68, -75);
    text(p, "0", kWhite, 42, -70);
    text(p, "5", kWhite, 42, -60);
    text(p, "ND", kWhite, 60, -60);

    // Aileron trim on the right edge.
    text(p, "AIL", kWhite, 102, -60);
    text(p, "TRIM", kWhite, 99, -50);
    text(p, "RWD", kWhite, 99, -35);
    p.g.draw_line_i(p.white1, 112, -20, 112, 20);
    for (int y : {-20, -10, 10, 20})
        p.g.draw_line_i(p.white1, 107, y, 112, y);
    p.g.draw_line_i(p.white1, 107, 0, 117, 0);
    pointer(p, 112, std::trunc(-sim_var_object.get_simvar_785() / 0.008725), 5, -4, false);
    text(p, "10", kWhite, 95, -25);
    text(p, "0", kWhite, 99, -5);
    text(p, "10", kWhite, 95, 15);
    text(p, "LWD", kWhite, 99, 27);
}

// Extent of a two-way surface: rounded 0.4 away from the hinge.
double extent(double value, double per_unit) {
    return std::trunc(value / per_unit + (value > 0 ? 0.4 : -0.4));
}

void draw_elevators(Page& p) {
    const double e = sim_var_object.get_simvar_782();
    if (!(e < -0.005 || e > 0.005)) return;
    const double h = extent(e, 0.0357);
    const bool up = e > 0;
    for (int x : {-32, -20, 10, 22})
        fill(p, x, up ? -79 - h : -78, 9, std::abs(h));
    for (bool right : {false, true})
        brackets(p,
                 {{-10, -78, -10, -90},
                  {-8, -84, -10, -84},
                  {-9, -90, -14, -90},
                  {-32, -78, -32, -90},
                  {-32, -84, -34, -84},
                  {-28, -90, -33, -90}},
                 right, !up, -78);
}

void draw_spoilers(Page& p, double left, double right) {
    const std::initializer_list<Segment> left_up = {
        {-15, -3, -15, -14}, {-14, -14, -19, -14}, {-54, -3, -54, -14}, {-55, -14, -50, -14}};
    // The left side shows from 800 on, the right side from above 0.
    if (left > 800) {
        const double h = std::trunc(left / 1820.3333 + 0.4);
        for (int x : {-54, -44, -34, -24})
            fill(p, x, -3 - h, 9, h);
        brackets(p, left_up, false, false);
    }
    if (right > 0) {
        const double h = std::trunc(right / 1820.3333 + 0.4);
        for (int x : {15, 25, 35, 45})
            fill(p, x, -3 - h, 9, h);
        brackets(p, left_up, true, false);
    }
}

void draw_ailerons(Page& p) {
    const double a = sim_var_object.get_simvar_784();
    if (!(a < -0.1 || a > 0.1)) return;
    const double h = extent(a, 0.02805);
    // The left aileron rises for a negative value, the right one for a positive.
    fill(p, -85, a < 0 ? h : 0, 25, std::abs(h));
    fill(p, 60, a > 0 ? -h : 0, 25, std::abs(h));
    const std::initializer_list<Segment> left_up = {{-60, 0, -60, -14},   {-60, -7, -57, -7},
                                                    {-59, -14, -63, -14}, {-85, 0, -85, -14},
                                                    {-88, -7, -84, -7},   {-86, -14, -81, -14}};
    brackets(p, left_up, false, a > 0);
    brackets(p, left_up, true, a < 0);
}

void draw_flaps(Page& p) {
    const std::initializer_list<Segment> left_down = {
        {-24, 0, -24, 14}, {-23, 14, -27, 14}, {-52, 0, -52, 14}, {-53, 14, -49, 14}};
    const double values[2] = {sim_var_object.get_simvar_907_2(), sim_var_object.get_simvar_908()};
    const int boxes[2][2] = {{-52, -37}, {24, 39}};
    for (int side = 0; side < 2; ++side) {
        const double v = values[side];
        if (!(v > 0)) continue;
        if (v > 10)
            for (int x : boxes[side])
                fill(p, x, 0, 13, std::trunc(v / 6.25));
        brackets(p, left_down, side == 1, false);
    }
}

void draw_rudder(Page& p) {
    const double r = sim_var_object.get_simvar_786();
    if (!(r < -0.03 || r > 0.03)) return;
    const double w = std::trunc(r / 0.095427);
    for (int y : {-60, -39})
        fill(p, r > 0 ? 0 : w, y, std::abs(w), 18);
    brackets(p, {{0, -20, -10, -20}, {-10, -19, -10, -23}, {0, -60, -10, -60}, {-10, -62, -10, -58}}, r > 0,
             false);
}

void draw_slats(Page& p) {
    const double angles[2] = {sim_var_object.get_leading_edge_flaps_left_angle_deg(),
                              sim_var_object.get_leading_edge_flaps_right_angle_deg()};
    const int xs[2][4] = {{-28, -41, -54, -67}, {21, 34, 47, 60}};
    for (int side = 0; side < 2; ++side) {
        if (!(angles[side] > 0)) continue;
        const double h = std::trunc(angles[side] / 16.6667);
        for (int x : xs[side]) {
            p.g.draw_rectangle_i(p.green1, x, 54, 9, 6);
            fill(p, x, 54, 9, h);
        }
    }
}

void draw_gear(Page& p) {
    const auto block = [&](double position, std::initializer_list<std::array<int, 4>> boxes) {
        if (!(position > 0)) return;
        const gfx::SolidBrush brush(position > 16300 ? kGreen : kRed);
        for (const auto& b : boxes)
            p.g.fill_rectangle_i(brush, b[0], b[1], b[2], b[3]);
    };
    block(sim_var_object.get_simvar_332(), {{-4, 72, 8, 10}});
    block(sim_var_object.get_simvar_333(), {{-12, 88, 8, 12}, {-12, 106, 8, 12}});
    block(sim_var_object.get_simvar_334(), {{4, 88, 8, 12}, {4, 106, 8, 12}});
}

const char* flaps_word(double handle) {
    if (handle < 4681) return "UP";
    if (handle < 9362) return "1/2";
    if (handle < 14043) return "3/4";
    return "FULL";
}

} // namespace

void c17_mfd_draw_configuration(const DisplayObject& display, gfx::Graphics& graphics) {
    graphics.reset_transform();
    graphics.scale_transform(static_cast<float>(display.width) / 246.0f,
                             static_cast<float>(display.height) / 241.0f);
    graphics.translate_transform(static_cast<float>(c17_compass_centre.x),
                                 static_cast<float>(c17_compass_centre.y));
    Page p{graphics};
    const double handle = sim_var_object.get_simvar_328();
    draw_outline(p);
    draw_trims(p);
    draw_elevators(p);
    const double left = sim_var_object.get_simvar_326(), right = sim_var_object.get_simvar_327();
    draw_spoilers(p, left, right);
    draw_ailerons(p);
    draw_flaps(p);
    draw_rudder(p);
    draw_slats(p);

    // The speed-brake mode word sits in each raised spoiler part whose other
    // side is raised past 800 too.
    const char* mode = sim_var_object.get_simvar_60_int() != 0 ? "GND" : handle < 9362 ? "SPD BR" : "DLC";
    if (left > 800 && right > 800) text(p, mode, kCyan, -45, -35);
    if (right > 0 && left > 800) text(p, mode, kCyan, 20, -35);

    draw_gear(p);
    char buf[32];
    std::snprintf(buf, sizeof buf, "FLAPS %s", flaps_word(handle));
    text(p, buf, kWhite, -30, 32);
    text(p, "INDEX 100", kWhite, -20, 42);
    text(p, "SLATS", kWhite, -16, 52);
    text(p, "GEAR DOWN", kWhite, -26, 62);
}
