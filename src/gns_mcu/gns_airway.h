// AIRWAY, the page of state 13: the fixes of the airway typed on a plan view
// ("#" and its name), from which the pilot chooses the fix where the route
// leaves it; ENT inserts the fixes up to there.
#pragma once

// The page's choice: the starting fix's index on entry, then the row position
// 1..16 a line key chose, 0 when a key cleared it.
inline int gns_airway_selection = 0;

// After load_airway: the page opens on the page of the fix the plan is at,
// with that fix chosen.
void gns_open_airway_page();

// ENT on state 13.
void gns_enter_airway();
