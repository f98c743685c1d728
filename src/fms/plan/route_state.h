// The route state that lights the EXEC lamp, and the direct-to state of the
// LEGS pages that EXEC and ERASE reset.
#pragma once

// The EXEC lamp is lit in kRouteStateActivated and kRouteStateActiveModified.
// Kept an int: the values are published and compared as numbers.
extern int route_state;
inline constexpr int kRouteStateNone = 0;
inline constexpr int kRouteStateEntered = 1;
inline constexpr int kRouteStateActivated = 2; // EXEC pending
inline constexpr int kRouteStateActive = 3;
inline constexpr int kRouteStateActiveModified = 4;

// One step: 0 to 1, 1 to 2, 2 and 4 to 3, 3 to 4; other values stay.
void advance_route_state();

// The step a plan edit may take: a first change enters a route (0 to 1), a
// change to an executed route makes it modified (3 to 4). 1, 2 and 4 stay, so
// an edit never activates a route nor drops a pending modification.
void mark_route_edited();

// RTE LEGS mode of the SMITHS unit: the leg list, direct-to or intercept
// entry, choice of a holding fix. The C-17 unit's c17_legs_mode uses the
// first two.
extern int smiths_legs_mode;
inline constexpr int kLegsModeList = 0;
inline constexpr int kLegsModeDirectTo = 1;
inline constexpr int kLegsModeHoldAt = 2;
// 1 once a direct-to or intercept was entered; EXEC and ERASE clear it.
extern int direct_to_entered;
