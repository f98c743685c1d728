// The P1000_MFD's texts: the data block (wind, heading bug, airspeeds, the
// soft-key legends and the VNAV page, the autopilot altitude) and the FMS
// readouts (route labels on the map, the TO waypoint's identifier, distance
// and time). Labels, legends and frame lines are drawn on full redraws only;
// on other frames a value is repainted, over a background box, only when it
// differs from what this surface last showed.
#include "data/aircraft_settings.h"
#include "data/display_settings.h"
#include "data/module_settings.h"
#include "data/p1000_menu_state.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_walk.h"
#include "fms/units/update_counters.h"
#include "map/map_canvas.h"
#include "map/palette.h"
#include "map/range_ladder.h"
#include "map/symbol_painter.h"
#include "nd/p1000_mfd_painters.h"
#include "platform/gfx.h"
#include "platform/text_file.h"
#include "sim/aircraft_state.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace {

namespace c = palette;

struct Fonts {
    gfx::FontFamily family{"HW Arial"};
    gfx::Font f8{family, 8.0f, gfx::FontStyle::Bold, gfx::Unit::Pixel};
    gfx::Font f10{family, 10.0f, gfx::FontStyle::Bold, gfx::Unit::Pixel};
    gfx::Font f14{family, 14.0f, gfx::FontStyle::Bold, gfx::Unit::Pixel};
    gfx::Font f17{family, 17.0f, gfx::FontStyle::Bold, gfx::Unit::Pixel};
    gfx::Font f25{family, 25.0f, gfx::FontStyle::Bold, gfx::Unit::Pixel};
};

void text(gfx::Graphics& g, const std::string& s, const gfx::Font& font, gfx::Argb colour, double x,
          double y) {
    g.draw_string(s, font, gfx::SolidBrush(colour),
                  gfx::PointF{static_cast<float>(x), static_cast<float>(y)});
}

std::string fmt(const char* format, double v) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, v);
    return buffer;
}

std::string bracketed(const std::string& value, bool selected) {
    char buffer[80];
    std::snprintf(buffer, sizeof buffer, "%s%s%s", selected ? "[" : "", value.c_str(), selected ? "]" : "");
    return buffer;
}

std::string without_leading_blanks(std::string s) {
    s.erase(0, s.find_first_not_of(' '));
    return s;
}

bool full_redraw() {
    return display_refresh_counter < 2;
}

gfx::Argb background() {
    return background_argb(p1000_mfd_background_rgb);
}

void draw_wind(const DisplayObject& d, gfx::Graphics& g, const Fonts& f) {
    const AircraftState& a = aircraft_state;
    if (!(a.wind_speed_kt >= 1.0)) return;
    g.fill_rectangle_i(gfx::SolidBrush(background()), 5, 10, 50, 15);
    text(g, fmt("%4.0f", a.wind_speed_kt), f.f14, c::light_green, 20, 10);
    double towards = a.wind_direction_deg + 180.0;
    if (towards > 360.0) towards -= 360.0;
    set_design_frame(g, d, p1000_mfd_design, 15.0, 18.0);
    g.rotate_transform(static_cast<float>(towards - a.heading_deg));
    const gfx::Point head[] = {{0, -6}, {5, -1}, {-5, -1}};
    g.fill_polygon_i(gfx::SolidBrush(c::white), head);
    g.draw_line_i(gfx::Pen(c::white, 2.0f), 0, -1, 0, 6);
    set_design_frame(g, d, p1000_mfd_design, 0.0, 0.0);
}

void draw_speeds(gfx::Graphics& g, const Fonts& f, P1000PaintedValues& painted) {
    const AircraftState& a = aircraft_state;
    const bool full = full_redraw();
    const gfx::SolidBrush back(background());
    const double tas = a.true_airspeed_est_kt;
    if (full && !(tas > 0.0)) {
        text(g, "---", f.f25, c::amber, 223, 204);
        painted.true_airspeed = tas;
    } else if (full || tas != painted.true_airspeed) {
        if (!full) g.fill_rectangle_i(back, 224, 214, 35, 12);
        text(g, fmt("%-3.0f", tas), f.f14, c::light_green, 223, 213);
        painted.true_airspeed = tas;
    }
    if (full) text(g, "GSPD", f.f14, c::white, 223, 225);
    const double gs = a.ground_speed_kt;
    if (full && !(gs > 5.0)) {
        text(g, "---", f.f25, c::amber, 223, 226);
        painted.ground_speed = gs;
    } else if ((full || gs != painted.ground_speed) && gs > 5.0) {
        if (!full) g.fill_rectangle_i(back, 224, 238, 35, 12);
        text(g, fmt("%-3.0f", gs), f.f14, c::magenta, 223, 237);
        painted.ground_speed = gs;
    }
}

void draw_vnav_page(gfx::Graphics& g, const Fonts& f) {
    const gfx::Argb w = c::white;
    text(g, "SET", f.f8, w, 10, 275);
    text(g, "RTN", f.f8, w, 45, 275);
    text(g, p1000_vnav_distance_select == 2 ? "FM" : "TO", f.f8, w, 87, 275);
    const double distance = p1000_vnav_distance_nm;
    const double elevation = p1000_vnav_elevation_ft;
    text(g,
         bracketed(distance == 0.0 ? "---" : fmt("%2.0f", distance),
                   p1000_vnav_distance_select == 1 || p1000_vnav_distance_select == 2),
         f.f8, w, 87, 290);
    text(g, "ST EL", f.f8, w, 115, 275);
    text(g, bracketed(elevation == 0.0 ? "---" : fmt("%2.0f", elevation), p1000_vnav_elevation_select == 1),
         f.f8, w, 120, 290);
    text(g, "VANG", f.f8, w, 153, 275);
    // With a distance and an elevation set the vertical speed follows them,
    // not the angle.
    const bool by_distance = elevation > 0.0 && distance > 0.0;
    text(g, bracketed(by_distance ? "---" : fmt("%2.1f", FPA), p1000_vnav_angle_select == 1), f.f8, w, 157,
         290);
    text(g, "VS", f.f8, w, 195, 275);
    text(g, p1000_vnav_vs_fpm == 0.0 ? "---" : fmt("%4.0f", p1000_vnav_vs_fpm), f.f8, w, 190, 290);
}

void draw_legends(gfx::Graphics& g, const Fonts& f) {
    const gfx::Argb w = c::white;
    if (p1000_controller_present == 0) {
        text(g, "APT", f.f10, w, 48, 275);
        text(g, "NAV", f.f10, w, 80, 275);
        text(g, "---", f.f10, w, 121, 275);
        text(g, "TCAS", f.f10, w, 153, 275);
        text(g, "ATC", f.f10, w, 190, 275);
        text(g, "BDRY", f.f10, w, 187, 290);
    } else if (p1000_mfd_page == kP1000PageMain) {
        text(g, "VNAV", f.f8, w, 76, 275);
        text(g, "T/O", f.f8, w, 121, 275);
        text(g, "SPEEDS", f.f8, w, 114, 290);
        text(g, "LNDG", f.f8, w, 157, 275);
        text(g, "SPEEDS", f.f8, w, 152, 290);
    } else if (p1000_mfd_page == kP1000PageVnav) {
        draw_vnav_page(g, f);
    }
    text(g, "ALT", f.f10, w, 228, 275);
    text(g, "oo", f.f14, c::blue, 245, 289);
}

// x of a right-aligned distance or time text of n characters; longer texts
// start where the longest defined one does.
double distance_x(std::size_t n) {
    static constexpr double xs[] = {218, 218, 218, 218, 210, 202, 194, 187};
    return xs[std::min<std::size_t>(n, 7)];
}
double time_x(std::size_t n) {
    static constexpr double xs[] = {229, 229, 222, 214, 206};
    return xs[std::min<std::size_t>(n, 4)];
}

constexpr std::size_t kLabelChars = 9;

} // namespace

void draw_p1000_mfd_data_block(const DisplayObject& d, gfx::Graphics& g) {
    if (d.width <= 0 || d.height <= 0) return;
    set_design_frame(g, d, p1000_mfd_design, 0.0, 0.0);
    const Fonts f;
    const bool full = full_redraw();
    const gfx::Pen line(c::white, 2.0f);
    const gfx::SolidBrush back(background());
    draw_wind(d, g, f);
    if (full) {
        g.draw_line_i(line, 0, 225, 40, 225);
        g.draw_line_i(line, 40, 225, 40, 272);
        text(g, "HDG", f.f14, c::white, 0, 192);
        int bug = saturate_to_int(aircraft_state.heading_bug_deg);
        if (bug == 0) bug = 360;
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "%03d", bug);
        text(g, buffer, f.f17, c::blue, 0, 205);
        g.draw_line_i(line, 222, 200, 222, 272);
        g.draw_line_i(line, 222, 200, 268, 200);
        text(g, "TAS", f.f14, c::white, 223, 201);
    }
    draw_speeds(g, f, p1000_painted_values());
    if (full) {
        g.draw_line_i(line, 222, 255, 268, 255);
        g.draw_line_i(line, 0, 272, 267, 272);
        draw_legends(g, f);
    }
    g.fill_rectangle_i(back, 220, 290, 27, 15);
    char altitude[16];
    std::snprintf(altitude, sizeof altitude, "%03d",
                  saturate_to_int(aircraft_state.ap_altitude_lock_ft) / 100);
    text(g, altitude, f.f14, c::blue, 220, 290);
}

void draw_p1000_mfd_value_boxes(const DisplayObject& d, gfx::Graphics& g) {
    const int to = to_waypoint_index;
    const int last = std::min(active_plan_last, kPlanLastIndex);
    if (d.width <= 0 || d.height <= 0 || to < 0 || to > last) return;
    const double sx8 = static_cast<float>(d.width) / 272.0f * 8.0;
    const double sy8 = static_cast<float>(d.height) / 314.0f * 8.0;
    g.reset_transform();
    g.scale_transform(0.125f, 0.125f);
    const gfx::FontFamily family("HW Arial");
    const gfx::Font label_font(family, static_cast<float>(12.0 * sx8), gfx::FontStyle::Bold,
                               gfx::Unit::Pixel);
    const double range = p1000_mfd_range;
    auto mark = [&](int i, gfx::Argb colour, int selector) {
        const P1000ScreenPoint p = p1000_route_points[i];
        text(g, active_plan[i].ident.substr(0, kLabelChars), label_font, colour, p.x + 7.0 * sx8,
             p.y - 6.0 * sy8);
        draw_map_symbol(g, p.x, p.y - 5.0 * sy8, MapSymbol::Waypoint, i, sx8, sy8, selector, range);
    };
    const bool plan = p1000_mfd_plan_mode == kP1000PlanModeNorthUp;
    if (const int from = route_from(active_plan, to); DispPrevWpt == 1 && range >= 5.0 && !plan && from >= 0)
        mark(from, c::yellow, 0);
    for_each_route_stop(active_plan, plan ? 0 : to, last, false, [&](const RouteStop& s) {
        mark(s.index, s.index == to ? c::magenta : c::white, s.index == to ? 4 : 0);
    });
    g.reset_clip();

    set_design_frame(g, d, p1000_mfd_design, 0.0, 0.0);
    const Fonts f;
    const gfx::SolidBrush back(background());
    const bool full = full_redraw();
    P1000PaintedValues& painted = p1000_painted_values();
    if (full) {
        text(g, "FMS", f.f14, c::magenta, 220, 0);
        text(g, "NM", f.f14, c::white, 241, 13);
    }
    // A new TO waypoint (sequencing, a direct-to) shows on the next frame,
    // not only on the next full redraw.
    const std::string ident = active_plan[to].ident.substr(0, 5);
    if (full || ident != painted.to_ident) {
        g.fill_rectangle_i(back, 220, 29, 55, 14);
        text(g, ident, f.f14, c::magenta, 220, 26);
        painted.to_ident = ident;
    }
    const double distance = distance_to_to_nm;
    if (full || distance != painted.distance) {
        const std::string s = without_leading_blanks(fmt("%5.1f", distance));
        g.fill_rectangle_i(back, 187, 15, 55, 14);
        text(g, s, f.f14, c::magenta, distance_x(s.size()), 13);
        painted.distance = distance;
    }
    const double gs = aircraft_state.ground_speed_kt;
    const double minutes = gs > 25.0 ? distance / gs * 60.0 : 0.0;
    if (full || minutes != painted.minutes) {
        const std::string s = without_leading_blanks(fmt("%4.0f", minutes));
        g.fill_rectangle_i(back, 214, 43, 26, 14);
        text(g, s, f.f14, c::magenta, time_x(s.size()), 39);
        painted.minutes = minutes;
    }
    if (full) text(g, "MIN", f.f14, c::white, 238, 39);
}
