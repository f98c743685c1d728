// The list of stored flight plans: every route file and simulator plan of the
// flight-plans folder that holds at least two waypoints, in stored_routes
// entries 1..count(), followed by the entry "NEW FPL" for a new, empty plan.
#pragma once

#include "fms/files/route_file_load.h"

#include <string>

extern int flight_plan_list_pages; // pages of eight entries
extern int flight_plan_list_page;  // the page the control units keep; 1 once listed

// The list's last entry, which stands for a new, empty plan.
inline constexpr const char* kNewPlanName = "NEW FPL";
inline constexpr const char* kNewPlanOrigin = "NEXT FPL";

// Loads list entry k into the working plan: the new-plan entry empties it, a
// stored plan is read from its file. False, with nothing changed, when k is
// no entry or its file can no longer be opened. What the load could not do is
// told on `asker` alone.
bool load_listed_plan_to_working(int k, RouteLoadAsker asker);

// A company route as the RTE page's CO ROUTE enters it: list entry k, or a
// route file of the flight-plans folder by its plain name, is read into the
// working plan (load_route_file_to_working), and the route is then entered
// for ACTIVATE and EXEC, or, on an active route, modified for EXEC (what the
// load could not do is told on the SMITHS). False,
// with the plans and the route state as they were, when nothing was loaded.
bool enter_listed_company_route(int k);
bool enter_company_route_file(const std::string& name);

// Rebuilds the list from the folder (at most 300 plans). "temp.rte", the
// import's own file, is never listed.
void list_flight_plans();
