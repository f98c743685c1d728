// The vertical target as VNAV moves it and EXEC, ERASE and the GNS's
// direct-to put it anew; every other file reads it as
// constraint_waypoint_index (fms/plan/route_plan.h) and puts it through a
// PlanEdit.
#pragma once

#include "fms/units/plan_cursor.h"

extern PlanCursor vertical_target_cursor;
