#include "fms/plan/holds.h"

#include "fms/math/heading_math.h"
#include "fms/math/nav_math.h"
#include "fms/plan/active_leg.h"
#include "fms/plan/entry_marks.h"
#include "fms/plan/plan_edit.h"
#include "fms/plan/plan_legs.h"
#include "fms/plan/route_exec.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/units/cdu_text.h"

#include <algorithm>
#include <cstdlib>

BoundedTable<HoldEntry, 11> hold_list;
int hold_armed = 0;
int hold_exit_state = kHoldExitNotEntered;
int holding_active = 0;
int smiths_hold_subpage = 0;
int hold_page_count = 0;
int pending_hold_delete_index = 0;

namespace {

// The entry of that id in plan entries 1..last; 0 when none. Where an edit
// left a copy of a moved entry behind (an insertion moves the entry up and
// writes the new one where it stood) the later one is the entry.
int index_of_id(const RoutePlan& plan, int last, int id) {
    if (id == 0) return 0;
    for (int i = std::min(last, kPlanLastIndex); i >= 1; --i)
        if (plan[i].id == id) return i;
    return 0;
}

int id_at(const RoutePlan& plan, int last, int index) {
    if (index < 1 || index > last || index > kPlanLastIndex) return 0;
    return plan[index].id;
}

} // namespace

int HoldEntry::active_index() const {
    return index_of_id(active_plan, active_plan_last, active_id);
}

int HoldEntry::working_index() const {
    return index_of_id(working_plan, working_plan_last, working_id);
}

void HoldEntry::set_active_index(int index) {
    active_id = id_at(active_plan, active_plan_last, index);
}

void HoldEntry::set_working_index(int index) {
    working_id = id_at(working_plan, working_plan_last, index);
}

namespace {

// Executed holds first, by their active entry (sequencing and the displays
// take the first as the next hold flown), then the holds that exist only in
// the working plan, by their working entry.
bool flies_before(const HoldEntry& a, const HoldEntry& b) {
    const int a_active = a.active_index(), b_active = b.active_index();
    if ((a_active > 0) != (b_active > 0)) return a_active > 0;
    return a_active > 0 ? a_active < b_active : a.working_index() < b.working_index();
}

// Sorts the list; returns where the hold in slot `follow` went.
int sort_holds(int follow) {
    const int count = hold_list.count();
    for (int i = 2; i <= count; ++i)
        for (int k = i; k > 1 && flies_before(hold_list[k], hold_list[k - 1]); --k) {
            HoldEntry moved = hold_list[k];
            hold_list.slot(k) = hold_list[k - 1];
            hold_list.slot(k - 1) = std::move(moved);
            if (follow == k)
                follow = k - 1;
            else if (follow == k - 1)
                follow = k;
        }
    return follow;
}

void remove_hold_slot(int i) {
    const bool flown = hold_list[i].active_id != 0;
    const int count = hold_list.count();
    for (int j = i; j < count; ++j)
        hold_list.slot(j) = hold_list[j + 1];
    hold_list.slot(count) = HoldEntry{};
    hold_list.set_count(count - 1);

    // The pattern flown goes with its hold, also one disarmed before the
    // holds were cleared (a plan put in place, leaving at the fix).
    if (hold_armed == 1 || (i == 1 && holding_active >= 1)) {
        if (holding_active >= 1) hold_exit_state = kHoldExitDeleted;
        holding_active = 0;
    }
    if (hold_list.count() == 0) hold_armed = 0;
    hold_page_count = hold_list.count();
    pending_hold_delete_index = 0;
    // The flown plan's marks, as other modules read them, follow at once.
    if (flown) publish_flown_plan();
}

void finish_delete(int mode) {
    if (mode > kHoldQuiet) mark_route_edited();
    // The pilot's deletion ends what the line said; one the plan makes on its
    // own ends only a DELETE waiting for it, not a message such as a
    // modification another unit ended.
    if (mode > kHoldQuiet || smiths_scratchpad_message == "DELETE") smiths_scratchpad_message.clear();
    if (hold_list.count() == 0 && smiths_cdu_page == kPageRteHold) smiths_cdu_page = kPageRteLegs;
}

void no_hold_found() {
    hold_page_count = hold_list.count();
    pending_hold_delete_index = 0;
}

} // namespace

int hold_mark(const RoutePlan& plan, int i) {
    const bool active = &plan == &active_plan.plan();
    if (!active && &plan != &working_plan) return 0;
    const int id = plan[i].id;
    if (id == 0 || i < 1 || i > plan.last()) return 0;
    for (int s = 1; s <= hold_list.count(); ++s) {
        const HoldEntry& h = hold_list[s];
        // The id first: finding the entry of an id reads the plan.
        if (active ? h.active_id == id && h.active_index() == i
                   : h.working_id == id && h.working_index() == i)
            return s;
    }
    return 0;
}

HoldEntry new_hold(const RoutePlan& plan, int index, double magvar, double leg_minutes) {
    const RouteWaypoint& fix = plan[index];
    // The inbound course comes from a place: a marker lies at 0N 0E.
    const RouteWaypoint& previous = plan[place_at_or_before(plan, index - 1)];
    double distance = 0.0, course = 0.0;
    gc_dist_course(previous.lat, previous.lon, fix.lat, fix.lon, &distance, &course);
    const double inbound = magnetic_direction(course, magvar);

    HoldEntry h;
    h.ident = fix.ident;
    h.points[0] = HoldPoint{fix.lat, fix.lon, "Fix"};
    h.inbound_course = inbound;
    h.turn = kDirectionRight;
    h.leg_mode = kHoldLegByTime;
    h.leg_time = leg_minutes;
    return h;
}

int hold_alone_at_active(int index, double magvar, double leg_minutes) {
    // The hold marks change on the flown plan: one edit, which checks its
    // rules and ends another unit's pending change.
    PlanEdit edit(active_target(), "a hold alone on the flown plan");
    HoldEntry hold = new_hold(active_plan, index, magvar, leg_minutes);
    hold.set_active_index(index);
    clear_holds();
    // Found once the old holds are gone: a hold pending on that fix's entry
    // is replaced, so the entry takes the new one.
    hold.set_working_index(working_entry_of_active(index));
    hold_list.append(std::move(hold));
    hold_page_count = hold_list.count();
    return 1;
}

int add_hold(int index, int mode, double magvar) {
    // The inbound course needs the leg into the waypoint, so the origin
    // cannot hold.
    if (index < 1 || index > working_plan_last) return 0;
    // Only a place holds: a gap or THEN row has no fix to hold over.
    if (!is_place(working_plan[index])) return 0;
    // A waypoint holds once: asking again shows the hold it has.
    int slot = find_working_hold(index);
    if (slot == 0) {
        if (hold_list.full()) return 0;
        // On the active route only once executed.
        HoldEntry hold = new_hold(working_plan, index, magvar, 1.0);
        hold.set_working_index(index);
        slot = sort_holds(hold_list.append(std::move(hold)));
    }
    hold_armed = 1;

    if (mode == kHoldMarkRoute && route_state >= kRouteStateActivated) {
        mark_route_edited();
        smiths_hold_subpage = slot;
    }
    hold_page_count = hold_list.count();
    return slot;
}

void delete_hold(int index, int mode) {
    if (mode < kHoldCancelWorking) {
        int found = 0;
        for (int i = 1; i <= hold_list.count() && !found; ++i)
            if (hold_list[i].active_index() == index) found = i;
        if (found)
            remove_hold_slot(found);
        else
            no_hold_found();
    } else if (const int slot = find_working_hold(index)) {
        cancel_hold(slot);
        return;
    }
    finish_delete(mode);
}

void cancel_hold(int slot) {
    if (slot < 1 || slot > hold_list.count()) return;
    HoldEntry& h = hold_list.slot(slot);
    if (const int active = h.active_index(); active > 0) {
        // Executed: it leaves the working plan only; EXEC removes it, ERASE
        // brings it back.
        h.working_id = 0;
        pending_hold_delete_index = active;
    } else {
        remove_hold_slot(slot);
    }
    finish_delete(1);
}

int find_working_hold(int index) {
    if (index < 0) return 0;
    for (int i = 1; i <= hold_list.count(); ++i)
        if (hold_list[i].working_index() == index) return i;
    return 0;
}

int working_entry_of_active(int index) {
    if (route_state == kRouteStateActive) return index;
    if (working_plan_new == 1 || index < 1 || index > active_plan_last) return 0;
    const RouteWaypoint& fix = active_plan[index];
    int found = 0;
    for (int i = 1; i <= working_plan_last; ++i) {
        const RouteWaypoint& w = working_plan[i];
        if (w.ident != fix.ident || w.lat != fix.lat || w.lon != fix.lon || find_working_hold(i) != 0)
            continue;
        if (found == 0 || std::abs(i - index) < std::abs(found - index)) found = i;
    }
    return found;
}

void leave_working_plan(int slot) {
    if (slot < 1 || slot > hold_list.count()) return;
    HoldEntry& h = hold_list.slot(slot);
    if (h.active_index() > 0) {
        h.working_id = 0;
    } else {
        remove_hold_slot(slot);
    }
}

void delete_working_hold(int index) {
    if (const int found = find_working_hold(index)) {
        leave_working_plan(found);
    } else {
        no_hold_found();
    }
    finish_delete(0);
}

void drop_working_holds() {
    bool dropped = false;
    for (int i = hold_list.count(); i >= 1; --i) {
        if (hold_list[i].working_id == 0) continue;
        dropped = true;
        leave_working_plan(i);
    }
    if (dropped) finish_delete(kHoldQuiet);
}

void remove_hold(int slot) {
    if (slot >= 1 && slot <= hold_list.count()) remove_hold_slot(slot);
}

void drop_flown_hold() {
    if (hold_count() < 1 || hold_list[1].active_index() <= 0) return;
    PlanEdit edit(active_target(), "dropping the hold flown");
    remove_hold(1);
}

void clear_holds() {
    while (hold_list.count() > 0)
        remove_hold_slot(hold_list.count());
    hold_list.slot(1) = HoldEntry{};
}

void hold_list_copy_index_to_working() {
    // Holds that exist only in the working plan go with it.
    for (int i = hold_list.count(); i >= 1; --i)
        if (hold_list[i].active_index() <= 0) remove_hold_slot(i);
    for (int i = 1; i <= hold_list.count(); ++i)
        hold_list.slot(i).working_id = hold_list[i].active_id;
}

void hold_list_commit_working_index() {
    // Holds deleted in the working plan go; the others take their working
    // entry as their active one and keep it as their working one.
    for (int i = hold_list.count(); i >= 1; --i)
        if (hold_list[i].working_index() <= 0) remove_hold_slot(i);
    for (int i = 1; i <= hold_list.count(); ++i)
        hold_list.slot(i).active_id = hold_list[i].working_id;
    sort_holds(0);
}
