#include "fms/plan/holds.h"

#include "fms/math/heading_math.h"
#include "fms/math/nav_math.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/units/cdu_text.h"

BoundedTable<HoldEntry, 11> hold_list;
int hold_armed = 0;
int hold_exit_state = 1;
int holding_active = 0;
int smiths_hold_subpage = 0;
int hold_page_count = 0;
int pending_hold_delete_index = 0;

namespace {

constexpr int kRteLegsPage = 6;
constexpr int kRteHoldPage = 39;

// Where a hold sits in the working plan: its working index, or after EXEC
// (working index 0) its active index, the two plans being alike then.
int working_position(const HoldEntry& h) {
    return h.working_index > 0 ? h.working_index : h.active_index;
}

// The slot numbers that waypoints carry follow a hold that changes slot.
void move_hold_marks(const HoldEntry& h, int old_slot, int new_slot) {
    const int w = working_position(h);
    if (w >= 0 && w <= working_plan_last && working_plan[w].hold_number == old_slot)
        working_plan.slot(w).hold_number = new_slot;
    const int a = h.active_index;
    if (a > 0 && a <= active_plan_last && active_plan[a].hold_number == old_slot)
        active_plan.slot(a).hold_number = new_slot;
}

void remove_hold_slot(int i) {
    HoldEntry& removed = hold_list.slot(i);
    removed.active_index = 0;
    removed.ident.clear();
    const int count = hold_list.count();
    for (int j = i; j < count; ++j) {
        HoldEntry moved = hold_list[j + 1];
        move_hold_marks(moved, j + 1, j);
        hold_list.slot(j) = std::move(moved);
    }
    hold_list.set_count(count - 1);

    if (hold_armed == 1) {
        if (holding_active >= 1) hold_exit_state = 4;
        holding_active = 0;
    }
    if (hold_list.count() == 0) hold_armed = 0;
    hold_page_count = hold_list.count();
    pending_hold_delete_index = 0;
}

void finish_delete(int index, int mode) {
    if (index >= 0 && index <= kPlanLastIndex) working_plan.slot(index).hold_number = 0;
    if (mode > 0) mark_route_edited();
    smiths_scratchpad_message.clear();
    if (hold_list.count() == 0 && smiths_cdu_page == kRteHoldPage) smiths_cdu_page = kRteLegsPage;
}

void no_hold_found() {
    hold_page_count = hold_list.count();
    pending_hold_delete_index = 0;
}

} // namespace

int add_hold(int index, int mode, double magvar) {
    // The inbound course needs the leg into the waypoint, so the origin
    // cannot hold; an eleventh hold has no slot.
    if (hold_list.full() || index < 1 || index > working_plan_last) return 0;

    const int n = hold_list.count() + 1;
    hold_list.set_count(n);
    const RouteWaypoint& fix = working_plan[index];
    const RouteWaypoint& previous = working_plan[index - 1];
    HoldEntry& h = hold_list.slot(n);
    h.active_index = index;
    h.working_index = index;
    h.ident = fix.ident;
    h.points[0].lat = fix.lat;
    h.points[0].lon = fix.lon;
    double distance = 0.0, course = 0.0;
    gc_dist_course(previous.lat, previous.lon, fix.lat, fix.lon, &distance, &course);
    h.inbound_course = course - magvar;
    h.turn = kDirectionRight;
    h.leg_mode = 1;
    h.leg_time = 1.0;
    working_plan.slot(index).hold_number = n;
    hold_armed = 1;

    // Keep the list ascending by waypoint; restart after every exchange.
    int slot = n;
    for (int k = 1; k < hold_list.count();) {
        if (hold_list[k].active_index > hold_list[k + 1].active_index) {
            HoldEntry first = hold_list[k];
            hold_list.slot(k) = hold_list[k + 1];
            hold_list.slot(k + 1) = std::move(first);
            working_plan.slot(working_position(hold_list[k])).hold_number = k;
            working_plan.slot(working_position(hold_list[k + 1])).hold_number = k + 1;
            if (slot == k)
                slot = k + 1;
            else if (slot == k + 1)
                slot = k;
            k = 1;
        } else {
            ++k;
        }
    }

    if (mode == 1 && route_state >= kRouteStateActivated) {
        mark_route_edited();
        smiths_hold_subpage = slot;
    }
    hold_page_count = hold_list.count();
    smiths_hold_at_leg = 0;
    return slot;
}

void delete_hold(int index, int mode) {
    if (mode < 2) {
        int found = 0;
        for (int i = 1; i <= hold_list.count() && !found; ++i)
            if (hold_list[i].active_index == index) found = i;
        if (found)
            remove_hold_slot(found);
        else
            no_hold_found();
    }
    finish_delete(index, mode);
}

int find_working_hold(int index) {
    for (int i = 1; i <= hold_list.count(); ++i)
        if (working_position(hold_list[i]) == index) return i;
    return 0;
}

void delete_working_hold(int index) {
    if (const int found = find_working_hold(index))
        remove_hold_slot(found);
    else
        no_hold_found();
    finish_delete(index, 0);
}

void remove_hold(int slot) {
    if (slot >= 1 && slot <= hold_list.count()) remove_hold_slot(slot);
}

void hold_renumber_active_index(int new_index, int old_index) {
    for (int i = 1; i <= hold_list.count(); ++i)
        if (hold_list[i].active_index == old_index) {
            hold_list.slot(i).active_index = new_index;
            return;
        }
}

void hold_renumber_working_index(int new_index, int old_index) {
    for (int i = 1; i <= hold_list.count(); ++i)
        if (hold_list[i].working_index == old_index) {
            hold_list.slot(i).working_index = new_index;
            return;
        }
}

void hold_list_copy_index_to_working() {
    for (int i = 1; i <= hold_list.count(); ++i)
        hold_list.slot(i).working_index = hold_list[i].active_index;
}

void hold_list_commit_working_index() {
    for (int i = 1; i <= hold_list.count(); ++i) {
        HoldEntry& h = hold_list.slot(i);
        if (h.working_index > 0) {
            h.active_index = h.working_index;
            h.working_index = 0;
        }
    }
}
