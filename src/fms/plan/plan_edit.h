// The one way the plans change. Every change of the active, working or
// preview plan, by any unit, a route load, EXEC or ERASE, is a PlanEdit: the
// operations below open one of their own, and a change of several steps
// holds one around them all. An entry has its id from the moment the edit
// writes it: a slot opened or grown, a blank one written, an entry written
// from another without one (write) gets an id no entry had; a moved or copied
// entry keeps its own (one cleared or assigned whole through entry() gets its
// id where the edit ends, before anyone else reads it). Where the outermost
// edit of a plan ends:
// - every cursor declared on that plan (fms/units/plan_cursor.h: the LEGS
//   and RTE rows, the GNS lists, the MCU LEGS page, the DIRECT lists, the
//   vertical target, the fixes picked on RTE LEGS) holds its entry's id, and
//   so stays on it; one on a removed entry stays at its index, on the entry
//   that took its place (a picked fix reads -1: gone); one on the row after
//   the plan stays after it; one the edit put stands on the entry at the
//   index it was put at;
// - on the active plan the aircraft stays on its leg (fms/plan/active_leg.h)
//   unless the edit put the TO somewhere itself (a direct-to, a new plan,
//   first activation), and the TO's position is taken from its entry;
// - an edit of the active plan on the GNS or the MCU ends a modification
//   pending on a CDU, which is told (end_other_units_modification below,
//   fms/plan/plan_events.h), and one that changed it asks for the profile
//   anew (flown_plan_edited, fms/plan/vertical_state.h);
// - the plans' rules are checked (fms/plan/plan_invariants.h).
#pragma once

#include "fms/plan/active_leg.h"
#include "fms/plan/plan_events.h"
#include "fms/plan/route_plan.h"

#include <cstdint>
#include <utility>
#include <vector>

// The unit whose keys act while it lives. Outside every scope the core edits
// (the per-frame update, EXEC and ERASE, route loads): no unit's edit.
class PlanUnitScope {
  public:
    explicit PlanUnitScope(PlanUnit unit);
    ~PlanUnitScope();
    PlanUnitScope(const PlanUnitScope&) = delete;
    PlanUnitScope& operator=(const PlanUnitScope&) = delete;

  private:
    PlanUnit kept_;
};
PlanUnit editing_unit();

// The CDU whose edit began the modification now pending (route state 2 or
// 4): the C-17 CDU's is told there, any other the SMITHS, whose pages show
// it as MOD and whose EXEC and ERASE act on it.
extern PlanUnit modification_unit;

// The one rule for an edit made on one unit while another holds a pending
// change. Only the CDUs keep changes pending (the GNS and the MCU edit the
// flown plan at once), so: an edit on the GNS or the MCU ends the CDU's
// pending change, and the CDU is told (PlanEvent::ModificationEnded) and
// says so on its message line. An edit of the
// flown plan (a PlanEdit that changed it) runs the rule when it ends, so
// that a later EXEC cannot undo it; a unit that takes the working plan over
// (the GNS DIRECT list, a stored plan opened) or loads a whole plan (the MCU)
// runs it first. A modification
// (state 4) is erased; a route activated and not executed (state 2) goes
// back to entered. True when a change ended.
bool end_other_units_modification();
// ERASE, which the exec room above the plans gives at start-up.
void set_modification_eraser(void (*erase)());

// A plan, and whether it is the flown one. Made only by the named targets
// below and plan_target (route_plan.h), so an edit of the active plan is
// always one of the flown plan: the TO follows it, the published array is
// written and another unit's pending change ends by the one rule.
class PlanTarget {
  public:
    // The plan, to read: it is written only through an edit of the target.
    const RoutePlan& plan() const { return *plan_; }
    const bool active;

  private:
    RoutePlan* const plan_;
    constexpr PlanTarget(RoutePlan* p, bool flown) : active(flown), plan_(p) {}
    friend class PlanEdit;
    friend class ChoicesEdit;
    friend PlanTarget working_target();
    friend PlanTarget active_target();
    friend PlanTarget preview_target();
    friend PlanTarget plan_target(RoutePlan& plan);
};
PlanTarget working_target();
PlanTarget active_target();
PlanTarget preview_target();

class PlanEdit {
  public:
    // `where` names the edit in an invariant report.
    PlanEdit(const PlanTarget& target, const char* where);
    ~PlanEdit();
    PlanEdit(const PlanEdit&) = delete;
    PlanEdit& operator=(const PlanEdit&) = delete;

    // Entry i to write (0..kPlanLastIndex); the plan's last index is set
    // apart (set_last, or the operations below). A blank slot gets its id
    // here. Only on an edit that lives on: a temporary one would end before
    // the entry is written.
    RouteWaypoint& entry(int i) &;
    RouteWaypoint& entry(int i) && = delete;
    // Entry i becomes `w` but for the slot's position text, with w's id, or
    // one of its own when w has none (an entry made from a database record).
    void write(int i, const RouteWaypoint& w);
    const RouteWaypoint& operator[](int i) const { return (*t_.plan_)[i]; }
    int last() const { return t_.plan_->last_; }
    // The plan ends at `last` (-1: empty). Growing leaves the new entries as
    // they are, each with an id no other entry has; shrinking drops the holds
    // of the entries cut off.
    void set_last(int last);
    // The plan becomes a copy of `from` whole: entries, ids, last index and
    // choices; an entry `from` kept without an id gets one.
    void replace_with(const RoutePlan& from) {
        *t_.plan_ = from;
        t_.plan_->give_ids();
    }
    void replace_with(RoutePlan&& from) {
        *t_.plan_ = std::move(from);
        t_.plan_->give_ids();
    }

    // The TO (active plan) or a cursor put on an index by the edit's own
    // rule; kept where it is put, also when that is where it stood. Told to a
    // nested edit, these hold for the whole edit. The TO's position is read
    // at once from its entry, and again where the edit ends.
    void set_to(int index);
    void place(const PlanCursor& cursor, int index);
    // A whole new plan: the plan's cursors stay at their indices, but for
    // those whose entries the new plan holds, and a pick whose fix it does
    // not hold reads -1; on the flown plan the profile points of the route
    // replaced go.
    void keep_cursors();
    // The TO where neither the FROM nor the TO is left; the old index when
    // not given.
    void to_fallback(int index);
    // The leg the aircraft flew when the edit began.
    const ActiveLeg& leg_before() const { return leg_; }
    // An edit that keeps what the plan derives from the database (an
    // airport's elevation) and is no pilot's: it ends no modification.
    void upkeep();

  private:
    friend class ChoicesEdit;
    friend bool open_slot(const PlanTarget& t, int p);
    friend void remove_entry(const PlanTarget& t, int i);
    friend void replace_plan(const PlanTarget& t, const RoutePlan& from, int last);

    // The plan ends at `last`, its entries and holds as they stand: for the
    // operations that moved the entries themselves. Within the plan's
    // capacity, and never over a slot that holds no entry (one without an
    // id): a plan grows only over entries written.
    void end_at(int last);

    struct CursorMark {
        PlanCursor* cursor;
        bool follows; // false: put by the edit, or naming no entry
        bool kept;    // a whole new plan: on its entry if the plan holds it, else at its index
        int index;    // where it stood, and its entry's id
        int id;
        ActiveLeg leg; // for the TO row: its entry (to) and the one before it (from)
    };
    void finish();
    PlanEdit& root();

    PlanTarget t_;
    const char* where_;
    PlanEdit* root_; // the outermost edit of the plan; null for that one
    int last_before_;
    ActiveLeg leg_;
    int to_before_ = kNoToWaypoint;
    bool to_set_ = false;
    int fallback_ = -1;
    // Every cursor declared on the plan (fms/units/plan_cursor.h).
    std::vector<CursorMark> marks_;
    // Set when another unit's modification was pending as the edit began:
    // what the flown plan was then.
    bool guards_modification_ = false;
    std::uint64_t flown_before_ = 0;
    // Set when a unit that edits the flown plan at once began the edit.
    bool unit_edit_ = false;
    std::uint64_t unit_before_ = 0;
};

// Opens slot p (0..last + 1): entries p..last move up one, and slot p holds
// a copy of its old entry, under an id of its own, until it is written. False, with nothing changed,
// when the plan is full or p lies outside it.
bool open_slot(const PlanTarget& t, int p);
// Entry i (0..last) is dropped with its hold: entries i + 1..last move down.
void remove_entry(const PlanTarget& t, int i);
// Entry k replaces entry k - 1 (a fix met twice in a row). The survivor
// keeps a hold either of them had.
void merge_into_previous(const PlanTarget& t, int k);
// The plan ends at new_last; holds on the entries cut off are removed.
void cut_plan(const PlanTarget& t, int new_last);
// Writes an entry into slot i keeping the slot's position text.
void write_entry(const PlanTarget& t, int i, const RouteWaypoint& w);
// The plan becomes entries 0..last of `from`, each slot keeping its position
// text; the entries keep their ids.
void replace_plan(const PlanTarget& t, const RoutePlan& from, int last);
// What a pilot edits in the flown plan, folded into one number: its
// entries' fixes, constraints, holds and flyovers, its length and the TO.
std::uint64_t flown_plan_print();

// Another unit's edit takes the working plan over: the other units are told
// (PlanEvent::WorkingPlanTaken); a stored plan the GNS has open there closes.
void working_plan_taken();
