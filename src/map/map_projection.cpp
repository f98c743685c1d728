#include "map/map_projection.h"

#include "data/p1000_menu_state.h"
#include "fms/math/nav_math.h"
#include "fms/plan/plan_legs.h"
#include "fms/plan/route_plan.h"
#include "fms/units/cdu_text.h"
#include "map/render_frame.h"
#include "platform/gfx.h"
#include "sim/aircraft_state.h"

#include <algorithm>
#include <cmath>

SplitScale split_scale(const DisplayObject& display, double design_width, double design_height) {
    SplitScale scale;
    const double sum = double(display.width) + double(display.height);
    if (display.width <= 0 || display.height <= 0 || design_width <= 0.0 || design_height <= 0.0)
        return scale;
    scale.frame_x = display.width / sum;
    scale.frame_y = display.height / sum;
    scale.w = static_cast<float>(display.width) / static_cast<float>(design_width) / scale.frame_x;
    scale.s = static_cast<float>(display.height) / static_cast<float>(design_height) / scale.frame_y;
    scale.valid = true;
    return scale;
}

void set_split_frame(gfx::Graphics& g, const SplitScale& scale, double centre_x, double centre_y) {
    g.reset_transform();
    g.scale_transform(static_cast<float>(scale.frame_x), static_cast<float>(scale.frame_y));
    g.translate_transform(static_cast<float>(centre_x * scale.w), static_cast<float>(centre_y * scale.s));
}

void set_design_frame(gfx::Graphics& g, const DisplayObject& display, float design_width, float design_height,
                      float centre_x, float centre_y) {
    g.reset_transform();
    g.scale_transform(static_cast<float>(display.width) / design_width,
                      static_cast<float>(display.height) / design_height);
    g.translate_transform(centre_x, centre_y);
}

namespace {
constexpr double deg_to_rad = 0.017453292519943295;
constexpr double tan_one_degree = 0.017455064928217585;
double dot(const EarthVector& a, const EarthVector& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

// asin(s) / s for s below 1/8 (points within some 430 NM), from the first
// ten terms of its series: what is left is below 1e-20 of it, so the angle
// it gives is as exact as the arc cosine's, and better near the reference.
constexpr double kSeriesLimit = 0.125;
double asin_over_s(double s2) {
    constexpr double c[] = {
        1.0,           1.0 / 6.0,       3.0 / 40.0,      5.0 / 112.0,       35.0 / 1152.0,
        63.0 / 2816.0, 231.0 / 13312.0, 143.0 / 10240.0, 6435.0 / 557056.0, 12155.0 / 1245184.0};
    double sum = c[9];
    for (int i = 8; i >= 0; --i)
        sum = sum * s2 + c[i];
    return sum;
}
} // namespace

EarthVector earth_vector(double lat, double lon) {
    const double phi = lat * deg_to_rad, lambda = lon * deg_to_rad;
    return EarthVector{std::cos(phi) * std::cos(lambda), std::cos(phi) * std::sin(lambda), std::sin(phi)};
}

MapProjector::MapProjector(const MapView& view) : ppn_(view.ppn) {
    const double phi = view.ref_lat * deg_to_rad, lambda = view.ref_lon * deg_to_rad;
    const double sin_phi = std::sin(phi), cos_phi = std::cos(phi);
    const double sin_lambda = std::sin(lambda), cos_lambda = std::cos(lambda);
    up_ = EarthVector{cos_phi * cos_lambda, cos_phi * sin_lambda, sin_phi};
    east_ = EarthVector{-sin_lambda, cos_lambda, 0.0};
    north_ = EarthVector{-sin_phi * cos_lambda, -sin_phi * sin_lambda, cos_phi};
    sin_heading_ = std::sin(view.heading * deg_to_rad);
    cos_heading_ = std::cos(view.heading * deg_to_rad);
}

MapPlacement MapProjector::place(const EarthVector& point) const {
    // The course's sine and cosine are the point's east and north parts
    // over their length, so no angle is ever formed.
    const double east = dot(point, east_), north = dot(point, north_), up = dot(point, up_);
    const double across2 = east * east + north * north;
    const double across = std::sqrt(across2);
    MapPlacement p;
    // The map radius over `across`: from the angle's series in its sine on
    // the near side (no call, no division), from its arc cosine farther out.
    double radius_per_across = 0.0;
    if (up > 0.0 && across < kSeriesLimit) {
        const double angle_per_across = asin_over_s(across2);
        p.distance = across * angle_per_across * earth_radius_nm;
        radius_per_across = angle_per_across * earth_radius_nm * ppn_;
    } else {
        p.distance = std::acos(std::clamp(up, -1.0, 1.0)) * earth_radius_nm;
        if (across > 0.0) radius_per_across = p.distance * ppn_ / across;
    }
    // gc_dist_course reports every course below 1 degree as 360.
    if (!(across > 0.0) || (east >= 0.0 && north > 0.0 && east < north * tan_one_degree)) {
        const double radius = p.distance * ppn_;
        p.x = -radius * sin_heading_;
        p.y = -radius * cos_heading_;
        return p;
    }
    p.x = radius_per_across * (east * cos_heading_ - north * sin_heading_);
    p.y = -radius_per_across * (north * cos_heading_ + east * sin_heading_);
    return p;
}

void MapProjector::place_all(std::span<const EarthVector> points, MapPlacement* out) const {
    // The same arithmetic as place()'s near side, in the same order, with no
    // branch between one point and the next: the points' chains overlap.
    constexpr std::size_t kBlock = 32;
    bool redo[kBlock];
    for (std::size_t start = 0; start < points.size(); start += kBlock) {
        const std::size_t n = std::min(kBlock, points.size() - start);
        const EarthVector* in = points.data() + start;
        MapPlacement* to = out + start;
        for (std::size_t k = 0; k < n; ++k) {
            const double east = dot(in[k], east_), north = dot(in[k], north_), up = dot(in[k], up_);
            const double across2 = east * east + north * north;
            const double across = std::sqrt(across2);
            const double angle_per_across = asin_over_s(across2);
            const double radius_per_across = angle_per_across * earth_radius_nm * ppn_;
            to[k].distance = across * angle_per_across * earth_radius_nm;
            to[k].x = radius_per_across * (east * cos_heading_ - north * sin_heading_);
            to[k].y = -radius_per_across * (north * cos_heading_ + east * sin_heading_);
            redo[k] = !(up > 0.0 && across < kSeriesLimit) || !(across > 0.0) ||
                      (east >= 0.0 && north > 0.0 && east < north * tan_one_degree);
        }
        for (std::size_t k = 0; k < n; ++k)
            if (redo[k]) to[k] = place(in[k]);
    }
}

MapPlacement place_on_map(const MapView& view, double lat, double lon) {
    // A map places many points from one view a frame.
    static MapView last{0.0, 0.0, 0.0, 0.0};
    static MapProjector projector(last);
    if (view.ref_lat != last.ref_lat || view.ref_lon != last.ref_lon || view.heading != last.heading ||
        view.ppn != last.ppn) {
        last = view;
        projector = MapProjector(view);
    }
    return projector.place(earth_vector(lat, lon));
}

int plan_centre_index() {
    if (to_waypoint_index == kNoToWaypoint) return -1;
    // A step on an entry not flown centres on the place before it: such an
    // entry has no place of its own.
    if (smiths_legs_map_step > 0 && smiths_legs_map_step <= active_plan_last)
        return place_at_or_before(active_plan, smiths_legs_map_step);
    if (to_waypoint_index >= 0 && to_waypoint_index <= active_plan_last) return to_waypoint_index;
    return -1;
}

double units_per_nm(double radius, double range) {
    if (!(range > 0.0) || !std::isfinite(range) || !std::isfinite(radius)) return 0.0;
    return radius / range;
}

MapPosition map_position_ahead(MapPosition from, double true_course, double nm) {
    MapPosition to;
    gc_destination_point(from.lat, from.lon, floored_mod(true_course, 360.0), nm, &to.lat, &to.lon);
    return to;
}

MapPosition p1000_map_reference() {
    const AircraftState& a = aircraft_state;
    const int to = to_waypoint_index;
    if (p1000_mfd_plan_mode == kP1000PlanModeNorthUp && to != kNoToWaypoint && to >= 0 &&
        to <= active_plan_last)
        return MapPosition{active_plan[to].lat, active_plan[to].lon};
    return MapPosition{a.plat, a.plon};
}
