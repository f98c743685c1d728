// The state of a route modification that EXEC and ERASE (fms/exec) act on:
// the airports and selections entered, the values the performance pages
// saved, and the working plan loaded whole.
#pragma once

#include "fms/plan/route_plan.h"

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

// Two choices of the arrival pages (the working plan's) and their executed
// copies (the active plan's).
inline int& arrival_page_choice_1 = working_plan.choices.arrival_page_choice_1;
inline int& arrival_page_choice_2 = working_plan.choices.arrival_page_choice_2;
inline int& exec_arrival_page_choice_1 = active_plan.choices.arrival_page_choice_1;
inline int& exec_arrival_page_choice_2 = active_plan.choices.arrival_page_choice_2;

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
