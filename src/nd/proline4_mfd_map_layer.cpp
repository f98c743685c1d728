// The map of PROLINE4_MFD pages 2 (north up about the plan waypoint, centre
// (123, 155), cut rectangle) and 3 (heading up about the aircraft, centre
// (123, 220), circle of 140): near layers, the active route with its idents
// and symbols, the TOC/TOD markers and runway pattern (page 3), the first
// hold, the ATC boundaries, the aircraft symbol (page 2) and the
// bottom-of-descent arc (page 3).
#include "data/display_settings.h"
#include "data/display_state.h"
#include "fms/math/nav_math.h"
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
#include "nd/proline4_mfd_painters.h"
#include "platform/gfx.h"
#include "platform/text_file.h"
#include "sim/aircraft_state.h"

#include <cmath>

namespace {

using gfx::Point;
using namespace proline4;

constexpr gfx::Argb kFromColour = palette::blue;
constexpr gfx::Argb kToColour = palette::magenta;

struct Projection {
    MapProjector projector;
    double kx, ky;
    // The position in the layer frame: whole design units, then scaled.
    void place(double lat, double lon, double* x, double* y) const {
        const MapPlacement p = projector.place(earth_vector(lat, lon));
        *x = std::trunc(saturate_to_int(p.x) * kx);
        *y = std::trunc(saturate_to_int(p.y) * ky);
    }
};

void set_clip(const DisplayObject& d, gfx::Graphics& g, bool plan, double centre_y) {
    design_frame(d, g, 123.0, centre_y);
    gfx::GraphicsPath clip;
    if (plan) {
        const Point edge[] = {{-80, -80}, {123, -80}, {123, 138}, {-123, 138}, {-123, -40}};
        clip.add_polygon_i(edge);
    } else {
        clip.add_ellipse_i(-140, -140, 280, 280);
    }
    g.set_clip_path(clip);
}

void draw_route(gfx::Graphics& g, const Projection& p) {
    const gfx::Pen leg(white, static_cast<float>(2.0 * p.kx));
    const gfx::FontFamily family("Arial");
    const gfx::Font font(family, static_cast<float>(12.0 * p.kx), gfx::FontStyle::Bold);
    const gfx::SolidBrush from_brush(kFromColour), to_brush(kToColour), ident_brush(white);
    double px = 0.0, py = 0.0;
    for_each_route_stop(active_plan, 0, active_plan_last, false, [&](const RouteStop& s) {
        const int i = s.index;
        const RouteWaypoint& w = s.waypoint;
        double x = 0.0, y = 0.0;
        p.place(w.lat, w.lon, &x, &y);
        if (s.joined) g.draw_line_i(leg, px, py, x, y);
        const bool from = i == route_from(active_plan, to_waypoint_index), to = i == to_waypoint_index;
        g.draw_string(w.ident.substr(0, 40), font,
                      from ? from_brush
                      : to ? to_brush
                           : ident_brush,
                      gfx::PointF{static_cast<float>(x + 7.0 * p.kx), static_cast<float>(y - 8.0 * p.ky)});
        draw_map_symbol(g, x, y - 6.0 * p.ky, MapSymbol::Waypoint, no_symbol_arrow, p.kx, p.ky,
                        from ? 1
                        : to ? 4
                             : 0,
                        proline4_mfd_range);
        px = x;
        py = y;
    });
}

} // namespace

void draw_proline4_mfd_map_layer(const DisplayObject& d, gfx::Graphics& g, int view_mode, double ppn) {
    const SplitScale k = split_scale(d, proline4_mfd_design);
    if (!k.valid || !(ppn > 0.0)) return;
    const AircraftState& a = aircraft_state;
    const bool plan = proline4_mfd_mode == kProline4ModePlanText;
    const double centre_y = plan ? 155.0 : 220.0;
    set_clip(d, g, plan, centre_y);
    set_split_frame(g, k, 123.0, centre_y);

    double ref_lat = a.plat, ref_lon = a.plon, heading = a.map_heading_deg;
    if (plan) {
        heading = 0.0;
        const int centre = plan_centre_index();
        if (centre >= 0) {
            ref_lat = active_plan[centre].lat;
            ref_lon = active_plan[centre].lon;
        }
    }
    const double range = proline4_mfd_range;
    const int nd = ND_PROLINE4;
    if (range <= 160.0 && (show_navaids_flags[nd] == 1 || proline4_mfd_show_ndbs == 1))
        draw_near_navaids_proline4_mfd(d, g, ref_lat, ref_lon, ppn);
    if (range <= 80.0 && show_airports_flags[nd] == 1)
        draw_near_airports_proline4_mfd(d, g, ref_lat, ref_lon, ppn);
    if (range <= 40.0 && show_airway_fixes_flags[nd] == 1)
        draw_near_airway_fixes_proline4_mfd(d, g, ref_lat, ref_lon, ppn);

    const Projection p{MapProjector(MapView{ref_lat, ref_lon, heading, ppn}), k.w, k.s};
    if (to_waypoint_index != kNoToWaypoint) draw_route(g, p);
    if (!plan) {
        draw_tod_toc_markers(g, proline4_map_radius_px, range, 0, 0, 10, k.w, k.s, a.plat, a.plon,
                             a.map_heading_deg);
        if (pattern_runway_index() != kNoRunwayLine)
            draw_runway_pattern(g, proline4_map_radius_px, 0, 0, range, k.w, k.s);
    }
    if (hold_list.count() >= 1 && hold_list[1].active_index() > 0)
        draw_hold_pattern_proline4_mfd(d, g, 0, 0, ppn);
    design_frame(d, g, 123.0, centre_y);
    if (show_atc_boundaries == 1 && view_mode != RENDER_MODE_VC2) draw_atc_boundaries_proline4_mfd(d, g);
    design_frame(d, g, 123.0, centre_y);
    if (plan) {
        double x = 0.0, y = 0.0;
        const Projection aircraft{MapProjector(MapView{ref_lat, ref_lon, 0.0, ppn}), 1.0, 1.0};
        aircraft.place(a.plat, a.plon, &x, &y);
        g.translate_transform(static_cast<float>(x), static_cast<float>(y));
        g.rotate_transform(static_cast<float>(a.heading_deg));
        const gfx::Pen pen(white, 2.0f);
        g.draw_line_i(pen, -10, 0, 10, 0);
        g.draw_line_i(pen, 0, -10, 0, 10);
        g.draw_line_i(pen, -5, 10, 5, 10);
        g.draw_line_i(pen, 0, 10, 0, 13);
    } else if (level_off_arc_wanted()) {
        draw_bod_arc_proline4_mfd(d, g, ppn);
    }
    g.reset_clip();
}
