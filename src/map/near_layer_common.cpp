#include "map/near_layer_common.h"

#include "data/c17_mfd_state.h"
#include "data/display_geometry.h"
#include "data/display_settings.h"
#include "data/p1000_menu_state.h"
#include "fms/math/nav_math.h"
#include "fms/nav/nearby_lists.h"
#include "fms/plan/route_plan.h"
#include "map/map_projection.h"
#include "map/range_ladder.h"
#include "map/render_frame.h"
#include "sim/aircraft_state.h"

#include <cmath>
#include <deque>

namespace {

// A list never built counts as far away.
double distance_from(double lat, double lon, const ListCentre& centre) {
    if (centre.latitude == kListNotBuilt) return 1e9;
    double d = 0.0, course = 0.0;
    gc_dist_course(lat, lon, centre.latitude, centre.longitude, &d, &course);
    return d;
}

void refresh(double lat, double lon, const ListCentre& wide_centre, void (*build_wide)(double, double),
             const ListCentre& close_centre, void (*build_close)(double, double)) {
    if (distance_from(lat, lon, wide_centre) > 200.0) build_wide(lat, lon);
    if (distance_from(lat, lon, close_centre) > 50.0) build_close(lat, lon);
}

} // namespace

void refresh_navaid_lists(double lat, double lon) {
    refresh(lat, lon, near_navaids_centre, build_near_navaids, local_navaids_centre, build_local_navaids);
}

void refresh_airway_fix_lists(double lat, double lon) {
    refresh(lat, lon, near_airway_fixes_centre, build_near_airway_fixes, local_airway_fixes_centre,
            build_local_airway_fixes);
}

void refresh_airport_lists(double lat, double lon) {
    refresh(lat, lon, near_airports_centre, build_near_airports, close_airports_centre, build_close_airports);
}

void LayerLabel::draw(gfx::Graphics& g, std::string_view ident, std::size_t max_chars, double x,
                      double y) const {
    const std::string_view text =
        max_chars > 0 && ident.size() > max_chars ? ident.substr(0, max_chars) : ident;
    g.draw_string(text, font, brush, gfx::PointF{static_cast<float>(x), static_cast<float>(y)});
}

LayerCanvas open_layer_canvas(const DisplayObject& display, gfx::Graphics& g, DesignSize design,
                              double centre_x, double centre_y, const MapView& view, double range) {
    LayerCanvas c = layer_canvas_in_caller_frame(display, design, view, range);
    if (!c.valid) return c;
    c.centre_x = centre_x;
    c.centre_y = centre_y;
    set_split_frame(g, c.k, centre_x, centre_y);
    c.on_canvas = visible_box_in_frame(g, c.k.w, c.k.s, &c.visible);
    if (c.on_canvas) c.cap = visible_cap(c.view, c.visible);
    return c;
}

VisibleCap visible_cap(const MapView& view, const VisibleBox& box) {
    constexpr double deg = 3.14159265358979323846 / 180.0;
    VisibleCap cap;
    if (!(view.ppn > 0.0)) return cap;
    const double left = box.left - VisibleBox::left_margin, right = box.right + VisibleBox::right_margin;
    const double top = box.top - VisibleBox::top_margin, bottom = box.bottom + VisibleBox::bottom_margin;
    const double mx = 0.5 * (left + right), my = 0.5 * (top + bottom);
    // One NM of slack for the rounding of the projection.
    const double angle = (0.5 * std::hypot(right - left, bottom - top) / view.ppn + 1.0) / earth_radius_nm;
    if (!std::isfinite(angle) || !std::isfinite(mx) || !std::isfinite(my) || angle >= 1.0) return cap;
    double lat = view.ref_lat, lon = view.ref_lon;
    const double from_ref = std::hypot(mx, my) / view.ppn;
    if (from_ref > 0.0)
        gc_destination_point(view.ref_lat, view.ref_lon,
                             floored_mod(view.heading + std::atan2(mx, -my) / deg, 360.0), from_ref, &lat,
                             &lon);
    cap.centre = earth_vector(lat, lon);
    cap.cos_radius = std::cos(angle);
    cap.known = true;
    return cap;
}

std::vector<KeptVector>& kept_vectors_of(const void* list) {
    // A handful of lists, each at a fixed address; a deque keeps the sets
    // in place as lists are added.
    static std::deque<std::pair<const void*, std::vector<KeptVector>>> kept;
    for (auto& [at, vectors] : kept)
        if (at == list) return vectors;
    kept.emplace_back(list, std::vector<KeptVector>{});
    return kept.back().second;
}

bool visible_box_in_frame(gfx::Graphics& g, double w, double s, VisibleBox* box) {
    // The canvas, or the part of it within the display's clip.
    gfx::RectF v;
    if (!(w > 0.0 && s > 0.0) || g.visible_clip_bounds(&v) != gfx::Status::Ok) return false;
    *box = VisibleBox{v.x / w, v.y / s, (v.x + v.width) / w, (v.y + v.height) / s};
    return true;
}

LayerCanvas layer_canvas_in_caller_frame(const DisplayObject& display, DesignSize design, const MapView& view,
                                         double range) {
    LayerCanvas c;
    c.k = split_scale(display, design);
    c.view = view;
    c.range = range;
    c.design = design;
    c.valid = c.k.valid;
    return c;
}

LayerCanvas hw_b737_nd_layer_canvas(const DisplayObject& display, gfx::Graphics& g, double ppn) {
    return open_layer_canvas(display, g, hw_b737_nd_design, 122.0, hw_b737_nd_layer_centre_y(),
                             hw_b737_nd_layer_view(ppn), hw_b737_nd_range);
}

LayerCanvas hw_md11_nd_layer_canvas(const DisplayObject& display, gfx::Graphics& g, double ppn) {
    return open_layer_canvas(
        display, g, hw_md11_nd_design, hw_md11_nd_centre_x, hw_md11_nd_centre_y,
        plan_or_aircraft_view(hw_md11_nd_mode == kMd11NdModePlan, aircraft_state.map_heading_deg, ppn),
        hw_md11_nd_range);
}

LayerCanvas md80_ehsi_layer_canvas(const DisplayObject& display, gfx::Graphics& g, double ppn) {
    return open_layer_canvas(
        display, g, md80_ehsi_design, md80_compass_centre_x, md80_compass_centre_y,
        plan_or_aircraft_view(md80_ehsi_mode == kEhsiModePlan, aircraft_state.map_heading_deg, ppn),
        md80_ehsi_range);
}

LayerCanvas proline4_mfd_layer_canvas(const DisplayObject& display, gfx::Graphics& g, double lat, double lon,
                                      double ppn) {
    const bool plan = proline4_mfd_mode == kProline4ModePlanText;
    const MapView view{lat, lon, plan ? 0.0 : aircraft_state.map_heading_deg, ppn};
    return open_layer_canvas(display, g, proline4_mfd_design, 123.0, plan ? 155.0 : 220.0, view,
                             proline4_mfd_range);
}

MapView hw_b737_nd_layer_view(double ppn) {
    return plan_or_aircraft_view(hw_b737_nd_mode >= kB737NdModePlan, aircraft_state.map_heading_deg, ppn);
}

double hw_b737_nd_layer_centre_y() {
    return hw_b737_nd_mode == kB737NdModeCtrMap || hw_b737_nd_mode == kB737NdModePlan ? 171.0 : 249.0;
}

MapView c17_layer_view(double lat, double lon, double heading, double ppn) {
    MapView view{lat, lon, heading, ppn};
    const int centre = c17_mfd_format > kC17FormatPlan ? plan_centre_index() : -1;
    if (centre >= 0) {
        view.ref_lat = active_plan[centre].lat;
        view.ref_lon = active_plan[centre].lon;
    }
    return view;
}

P1000LayerFrame p1000_layer_frame(const DisplayObject& display, gfx::Graphics& g) {
    P1000LayerFrame f;
    if (display.width <= 0 || display.height <= 0) return f;
    f.w = 2.0 * (static_cast<float>(display.width) / 272.0f);
    f.s = 2.0 * (static_cast<float>(display.height) / 314.0f);
    g.reset_transform();
    g.scale_transform(0.5f, 0.5f);
    f.centre_x = std::trunc(p1000_map_centre_x * f.w);
    f.centre_y = std::trunc(p1000_map_centre_y * f.s);
    const AircraftState& a = aircraft_state;
    f.view = MapView{a.plat, a.plon, a.map_heading_deg,
                     units_per_nm(std::trunc(p1000_map_radius * f.w), p1000_mfd_range)};
    const int to = to_waypoint_index;
    if (p1000_mfd_plan_mode == kP1000PlanModeNorthUp && to != kNoToWaypoint && to >= 0 &&
        to <= active_plan_last) {
        f.view.ref_lat = active_plan[to].lat;
        f.view.ref_lon = active_plan[to].lon;
    }
    f.valid = true;
    return f;
}

P1000LayerCull p1000_layer_cull(gfx::Graphics& g, const P1000LayerFrame& f) {
    P1000LayerCull cull;
    if (!f.valid) return cull;
    cull.on_canvas = visible_box_in_frame(g, f.w, f.s, &cull.visible);
    // The cap needs one scale for both axes: design units are frame units
    // over w, and the projection is drawn in frame units.
    if (cull.on_canvas && f.w == f.s) {
        const VisibleBox& v = cull.visible;
        const double cx = f.centre_x / f.w, cy = f.centre_y / f.s;
        MapView view = f.view;
        view.ppn = f.view.ppn / f.w;
        cull.cap = visible_cap(view, VisibleBox{v.left - cx, v.top - cy, v.right - cx, v.bottom - cy});
    }
    return cull;
}

void end_p1000_layer(const DisplayObject& display, gfx::Graphics& g) {
    g.reset_transform();
    g.scale_transform(static_cast<float>(display.width) / 272.0f,
                      static_cast<float>(display.height) / 314.0f);
}
