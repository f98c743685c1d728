// PROLINE4_MFD page 2 and the progress table that pages 2 and 3 share: the
// header line, the FROM, TO, NEXT and destination rows with distance, time
// en route, arrival time and the fuel predicted at the destination, the wind
// line; page 2 adds the north-up inset map below the table.
#include "data/module_settings.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/math/nav_math.h"
#include "fms/perf/speed_targets.h"
#include "fms/plan/entry_marks.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_walk.h"
#include "fms/plan/vertical_state.h"
#include "map/range_ladder.h"
#include "map/render_frame.h"
#include "nd/nd_text.h"
#include "nd/proline4_mfd_painters.h"
#include "platform/gfx.h"
#include "sim/aircraft_state.h"
#include "sim/sim_var_reader.h"

#include <cmath>
#include <cstdio>

namespace {

// 1 while the profile computation holds a profile of the route, so that a
// fuel prediction for the destination exists: from the EXEC that predicts it
// with the cruise altitude (or the prediction that picks one) through climb,
// cruise and descent.
int profile_state_flag() {
    return cruise_altitude > 0 ? 1 : 0;
}

// The NEXT waypoint: the first entry after the TO waypoint that is a place, so
// that a discontinuity or THEN entry (0N 0E) adds no leg; the last entry when
// none is.
int next_waypoint_index() {
    const int next = next_place(active_plan, to_waypoint_index + 1, active_plan_last - 1);
    return next > 0 ? next : active_plan_last;
}

using namespace proline4;
using nd::format;
using nd::text;

struct Fonts {
    gfx::FontFamily arial{"Arial"}, hw{"HW Arial"}, courier{"Courier New"};
    gfx::Font small{arial, 9.0f, gfx::FontStyle::Bold}, label{arial, 11.0f, gfx::FontStyle::Bold},
        number{hw, 11.0f, gfx::FontStyle::Bold}, fixed{courier, 12.0f, gfx::FontStyle::Bold},
        north{arial, 13.0f, gfx::FontStyle::Bold};
};

struct Table {
    gfx::Graphics& g;
    const Fonts& f;

    // A number right-aligned at x: each character 6.4 units wide.
    void right(const std::string& s, gfx::Argb colour, double x, double y) {
        text(g, s, f.number, colour, x - 6.4 * (static_cast<double>(s.size()) - 1.0), y);
    }
    void dash_row(const char* fmt, gfx::Argb colour, double y) {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, fmt, "-----");
        text(g, buffer, f.fixed, colour, 0, y);
        text(g, "NM", f.label, colour, 81, y);
    }
    void ident_and_distance(const std::string& ident, double distance, gfx::Argb colour, double y) {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%-6s", ident.substr(0, 40).c_str());
        text(g, buffer, f.label, colour, 0, y);
        right(format("%.0f", distance), colour, 73, y);
        text(g, "NM", f.label, colour, 80, y);
    }
    void times(double distance, gfx::Argb colour, double y) {
        const EnRoute e = en_route(distance);
        right(format("%.0f", e.hours), colour, 113, y);
        text(g, ":", f.fixed, colour, 119, y);
        text(g, format("%02.0f", e.minutes), f.number, colour, 127, y);
        text(g, format("%02.0f", e.arrival_hour), f.number, colour, 150, y);
        text(g, ":", f.fixed, colour, 164, y);
        char minutes[16];
        std::snprintf(minutes, sizeof minutes, "%02d", static_cast<int>(e.arrival_minutes));
        text(g, minutes, f.number, colour, 171, y);
    }
};

bool kilograms() {
    return WeightUnit == "KGS";
}

double leg_nm(const RouteWaypoint& a, const RouteWaypoint& b) {
    double d = 0.0, course = 0.0;
    gc_dist_course(a.lat, a.lon, b.lat, b.lon, &d, &course);
    return d;
}

// Fuel on board less what the remaining distance r burns: the last 100 NM
// at 85 % of the descent speed target, the rest at the present ground speed.
double destination_fuel(double r) {
    const double gs = aircraft_state.ground_speed_kt;
    const double speed = r > 100.0 ? (0.85 * descent_speed_target * 100.0 + (r - 100.0) * gs) / r : gs;
    const double burned = sim_var_object.get_total_fuel_flow() * r / std::max(speed, gs);
    const double fuel = sim_var_object.get_fuel_on_board_lb() - burned;
    return kilograms() ? fuel * 0.45359237 : fuel;
}

void draw_header(Table& t, const Proline4TableLayout& at) {
    const AircraftState& a = aircraft_state;
    gfx::Graphics& g = t.g;
    const gfx::Font& s = t.f.small;
    text(g, "WX", t.f.label, blue, 0, 0);
    text(g, "UTC", s, blue, 0, at.header_y);
    char utc[32];
    std::snprintf(utc, sizeof utc, "%2.0f:%02.0f", a.zulu_hours, a.zulu_minutes);
    text(g, utc, s, white, at.utc_x, at.header_y);
    text(g, "TAS", s, green, 55, at.header_y);
    text(g, format("%3.0f", a.true_airspeed_est_kt), s, white, 82, at.header_y);
    text(g, "GS", s, green, 120, at.header_y);
    text(g, format("%3.0f", a.ground_speed_kt), s, white, 139, at.header_y);
    text(g, "SAT", s, green, 165, at.header_y);
    text(g, format("%3.0f", a.air_temperature_c), s, white, at.sat_x, at.header_y);
    text(g, "TAT", s, green, 205, at.header_y);
    text(g, format("%3.0f", sim_var_object.get_simvar_350_x256()), s, white, at.tat_x, at.header_y);
}

void draw_from_row(Table& t, double y) {
    // The waypoint the leg is flown from; TO index 0, or a TO after a gap,
    // has none: the row shows its dashes.
    const int from = to_waypoint_index == kNoToWaypoint ? -1 : route_from(active_plan, to_waypoint_index);
    if (from < 0 || from > active_plan_last) {
        t.dash_row("%-8s---    -:--", blue, y);
        return;
    }
    const RouteWaypoint& w = active_plan[from];
    const std::string& passed = passing_time(w);
    if (passed.empty()) {
        text(t.g, "-----", t.f.fixed, blue, 0, y);
        t.right("0", blue, 73, y);
        text(t.g, "NM", t.f.label, blue, 80, y);
        text(t.g, "  -:--", t.f.fixed, blue, 97, y);
        return;
    }
    double d = 0.0, course = 0.0;
    gc_dist_course(aircraft_state.plat, aircraft_state.plon, w.lat, w.lon, &d, &course);
    t.ident_and_distance(w.ident, d, blue, y);
    text(t.g, "  -:--", t.f.fixed, blue, 97, y);
    text(t.g, passed, t.f.label, blue, 150, y);
}

// The TO and NEXT rows: identifier, distance and, above 30 kt, the times.
void draw_ahead_row(Table& t, const RouteWaypoint& w, double distance, gfx::Argb colour, double y) {
    t.ident_and_distance(w.ident, distance, colour, y);
    if (aircraft_state.ground_speed_kt > 30.0)
        t.times(distance, colour, y);
    else
        text(t.g, "  -:-- --:--", t.f.fixed, colour, 97, y);
}

void draw_destination_row(Table& t, double y) {
    const char* unit = kilograms() ? "KG" : "LB";
    // A destination still to be entered shows as none: its dashes.
    if (to_waypoint_index == kNoToWaypoint || !is_place(active_plan[active_plan_last])) {
        t.dash_row("%-8s---    -:-- --:-- ----", white, y);
        text(t.g, unit, t.f.label, white, 225, y);
        return;
    }
    const int to = to_waypoint_index, next = next_waypoint_index(), last = active_plan_last;
    double distance = distance_to_to_nm;
    if (to < last) distance += leg_nm(active_plan[to], active_plan[next]);
    // Without a waypoint after the TO waypoint nothing remains beyond it.
    const double r = next < last ? leg_nm(active_plan[next], active_plan[last]) : 0.0;
    distance += r;
    t.ident_and_distance(active_plan[last].ident, distance, white, y);
    if (!(aircraft_state.ground_speed_kt > 30.0)) {
        text(t.g, "  -:-- --:-- ----", t.f.fixed, white, 97, y);
        text(t.g, unit, t.f.label, white, 225, y);
        return;
    }
    t.times(distance, white, y);
    const std::string fuel = profile_state_flag() == 1
                                 ? format(kilograms() ? "%.0fKG" : "%.0fLB", destination_fuel(r))
                                 : std::string(kilograms() ? "---KG" : "---LB");
    text(t.g, fuel, t.f.label, white, 190, y);
}

void draw_table(const DisplayObject& d, gfx::Graphics& g, const Fonts& f, const Proline4TableLayout& at) {
    design_frame(d, g);
    Table t{g, f};
    draw_header(t, at);
    draw_from_row(t, at.row_y[0]);
    const bool route = to_waypoint_index != kNoToWaypoint;
    if (route)
        draw_ahead_row(t, active_plan[to_waypoint_index], distance_to_to_nm, magenta, at.row_y[1]);
    else
        t.dash_row("%-8s---    -:-- --:--", magenta, at.row_y[1]);
    if (route && active_plan_last - to_waypoint_index >= 2 && next_waypoint_index() < active_plan_last) {
        const RouteWaypoint& to = active_plan[to_waypoint_index];
        const RouteWaypoint& next = active_plan[next_waypoint_index()];
        draw_ahead_row(t, next, distance_to_to_nm + leg_nm(to, next), white, at.row_y[2]);
    } else {
        t.dash_row("%-8s---    -:-- --:--", white, at.row_y[2]);
    }
    draw_destination_row(t, at.row_y[3]);
    const AircraftState& a = aircraft_state;
    char wind[48];
    std::snprintf(wind, sizeof wind, at.wind_format, a.wind_direction_deg, a.wind_speed_kt);
    text(g, wind, f.number, white, 0, at.wind_y);
}

} // namespace

void draw_proline4_progress_table(const DisplayObject& d, gfx::Graphics& g, const Proline4TableLayout& at) {
    const Fonts f;
    draw_table(d, g, f, at);
}

void draw_proline4_wind_arrow(const DisplayObject& d, gfx::Graphics& g) {
    const AircraftState& a = aircraft_state;
    if (!(a.wind_speed_kt >= 1.0)) return;
    double downwind = a.wind_direction_deg + 180.0;
    if (downwind > 360.0) downwind -= 360.0;
    design_frame(d, g, 20.0, 90.0);
    g.rotate_transform(static_cast<float>(downwind - a.heading_deg));
    const gfx::Pen pen(white, 2.0f);
    g.draw_line_i(pen, 0, -10, -3, -6);
    g.draw_line_i(pen, 0, -10, 3, -6);
    g.draw_line_i(pen, 0, 0, 0, -10);
    g.draw_line_i(pen, 0, 0, 0, 10);
}

void draw_proline4_mfd_fpl_page(const DisplayObject& d, gfx::Graphics& g, int view_mode, double ppn) {
    const Fonts f;
    draw_table(d, g, f, proline4_fpl_table);
    design_frame(d, g, 123.0, 155.0);
    // 150 wide about a corner at (-70, -70), as the page has always drawn it.
    g.draw_ellipse_i(gfx::Pen(white, 2.0f), -70, -70, 150, 150);
    text(g, format("%-3.0f", proline4_mfd_range), f.label, white, proline4_mfd_range >= 100.0 ? -10 : -7,
         -70);
    draw_proline4_mfd_map_layer(d, g, view_mode, ppn);
    design_frame(d, g);
    text(g, "N", f.north, white, 118, 70);
    draw_proline4_wind_arrow(d, g);
}
