// EXEC and ERASE of a route modification. EXEC makes the working plan the
// active plan and brings what depends on it up to date: the executed
// selections, the airports, holds, the direct leg, the vertical profile and
// target. ERASE throws the modification away.
#pragma once

#include <string>

// Departure runway entered outside the departure pages (route file, RTE
// page); "------" or empty = none. EXEC adopts it and raises the flag, which
// the departure pages clear.
extern int departure_runway_changed;

// Origin or destination entered on the pages and not yet executed; empty =
// none. And the airports whose detail is loaded in slots 1 and 2.
extern std::string origin_airport_ident;
extern std::string destination_airport_ident;
extern std::string loaded_origin_ident;
extern std::string loaded_destination_ident;

// "ApproachInfo" of a route file read into the working plan: approach name
// and runway joined by "_"; empty = none.
extern std::string approach_info;

// Two choices of the arrival pages and their executed copies.
extern int arrival_page_choice_1, arrival_page_choice_2;
extern int exec_arrival_page_choice_1, exec_arrival_page_choice_2;

// Values the performance pages saved before changing a target; EXEC drops
// them, ERASE puts them back. 0 (cost index -1) = nothing saved.
extern double previous_climb_speed, previous_climb_mach;
extern double previous_cruise_speed, previous_cruise_mach;
extern double previous_descent_speed, previous_descent_mach;
extern int previous_cruise_altitude;
extern int previous_cost_index;

// The waypoint the LEGS pages are editing; 0 = none.
extern int legs_edit_index;

// 1 while the working plan is a whole plan loaded over the active one: EXEC
// starts it at its first leg.
extern int working_plan_new;

// A plan was loaded whole into the working plan: the holds leave it (ERASE
// brings the executed ones back) and EXEC restarts the TO waypoint.
void working_plan_replaced();

// EXEC: only while route_state is 2 or 4 from the EXEC keys; other callers at
// any state. With a working plan of two entries or more the route is active
// (state 3) afterwards.
void reset_active_route_state();

// The EXEC key: a destination entered on the active route becomes the route's
// destination for the RTE and DEP/ARR pages (EXEC empties the entry), then
// reset_active_route_state.
void execute_route_modification();

// ERASE: state 4 becomes 3; selections, saved values, holds and the working
// plan go back to what was executed.
void erase_route_modification();
