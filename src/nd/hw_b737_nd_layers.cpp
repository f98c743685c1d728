// Two layers of the HW_B737_ND arc and map modes: the tuned NAV1 VOR with its
// selected-course line (map layer), and the heading scale with the aircraft
// symbol, the half-range label, the course pointer and the deviation bar
// (navigation layer).
#include "data/display_settings.h"
#include "fms/guidance/cross_track.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/math/heading_math.h"
#include "fms/math/nav_math.h"
#include "fms/plan/route_plan.h"
#include "map/map_canvas.h"
#include "map/map_projection.h"
#include "map/palette.h"
#include "map/range_ladder.h"
#include "map/symbol_painter.h"
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

constexpr double kNeedlePerUnit = 3.4324324324324325;
constexpr double kNmPerUnit = 0.132;

gfx::Font bold_arial(const gfx::FontFamily& family, double size) {
    return gfx::Font(family, static_cast<float>(size), gfx::FontStyle::Bold, gfx::Unit::Pixel);
}

void text_at(gfx::Graphics& g, const char* text, const gfx::Font& font, gfx::Argb colour, double x,
             double y) {
    g.draw_string(text, font, gfx::SolidBrush(colour),
                  gfx::PointF{static_cast<float>(x), static_cast<float>(y)});
}

void nav_frame(gfx::Graphics& g, const DisplayObject& d, float centre_y, double degrees) {
    set_design_frame(g, d, hw_b737_nd_design, 122.0f, centre_y);
    if (degrees != 0.0) g.rotate_transform(static_cast<float>(degrees));
}

void aircraft_triangle(gfx::Graphics& g) {
    const Point triangle[] = {{0, 0}, {-7, 18}, {7, 18}, {0, 0}};
    g.draw_lines_i(gfx::Pen(c::white, 2.0f), triangle);
}

void half_range_label(gfx::Graphics& g, const gfx::Font& font, double y) {
    char text[16];
    std::snprintf(text, sizeof text, "%3.0f", hw_b737_nd_range * 0.5);
    text_at(g, text, font, c::white, -20.0, y);
}

// Whether heading h lies within 55 degrees either side of the aircraft's
// heading (open ends), the raw difference taken in every wrap.
bool on_arc(int h, double heading) {
    const double diff = h - heading;
    return (diff > -55.0 && diff < 55.0) || (diff > 305.0 && diff < 360.0) ||
           (diff > -360.0 && diff < -305.0);
}

void heading_label(gfx::Graphics& g, const gfx::Font& font, int h, double one_digit_x, double y) {
    char text[8];
    std::snprintf(text, sizeof text, "%d", h / 10);
    text_at(g, text, font, c::white, h / 10 < 10 ? one_digit_x : -9.0, y);
}

// The deviation bar offset and the pointer's turn for ARC (the FMS leg) and
// APP (the NAV1 needle); the TO/FROM word of APP.
void course_source(gfx::Graphics& g, const gfx::Font& font, int mode, int* bar, double* rotation) {
    const AircraftState& a = aircraft_state;
    *bar = 0;
    *rotation = 0.0;
    if (mode == kB737NdModeArc) {
        if (to_waypoint_index == kNoToWaypoint) return;
        int bearing_side = 0, xtk_side = 0, heading_side = 0;
        double bearing_offset = 0.0, xtk = 0.0, heading_offset = 0.0;
        leg_course_and_distance(&bearing_side, &bearing_offset, &xtk_side, &xtk, &heading_side,
                                &heading_offset, kCrossTrackModeWide);
        if (xtk >= 0.0) {
            // Side 1 is right of the leg, as the cross-track routine defines it: the bar goes left.
            if (xtk_side == 1) xtk = -xtk;
            *bar = static_cast<int>(std::clamp(xtk, -5.0, 5.0) / kNmPerUnit);
        }
        *rotation = leg_course_deg - a.heading_deg;
        return;
    }
    if (sim_var_object.get_nav1_signal() > 0.0) {
        const double bearing = a.nav1_relative_bearing_deg + a.heading_deg;
        text_at(g, bearing_is_to(bearing, a.nav1_course_deg) ? "TO" : "FROM", font, c::green, 70.0, 5.0);
    }
    *bar = static_cast<int>(a.snap_token_40 / kNeedlePerUnit);
    *rotation = a.nav1_course_deg - a.heading_deg;
}

void course_pointer(gfx::Graphics& g, int bar) {
    const gfx::Pen white(c::white, 2.0f);
    const gfx::Pen magenta(c::magenta, 2.0f);
    g.draw_line_i(magenta, 0, -45, 0, -190);
    for (const Point corner : {Point{-25, -3}, Point{-40, -3}, Point{20, -3}, Point{35, -3}})
        g.draw_ellipse_i(white, corner.x, corner.y, 5, 5);
    const Point head[] = {{-3, -20}, {-3, -40}, {0, -45}, {3, -40}, {3, -20}, {-3, -20}};
    g.draw_lines_i(white, head);
    const Point deviation[] = {{bar - 3, 23}, {bar - 3, -18}, {bar + 3, -18}, {bar + 3, 23}};
    g.draw_polygon_i(magenta, deviation);
    const Point tail[] = {{-3, 25}, {-3, 45}, {3, 45}, {3, 25}, {-3, 25}};
    g.draw_lines_i(white, tail);
    gfx::Pen dashed(c::magenta, 2.0f);
    dashed.dash_style = gfx::DashStyle::Dash;
    g.draw_line_i(dashed, 0, 45, 0, 190);
}

} // namespace

void draw_hw_b737_nd_map_layer(const DisplayObject& d, gfx::Graphics& g, double ppn) {
    const SplitScale k = split_scale(d, hw_b737_nd_design);
    if (!k.valid) return;
    const AircraftState& a = aircraft_state;
    const int mode = hw_b737_nd_mode;
    const bool plan = mode == kB737NdModePlan;
    set_split_frame(g, k, 122.0, mode >= kB737NdModeCtrMap ? 171.0 : 249.0);

    // The station from the aircraft's bearing to it and the DME distance.
    const double bearing = a.nav1_relative_bearing_deg + a.map_heading_deg;
    double x = 0.0, y = 0.0;
    if (!plan) {
        turn_arc_geometry(a.map_heading_deg, bearing, 0.0, 0.0, a.nav1_dme_nm * ppn, &x, &y);
    } else {
        // North up from the plan waypoint (the render pass does not call
        // the layer in PLAN; kept for a caller that does).
        double lat = 0.0, lon = 0.0;
        gc_destination_point(a.plat, a.plon, floored_mod(bearing, 360.0), a.nav1_dme_nm, &lat, &lon);
        const int centre = plan_centre_index();
        const MapView view{centre >= 0 ? active_plan[centre].lat : a.plat,
                           centre >= 0 ? active_plan[centre].lon : a.plon, 0.0, ppn};
        const MapPlacement p = place_on_map(view, lat, lon);
        x = p.x;
        y = p.y;
    }
    draw_map_symbol(g, x * k.w, y * k.s, MapSymbol::Vor, no_symbol_arrow, k.w, k.s, 3, hw_b737_nd_range);

    // The selected course through the station; its label lies on the side
    // of the line that points along the course.
    g.translate_transform(static_cast<float>(x * k.w), static_cast<float>(y * k.s));
    const double course = a.nav1_course_deg;
    double reciprocal = course + 180.0;
    if (reciprocal >= 360.0) reciprocal -= 360.0;
    const double heading = plan ? 0.0 : a.heading_deg;
    const bool first_side = turn_direction(course, heading) == kDirectionRight;
    g.rotate_transform(static_cast<float>(course - heading + (first_side ? 90.0 : -90.0)));
    gfx::Pen line(c::light_green, static_cast<float>(2.0 * k.s));
    line.dash_style = gfx::DashStyle::Dash;
    g.draw_line_i(line, -300.0 * k.w, 0.0, 300.0 * k.s, 0.0);
    const gfx::FontFamily family("Arial");
    const gfx::Font font = bold_arial(family, 10.0 * k.w);
    char course_text[16], reciprocal_text[16];
    std::snprintf(course_text, sizeof course_text, "%03.0f", course);
    std::snprintf(reciprocal_text, sizeof reciprocal_text, "%03.0f", reciprocal);
    if (first_side) {
        text_at(g, course_text, font, c::green, -50.0 * k.s, 0.0);
        text_at(g, reciprocal_text, font, c::green, 25.0 * k.s, 0.0);
    } else {
        text_at(g, course_text, font, c::green, 25.0 * k.s, 10.0);
        text_at(g, reciprocal_text, font, c::green, -50.0 * k.s, 10.0);
    }
}

void draw_hw_b737_nd_nav_layer(const DisplayObject& d, gfx::Graphics& g) {
    const AircraftState& a = aircraft_state;
    const double heading = a.heading_deg;
    const int mode = hw_b737_nd_mode;
    const gfx::Pen white2(c::white, 2.0f);
    const gfx::Pen white1(c::white, 1.0f);
    const gfx::FontFamily family("Arial");
    const gfx::Font font10 = bold_arial(family, 10.0);
    const gfx::Font font12 = bold_arial(family, 12.0);

    nav_frame(g, d, 249.0f, 0.0);
    if (mode >= kB737NdModeArc && mode <= kB737NdModeMap) {
        aircraft_triangle(g);
        half_range_label(g, font10, -120.0);
        g.draw_line_i(white1, -3, -108, 3, -108);
        g.draw_line_i(white1, 0, 0, 0, -217);
    }
    if ((mode >= kB737NdModeArc && mode <= kB737NdModeMap) || mode == kB737NdModePlan) {
        g.draw_ellipse_i(white2, -217, -217, 434, 434);
        for (int h = 0; h < 360; h += 5) {
            if (!on_arc(h, heading)) continue;
            nav_frame(g, d, 249.0f, h - heading);
            if (h % 10 == 0) {
                g.draw_line_i(white2, 0, -207, 0, -217);
                if (h % 30 == 0) heading_label(g, font12, h, -7.0, -207.0);
            } else {
                g.draw_line_i(white2, 0, -212, 0, -217);
            }
        }
    } else if (mode == kB737NdModeCtrMap) {
        nav_frame(g, d, 171.0f, 0.0);
        g.draw_line_i(white1, 0, 0, 0, -130);
        half_range_label(g, font10, -60.0);
        g.draw_line_i(white1, -3, -55, 3, -55);
        aircraft_triangle(g);
        for (int h = 0; h < 360; h += 10) {
            nav_frame(g, d, 171.0f, h - heading);
            if (h % 30 == 0)
                heading_label(g, font12, h, -5.0, -100.0);
            else
                g.draw_line_i(white2, 0, -90, 0, -100);
        }
    }
    nav_frame(g, d, 249.0f, 0.0);

    if (mode == kB737NdModeApp && sim_var_object.test_simvar_46_bit_64() != 0) {
        for (const int y : {-70, -55, -30, -15})
            g.draw_ellipse_i(white2, 103, y, 5, 5);
        const Point mark[] = {{100, -42}, {110, -42}, {110, -36}, {100, -36}};
        g.draw_polygon_i(white2, mark);
        if (sim_var_object.get_simvar_852() != 0.0) {
            const int p = static_cast<int>(a.snap_token_41 / 4.7 - 40.0);
            const Point diamond[] = {{100, p}, {105, p - 5}, {110, p}, {105, p + 5}};
            g.fill_polygon_i(gfx::SolidBrush(c::magenta), diamond);
        }
    }
    if (mode == kB737NdModeArc || mode == kB737NdModeApp) {
        int bar = 0;
        double rotation = 0.0;
        course_source(g, font12, mode, &bar, &rotation);
        nav_frame(g, d, 249.0f, rotation);
        course_pointer(g, bar);
    }
}
