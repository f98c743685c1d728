#include "fms/units/plan_cursor.h"

namespace {

// Null before any cursor's constructor runs, whichever file declares it.
constinit PlanCursor* declared = nullptr;

} // namespace

PlanCursor::PlanCursor(CursorPlan plan, CursorRule rule, int index, int first)
    : index_(index), plan_(plan), rule_(rule), first_(first), next_(declared) {
    declared = this;
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
