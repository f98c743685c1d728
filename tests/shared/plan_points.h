// The active plan written from a list of points, for the tests and
// benchmarks that fly or draw a route without loading one.
#pragma once

#include "fms/plan/plan_legs.h"
#include "fms/plan/route_plan.h"
#include "fms/plan_builder.h"

#include <string>
#include <vector>

struct PlanPoint {
    std::string ident;
    double lat;
    double lon;
};

// Replaces the plan (active_plan or working_plan, with its last index) by
// the points, each a waypoint of the given type.
inline void write_plan(auto& plan, const std::vector<PlanPoint>& points, const char* type = "WPT") {
    PlanBuilder::set_last(plan, -1);
    for (const PlanPoint& p : points) {
        RouteWaypoint& w = PlanBuilder::append(plan);
        w = RouteWaypoint{};
        w.ident = p.ident;
        w.lat = p.lat;
        w.lon = p.lon;
        w.type = type;
        // A marker's name stands for the marker, as on a route file line.
        if (const EntryKind k = marker_of_text(p.ident); k != EntryKind::Place) make_marker(w, k);
    }
    PlanBuilder::give_ids(plan);
}

inline void write_active_plan(const std::vector<PlanPoint>& points, const char* type = "WPT") {
    write_plan(active_plan, points, type);
}
