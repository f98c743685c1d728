// The vertical-profile points on the maps: the planned top of climb and top
// of descent, and the floating indicators (the point where a descent from the
// present altitude would have to begin, and the next level-off point).
#include "data/aircraft_settings.h"
#include "data/module_settings.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/math/nav_math.h"
#include "fms/perf/vertical_profile.h"
#include "fms/perf/vnav_phase.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/vertical_state.h"
#include "map/map_overlays.h"
#include "map/palette.h"
#include "platform/gfx.h"
#include "platform/text_file.h"
#include "sim/aircraft_state.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

namespace c = palette;

namespace {

constexpr int kCodeHw = 8;
constexpr int kCodeMd11 = 9;
constexpr int kCodeLine = 10;

struct Marker {
    gfx::Graphics& g;
    double sx;
    double sy;
    gfx::Pen circle_pen;
    gfx::Pen line_pen;
    gfx::Pen arrow_pen;
    gfx::SolidBrush green;
    gfx::SolidBrush amber;
    gfx::FontFamily family;
    gfx::Font font;

    Marker(gfx::Graphics& graphics, double sx_, double sy_)
        : g(graphics), sx(sx_), sy(sy_), circle_pen(c::light_green, static_cast<float>(sx_)),
          line_pen(c::blue, static_cast<float>(2.0 * sx_)), arrow_pen(c::blue, static_cast<float>(3.0 * sx_)),
          green(c::green), amber(c::amber), family("Arial"),
          font(family, static_cast<float>(10.0 * sy_), gfx::FontStyle::Bold, gfx::Unit::Pixel) {
        arrow_pen.custom_end_cap = gfx::AdjustableArrowCap{3.0f, 3.0f, true};
    }

    void text(const std::string& s, const gfx::SolidBrush& brush, double x, double y) const {
        g.draw_string(s, font, brush,
                      gfx::PointF{static_cast<float>(std::trunc(x)), static_cast<float>(std::trunc(y))});
    }
    // Label to the left of the point: text length + 32 units.
    void text_left(const std::string& s, const gfx::SolidBrush& brush, int x, int y) const {
        text(s, brush, x - (static_cast<double>(s.size()) + 32.0) * sx, y - 8.0 * sy);
    }
    void dot(const gfx::SolidBrush& brush, int x, int y) const {
        g.fill_ellipse_i(brush, std::trunc(x - 4.0 * sx), std::trunc(y - 5.0 * sy), std::trunc(8.0 * sx),
                         std::trunc(8.0 * sy));
    }
    void ring(int x, int y) const {
        g.draw_ellipse_i(circle_pen, std::trunc(x - 3.0 * sx), std::trunc(y - 4.0 * sy), std::trunc(6.0 * sx),
                         std::trunc(6.0 * sy));
    }
    void line(const gfx::Pen& pen, int x, int y, double x1, double y1, double x2, double y2) const {
        g.draw_line_i(pen, std::trunc(x + x1 * sx), std::trunc(y + y1 * sy), std::trunc(x + x2 * sx),
                      std::trunc(y + y2 * sy));
    }
};

struct Frame {
    double ppn = 0.0;
    int code = 0;
    int centre_x = 0;
    int centre_y = 0;
    double ref_lat = 0.0;
    double ref_lon = 0.0;
    double map_up = 0.0;
};

void place(const Frame& f, const Marker& m, double lat, double lon, int* x, int* y) {
    double distance = 0.0, course = 0.0;
    gc_dist_course(f.ref_lat, f.ref_lon, lat, lon, &distance, &course);
    int32_t px = 0, py = 0;
    turn_arc_geometry_i(f.map_up, course, f.centre_x, f.centre_y, distance * f.ppn, &px, &py);
    if (f.code == kCodeHw) {
        // A far point in a fine frame leaves the integer range.
        *x = saturate_to_int(px * m.sx);
        *y = saturate_to_int(py * m.sy);
    } else {
        *x = px;
        *y = py;
    }
}

// Where a descent from the present altitude at the predicted rate would have
// to begin, back from the next constrained waypoint along LNAV's path as the
// profile places its T/D. False without a TO waypoint or a predicted rate.
bool floating_descent_point(double* lat, double* lon) {
    // A rate of 0 or below (or none at all) descends nowhere.
    if (to_waypoint_index < 0 || to_waypoint_index > active_plan_last || !(descent_rate_used_fpm > 0.0))
        return false;
    const double d = (aircraft_state.indicated_altitude_ft - vertical_target_altitude) /
                     descent_rate_used_fpm * descent_tas_target / 60.0;
    const ProfilePoint p = point_back_along_path(constraint_waypoint_index, d);
    *lat = p.lat;
    *lon = p.lon;
    return p.exists;
}

void draw_floating(const Frame& f, const Marker& m) {
    const AircraftState& a = aircraft_state;
    const double level_off = vertical_target_altitude;
    // A target without an altitude (the unconstrained last waypoint of a
    // route without its destination) is no level-off point, and no descent
    // leads to it: the sentinel is never shown as an altitude.
    if (level_off <= kNoConstraint) return;
    double lat = 0.0, lon = 0.0;
    int x = 0, y = 0;
    if (a.indicated_altitude_ft - 500.0 > level_off && floating_descent_point(&lat, &lon)) {
        place(f, m, lat, lon, &x, &y);
        m.dot(m.amber, x, y);
        m.text_left("[TOD]", m.amber, x, y);
    }

    // The target rests at 0N 0E until a route or a profile places it (a top
    // of climb never predicted is there too): then there is no level-off
    // point to mark.
    if (vertical_target_lat == 0.0 && vertical_target_lon == 0.0) return;
    const bool vnav = vnav_engaged == 1;
    if (vnav && vertical_target_lat == toc_lat && vertical_target_lon == toc_lon) return;
    place(f, m, vertical_target_lat, vertical_target_lon, &x, &y);
    m.dot(m.amber, x, y);
    const bool at_cruise = level_off == cruise_altitude;
    const bool descending = descent_speed_phase == kDescentSpeedPhaseOn;
    std::string label;
    if (!descending && at_cruise) {
        if (!vnav) label = "[TOC]";
    } else if (descending && vnav_phase != VnavPhase::Descent && at_cruise) {
        if (!vnav) label = "[TOD]";
    } else {
        char buf[32];
        std::snprintf(buf, sizeof buf, "[%.0f]", level_off);
        label = buf;
    }
    if (label.empty()) return;
    if (vnav)
        m.text(label, m.amber, x + 7.0 * m.sx, y - 8.0 * m.sy);
    else
        m.text_left(label, m.amber, x, y);
}

// The line symbols of the MD11 (code 9) and the arrow symbols (code 10).
void draw_line_symbol(const Marker& m, int code, bool climb, int x, int y) {
    const double sx = m.sx, sy = m.sy;
    if (climb) {
        m.line(m.line_pen, x, y, -28, -7, -15, 0);
        m.line(m.line_pen, x, y, -15, 0, -8, 0);
        if (code == kCodeLine) {
            m.line(m.arrow_pen, x, y, -5, 0, 0, 0);
            return;
        }
        // Offsets across the line are in horizontal units on both axes.
        const double r = sx / sy;
        m.line(m.line_pen, x, y, -8, 0, -8, -3 * r);
        m.line(m.line_pen, x, y, -8, 0, -8, 3 * r);
        m.line(m.line_pen, x, y, -8, -4 * r, 0, 0);
        m.line(m.line_pen, x, y, -8, 4 * r, 0, 0);
        return;
    }
    m.line(m.line_pen, x, y, -28, -8, -15, -8);
    m.line(m.line_pen, x, y, -15, -8, -8, -6);
    if (code == kCodeLine) {
        m.line(m.arrow_pen, x, y, -5, -4, 0, 0);
        return;
    }
    m.line(m.line_pen, x, y, -8, -6, -5, -10);
    m.line(m.line_pen, x, y, -8, -6, -11, -2);
    m.line(m.line_pen, x, y, -5, -10, 0, 0);
    m.line(m.line_pen, x, y, -11, -2, 0, 0);
}

void draw_planned(const Frame& f, const Marker& m) {
    int x = 0, y = 0;
    const ProfilePoint& tod = active_profile().tod;
    // The planned top of climb stays on the map until the descent begins.
    const bool climbing = descent_speed_phase == kDescentSpeedPhaseOff;
    if (f.code == kCodeHw || f.code == kCodeMd11 || f.code == kCodeLine) {
        // No TOC placed yet (a route just replaced): none is drawn.
        if (climbing && !(toc_lat == 0.0 && toc_lon == 0.0)) {
            place(f, m, toc_lat, toc_lon, &x, &y);
            if (f.code == kCodeHw) {
                m.ring(x, y);
                m.text("T/C", m.green, x + 8.0 * m.sx, y - 7.0 * m.sy);
            } else {
                draw_line_symbol(m, f.code, true, x, y);
            }
        }
        // No TOD was located (no end of descent): none is drawn.
        if (!tod.exists) return;
        place(f, m, tod.lat, tod.lon, &x, &y);
        if (f.code == kCodeHw) {
            m.ring(x, y);
            m.text("T/D", m.green, x + 8.0 * m.sx, y - 7.0 * m.sy);
        } else {
            draw_line_symbol(m, f.code, false, x, y);
        }
        return;
    }
    if (vnav_engaged != 1) return;
    if (!(toc_lat == 0.0 && toc_lon == 0.0)) {
        place(f, m, toc_lat, toc_lon, &x, &y);
        m.text_left("[TOC]", m.green, x, y);
        m.dot(m.green, x, y);
    }
    if (!tod.exists) return;
    place(f, m, tod.lat, tod.lon, &x, &y);
    m.dot(m.green, x, y);
    m.text_left("[TOD]", m.green, x, y);
}

} // namespace

void draw_tod_toc_markers(gfx::Graphics& g, int radius, double range, int centre_x, int centre_y,
                          int display_code, double x_scale, double y_scale, double ref_lat, double ref_lon,
                          double heading) {
    // The profile's points belong to the route flown: none without one.
    if (!(range > 0.0) || to_waypoint_index == kNoToWaypoint) return;
    Frame f;
    f.code = display_code;
    f.ppn = display_code == kCodeHw ? radius / range : std::trunc(radius * y_scale) / range;
    f.centre_x = centre_x;
    f.centre_y = centre_y;
    f.ref_lat = ref_lat;
    f.ref_lon = ref_lon;
    f.map_up = heading;
    const Marker m(g, x_scale, y_scale);

    const bool floating_gated =
        display_code == kCodeHw || display_code == kCodeMd11 || display_code == kCodeLine;
    if (!floating_gated || ShowFloatingTodBodIndicators == 1) draw_floating(f, m);
    if (cruise_altitude > 0) draw_planned(f, m);
}
