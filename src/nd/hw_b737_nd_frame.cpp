// The HW_B737_ND frame: everything that does not move with the map, drawn
// last over it in every mode: the data fields in the corners, the heading
// box, the TCAS annunciator, the vertical-deviation scale, the heading bug,
// the fixed heading index, the PLAN north arrow and the compass-mode
// traffic list.
#include "data/display_settings.h"
#include "data/display_state.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/guidance/times_to_go.h"
#include "fms/plan/route_plan.h"
#include "map/map_canvas.h"
#include "map/map_projection.h"
#include "map/palette.h"
#include "map/render_frame.h"
#include "nd/hw_b737_nd_frame_values.h"
#include "nd/hw_b737_nd_painters.h"
#include "nd/nd_text.h"
#include "platform/gfx.h"
#include "sim/aircraft_state.h"
#include "sim/sim_var_reader.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

namespace c = palette;
using gfx::Point;

struct FrameFonts {
    gfx::FontFamily family{"Arial"};
    gfx::Font f9{family, 9.0f, gfx::FontStyle::Bold, gfx::Unit::Pixel};
    gfx::Font f10{family, 10.0f, gfx::FontStyle::Bold, gfx::Unit::Pixel};
    gfx::Font f12{family, 12.0f, gfx::FontStyle::Bold, gfx::Unit::Pixel};
    gfx::Font f15{family, 15.0f, gfx::FontStyle::Bold, gfx::Unit::Pixel};
};

using nd::format;
using nd::text;

void base_frame(gfx::Graphics& g, const DisplayObject& d, float x, float y, double degrees) {
    set_design_frame(g, d, hw_b737_nd_design, x, y);
    if (degrees != 0.0) g.rotate_transform(static_cast<float>(degrees));
}

gfx::Argb background() {
    return background_argb(hw_b737_nd_background_rgb);
}

void draw_heading_box(gfx::Graphics& g, int mode, int y0) {
    const gfx::Pen white(c::white, 1.0f);
    const Point strokes[][2] = {{{107, y0}, {107, y0 + 15}},      {{107, y0 + 15}, {115, y0 + 15}},
                                {{115, y0 + 15}, {122, y0 + 26}}, {{122, y0 + 26}, {129, y0 + 15}},
                                {{129, y0 + 15}, {137, y0 + 15}}, {{137, y0 + 15}, {137, y0}}};
    for (const auto& s : strokes)
        g.draw_line_i(white, s[0].x, s[0].y, s[1].x, s[1].y);
    if (mode <= kB737NdModeVor) g.draw_line_i(white, 137, y0, 107, y0);
}

void draw_deviation_scale(gfx::Graphics& g, const FrameFonts& fonts, const DescentPath& path) {
    g.fill_rectangle_i(gfx::SolidBrush(background()), 218, 185, 25, 90);
    const DeviationPointer pointer = vertical_deviation_pointer(path, aircraft_state.indicated_altitude_ft);
    if (!pointer.text.empty()) text(g, pointer.text, fonts.f9, c::white, 220, pointer.text_row);
    const gfx::Pen white(c::white, 2.0f);
    g.draw_line_i(white, 230, 200, 230, 260);
    g.draw_line_i(white, 225, 200, 230, 200);
    g.draw_line_i(white, 220, 230, 230, 230);
    g.draw_line_i(white, 225, 260, 230, 260);
    const int p = pointer.row;
    const Point diamond[] = {{235, p}, {240, p + 4}, {235, p + 8}, {230, p + 4}, {235, p}};
    g.draw_lines_i(gfx::Pen(c::magenta, 2.0f), diamond);
}

void draw_heading_bug(gfx::Graphics& g, const DisplayObject& d, int mode) {
    const AircraftState& a = aircraft_state;
    const gfx::Pen bug(c::magenta, 2.0f);
    gfx::Pen dashed(c::magenta, 2.0f);
    dashed.dash_style = gfx::DashStyle::Dash;
    const double turn = a.heading_bug_deg - a.heading_deg;
    if (mode <= kB737NdModeVor || mode == kB737NdModeCtrMap) {
        const bool rose = mode <= kB737NdModeVor;
        const int inner = rose ? 79 : 99;
        const int outer = rose ? 87 : 107;
        base_frame(g, d, 122.0f, rose ? 151.0f : 171.0f, turn);
        g.draw_line_i(bug, -10, -inner, 10, -inner);
        g.draw_line_i(bug, -10, -outer, 10, -outer);
        for (const int x : {-10, 0, 10})
            g.draw_line_i(bug, x, -inner, x, -outer);
        g.draw_line_i(dashed, 0, 0, 0, -outer);
        return;
    }
    base_frame(g, d, 122.0f, 249.0f, turn);
    const Point notched[] = {{0, -218},  {-7, -226}, {-10, -226}, {-10, -218},
                             {10, -218}, {10, -226}, {6, -226},   {0, -218}};
    for (std::size_t i = 0; i + 1 < std::size(notched); ++i)
        g.draw_line_i(bug, notched[i].x, notched[i].y, notched[i + 1].x, notched[i + 1].y);
    // The line runs from the aircraft symbol of the map modes; the PLAN map
    // is north up about a plan waypoint and has no aircraft at that point.
    if (mode != kB737NdModePlan) g.draw_line_i(dashed, 0, 0, 0, -218);
}

void draw_wind(gfx::Graphics& g, const DisplayObject& d, const FrameFonts& fonts) {
    const AircraftState& a = aircraft_state;
    const bool wind = a.wind_speed_kt >= 1.0;
    char buffer[32];
    if (wind)
        std::snprintf(buffer, sizeof buffer, "%03.0f\xB0/%2.0f", a.wind_direction_deg, a.wind_speed_kt);
    else
        std::snprintf(buffer, sizeof buffer, "---\xB0/---");
    text(g, buffer, fonts.f12, c::white, 10, 255);
    if (!wind) return;
    double towards = std::trunc(a.wind_direction_deg) + 180.0;
    if (towards > 360.0) towards -= 360.0;
    base_frame(g, d, 15.0f, 247.0f, towards - a.heading_deg);
    const Point head[] = {{0, -9}, {3, -6}, {-3, -6}};
    g.fill_polygon_i(gfx::SolidBrush(c::white), head);
    g.draw_line_i(gfx::Pen(c::white, 2.0f), 0, -6, 0, 9);
    base_frame(g, d, 0.0f, 0.0f, 0.0);
}

void draw_traffic_list(gfx::Graphics& g, const FrameFonts& fonts) {
    const TrafficSummary t = first_traffic_target(tcas_target_records, tcas_target);
    if (!t.present) return;
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "ALT %d", static_cast<int>(t.altitude_ft));
    text(g, buffer, fonts.f9, c::yellow, 70, 240);
    std::snprintf(buffer, sizeof buffer, "GSP %d", static_cast<int>(t.ground_speed_kt));
    text(g, buffer, fonts.f9, c::yellow, 70, 250);
    std::snprintf(buffer, sizeof buffer, "Id %.80s", t.ident.c_str());
    text(g, buffer, fonts.f9, c::yellow, 70, 260);
    std::snprintf(buffer, sizeof buffer, "TCAS Items %d", tcas_target);
    text(g, buffer, fonts.f9, c::yellow, 70, 270);
}

} // namespace

void draw_hw_b737_nd_frame(const DisplayObject& d, gfx::Graphics& g) {
    const AircraftState& a = aircraft_state;
    const int mode = hw_b737_nd_mode;
    const bool route = to_waypoint_index != kNoToWaypoint;
    const bool radio_mode = mode == kB737NdModeVor || mode == kB737NdModeApp;
    const double nav1_signal = sim_var_object.get_nav1_signal();
    const FrameFonts fonts;
    base_frame(g, d, 0.0f, 0.0f, 0.0);

    if (radio_mode) {
        text(g, "DME", fonts.f9, c::white, 5, 10);
        text(g, nav1_signal > 0.0 && a.nav1_dme_nm > 0.0 ? format("%.1f", a.nav1_dme_nm) : "- - -", fonts.f12,
             c::white, 30, 8);
    } else if (route) {
        const std::string distance = format("%.1f", distance_to_to_nm);
        text(g, distance, fonts.f12, c::white, 10, 8);
        text(g, "NM", fonts.f9, c::white, 10 + 8.0 * distance.size(), 10);
    }
    text(g, "TAS", fonts.f9, c::white, 10, 23);
    text(g, a.true_airspeed_est_kt > 100.0 ? format("%3.0f", a.true_airspeed_est_kt) : "- - -", fonts.f12,
         c::white, 34, 20);
    if (mode == kB737NdModeCompass && tcas_target_records != nullptr) draw_traffic_list(g, fonts);
    if (mode >= kB737NdModeArc && mode <= kB737NdModeCtrMap) {
        const int y = mode == kB737NdModeCtrMap ? 33 : 95;
        const gfx::SolidBrush blank(background());
        if (tcas_display_on == 1) {
            g.fill_rectangle_i(blank, 10, y, 20, 10);
            text(g, "TFC", fonts.f9, c::green, 10, y);
        } else {
            g.fill_rectangle_i(blank, 10, y, 30, 20);
            text(g, "TCAS", fonts.f9, c::white, 10, y);
            text(g, "OFF", fonts.f9, c::white, 10, y + 10);
        }
    }
    const int y0 = mode <= kB737NdModeVor ? 30 : 5;
    draw_heading_box(g, mode, y0);
    const DescentPath path = current_descent_path();
    if (path.active == 1 && route &&
        (mode == kB737NdModeCompass || mode == kB737NdModeArc || mode == kB737NdModeMap ||
         mode == kB737NdModeCtrMap))
        draw_deviation_scale(g, fonts, path);
    text(g, "HDG", fonts.f9, c::green, 83, y0 + 3);
    text(g, heading_box_text(a.heading_deg), fonts.f15, c::white, 107, y0 - 1);
    text(g, "M", fonts.f9, c::green, 140, y0 + 3);
    if (route) {
        const std::string eta =
            eta_text(ete_to_hours, ete_to_min_part, ete_to_tenths, a.zulu_hours, a.local_minutes);
        text(g, eta, fonts.f12, c::white, 190, 8);
        text(g, "Z", fonts.f9, c::white, 190 + 6.5 * eta.size(), 10);
    }
    text(g, "GS", fonts.f9, c::white, 190, 20);
    text(g, format("%.0f", a.ground_speed_kt), fonts.f12, c::white, 206, 18);
    if (radio_mode) {
        const bool ils =
            sim_var_object.test_simvar_46_bit_128() != 0 && sim_var_object.test_simvar_46_bit_64() != 0;
        text(g, ils ? "ILS 1" : "VOR 1", fonts.f12, c::green, 10, 285);
        text(g, nav1_signal > 0.0 ? format("%3.2f", sim_var_object.get_simvar_24_bcd_mhz()) : "------",
             fonts.f12, c::green, 190, 285);
    } else if (mode == kB737NdModeCompass || mode == kB737NdModeArc) {
        text(g, "NAV", fonts.f12, c::green, 10, 285);
    }
    if (radio_mode && a.adf1_signal > 1.0) {
        text(g, "ADF 1", fonts.f12, c::blue, 10, 270);
        text(g, format("%04.1f", sim_var_object.get_simvar_16_bcd()), fonts.f12, c::blue, 190, 270);
    }
    if (mode <= kB737NdModeCtrMap) draw_wind(g, d, fonts);
    draw_heading_bug(g, d, mode);

    base_frame(g, d, 122.0f, 151.0f, 0.0);
    if (mode <= kB737NdModeVor) {
        const Point index[] = {{0, -80}, {7, -70}, {-7, -70}};
        g.draw_polygon_i(gfx::Pen(c::white, 2.0f), index);
    }
    if (mode == kB737NdModePlan) {
        // Absolute design points, drawn in the frame about (122, 151).
        text(g, "N", fonts.f10, c::green, 222 - 122, 201 - 151);
        const gfx::Pen arrow(c::light_green, 1.0f);
        g.draw_line_i(arrow, 227 - 122, 211 - 151, 227 - 122, 231 - 151);
        g.draw_line_i(arrow, 227 - 122, 211 - 151, 230 - 122, 214 - 151);
        g.draw_line_i(arrow, 227 - 122, 211 - 151, 224 - 122, 214 - 151);
    }
}
