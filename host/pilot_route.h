// A route file loaded as a pilot loads it: on the RTE page of a SMITHS_FMS,
// the company route (the file name without its extension) into CO ROUTE,
// then ACTIVATE and EXEC; the unit is left on its IDENT page, where it starts.
// For a module that offers no entry point of its own to ask for a route file
// (the Windows DLL exports only its two records).
#pragma once

#include <string>
#include <vector>

namespace host {

struct Simulator;

// Uses the first SMITHS_FMS or SMITHS_FMS_BR of the panel; without one an
// unplaced SMITHS_FMS ("orvex-sim.fms") is added for it. The keys are seen by
// that gauge's own update and draw: the frame count and the aircraft do not
// move. False with a message when no SMITHS_FMS can be had.
bool enter_company_route(Simulator& sim, const std::string& file_name, std::string& error);

// The waypoint idents of the route file last entered, in file order (read
// from orvex/flightplans/ below the simulator root; for a simulator plan from
// the route file the module converted it into), so that a host without
// the module's own route status can name the TO waypoint by its number.
const std::vector<std::string>& entered_route_idents();

// How many waypoints the module loaded from the route file last entered, read
// from the active plan SERVER publishes: its length when it runs from the
// file's first waypoint to its last, else 0 (the module kept the plan it had).
int entered_route_loaded();

} // namespace host
