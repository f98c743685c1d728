// The EFS50_EHSI compass formats: 1 the full-compass HSI, 2 and 3 the
// full-compass maps. The rose, heading bug, vertical deviation scale, heading
// box and aircraft are common to all three.
#include "data/display_settings.h"
#include "data/display_state.h"
#include "data/module_settings.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/guidance/route_progress.h"
#include "fms/math/nav_math.h"
#include "fms/perf/vnav_phase.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/vertical_state.h"
#include "fms/procedures/airport_selection.h"
#include "map/map_canvas.h"
#include "map/map_overlays.h"
#include "map/map_projection.h"
#include "map/palette.h"
#include "map/range_ladder.h"
#include "map/render_frame.h"
#include "map/symbol_painter.h"
#include "nd/efs50_ehsi_painters.h"
#include "platform/gfx.h"
#include "sim/aircraft_state.h"
#include "sim/sim_var_reader.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

namespace c = palette;
using gfx::Point;

struct Rose {
    const DisplayObject& d;
    gfx::Graphics& g;
    void at(double degrees) {
        set_design_frame(g, d, efs50_ehsi_design, 129.0f, 114.0f);
        if (degrees != 0.0) g.rotate_transform(static_cast<float>(degrees));
    }
    void clip_to_rose() {
        set_design_frame(g, d, efs50_ehsi_design, 0.0f, 0.0f);
        gfx::GraphicsPath clip;
        clip.add_ellipse_i(29, 14, 200, 200);
        g.set_clip_path(clip);
    }
};

bool route_active() {
    return to_waypoint_index != kNoToWaypoint;
}

void draw_rose(Rose& r, bool hsi) {
    const gfx::FontFamily family("HW Arial");
    const gfx::Font font(family, 13.0f, gfx::FontStyle::Bold, gfx::Unit::Pixel);
    const gfx::SolidBrush white(c::white);
    const gfx::Pen white2(c::white, 2.0f);
    for (int a = 0; a < 360; a += 5) {
        r.at(a - aircraft_state.heading_deg);
        const int inner = (a % 10 == 0 ? 85 : 90) + (hsi ? 0 : 5);
        r.g.draw_line_i(white2, 0, -inner, 0, -100);
        if (a % 30 != 0) continue;
        char text[8];
        const char* cardinal = a == 0 ? "N" : a == 90 ? "E" : a == 180 ? "S" : a == 270 ? "W" : nullptr;
        if (cardinal == nullptr) std::snprintf(text, sizeof text, "%d", a / 10);
        r.g.draw_string(cardinal ? cardinal : text, font, white,
                        gfx::PointF{a == 270 ? -7.0f : -8.0f, hsi ? -80.0f : -90.0f});
    }
    for (int a = 45; a < 360; a += 45) {
        r.at(a);
        r.g.draw_line_i(white2, 0, -102, 0, -111);
    }
    r.at(aircraft_state.heading_bug_deg - aircraft_state.heading_deg);
    const Point bug[] = {{0, -102},   {6, -109},   {12, -109}, {12, -102},
                         {-12, -102}, {-12, -109}, {-6, -109}, {0, -102}};
    r.g.fill_polygon_i(gfx::SolidBrush(c::amber), bug);
}

// The glideslope (radio) or descent-path (FMS) scale right of the rose.
void draw_vertical_scale(Rose& r) {
    const AircraftState& s = aircraft_state;
    const bool glideslope_tuned = sim_var_object.test_simvar_46_bit_64() != 0;
    int y = 0;
    const char* letters = nullptr;
    gfx::Argb mask = c::black;
    if (glideslope_tuned) {
        if (!(sim_var_object.get_simvar_852() > 0.0) || efs50_nav_source != kEfs50NavSourceVor) return;
        mask = background_argb(efs50_ehsi_background_rgb);
        y = static_cast<int>(s.snap_token_41 * 0.44881889763779526 - 10.0);
        letters = "GS";
    } else {
        if (!(distance_to_destination > 4.0) || efs50_nav_source != kEfs50NavSourceFms ||
            vnav_phase != VnavPhase::Descent || !route_active())
            return;
        y = static_cast<int>(
            std::clamp(s.indicated_altitude_ft - descent_path_altitude, -1000.0, 1000.0) * 0.057 - 10.0);
        letters = "VN";
    }
    r.at(0.0);
    r.g.fill_rectangle_i(gfx::SolidBrush(mask), 89, -61, 40, 122);
    const gfx::Pen white2(c::white, 2.0f);
    r.g.draw_line_i(white2, 90, -60, 100, -60);
    r.g.draw_line_i(white2, 90, -60, 90, 60);
    r.g.draw_line_i(white2, 90, 60, 100, 60);
    r.g.draw_ellipse_i(white2, 95, -56, 7, 7);
    r.g.draw_ellipse_i(white2, 96, -28, 5, 5);
    r.g.draw_ellipse_i(white2, 96, 25, 5, 5);
    r.g.draw_ellipse_i(white2, 95, 49, 7, 7);
    const Point diamond[] = {{95, 0}, {99, -5}, {103, 0}, {99, 5}, {95, 0}};
    r.g.draw_lines_i(white2, diamond);
    const gfx::SolidBrush green(efs50_colour::green);
    const Point box[] = {{105, y}, {115, y}, {115, y + 20}, {105, y + 20}, {105, y}};
    r.g.draw_lines_i(gfx::Pen(efs50_colour::green, 1.0f), box);
    const Point pointer[] = {{105, y + 5}, {95, y + 10}, {105, y + 15}};
    r.g.fill_polygon_i(green, pointer);
    const gfx::FontFamily family("Arial");
    const gfx::Font font8(family, 8.0f, gfx::FontStyle::Bold, gfx::Unit::Pixel);
    r.g.draw_string(std::string(1, letters[0]), font8, green, gfx::PointF{106.0f, static_cast<float>(y)});
    r.g.draw_string(std::string(1, letters[1]), font8, green,
                    gfx::PointF{106.0f, static_cast<float>(y + 10)});
}

void draw_hsi(Rose& r) {
    const AircraftState& s = aircraft_state;
    const bool radio = efs50_nav_source == kEfs50NavSourceVor;
    if (radio || (efs50_nav_source == kEfs50NavSourceFms && route_active())) {
        const double course = radio ? s.nav1_course_deg : leg_course_deg;
        const gfx::Pen pen(radio ? efs50_colour::green : c::blue, 2.0f);
        const gfx::Pen white2(c::white, 2.0f);
        r.at(course - s.heading_deg);
        for (int x : {-53, -28, 22, 47})
            r.g.draw_ellipse_i(white2, x, -3, 7, 7);
        const Point head[] = {{0, -85},  {1, -77},  {4, -69},  {1, -68},  {1, -24},
                              {-1, -24}, {-1, -68}, {-4, -69}, {-1, -77}, {0, -85}};
        r.g.draw_lines_i(pen, head);
        const Point tail[] = {{0, 24}, {1, 24}, {1, 70}, {0, 80}, {-1, 70}, {-1, 24}, {0, 24}};
        r.g.draw_lines_i(pen, tail);
        double xtk = 0.0;
        bool bar = false;
        int d = 0;
        if (radio && sim_var_object.get_nav1_signal() > 0.0) {
            d = static_cast<int>(s.snap_token_40 / 2.54);
            bar = true;
        } else if (!radio && efs50_cross_track(&xtk)) {
            d = static_cast<int>(std::clamp(xtk, -5.0, 5.0) / 0.1);
            bar = true;
        }
        if (bar) {
            const Point line[] = {{d, -20}, {d + 1, -20}, {d + 1, 20}, {d - 1, 20}, {d - 1, -20}, {d, -20}};
            r.g.draw_lines_i(pen, line);
        }
        bool to = false;
        if (efs50_to_from(&to)) {
            const Point ahead[] = {{0, -25}, {7, -15}, {-7, -15}, {0, -25}};
            const Point behind[] = {{0, 39}, {7, 29}, {-7, 29}, {0, 39}};
            if (to)
                r.g.fill_polygon_i(gfx::SolidBrush(c::white), ahead);
            else
                r.g.fill_polygon_i(gfx::SolidBrush(c::white), behind);
        }
    }
    double angle = 0.0;
    if (efs50_brg2_source > 0 && efs50_pointer_angle(efs50_brg2_source, false, &angle)) {
        const gfx::Pen pen(efs50_colour::magenta, 2.0f);
        r.at(angle);
        const Point head[] = {{0, -90}, {5, -82}, {-5, -82}, {0, -90}};
        r.g.fill_polygon_i(gfx::SolidBrush(efs50_colour::magenta), head);
        r.g.draw_line_i(pen, 3, -82, 3, -24);
        r.g.draw_line_i(pen, -3, -82, -3, -24);
        const Point tail[] = {{-3, 90}, {-3, 32}, {0, 24}, {3, 32}, {3, 90}};
        r.g.draw_lines_i(pen, tail);
    }
    if (efs50_brg1_source > 0 && efs50_pointer_angle(efs50_brg1_source, true, &angle)) {
        const gfx::SolidBrush cyan(c::blue);
        r.at(angle);
        const Point head[] = {{0, -95}, {5, -85}, {-5, -85}, {0, -95}};
        r.g.fill_polygon_i(cyan, head);
        r.g.draw_line_i(gfx::Pen(c::blue, 2.0f), 0, -30, 0, -85);
        const Point tail[] = {{1, 40},  {1, 55},  {3, 60},  {1, 60},  {1, 95}, {-1, 95},
                              {-1, 60}, {-3, 60}, {-1, 55}, {-1, 40}, {1, 40}};
        r.g.fill_polygon_i(cyan, tail);
    }
}

// The tuned VOR on the map (40 units per range) with its selected radial.
void draw_vor_radial(Rose& r) {
    const AircraftState& s = aircraft_state;
    if (efs50_nav_source != kEfs50NavSourceVor || !(sim_var_object.get_nav1_signal() > 0.0) ||
        sim_var_object.test_simvar_46_bit_128() != 0 || !(efs50_ehsi_range > 0.0))
        return;
    double b = 0.0;
    if (s.nav1_relative_bearing_deg > 180.0) {
        b = s.nav1_relative_bearing_deg - 360.0 + s.heading_deg;
        if (b < 0.0) b += 360.0;
    } else {
        b = s.nav1_relative_bearing_deg + s.heading_deg;
        if (b > 359.0) b -= 360.0;
    }
    r.clip_to_rose();
    int32_t x = 0, y = 0;
    turn_arc_geometry_i(s.map_heading_deg, b + s.magvar, 129, 114, s.nav1_dme_nm * 40.0 / efs50_ehsi_range,
                        &x, &y);
    draw_map_symbol(r.g, x, y - 3, MapSymbol::RadioStation, no_symbol_arrow, 1.0, 1.0, 0, efs50_ehsi_range);
    set_design_frame(r.g, r.d, efs50_ehsi_design, static_cast<float>(x), static_cast<float>(y));
    r.g.rotate_transform(static_cast<float>(s.nav1_course_deg - s.heading_deg));
    r.g.draw_line_i(gfx::Pen(c::white, 1.0f), 0, 0, 0, -100);
    r.g.draw_line_i(gfx::Pen(efs50_colour::green, 1.0f), 0, 0, 0, 100);
    r.g.reset_clip();
}

void draw_map_pieces(Rose& r, int mode) {
    gfx::Pen dashed(c::blue, 2.0f);
    dashed.dash_style = gfx::DashStyle::Dash;
    if (mode == kEfs50EhsiModeRoseMapSectors) {
        for (double a : {60.0, 300.0}) {
            r.at(a);
            r.g.draw_line_i(dashed, 0, 0, 0, -95);
        }
    }
    r.at(0.0);
    r.g.draw_ellipse_i(dashed, -50, -50, 100, 100);
    const gfx::FontFamily family("Arial");
    const gfx::Font font10(family, 10.0f, gfx::FontStyle::Bold, gfx::Unit::Pixel);
    char text[32];
    std::snprintf(text, sizeof text, "%3.1f", efs50_ehsi_range);
    r.g.draw_string(text, font10, gfx::SolidBrush(c::blue), gfx::PointF{50.0f, -4.0f});
    draw_vor_radial(r);
}

void draw_heading_box(Rose& r) {
    const gfx::SolidBrush white(c::white);
    r.at(0.0);
    if (EhsiStaticHdgPointer == 0) {
        const Point lubber[] = {{0, -103}, {6, -112}, {-6, -112}, {0, -103}};
        r.g.fill_polygon_i(white, lubber);
        return;
    }
    r.g.fill_rectangle_i(gfx::SolidBrush(background_argb(efs50_ehsi_background_rgb)), -16, -114, 32, 15);
    const Point box[] = {{-16, -112}, {-16, -99}, {16, -99}, {16, -112}};
    r.g.draw_lines_i(gfx::Pen(c::white, 2.0f), box);
    const Point mark[] = {{-6, -99}, {0, -89}, {6, -99}};
    r.g.fill_polygon_i(white, mark);
    const gfx::FontFamily family("Arial");
    const gfx::Font font15(family, 15.0f, gfx::FontStyle::Bold, gfx::Unit::Pixel);
    char text[32];
    std::snprintf(text, sizeof text, "%03.0f", aircraft_state.heading_deg);
    r.g.draw_string(text, font15, gfx::SolidBrush(efs50_colour::green), gfx::PointF{-15.0f, -114.0f});
}

} // namespace

void draw_efs50_ehsi_compass_map(const DisplayObject& d, gfx::Graphics& g, double /*ppn*/) {
    Rose r{d, g};
    const int mode = efs50_ehsi_mode;
    if (mode == kEfs50EhsiModeRoseMapWxOff || mode == kEfs50EhsiModeRoseMapSectors) {
        const double range = efs50_ehsi_range;
        r.clip_to_rose();
        if (show_atc_boundaries == 1)
            draw_atc_boundaries(g, 50, 129, 114, range, aircraft_state.map_heading_deg, aircraft_state.plat,
                                aircraft_state.plon);
        if (pattern_runway_index() != kNoRunwayLine) draw_runway_pattern(g, 50, 129, 114, range, 1.0, 1.0);
        if (pattern_runway_count() > 0 && range <= 2.5) draw_runway_labels(g, 50, 129, 114, range);
        g.reset_clip();
    }
    draw_rose(r, mode == kEfs50EhsiModeHsi);
    draw_vertical_scale(r);
    if (mode == kEfs50EhsiModeHsi)
        draw_hsi(r);
    else
        draw_map_pieces(r, mode);
    draw_heading_box(r);
    r.at(0.0);
    g.draw_lines_i(gfx::Pen(c::amber, 1.0f), efs50_aircraft_outline);
}
