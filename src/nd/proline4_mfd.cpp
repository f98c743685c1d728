// The PROLINE4_MFD render pass: the shared frame, the scale the map pages
// get from the page's radius, and the page dispatch; with the values the
// compass pages share (course lines, pointers, deviation, TO/FROM) and the
// time en route of the progress table.
#include "data/display_settings.h"
#include "data/display_state.h"
#include "fms/fms_update.h"
#include "fms/guidance/cross_track.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/math/clock_math.h"
#include "fms/math/heading_math.h"
#include "fms/plan/route_plan.h"
#include "map/map_canvas.h"
#include "map/map_projection.h"
#include "map/range_ladder.h"
#include "nd/nd_render_passes.h"
#include "nd/nd_text.h"
#include "nd/proline4_mfd_painters.h"
#include "platform/gfx.h"
#include "sim/aircraft_state.h"
#include "sim/sim_var_reader.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace proline4 {

gfx::Argb background() {
    return background_argb(proline4_mfd_background_rgb);
}

void design_frame(const DisplayObject& d, gfx::Graphics& g, double x, double y) {
    set_design_frame(g, d, proline4_mfd_design, x, y);
}

bool fms_mode() {
    return to_waypoint_index != kNoToWaypoint && lnav_engaged == 1;
}

std::string nav1_ident() {
    return sim_var_object.get_nav1_signal() > 0.0 ? sim_var_object.get_simvar_47_text() : std::string();
}

bool time_to_go_text(double distance_nm, std::string* text) {
    const double gs = aircraft_state.ground_speed_kt;
    if (!(gs > 30.0)) return false;
    // Rounded as a whole: 59.6 minutes reads 01:00, not 00:60.
    const HoursMinutes t = hours_minutes(distance_nm / gs * 60.0);
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "TTG %02.0f:%02.0f", t.hours, t.minutes);
    *text = buffer;
    return true;
}

namespace {

void draw_time_to_go(gfx::Graphics& g, const gfx::Font& font, const gfx::Font& dash_font, bool known,
                     double distance) {
    std::string line;
    if (known && time_to_go_text(distance, &line)) {
        nd::text(g, line, font, white, 0, 40);
        return;
    }
    nd::text(g, "TTG", font, white, 0, 40);
    nd::text(g, "--:--", dash_font, white, 30, 40);
}

std::string ident_line(const char* fmt, const std::string& ident, double value) {
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, fmt, ident.substr(0, 40).c_str(), value);
    return buffer;
}

} // namespace

void draw_course_lines(gfx::Graphics& g, const gfx::Font& font, const gfx::Font& dash_font) {
    const AircraftState& a = aircraft_state;
    if (fms_mode()) {
        nd::text(g, nd::format("FMS       CRS %03.0f", leg_course_deg), font, white, 0, 20);
        nd::text(g,
                 ident_line("%-5s          %3.0fNM", active_plan[to_waypoint_index].ident, distance_to_to_nm),
                 font, white, 0, 30);
        draw_time_to_go(g, font, dash_font, true, distance_to_to_nm);
        return;
    }
    if (!(sim_var_object.get_nav1_signal() > 0.0)) return;
    const std::string ident = nav1_ident();
    nd::text(g, nd::format("NAV1       CRS %03.0f", a.nav1_course_deg), font, white, 0, 20);
    const bool dme = a.nav1_dme_nm > 0.0;
    nd::text(g,
             dme ? ident_line("%-5s         %3.0fNM", ident, a.nav1_dme_nm)
                 : ident_line("%-5s         ---", ident, 0),
             font, white, 0, 30);
    draw_time_to_go(g, font, dash_font, dme, a.nav1_dme_nm);
}

bool pointer_angle(int source, bool nav1, double* angle) {
    const AircraftState& a = aircraft_state;
    if (source == 1) {
        const double signal = nav1 ? sim_var_object.get_nav1_signal() : sim_var_object.get_nav2_signal();
        if (!(signal > 0.0)) return false;
        double b = (nav1 ? a.nav1_relative_bearing_deg : a.nav2_relative_bearing_deg) + a.heading_deg;
        if (b >= 360.0) b -= 360.0;
        *angle = b - a.heading_deg;
        return true;
    }
    if (source == 2) {
        if (!(a.adf1_signal > 1.0)) return false;
        *angle = a.adf1_relative_bearing_deg + 360.0;
        return true;
    }
    if (source == 3) {
        if (to_waypoint_index == kNoToWaypoint) return false;
        *angle = course_to_to_deg - a.heading_deg;
        return true;
    }
    return false;
}

const char* pointer_label(int source, bool nav1) {
    if (source == 1) return nav1 ? "VOR1" : "VOR2";
    return source == 2 ? "ADF" : "FMS";
}

void course_pointer(double needle_divisor, double* angle, int* deviation) {
    const AircraftState& a = aircraft_state;
    if (lnav_engaged == 1) {
        double xtk = 1e-10;
        if (to_waypoint_index != kNoToWaypoint) {
            int bearing_side = 0, xtk_side = 0, heading_side = 0;
            double bearing_offset = 0.0, distance = 0.0, heading_offset = 0.0;
            leg_course_and_distance(&bearing_side, &bearing_offset, &xtk_side, &distance, &heading_side,
                                    &heading_offset, kCrossTrackModeWide);
            // -99 means no leg to measure from: the bar stays centred. Side 1 is
            // right of the leg, as the cross-track routine defines it: the bar goes left.
            if (distance >= 0.0) xtk = xtk_side == 1 ? -distance : distance;
        }
        *deviation = static_cast<int>(std::clamp(xtk, -5.0, 5.0) / 0.1);
        *angle = leg_course_deg - a.heading_deg;
        return;
    }
    *deviation = 0;
    if (sim_var_object.get_nav1_signal() > 0.0)
        *deviation = static_cast<int>(a.snap_token_40 / needle_divisor);
    *angle = a.nav1_course_deg - a.heading_deg;
}

bool nav1_to_from(bool with_lnav, bool* to) {
    const AircraftState& a = aircraft_state;
    if ((!with_lnav && lnav_engaged != 0) || !(sim_var_object.get_nav1_signal() > 0.0)) return false;
    double bearing = a.nav1_relative_bearing_deg + a.heading_deg;
    if (bearing >= 360.0) bearing -= 360.0;
    *to = bearing_is_to(bearing, a.nav1_course_deg);
    return true;
}

bool near_heading(double r, double limit) {
    return (r > -limit && r < limit) || (r > 360.0 - limit && r < 360.0) ||
           (r > -360.0 && r < -360.0 + limit);
}

EnRoute en_route(double distance_nm) {
    const AircraftState& a = aircraft_state;
    const HoursMinutes t = hours_minutes(distance_nm / a.ground_speed_kt * 60.0);
    // A time en route of days still reads as a clock hour. The arrival minute
    // drops its fraction ("%02d"), while the time en route is rounded.
    const HoursMinutes arrival =
        clock_after(a.zulu_hours, a.zulu_minutes,
                    hours_minutes(distance_nm / a.ground_speed_kt * 60.0, Rounding::Down), Rounding::Down);
    EnRoute e;
    e.hours = t.hours;
    e.minutes = t.minutes;
    e.arrival_hour = arrival.hours;
    e.arrival_minutes = arrival.minutes;
    return e;
}

} // namespace proline4

namespace {

void paint(gfx::Graphics& g, int32_t view_mode) {
    const DisplayObject& d = proline4_mfd_display;
    if (d.width <= 0 || d.height <= 0) return;
    const double ppn = units_per_nm(proline4_map_radius_px, proline4_mfd_range);
    switch (proline4_mfd_mode) {
    case kProline4ModeNav:
        draw_proline4_mfd_nav_page(d, g);
        break;
    case kProline4ModeArc:
        draw_proline4_mfd_mode1(d, g);
        break;
    case kProline4ModePlanText:
        draw_proline4_mfd_fpl_page(d, g, view_mode, ppn);
        break;
    case kProline4ModeMap:
        draw_proline4_mfd_map_page(d, g, view_mode, ppn);
        break;
    default:
        break;
    }
}

} // namespace

void render_proline4_mfd(void* device_context, PixelSize size, int32_t view_mode) {
    RenderFrameOptions o;
    o.design_width = 247.0f;
    o.design_height = 285.0f;
    o.background = background_argb(proline4_mfd_background_rgb);
    o.text_hint_first = true;
    run_render_frame(proline4_mfd_display, device_context, size, view_mode, aircraft_state.display_power, o,
                     [&](gfx::Graphics& g) { paint(g, view_mode); });
}
