// The leg the aircraft flies, named by its entries: the FROM (the entry
// before the TO, the waypoint last passed or the origin) and the TO. An edit
// of the plan keeps the aircraft on that leg: while the FROM is in the plan
// the TO is the entry that now follows it (an entry put in between is flown
// next, one put in before the FROM changes nothing); with the FROM gone the
// TO stays on its own entry.
#pragma once

#include "fms/plan/route_plan.h"

#include <string>

// An entry as an edit finds it again: its id and its fix. An entry written
// over with another fix is another entry, but for the origin written over the
// first leg's start.
struct EntryRef {
    int id = 0;
    std::string ident;
    double lat = 0.0;
    double lon = 0.0;
};
EntryRef entry_ref(const RouteWaypoint& w);

// The index of the entry `ref` names in plan entries 0..last; -1 when the
// edits removed it. A copy of the same entry later in the plan wins: an
// insertion moves the entry up and writes the new one where it stood. An
// entry of a fix that stood once in the plan and stands once in it still is
// that entry also where an edit wrote it anew (a destination rebuilt behind
// an approach): `unique` says it stood once.
int find_entry(const RoutePlan& plan, int last, const EntryRef& ref, bool unique = false);
// How many of entries 0..last are at ref's fix.
int fix_count(const RoutePlan& plan, int last, const EntryRef& ref);

struct ActiveLeg {
    int to_index = kNoToWaypoint; // kNoToWaypoint: no route is flown
    EntryRef from, to;
    bool from_unique = false, to_unique = false; // each the one entry of its fix
};
// The active leg before an edit.
ActiveLeg active_leg();

// The TO index in `plan` (entries 0..last) after an edit, by the rule above;
// `fallback` when neither entry is left. Never the origin, never past the
// last entry, and never an entry nothing is flown to while a place follows
// or precedes it. kNoToWaypoint when the leg named none.
int to_after_edit(const ActiveLeg& before, const RoutePlan& plan, int last, int fallback);
