// The EFS50_EHSI arc formats 4 to 7 (compass arc, range ring, bearing
// pointers, course arrow and deviation, map layers in 5 and 6), the lateral
// deviation scale of formats 1 to 3, and the values the painters share.
#include "data/display_settings.h"
#include "data/display_state.h"
#include "data/module_settings.h"
#include "fms/guidance/cross_track.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/math/heading_math.h"
#include "fms/plan/route_plan.h"
#include "fms/procedures/airport_selection.h"
#include "map/map_canvas.h"
#include "map/map_overlays.h"
#include "map/map_projection.h"
#include "map/palette.h"
#include "map/range_ladder.h"
#include "map/render_frame.h"
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

struct Arc {
    const DisplayObject& d;
    gfx::Graphics& g;
    void at(double degrees) {
        set_design_frame(g, d, efs50_ehsi_design, 129.0f, 190.0f);
        if (degrees != 0.0) g.rotate_transform(static_cast<float>(degrees));
    }
};

void set_arc_clip(Arc& a) {
    a.at(0.0);
    gfx::GraphicsPath clip;
    clip.add_arc_i(-180, -180, 360, 360, 223.0f, 92.0f);
    const Point edges[] = {{128, -126}, {128, -70}, {0, 10}, {-128, -70}, {-128, -126}};
    clip.add_lines_i(edges);
    clip.close_figure();
    a.g.set_clip_path(clip);
}

bool route_active() {
    return to_waypoint_index != kNoToWaypoint;
}

// Within (-limit, limit) either side, across north included.
bool near_heading(double a, double limit) {
    return (a > -limit && a < limit) || (a > 360.0 - limit && a < 360.0) ||
           (a > -360.0 && a < -360.0 + limit);
}

void draw_compass_arc(Arc& a, const gfx::Font& font12) {
    const gfx::Pen white2(c::white, 2.0f);
    const gfx::SolidBrush white(c::white);
    for (int i = 0; i < 360; i += 5) {
        const double rel = i - aircraft_state.heading_deg;
        if (!near_heading(rel, 55.0)) continue;
        a.at(rel);
        if (i % 10 != 0) {
            a.g.draw_line_i(white2, 0, -175, 0, -180);
            continue;
        }
        a.g.draw_line_i(white2, 0, -170, 0, -180);
        if (i % 30 != 0) continue;
        char text[8];
        const char* cardinal = i == 0 ? "N" : i == 90 ? "E" : i == 180 ? "S" : i == 270 ? "W" : nullptr;
        if (cardinal == nullptr) std::snprintf(text, sizeof text, "%d", i / 10);
        a.g.draw_string(cardinal ? cardinal : text, font12, white,
                        gfx::PointF{i == 270 ? -7.0f : -9.0f, -170.0f});
    }
}

void draw_pointers(Arc& a) {
    double angle = 0.0;
    if (efs50_brg2_source > 0 && efs50_pointer_angle(efs50_brg2_source, false, &angle)) {
        const gfx::SolidBrush magenta(efs50_colour::magenta);
        const gfx::Pen pen(efs50_colour::magenta, 2.0f);
        a.at(angle);
        const Point head[] = {{0, -175}, {5, -167}, {-5, -167}};
        a.g.fill_polygon_i(magenta, head);
        a.g.draw_line_i(pen, 3, -167, 3, -124);
        a.g.draw_line_i(pen, -3, -167, -3, -124);
        const Point tail[] = {{-3, 170}, {-3, 132}, {0, 124}, {3, 132}, {3, 170}};
        a.g.draw_lines_i(pen, tail);
    }
    if (efs50_brg1_source > 0 && efs50_pointer_angle(efs50_brg1_source, true, &angle)) {
        const gfx::SolidBrush cyan(c::blue);
        a.at(angle);
        const Point head[] = {{0, -180}, {5, -170}, {-5, -170}};
        a.g.fill_polygon_i(cyan, head);
        a.g.draw_line_i(gfx::Pen(c::blue, 2.0f), 0, -124, 0, -180);
        const Point tail[] = {{1, 130},  {1, 145},  {3, 150},  {1, 150},  {1, 175}, {-1, 175},
                              {-1, 150}, {-3, 150}, {-1, 145}, {-1, 130}, {1, 130}};
        a.g.fill_polygon_i(cyan, tail);
    }
}

void draw_map_layers(Arc& a, bool radio, const gfx::SolidBrush& green) {
    const AircraftState& s = aircraft_state;
    const int radius = static_cast<int>(efs50_ehsi_range_base);
    const double range = efs50_ehsi_range;
    a.at(0.0);
    if (show_atc_boundaries == 1)
        draw_atc_boundaries(a.g, radius, 0, 0, range, s.map_heading_deg, s.plat, s.plon);
    if (pattern_runway_index() != kNoRunwayLine) draw_runway_pattern(a.g, radius, 0, 0, range, 1.0, 1.0);
    if (pattern_runway_count() > 0 && range <= 2.5) draw_runway_labels(a.g, radius, 0, 0, range);
    if (radio) {
        // The VOR course line through the whole map.
        a.at(s.nav1_course_deg - s.heading_deg);
        const int d = static_cast<int>(s.snap_token_40 / 1.14);
        const Point bar[] = {{d, -170}, {d + 1, -170}, {d + 1, 170}, {d - 1, 170}, {d - 1, -170}, {d, -170}};
        a.g.fill_polygon_i(green, bar);
    }
    a.g.reset_clip();
}

} // namespace

bool efs50_pointer_angle(int source, bool nav1, double* angle) {
    const AircraftState& s = aircraft_state;
    if (source == 1) {
        const double signal = nav1 ? sim_var_object.get_nav1_signal() : sim_var_object.get_nav2_signal();
        if (!(signal > 0.0)) return false;
        double b = (nav1 ? s.nav1_relative_bearing_deg : s.nav2_relative_bearing_deg) + s.heading_deg;
        if (b >= 360.0) b -= 360.0;
        *angle = b - s.heading_deg;
        return true;
    }
    if (source == 2) {
        if (!route_active()) return false;
        *angle = course_to_to_deg - s.heading_deg;
        return true;
    }
    if (source == 3) {
        if (!(s.adf1_signal > 1.0)) return false;
        *angle = s.adf1_relative_bearing_deg + 360.0;
        return true;
    }
    return false;
}

bool efs50_cross_track(double* signed_nm) {
    int bearing_side = 0, xtk_side = 0, heading_side = 0;
    double bearing_offset = 0.0, xtk = 0.0, heading_offset = 0.0;
    if (!route_active()) return false;
    leg_course_and_distance(&bearing_side, &bearing_offset, &xtk_side, &xtk, &heading_side, &heading_offset,
                            kCrossTrackModeWide);
    if (!(xtk >= 0.0)) return false;
    // Side 1 is right of the leg, as the cross-track routine defines it: the bar goes left.
    *signed_nm = xtk_side == 1 ? -xtk : xtk;
    return true;
}

bool efs50_to_from(bool* to) {
    const AircraftState& s = aircraft_state;
    if (efs50_nav_source == kEfs50NavSourceVor) {
        // The VOR source without a signal has no TO/FROM; the route does not stand in.
        if (!(sim_var_object.get_nav1_signal() > 0.0)) return false;
        *to = bearing_is_to(s.nav1_relative_bearing_deg + s.heading_deg, s.nav1_course_deg);
    } else if (route_active()) {
        // The bearing to the TO waypoint against the leg's course.
        *to = bearing_is_to(course_to_to_deg, leg_course_deg);
    } else {
        return false;
    }
    return true;
}

void draw_efs50_ehsi_arc_map(const DisplayObject& d, gfx::Graphics& g) {
    const AircraftState& s = aircraft_state;
    Arc a{d, g};
    const gfx::FontFamily family("Arial");
    const gfx::Font font10(family, 10.0f, gfx::FontStyle::Bold, gfx::Unit::Pixel);
    const gfx::Font font12(family, 12.0f, gfx::FontStyle::Bold, gfx::Unit::Pixel);
    const gfx::Font font15(family, 15.0f, gfx::FontStyle::Bold, gfx::Unit::Pixel);
    const gfx::SolidBrush white(c::white), amber(c::amber), cyan(c::blue), green(efs50_colour::green),
        black(c::black);
    const gfx::Pen white2(c::white, 2.0f);
    const int mode = efs50_ehsi_mode;
    const bool radio = efs50_nav_source == kEfs50NavSourceVor;

    // Range ring, cut to the triangle ahead of the aircraft.
    a.at(0.0);
    gfx::GraphicsPath wedge;
    const Point corners[] = {{-130, -30}, {130, -30}, {0, -130}};
    wedge.add_polygon_i(corners);
    g.set_clip_path(wedge);
    gfx::Pen dashed(c::blue, 2.0f);
    dashed.dash_style = gfx::DashStyle::Dash;
    g.draw_ellipse_i(dashed, -95, -95, 190, 190);
    g.reset_clip();
    char text[32];
    std::snprintf(text, sizeof text, "%3.1f", efs50_ehsi_range);
    g.draw_string(text, font10, cyan, gfx::PointF{75.0f, -35.0f});

    if (EhsiStaticHdgPointer == 0) {
        const Point lubber[] = {{0, -180}, {6, -192}, {-6, -192}};
        g.fill_polygon_i(white, lubber);
    } else {
        const Point box[] = {{-16, -190}, {-16, -175}, {16, -175}, {16, -190}};
        g.draw_lines_i(white2, box);
        const Point mark[] = {{-5, -175}, {0, -167}, {5, -175}};
        g.fill_polygon_i(white, mark);
    }

    a.at(s.heading_bug_deg - s.heading_deg);
    const Point bug[] = {{0, -180},   {6, -186},   {12, -186}, {12, -180},
                         {-12, -180}, {-12, -186}, {-6, -186}, {0, -180}};
    g.fill_polygon_i(amber, bug);

    set_arc_clip(a);
    draw_compass_arc(a, font12);
    if (EhsiStaticHdgPointer == 1) {
        g.reset_clip();
        a.at(0.0);
        g.fill_rectangle_i(black, -15, -191, 30, 15);
        std::snprintf(text, sizeof text, "%03.0f", s.heading_deg);
        g.draw_string(text, font15, green, gfx::PointF{-16.0f, -191.0f});
        set_arc_clip(a);
    }
    draw_pointers(a);

    const bool course_shown = radio || route_active();
    const double course = radio ? s.nav1_course_deg - s.heading_deg : leg_course_deg - s.heading_deg;
    const gfx::Pen course_pen(radio ? efs50_colour::green : c::blue, 2.0f);
    if (course_shown) {
        a.at(course);
        const Point arrow[] = {{0, -170}, {1, -162},  {4, -154},  {1, -153},  {1, -35},
                               {-1, -35}, {-1, -153}, {-4, -154}, {-1, -162}, {0, -170}};
        g.draw_lines_i(course_pen, arrow);
        const Point tail[] = {{0, 35}, {1, 35}, {1, 155}, {0, 165}, {-1, 155}, {-1, 35}, {0, 35}};
        g.draw_lines_i(course_pen, tail);
    }
    double xtk = 1e-10;
    efs50_cross_track(&xtk);

    if (mode == kEfs50EhsiModeArcMap || mode == kEfs50EhsiModeArcMapWxOff) draw_map_layers(a, radio, green);

    if (course_shown) {
        a.at(mode == kEfs50EhsiModeArc || mode == kEfs50EhsiModeArcWxOff ? course : 0.0);
        const int dev = static_cast<int>(radio ? s.snap_token_40 / 2.59 : std::clamp(xtk, -5.0, 5.0) / 0.102);
        for (int x : {-49, -29, 23, 43})
            g.draw_ellipse_i(white2, x, -4, 7, 7);
        const Point bar[] = {{dev, -30},    {dev + 1, -30}, {dev + 1, 30},
                             {dev - 1, 30}, {dev - 1, -30}, {dev, -30}};
        g.draw_lines_i(course_pen, bar);
    }

    bool to = false;
    if ((mode == kEfs50EhsiModeArc || mode == kEfs50EhsiModeArcWxOff) && efs50_to_from(&to)) {
        a.at(course);
        const Point ahead[] = {{0, -25}, {7, -15}, {-7, -15}};
        const Point behind[] = {{0, 35}, {7, 25}, {-7, 25}};
        if (to)
            g.fill_polygon_i(white, ahead);
        else
            g.fill_polygon_i(white, behind);
    }

    g.reset_clip();
    a.at(0.0);
    g.draw_lines_i(gfx::Pen(c::amber, 1.0f), efs50_aircraft_outline);
    set_design_frame(g, d, efs50_ehsi_design, 0.0f, 0.0f);
}

void draw_efs50_ehsi_deviation_scale(const DisplayObject& d, gfx::Graphics& g) {
    set_design_frame(g, d, efs50_ehsi_design, 129.0f, 114.0f);
    g.fill_rectangle_i(gfx::SolidBrush(background_argb(efs50_ehsi_background_rgb)), -56, 69, 112, 45);
    const gfx::Pen white2(c::white, 2.0f);
    g.draw_line_i(white2, -55, 70, -55, 80);
    g.draw_line_i(white2, -55, 70, 55, 70);
    g.draw_line_i(white2, 55, 70, 55, 80);
    g.draw_ellipse_i(white2, -52, 73, 7, 7);
    g.draw_ellipse_i(white2, -28, 74, 5, 5);
    g.draw_ellipse_i(white2, 44, 73, 7, 7);
    g.draw_ellipse_i(white2, 20, 74, 5, 5);
    const Point diamond[] = {{0, 73}, {3, 77}, {0, 81}, {-3, 77}, {0, 73}};
    g.draw_lines_i(white2, diamond);

    double xtk = 0.0;
    if (efs50_nav_source == kEfs50NavSourceVor) {
        if (sim_var_object.get_nav1_signal() > 0.0) {
            const int x = static_cast<int>(aircraft_state.snap_token_40 / 2.39);
            g.draw_line_i(gfx::Pen(c::amber, 3.0f), x, 72, x, 82);
        }
    } else if (efs50_nav_source == kEfs50NavSourceFms && efs50_cross_track(&xtk)) {
        // The bar stops on the outer dot: the result is clamped, not the distance.
        const int x = static_cast<int>(std::clamp(xtk / 0.113, -50.0, 50.0));
        g.draw_line_i(gfx::Pen(c::blue, 3.0f), x, 72, x, 82);
    }
}
