// PROLINE4_MFD page 0: the data band, the course lines, the full compass card
// about (123, 170) with the course pointer, two bearing pointers, the
// heading bug, the ground-track marker and the aircraft symbol.
#include "data/display_state.h"
#include "fms/fms_update.h"
#include "map/render_frame.h"
#include "nd/nd_text.h"
#include "nd/proline4_mfd_painters.h"
#include "platform/gfx.h"
#include "sim/aircraft_state.h"
#include "sim/sim_var_reader.h"

namespace {

using gfx::Point;
using namespace proline4;
using nd::format;
using nd::text;

struct Card {
    const DisplayObject& d;
    gfx::Graphics& g;
    // The centre of the card, turned clockwise by the given angle.
    void at(double degrees) {
        design_frame(d, g, 123.0, 170.0);
        if (degrees != 0.0) g.rotate_transform(static_cast<float>(degrees));
    }
};

struct Fonts {
    gfx::FontFamily arial{"Arial"}, hw{"HW Arial"}, courier{"Courier New"};
    gfx::Font a9{arial, 9.0f, gfx::FontStyle::Bold}, a12{arial, 12.0f, gfx::FontStyle::Bold},
        a13{arial, 13.0f, gfx::FontStyle::Bold}, hw13{hw, 13.0f, gfx::FontStyle::Bold},
        hw14{hw, 14.0f, gfx::FontStyle::Bold}, c12{courier, 12.0f, gfx::FontStyle::Bold};
};

void draw_data_band(gfx::Graphics& g, const Fonts& f) {
    const AircraftState& a = aircraft_state;
    text(g, "WX", f.a12, blue, 0, 0);
    text(g, "UTC", f.a9, blue, 0, 10);
    char utc[32];
    std::snprintf(utc, sizeof utc, "%2.0f:%02.0f", a.zulu_hours, a.zulu_minutes);
    text(g, utc, f.a9, white, 18, 10);
    text(g, "TAS", f.a9, green, 55, 10);
    text(g, format("%3.0f", a.true_airspeed_est_kt), f.a9, white, 82, 10);
    text(g, "GS", f.a9, green, 120, 10);
    text(g, format("%3.0f", a.ground_speed_kt), f.a9, white, 139, 10);
    text(g, "SAT", f.a9, green, 165, 10);
    text(g, format("%3.0f", a.air_temperature_c), f.a9, white, 180, 10);
    text(g, "TAT", f.a9, green, 205, 10);
    // The total air temperature, as the map pages show it.
    text(g, format("%3.0f", sim_var_object.get_simvar_350_x256()), f.a9, white, 220, 10);
}

void draw_fixed_marks(Card& c) {
    const gfx::SolidBrush white_fill(white);
    const gfx::Pen white2(white, 2.0f);
    for (int a = 45; a < 360; a += 90) {
        c.at(a);
        const Point mark[] = {{0, -102}, {-5, -107}, {5, -107}, {0, -102}};
        c.g.fill_polygon_i(white_fill, mark);
    }
    for (int a = 90; a < 360; a += 90) {
        c.at(a);
        c.g.draw_line_i(white2, 0, -102, 0, -114);
    }
}

void draw_compass_card(Card& c, const Fonts& f) {
    const gfx::Pen white1(white, 1.0f);
    const gfx::SolidBrush white_text(white);
    for (int a = 0; a < 360; a += 5) {
        c.at(a - aircraft_state.heading_deg);
        c.g.draw_line_i(white1, 0, -92, 0, -98);
        if (a % 10 == 0) c.g.draw_line_i(white1, 0, -88, 0, -98);
        if (a % 30 != 0) continue;
        const int label = a / 10;
        c.g.draw_string(std::to_string(label), f.hw14, white_text,
                        gfx::PointF{label >= 10 ? -8.0f : -5.0f, -86.0f});
    }
}

void draw_heading_box(const DisplayObject& d, gfx::Graphics& g, const Fonts& f) {
    design_frame(d, g);
    g.fill_rectangle_i(gfx::SolidBrush(background()), 107, 52, 32, 12);
    const Point outline[] = {{107, 54}, {107, 64}, {118, 64}, {123, 69}, {128, 64}, {139, 64}, {139, 54}};
    g.draw_lines_i(gfx::Pen(white, 2.0f), outline);
    text(g, format("%03.0f", aircraft_state.heading_deg), f.hw13, white, 109, 51);
}

void draw_course_pointer(Card& c) {
    const gfx::Pen white1(white, 1.0f), white2(white, 2.0f);
    double angle = 0.0;
    int d = 0;
    course_pointer(2.1166666666666667, &angle, &d);
    c.at(angle);
    c.g.draw_line_i(white2, 0, -100, 6, -86);
    c.g.draw_line_i(white2, 0, -100, -6, -86);
    c.g.draw_line_i(white2, -6, -86, 6, -86);
    c.g.draw_line_i(white2, 0, -40, 0, -86);
    c.g.draw_line_i(white2, 0, 40, 0, 86);
    c.g.draw_line_i(white2, d, 40, d, -40);
    for (int x : {-33, -63, 27, 57})
        c.g.draw_ellipse_i(white1, x, -3, 6, 6);
    bool to = true;
    if (!nav1_to_from(false, &to)) return;
    const Point to_mark[] = {{0, -48}, {6, -40}, {-6, -40}, {0, -48}};
    const Point from_mark[] = {{0, 48}, {6, 40}, {-6, 40}, {0, 48}};
    c.g.draw_lines_i(white2, to ? std::span<const Point>(to_mark) : std::span<const Point>(from_mark));
}

void draw_bearing_pointer_2(Card& c, const Fonts& f) {
    const int source = proline4_mfd_brg2_source;
    if (source == 0) return;
    const gfx::Pen blue1(blue, 1.0f), blue2(blue, 2.0f);
    c.at(0.0);
    text(c.g, pointer_label(source, false), f.a13, blue, -123, 95);
    c.g.draw_line_i(blue1, -80, 98, -80, 101);
    c.g.draw_line_i(blue1, -80, 101, -78, 104);
    c.g.draw_line_i(blue1, -80, 101, -82, 104);
    c.g.draw_line_i(blue1, -81, 103, -81, 108);
    c.g.draw_line_i(blue1, -79, 104, -79, 108);
    double angle = 0.0;
    if (!pointer_angle(source, false, &angle)) return;
    c.at(angle);
    // Head up; the tail's chevron points the same way, so the pointer
    // cannot be read the wrong way round.
    c.g.draw_line_i(blue2, 0, -70, 0, -90);
    c.g.draw_line_i(blue2, 0, -70, -8, -60);
    c.g.draw_line_i(blue2, 0, -70, 8, -60);
    c.g.draw_line_i(blue2, 0, 60, 0, 90);
    c.g.draw_line_i(blue2, 0, 60, -8, 70);
    c.g.draw_line_i(blue2, 0, 60, 8, 70);
    for (int end : {-1, 1}) {
        c.g.draw_line_i(blue2, -4, 64 * end, -4, 40 * end);
        c.g.draw_line_i(blue2, 4, 64 * end, 4, 40 * end);
    }
}

void draw_bearing_pointer_1(Card& c, const Fonts& f) {
    const int source = proline4_mfd_brg1_source;
    if (source == 0) return;
    const gfx::Pen magenta1(magenta, 1.0f), magenta2(magenta, 2.0f);
    c.at(0.0);
    text(c.g, pointer_label(source, true), f.a13, magenta, -123, 80);
    c.g.draw_line_i(magenta1, -80, 83, -80, 93);
    c.g.draw_line_i(magenta1, -80, 86, -78, 89);
    c.g.draw_line_i(magenta1, -80, 86, -82, 89);
    double angle = 0.0;
    if (!pointer_angle(source, true, &angle)) return;
    c.at(angle);
    c.g.draw_line_i(magenta2, 0, -40, 0, -90);
    c.g.draw_line_i(magenta2, 0, -70, -8, -60);
    c.g.draw_line_i(magenta2, 0, -70, 8, -60);
    c.g.draw_line_i(magenta2, 0, 40, 0, 90);
}

void draw_heading_bug(Card& c, const Fonts& f) {
    const AircraftState& a = aircraft_state;
    const bool changed = heading_bug_change_countdown > 0;
    if (changed) {
        design_frame(c.d, c.g);
        text(c.g, format("HDG %03.0f", a.heading_bug_deg), f.a9, magenta, 50, 50);
    }
    const gfx::Pen magenta2(magenta, 2.0f);
    c.at(a.heading_bug_deg - a.heading_deg);
    const Point bug[] = {{0, -100},  {10, -100},  {10, -105},  {5, -105}, {0, -100},
                         {-5, -105}, {-10, -105}, {-10, -100}, {0, -100}};
    for (std::size_t i = 0; i + 1 < std::size(bug); ++i)
        c.g.draw_line_i(magenta2, bug[i].x, bug[i].y, bug[i + 1].x, bug[i + 1].y);
    if (changed) {
        gfx::Pen dashed(magenta, 1.0f);
        dashed.dash_style = gfx::DashStyle::Dash;
        c.g.draw_line_i(dashed, 0, 0, 0, -100);
    }
}

} // namespace

void draw_proline4_mfd_nav_page(const DisplayObject& d, gfx::Graphics& g) {
    const Fonts f;
    Card c{d, g};
    design_frame(d, g);
    draw_data_band(g, f);
    draw_course_lines(g, f.a12, f.c12);
    draw_fixed_marks(c);
    draw_compass_card(c, f);
    draw_heading_box(d, g, f);
    draw_course_pointer(c);
    draw_bearing_pointer_2(c, f);
    draw_bearing_pointer_1(c, f);
    draw_heading_bug(c, f);
    const gfx::Pen white2(white, 2.0f);
    c.at(track_deg - aircraft_state.heading_deg);
    g.draw_ellipse_i(gfx::Pen(green, 2.0f), -3, -98, 6, 6);
    c.at(0.0);
    g.draw_line_i(white2, -10, 0, 10, 0);
    g.draw_line_i(white2, 0, -10, 0, 10);
    g.draw_line_i(white2, -5, 10, 5, 10);
    g.draw_line_i(white2, 0, 10, 0, 13);
}
