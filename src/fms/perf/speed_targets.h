// Climb, cruise and descent speed targets and the cost index that sets them.
#pragma once

#include "data/performance_values.h"

// -1 = no cost index (the aircraft file's CostIndex).
inline int& cost_index = performance_values.cost_index;

// Targets in kt IAS, and the bases they started from: a target still equal to
// its base has not been changed by the pilot and follows the cost index.
inline int& climb_speed_target = performance_values.climb_speed;
inline int& cruise_speed_target = performance_values.cruise_speed;
inline int& descent_speed_target = performance_values.descent_speed;
extern int climb_speed_base;
extern int cruise_speed_base;
extern int descent_speed_base;
// The speed the cost index last gave each target; -1 = none yet. A target
// that still holds it follows a new cost index as one at its base does.
extern int climb_speed_by_cost_index;
extern int cruise_speed_by_cost_index;
extern int descent_speed_by_cost_index;

// IAS limits per phase, as the aircraft file's keys of the same names set them.
extern double ClimbIasMin;
extern double ClimbIasMax;
extern double CruiseIasMin;
extern double CruiseIasMax;
extern double DescentIasMin;
extern double DescentIasMax;

// Each target at its base or at the cost index's last speed becomes
// min + (max - min) / 200 * cost_index, truncated; the pilot's own speeds
// stay. Nothing happens while cost_index is below 0. No upper clamp: an
// index above 200 gives targets beyond the maximum.
void apply_cost_index();
