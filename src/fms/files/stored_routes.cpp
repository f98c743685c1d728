#include "fms/files/stored_routes.h"

#include "fms/plan/plan_edit.h"

#include <utility>

BoundedTable<RouteRecord, 304> stored_routes;
int stored_route_selection = 0;

RouteRecord& RouteRecord::operator=(const RouteRecord& other) {
    if (this == &other) return *this;
    name = other.name;
    origin = other.origin;
    destination = other.destination;
    source_slot = other.source_slot;
    PlanEdit(plan_target(plan), "storing a route").replace_with(other.plan);
    return *this;
}

RouteRecord& RouteRecord::operator=(RouteRecord&& other) noexcept {
    if (this == &other) return *this;
    name = std::move(other.name);
    origin = std::move(other.origin);
    destination = std::move(other.destination);
    source_slot = other.source_slot;
    PlanEdit(plan_target(plan), "storing a route").replace_with(std::move(other.plan));
    return *this;
}
