// The active route on the EFS50_EHSI map formats with the FMS source: the
// legs from the aircraft through the remaining waypoints, their identifiers
// and symbols, and optionally the previous waypoint with its dashed leg.
#include "data/display_settings.h"
#include "data/module_settings.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/math/nav_math.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_walk.h"
#include "map/map_canvas.h"
#include "map/map_projection.h"
#include "map/palette.h"
#include "map/range_ladder.h"
#include "map/symbol_painter.h"
#include "nd/efs50_ehsi_painters.h"
#include "platform/gfx.h"
#include "sim/aircraft_state.h"

#include <string>

namespace {

namespace c = palette;

struct Spot {
    int32_t x = 0;
    int32_t y = 0;
};

Spot place(double lat, double lon, double ppn) {
    const AircraftState& s = aircraft_state;
    double distance = 0.0, course = 0.0;
    gc_dist_course(s.plat, s.plon, lat, lon, &distance, &course);
    Spot p;
    turn_arc_geometry_i(s.map_heading_deg, course, 0, 0, distance * ppn, &p.x, &p.y);
    return p;
}

} // namespace

MapSymbol efs50_route_symbol_kind(const std::string& type) {
    if (type == "VOR" || type == "NDB") return MapSymbol::RadioStation;
    if (type == "APT") return MapSymbol::AirportStation;
    return MapSymbol::Waypoint;
}

void draw_efs50_ehsi_clipped_overlay(const DisplayObject& d, gfx::Graphics& g, double /*ppn*/) {
    const int mode = efs50_ehsi_mode;
    const bool compass = mode == kEfs50EhsiModeRoseMapWxOff || mode == kEfs50EhsiModeRoseMapSectors;
    efs50_ehsi_range_base = compass ? 50.0 : 95.0;
    const double ppn = units_per_nm(efs50_ehsi_range_base, efs50_ehsi_range);
    const int to = to_waypoint_index;
    if (ppn <= 0.0 || to < 0 || to > active_plan_last) return;

    set_design_frame(g, d, efs50_ehsi_design, 129.0f, compass ? 114.0f : 190.0f);
    if (compass) {
        gfx::GraphicsPath clip;
        clip.add_ellipse_i(-100, -100, 200, 200);
        g.set_clip_path(clip);
    }
    const gfx::FontFamily family("HW Arial");
    const gfx::Font font(family, 12.0f, gfx::FontStyle::Bold, gfx::Unit::Pixel);
    const gfx::Pen white(c::white, 2.0f), cyan(c::blue, 2.0f);
    gfx::Pen yellow(c::yellow, 2.0f);
    yellow.dash_style = gfx::DashStyle::Dash;
    const double range = efs50_ehsi_range;
    auto symbol = [&](Spot p, MapSymbol kind, int s) {
        draw_map_symbol(g, p.x, p.y - (kind == MapSymbol::Waypoint ? 6 : 3), kind, no_symbol_arrow, 1.0, 1.0,
                        s, range);
    };
    auto label = [&](const std::string& text, gfx::Argb colour, Spot p) {
        g.draw_string(text, font, gfx::SolidBrush(colour),
                      gfx::PointF{static_cast<float>(p.x + 7), static_cast<float>(p.y - 7)});
    };

    const Spot to_spot = place(active_plan[to].lat, active_plan[to].lon, ppn);
    if (DispPrevWpt == 1 && to >= 1 && range >= 5.0 &&
        (direct_to_active != 0 || route_from(active_plan, to) >= 0)) {
        const bool direct = direct_to_active != 0;
        const int from = route_from(active_plan, to);
        const RouteWaypoint& prev = active_plan[from >= 0 ? from : to - 1];
        const Spot p =
            direct ? place(direct_to_origin.lat, direct_to_origin.lon, ppn) : place(prev.lat, prev.lon, ppn);
        label(direct ? "DCT" : prev.ident, c::yellow, p);
        symbol(p, direct ? MapSymbol::Waypoint : efs50_route_symbol_kind(prev.type), 5);
        g.draw_line_i(yellow, p.x, p.y, to_spot.x, to_spot.y);
    }
    Spot previous;
    for_each_route_stop(active_plan, to, active_plan_last, true, [&](const RouteStop& s) {
        const int i = s.index;
        const RouteWaypoint& w = s.waypoint;
        const Spot p = i == to ? to_spot : place(w.lat, w.lon, ppn);
        const gfx::Argb colour = i == to ? c::blue : c::white;
        if (s.joined) g.draw_line_i(i == to ? cyan : white, previous.x, previous.y, p.x, p.y);
        label(w.ident, colour, p);
        symbol(p, efs50_route_symbol_kind(w.type), i == to ? 1 : 0);
        previous = p;
    });
    g.reset_clip();
}
