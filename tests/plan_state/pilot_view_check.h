// What the pilot sees of the plan, read from what the units draw and the
// module publishes, held against the plan itself: the rules that the plan's
// bookkeeping can keep while a page still shows the pilot a wrong route.
#pragma once

#include <string>
#include <vector>

// The RTE LEGS sub-pages, each drawn from 1 on: together they list the
// displayed plan from its first leg to the entry before the last, each entry
// once and in order, with each hold row once before the leg after its fix,
// and the sub-page count reaches the end of the list (`count_current`: the
// page's last pass saw the plan as it is). Empty when sound or when the page
// is not showing the plan.
std::vector<std::string> legs_walk_faults(bool count_current);

// APPROACH REF as drawn: it names `approach` (an approach name; empty: none).
std::vector<std::string> approach_ref_faults(const std::string& approach);

// The published SERVER values against the active plan, and (`measured`: a
// frame without keys ran last) the distances against the aircraft as the
// module read it.
std::vector<std::string> published_value_faults(bool measured);

// Each unit's list of legs within the plan it shows.
std::vector<std::string> unit_list_faults();
