#include "fms/plan/plan_events.h"

namespace {

constexpr int kUnits = 5;
// Given once at start-up and kept: no test or flight resets who listens.
PlanEventListener listeners[kUnits] = {};

int slot_of(PlanUnit unit) {
    return static_cast<int>(unit);
}

} // namespace

void listen_to_plan_events(PlanUnit unit, PlanEventListener listener) {
    listeners[slot_of(unit)] = listener;
}

void tell_plan_event(PlanUnit unit, PlanEvent event, PlanUnit by) {
    if (const PlanEventListener hear = listeners[slot_of(unit)]) hear(event, by);
}

void tell_other_units(PlanEvent event, PlanUnit by) {
    for (int u = 0; u < kUnits; ++u)
        if (u != slot_of(by)) tell_plan_event(static_cast<PlanUnit>(u), event, by);
}
