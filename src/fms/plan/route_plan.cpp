#include "fms/plan/route_plan.h"

#include "fms/plan/active_leg.h"
#include "fms/plan/holds.h"
#include "fms/plan/plan_cursors.h"
#include "fms/plan/plan_edit.h"
#include "fms/plan/route_exec.h"
#include "fms/plan/vertical_state.h"
#include "fms/units/gns_page_state.h"

#include <algorithm>

namespace {

RouteWaypoint active_plan_array[RoutePlan::slots];

} // namespace

FlownPlan active_plan{active_plan_array};
constinit const int& active_plan_last = active_plan.last();

namespace {

// The plans edited in place keep every entry where it is: an edit that
// shifts entries reads one while it writes the next, and storage that grew
// under it would leave the read dangling.
RouteWaypoint working_plan_entries[RoutePlan::slots];
RouteWaypoint preview_plan_entries[RoutePlan::slots];

} // namespace

RoutePlan working_plan{working_plan_entries};
constinit const int& working_plan_last = working_plan.last();
RoutePlan preview_plan{preview_plan_entries};
constinit const int& preview_plan_last = preview_plan.last();

constinit FlownTo flown_to;
constinit const int& to_waypoint_index = flown_to.index();
constinit const GeoPosition& to_position = flown_to.position();
PlanCursor working_edit_cursor{CursorPlan::Working, CursorRule::Stays};
const PlanCursor& working_edit_index = working_edit_cursor;
int approach_record_index = 0;
int approach_runway_index = 0;

BoundedTable<RouteRow, 201> route_rows;
int route_rows_last = 0;

namespace {

const RoutePlan& cursor_plan(CursorPlan p) {
    return p == CursorPlan::Active ? active_plan.plan() : working_plan;
}

// The cursors find their entries by id in entries 0..last of their plan; the
// index they stood at is looked at first.
const bool cursors_read_plans =
    (PlanCursor::read_plans_with(PlanCursor::PlanReader{
         [](CursorPlan p, int index) {
             const RoutePlan& plan = cursor_plan(p);
             return index >= 0 && index <= std::min(plan.last(), kPlanLastIndex) ? plan[index].id : 0;
         },
         [](CursorPlan p, int id, int hint) {
             const RoutePlan& plan = cursor_plan(p);
             const int last = std::min(plan.last(), kPlanLastIndex);
             if (hint >= 0 && hint <= last && plan[hint].id == id) return hint;
             for (int i = 0; i <= last; ++i)
                 if (plan[i].id == id) return i;
             return -1;
         }}),
     true);

} // namespace

PlanTarget plan_target(RoutePlan& plan) {
    if (&plan == &working_plan) return working_target();
    if (&plan == &preview_plan) return preview_target();
    return PlanTarget{&plan, false};
}

namespace {

const RouteWaypoint& empty_waypoint() {
    static const RouteWaypoint empty{};
    return empty;
}

} // namespace

RoutePlan::RoutePlan(const RoutePlan& other) {
    *this = other;
}

RoutePlan::RoutePlan(RoutePlan&& other) noexcept {
    *this = std::move(other);
}

RoutePlan& RoutePlan::operator=(const RoutePlan& other) {
    if (this == &other) return *this;
    choices_ = other.choices_;
    last_ = other.last_;
    if (!fixed_ && !other.fixed_) {
        table_ = other.table_;
        return *this;
    }
    // Every entry: one that `other` never stored reads empty.
    for (std::size_t i = 0; i < slots; ++i)
        slot(i) = other[i];
    return *this;
}

RoutePlan& RoutePlan::operator=(RoutePlan&& other) noexcept {
    if (this == &other) return *this;
    choices_ = std::move(other.choices_);
    last_ = other.last_;
    if (!fixed_ && !other.fixed_) {
        table_ = std::move(other.table_);
        return *this;
    }
    for (std::size_t i = 0; i < slots; ++i)
        slot(i) = std::move(other.slot(i));
    return *this;
}

const RouteWaypoint& RoutePlan::operator[](std::size_t i) const {
    if (!fixed_) return table_[i];
    return i < slots ? fixed_[i] : empty_waypoint();
}

const RouteWaypoint& RoutePlan::operator[](int i) const {
    return i < 0 ? empty_waypoint() : (*this)[static_cast<std::size_t>(i)];
}

RouteWaypoint& RoutePlan::slot(std::size_t i) {
    if (!fixed_) return table_.slot(i);
    if (i < slots) return fixed_[i];
    scratch_ = RouteWaypoint{};
    return scratch_;
}

RouteWaypoint& RoutePlan::slot(int i) {
    if (i < 0) {
        scratch_ = RouteWaypoint{};
        return scratch_;
    }
    return slot(static_cast<std::size_t>(i));
}

void RoutePlan::clear() {
    if (!fixed_) {
        table_.clear();
        return;
    }
    for (std::size_t i = 0; i < slots; ++i)
        fixed_[i] = RouteWaypoint{};
}

namespace {

int last_entry_id = 0;

} // namespace

void RoutePlan::give_new_id(int i) {
    slot(i).id = ++last_entry_id;
}

void RoutePlan::give_ids() {
    const int last = std::min(last_, kPlanLastIndex);
    for (int i = last; i >= 0; --i) {
        RouteWaypoint& w = slot(i);
        bool repeated = false;
        for (int j = i + 1; j <= last && !repeated && w.id != 0; ++j)
            repeated = (*this)[j].id == w.id;
        if (w.id == 0 || repeated) w.id = ++last_entry_id;
    }
}

std::size_t RoutePlan::stored() const {
    return fixed_ ? slots : table_.stored();
}

void copy_waypoint_fields(const RouteWaypoint& from, RouteWaypoint& to) {
    if (&from == &to) return;
    std::string position = std::move(to.position);
    to = from;
    to.position = std::move(position);
}

void clear_waypoint(RouteWaypoint& entry) {
    RouteWaypoint cleared;
    copy_waypoint_fields(cleared, entry);
}

namespace {

// Entries 0..last emptied; the last index stays, as the callers set it.
void clear_plan_entries(PlanEdit& edit) {
    for (int i = 0; i <= edit.last() && i <= kPlanLastIndex; ++i)
        clear_waypoint(edit.entry(i));
}

void clear_rows() {
    for (int i = 0; i <= route_rows_last; ++i)
        route_rows.slot(i) = RouteRow{};
}

} // namespace

void clear_active_plan() {
    PlanEdit edit(active_target(), "clearing the flown plan");
    clear_plan_entries(edit);
    clear_rows();
    // Every hold goes as a deletion takes it, also one being flown: LNAV
    // leaves its pattern rather than fly a hold of the plan cleared.
    clear_holds();
    forget_profile_points();
    descent_speed_phase = kDescentSpeedPhaseOff;
    approach_record_index = 0;
    approach_runway_index = 0;
}

void clear_working_plan() {
    PlanEdit edit(working_target(), "clearing the working plan");
    clear_plan_entries(edit);
    clear_rows();
}

namespace {

// The flown plan into the working plan, in place of whatever was there.
void copy_flown_plan_entries(PlanEdit&) {
    // The copies keep the ids that EXEC finds the flown entries by.
    replace_plan(working_target(), active_plan, active_plan_last);
    // A loaded plan that no EXEC put in place takes its approach and its
    // airports with it (EXEC would read them as the flown plan's new origin
    // and destination), and a copy of the flown plan is no new plan for EXEC
    // to start afresh.
    if (working_plan_new == 1) {
        approach_info.clear();
        origin_airport_ident.clear();
        destination_airport_ident.clear();
    }
    working_plan_new = 0;
}

} // namespace

void copy_active_plan_to_working() {
    PlanEdit edit(working_target(), "copying the flown plan");
    copy_flown_plan_entries(edit);
    edit.place(working_cursor_index, to_waypoint_index);
    edit.place(working_edit_index, constraint_waypoint_index);
    hold_list_copy_index_to_working();
}

void align_working_plan_with_active() {
    bool same = working_plan_last == active_plan_last;
    for (int i = 0; same && i <= active_plan_last && i <= kPlanLastIndex; ++i) {
        const RouteWaypoint& w = working_plan[i];
        const RouteWaypoint& a = active_plan[i];
        same = w.ident == a.ident && w.lat == a.lat && w.lon == a.lon && w.via == a.via && w.kind == a.kind &&
               w.type == a.type && w.alt_constraint == a.alt_constraint &&
               w.speed_constraint == a.speed_constraint &&
               hold_mark(working_plan, i) == hold_mark(active_plan, i);
    }
    PlanEdit edit(working_target(), "aligning with the flown plan");
    if (same) {
        // The same entries, as EXEC will find them again, with the choices
        // they were flown with (another unit's choice on the flown plan that
        // built no legs, its part flown already, changed those alone).
        for (int i = 0; i <= active_plan_last && i <= kPlanLastIndex; ++i)
            edit.entry(i).id = active_plan[i].id;
        if (!(working_plan.choices() == active_plan.choices())) *ChoicesEdit(working_plan) = active_plan.choices();
        return;
    }
    copy_flown_plan_entries(edit);
    // Another unit's plan was there: the flown plan comes back whole, with
    // the procedures it was executed with, not those of the plan it replaces.
    *ChoicesEdit(working_plan) = active_plan.choices();
    hold_list_copy_index_to_working();
    build_route_rows();
}

void build_route_rows() {
    const int old_last = route_rows_last;
    route_rows_last = 0;
    std::string previous;
    for (int i = 1; i <= working_plan_last - 1; ++i) {
        const RouteWaypoint& entry = working_plan[i];
        if (entry.via.empty()) {
            route_rows.slot(++route_rows_last) = RouteRow{entry.ident, "DIRECT"};
            previous = "DIRECT";
        } else if (entry.via == previous && entry.ident != "THEN") {
            // The airway row grows.
            RouteRow& row = route_rows.slot(route_rows_last);
            row.to = entry.ident;
            previous = row.via;
        } else {
            route_rows.slot(++route_rows_last) = RouteRow{entry.ident, entry.via};
            previous = entry.via;
        }
    }
    for (int i = route_rows_last + 1; i <= old_last; ++i)
        route_rows.slot(i) = RouteRow{};
}

void reset_page_toggles() {
    for (int& toggle : gns_line_toggles)
        toggle = 0;
    gns_list_cursor = 0;
    page_list_changed = 0;
}
