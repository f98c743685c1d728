// The MD80_EHSI_NB render pass and its format 0, the compass rose: the
// shared render frame, the compass centre of the format, its painter, and
// the design scale again for what follows.
#include "data/display_geometry.h"
#include "data/display_settings.h"
#include "data/display_state.h"
#include "fms/math/heading_math.h"
#include "map/map_canvas.h"
#include "map/map_projection.h"
#include "map/palette.h"
#include "map/range_ladder.h"
#include "nd/heading_box.h"
#include "nd/md80_ehsi_frame.h"
#include "nd/md80_ehsi_painters.h"
#include "nd/nd_render_passes.h"
#include "nd/nd_text.h"
#include "platform/gfx.h"
#include "platform/text_file.h"
#include "sim/aircraft_state.h"
#include "sim/sim_var_reader.h"

#include <cstdio>

namespace {

namespace c = palette;
using gfx::Point;
using nd::format;
using nd::text;

void paint(gfx::Graphics& g, PixelSize size, int view_mode) {
    const DisplayObject& d = md80_ehsi_display;
    const double s = units_per_nm(md80_ehsi_compass_radius, md80_ehsi_range);
    switch (md80_ehsi_mode) {
    case kEhsiModeCompass:
        md80_compass_centre_x = 133;
        md80_compass_centre_y = 116;
        draw_md80_ehsi_mode0(d, g);
        break;
    case kEhsiModeArc:
        md80_compass_centre_x = 133;
        md80_compass_centre_y = 204;
        draw_md80_ehsi_mode1(d, g);
        break;
    case kEhsiModePlan:
    case kEhsiModeMap:
        md80_compass_centre_x = 133;
        md80_compass_centre_y = 204;
        draw_md80_ehsi_map(d, g, view_mode, s);
        break;
    default:
        break; // only the background
    }
    // The painters may leave their own transform: back to the design scale.
    g.reset_clip();
    g.reset_transform();
    g.scale_transform(static_cast<float>(size.width) / 266.0f, static_cast<float>(size.height) / 232.0f);
}

struct Fonts {
    gfx::FontFamily family{"Arial"};
    gfx::Font f10{family, 10.0f, gfx::FontStyle::Bold, gfx::Unit::Pixel};
    gfx::Font f12{family, 12.0f, gfx::FontStyle::Bold, gfx::Unit::Pixel};
    gfx::Font f13{family, 13.0f, gfx::FontStyle::Bold, gfx::Unit::Pixel};
    gfx::Font f15{family, 15.0f, gfx::FontStyle::Bold, gfx::Unit::Pixel};
};

void draw_readouts(Md80Frame& r, const Fonts& f) {
    const AircraftState& a = aircraft_state;
    r.canvas();
    if (a.nav1_dme_nm > 0.0) {
        text(r.g, format("%-3.1f", a.nav1_dme_nm), f.f13, c::white, 0, 0);
        text(r.g, "DME1", f.f13, c::white, 0, 15);
    }
    if (a.nav2_dme_nm > 0.0) {
        text(r.g, format("%3.1f", a.nav2_dme_nm), f.f13, c::white, 225, 0);
        text(r.g, "DME2", f.f13, c::white, 225, 15);
    }
    const gfx::Pen white(c::white, 2.0f);
    if (sim_var_object.test_simvar_46_bit_64() != 0) {
        for (int y : {78, 95, 131, 146})
            r.g.draw_ellipse_i(white, 250, y, 5, 5);
        const int y = saturate_to_int(a.snap_token_41 / 3.735294117647059 + 114.0);
        r.g.draw_rectangle_i(gfx::Pen(c::magenta, 2.0f), 250, y - 2, 10, 5);
        r.g.draw_line_i(white, 248, 114, 260, 114);
    }
    draw_md80_ehsi_adf_label(r, f.f13);
    draw_md80_ehsi_nav_source(r, f.f13);
    if (a.wind_speed_kt >= 1.0) {
        text(r.g, format("%2.0f", a.wind_speed_kt), f.f10, c::white, 10, 150);
        set_design_frame(r.g, r.d, md80_ehsi_design, 10.0, 140.0);
        draw_md80_ehsi_wind_arrow(r);
    }
}

void draw_card(Md80Frame& r, const Fonts& f) {
    const AircraftState& a = aircraft_state;
    const gfx::Pen white(c::white, 2.0f);
    r.at(a.heading_bug_deg - a.heading_deg);
    const Point bug[] = {{0, -84},   {6, -90},   {12, -90}, {12, -80},
                         {-12, -80}, {-12, -90}, {-6, -90}, {0, -84}};
    r.g.fill_polygon_i(gfx::SolidBrush(c::green), bug);
    r.at(0.0);
    const Point index[] = {{0, -90}, {5, -83}, {0, -76}, {-5, -83}, {0, -90}};
    r.g.draw_polygon_i(gfx::Pen(c::magenta, 2.0f), index);
    for (int deg = 0; deg < 360; deg += 5) {
        r.at(deg - a.heading_deg);
        if (deg % 10 != 0) {
            r.g.draw_line_i(white, 0, -75, 0, -80);
            continue;
        }
        r.g.draw_line_i(white, 0, -70, 0, -80);
        if (deg % 30 != 0) continue;
        const char* cardinal = deg == 0     ? "N"
                               : deg == 90  ? "E"
                               : deg == 180 ? "S"
                               : deg == 270 ? "W"
                                            : nullptr;
        text(r.g, cardinal ? std::string(cardinal) : format("%.0f", deg / 10.0), f.f12, c::white,
             deg == 270 ? -7 : -8, -65);
    }
    for (int b = 0; b < 360; b += 45) {
        r.at(b);
        r.g.draw_line_i(white, 0, -82, 0, -91);
    }
}

void draw_pointers(Md80Frame& r) {
    const AircraftState& a = aircraft_state;
    if (md80_ehsi_adf_shown()) {
        r.at(a.adf1_relative_bearing_deg + 360.0);
        r.lines(gfx::Pen(c::blue, 2.0f),
                {{0, -70}, {0, -50}, {0, -50}, {-6, -40}, {0, -50}, {6, -40}, {-6, -40},
                 {6, -40}, {0, -40}, {0, -30}, {0, 70},   {0, 50},  {0, 40},  {-6, 50},
                 {0, 40},  {6, 50},  {-6, 50}, {6, 50},   {0, 20},  {0, 40}});
    }
    const gfx::Pen white(c::white, 2.0f), magenta(c::magenta, 2.0f);
    const gfx::SolidBrush magenta_fill(c::magenta);
    r.at(a.nav1_course_deg - a.heading_deg);
    for (int x : {-22, -42, 18, 38})
        r.g.draw_ellipse_i(white, x, -2, 4, 4);
    const Point head[] = {{0, -50}, {6, -38}, {-6, -38}, {0, -50}};
    r.g.fill_polygon_i(magenta_fill, head);
    r.g.draw_line_i(magenta, 0, -20, 0, -70);
    if (sim_var_object.get_nav1_signal() > 0.0) {
        const int x = saturate_to_int(a.snap_token_40 / 3.175);
        r.g.draw_line_i(magenta, x, -20, x, 20);
        const gfx::SolidBrush white_fill(c::white);
        // TO while the station lies within 90 degrees of the course, either side of north.
        if (bearing_is_to(a.nav1_relative_bearing_deg + a.heading_deg, a.nav1_course_deg)) {
            const Point to[] = {{x, -32}, {x + 6, -20}, {x - 6, -20}};
            r.g.fill_polygon_i(white_fill, to);
        } else {
            const Point from[] = {{x, 32}, {x + 6, 20}, {x - 6, 20}};
            r.g.fill_polygon_i(white_fill, from);
        }
    }
    r.g.draw_line_i(magenta, 0, 20, 0, 70);
}

} // namespace

std::string md80_ehsi_half_range_text(double range) {
    return format(range > 5.0 ? "%3.0f" : "%3.1f", 0.5 * range);
}

bool md80_ehsi_mark_shown(double d) {
    return (d > 295.0 && d < 360.0) || (d > -360.0 && d < -295.0) || (d > -65.0 && d <= 0.0) ||
           (d >= 0.0 && d < 65.0);
}

void draw_md80_ehsi_mode0(const DisplayObject& d, gfx::Graphics& g) {
    const AircraftState& a = aircraft_state;
    // Only the aircraft symbol uses the compass centre itself.
    Md80Frame r{d, g, true};
    const Fonts f;
    draw_readouts(r, f);
    draw_card(r, f);
    draw_pointers(r);

    r.canvas();
    const int cx = md80_compass_centre_x;
    draw_heading_box(g, f.f15, 2.0f, cx, cx - 15, a.heading_deg);
    set_design_frame(g, d, md80_ehsi_design, md80_compass_centre_x, md80_compass_centre_y);
    r.lines(gfx::Pen(c::white, 2.0f), {{0, -10}, {0, 10}, {-10, 0}, {10, 0}, {-5, 10}, {5, 10}});
}

void render_md80_ehsi(void* device_context, PixelSize size, int32_t view_mode) {
    RenderFrameOptions o;
    o.design_width = 266.0f;
    o.design_height = 232.0f;
    o.background = background_argb(md80_ehsi_background_rgb);
    o.pre_clear = true;
    run_render_frame(md80_ehsi_display, device_context, size, view_mode, aircraft_state.display_power, o,
                     [size, view_mode](gfx::Graphics& g) { paint(g, size, view_mode); });
}
