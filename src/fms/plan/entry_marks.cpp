#include "fms/plan/entry_marks.h"

PredictionSlot prediction_slot(int i) {
    RouteWaypoint& w = active_plan.slot(i);
    return PredictionSlot{w.alt_constraint, w.speed_constraint};
}

void set_passing_time(int i, const std::string& text) {
    active_plan.slot(i).passing_time = text;
}

void set_hold_mark(RoutePlan& plan, int i, int hold_slot) {
    plan.slot(i).hold_number = hold_slot;
}
