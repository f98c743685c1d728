// What the procedure and airway insertions share: the legs they write and
// the TO after an insertion into the flown plan.
#pragma once

#include "fms/plan/active_leg.h"
#include "fms/plan/plan_edit.h"
#include "fms/plan/route_plan.h"

#include <string>

struct PreviewLeg;

// After an edit of the active plan: the TO by the rule of the active leg
// (fms/plan/active_leg.h) from the leg before the edit, with its position;
// `fallback` (the old index when negative) where neither entry is left.
void keep_active_leg(const ActiveLeg& before, int fallback = -1);

// Frequency and, for a fix of no known type, the type of the navaid of that
// ident near the leg; nothing for airports or entries that have a frequency.
void fill_navaid_data(RouteWaypoint& w);

// A new SID or STAR leg (kind "SID" or "STAR") from a preview leg.
RouteWaypoint procedure_leg(const PreviewLeg& p, const char* kind);
// The destination airport entry of the destination slot: no constraints.
RouteWaypoint destination_entry();
// An entry written anew over `was` stays that entry: its id and its hold.
void keep_entry_identity(RouteWaypoint& rebuilt, const RouteWaypoint& was);
// A route discontinuity: "DISCO" with no position and no constraints.
RouteWaypoint discontinuity_entry();

