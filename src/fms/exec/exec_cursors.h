// The LEGS pages' edit position as EXEC and ERASE let it go; every other file
// reads it as legs_edit_index (fms/plan/route_exec.h) and puts it through a
// PlanEdit. The plan-format step as the SMITHS's keys and pages and EXEC set
// it; every other file reads it as smiths_legs_map_step
// (fms/units/cdu_text.h).
#pragma once

#include "fms/units/plan_cursor.h"

extern PlanCursor legs_edit_cursor;
extern int legs_map_step;
