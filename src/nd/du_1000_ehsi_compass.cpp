// The DU_1000_EHSI's arc of the compass card in modes 1 and 3, about
// (159, 272) at radius 234: range arcs, card, heading bug with its readout,
// lubber and track marks, the level-off arc of the map mode and, in the arc
// mode, the NAV 1 source, frequency, course arrow and glideslope scale.
#include "data/display_settings.h"
#include "fms/fms_update.h"
#include "fms/math/heading_math.h"
#include "map/map_canvas.h"
#include "map/map_overlays.h"
#include "map/palette.h"
#include "nd/design_frame.h"
#include "nd/du_1000_ehsi_painters.h"
#include "platform/gfx.h"
#include "platform/text_file.h"
#include "sim/aircraft_state.h"
#include "sim/sim_var_reader.h"

#include <cmath>
#include <cstdio>

namespace {

namespace c = palette;
using gfx::Point;

// A card mark is drawn within 55 degrees of the heading.
bool near_heading(double d) {
    return (d > -55.0 && d < 55.0) || (d > 305.0 && d < 360.0) || (d > -360.0 && d < -305.0);
}

void draw_card(DesignFrame& arc, const gfx::Font& font15) {
    const AircraftState& a = aircraft_state;
    const gfx::Pen white(c::white, 2.0f);
    const gfx::SolidBrush brush(c::white);
    for (int i = 0; i < 360; i += 5) {
        const double d = i - a.heading_deg;
        if (!near_heading(d)) continue;
        arc.at(d);
        if (i % 10 != 0) {
            arc.g.draw_line_i(white, 0, -234, 0, -238);
            continue;
        }
        arc.g.draw_line_i(white, 0, -234, 0, -242);
        char text[8];
        std::snprintf(text, sizeof text, "%d", i / 10);
        arc.g.draw_string(text, font15, brush, gfx::PointF{i < 100 ? -6.0f : -10.0f, -258.0f});
    }
}

// Where the selected altitude is reached at this vertical speed and ground
// speed, ahead of the aircraft while descending.
void draw_level_off_arc(DesignFrame& arc, double ppn) {
    const AircraftState& a = aircraft_state;
    if (!level_off_arc_wanted() || !(ppn > 0.0)) return;
    const double d = (a.indicated_altitude_ft - a.ap_altitude_lock_ft) / a.vertical_speed_fpm *
                     a.ground_speed_kt / 60.0 * ppn;
    arc.g.draw_arc_i(gfx::Pen(c::green, 2.0f), -78, saturate_to_int(d), 156, 156, 220.0f, 100.0f);
}

void draw_radio_course(DesignFrame& arc, const gfx::Font& font15) {
    const AircraftState& a = aircraft_state;
    const gfx::FontFamily family("HW Arial");
    const gfx::Font font12(family, 12.0f, gfx::FontStyle::Bold, gfx::Unit::Pixel);
    const gfx::SolidBrush cyan(c::blue), white_brush(c::white);
    const gfx::Pen white(c::white, 2.0f), cyan_pen(c::blue, 2.0f);
    arc.at(0.0);
    const std::string source = du_1000_ehsi_nav_source();
    if (!source.empty()) {
        arc.g.draw_string(source, font15, cyan, gfx::PointF{-10.0f, -195.0f});
        if (source == "ILS") arc.g.draw_string("G/S", font12, white_brush, gfx::PointF{125.0f, -155.0f});
    }
    char text[32];
    std::snprintf(text, sizeof text, "%3.2f", sim_var_object.get_simvar_24_bcd_mhz());
    arc.g.draw_string(text, font15, cyan, gfx::PointF{-20.0f, -180.0f});

    if (sim_var_object.get_nav1_signal() > 0.0 && sim_var_object.test_simvar_46_bit_64() != 0) {
        for (int y : {-130, -110, -70, -50})
            arc.g.draw_ellipse_i(white, 130, y, 4, 4);
        arc.g.draw_line_i(white, 130, -90, 140, -90);
        const int y = saturate_to_int(a.snap_token_41 / 2.8222222222222224 - 90.0);
        const Point diamond[] = {{132, y - 5}, {137, y}, {132, y + 5}, {127, y}, {132, y - 5}};
        arc.g.draw_lines_i(gfx::Pen(c::magenta, 2.0f), diamond);
    }

    arc.at(a.nav1_course_deg - a.heading_deg);
    for (int x : {-62, -32, 28, 58})
        arc.g.draw_ellipse_i(white, x, -2, 4, 4);
    arc.g.draw_line_i(cyan_pen, 0, -200, 0, -235);
    arc.g.draw_line_i(cyan_pen, 0, -30, 0, -77);
    arc.g.draw_line_i(cyan_pen, -10, -50, 10, -50);
    const int d = saturate_to_int(a.snap_token_40 / 1.5875);
    arc.g.draw_line_i(cyan_pen, d, -30, d, 30);
}

} // namespace

void draw_du_1000_ehsi_compass(const DisplayObject& d, gfx::Graphics& g, double ppn) {
    const AircraftState& a = aircraft_state;
    const int mode = du_1000_ehsi_mode;
    DesignFrame arc{d, g, du_1000_ehsi_design, 159.0, 272.0};
    const gfx::FontFamily family("HW Arial");
    const gfx::Font font15(family, 15.0f, gfx::FontStyle::Bold, gfx::Unit::Pixel);
    const gfx::Pen white(c::white, 2.0f), pale(c::pale_yellow, 2.0f);

    arc.at(0.0);
    g.draw_line_i(pale, -10, 0, 10, 0);
    g.draw_line_i(pale, 0, -10, 0, 10);
    g.draw_line_i(pale, -5, 10, 5, 10);
    g.draw_line_i(pale, 0, 10, 0, 13);
    g.draw_ellipse_i(white, -234, -234, 468, 468);
    g.draw_arc_i(white, -156, -156, 312, 312, 220.0f, 100.0f);
    g.draw_arc_i(white, -78, -78, 156, 156, 215.0f, 110.0f);

    draw_card(arc, font15);

    arc.at(0.0);
    gfx::GraphicsPath clip;
    clip.add_ellipse_i(-234, -234, 468, 468);
    g.set_clip_path(clip);
    if (mode == kEhsiModeMap) draw_level_off_arc(arc, ppn);
    g.reset_clip();

    if (mode == kEhsiModeArc) draw_radio_course(arc, font15);

    if (mode == kEhsiModeArc || mode == kEhsiModeMap) {
        const double off = fold_degrees_180(a.heading_bug_deg - a.heading_deg);
        // Beyond 41 degrees the bug's value stands at the end of the card.
        if (std::fabs(off) > 41.0) {
            arc.at(off < 0.0 ? -40.0 : 40.0);
            char text[16];
            std::snprintf(text, sizeof text, "%03.0f", a.heading_bug_deg);
            g.draw_string(text, font15, gfx::SolidBrush(c::blue), gfx::PointF{-10.0f, -230.0f});
        }
    }

    arc.at(a.heading_bug_deg - a.heading_deg);
    g.draw_line_i(gfx::Pen(c::blue, 3.0f), 0, -234, 0, -260);

    arc.at(0.0);
    const Point lubber[] = {{0, -233}, {8, -223}, {-8, -223}, {0, -233}};
    g.draw_lines_i(pale, lubber);

    arc.at(track_deg - a.heading_deg);
    const Point diamond[] = {{0, -234}, {3, -239}, {0, -244}, {-3, -239}, {0, -234}};
    g.draw_lines_i(gfx::Pen(c::green, 2.0f), diamond);
}
