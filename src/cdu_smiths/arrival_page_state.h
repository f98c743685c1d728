// Choices of the ARRIVALS page that the DEP/ARR INDEX page resets when it
// opens ARRIVALS afresh (the runway flag and sub-page live with the other
// departure and arrival choices in fms/procedures/dep_arr_selection.h).
#pragma once

// What ARRIVALS shows in its STAR column.
inline constexpr int kArrStarStateList = 0;   // the STAR list
inline constexpr int kArrStarStateChosen = 1; // a STAR chosen: its transitions shown
inline constexpr int kArrStarStateMarked = 2; // the STAR list again, the chosen STAR marked
inline int arr_star_state = kArrStarStateList;
inline int arr_transition_chosen = 0;
inline int approach_chosen = 0;
inline int approach_transition_chosen = 0;

// The chosen entry of the approach's transition (IAF) list; 0 = none.
inline int approach_transition_index = 0;
