// The SMITHS's picks on the working plan as its own keys move them; everyone
// else reads them as smiths_hold_at_leg and smiths_legs_pending_leg
// (fms/units/cdu_text.h) and puts them through a PlanEdit.
#pragma once

#include "fms/units/plan_cursor.h"

extern PlanCursor smiths_hold_at_cursor;
extern PlanCursor smiths_pending_leg_cursor;
