// Choices of the ARRIVALS page that the DEP/ARR INDEX page resets when it
// opens ARRIVALS afresh (the runway flag and sub-page live with the other
// departure and arrival choices in fms/dep_arr_selection.h).
#pragma once

// 0 STAR list, 1 a STAR chosen, 2 STAR list with the chosen STAR marked.
inline int arr_star_state = 0;
inline int arr_transition_chosen = 0;
inline int approach_chosen = 0;
inline int approach_transition_chosen = 0;

// The arrival choices that APPROACH REF shows: the chosen entry of the
// approach list (approach_fix_list) and the chosen runway in the
// destination's runway table; 0 = none.
inline int selected_approach_index = 0;
inline int selected_arrival_runway_index = 0;
// The chosen entry of the approach's transition (IAF) list; 0 = none.
inline int approach_transition_index = 0;
