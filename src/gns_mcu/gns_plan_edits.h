// The plan edits of the GNS ENT key and FLIGHT PLAN page: deleting the
// waypoint under the cursor, inserting a database waypoint there, and making
// an opened stored plan the active plan. An edit works on the plan in view:
// the active plan on the active-plan view, the working plan on an opened
// stored plan.
#pragma once

#include "fms/plan/gns_choices.h"
#include "fms/plan/plan_edit.h"
#include "fms/plan/route_plan.h"
#include "fms/units/gns_unit_state.h"

// A plan with what belongs to it. It is read here and written through a
// PlanEdit of `target`, which keeps the TO, the holds and every cursor on
// their entries.
struct GnsPlanRef {
    PlanTarget target;
    const RoutePlan& plan;
    const int& last;
    // The GNS's cursor on this plan: on the active plan its own selection,
    // which no other unit moves; on the working plan the shared cursor.
    PlanCursor& cursor;
    GnsChoices& sel;
    bool active; // the flown plan
};

// The end mark written in the slot after the plan, where the GNS lists end.
void gns_mark_plan_end(PlanEdit& edit);

// The DIRECT entry at the present position, where a direct-to is flown from.
RouteWaypoint present_position_entry();

// A left key's toggle selects a row of the plan views (the page's own table
// of which toggle selects which row).
bool gns_plan_row_selected();

// The plan in view (active in sub-state 1, else working).
GnsPlanRef gns_plan_in_view();

// Deletes the entry at the cursor (0..last); the entries behind move up,
// the scratchpad proposes the one now under the cursor. False, with nothing
// changed, for a cursor outside the plan.
bool gns_delete_at_cursor(const GnsPlanRef& p);

// Inserts candidate k of candidate_list() at the cursor and returns to
// the plan view with the cursor on the waypoint that stood there. False, with
// nothing changed, when the plan is full (200 waypoints), the cursor is
// beyond the end mark or k is not a candidate.
bool gns_insert_candidate(const GnsPlanRef& p, int k);

// SELECT: the working plan (two entries or more) becomes the active plan and
// is flown from entry 1, with its airports, destination and profile.
void gns_activate_opened_plan();
