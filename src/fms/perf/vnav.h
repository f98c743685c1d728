// The performance room of the core: the vertical profile (its state, top of
// climb, top of descent, vertical target, is the plan's), the speed targets
// and cost index, the cruise planning from the performance tables, the VNAV
// half of the per-frame update and the autopilot commands it sends.
//
// The vertical half of the per-frame update: the top of climb (TOC) and top
// of descent (TOD) on the active route, the vertical target kept at each
// sequencing, the detection of both events with their page switches and
// autopilot commands, and the speed restrictions.
#pragma once

#include "fms/units/plan_cursor.h"

// From the TO index + offset: the profile's cap ahead (the first one the
// aircraft is not above, the one VNAV levels at) becomes the vertical target
// and toc_index; without one the target is the profile's T/C. Returns the
// cap's index, or the index of the entry whose leg holds the T/C; 0 when
// neither is found (then nothing is written).
int plan_distance_to(int offset);

// Locates the TOD: (start altitude - end altitude) / descent rate x descent
// TAS back along the route from the earliest constrained entry of the
// descent. kTodNewLevel first makes the TO waypoint's altitude constraint
// the new cruise altitude (the phase's new level). Ends with
// route_distance_summary.
inline constexpr int kTodLocate = 0;
inline constexpr int kTodNewLevel = 1; // a new TO waypoint with a constraint
void update_toc_tod(int mode);

// The entry the vertical target stands on, looking from entry `first`: in
// the climb the constraint ahead that caps it, else the end of the descent,
// else the last entry; read from the active profile's roles.
int vertical_target_entry(int first);

// The profile made again for the route now flown, after an edit of it (EXEC,
// or the GNS or the MCU, which edit the flown plan at once): the
// predictions, the TOC and TOD from where the aircraft is, and the vertical
// target. Clears flown_plan_edited.
void make_profile_again();

// Before sequencing, once for each TO: the next constrained waypoint and
// the vertical target.
void update_vnav_target_at_sequencing();

// After the distances: TOC and TOD detection, then the altitude and speed
// commands and the speed restrictions.
void update_vertical_guidance();
