// The P1000_MFD map pieces: the clip regions that cut the map out of the
// screen, the compass rose or plan ring, the heading-bug marker, the route
// in eighth-pixel units (whose points the labels reuse) and the traffic
// window in the lower middle of the screen.
#include "data/display_settings.h"
#include "data/module_settings.h"
#include "data/p1000_menu_state.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/math/nav_math.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/plan/route_walk.h"
#include "map/map_canvas.h"
#include "map/map_overlays.h"
#include "map/palette.h"
#include "map/range_ladder.h"
#include "map/symbol_painter.h"
#include "nd/p1000_mfd_painters.h"
#include "platform/gfx.h"
#include "sim/aircraft_state.h"

#include <cmath>

namespace {

namespace c = palette;

struct Segment {
    int x1, y1, x2, y2;
};

void add_segments(gfx::GraphicsPath& path, std::initializer_list<Segment> segments) {
    for (const Segment& s : segments)
        path.add_line_i(s.x1, s.y1, s.x2, s.y2);
}

void design_frame(const DisplayObject& d, gfx::Graphics& g, double x = 0.0, double y = 0.0) {
    set_design_frame(g, d, p1000_mfd_design, x, y);
}

// The compass rose and bug marker turn about a point half a unit below the
// map centre.
constexpr float kRoseX = 134.0f;
constexpr float kRoseY = 148.5f;

void draw_plan_ring(gfx::Graphics& g, const gfx::Pen& white) {
    g.draw_ellipse_i(white, 59, 39, 150, 150);
    const double range = p1000_mfd_range;
    draw_map_symbol(g, 45, 110, MapSymbol::RangeBox, no_symbol_arrow, 1.0, 1.0, 0, range);
    draw_map_symbol(g, 195, 110, MapSymbol::RangeBox, no_symbol_arrow, 1.0, 1.0, 0, range);
    // The north arrow in the top left corner.
    const gfx::SolidBrush brush(c::white);
    const gfx::Point arrow[] = {{10, 30}, {15, 35}, {5, 35}, {10, 30}};
    g.fill_polygon_i(brush, arrow);
    g.draw_line_i(white, 10, 35, 10, 40);
    const gfx::FontFamily family("Arial");
    const gfx::Font font(family, 10.0f, gfx::FontStyle::Bold, gfx::Unit::Pixel);
    g.draw_string("N", font, brush, gfx::PointF{5.0f, 40.0f});
    g.draw_line_i(white, 10, 53, 10, 58);
}

// Within 65 degrees either side of the heading (D = angle - heading).
bool tick_visible(double d) {
    return (d > 295.0 && d < 360.0) || (d > -360.0 && d < -295.0) || (d > -65.0 && d <= 0.0) ||
           (d >= 0.0 && d < 65.0);
}

void draw_rose(const DisplayObject& d, gfx::Graphics& g, const gfx::Pen& white) {
    const double range = p1000_mfd_range;
    g.draw_ellipse_i(white, 82, 95, 105, 107);
    g.draw_ellipse_i(white, 12, 27, 244, 243);
    draw_map_symbol(g, 134, 137.5, MapSymbol::P1000Aircraft, no_symbol_arrow, 1.0, 1.0, 0, range);
    draw_map_symbol(g, 71, 141, MapSymbol::RangeBox, no_symbol_arrow, 1.0, 1.0, 0, range);
    draw_map_symbol(g, 176, 141, MapSymbol::RangeBox, no_symbol_arrow, 1.0, 1.0, 0, range);
    draw_map_symbol(g, 119, 0, MapSymbol::HeadingBox, no_symbol_arrow, 1.0, 1.0, 0, range);
    for (int angle = 0; angle <= 355; angle += 5) {
        const double rel = angle - aircraft_state.heading_deg;
        if (!tick_visible(rel)) continue;
        design_frame(d, g, kRoseX, kRoseY);
        g.rotate_transform(static_cast<float>(rel));
        if (angle % 30 == 0) draw_compass_card_label(g, angle);
        // Every tick hangs from the ring; the tens reach further in.
        g.draw_line_i(white, 0, angle % 10 == 0 ? -106 : -113, 0, -121.5);
    }
}

// Shortest angle from the heading to the bug (0 .. 180) and whether the bug
// lies counter-clockwise of the heading.
struct BugOffset {
    double angle = 0.0;
    bool left = false;
};
BugOffset bug_offset(double heading, double bug) {
    double d = std::fmod(bug - heading, 360.0);
    if (d < 0.0) d += 360.0;
    return d > 180.0 ? BugOffset{360.0 - d, true} : BugOffset{d, false};
}

// The point of a position on the route map in eighth-pixel units.
P1000ScreenPoint place8(double ref_lat, double ref_lon, double lat, double lon, int32_t cx, int32_t cy,
                        double scale) {
    double distance = 0.0, course = 0.0;
    gc_dist_course(ref_lat, ref_lon, lat, lon, &distance, &course);
    P1000ScreenPoint p;
    turn_arc_geometry_i(aircraft_state.map_heading_deg, course, cx, cy, distance * scale, &p.x, &p.y);
    return p;
}

} // namespace

void set_p1000_mfd_clip(const DisplayObject&, gfx::Graphics& g, int variant) {
    if (variant != 1 && variant != 2) return;
    const bool tcas = p1000_tcas_window_shown();
    gfx::GraphicsPath path;
    if (variant == 1) {
        add_segments(path, {{0, 0, 267, 0},
                            {267, 0, 267, 90},
                            {267, 98, 243, 90},
                            {243, 90, 205, 112},
                            {205, 112, 205, 172}});
        if (tcas)
            add_segments(path, {{205, 172, 73, 172}});
        else
            add_segments(path, {{205, 172, 135, 215}, {135, 215, 73, 172}});
        add_segments(path, {{73, 172, 65, 109}, {26, 85, 65, 109}, {26, 85, 0, 85}, {0, 85, 0, 0}});
    } else if (p1000_mfd_plan_mode != kP1000PlanModeNorthUp) {
        const gfx::Point curve[] = {{27, 90},  {41, 70},  {56, 56},  {83, 38},  {103, 31}, {134, 27},
                                    {165, 31}, {185, 38}, {212, 56}, {227, 70}, {240, 90}};
        path.add_curve_i(curve);
        add_segments(path, {{240, 90, 268, 130}, {268, 130, 268, 185}, {268, 185, 222, 185}});
        if (tcas)
            add_segments(path, {{220, 185, 220, 171}, {220, 171, 41, 171}, {41, 171, 41, 185}});
        else
            add_segments(path, {{220, 185, 220, 271}, {220, 271, 41, 271}, {41, 271, 41, 185}});
        add_segments(path, {{41, 185, 0, 185}, {0, 185, 0, 130}, {0, 130, 27, 90}});
    } else {
        add_segments(path, {{0, 10, 210, 10}, {210, 10, 210, 60}, {210, 60, 268, 60}});
        if (tcas)
            add_segments(path, {{268, 60, 268, 171}, {268, 171, 0, 171}});
        else
            add_segments(path, {{268, 60, 268, 185}, {268, 185, 0, 185}, {0, 185, 0, 10}});
    }
    path.close_figure();
    g.set_clip_path(path);
}

void draw_p1000_mfd_compass(const DisplayObject& d, gfx::Graphics& g) {
    const gfx::Pen white(c::white, 2.5f);
    if (p1000_mfd_plan_mode == kP1000PlanModeNorthUp)
        draw_plan_ring(g, white);
    else
        draw_rose(d, g, white);
    design_frame(d, g);
}

void draw_capped_arrow(const DisplayObject& d, gfx::Graphics& g) {
    const AircraftState& a = aircraft_state;
    const gfx::SolidBrush blue(c::blue);
    design_frame(d, g, kRoseX, kRoseY);
    g.rotate_transform(static_cast<float>(a.heading_bug_deg - a.heading_deg));
    const gfx::Point marker[] = {{-12, -133}, {-7, -133}, {0, -128},   {7, -133},
                                 {12, -133},  {12, -122}, {-12, -122}, {-12, -133}};
    g.fill_polygon_i(blue, marker);
    if (p1000_controller_present == 0) {
        gfx::Pen dashed(c::blue, 2.0f);
        dashed.dash_style = gfx::DashStyle::Dash;
        g.draw_line_i(dashed, 0, -100, 0, 0);
    } else {
        const BugOffset off = bug_offset(a.heading_deg, a.heading_bug_deg);
        if (off.angle > 65.0) {
            gfx::Pen arrow(c::blue, 3.0f);
            arrow.custom_end_cap = gfx::AdjustableArrowCap{3.0f, 3.0f, true};
            design_frame(d, g, off.left ? 40.0f : 230.0f, 60.0f);
            g.rotate_transform(off.left ? -135.0f : 135.0f);
            g.draw_line_i(arrow, 0, 0, 0, -25);
        }
    }
    design_frame(d, g);
}

void draw_p1000_mfd_route(const DisplayObject& d, gfx::Graphics& g, double ppn) {
    const AircraftState& a = aircraft_state;
    const int to = to_waypoint_index;
    const int last = std::min(active_plan_last, kPlanLastIndex);
    if (d.width <= 0 || d.height <= 0 || to < 0 || to > last) return;
    const double sx8 = static_cast<float>(d.width) / 272.0f * 8.0;
    const double sy8 = static_cast<float>(d.height) / 314.0f * 8.0;
    g.reset_transform();
    g.scale_transform(0.125f, 0.125f);
    const auto cx = static_cast<int32_t>(std::trunc(p1000_map_centre_x * sx8));
    const auto cy = static_cast<int32_t>(std::trunc(p1000_map_centre_y * sy8));
    const gfx::Pen white(c::white, static_cast<float>(2.0 * sx8));

    if (p1000_mfd_plan_mode != kP1000PlanModeNorthUp) {
        const double scale = ppn * (sx8 + sy8) / 2.0;
        auto place = [&](double lat, double lon) { return place8(a.plat, a.plon, lat, lon, cx, cy, scale); };
        if (DispPrevWpt == 1 && to >= 1 && p1000_mfd_range >= 5.0 &&
            (direct_to_active != 0 || route_from(active_plan, to) >= 0)) {
            const int from = route_from(active_plan, to);
            const RouteWaypoint& prev = active_plan[from >= 0 ? from : to - 1];
            const P1000ScreenPoint start = direct_to_active != 0
                                               ? place(direct_to_origin.lat, direct_to_origin.lon)
                                               : place(prev.lat, prev.lon);
            p1000_route_points[from >= 0 ? from : to - 1] = start;
            const P1000ScreenPoint end = place(active_plan[to].lat, active_plan[to].lon);
            gfx::Pen yellow(c::yellow, static_cast<float>(2.0 * sx8));
            yellow.dash_style = gfx::DashStyle::Dash;
            g.draw_line_i(yellow, start.x, start.y, end.x, end.y);
        }
        P1000ScreenPoint previous{cx, cy};
        for_each_route_stop(active_plan, to, last, true, [&](const RouteStop& s) {
            const P1000ScreenPoint p = place(s.waypoint.lat, s.waypoint.lon);
            if (s.joined) g.draw_line_i(white, previous.x, previous.y, p.x, p.y);
            p1000_route_points[s.index] = p;
            previous = p;
        });
    } else {
        const RouteWaypoint& centre = active_plan[to];
        auto place = [&](double lat, double lon) {
            return place8(centre.lat, centre.lon, lat, lon, cx, cy, ppn * sx8);
        };
        P1000ScreenPoint previous;
        for_each_route_stop(active_plan, 0, last, false, [&](const RouteStop& s) {
            const P1000ScreenPoint p = place(s.waypoint.lat, s.waypoint.lon);
            if (s.joined) g.draw_line_i(white, previous.x, previous.y, p.x, p.y);
            p1000_route_points[s.index] = p;
            previous = p;
        });
        const P1000ScreenPoint own = place(a.plat, a.plon);
        design_frame(d, g, static_cast<float>(own.x / sx8), static_cast<float>(own.y / sy8));
        g.rotate_transform(static_cast<float>(a.heading_deg));
        draw_map_symbol(g, 0, -9, MapSymbol::P1000Aircraft, no_symbol_arrow, 1.0, 1.0, 0, p1000_mfd_range);
    }
    design_frame(d, g);
}

void draw_tcas_box(gfx::Graphics& g) {
    const gfx::Pen white(c::white, 2.0f);
    const gfx::SolidBrush background(background_argb(p1000_mfd_background_rgb));
    g.reset_clip();
    g.fill_rectangle_i(background, 39, 171, 2, 101);
    g.fill_rectangle_i(background, 221, 171, 2, 101);

    gfx::GraphicsPath rings_clip;
    const gfx::Point diamond[] = {{40, 191}, {131, 258}, {225, 191}, {131, 171}};
    rings_clip.add_polygon_i(diamond);
    g.set_clip_path(rings_clip);
    g.draw_ellipse_i(white, 67, 177, 130, 130);
    g.draw_ellipse_i(white, 102, 212, 60, 60);

    g.reset_clip();
    gfx::GraphicsPath window;
    const gfx::Point corners[] = {{39, 169}, {39, 272}, {224, 272}, {224, 170}};
    window.add_polygon_i(corners);
    g.set_clip_path(window);
    g.draw_line_i(white, 40, 171, 40, 272);
    g.draw_line_i(white, 40, 272, 222, 272);
    g.draw_line_i(white, 222, 272, 222, 171);
    g.draw_line_i(white, 222, 171, 40, 171);

    draw_map_symbol(g, 185, 215, MapSymbol::TrafficWindowRangeBox, no_symbol_arrow, 1.0, 1.0, 0,
                    p1000_tcas_window_range);
    draw_map_symbol(g, 131, 238, MapSymbol::TrafficWindowAircraft, no_symbol_arrow, 1.0, 1.0, 0,
                    p1000_tcas_window_range);
    const gfx::FontFamily family("Arial");
    const gfx::Font font(family, 12.0f, gfx::FontStyle::Bold, gfx::Unit::Pixel);
    g.draw_string("TCAS", font, gfx::SolidBrush(c::white), gfx::PointF{41.0f, 175.0f});
}
