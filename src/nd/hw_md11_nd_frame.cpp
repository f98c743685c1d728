// The HW_MD11_ND frame: the fixed texts and symbols around the map, drawn
// last in every mode: speeds, the TO waypoint, heading box, range labels,
// bearing-pointer readouts, the nav-source and filter columns, the mode
// word, the status words, the clock and the wind.
#include "data/display_geometry.h"
#include "data/display_settings.h"
#include "data/display_state.h"
#include "data/module_settings.h"
#include "fms/fms_update.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/guidance/times_to_go.h"
#include "fms/math/heading_math.h"
#include "fms/plan/route_plan.h"
#include "map/map_canvas.h"
#include "map/map_projection.h"
#include "map/palette.h"
#include "map/range_ladder.h"
#include "map/render_frame.h"
#include "nd/heading_box.h"
#include "nd/hw_md11_nd_painters.h"
#include "nd/nd_text.h"
#include "platform/gfx.h"
#include "sim/aircraft_state.h"
#include "sim/sim_var_reader.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace {

namespace c = palette;

struct FrameFonts {
    gfx::FontFamily hw{"HW Arial"};
    gfx::FontFamily arial{"Arial"};
    gfx::Font heading{hw, 15.0f, gfx::FontStyle::Bold, gfx::Unit::Pixel};
    gfx::Font f7{arial, 7.0f, gfx::FontStyle::Bold, gfx::Unit::Pixel};
    gfx::Font f8{arial, 8.0f, gfx::FontStyle::Bold, gfx::Unit::Pixel};
    gfx::Font f9{arial, 9.0f, gfx::FontStyle::Bold, gfx::Unit::Pixel};
    gfx::Font f10{arial, 10.0f, gfx::FontStyle::Bold, gfx::Unit::Pixel};
};

using nd::format;
using nd::text;

void lines(gfx::Graphics& g, const gfx::Pen& pen, std::initializer_list<gfx::Point> pairs) {
    const gfx::Point* p = pairs.begin();
    for (std::size_t i = 0; i + 1 < pairs.size(); i += 2)
        g.draw_line_i(pen, p[i].x, p[i].y, p[i + 1].x, p[i + 1].y);
}

// A radio bearing from its relative bearing, brought below 360 once.
double vor_bearing(double relative) {
    double b = relative + aircraft_state.heading_deg;
    if (b >= 360.0) b -= 360.0;
    return b;
}

void draw_pointer_readouts(gfx::Graphics& g, const FrameFonts& f, int cx) {
    const AircraftState& a = aircraft_state;
    char buffer[96];
    const bool vor1 = hw_md11_vor1_pointer == 1 && sim_var_object.get_nav1_signal() > 0.0;
    const bool adf1 = !vor1 && hw_md11_nd_brg1_adf == 1 && sim_var_object.get_adf1_signal() > 0.0;
    if (vor1 || adf1) {
        if (vor1) {
            // The identifier is read after the signal test: a lost signal reads empty.
            const std::string id =
                sim_var_object.get_nav1_signal() > 0.0 ? sim_var_object.get_simvar_47_text() : std::string();
            const double b = vor_bearing(a.nav1_relative_bearing_deg);
            if (a.nav1_dme_nm > 0.0)
                std::snprintf(buffer, sizeof buffer, "%03.0f\xB0 / %2.1fNM  %.20s", b, a.nav1_dme_nm,
                              id.c_str());
            else
                std::snprintf(buffer, sizeof buffer, "%03.0f\xB0 / ---  %.20s", b, id.c_str());
        } else {
            const std::string id =
                sim_var_object.get_adf1_signal() > 0.0 ? sim_var_object.get_simvar_19_text() : std::string();
            const double b = fold_degrees_360(a.adf1_relative_bearing_deg + a.heading_deg);
            std::snprintf(buffer, sizeof buffer, "%03.0f\xB0 / %.20s", b, id.c_str());
        }
        text(g, buffer, f.f8, c::blue, 0, 248);
        lines(g, gfx::Pen(c::blue, 1.0f),
              {{80, 252}, {100, 252}, {80, 252}, {84, 249}, {80, 252}, {84, 255}});
    }
    if (hw_md11_vor2_pointer == 1 && sim_var_object.get_nav2_signal() > 0.0) {
        const std::string id =
            sim_var_object.get_nav2_signal() > 0.0 ? sim_var_object.get_simvar_56_text() : std::string();
        const double b = vor_bearing(a.nav2_relative_bearing_deg);
        if (a.nav2_dme_nm > 0.0)
            std::snprintf(buffer, sizeof buffer, "%.20s %03.0f\xB0 / %2.1fNM", id.c_str(), b, a.nav2_dme_nm);
        else
            std::snprintf(buffer, sizeof buffer, "%03.0f\xB0 / ---  %.20s", b, id.c_str());
        text(g, buffer, f.f8, c::green, cx + 45, 248);
        lines(
            g, gfx::Pen(c::green, 1.0f),
            {{143, 251}, {163, 251}, {143, 253}, {163, 253}, {160, 249}, {164, 252}, {160, 255}, {164, 252}});
    }
}

void draw_compass_frame(gfx::Graphics& g, const FrameFonts& f, int mode, int cx, double range) {
    const AircraftState& a = aircraft_state;
    const gfx::Pen white1(c::white, 1.0f);
    text(g, "HDG", f.f8, c::white, cx - 38, 9);
    draw_heading_box(g, f.heading, 1.0f, cx, cx - 16, a.heading_deg);
    text(g, "MAG", f.f8, c::white, cx + 15, 9);
    lines(g, white1, {{0, 246}, {87, 246}, {150, 246}, {240, 246}});
    if (mode == kMd11NdModeMap) {
        const double half = range / 2.0;
        g.fill_rectangle_i(gfx::SolidBrush(background_argb(hw_md11_nd_background_rgb)), 115, 248,
                           half >= 10.0 ? 11 : 10, 10);
        text(g, hw_md11_nd_half_range_text(range), f.f9, c::white, half >= 10.0 ? cx - 6 : cx - 4, 248);
    } else {
        const std::string r = format("%.0f", range);
        text(g, r, f.f10, c::white, 220, 60);
        text(g, r, f.f10, c::white, range >= 100.0 ? 4 : 8, 60);
    }
    draw_pointer_readouts(g, f, cx);
    const gfx::Pen white2(c::white, 2.0f);
    lines(g, white2, {{205, 190}, {240, 190}, {205, 190}, {205, 246}});
    text(g, format("RNG %2.0f", range), f.f8, c::white, 205, 205);
    if (mode == kMd11NdModeVor || mode == kMd11NdModeApp) {
        text(g, mode == kMd11NdModeVor ? "VOR1" : "LOC1", f.f8, c::magenta, 0, 215);
        text(g, format("%3.2f", sim_var_object.get_simvar_24_bcd_mhz()), f.f8, c::magenta, 0, 225);
        if (a.nav1_dme_nm > 0.0) text(g, format("%3.1fNM", a.nav1_dme_nm), f.f8, c::magenta, 0, 235);
    } else {
        if (show_airway_fixes_flags[ND_HW_MD11] == 1) text(g, "WPT", f.f8, c::white, 0, 205);
        if (show_navaids_flags[ND_HW_MD11] == 1) {
            text(g, "VOR", f.f8, c::white, 0, 215);
            text(g, "NDB", f.f8, c::white, 0, 225);
        }
        if (show_airports_flags[ND_HW_MD11] == 1) text(g, "ARPT", f.f8, c::white, 0, 235);
    }
    text(g,
         mode == kMd11NdModeMap   ? "MAP"
         : mode == kMd11NdModeVor ? "VOR"
                                  : "APPR",
         f.f8, c::white, 205, 215);
}

void draw_plan_labels(gfx::Graphics& g, const FrameFonts& f, double range) {
    text(g, "N", f.f9, c::white, 215, 200);
    lines(g, gfx::Pen(c::white, 1.0f),
          {{220, 210}, {220, 230}, {220, 210}, {217, 215}, {220, 210}, {223, 215}});
    const std::string full = format("%.0f", range);
    const std::string half = hw_md11_nd_half_range_text(range);
    const auto n = [](const std::string& s) { return 2.0 * static_cast<double>(s.size()); };
    text(g, full, f.f9, c::white, 24 - n(full), 125);
    text(g, half, f.f9, c::white, 71 - n(half), 125);
    g.fill_rectangle_i(gfx::SolidBrush(background_argb(hw_md11_nd_background_rgb)), 166 - n(half), 125,
                       3.0 * n(half), 10);
    text(g, half, f.f9, c::white, 165 - n(half), 125);
    text(g, full, f.f9, c::white, 212 - n(full), 125);
}

void draw_clock_and_wind(gfx::Graphics& g, const DisplayObject& d, const FrameFonts& f) {
    const AircraftState& a = aircraft_state;
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%02.0f:%02.0f", a.zulu_hours, a.zulu_minutes);
    text(g, buffer, f.f7, c::white, 210, 30);
    text(g, hw_md11_nd_elapsed_text(flight_elapsed_seconds, to_waypoint_index != kNoToWaypoint), f.f7,
         c::blue, 210, 38);
    const gfx::Pen white1(c::white, 1.0f);
    g.draw_ellipse_i(white1, 205, 23, 30, 30);
    for (int t = 0; t < 360; t += 30) {
        set_design_frame(g, d, hw_md11_nd_design, 220.0f, 38.0f);
        g.rotate_transform(static_cast<float>(t));
        g.draw_line_i(white1, 0, -12, 0, -15);
    }
    set_design_frame(g, d, hw_md11_nd_design, 0.0f, 0.0f);
    const bool wind = a.wind_speed_kt >= 1.0;
    if (wind)
        std::snprintf(buffer, sizeof buffer, "%03.0f\xB0/%2.0f", a.wind_direction_deg, a.wind_speed_kt);
    else
        std::snprintf(buffer, sizeof buffer, "---\xB0/---");
    text(g, buffer, f.f9, c::white, 0, 40);
    if (!wind) return;
    double towards = std::trunc(a.wind_direction_deg) + 180.0;
    if (towards > 360.0) towards -= 360.0;
    set_design_frame(g, d, hw_md11_nd_design, 15.0f, 30.0f);
    g.rotate_transform(static_cast<float>(towards - a.heading_deg));
    lines(g, white1, {{0, -10}, {2, -5}, {0, -10}, {-2, -5}, {0, 0}, {0, -10}, {0, 0}, {0, 10}});
    set_design_frame(g, d, hw_md11_nd_design, 0.0f, 0.0f);
}

} // namespace

std::string hw_md11_nd_half_range_text(double range) {
    const double half = range / 2.0;
    return format(half == 0.5 || half == 2.5 ? "%2.1f" : "%2.0f", half);
}

std::string hw_md11_nd_elapsed_text(double elapsed_seconds, bool route_active) {
    // Also guards the conversion: a time that is not a sane count of seconds shows zero.
    if (elapsed_seconds == -99.0 || !route_active || !(elapsed_seconds >= 0.0 && elapsed_seconds < 3.6e8))
        return "00:00";
    const long s = static_cast<long>(elapsed_seconds);
    const long hours = s / 3600;
    const long minutes = (s - 3600 * hours) / 60;
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%02ld:%02ld", hours, minutes);
    return buffer;
}

void draw_hw_md11_nd_frame(const DisplayObject& d, gfx::Graphics& g) {
    const AircraftState& a = aircraft_state;
    const int mode = hw_md11_nd_mode;
    const int cx = hw_md11_nd_centre_x;
    const double range = hw_md11_nd_range;
    const FrameFonts f;
    set_design_frame(g, d, hw_md11_nd_design, 0.0f, 0.0f);

    text(g, "GS", f.f9, c::white, 10, 0);
    text(g, format("%3.0f", a.ground_speed_kt), f.f10, c::white, 30, 0);
    text(g, "TAS", f.f9, c::white, 5, 10);
    text(g, format("%3.0f", a.true_airspeed_est_kt), f.f10, c::white, 30, 10);
    const int to = to_waypoint_index;
    if (to != kNoToWaypoint && to >= 0 && to <= active_plan_last) {
        text(g, active_plan[to].ident, f.f9, c::magenta, 159, 7);
        char buffer[64];
        if (a.ground_speed_kt > 30.0)
            std::snprintf(buffer, sizeof buffer, "%2.1fNM/%2.1f", distance_to_to_nm, ete_to_minutes);
        else
            std::snprintf(buffer, sizeof buffer, "%2.1fNM", distance_to_to_nm);
        // A three-digit distance with its time would run past the frame's
        // right edge from x 194: the text then ends at the edge.
        gfx::RectF box{};
        g.measure_string(buffer, f.f8, gfx::RectF{0.0f, 0.0f, 0.0f, 0.0f}, gfx::StringFormat{}, &box);
        text(g, buffer, f.f8, c::magenta, std::min(194.0, hw_md11_nd_design.width - box.width), 9);
    }
    if (mode == kMd11NdModePlan)
        draw_plan_labels(g, f, range);
    else
        draw_compass_frame(g, f, mode, cx, range);

    const gfx::Pen white2(c::white, 2.0f);
    lines(g, white2, {{0, 190}, {35, 190}, {35, 190}, {35, 246}});
    if (mode == kMd11NdModePlan) lines(g, white2, {{35, 200}, {35, 258}});
    if (tcas_display_on == 1) text(g, "TRFC", f.f8, c::white, 0, 195);
    if (DisplayLnavStatusOnMD11ND == 1 && lnav_engaged == 1) text(g, "LNAV", f.f8, c::white, 0, 212);
    if (DisplayVnavStatusOnMD11ND == 1 && vnav_engaged == 1) text(g, "VNAV", f.f8, c::white, 0, 229);
    text(g, lnav_engaged == 1 ? "G/I" : "R/I", f.f8, c::magenta, 40, 225);
    text(g, "NAV", f.f8, c::magenta, 40, 235);
    draw_clock_and_wind(g, d, f);
}
