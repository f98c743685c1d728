// What the procedure and airway insertions share: the legs they write.
#pragma once

#include "fms/plan/plan_edit.h"
#include "fms/plan/route_plan.h"

#include <string>

struct PreviewLeg;

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
