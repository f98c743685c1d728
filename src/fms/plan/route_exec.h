// The state of a route modification that EXEC and ERASE (fms/exec) act on:
// the airports and selections entered, the values the performance pages
// saved, and the working plan loaded whole.
#pragma once

#include "data/performance_values.h"
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
inline const int& arrival_page_choice_1 = working_plan.choices().arrival_page_choice_1;
inline const int& arrival_page_choice_2 = working_plan.choices().arrival_page_choice_2;
inline const int& exec_arrival_page_choice_1 = active_plan.choices().arrival_page_choice_1;
inline const int& exec_arrival_page_choice_2 = active_plan.choices().arrival_page_choice_2;

// The performance values as executed, kept whole by the first entry that
// changes one on an active route: ERASE puts them back whole, EXEC forgets
// them. The previous_* names read them; with nothing kept they read 0 (the
// cost index -1).
inline constexpr PerformanceValues kNoPerformanceKept{0, 0, 0, 0.0, 0.0, 0.0, 0, -1};
inline bool executed_performance_kept = false;
inline PerformanceValues executed_performance = kNoPerformanceKept;
inline int& previous_climb_speed = executed_performance.climb_speed;
inline int& previous_cruise_speed = executed_performance.cruise_speed;
inline int& previous_descent_speed = executed_performance.descent_speed;
inline double& previous_climb_mach = executed_performance.climb_mach;
inline double& previous_cruise_mach = executed_performance.cruise_mach;
inline double& previous_descent_mach = executed_performance.descent_mach;
inline int& previous_cruise_altitude = executed_performance.cruise_altitude;
inline int& previous_cost_index = executed_performance.cost_index;
// An entry is about to change a performance value: on an active route the
// values as executed are kept, once per modification.
void keep_executed_performance();
// ERASE: the values kept come back; EXEC: they are forgotten. Either way
// nothing is kept afterwards.
void restore_executed_performance();
void forget_executed_performance();

// The waypoint the LEGS pages are editing; 0 = none. EXEC and ERASE let it
// go (legs_edit_cursor, fms/exec/exec_cursors.h); the pages put it through
// their edits.
extern const PlanCursor& legs_edit_index;

// 1 while the working plan is a whole plan loaded over the active one: EXEC
// starts it at its first leg.
extern int working_plan_new;

// A plan was loaded whole into the working plan: the holds leave it (ERASE
// brings the executed ones back) and EXEC restarts the TO waypoint.
void working_plan_replaced();
