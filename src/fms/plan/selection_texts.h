// Route-selection texts of the procedure pages and their executed copies.
// "------" means nothing is selected; load_config presets them so (until it
// runs they are empty).
#pragma once

#include <string>

inline std::string sel_departure_runway, sel_sid, sel_sid_transition;
inline std::string applied_departure_runway, applied_sid_transition;
inline std::string sel_arrival_runway, sel_star, sel_star_transition;
inline std::string applied_arrival_runway, applied_star_transition;
inline std::string sel_approach, sel_approach_transition;

inline std::string exec_sid, exec_sid_transition, exec_departure_runway;
inline std::string exec_star, exec_star_transition, exec_arrival_runway;
// The approach executed with its runway, for ERASE to bring back.
inline std::string exec_approach, exec_approach_transition, exec_applied_arrival_runway;
inline std::string pending_departure_runway;
// The airport whose detail the arrival choices of the pending modification
// were made on: other units load theirs into the same slot meanwhile.
inline std::string arrival_choice_airport;

// Imposed turn of a direct-to: "DEFAULT", "LEFT" or "RIGHT".
inline std::string direct_to_turn_text;
