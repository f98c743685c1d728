// The LEGS pages' edit position as EXEC and ERASE let it go; every other file
// reads it as legs_edit_index (fms/plan/route_exec.h) and puts it through a
// PlanEdit.
#pragma once

#include "fms/units/plan_cursor.h"

extern PlanCursor legs_edit_cursor;
