// Values of the SMITHS_FMS unit that the flight-management core reads and
// writes: the scratchpad, the message line and the page shown.
#pragma once

#include "cdu_smiths/smiths_scratchpad.h"

// Page number of the SMITHS unit (6 RTE LEGS, 39 RTE HOLD, ...).
inline int smiths_cdu_page = 0;

// LEGS page selection flag of "HOLD AT"; adding a hold clears it.
inline int smiths_hold_at_leg = 0;

// The LEGS map step of the plan-format displays: the plan index they centre.
inline int smiths_legs_map_step = 0;
