// The TO after an edit of the flown plan, by any unit: while the FROM (the
// entry before the TO) is in the plan, the TO is the place that now follows
// it; with the FROM gone, the TO stays on its own entry.
#pragma once

#include "fms/plan/active_leg.h"

#include <string>
#include <vector>

// Whether `now`, at index `at` of a plan, is the entry `was` named: the same
// id at the same fix. The one exception is the origin airport a departure
// chosen on the ground writes over the first leg's start (a direct-to's): it
// stays the entry that leg is flown from.
bool same_entry(const EntryRef& was, const RouteWaypoint& now, int at);

// Where `ref`, an entry of the plan `before`, stands in the plan `now`: by
// same_entry, or (an edit that wrote it anew) as the one entry of its fix in
// both; -1 when it is gone.
int find_again(const EntryRef& ref, const std::vector<EntryRef>& before, const std::vector<RouteWaypoint>& now);

// The active plan and its TO as a step found them.
struct FlownLeg {
    std::vector<EntryRef> entries;
    int to = kNoToWaypoint;
    bool stopped = false; // held at a discontinuity after the TO
};
FlownLeg remember_flown_leg();

// The faults of the TO after a step. A step that left the plan's entries
// as they were, put a whole new plan in place (no entry of the old one is
// left) or started a route is no edit of the leg; a direct-to the caller
// leaves out. A TO passed in the step's frame (within 10 NM, or released
// from a discontinuity) is one place further on.
std::vector<std::string> to_rule_faults(const FlownLeg& before);
