#include "fms/plan/plan_edit.h"

#include "fms/plan/entry_marks.h"
#include "fms/plan/holds.h"
#include "fms/plan/plan_invariants.h"
#include "fms/plan/plan_legs.h"
#include "fms/plan/route_exec.h"
#include "fms/plan/route_state.h"
#include "fms/plan/vertical_state.h"

#include <algorithm>
#include <iterator>

namespace {

// The outermost edit open on each plan: it finishes the edit, and what a
// nested one is told (the TO, a cursor put, a fallback) goes to it.
struct Open {
    const RoutePlan* plan;
    PlanEdit* outermost;
};
Open open_edits[] = {{&active_plan.plan(), nullptr}, {&working_plan, nullptr}, {&preview_plan, nullptr}};

PlanEdit*& outermost_of(const RoutePlan* plan) {
    for (Open& o : open_edits)
        if (o.plan == plan) return o.outermost;
    static PlanEdit* other = nullptr; // a stored route's plan: nothing follows it
    other = nullptr;
    return other;
}

// The hold slot attached to entry i of the target's plan; 0 = none.
int hold_at(const PlanTarget& t, int i) {
    return hold_mark(t.plan(), i);
}

void set_hold_index(const PlanTarget& t, int slot, int index) {
    HoldEntry& h = hold_list.slot(slot);
    if (t.active)
        h.set_active_index(index);
    else
        h.set_working_index(index);
}

// A hold leaves with its entry. An executed hold leaves only the working
// plan: the flown plan keeps it until EXEC, and ERASE brings it back.
void drop_hold(const PlanTarget& t, int i) {
    if (const int h = hold_at(t, i)) {
        if (&t.plan() == &working_plan)
            leave_working_plan(h);
        else
            remove_hold(h);
    }
}

// Moves every field but the position text, which stays with its slot. What
// stands beside the entry by its id (its prediction, passing time and hold)
// goes with it.
void move_entry(PlanEdit& edit, int from, int to) {
    copy_waypoint_fields(edit[from], edit.entry(to));
}

// The index of the entry with that id in entries 0..last; -1 for none.
int index_of_id(const RoutePlan& plan, int last, int id) {
    for (int i = 0; i <= last && id != 0; ++i)
        if (plan[i].id == id) return i;
    return -1;
}

bool follows_plan(const PlanTarget& t) {
    return &t.plan() == &active_plan.plan() || &t.plan() == &working_plan;
}

PlanUnit unit_in_scope = PlanUnit::Core;
void (*modification_eraser)() = nullptr;
bool ending_modification = false;

// The SMITHS and the C-17 CDU keep a modification pending in the working
// plan, which both edit; the GNS and the MCU edit the flown plan at once.
bool keeps_modifications(PlanUnit u) {
    return u == PlanUnit::Smiths || u == PlanUnit::C17;
}

PlanUnit modification_holder() {
    return modification_unit == PlanUnit::C17 ? PlanUnit::C17 : PlanUnit::Smiths;
}

bool other_unit_holds_modification() {
    if (route_state != kRouteStateActiveModified && route_state != kRouteStateActivated) return false;
    if (unit_in_scope == PlanUnit::Core || ending_modification) return false;
    return !keeps_modifications(unit_in_scope);
}

void say_modification_ended(PlanUnit holder, PlanUnit by) {
    tell_plan_event(holder, PlanEvent::ModificationEnded, by);
}

} // namespace

std::uint64_t flown_plan_print() {
    std::uint64_t h = 1469598103934665603ull;
    const auto mix = [&h](const void* data, std::size_t size) {
        const auto* bytes = static_cast<const unsigned char*>(data);
        for (std::size_t i = 0; i < size; ++i)
            h = (h ^ bytes[i]) * 1099511628211ull;
    };
    const int last = std::min(active_plan_last, kPlanLastIndex);
    mix(&last, sizeof last);
    mix(&to_waypoint_index, sizeof to_waypoint_index);
    for (int i = 0; i <= last; ++i) {
        const RouteWaypoint& w = active_plan[i];
        mix(w.ident.data(), w.ident.size());
        const double values[] = {w.lat, w.lon, w.alt_constraint, w.speed_constraint};
        mix(values, sizeof values);
        const int flags[] = {w.id, static_cast<int>(w.altitude_kind), hold_mark(active_plan, i), w.flyover};
        mix(flags, sizeof flags);
    }
    return h;
}

void working_plan_taken() {
    tell_other_units(PlanEvent::WorkingPlanTaken, unit_in_scope);
}

PlanUnit modification_unit = PlanUnit::Core;

PlanUnitScope::PlanUnitScope(PlanUnit unit) : kept_(unit_in_scope) {
    unit_in_scope = unit;
}

PlanUnitScope::~PlanUnitScope() {
    unit_in_scope = kept_;
}

PlanUnit editing_unit() {
    return unit_in_scope;
}

void set_modification_eraser(void (*erase)()) {
    modification_eraser = erase;
}

bool end_other_units_modification() {
    if (!other_unit_holds_modification()) return false;
    const PlanUnit holder = modification_holder();
    ending_modification = true;
    if (route_state == kRouteStateActivated) {
        // The route stays entered on the pages, to be activated again.
        route_state = kRouteStateEntered;
    } else if (modification_eraser != nullptr) {
        modification_eraser();
    } else {
        route_state = kRouteStateActive;
        copy_active_plan_to_working();
    }
    ending_modification = false;
    modification_unit = PlanUnit::Core;
    say_modification_ended(holder, unit_in_scope);
    return true;
}

PlanTarget working_target() {
    return PlanTarget{&working_plan, false};
}

PlanTarget active_target() {
    return PlanTarget{&active_plan.plan_, true};
}

PlanTarget preview_target() {
    return PlanTarget{&preview_plan, false};
}

PlanEdit::PlanEdit(const PlanTarget& target, const char* where)
    : t_(target), where_(where), root_(outermost_of(target.plan_)), last_before_(target.plan_->last()) {
    if (root_ != nullptr || !follows_plan(t_)) return;
    outermost_of(t_.plan_) = this;
    const int last = std::min(this->last(), kPlanLastIndex);
    if (t_.active) {
        leg_ = active_leg(); // gives the plan's new entries ids
        to_before_ = to_waypoint_index;
        guards_modification_ = other_unit_holds_modification();
        if (guards_modification_) flown_before_ = flown_plan_print();
        unit_edit_ = unit_in_scope != PlanUnit::Core && !keeps_modifications(unit_in_scope);
        if (unit_edit_) unit_before_ = flown_plan_print();
    }
    // A plan laid out whole elsewhere (a test's, a file's) has its ids now,
    // so that a cursor put on it by index follows its entry.
    t_.plan_->give_ids();
    const CursorPlan side = t_.active ? CursorPlan::Active : CursorPlan::Working;
    for (PlanCursor* c = PlanCursor::first_declared(); c != nullptr; c = c->next_declared()) {
        if (c->plan() != side) continue;
        CursorMark& m = marks_.emplace_back();
        m.cursor = c;
        m.kept = false;
        m.follows = c->names_entry();
        m.index = c->index();
        if (m.follows && c->id() == 0 && m.index <= last) c->move_to(m.index);
        m.id = c->id();
        if (c->rule() == CursorRule::AsTo && m.index >= 1 && m.index <= last) {
            m.leg.to_index = m.index;
            m.leg.to = entry_ref((*t_.plan_)[m.index]);
            m.leg.to_unique = fix_count(*t_.plan_, last, m.leg.to) == 1;
            // From the waypoint before any gap the row follows: a fix put
            // in before the gap is then the row shown first.
            int from = m.index - 1;
            while (from > 0 && is_unflown((*t_.plan_)[from]))
                --from;
            m.leg.from = entry_ref((*t_.plan_)[from]);
            m.leg.from_unique = fix_count(*t_.plan_, last, m.leg.from) == 1;
        }
    }
}

PlanEdit::~PlanEdit() {
    if (root_ != nullptr) return;
    if (!follows_plan(t_)) {
        t_.plan_->give_ids();
        return;
    }
    outermost_of(t_.plan_) = nullptr;
    finish();
    if (unit_edit_ && flown_plan_print() != unit_before_) {
        flown_plan_edited = 1;
        tell_other_units(PlanEvent::FlownPlanEdited, unit_in_scope);
    }
    // Another unit's modification, put in place by a later EXEC, would undo
    // this edit: the edit ends it.
    if (guards_modification_ && flown_plan_print() != flown_before_) {
        if (!end_other_units_modification()) say_modification_ended(modification_holder(), unit_in_scope);
    }
}

void PlanEdit::upkeep() {
    if (root_ == nullptr) guards_modification_ = false;
}

PlanEdit& PlanEdit::root() {
    return root_ != nullptr ? *root_ : *this;
}

void PlanEdit::to_fallback(int index) {
    root().fallback_ = index;
}

void PlanEdit::end_at(int last) {
    last = std::clamp(last, -1, kPlanLastIndex);
    int i = std::max(t_.plan_->last_, -1) + 1;
    while (i <= last && (*t_.plan_)[i].id != 0)
        ++i;
    t_.plan_->last_ = std::min(last, i - 1);
}

RouteWaypoint& PlanEdit::entry(int i) & {
    RouteWaypoint& w = t_.plan_->slot(i);
    if (w.id == 0 && i >= 0 && i <= kPlanLastIndex) t_.plan_->give_new_id(i);
    return w;
}

void PlanEdit::write(int i, const RouteWaypoint& w) {
    RouteWaypoint& to = t_.plan_->slot(i);
    copy_waypoint_fields(w, to);
    if (w.id == 0 && i >= 0 && i <= kPlanLastIndex) t_.plan_->give_new_id(i);
}

void PlanEdit::set_last(int last) {
    last = std::clamp(last, -1, kPlanLastIndex);
    for (int i = this->last(); i > last && i >= 1; --i)
        drop_hold(t_, i);
    // A slot past the plan holds an entry the edit wrote there, which keeps
    // its id, or what an earlier edit left: a new entry where it has no id
    // or repeats one of the plan's.
    const int before = this->last();
    for (int i = before + 1; i <= last; ++i) {
        const int id = (*t_.plan_)[i].id;
        bool repeated = id == 0;
        for (int j = 0; j <= before && !repeated; ++j)
            repeated = (*t_.plan_)[j].id == id;
        if (repeated) t_.plan_->give_new_id(i);
    }
    end_at(last);
}

void PlanEdit::set_to(int index) {
    flown_to.index_ = index;
    if (index >= 0 && index <= active_plan_last && index <= kPlanLastIndex)
        flown_to.position_ = GeoPosition{active_plan[index].lat, active_plan[index].lon};
    root().to_set_ = true;
}

void PlanEdit::place(const PlanCursor& cursor, int index) {
    // Every cursor is the edit path's to put, also one its owner declares
    // const to everyone else: the declared cursor itself is moved.
    for (PlanCursor* c = PlanCursor::first_declared(); c != nullptr; c = c->next_declared())
        if (c == &cursor) c->move_to(index);
    for (CursorMark& m : root().marks_)
        if (m.cursor == &cursor) m.follows = false;
}

void PlanEdit::keep_cursors() {
    for (CursorMark& m : root().marks_)
        m.kept = true;
    if (t_.active) forget_profile_points();
}

void PlanEdit::finish() {
    const int last = std::min(this->last(), kPlanLastIndex);
    // An entry cleared or written whole through entry() since.
    t_.plan_->give_ids();
    for (const CursorMark& m : marks_) {
        PlanCursor& cursor = *m.cursor;
        // One the edit put, or moved itself, stands on the entry now at the
        // index it was put at.
        const bool moved = m.id != 0 ? cursor.id() != m.id : cursor.held_index() != m.index;
        if (!m.follows || moved) {
            cursor.move_to(cursor.held_index());
            continue;
        }
        const int found = index_of_id(*t_.plan_, last, m.id);
        if (m.kept) {
            // A pick of a fix the new plan does not hold names none of its entries.
            cursor.move_to(found >= 0 ? found : cursor.rule() == CursorRule::Gone ? -1 : m.index);
            continue;
        }
        if (m.index == last_before_ + 1) {
            cursor.move_to(last + 1); // the row after the plan
            continue;
        }
        if (m.index < 0 || m.index > last_before_) continue; // none, or off the plan
        const int stays = std::clamp(m.index, 0, std::max(last, 0));
        if (cursor.rule() == CursorRule::AsTo && m.index >= 1 && last >= 1) {
            cursor.move_to(to_after_edit(m.leg, *t_.plan_, last, stays));
            continue;
        }
        if (found >= 0)
            cursor.move_to(found);
        else
            cursor.move_to(cursor.rule() == CursorRule::Gone ? -1 : stays);
    }
    if (t_.active && !to_set_ && to_waypoint_index == to_before_ && leg_.to_index != kNoToWaypoint)
        flown_to.index_ = to_after_edit(leg_, *t_.plan_, last, fallback_ < 0 ? leg_.to_index : fallback_);
    if (t_.active) publish_flown_plan();
    check_plan_invariants(where_);
}

bool open_slot(const PlanTarget& t, int p) {
    PlanEdit edit(t, "opening an entry");
    const int last = edit.last();
    if (p < 0 || p > last + 1 || last >= kPlanLastIndex) return false;
    for (int j = last; j >= p; --j)
        move_entry(edit, j, j + 1);
    // Not the moved entry's copy: the entry to be written there.
    RouteWaypoint blank = edit[p];
    blank.id = 0;
    edit.write(p, blank);
    edit.end_at(last + 1);
    return true;
}

void remove_entry(const PlanTarget& t, int i) {
    PlanEdit edit(t, "removing an entry");
    const int last = edit.last();
    if (i < 0 || i > last) return;
    drop_hold(t, i);
    for (int j = i + 1; j <= last; ++j)
        move_entry(edit, j, j - 1);
    edit.end_at(last - 1);
}

void merge_into_previous(const PlanTarget& t, int k) {
    PlanEdit edit(t, "merging an entry");
    if (k < 2 || k > edit.last()) return;
    const int removed = hold_at(t, k - 1);
    if (removed != 0 && hold_at(t, k) == 0) {
        // The fix keeps its hold on the surviving entry.
        set_hold_index(t, removed, k);
    }
    remove_entry(t, k - 1);
}

void cut_plan(const PlanTarget& t, int new_last) {
    PlanEdit edit(t, "cutting the plan");
    if (new_last < edit.last()) edit.set_last(new_last);
}

void write_entry(const PlanTarget& t, int i, const RouteWaypoint& w) {
    PlanEdit edit(t, "writing an entry");
    edit.write(i, w);
}

void replace_plan(const PlanTarget& t, const RoutePlan& from, int last) {
    if (&t.plan() == &working_plan) working_plan_taken();
    PlanEdit edit(t, "replacing the plan");
    // The plan put in place has passed none of its entries yet.
    if (&t.plan() == &active_plan.plan()) plan_marks.clear_passing_times();
    last = std::min(last, kPlanLastIndex);
    for (int i = 0; i <= last; ++i)
        edit.write(i, from[i]);
    edit.end_at(last);
}
