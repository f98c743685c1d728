// A unit's cursor on a plan: it names an entry of the active or the working
// plan (a LEGS row, a GNS list row, the vertical target, a fix picked for a
// later key) by the entry's id, and reads as the entry's index, found when
// it is read. The pages' own moves put it on an index (move_to), which is an
// entry's; nothing else sets it. Its declaration says which plan it is on and
// where it goes when its entry is removed; every cursor so declared is known
// to the edit path (fms/plan/plan_edit.h): no list of cursors is kept
// anywhere.
#pragma once

enum class CursorPlan { Active, Working };

// Where a cursor goes when an edit moves its entry: to the entry's new
// index. When the entry is removed:
enum class CursorRule {
    Stays, // it stays at its index, on the entry that took its place
    Gone,  // a pick reads -1: its fix is gone
    AsTo,  // the working plan's TO row follows as the TO does: the entry
           // after the one before it, so that legs put in before it show
};

class PlanCursor {
  public:
    // `first`: the lowest index that names an entry (below it: none).
    PlanCursor(CursorPlan plan, CursorRule rule, int index = 0, int first = 0);
    ~PlanCursor();
    // A cursor is its declaration: it takes no other's entry, which may lie
    // on another plan.
    PlanCursor(const PlanCursor&) = delete;
    PlanCursor& operator=(const PlanCursor&) = delete;
    // The entry's index in its plan, found from the entry's id as it is read:
    // an edit that moves the entry moves the cursor with it.
    operator int() const { return index(); }
    int index() const;
    // The cursor goes to the entry at `index` (a row below `first`, or one
    // that is no entry of the plan, such as the row after it, is held as an
    // index alone). Only the pages' own moves and the edit path put a cursor;
    // one that a unit owns is declared to everyone else as a const cursor.
    void move_to(int index);
    void step(int n) { move_to(index() + n); }

    CursorPlan plan() const { return plan_; }
    CursorRule rule() const { return rule_; }
    // Whether it names an entry at all (its index is `first` or above).
    bool names_entry() const { return index() >= first_; }
    // The id of the entry it stands on; 0 when it stands on none.
    int id() const { return id_; }
    // The index as last put or found, without looking the entry up: for the
    // edit path, which puts a cursor on the entry at it where the edit ends.
    int held_index() const { return index_; }

    // How the cursors read their plans (fms/plan/route_plan.cpp gives it at
    // start-up): the id of the entry at an index, 0 for none; the index of
    // the entry with an id, -1 when the plan holds none.
    struct PlanReader {
        int (*id_at)(CursorPlan plan, int index);
        int (*index_of)(CursorPlan plan, int id, int hint);
    };
    static void read_plans_with(PlanReader reader);

  private:
    // The cursors declared and alive, in no set order: the edit path's to
    // walk, no one else's.
    friend class PlanEdit;
    static PlanCursor* first_declared();
    PlanCursor* next_declared() const { return next_; }

    mutable int index_;
    int id_ = 0;
    CursorPlan plan_;
    CursorRule rule_;
    int first_;
    PlanCursor* next_;
};
