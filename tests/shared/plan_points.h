// The active plan written from a list of points, for the tests and
// benchmarks that fly or draw a route without loading one.
#pragma once

#include "fms/plan/route_plan.h"

#include <string>
#include <vector>

struct PlanPoint {
    std::string ident;
    double lat;
    double lon;
};

// Replaces the active plan by the points, each a waypoint of the given type.
inline void write_active_plan(const std::vector<PlanPoint>& points, const char* type = "WPT") {
    active_plan_last = -1;
    for (const PlanPoint& p : points) {
        RouteWaypoint& w = active_plan.slot(++active_plan_last);
        w = RouteWaypoint{};
        w.ident = p.ident;
        w.lat = p.lat;
        w.lon = p.lon;
        w.type = type;
    }
}
