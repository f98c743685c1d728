// The exec room of the core: EXEC and ERASE of a route modification. EXEC
// makes the working plan the active plan and brings what depends on it up to
// date: the executed selections, the airports, holds, the direct leg, the
// radios, the vertical profile and target. ERASE throws the modification
// away. Both reach into every room below, so they sit above them; the state
// they act on is the plan's (fms/plan/route_exec.h).
#pragma once

#include "fms/plan/plan_events.h"

// EXEC: only while route_state is 2 or 4 from the EXEC keys; other callers at
// any state. With a working plan of two entries or more the route is active
// (state 3) afterwards.
void reset_active_route_state();

// The approach of a plan put in place without EXEC (a unit that activates a
// loaded plan at once): the flown plan's approach as its record and runway
// at the destination; the selections in progress on the units stay as they
// were.
void match_loaded_approach();

class PlanTarget;
// The approach a route file's "ApproachInfo" names (approach_info, which it
// empties), taken up as its plan is read: chosen in that plan with its legs
// built, so that what a pending change shows is what EXEC flies, or not at
// all where the plan's destination has no approach of that name.
void take_up_file_approach(const PlanTarget& t);

// The flown plan's airports, where a route load, a stored plan activated or
// EXEC put a plan in place: their detail in the origin and destination slots
// that every unit's procedure pages list, and every unit's record of which
// airports those are (the GNS's included, whose pages open on its own), so
// that no page offers another airport's procedures for this plan. A unit's
// choices made for another airport go.
void take_up_flown_airports();

// Whether EXEC has a plan to put in place: a route activated (state 2) of two
// entries or more, or a modification (state 4) with a fix to fly after its
// origin. A plan emptied (NEW FPL) or only begun (an origin typed in the air)
// would leave the aircraft nothing to fly.
bool route_modification_executable();

// The EXEC key: a destination entered on the active route becomes the route's
// destination for the RTE and DEP/ARR pages (EXEC empties the entry), then
// reset_active_route_state.
void execute_route_modification();

// ERASE: state 4 becomes 3; selections, saved values, holds and the working
// plan go back to what was executed.
void erase_route_modification();

// What a CDU's message line says when `by`'s edit of the flown plan ended
// the modification pending on it; empty for a unit that ends none.
const char* modification_ended_text(PlanUnit by);

// Deletes a waypoint as the C-17 CDU does, without an EXEC step: the
// deletion of delete_waypoint, then EXEC.
void delete_waypoint_fms(int index, int force);
