#include "fms/guidance/route_progress.h"

#include "fms/math/nav_math.h"
#include "fms/plan/plan_legs.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_walk.h"
#include "sim/aircraft_state.h"

double distance_to_destination = 0.0;
double course_to_destination = 0.0;
double direct_distance_to_destination = 0.0;
double descent_path_altitude = 0.0;

namespace {

double distance(double lat1, double lon1, double lat2, double lon2) {
    double d = 0.0;
    double course = 0.0;
    gc_dist_course(lat1, lon1, lat2, lon2, &d, &course);
    return d;
}

} // namespace

void route_distance_summary() {
    // The route ends at its last place: a destination still to be entered
    // is neither measured nor aimed at.
    const int last = route_end(active_plan, active_plan_last);
    if (to_waypoint_index < 1 || to_waypoint_index > active_plan_last) return;
    if (last < 1) {
        distance_to_destination = 0.0;
        return;
    }
    const AircraftState& a = aircraft_state;
    const RouteWaypoint& end = active_plan[last];
    double ignored = 0.0;
    gc_dist_course(a.plat, a.plon, end.lat, end.lon, &ignored, &course_to_destination);
    // Kept current in every phase: the tower view and the pause near the
    // destination test it from the first pass of a route.
    direct_distance_to_destination = distance(a.plat, a.plon, end.lat, end.lon);
    distance_to_destination =
        route_distance_from(active_plan, a.plat, a.plon, to_waypoint_index, active_plan_last);
}
