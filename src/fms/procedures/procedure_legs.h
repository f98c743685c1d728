// What the procedure and airway insertions share: moving entries of the
// active or the working plan with every index that points at them, the holds
// of entries that an insertion drops or merges, and the legs they write.
#pragma once

#include "fms/plan/active_leg.h"
#include "fms/plan/route_plan.h"

#include <string>

struct PreviewLeg;

// The plan an insertion works on. In the working plan the edit index and the
// holds' working indexes follow moved entries; in the active plan the
// constraint index and the holds' active indexes. An insertion into the
// active plan ends with keep_active_leg, which puts the TO on the leg.
struct PlanTarget {
    RoutePlan* plan;
    int* last;
    bool active;
};
PlanTarget working_target();
PlanTarget active_target();

// Opens slot p (1..last + 1): entries p..last move up one. False, with
// nothing changed, when the plan is full or p lies outside it.
bool open_slot(const PlanTarget& t, int p);
// Entry i (1..last) is dropped with its hold: entries i + 1..last move down.
void remove_entry(const PlanTarget& t, int i);
// Entry k replaces entry k - 1 (a fix met twice in a row). The survivor
// keeps a hold either of them had.
void merge_into_previous(const PlanTarget& t, int k);
// The plan ends at new_last; holds on the entries cut off are removed.
void cut_plan(const PlanTarget& t, int new_last);

// The TO waypoint's position from its entry.
void refresh_to_position();

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
// A route discontinuity: "DISCO" with no position and no constraints.
RouteWaypoint discontinuity_entry();

// Writes an entry into slot i keeping the slot's position text.
void write_entry(const PlanTarget& t, int i, const RouteWaypoint& w);
