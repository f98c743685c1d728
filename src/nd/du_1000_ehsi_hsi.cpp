// The DU_1000_EHSI's mode 0: a heading-up full compass about (159, 155) with
// the NAV 1 course arrow, deviation bar and TO/FROM head, the NAV 1 and
// ADF 1 bearing pointers, heading bug, track diamond, glideslope scale and
// the fixed aircraft symbol. Radio values only.
#include "fms/fms_update.h"
#include "fms/math/heading_math.h"
#include "map/map_canvas.h"
#include "map/palette.h"
#include "nd/design_frame.h"
#include "nd/du_1000_ehsi_painters.h"
#include "platform/gfx.h"
#include "platform/text_file.h"
#include "sim/aircraft_state.h"
#include "sim/sim_var_reader.h"

#include <cstdio>

namespace {

namespace c = palette;
using gfx::Point;

void draw_card(DesignFrame& h, double heading) {
    const gfx::Pen white(c::white, 2.0f);
    const gfx::FontFamily family("Arial");
    const gfx::Font font(family, 15.0f, gfx::FontStyle::Bold, gfx::Unit::Pixel);
    const gfx::SolidBrush brush(c::white);
    h.at(0.0);
    h.g.draw_ellipse_i(white, -100, -100, 200, 200);
    for (int a = 0; a < 360; a += 10) {
        h.at(a - heading);
        if (a % 30 != 0) {
            h.g.draw_line_i(white, 0, -100, 0, -105);
            continue;
        }
        h.g.draw_line_i(white, 0, -100, 0, -110);
        // Turned back about the label's own point, so that it stands upright.
        h.g.translate_transform(0.0f, -123.0f);
        h.g.rotate_transform(static_cast<float>(heading - a));
        char text[8];
        std::snprintf(text, sizeof text, "%d", a / 10);
        h.g.draw_string(text, font, brush, gfx::PointF{a < 100 ? -6.0f : -9.0f, -8.0f});
    }
}

void draw_pointers(DesignFrame& h) {
    const AircraftState& a = aircraft_state;
    if (sim_var_object.get_nav1_signal() > 0.0) {
        const gfx::Pen magenta(c::magenta, 2.0f);
        h.at(a.nav1_relative_bearing_deg);
        h.lines(magenta, {{0, -100}, {0, -68}, {0, -78}, {-9, -68}, {0, -78}, {9, -68}, {0, 60}, {0, 100}});
    }
    if (a.adf1_signal > 1.0) {
        const gfx::Pen green(c::green, 2.0f);
        h.at(a.adf1_relative_bearing_deg + 360.0);
        h.lines(green, {{0, -100},
                        {0, -80},
                        {0, -80},
                        {-10, -70},
                        {-10, -70},
                        {-10, -60},
                        {0, -80},
                        {10, -70},
                        {10, -70},
                        {10, -60},
                        {0, 60},
                        {0, 100}});
    }
}

void draw_course(DesignFrame& h) {
    const AircraftState& a = aircraft_state;
    const gfx::Pen white(c::white, 2.0f), cyan(c::blue, 2.0f);
    h.at(a.nav1_course_deg - a.heading_deg);
    for (int x : {-42, -82, 38, 78})
        h.g.draw_ellipse_i(white, x, -2, 4, 4);
    h.lines(cyan, {{0, -30}, {0, -100}, {-10, -80}, {10, -80}, {0, 30}, {0, 100}});
    // Two dots either side: 127 is the outer dot at 80.
    const int d = saturate_to_int(a.snap_token_40 / 1.5875);
    h.g.draw_line_i(cyan, d, -30, d, 30);
    if (bearing_is_to(a.nav1_relative_bearing_deg + a.heading_deg, a.nav1_course_deg))
        h.lines(cyan, {{d - 5, -25}, {d, -30}, {d + 5, -25}, {d, -30}});
    else
        h.lines(cyan, {{d - 5, 25}, {d, 30}, {d + 5, 25}, {d, 30}});
}

} // namespace

void draw_du_1000_ehsi_hsi(const DisplayObject& d, gfx::Graphics& g) {
    const AircraftState& a = aircraft_state;
    DesignFrame h{d, g, du_1000_ehsi_design, 159.0, 155.0};
    draw_card(h, a.heading_deg);
    draw_pointers(h);
    draw_course(h);

    h.at(a.heading_bug_deg - a.heading_deg);
    g.draw_line_i(gfx::Pen(c::blue, 3.0f), 0, -100, 0, -126);

    const gfx::Pen pale(c::pale_yellow, 2.0f);
    h.at(0.0);
    const Point lubber[] = {{0, -100}, {6, -92}, {-6, -92}, {0, -100}};
    g.draw_lines_i(pale, lubber);

    if (sim_var_object.test_simvar_46_bit_64() != 0) {
        const gfx::Pen white(c::white, 2.0f);
        for (int y : {-80, -40, 40, 80})
            g.draw_ellipse_i(white, 143, y, 4, 4);
        g.draw_line_i(white, 140, 0, 150, 0);
        const int y = saturate_to_int(a.snap_token_41 / 1.5875);
        const Point diamond[] = {{145, y - 8}, {150, y}, {145, y + 8}, {140, y}, {145, y - 8}};
        g.draw_lines_i(gfx::Pen(c::magenta, 2.0f), diamond);
    }

    h.lines(pale, {{-10, 0}, {10, 0}, {0, -10}, {0, 10}, {-5, 10}, {5, 10}, {0, 10}, {0, 13}});

    h.at(track_deg - a.heading_deg);
    const Point diamond[] = {{0, -100}, {3, -105}, {0, -110}, {-3, -105}, {0, -100}};
    g.draw_lines_i(gfx::Pen(c::green, 2.0f), diamond);
}
