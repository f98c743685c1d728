// The names the procedure pages, files and maps read the plans' choices by
// (fms/plan/plan_choices.h): the choices being made are the working plan's,
// the executed copies the active plan's; a ChoicesEdit writes them. Each name
// is a reference bound at constant initialisation, so it is valid before any
// constructor runs.
#pragma once

#include "fms/plan/route_plan.h"

#include <string>

inline const std::string& sel_departure_runway = working_plan.choices().departure_runway;
inline const std::string& sel_sid = working_plan.choices().sid;
inline const std::string& sel_sid_transition = working_plan.choices().sid_transition;
inline const std::string& applied_departure_runway = working_plan.choices().applied_departure_runway;
inline const std::string& applied_sid_transition = working_plan.choices().applied_sid_transition;
inline const std::string& sel_arrival_runway = working_plan.choices().arrival_runway;
inline const std::string& sel_star = working_plan.choices().star;
inline const std::string& sel_star_transition = working_plan.choices().star_transition;
inline const std::string& applied_arrival_runway = working_plan.choices().applied_arrival_runway;
inline const std::string& applied_star_transition = working_plan.choices().applied_star_transition;
inline const std::string& sel_approach = working_plan.choices().approach;
inline const std::string& sel_approach_transition = working_plan.choices().approach_transition;
inline const std::string& pending_departure_runway = working_plan.choices().pending_departure_runway;
inline const std::string& arrival_choice_airport = working_plan.choices().arrival_choice_airport;

inline const std::string& exec_sid = active_plan.choices().sid;
inline const std::string& exec_sid_transition = active_plan.choices().sid_transition;
inline const std::string& exec_departure_runway = active_plan.choices().departure_runway;
inline const std::string& exec_star = active_plan.choices().star;
inline const std::string& exec_star_transition = active_plan.choices().star_transition;
inline const std::string& exec_arrival_runway = active_plan.choices().arrival_runway;
inline const std::string& exec_approach = active_plan.choices().approach;
inline const std::string& exec_approach_transition = active_plan.choices().approach_transition;
inline const std::string& exec_applied_arrival_runway = active_plan.choices().applied_arrival_runway;

// Imposed turn of a direct-to: "DEFAULT", "LEFT" or "RIGHT".
inline std::string direct_to_turn_text;
