#include "fms/units/plan_cursor.h"

namespace {

// Null before any cursor's constructor runs, whichever file declares it.
constinit PlanCursor* declared = nullptr;
// Null until the plans give their reader: a cursor then holds an index.
constinit PlanCursor::PlanReader reader{nullptr, nullptr};

} // namespace

PlanCursor::PlanCursor(CursorPlan plan, CursorRule rule, int index, int first)
    : index_(index), plan_(plan), rule_(rule), first_(first), next_(declared) {
    declared = this;
}

void PlanCursor::read_plans_with(PlanReader r) {
    reader = r;
}

int PlanCursor::index() const {
    if (id_ != 0 && reader.index_of != nullptr) {
        // Its entry moved below the rows it names (an entry before it gone)
        // is no row of its own: the cursor stays where it was.
        const int found = reader.index_of(plan_, id_, index_);
        if (found >= first_) index_ = found;
    }
    return index_;
}

void PlanCursor::move_to(int index) {
    index_ = index;
    id_ = index >= first_ && reader.id_at != nullptr ? reader.id_at(plan_, index) : 0;
}

PlanCursor::~PlanCursor() {
    for (PlanCursor** link = &declared; *link != nullptr; link = &(*link)->next_) {
        if (*link == this) {
            *link = next_;
            return;
        }
    }
}

PlanCursor* PlanCursor::first_declared() {
    return declared;
}
