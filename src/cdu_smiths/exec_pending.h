// PENDING: EXEC and ERASE of a route modification belong to the flight-
// management core (fms/route_exec.h). Until they arrive these stand-ins keep
// the CDU's call points: the EXEC key, the "< ERASE" prompts and the LEGS
// edit index. Remove this file and exec_pending.cpp when the core's EXEC
// lands.
#pragma once

// The waypoint the LEGS pages are editing; 0 = none.
extern int legs_edit_index;

// EXEC: the working plan becomes the active plan (route state 3).
void reset_active_route_state();
// ERASE: state 4 becomes 3 and the working plan goes back to the active one.
void erase_route_modification();
