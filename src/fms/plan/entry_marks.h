// What the plan's readers write into its entries beside the edits: the
// predicted altitude and speed of the profile prediction, the passing time
// sequencing stamps and the hold marks the hold list keeps in step. Each is a
// narrow writer of those fields alone; every other write of an entry is an
// edit (fms/plan/plan_edit.h).
#pragma once

#include "fms/plan/route_plan.h"

#include <string>

// The predicted altitude (ft) and speed (kt) of an entry of the flown plan,
// kept in its constraint fields.
struct PredictionSlot {
    double& altitude;
    double& speed;
};
// Entry i of the flown plan (0..kPlanLastIndex); outside it, a scratch pair.
PredictionSlot prediction_slot(int i);

// The time the aircraft passed entry i of the flown plan, "HH:MM".
void set_passing_time(int i, const std::string& text);

// The hold slot attached to entry i of the plan; 0 = none.
void set_hold_mark(RoutePlan& plan, int i, int hold_slot);
