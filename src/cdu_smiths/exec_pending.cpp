// PENDING: stand-ins for the core's EXEC and ERASE (see exec_pending.h).
#include "cdu_smiths/exec_pending.h"

#include "fms/holds.h"
#include "fms/route_plan.h"
#include "fms/route_state.h"

int legs_edit_index = 0;

void reset_active_route_state() {
    if (pending_hold_delete_index > 0) delete_hold(pending_hold_delete_index, 0);
    legs_edit_index = 0;
    smiths_legs_mode = 0;
    direct_to_entered = 0;
    if (working_plan_last < 1) return;
    for (int i = 0; i <= working_plan_last; ++i)
        copy_waypoint_fields(working_plan[i], active_plan.slot(i));
    hold_list_commit_working_index();
    if (to_waypoint_index == kNoToWaypoint) to_waypoint_index = 1;
    active_plan_last = working_plan_last;
    route_state = 3;
}

void erase_route_modification() {
    smiths_legs_mode = 0;
    pending_hold_delete_index = 0;
    legs_edit_index = 0;
    direct_to_entered = 0;
    if (route_state == 4) route_state = 3;
    copy_active_plan_to_working();
    build_route_rows();
}
