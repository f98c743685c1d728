// A unit's cursor on a plan: an index that names an entry of the active or
// the working plan (a LEGS row, a GNS list row, the vertical target, a fix
// picked for a later key). It reads and is set as an int, by the pages'
// own moves. Its declaration says which plan it is on and how it follows its
// entry; every cursor so declared is known to the edit path
// (fms/plan/plan_edit.h), which keeps it on its entry through every edit of
// that plan: no list of cursors is kept anywhere.
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
    // A cursor is its declaration: copies of the index only.
    PlanCursor(const PlanCursor&) = delete;
    PlanCursor& operator=(const PlanCursor& other) {
        index_ = other.index_;
        return *this;
    }
    PlanCursor& operator=(int index) {
        index_ = index;
        return *this;
    }
    // A reference, so that one bound to it reads the cursor as it moves.
    operator const int&() const { return index_; }
    PlanCursor& operator++() {
        ++index_;
        return *this;
    }
    PlanCursor& operator--() {
        --index_;
        return *this;
    }
    PlanCursor& operator+=(int n) {
        index_ += n;
        return *this;
    }
    PlanCursor& operator-=(int n) {
        index_ -= n;
        return *this;
    }

    CursorPlan plan() const { return plan_; }
    CursorRule rule() const { return rule_; }
    // Whether it names an entry at all (its index is `first` or above).
    bool names_entry() const { return index_ >= first_; }

    // The cursors declared and alive, in no set order.
    static PlanCursor* first_declared();
    PlanCursor* next_declared() const { return next_; }

  private:
    int index_;
    CursorPlan plan_;
    CursorRule rule_;
    int first_;
    PlanCursor* next_;
};
