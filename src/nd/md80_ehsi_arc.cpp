// The MD80_EHSI's format 1: a 96-degree heading arc about the compass
// centre with the half-range ring, the NAV 1 course pointer and deviation
// bar, TO/FROM, DME, glideslope and ADF 1 indications, the heading bug, the
// track marker and the wind; no map.
#include "data/display_geometry.h"
#include "data/display_state.h"
#include "fms/fms_update.h"
#include "fms/math/heading_math.h"
#include "map/map_canvas.h"
#include "map/palette.h"
#include "map/range_ladder.h"
#include "nd/md80_ehsi_frame.h"
#include "nd/md80_ehsi_painters.h"
#include "nd/nd_text.h"
#include "platform/gfx.h"
#include "platform/text_file.h"
#include "sim/aircraft_state.h"
#include "sim/sim_var_reader.h"

namespace {

namespace c = palette;
using gfx::Point;
using nd::format;
using nd::text;

// The label's left edge by the heading it stands for.
int label_x(int heading) {
    if (heading == 180) return -12;
    if (heading == 210) return -14;
    return -13;
}

void draw_card(Md80Frame& arc, const Md80ArcFonts& f) {
    const AircraftState& a = aircraft_state;
    const gfx::Pen white(c::white, 2.0f);
    for (int h = 0; h < 360; h += 5) {
        const double d = h - a.heading_deg;
        if (!md80_ehsi_mark_shown(d)) continue;
        arc.at(d);
        if (h % 10 != 0) {
            arc.g.draw_line_i(white, 0, -180, 0, -188);
            continue;
        }
        arc.g.draw_line_i(white, 0, -180, 0, -196);
        if (h % 30 == 0) text(arc.g, format("%02.0f", h / 10), f.f18, c::white, label_x(h), -198);
    }
}

void draw_course(Md80Frame& arc, const Md80ArcFonts& f) {
    const AircraftState& a = aircraft_state;
    const gfx::Pen white(c::white, 2.0f), magenta(c::magenta, 2.0f);
    const bool signal = sim_var_object.get_nav1_signal() > 0.0;
    arc.at(a.nav1_course_deg - a.heading_deg);
    for (int x : {-22, -42, 18, 38})
        arc.g.draw_ellipse_i(white, x, -2, 4, 4);
    arc.g.draw_line_i(magenta, 0, -70, 0, -110);
    arc.g.draw_line_i(magenta, 0, 70, 0, 110);
    if (!signal) return;
    const int x = saturate_to_int(a.snap_token_40 / 3.175);
    arc.g.draw_line_i(magenta, x, -70, x, 70);
    arc.at(0.0);
    // Exactly 90 degrees off the course reads FROM.
    const bool to = bearing_is_to(a.nav1_relative_bearing_deg + a.heading_deg, a.nav1_course_deg);
    text(arc.g, to ? "TO" : "FROM", f.f13, c::white, 80, -120);
    text(arc.g, "VOR", f.f13, c::white, to ? 80 : 90, -106);
}

void draw_readouts(Md80Frame& arc, const Md80ArcFonts& f) {
    const AircraftState& a = aircraft_state;
    arc.at(0.0);
    if (a.nav1_dme_nm > 0.0) {
        text(arc.g, format("%-3.1f", a.nav1_dme_nm), f.f13, c::white, -133, -200);
        text(arc.g, "DME1", f.f13, c::white, -133, -187);
    }
    if (a.nav2_dme_nm > 0.0) {
        text(arc.g, format("%3.1f", a.nav2_dme_nm), f.f13, c::white, 90, -200);
        text(arc.g, "DME2", f.f13, c::white, 90, -187);
    }
    arc.canvas();
    draw_md80_ehsi_adf_label(arc, f.f13);
    const gfx::Pen white(c::white, 2.0f);
    if (sim_var_object.test_simvar_46_bit_64() != 0) {
        for (int y : {84, 101, 137, 152})
            arc.g.draw_ellipse_i(white, 250, y, 5, 5);
        arc.g.draw_line_i(white, 248, 120, 260, 120);
        const int y = saturate_to_int(a.snap_token_41 / 3.735294117647059 + 120.0) - 2;
        arc.g.draw_rectangle_i(gfx::Pen(c::magenta, 2.0f), 250, y, 10, 5);
    }
    draw_md80_ehsi_nav_source(arc, f.f13);
    if (a.wind_speed_kt >= 1.0) {
        text(arc.g, format("%2.0f", a.wind_speed_kt), f.f10, c::white, 10, 150);
        set_design_frame(arc.g, arc.d, md80_ehsi_design, 10.0, 140.0);
        draw_md80_ehsi_wind_arrow(arc);
    }
}

} // namespace

void draw_md80_ehsi_mode1(const DisplayObject& d, gfx::Graphics& g) {
    const AircraftState& a = aircraft_state;
    Md80Frame arc{d, g};
    const Md80ArcFonts f;
    const gfx::Pen white(c::white, 2.0f);

    arc.at(0.0);
    text(g, md80_ehsi_half_range_text(md80_ehsi_range), f.f13, c::white, -85, -54);
    g.draw_arc_i(white, -180, -180, 360, 360, 222.0f, 96.0f);
    g.draw_arc_i(white, -90, -90, 180, 180, 219.0f, 25.0f);
    g.draw_arc_i(white, -90, -90, 180, 180, 248.0f, 50.0f);
    g.draw_arc_i(white, -90, -90, 180, 180, 301.0f, 19.0f);
    g.draw_line_i(white, 0, -94, 0, -86);
    arc.lines(white, {{0, -180}, {-5, -172}, {0, -180}, {5, -172}, {-5, -172}, {5, -172}});
    draw_card(arc, f);

    if (md80_ehsi_adf_shown()) {
        arc.at(a.adf1_relative_bearing_deg);
        arc.lines(gfx::Pen(c::blue, 2.0f), {{0, -90},
                                            {0, -120},
                                            {-5, -120},
                                            {5, -120},
                                            {-5, -120},
                                            {0, -115},
                                            {5, -120},
                                            {0, -115},
                                            {0, -120},
                                            {0, -160},
                                            {-5, -160},
                                            {5, -160},
                                            {-5, -160},
                                            {0, -155},
                                            {5, -160},
                                            {0, -155},
                                            {0, -160},
                                            {0, -180}});
    }
    draw_course(arc, f);
    draw_readouts(arc, f);

    gfx::Pen dashed(c::green, 2.0f);
    dashed.dash_style = gfx::DashStyle::Dash;
    arc.at(a.heading_bug_deg - a.heading_deg);
    g.draw_line_i(dashed, 0, 0, 0, -184);
    const Point bug[] = {{0, -184},   {6, -190},   {12, -190}, {12, -180},
                         {-12, -180}, {-12, -190}, {-6, -190}, {0, -184}};
    g.fill_polygon_i(gfx::SolidBrush(c::green), bug);

    arc.at(track_deg - a.heading_deg);
    const Point diamond[] = {{0, -194}, {5, -187}, {0, -180}, {-5, -187}, {0, -194}};
    g.draw_lines_i(gfx::Pen(c::magenta, 2.0f), diamond);

    arc.at(0.0);
    arc.lines(white, {{0, -10}, {0, 10}, {-10, 0}, {10, 0}, {-5, 10}, {5, 10}});
}
