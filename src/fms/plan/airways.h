// The candidate list that pages fill and read (the fixes of an airway, the
// matches of an entry lookup, an airport, a user waypoint) and the airway
// loader that fills it from awys.txt.
#pragma once

#include "fms/plan/candidate_list.h"

#include <string>

class PlanTarget;
class RoutePlan;

// Valid entries are 1..candidate_count().
inline int candidate_count() {
    return candidate_list().count();
}

// First index 1..count whose ident equals the text exactly; 0 when none.
int find_candidate_index(const std::string& ident);

// Lists the fixes of one airway (a leading '#' is dropped; each fix carries
// the airway in text_1) and finds the current waypoint among them: the
// working plan's entry at working_cursor_index, or the active plan's while
// gns_sub_state is kGnsSubStateActivePlan.
void load_airway(std::string airway);
// The same, joined at the fix named (none: nullptr), whatever the GNS shows:
// for a unit that edits at its own cursor.
void load_airway_at(std::string airway, const std::string* joined_at);

// An airway the pilot left without its exit fix is a break in the route:
// each "THEN" entry of the plan becomes a discontinuity, or goes where the
// route breaks beside it already. What entry i becomes, for the pages that
// show a plan before it is put in place.
enum class OpenAirwayEnd { NotOpen, Gap, Gone };
OpenAirwayEnd open_airway_end(const RoutePlan& plan, int i);
// For a plan put in place to be flown.
void close_open_airways(const PlanTarget& t);

// Copies ident, position, kind and extra of entry v into entry 1.
void select_candidate(int v);
