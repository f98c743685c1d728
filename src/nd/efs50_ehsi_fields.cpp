// The EFS50_EHSI data fields of formats 1 to 7: course, TO/FROM, source,
// distance, ground speed and time to go, the bearing-pointer legends, the
// heading-bug readout, "WX OFF", "NO MAP" and the wind arrow.
#include "data/display_settings.h"
#include "data/display_state.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/math/clock_math.h"
#include "fms/plan/route_plan.h"
#include "map/map_canvas.h"
#include "map/map_projection.h"
#include "map/palette.h"
#include "map/render_frame.h"
#include "nd/efs50_ehsi_painters.h"
#include "nd/nd_text.h"
#include "platform/gfx.h"
#include "sim/aircraft_state.h"
#include "sim/sim_var_reader.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace {

namespace c = palette;

std::string format(const char* f, double v) {
    char text[48];
    std::snprintf(text, sizeof text, f, v);
    return text;
}

struct Fields {
    const DisplayObject& d;
    gfx::Graphics& g;
    gfx::FontFamily family{"Arial"};
    gfx::Font f10{family, 10.0f, gfx::FontStyle::Bold, gfx::Unit::Pixel};
    gfx::Font f14{family, 14.0f, gfx::FontStyle::Bold, gfx::Unit::Pixel};

    void text(const std::string& s, const gfx::Font& f, gfx::Argb colour, float x, float y) {
        g.draw_string(s, f, gfx::SolidBrush(colour), gfx::PointF{x, y});
    }
    void frame() { set_design_frame(g, d, efs50_ehsi_design, 0.0f, 0.0f); }
};

bool route_active() {
    return to_waypoint_index != kNoToWaypoint;
}

// The legend of one bearing pointer: symbol, source label, value and "NM",
// crossed out in red while its source fails.
void draw_legend(Fields& f, int source, bool nav1) {
    const AircraftState& s = aircraft_state;
    const gfx::Argb colour = nav1 ? c::blue : efs50_colour::magenta;
    const float x = nav1 ? 30.0f : 210.0f;
    const gfx::Pen pen(colour, 1.0f);
    if (nav1) {
        const gfx::Point head[] = {{20, 205}, {25, 210}, {15, 210}, {20, 205}};
        f.g.fill_polygon_i(gfx::SolidBrush(colour), head);
        f.g.draw_line_i(pen, 20, 210, 20, 220);
    } else {
        const gfx::Point head[] = {{200, 205}, {205, 210}, {195, 210}, {200, 205}};
        f.g.fill_polygon_i(gfx::SolidBrush(colour), head);
        f.g.draw_line_i(pen, 197, 210, 197, 220);
        f.g.draw_line_i(pen, 203, 210, 203, 220);
    }
    std::string label, value = "---";
    bool failed = false;
    if (source == 1) {
        label = nav1 ? "VOR 1" : "VOR 2";
        const double signal = nav1 ? sim_var_object.get_nav1_signal() : sim_var_object.get_nav2_signal();
        if (signal > 0.0)
            value = format("%3.1f", nav1 ? s.nav1_dme_nm : s.nav2_dme_nm);
        else
            failed = true;
    } else if (source == 2) {
        label = "FMS";
        if (route_active())
            value = format("%4.1f", distance_to_to_nm);
        else
            failed = true;
    } else {
        label = "ADF";
        failed = s.adf1_signal < 1.0;
    }
    f.text(label, f.f14, colour, x, 200.0f);
    f.text(value, f.f14, colour, x, 210.0f);
    const int n = static_cast<int>(value.size());
    const int left[] = {50, 59, 66, 74, 82};
    const int right[] = {231, 239, 247, 255, 263};
    const int* column = nav1 ? left : right;
    const int nm_x = n <= 3 ? column[0] : n <= 7 ? column[n - 3] : column[4] + 8 * (n - 7);
    f.text("NM", f.f14, colour, static_cast<float>(nm_x), 210.0f);
    if (failed) {
        const gfx::Pen red(efs50_colour::red, 1.0f);
        f.g.draw_line_i(red, x, 202, x + 30, 208);
        f.g.draw_line_i(red, x, 208, x + 30, 202);
    }
}

void draw_bug_readout(Fields& f, int mode) {
    const AircraftState& s = aircraft_state;
    const double v = s.heading_bug_deg == 0.0 ? 360.0 : s.heading_bug_deg;
    const std::string text = format("%03.0f\xB0", v);
    if (mode <= kEfs50EhsiModeRoseMapSectors) {
        f.text(text, f.f14, c::amber, 208.0f, 180.0f);
        return;
    }
    const double heading = s.heading_deg, bug = s.heading_bug_deg;
    // Folded, so that a bug just across north from the heading is not shown.
    if (std::fabs(std::remainder(bug - heading, 360.0)) <= 45.0) return;
    const bool left = (heading > bug && heading - v <= 180.0) || (heading <= bug && v - heading > 180.0);
    f.frame();
    f.g.translate_transform(left ? 15.0f : 220.0f, left ? 105.0f : 85.0f);
    f.g.rotate_transform(left ? -40.0f : 40.0f);
    f.text(text, f.f14, c::amber, 0.0f, 0.0f);
    f.frame();
}

} // namespace

// The column of the distance, ground-speed and time texts by the length of
// the wrapped distance text; longer texts keep stepping left.
int efs50_distance_column(int length) {
    static constexpr int columns[] = {218, 210, 202, 194, 187};
    if (length <= 3) return columns[0];
    if (length <= 7) return columns[length - 3];
    return 187 - 8 * (length - 7);
}

// Minutes as "h:mm" (whole hours, the rest rounded, 60 carried into the hours).
std::string efs50_time_to_go_text(double minutes) {
    const HoursMinutes t = hours_minutes(minutes);
    char text[48];
    std::snprintf(text, sizeof text, "%2.0f:%02.0f", t.hours, t.minutes);
    return text;
}

void draw_efs50_ehsi_data_fields(const DisplayObject& d, gfx::Graphics& g) {
    const AircraftState& s = aircraft_state;
    Fields f{d, g};
    f.frame();
    const int mode = efs50_ehsi_mode;
    const bool radio = efs50_nav_source == kEfs50NavSourceVor;
    const gfx::Argb source = radio ? efs50_colour::green : c::blue;

    if (radio)
        f.text(format("CRS %03.0f", s.nav1_course_deg), f.f14, source, 0.0f, 0.0f);
    else
        f.text(route_active() ? format("DTK %03.0f", leg_course_deg) : "DTK ---", f.f14, source, 0.0f, 0.0f);

    bool to = false;
    if ((mode == kEfs50EhsiModeRoseMapWxOff || mode == kEfs50EhsiModeRoseMapSectors ||
         mode == kEfs50EhsiModeArcMap || mode == kEfs50EhsiModeArcMapWxOff) &&
        efs50_to_from(&to))
        f.text(to ? "TO" : "FR", f.f10, c::white, 60.0f, 3.0f);
    if (s.wind_speed_kt >= 1.0) f.text(format("%4.0f", s.wind_speed_kt), f.f14, source, 15.0f, 15.0f);

    const char* letters = radio ? (sim_var_object.test_simvar_46_bit_128() ? "LOC" : "VOR") : "FMS";
    for (int i = 0; i < 3; ++i)
        f.text(std::string(1, letters[i]), f.f14, source, 0.0f, 90.0f + 15.0f * i);

    std::string distance = "---";
    if (radio && s.nav1_dme_nm > 0.0)
        distance = format("%4.1f", s.nav1_dme_nm);
    else if (!radio && route_active())
        distance = format("%4.1f", distance_to_to_nm);
    distance = " " + distance + " ";
    const float x = static_cast<float>(efs50_distance_column(static_cast<int>(distance.size())));
    f.text(distance, f.f14, source, x, 0.0f);
    f.text("NM", f.f14, source, 240.0f, 0.0f);
    f.text(" " + format("%4.0f", s.ground_speed_kt) + " ", f.f14, source, x, 15.0f);
    f.text("KT", f.f14, source, 240.0f, 15.0f);
    if (s.ground_speed_kt > 50.0) {
        double minutes = -1.0;
        if (radio && s.nav1_dme_nm > 0.0 && s.snap_token_32 > 0.0)
            minutes = s.nav1_dme_nm / s.snap_token_32 * 60.0;
        else if (!radio && route_active() && distance_to_to_nm > 0.0)
            minutes = distance_to_to_nm / s.ground_speed_kt * 60.0;
        if (minutes >= 0.0) f.text(" " + efs50_time_to_go_text(minutes) + " ", f.f14, source, x, 30.0f);
    }

    if (efs50_brg1_source > 0) draw_legend(f, efs50_brg1_source, true);
    if (efs50_brg2_source > 0) draw_legend(f, efs50_brg2_source, false);

    if (mode == kEfs50EhsiModeRoseMapWxOff || mode == kEfs50EhsiModeArcMapWxOff ||
        mode == kEfs50EhsiModeArcWxOff)
        f.text("WX OFF", f.f14, c::white, 0.0f, 190.0f);
    const bool no_map = (radio && !(sim_var_object.get_nav1_signal() > 0.0)) || (!radio && !route_active());
    if (no_map && (mode == kEfs50EhsiModeRoseMapWxOff || mode == kEfs50EhsiModeRoseMapSectors))
        f.text("NO MAP", f.f10, c::white, 110.0f, 155.0f);
    if (no_map && (mode == kEfs50EhsiModeArcMap || mode == kEfs50EhsiModeArcMapWxOff))
        f.text("NO MAP", f.f10, c::white, 110.0f, 45.0f);

    draw_bug_readout(f, mode);

    if (s.wind_speed_kt >= 1.0) {
        double towards = s.wind_direction_deg + 180.0;
        if (towards > 360.0) towards -= 360.0;
        g.translate_transform(10.0f, 22.0f);
        g.rotate_transform(static_cast<float>(towards - s.heading_deg));
        const gfx::Point head[] = {{0, -6}, {5, -1}, {-5, -1}, {0, -6}};
        g.fill_polygon_i(gfx::SolidBrush(c::white), head);
        g.draw_line_i(gfx::Pen(c::white, 2.0f), 0, -1, 0, 6);
        f.frame();
    }
}
