// RTE LEGS key actions: insert, direct-to down the route, delete, constraint
// entry, direct-to and intercept (mode 1), holds at a fix or at the present
// position (mode 2), ERASE, ACTIVATE, STEP and RTE DATA. Every edit goes to
// the working plan; a key beside a row past the plan's end is refused.
#include "cdu_smiths/cdu_page_conventions.h"
#include "cdu_smiths/cdu_render.h"
#include "cdu_smiths/rte_legs_page.h"
#include "cdu_smiths/smiths_cursors.h"
#include "cdu_smiths/smiths_pages.h"
#include "fms/exec/exec_cursors.h"
#include "fms/exec/exec_erase.h"
#include "fms/math/nav_math.h"
#include "fms/plan/airways.h"
#include "fms/plan/entry_marks.h"
#include "fms/plan/holds.h"
#include "fms/plan/plan_edit.h"
#include "fms/plan/plan_edit_helpers.h"
#include "fms/plan/plan_editing.h"
#include "fms/plan/route_exec.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/plan/waypoint_entry.h"
#include "fms/units/cdu_text.h"
#include "platform/text_file.h"
#include "sim/aircraft_state.h"

#include <cmath>

PlanCursor smiths_hold_at_cursor{CursorPlan::Working, CursorRule::Gone, 0, 1};
const PlanCursor& smiths_hold_at_leg = smiths_hold_at_cursor;
PlanCursor smiths_pending_leg_cursor{CursorPlan::Working, CursorRule::Gone, 0, 1};
const PlanCursor& smiths_legs_pending_leg = smiths_pending_leg_cursor;

namespace {

void refuse(const char* message) {
    smiths_scratchpad_message = message;
}

// Looks the text up into the SMITHS's candidates; the number found.
int look_up(const std::string& text) {
    waypoint_lookup_text = text;
    lookup_waypoint_entry(0, aircraft_state.plat, aircraft_state.plon);
    return candidate_count();
}

void open_select_waypoint(int plan_index) {
    smiths_select_plan_index = plan_index;
    smiths_select_return_page = kPageRteLegs;
    smiths_cdu_page = kPageSelectWaypoint;
}

// A row's pick stands for the fix it copied into the scratchpad: once the
// pilot has typed another entry there, the key acts on what is typed.
void drop_pick_typed_over(PlanCursor& pick) {
    const int i = pick;
    if (i >= 0 && i <= working_plan_last && smiths_scratchpad != working_plan[i].ident) pick.move_to(0);
}

// A hold added at working index i: the HOLD AT pick has done its work.
int add_hold_at_pick(int i, int mode) {
    const int slot = add_hold(i, mode, aircraft_state.magvar);
    if (slot > 0) smiths_hold_at_cursor.move_to(0);
    return slot;
}

bool insert_candidate(int index, int candidate) {
    if (create_user_waypoint_mod(index, candidate, aircraft_state.magvar)) return true;
    refuse("INVALID ENTRY");
    return false;
}

// Candidate `candidate` put in at working index i with a hold there, as one
// edit; the hold's list slot, or -1 when the insertion was refused.
int insert_and_hold(int i, int candidate, int mode) {
    PlanEdit edit(working_target(), "a hold at a new fix");
    if (!insert_candidate(i, candidate)) return -1;
    return add_hold_at_pick(i, mode);
}

// A waypoint's speed and altitude constraints as the constraint entry reads
// them: speed/altitude. Only a waypoint with both is copied, and only when
// the entry would take each back as itself (an altitude below 1000 ft would
// read as a flight level, a speed outside 100-400 kt is refused).
std::string constraint_entry_text(const RouteWaypoint& w) {
    const double altitude = std::round(predicted_altitude(w));
    const double speed = std::round(predicted_speed(w));
    if (!(altitude >= 1000.0 && altitude <= 99000.0) || !(speed >= 100.0 && speed <= 400.0)) return {};
    return cdu_format("%.0f/%.0f", speed, altitude);
}

void left_row_key(const LegsRows& rows, int k) {
    const int i = rows.index[k];
    const int last = working_plan_last;
    if (smiths_scratchpad_message == "DELETE") {
        if (rows.hold_row[k] && i <= last) {
            pending_hold_delete_index = i;
            delete_hold(i, kHoldCancelWorking);
        } else if (i < last) {
            delete_waypoint_smiths(i, 0);
        } else {
            refuse("INVALID DELETE");
        }
        return;
    }
    if (smiths_scratchpad.empty()) {
        // The last fix of a route without destination has a row to pick.
        if (i >= legs_end_index(working_plan, last)) return;
        smiths_scratchpad = working_plan[i].ident;
        if (smiths_legs_mode == kLegsModeDirectTo) smiths_pending_leg_cursor.move_to(i);
        if (smiths_legs_mode == kLegsModeHoldAt) smiths_hold_at_cursor.move_to(i);
        return;
    }
    // Past the destination nothing can be inserted.
    if (i > last || i < 1) {
        refuse("INVALID ENTRY");
        return;
    }
    if (smiths_legs_mode == kLegsModeHoldAt && smiths_scratchpad.compare(0, 8, "HOLD AT ") == 0) {
        // A lookup of this unit since the pick (EXEC loads its airports into
        // the list) leaves a fix of one name to find again.
        const std::string fix = smiths_scratchpad.substr(8);
        if (hold_at_candidate >= 1 &&
            (hold_at_candidate > candidate_count() || candidate_list()[hold_at_candidate].ident != fix))
            hold_at_candidate = look_up(fix) == 1 ? 1 : 0;
        // Only a fix the pilot has settled on: none is known while several
        // candidates wait on SELECT WAYPOINT.
        if (hold_at_candidate < 1 || hold_at_candidate > candidate_count()) {
            refuse("INVALID ENTRY");
            return;
        }
        const int slot = insert_and_hold(i, hold_at_candidate, kHoldMarkRoute);
        if (slot >= 0) smiths_hold_subpage = rte_hold_subpage_of_slot(slot);
        return;
    }
    for (int j = i; j <= last; ++j)
        if (j > 0 && working_plan[j].ident == smiths_scratchpad) {
            copy_legs(i, j);
            return;
        }
    const int found = look_up(smiths_scratchpad);
    if (found == 0) {
        refuse("NOT IN DATABASE");
    } else if (found == 1) {
        if (insert_candidate(i, 1)) smiths_scratchpad.clear();
    } else {
        open_select_waypoint(i);
        smiths_scratchpad.clear();
    }
}

void right_row_key(const LegsRows& rows, int k) {
    const int i = rows.index[k];
    if (!smiths_scratchpad.empty()) {
        if (i < 1 || i > working_plan_last)
            refuse("INVALID ENTRY");
        else
            parse_legs_entry_mod(i);
        return;
    }
    if (i < 0 || i > working_plan_last) return;
    smiths_scratchpad = constraint_entry_text(working_plan[i]);
}

void direct_to_key() {
    // A pick follows its fix through the edits (fms/plan/plan_edit.h); -1 once
    // the fix has left the plan.
    drop_pick_typed_over(smiths_pending_leg_cursor);
    if (smiths_legs_pending_leg != 0) {
        const int picked = smiths_legs_pending_leg;
        if (picked < 1 || picked > working_plan_last) {
            smiths_pending_leg_cursor.move_to(0);
            refuse("INVALID ENTRY");
            return;
        }
        if (route_state == kRouteStateActive) advance_route_state();
        PlanEdit edit(working_target(), "a direct-to down the route");
        edit.place(legs_edit_index, picked);
        direct_to_entered = 1;
        RouteWaypoint& w = edit.entry(picked);
        if (w.course <= -1.0) {
            double distance = 0.0, course = 0.0;
            const RouteWaypoint& from = edit[picked - 1];
            gc_dist_course(from.lat, from.lon, w.lat, w.lon, &distance, &course);
            w.course = course - aircraft_state.magvar;
        }
        smiths_pending_leg_cursor.move_to(0);
        smiths_scratchpad.clear();
        return;
    }
    if (to_waypoint_index == kNoToWaypoint) {
        refuse("NO ACTIVE ROUTE");
        return;
    }
    const int found = look_up(smiths_scratchpad);
    if (found == 0) {
        refuse("NOT IN DATABASE");
        return;
    }
    if (found > 1) open_select_waypoint(0);
    if (insert_candidate(to_waypoint_index, 1)) smiths_scratchpad.clear();
}

void hold_at_key() {
    drop_pick_typed_over(smiths_hold_at_cursor);
    if (smiths_hold_at_leg != 0) {
        const int picked = smiths_hold_at_leg;
        const int slot = picked > 0 ? add_hold_at_pick(picked, kHoldMarkRoute) : 0;
        if (slot == 0) {
            if (picked < 0) smiths_hold_at_cursor.move_to(0);
            refuse("INVALID ENTRY");
            return;
        }
        smiths_hold_subpage = rte_hold_subpage_of_slot(slot);
        smiths_scratchpad.clear();
        smiths_cdu_page = kPageRteHold;
        return;
    }
    const int found = look_up(smiths_scratchpad);
    if (found == 0) {
        refuse("NOT IN DATABASE");
        return;
    }
    if (found == 1) {
        hold_at_candidate = 1;
    } else {
        hold_at_candidate = 0;
        open_select_waypoint(0);
    }
    smiths_scratchpad = "HOLD AT " + smiths_scratchpad;
}

void left_6(const LegsRows&) {
    if (route_state == kRouteStateActiveModified) {
        erase_route_modification();
        return;
    }
    if (smiths_scratchpad.empty()) return;
    if (smiths_legs_mode == kLegsModeDirectTo)
        direct_to_key();
    else if (smiths_legs_mode == kLegsModeHoldAt)
        hold_at_key();
}

void hold_at_present_position() {
    if (to_waypoint_index == kNoToWaypoint) {
        refuse("NO ACTIVE ROUTE");
        return;
    }
    const int last = route_state == kRouteStateActive ? active_plan_last : working_plan_last;
    if (last >= kPlanLastIndex || to_waypoint_index > last) {
        refuse("INVALID ENTRY");
        return;
    }
    candidate_list().clear();
    NavRecord here;
    here.ident = "HOLD PPOS";
    here.latitude = aircraft_state.plat;
    here.longitude = aircraft_state.plon;
    here.kind = "I";
    candidate_list().append(std::move(here));
    smiths_scratchpad.clear();
    if (route_state == kRouteStateActive) {
        copy_active_plan_to_working();
        advance_route_state();
    }
    if (insert_and_hold(to_waypoint_index, 1, kHoldQuiet) < 0) return;
    smiths_cdu_page = kPageRteHold;
}

void step_map(const LegsRows& rows) {
    ++legs_map_step;
    if (smiths_legs_map_step > rows.s + 4) {
        ++smiths_legs_subpage;
        if (smiths_legs_subpage > smiths_legs_subpage_count) {
            smiths_legs_subpage = 1;
            legs_map_step = 1;
        } else {
            legs_map_step = 0;
        }
    }
    if (smiths_legs_map_step >= rows.last) {
        smiths_legs_subpage = 1;
        legs_map_step = 1;
    }
}

void right_6(const LegsRows& rows) {
    if (smiths_legs_mode == kLegsModeDirectTo && direct_to_entered == 1) {
        PlanEdit edit(working_target(), "an intercept course");
        if (legs_edit_index >= 0 && legs_edit_index <= edit.last())
            edit.entry(legs_edit_index).course = parse_double(smiths_scratchpad);
        smiths_scratchpad.clear();
    } else if (smiths_legs_mode == kLegsModeHoldAt) {
        hold_at_present_position();
    } else if (smiths_plan_format_shown()) {
        step_map(rows);
    } else if (route_state == kRouteStateEntered) {
        advance_route_state();
    } else {
        smiths_cdu_page = kPageRte;
    }
}

} // namespace

void rte_legs_act(const LegsRows& rows) {
    const int code = smiths_cdu_lsk;
    if (code >= 1 && code <= 5)
        left_row_key(rows, code);
    else if (code >= 6 && code <= 10)
        right_row_key(rows, code - 5);
    else if (code == 11)
        left_6(rows);
    else if (code == 12)
        right_6(rows);
}
