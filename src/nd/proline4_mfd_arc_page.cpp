// PROLINE4_MFD page 1: the heading-up arc about (123, 200) without a map:
// the top line, the course lines, two range arcs, the bearing pointers, the
// course arrow with its deviation bar and TO/FROM mark, the heading bug, the
// track mark and the aircraft symbol.
#include "data/display_state.h"
#include "fms/fms_update.h"
#include "map/range_ladder.h"
#include "map/render_frame.h"
#include "nd/nd_text.h"
#include "nd/proline4_mfd_painters.h"
#include "platform/gfx.h"
#include "sim/aircraft_state.h"

namespace {

using gfx::Point;
using namespace proline4;
using nd::format;
using nd::text;

struct Arc {
    const DisplayObject& d;
    gfx::Graphics& g;
    void at(double degrees) {
        design_frame(d, g, 123.0, 200.0);
        if (degrees != 0.0) g.rotate_transform(static_cast<float>(degrees));
    }
};

struct Fonts {
    gfx::FontFamily hw{"HW Arial"}, courier{"Courier New"};
    gfx::Font hw9{hw, 9.0f, gfx::FontStyle::Bold}, hw12{hw, 12.0f, gfx::FontStyle::Bold},
        hw13{hw, 13.0f, gfx::FontStyle::Bold}, c12{courier, 12.0f, gfx::FontStyle::Bold};
};

void draw_top_line(gfx::Graphics& g, const Fonts& f) {
    const AircraftState& a = aircraft_state;
    const double sat = a.air_temperature_c;
    const double tas = a.true_airspeed_est_kt;
    text(g, "WX", f.hw12, blue, 0, 0);
    text(g, "UTC", f.hw9, blue, 0, 10);
    char utc[32];
    std::snprintf(utc, sizeof utc, "%2.0f:%02.0f", a.zulu_hours, a.zulu_minutes);
    text(g, utc, f.hw9, white, 20, 10);
    text(g, "TAS", f.hw9, green, 55, 10);
    text(g, format("%3.0f", tas), f.hw9, white, 82, 10);
    text(g, "GS", f.hw9, green, 120, 10);
    text(g, format("%3.0f", a.ground_speed_kt), f.hw9, white, 139, 10);
    text(g, "SAT", f.hw9, green, 165, 10);
    text(g, format("%3.0f", sat), f.hw9, white, 180, 10);
    text(g, "TAT", f.hw9, green, 205, 10);
    // This page's own estimate: the ram rise of the true airspeed.
    text(g, format("%3.0f", tas > 0.0 ? sat + 0.97 + tas * tas / 7592.0 : sat), f.hw9, white, 220, 10);
}

void draw_range_arcs(Arc& c, const Fonts& f) {
    const gfx::Pen white2(white, 2.0f);
    const gfx::SolidBrush white_text(white);
    c.at(0.0);
    c.g.draw_arc_i(white2, -140, -140, 280, 280, 180.0f, 180.0f);
    c.g.draw_arc_i(white2, -70, -70, 140, 140, 200.0f, 350.0f);
    const double range = proline4_mfd_range;
    text(c.g, format("%-3.1f", range), f.hw12, white, -125, -65);
    text(c.g, format(range == 5.0 ? "%3.1f" : "%3.0f", range * 0.5), f.hw12, white, -85, -25);
    for (int a = 0; a < 360; a += 30) {
        c.at(a);
        c.g.draw_line_i(white2, 0, -67, 0, -73);
    }
    for (int i = 0; i < 360; i += 5) {
        const double r = i - aircraft_state.heading_deg;
        if (!near_heading(r, 60.0)) continue;
        c.at(r);
        if (i % 10 != 0) {
            c.g.draw_line_i(white2, 0, -140, 0, -144);
            continue;
        }
        c.g.draw_line_i(white2, 0, -140, 0, -148);
        if (i % 30 != 0) continue;
        c.g.draw_string(std::to_string(i / 10), f.hw12, white_text,
                        gfx::PointF{i / 10 >= 10 ? -8.0f : -5.0f, -160.0f});
    }
}

void draw_heading_box(const DisplayObject& d, gfx::Graphics& g, const Fonts& f) {
    design_frame(d, g);
    g.fill_rectangle_i(gfx::SolidBrush(background()), 107, 42, 32, 12);
    const Point outline[] = {{107, 44}, {107, 54}, {118, 54}, {123, 59}, {128, 54}, {139, 54}, {139, 44}};
    g.draw_lines_i(gfx::Pen(white, 2.0f), outline);
    text(g, format("%03.0f", aircraft_state.heading_deg), f.hw13, white, 109, 40);
}

void draw_pointer_2(Arc& c, const Fonts& f) {
    const int source = proline4_mfd_brg2_source;
    if (source == 0) return;
    const gfx::Pen blue1(blue, 1.0f), blue2(blue, 2.0f);
    c.at(0.0);
    text(c.g, pointer_label(source, false), f.hw13, blue, -123, 65);
    c.g.draw_line_i(blue1, -80, 68, -80, 71);
    c.g.draw_line_i(blue1, -80, 71, -78, 74);
    c.g.draw_line_i(blue1, -80, 71, -82, 74);
    c.g.draw_line_i(blue1, -81, 73, -81, 78);
    c.g.draw_line_i(blue1, -79, 74, -79, 78);
    double angle = 0.0;
    if (!pointer_angle(source, false, &angle)) return;
    c.at(angle);
    c.g.draw_line_i(blue2, 0, -110, 0, -139);
    c.g.draw_line_i(blue2, 0, -110, -8, -100);
    c.g.draw_line_i(blue2, 0, -110, 8, -100);
    c.g.draw_line_i(blue2, -4, -104, -4, -60);
    c.g.draw_line_i(blue2, 4, -104, 4, -60);
    c.g.draw_line_i(blue2, 0, 100, 0, 139);
    c.g.draw_line_i(blue2, 0, 100, -8, 110);
    c.g.draw_line_i(blue2, 0, 100, 8, 110);
    c.g.draw_line_i(blue2, -4, 104, -4, 60);
    c.g.draw_line_i(blue2, 4, 104, 4, 60);
}

void draw_pointer_1(Arc& c, const Fonts& f) {
    const int source = proline4_mfd_brg1_source;
    if (source == 0) return;
    const gfx::Pen magenta1(magenta, 1.0f), magenta2(magenta, 2.0f);
    c.at(0.0);
    text(c.g, pointer_label(source, true), f.hw13, magenta, -123, 50);
    c.g.draw_line_i(magenta1, -80, 53, -80, 63);
    c.g.draw_line_i(magenta1, -80, 56, -78, 59);
    c.g.draw_line_i(magenta1, -80, 56, -82, 59);
    double angle = 0.0;
    if (!pointer_angle(source, true, &angle)) return;
    c.at(angle);
    c.g.draw_line_i(magenta2, 0, -60, 0, -139);
    c.g.draw_line_i(magenta2, 0, -110, -8, -100);
    c.g.draw_line_i(magenta2, 0, -110, 8, -100);
    c.g.draw_line_i(magenta2, 0, 60, 0, 139);
}

void draw_course_arrow(Arc& c) {
    const gfx::Pen white1(white, 1.0f), white2(white, 2.0f);
    double angle = 0.0;
    int d = 0;
    course_pointer(2.54, &angle, &d);
    c.at(angle);
    c.g.draw_line_i(white2, 0, -140, 6, -126);
    c.g.draw_line_i(white2, 0, -140, -6, -126);
    c.g.draw_line_i(white2, -6, -126, 6, -126);
    c.g.draw_line_i(white2, 0, -60, 0, -126);
    c.g.draw_line_i(white2, 0, 60, 0, 140);
    c.g.draw_line_i(white2, d, 60, d, -60);
    for (int x : {-53, -28, 22, 47})
        c.g.draw_ellipse_i(white1, x, -3, 6, 6);
    bool to = true;
    if (!nav1_to_from(true, &to)) return;
    const Point to_mark[] = {{0, -58}, {6, -50}, {-6, -50}, {0, -58}};
    const Point from_mark[] = {{0, 58}, {6, 50}, {-6, 50}, {0, 58}};
    c.g.draw_lines_i(white2, to ? std::span<const Point>(to_mark) : std::span<const Point>(from_mark));
}

void draw_heading_bug(Arc& c, const Fonts& f) {
    const AircraftState& a = aircraft_state;
    const bool changed = heading_bug_change_countdown > 0;
    if (changed) {
        design_frame(c.d, c.g);
        text(c.g, format("HDG %03.0f", a.heading_bug_deg), f.hw9, magenta, 60, 40);
    }
    const gfx::Pen magenta2(magenta, 2.0f);
    c.at(a.heading_bug_deg - a.heading_deg);
    const Point bug[] = {{0, -140},  {10, -140},  {10, -145},  {5, -145}, {0, -140},
                         {-5, -145}, {-10, -145}, {-10, -140}, {0, -140}};
    c.g.draw_lines_i(magenta2, bug);
    if (changed) {
        gfx::Pen dashed(magenta, 1.0f);
        dashed.dash_style = gfx::DashStyle::Dash;
        c.g.draw_line_i(dashed, 0, 0, 0, -140);
    }
}

} // namespace

void draw_proline4_mfd_mode1(const DisplayObject& d, gfx::Graphics& g) {
    const Fonts f;
    Arc c{d, g};
    design_frame(d, g);
    draw_top_line(g, f);
    draw_course_lines(g, f.hw12, f.c12);
    draw_range_arcs(c, f);
    draw_heading_box(d, g, f);
    draw_pointer_2(c, f);
    draw_pointer_1(c, f);
    draw_course_arrow(c);
    draw_heading_bug(c, f);
    const gfx::Pen white2(white, 2.0f);
    c.at(track_deg - aircraft_state.heading_deg);
    g.draw_ellipse_i(gfx::Pen(green, 2.0f), -3, -145, 6, 6);
    c.at(0.0);
    g.draw_line_i(white2, -10, 0, 10, 0);
    g.draw_line_i(white2, 0, -10, 0, 10);
    g.draw_line_i(white2, -5, 10, 5, 10);
    g.draw_line_i(white2, 0, 10, 0, 13);
}
