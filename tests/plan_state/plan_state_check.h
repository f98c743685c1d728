// The rules that the plans, the hold list and the marks on waypoints, the TO
// index and the pending changes keep between them, written once: every unit's
// keys, EXEC, ERASE and the per-frame update must leave them true.
#pragma once

#include <string>
#include <vector>

// What a second EXEC must leave as it found: the active plan, its holds, the
// TO waypoint and the route state.
struct PlanSnapshot {
    std::vector<std::string> lines;
    bool operator==(const PlanSnapshot&) const = default;
};
PlanSnapshot take_plan_snapshot();

// Each rule of what the pilot sees can be left out by name in the
// environment (PLAN_RULES_OFF="legs,gap"; names: exec, approach, direct,
// legs, lists, published, noroute, gap, to, delete, flown, lnav, ground,
// engage, units), to see what else a hunt finds while
// one fault is mended.
bool rule_on(const char* name);

// The faults of the present state, one line each; empty when sound.
std::vector<std::string> plan_state_faults();

// The faults of a step that took the route from modified back to active
// without EXEC (an ERASE): the working plan must equal the active plan and
// no pending change may survive.
std::vector<std::string> erase_faults();

// Both snapshots as text, with the lines that differ marked.
std::string snapshot_difference(const PlanSnapshot& before, const PlanSnapshot& after);
