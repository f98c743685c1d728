// The plan's own cursor, as route_plan.cpp defines it; every other file reads
// it as working_edit_index (route_plan.h) and moves it through a PlanEdit.
#pragma once

#include "fms/units/plan_cursor.h"

extern PlanCursor working_edit_cursor;
