// The waypoint candidates: the records that an entered ident or a lookup
// found, used from 1 (at most 250; setting an airport makes it the only
// entry), and where an airway listed among them joins and leaves the plan.
// Each control unit keeps its own, so that a lookup on one never replaces the
// list another unit shows or acts on; outside every unit's scope (the
// per-frame update, a route load) the core keeps one of its own.
#pragma once

#include "data/nav_record.h"
#include "fms/plan/plan_events.h"
#include "platform/bounded_table.h"

#include <string>

struct CandidateList {
    BoundedTable<NavListRecord, 251> records;
    int from_index = 0;       // the current plan waypoint on the airway; 0 = not on it
    int selected_index = 0;   // the fix where the plan leaves the airway
    int found_index = 0;      // as from_index, for the list pages
    int page = 0;             // the page of 16 entries holding it
    std::string airway_label; // the airway, with " (N/A)" when the airway file lacks it
};

inline constexpr int kCandidateListCount = static_cast<int>(PlanUnit::Mcu) + 1;
inline CandidateList unit_candidate_lists[kCandidateListCount];

// The list of that unit, and of the unit whose keys or page act now.
CandidateList& unit_candidates(PlanUnit unit);
CandidateList& unit_candidates();
inline BoundedTable<NavListRecord, 251>& candidate_list() {
    return unit_candidates().records;
}
