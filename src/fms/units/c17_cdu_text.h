// Values of the C-17 mission CDU that the plan edits read and write: its
// scratchpad and message line, its place/bearing/distance inputs and its LEGS
// mode and mark.
#pragma once

#include <string>

inline std::string c17_scratchpad;
inline std::string c17_scratchpad_message;

inline double c17_pbd_bearing_1 = -1.0; // degrees magnetic; -1 = none
inline double c17_pbd_bearing_2 = -1.0; // -1 = none
inline double c17_pbd_distance = 0.0;   // NM; 0 = none

inline int c17_legs_mode = 0;         // 1 direct-to or intercept
inline int c17_direct_to_entered = 0; // the LEGS mark that EXEC clears

// Page number of the C-17 mission CDU (10 DEPARTURES, ...).
inline int c17_cdu_page = 0;
