// PROLINE4_MFD page 3: the progress table over a heading-up map arc of
// radius 140 about (123, 220), with the range rings and labels, the heading
// scale, the map layer, the heading box, the wind arrow, the heading bug, the
// ground-track marker and the aircraft symbol.
#include "fms/fms_update.h"
#include "map/range_ladder.h"
#include "map/render_frame.h"
#include "nd/nd_text.h"
#include "nd/proline4_mfd_painters.h"
#include "platform/gfx.h"
#include "sim/aircraft_state.h"

#include <cmath>

namespace {

using gfx::Point;
using namespace proline4;
using nd::format;
using nd::text;

struct Map {
    const DisplayObject& d;
    gfx::Graphics& g;
    void at(double degrees) {
        design_frame(d, g, 123.0, 220.0);
        if (degrees != 0.0) g.rotate_transform(static_cast<float>(degrees));
    }
};

void draw_rings(Map& m, const gfx::Font& hw11, double ppn) {
    const gfx::Pen white2(white, 2.0f);
    const double range = proline4_mfd_range;
    m.at(0.0);
    m.g.draw_arc_i(white2, -140, -140, 280, 280, 360.0f, 360.0f);
    m.g.draw_arc_i(white2, -70, -70, 140, 140, 200.0f, 350.0f);
    text(m.g, format("%-3.0f", range), hw11, white, -125, -65);
    text(m.g, format(range == 5.0 ? "%3.1f" : "%3.0f", range * 0.5), hw11, white, -85, -25);
    const bool near_ring = range <= 20.0;
    const int y1 = static_cast<int>(-1.5 * ppn), y2 = static_cast<int>(-2.0 * ppn);
    for (int a = 0; a < 360; a += 30) {
        m.at(a);
        if (a < 150 || a > 210) m.g.draw_line_i(white2, 0, -68, 0, -72);
        if (near_ring) m.g.draw_line_i(white2, 0, y1, 0, y2);
    }
}

void draw_heading_scale(Map& m, const gfx::Font& hw11) {
    const gfx::Pen white2(white, 2.0f);
    const gfx::SolidBrush white_text(white);
    for (int a = 0; a < 360; a += 5) {
        const double r = a - aircraft_state.heading_deg;
        if (!near_heading(r, 60.0)) continue;
        m.at(r);
        if (a % 10 != 0) {
            m.g.draw_line_i(white2, 0, -140, 0, -144);
            continue;
        }
        m.g.draw_line_i(white2, 0, -140, 0, -148);
        if (a % 30 == 0)
            m.g.draw_string(std::to_string(a / 10), hw11, white_text,
                            gfx::PointF{a / 10 >= 10 ? -8.0f : -5.0f, -160.0f});
    }
}

void draw_heading_box(Map& m, const gfx::Font& hw13) {
    design_frame(m.d, m.g);
    m.g.fill_rectangle_i(gfx::SolidBrush(background()), 107, 62, 32, 12);
    const Point outline[] = {{107, 64}, {107, 74}, {118, 74}, {123, 79}, {128, 74}, {139, 74}, {139, 64}};
    m.g.draw_lines_i(gfx::Pen(white, 2.0f), outline);
    text(m.g, format("%03.0f", aircraft_state.heading_deg), hw13, white, 109, 61);
}

void draw_heading_bug(Map& m, const gfx::Font& a9) {
    const AircraftState& a = aircraft_state;
    const bool changed = heading_bug_change_countdown > 0;
    if (changed) {
        design_frame(m.d, m.g);
        text(m.g, format("HDG %03.0f", a.heading_bug_deg), a9, magenta, 46, 61);
    }
    const gfx::Pen magenta2(magenta, 2.0f);
    m.at(a.heading_bug_deg - a.heading_deg);
    const Point bug[] = {{0, -140},  {10, -140},  {10, -145},  {5, -145}, {0, -140},
                         {-5, -145}, {-10, -145}, {-10, -140}, {0, -140}};
    for (std::size_t i = 0; i + 1 < std::size(bug); ++i)
        m.g.draw_line_i(magenta2, bug[i].x, bug[i].y, bug[i + 1].x, bug[i + 1].y);
    if (changed) {
        gfx::Pen dashed(magenta, 1.0f);
        dashed.dash_style = gfx::DashStyle::Dash;
        m.g.draw_line_i(dashed, 0, 0, 0, -140);
    }
}

} // namespace

void draw_proline4_mfd_map_page(const DisplayObject& d, gfx::Graphics& g, int view_mode, double ppn) {
    const gfx::FontFamily arial("Arial"), hw("HW Arial");
    const gfx::Font a9(arial, 9.0f, gfx::FontStyle::Bold), hw11(hw, 11.0f, gfx::FontStyle::Bold),
        hw13(hw, 13.0f, gfx::FontStyle::Bold);
    Map m{d, g};
    draw_proline4_progress_table(d, g, proline4_map_table);
    draw_rings(m, hw11, ppn);
    draw_heading_scale(m, hw11);
    draw_proline4_mfd_map_layer(d, g, view_mode, ppn);
    draw_heading_box(m, hw13);
    draw_proline4_wind_arrow(d, g);
    draw_heading_bug(m, a9);
    m.at(track_deg - aircraft_state.heading_deg);
    g.draw_ellipse_i(gfx::Pen(green, 2.0f), -3, -145, 6, 6);
    m.at(0.0);
    const gfx::Pen white2(white, 2.0f);
    g.draw_line_i(white2, -10, 0, 10, 0);
    g.draw_line_i(white2, 0, -10, 0, 10);
    g.draw_line_i(white2, -5, 10, 5, 10);
    g.draw_line_i(white2, 0, 10, 0, 13);
}
