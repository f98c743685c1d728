#include "fms/procedures/procedure_legs.h"

#include "data/airport_procedures.h"
#include "data/nav_database.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/plan/holds.h"
#include "fms/plan/plan_invariants.h"
#include "fms/plan/plan_legs.h"
#include "fms/procedures/procedure_selection.h"

namespace {

// The hold slot attached to entry i of the target's plan; 0 = none.
int hold_at(const PlanTarget& t, int i) {
    if (!t.active) return find_working_hold(i);
    for (int h = 1; h <= hold_list.count(); ++h)
        if (hold_list[h].active_index() == i) return h;
    return 0;
}

void set_hold_index(const PlanTarget& t, int slot, int index) {
    HoldEntry& h = hold_list.slot(slot);
    if (t.active)
        h.set_active_index(index);
    else
        h.set_working_index(index);
}

void drop_hold(const PlanTarget& t, int i) {
    if (const int h = hold_at(t, i)) remove_hold(h);
    t.plan->slot(i).hold_number = 0;
}

// Moves every field but the position text and the passing time, which stay
// with their slots.
void move_entry(RoutePlan& plan, int from, int to) {
    RouteWaypoint& target = plan.slot(to);
    std::string passing_time = std::move(target.passing_time);
    copy_waypoint_fields(plan[from], target);
    target.passing_time = std::move(passing_time);
}

// The indexes that point at entry from now point at entry to (holds follow
// their entry's id).
void follow(const PlanTarget& t, int from, int to) {
    if (!t.active) {
        if (working_edit_index == from) working_edit_index = to;
        return;
    }
    if (constraint_waypoint_index == from) constraint_waypoint_index = to;
}

} // namespace

PlanTarget working_target() {
    return PlanTarget{&working_plan, &working_plan_last, false};
}

PlanTarget active_target() {
    return PlanTarget{&active_plan, &active_plan_last, true};
}

bool open_slot(const PlanTarget& t, int p) {
    int& last = *t.last;
    if (p < 1 || p > last + 1 || last >= kPlanLastIndex) return false;
    for (int j = last; j >= p; --j) {
        move_entry(*t.plan, j, j + 1);
        follow(t, j, j + 1);
    }
    ++last;
    return true;
}

void remove_entry(const PlanTarget& t, int i) {
    int& last = *t.last;
    if (i < 1 || i > last) return;
    drop_hold(t, i);
    for (int j = i + 1; j <= last; ++j) {
        move_entry(*t.plan, j, j - 1);
        follow(t, j, j - 1);
    }
    --last;
}

void merge_into_previous(const PlanTarget& t, int k) {
    if (k < 2 || k > *t.last) return;
    const int removed = hold_at(t, k - 1);
    if (removed != 0 && hold_at(t, k) == 0) {
        // The fix keeps its hold on the surviving entry.
        set_hold_index(t, removed, k);
        t.plan->slot(k).hold_number = removed;
        t.plan->slot(k - 1).hold_number = 0;
    }
    // An index on the dropped entry stays on the fix.
    if (!t.active && working_edit_index == k - 1) working_edit_index = k;
    if (t.active && constraint_waypoint_index == k - 1) constraint_waypoint_index = k;
    remove_entry(t, k - 1);
}

void cut_plan(const PlanTarget& t, int new_last) {
    int& last = *t.last;
    if (new_last >= last) return;
    for (int i = last; i > new_last && i >= 1; --i)
        drop_hold(t, i);
    last = new_last;
}

void refresh_to_position() {
    if (to_waypoint_index < 0 || to_waypoint_index > active_plan_last) return;
    to_position.lat = active_plan[to_waypoint_index].lat;
    to_position.lon = active_plan[to_waypoint_index].lon;
}

void keep_active_leg(const ActiveLeg& before, int fallback) {
    give_entry_ids(active_plan, active_plan_last);
    if (before.to_index == kNoToWaypoint) return;
    const int to =
        to_after_edit(before, active_plan, active_plan_last, fallback < 0 ? before.to_index : fallback);
    to_waypoint_index = to;
    refresh_to_position();
    check_plan_invariants("an edit of the flown plan");
}

void fill_navaid_data(RouteWaypoint& w) {
    if (!w.frequency.empty() || w.type == "APT") return;
    const int n = find_navaid(w.ident, w.type, w.lat);
    if (n <= 0) return;
    const NavRecordView navaid = navaid_table[n];
    w.frequency = navaid.extra;
    if (w.type == "INT" || w.type.empty()) {
        w.type = navaid.kind;
        if (w.type == "V") w.type = "VOR";
        if (w.type == "N") w.type = "NDB";
    }
}

RouteWaypoint procedure_leg(const PreviewLeg& p, const char* kind) {
    RouteWaypoint w;
    w.ident = p.fix;
    w.kind = kind;
    w.via = p.label;
    w.lat = p.latitude;
    w.lon = p.longitude;
    w.flyover = p.flyover;
    w.course = -1.0;
    return w;
}

RouteWaypoint destination_entry() {
    const AirportProcedures& slot = airport_slots[destination_slot];
    RouteWaypoint w;
    w.ident = slot.airport_ident;
    w.lat = slot.airport_latitude;
    w.lon = slot.airport_longitude;
    w.type = "APT";
    w.course = -1.0;
    return w;
}

RouteWaypoint discontinuity_entry() {
    RouteWaypoint w;
    make_marker(w, EntryKind::Gap);
    w.course = -1.0;
    return w;
}

void write_entry(const PlanTarget& t, int i, const RouteWaypoint& w) {
    copy_waypoint_fields(w, t.plan->slot(i));
}
