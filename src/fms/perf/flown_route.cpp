#include "fms/perf/flown_route.h"

#include "fms/guidance/lateral_guidance.h"
#include "fms/math/nav_math.h"
#include "sim/aircraft_state.h"

#include <algorithm>

double distance_ahead_to(int k) {
    const int to = to_waypoint_index;
    if (to < 1 || to > active_plan_last || k < to || k > active_plan_last) return 0.0;
    const AircraftState& a = aircraft_state;
    return route_distance_from(active_plan, a.plat, a.plon, to, k);
}

double distance_to_meet(int k) {
    const double d = distance_ahead_to(k);
    if (k >= flown_last()) return d;
    return std::max(0.0, d - std::max(0.0, switch_distance));
}
