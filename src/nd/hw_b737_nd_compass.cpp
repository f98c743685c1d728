// The HW_B737_ND full heading rose of the compass and VOR modes, and the
// turn prediction arcs of the map modes.
#include "data/display_settings.h"
#include "data/display_state.h"
#include "fms/guidance/cross_track.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/math/heading_math.h"
#include "fms/plan/route_plan.h"
#include "map/map_canvas.h"
#include "map/map_projection.h"
#include "map/palette.h"
#include "map/range_ladder.h"
#include "nd/hw_b737_nd_painters.h"
#include "platform/gfx.h"
#include "sim/aircraft_state.h"
#include "sim/sim_var_reader.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

namespace c = palette;
using gfx::Point;

// Needle units per design unit of the lateral deviation bar (127 -> 37).
constexpr double kNeedlePerUnit = 3.4324324324324325;
// NM per design unit of the cross-track bar (5 NM -> 37).
constexpr double kNmPerUnit = 0.132;

// The rose frame: the design scale about (122, 151), turned by `degrees`.
void rose_frame(gfx::Graphics& g, const DisplayObject& d, double degrees) {
    set_design_frame(g, d, hw_b737_nd_design, 122.0f, 151.0f);
    if (degrees != 0.0) g.rotate_transform(static_cast<float>(degrees));
}

template <std::size_t N> void polyline(gfx::Graphics& g, const gfx::Pen& p, const Point (&points)[N]) {
    g.draw_lines_i(p, points);
}

void dots(gfx::Graphics& g, const gfx::Pen& p, std::initializer_list<Point> corners) {
    for (const Point& corner : corners)
        g.draw_ellipse_i(p, corner.x, corner.y, 5, 5);
}

// The bar offset of the FMS leg: the cross-track distance, negative while
// the aircraft is right of the leg (the bar then stands left, as the needle
// does), limited to 5 NM. 0 without a leg.
int cross_track_units() {
    int bearing_side = 0, xtk_side = 0, heading_side = 0;
    double bearing_offset = 0.0, xtk = 0.0, heading_offset = 0.0;
    leg_course_and_distance(&bearing_side, &bearing_offset, &xtk_side, &xtk, &heading_side, &heading_offset,
                            kCrossTrackModeWide);
    if (!(xtk >= 0.0)) return 0;
    // Side 1 is right of the leg, as the cross-track routine defines it: the bar goes left.
    if (xtk_side == 1) xtk = -xtk;
    return static_cast<int>(std::clamp(xtk, -5.0, 5.0) / kNmPerUnit);
}

// The bearing to the NAV1 station, 0 to 360.
double nav1_bearing() {
    double b = aircraft_state.nav1_relative_bearing_deg + aircraft_state.heading_deg;
    if (b >= 360.0) b -= 360.0;
    return b;
}

void draw_vor_mode_extras(const DisplayObject& d, gfx::Graphics& g, bool nav1_received) {
    const AircraftState& a = aircraft_state;
    const gfx::Pen white(c::white, 2.0f);
    const double bearing = nav1_bearing();
    if (nav1_received) {
        if (bearing_is_to(bearing, a.nav1_course_deg)) {
            const Point to[] = {{0, -18}, {4, -14}, {-4, -14}, {0, -18}};
            polyline(g, white, to);
        } else {
            const Point from[] = {{0, 18}, {4, 14}, {-4, 14}, {0, 18}};
            polyline(g, white, from);
        }
    }

    if (sim_var_object.test_simvar_46_bit_64() != 0) {
        set_design_frame(g, d, 266.0f, 230.0f, 129.0f, 114.0f);
        dots(g, white, {{120, -15}, {120, -30}, {120, 10}, {120, 25}});
        const Point mark[] = {{117, -2}, {127, -2}, {127, 4}, {117, 4}, {117, -2}};
        polyline(g, white, mark);
        if (sim_var_object.get_simvar_852() != 0.0) {
            const int y = static_cast<int>(a.snap_token_41 / 3.42);
            const Point diamond[] = {{117, y}, {123, y - 5}, {127, y}, {123, y + 5}};
            g.fill_polygon_i(gfx::SolidBrush(c::magenta), diamond);
        }
    }

    if (nd_vor_adf_select != 1) return;
    if (a.adf1_signal > 1.0) {
        rose_frame(g, d, a.adf1_relative_bearing_deg + 360.0);
        const Point head[] = {{0, -90}, {5, -82}, {-5, -82}};
        g.fill_polygon_i(gfx::SolidBrush(c::blue), head);
        const gfx::Pen cyan(c::blue, 2.0f);
        g.draw_line_i(cyan, 0, -60, 0, -90);
        g.draw_line_i(cyan, 0, 60, 0, 90);
        g.draw_line_i(cyan, 0, 81, 8, 87);
        g.draw_line_i(cyan, 0, 81, -8, 87);
    }
    if (nav1_received) {
        rose_frame(g, d, bearing - a.heading_deg);
        const gfx::Pen green2(c::light_green, 2.0f);
        const gfx::Pen green1(c::light_green, 1.0f);
        const Point head[] = {{0, -60}, {-6, -60}, {-6, -65}, {-3, -65}, {-3, -85}, {0, -90},
                              {3, -85}, {3, -65},  {6, -65},  {6, -60},  {0, -60}};
        polyline(g, green2, head);
        g.draw_line_i(green1, 0, -60, 0, -90);
        const Point tail[] = {{0, 60},  {3, 65},  {3, 80},  {8, 85},  {8, 90}, {0, 85},
                              {-8, 90}, {-8, 85}, {-3, 80}, {-3, 65}, {0, 60}};
        polyline(g, green2, tail);
        g.draw_line_i(green1, 0, 60, 0, 90);
        g.draw_line_i(green2, 0, 81, 8, 88);
        g.draw_line_i(green2, 0, 81, -8, 88);
    }
}

} // namespace

void draw_hw_b737_nd_compass_rose(const DisplayObject& d, gfx::Graphics& g) {
    const AircraftState& a = aircraft_state;
    const double heading = a.heading_deg;
    const int mode = hw_b737_nd_mode;
    const gfx::Pen white(c::white, 2.0f);
    const gfx::FontFamily family("Arial");
    const gfx::Font label_font(family, 12.0f, gfx::FontStyle::Bold, gfx::Unit::Pixel);
    const gfx::SolidBrush label_brush(c::white);

    rose_frame(g, d, 0.0);
    g.draw_line_i(white, -3, 0, -12, 0);
    g.draw_line_i(white, -3, -12, -3, 12);
    g.draw_line_i(white, 3, 0, 12, 0);
    g.draw_line_i(white, 3, -12, 3, 12);
    g.draw_line_i(white, -3, 11, -10, 11);
    g.draw_line_i(white, 3, 11, 10, 11);

    for (int deg = 0; deg < 360; deg += 5) {
        rose_frame(g, d, deg - heading);
        g.draw_line_i(white, 0, deg % 10 == 0 ? -65 : -70, 0, -80);
        if (deg % 30 == 0) {
            char text[8];
            std::snprintf(text, sizeof text, "%d", deg / 10);
            g.draw_string(text, label_font, label_brush, gfx::PointF{deg == 270 ? -7.0f : -8.0f, -60.0f});
        }
    }
    for (int deg = 0; deg < 360; deg += 45) {
        rose_frame(g, d, deg);
        g.draw_line_i(white, 0, -80, 0, -95);
    }

    int deviation = 0;
    double rotation = 0.0;
    if (mode == kB737NdModeVor) {
        deviation = static_cast<int>(a.snap_token_40 / kNeedlePerUnit);
        rotation = a.nav1_course_deg - heading;
    } else if (to_waypoint_index != kNoToWaypoint) {
        deviation = cross_track_units();
        rotation = leg_course_deg - heading;
    }
    rose_frame(g, d, rotation);
    dots(g, white, {{-25, -3}, {-40, -3}, {20, -3}, {35, -3}});
    const Point arrow[] = {{3, -30},  {3, -35},  {6, -35},  {6, -40},  {3, -40},  {3, -65},  {0, -70},
                           {-3, -65}, {-3, -40}, {-6, -40}, {-6, -35}, {-3, -35}, {-3, -30}, {3, -30}};
    polyline(g, white, arrow);
    const bool nav1_received = sim_var_object.get_nav1_signal() > 0.0;
    if (mode != kB737NdModeVor || nav1_received)
        g.draw_rectangle_i(gfx::Pen(c::magenta, 2.0f), deviation - 3, -27, 6, 54);
    const Point tail[] = {{-3, 30}, {3, 30}, {3, 65}, {0, 70}, {-3, 65}, {-3, 30}};
    polyline(g, white, tail);

    if (mode == kB737NdModeVor) draw_vor_mode_extras(d, g, nav1_received);
    set_design_frame(g, d, 266.0f, 230.0f, 0.0f, 0.0f);
}

void draw_hw_b737_nd_arc_part(const DisplayObject& d, gfx::Graphics& g, double ppn) {
    const AircraftState& a = aircraft_state;
    const double gs = a.ground_speed_kt;
    const double tan_bank = std::tan(std::fabs(a.bank_deg) * 0.01745);
    // Wings level or standing still: no turn to predict (and nothing to
    // divide by).
    if (!(gs > 0.0) || !(tan_bank > 0.0) || !(ppn > 0.0)) return;
    const double radius_ft = gs * gs / (11.23 * tan_bank);
    const double rate = gs * 96.7 / radius_ft; // degrees per second
    const int diameter = gfx::saturate_i32(2.0 * radius_ft / 6076.1 * ppn);
    if (!std::isfinite(rate) || diameter <= 0) return;

    const int mode = hw_b737_nd_mode;
    set_design_frame(g, d, hw_b737_nd_design, 122.0f, mode >= kB737NdModeCtrMap ? 171.0f : 249.0f);
    const gfx::Pen white(c::white, 2.0f);
    const bool right = a.bank_deg < 0.0;
    const double box_x = right ? 0.0 : -double(diameter);
    const double box_y = -(diameter / 2);
    auto segment = [&](double t0, double seconds) {
        const double start = right ? 180.0 + rate * t0 : -(rate * t0);
        const double sweep = right ? rate * seconds : -(rate * seconds);
        g.draw_arc_i(white, box_x, box_y, diameter, diameter, static_cast<float>(start),
                     static_cast<float>(sweep));
    };
    segment(0.0, 30.0);
    if (hw_b737_nd_range >= 20.0) segment(33.0, 27.0);
    if (hw_b737_nd_range > 20.0) segment(63.0, 27.0);
}
