// The MD80_EHSI's map (format 3: heading up, the aircraft low under a
// 96-degree arc) and plan (format 2: north up about a plan waypoint, on a
// ring lowered 70 units), with the active route. The map draws in a frame
// sixteen times finer than the design units, so that the integer calls keep
// sub-unit places; every place goes through the saturating integer calls.
#include "data/display_geometry.h"
#include "data/display_settings.h"
#include "data/display_state.h"
#include "fms/fms_update.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/math/clock_math.h"
#include "fms/plan/holds.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_walk.h"
#include "fms/procedures/airport_selection.h"
#include "map/map_canvas.h"
#include "map/map_overlays.h"
#include "map/map_projection.h"
#include "map/near_layers.h"
#include "map/palette.h"
#include "map/range_ladder.h"
#include "map/render_frame.h"
#include "map/symbol_painter.h"
#include "nd/md80_ehsi_frame.h"
#include "nd/md80_ehsi_painters.h"
#include "nd/nd_text.h"
#include "platform/gfx.h"
#include "sim/aircraft_state.h"

#include <cmath>
#include <cstdio>

namespace {

namespace c = palette;
using gfx::Point;
using nd::format;
using nd::text;

constexpr double kFine = 16.0;
// The "VC2" instance while the pop-up window is open leaves the boundaries out.
// Design units from the centre beyond which no route mark can show.
constexpr double kMarkReach = 400.0;

// The fine frame: the split frame with a sixteenth of its scale.
SplitScale fine_scale(const DisplayObject& d) {
    SplitScale k = split_scale(d, md80_ehsi_design);
    k.frame_x /= kFine;
    k.frame_y /= kFine;
    k.w *= kFine;
    k.s *= kFine;
    return k;
}

void draw_data_block(Md80Frame& p, const Md80ArcFonts& f) {
    const AircraftState& a = aircraft_state;
    if (to_waypoint_index == kNoToWaypoint) return;
    p.at(0.0);
    text(p.g, md80_ehsi_distance_text(distance_to_to_nm), f.f13, c::white, -133, -200);
    text(p.g, "DTW", f.f13, c::white, -133, -187);
    const std::string eta =
        md80_ehsi_arrival_text(distance_to_to_nm, a.ground_speed_kt, a.zulu_hours, a.zulu_minutes);
    if (eta.empty()) return;
    text(p.g, eta, f.f13, c::white, 85, -200);
    text(p.g, "ETA", f.f13, c::white, 90, -187);
}

void draw_arc(Md80Frame& p, const Md80ArcFonts& f, bool map) {
    const AircraftState& a = aircraft_state;
    const gfx::Pen white(c::white, 2.0f);
    p.at(0.0);
    p.g.draw_arc_i(white, -180, -180, 360, 360, 222.0f, 96.0f);
    if (map) {
        p.g.draw_arc_i(white, -90, -90, 180, 180, 219.0f, 25.0f);
        p.g.draw_arc_i(white, -90, -90, 180, 180, 248.0f, 50.0f);
        p.g.draw_arc_i(white, -90, -90, 180, 180, 301.0f, 19.0f);
        p.g.draw_line_i(white, 0, -94, 0, -86);
        text(p.g, md80_ehsi_half_range_text(md80_ehsi_range), f.f13, c::white, -75, -48);
    }
    p.lines(white, {{0, -180}, {-5, -172}, {0, -180}, {5, -172}, {-5, -172}, {5, -172}});
    for (int h = 0; h < 360; h += 5) {
        const double d = h - a.heading_deg;
        if (!md80_ehsi_mark_shown(d)) continue;
        p.at(d);
        p.g.draw_line_i(white, 0, -180, 0, h % 10 == 0 ? -196 : -188);
        if (h % 30 == 0)
            text(p.g, format("%02.0f", h / 10), f.f18, c::white, h == 180 ? -12 : h == 210 ? -14 : -13, -198);
    }
    p.at(a.heading_bug_deg - a.heading_deg);
    if (map) {
        gfx::Pen dashed(c::green, 2.0f);
        dashed.dash_style = gfx::DashStyle::Dash;
        p.g.draw_line_i(dashed, 0, 0, 0, -184);
    }
    const Point bug[] = {{0, -184},   {6, -190},   {12, -190}, {12, -180},
                         {-12, -180}, {-12, -190}, {-6, -190}, {0, -184}};
    p.g.fill_polygon_i(gfx::SolidBrush(c::green), bug);
    p.at(track_deg - a.heading_deg);
    const Point diamond[] = {{0, -194}, {5, -187}, {0, -180}, {-5, -187}, {0, -194}};
    p.g.draw_lines_i(gfx::Pen(c::magenta, 2.0f), diamond);
}

void draw_plan_ring(Md80Frame& p, const Md80ArcFonts& f) {
    const gfx::Pen white(c::white, 2.0f);
    p.at(0.0);
    p.g.draw_arc_i(white, -70, -75, 140, 140, 180.0f, 180.0f);
    const std::string label = md80_ehsi_half_range_text(md80_ehsi_range);
    text(p.g, label, f.f13, c::white, -85, -5);
    text(p.g, label, f.f13, c::white, 55, -5);
    p.g.draw_arc_i(white, -70, -60, 140, 140, 0.0f, 180.0f);
}

void draw_near_layers(const DisplayObject& d, gfx::Graphics& g, double s) {
    const double range = md80_ehsi_range;
    if (show_navaids_flags[ND_MD80] == 1 && range <= 160.0) draw_near_navaids_md80_ehsi(d, g, s);
    if (show_airports_flags[ND_MD80] == 1 && range <= 160.0) draw_near_airports_md80_ehsi(d, g, s);
    if (show_airway_fixes_flags[ND_MD80] == 1 && range <= 80.0) draw_near_airway_fixes_md80_ehsi(d, g, s);
}

void draw_aircraft_and_wind(Md80Frame& p, const Md80ArcFonts& f) {
    const AircraftState& a = aircraft_state;
    p.at(0.0);
    p.lines(gfx::Pen(c::white, 2.0f), {{0, 0}, {10, 20}, {10, 20}, {-10, 20}, {-10, 20}, {0, 0}});
    if (!(a.wind_speed_kt >= 1.0)) return;
    set_design_frame(p.g, p.d, md80_ehsi_design, 10.0, 150.0);
    text(p.g, format("%2.0f", a.wind_speed_kt), f.f10, c::white, -5, 20);
    draw_md80_ehsi_wind_arrow(p);
}

} // namespace

std::string md80_ehsi_distance_text(double distance_nm) {
    return format(distance_nm >= 100.0 ? "%-3.0fNM" : "%-3.1fNM", distance_nm);
}

std::string md80_ehsi_arrival_text(double distance_nm, double ground_speed_kt, double zulu_hours,
                                   double zulu_minutes) {
    if (!(ground_speed_kt > 30.0) || !std::isfinite(distance_nm)) return "";
    // Whole minutes carried into the hours, so that 23:59.6 reads 0000Z.
    const HoursMinutes t =
        clock_after(zulu_hours, zulu_minutes, HoursMinutes{0.0, distance_nm / ground_speed_kt * 60.0});
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%02.0f%02.0fZ", t.hours, t.minutes);
    return buffer;
}

void draw_md80_ehsi_map(const DisplayObject& d, gfx::Graphics& g, int view_mode, double s) {
    const AircraftState& a = aircraft_state;
    const bool plan = md80_ehsi_mode == kEhsiModePlan;
    const double range = md80_ehsi_range;
    Md80Frame p{d, g};
    const Md80ArcFonts f;
    draw_data_block(p, f);
    draw_arc(p, f, !plan);

    p.at(0.0);
    gfx::GraphicsPath clip;
    clip.add_ellipse_i(-180, -180, 360, 360);
    g.set_clip_path(clip);
    if (plan) {
        md80_compass_centre_y -= 70;
        draw_plan_ring(p, f);
    }

    const SplitScale k = fine_scale(d);
    if (k.valid && s > 0.0) {
        const MapView view = plan_or_aircraft_view(plan, a.map_heading_deg, s);
        const double cx = md80_compass_centre_x, cy = md80_compass_centre_y;
        if (!plan) {
            set_split_frame(g, k, cx, cy);
            draw_tod_toc_markers(g, md80_ehsi_compass_radius, range, 0, 0, 8, k.w, k.s, a.plat, a.plon,
                                 a.map_heading_deg);
            draw_near_layers(d, g, s);
        }
        set_split_frame(g, k, cx, cy);
        if (to_waypoint_index != kNoToWaypoint)
            draw_md80_ehsi_route(g, k.w, k.s, view.heading, view.ref_lat, view.ref_lon, s);
        if (pattern_runway_index() != kNoRunwayLine && !plan) {
            set_split_frame(g, k, cx, cy);
            draw_runway_pattern(g, md80_ehsi_compass_radius, 0, 0, range, k.w, k.s);
        }
        if (hold_list.count() >= 1 && hold_list[1].active_index() > 0) {
            set_split_frame(g, k, cx, cy);
            draw_hold_pattern_md80_ehsi(g, 0, 0, k.w, k.s, s);
        }
        if (!plan) {
            if (level_off_arc_wanted()) draw_bod_arc_md80_ehsi(d, g, s);
            if (pattern_runway_count() > 0 && range <= 2.5) {
                p.at(0.0);
                draw_runway_labels(g, md80_ehsi_compass_radius, 0, 0, range);
            }
            if (show_atc_boundaries == 1 && view_mode != RENDER_MODE_VC2) draw_atc_boundaries_md80_ehsi(d, g);
        }
    }
    g.reset_clip();

    if (plan) {
        p.at(0.0);
        text(g, "N", f.f13, c::white, 113, -5);
        p.lines(gfx::Pen(c::white, 1.0f), {{120, 10}, {120, 30}, {120, 10}, {117, 15}, {120, 10}, {123, 15}});
        return;
    }
    draw_aircraft_and_wind(p, f);
}

void draw_md80_ehsi_route(gfx::Graphics& g, double kx, double ky, double heading, double ref_lat,
                          double ref_lon, double s) {
    const int to = to_waypoint_index;
    if (to == kNoToWaypoint || !(s > 0.0)) return;
    const gfx::Pen magenta(c::magenta, static_cast<float>(2.0 * ky));
    const gfx::FontFamily family("Arial");
    const gfx::Font font(family, static_cast<float>(12.0 * ky), gfx::FontStyle::Bold, gfx::Unit::Pixel);
    const MapView view{ref_lat, ref_lon, heading, s};
    const gfx::SolidBrush white(c::white), magenta_brush(c::magenta);
    MapPlacement previous{};
    for_each_route_stop(active_plan, 0, active_plan_last, false, [&](const RouteStop& s) {
        const int i = s.index;
        const RouteWaypoint& w = s.waypoint;
        const MapPlacement p = place_on_map(view, w.lat, w.lon);
        if (s.joined) g.draw_line_i(magenta, previous.x * kx, previous.y * ky, p.x * kx, p.y * ky);
        previous = p;
        // Far outside the ring the clip would take the mark and its label away.
        if (!(std::fabs(p.x) < kMarkReach && std::fabs(p.y) < kMarkReach)) return;
        draw_map_symbol(g, p.x * kx, (p.y - 6.0) * ky, MapSymbol::Waypoint, no_symbol_arrow, kx, ky,
                        i == to ? 4 : 0, md80_ehsi_range);
        // The label buffer holds ten characters.
        const std::string ident = w.ident.substr(0, 10);
        g.draw_string(ident, font, i == to ? magenta_brush : white,
                      gfx::PointF{static_cast<float>(std::trunc((p.x + 7.0) * kx)),
                                  static_cast<float>(std::trunc((p.y - 7.0) * ky))});
    });
}
