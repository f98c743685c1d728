// The catalogue of stored routes that the flight-plan folder list fills.
#pragma once

#include "fms/plan/route_plan.h"

#include <string>

struct RouteRecord {
    std::string name;
    std::string origin;
    std::string destination;
    int source_slot = 0; // catalogue entry it was copied from, in a filtered list
    RoutePlan plan;

    RouteRecord() = default;
    RouteRecord(const RouteRecord&) = default;
    RouteRecord(RouteRecord&&) noexcept = default;
    // A record written over takes the other's plan through the edit path.
    RouteRecord& operator=(const RouteRecord& other);
    RouteRecord& operator=(RouteRecord&& other) noexcept;
};

// Entries 1..count() (at most 303); a count of 0 also means the folder has not
// been listed yet.
extern BoundedTable<RouteRecord, 304> stored_routes;
// The selected entry, shared by the control units' route lists: 1 once the
// folder is listed, then the row a unit last loaded.
extern int stored_route_selection;
