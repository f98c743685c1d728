// Small edits of the working plan that the CDU pages share.
#pragma once

#include <string>

// Squeezes the "THEN" placeholders out of the working plan.
void remove_then_legs();
// Squeezes the entries named `ident` out of the working plan, their holds
// following the entries that move.
void remove_working_entries(const std::string& ident);

// Closes the working plan over entries target..source - 1 (a direct-to a
// waypoint further down): entries from source move to target. Hold marks
// stay at their indices. Nothing happens unless 0 <= target <= source.
void copy_legs(int target, int source);

// A speed/altitude entry of the RTE LEGS page ("250/FL350", "/12000",
// "FL120") from the SMITHS scratchpad into the constraints of working entry
// index; refusals go to the message line.
void parse_legs_entry_mod(int index);
// The same from the C-17 mission CDU's scratchpad and message line.
void parse_legs_entry(int index);

// The first working index from s on (below the last index) whose ident is the
// TO of RTE row s; the last index when none, when the match is the origin or
// when s is not below it.
int find_plan_waypoint_from(int s);
