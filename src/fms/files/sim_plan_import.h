// Import of the simulator's ".PLN" flight plans, INI-style ("departure_id=",
// "waypoint.N=") and XML ("<ATCWaypoint id=..."), into the route file
// "temp.rte" of the flight-plans folder, which the route loaders then read.
// Only identifiers, positions and types are taken over.
#pragma once

#include <string>

// The route file the import writes and the loaders then read.
inline constexpr const char* kSimPlanTempFile = "temp.rte";
// What the MCU's entry line says when the plan it asked for cannot be imported.
inline constexpr const char* kSimPlanNotLoaded = "Unable to load FP";

// name: the plan's file name in the flight-plans folder. Returns 0 when
// "temp.rte" was written with at least one waypoint. Returns -99 when the
// plan cannot be opened or holds no waypoint (temp.rte is then not touched),
// or when temp.rte cannot be written (a part-written one is removed).
int import_simulator_flight_plan(const std::string& name);
