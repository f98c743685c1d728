#include "map/map_projection.h"

#include "fms/math/nav_math.h"
#include "fms/plan/route_plan.h"
#include "fms/units/cdu_text.h"
#include "map/render_frame.h"
#include "platform/gfx.h"

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

MapPlacement place_on_map(const MapView& view, double lat, double lon) {
    // A map places many points from one reference a frame.
    static GcOrigin origin = gc_origin(0.0, 0.0);
    if (origin.lat != view.ref_lat || origin.lon != view.ref_lon)
        origin = gc_origin(view.ref_lat, view.ref_lon);
    MapPlacement p;
    double course = 0.0;
    gc_dist_course(origin, lat, lon, &p.distance, &course);
    turn_arc_geometry(view.heading, course, 0.0, 0.0, p.distance * view.ppn, &p.x, &p.y);
    return p;
}

int plan_centre_index() {
    if (to_waypoint_index == kNoToWaypoint) return -1;
    if (smiths_legs_map_step > 0 && smiths_legs_map_step <= active_plan_last) return smiths_legs_map_step;
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
