// The GNS's cursors as its own pages move them. Everyone else reads them
// const (gns_selected_wpt_index, gns_entry_fix, gns_direct_view_to in
// fms/units/gns_unit_state.h, working_cursor_index in fms/plan/route_plan.h)
// and moves them through a PlanEdit.
#pragma once

#include "fms/units/plan_cursor.h"

extern PlanCursor gns_selected_wpt_cursor;
extern PlanCursor gns_entry_fix_cursor;
extern PlanCursor gns_direct_view_to_cursor;
// The working plan's LEGS/RTE position, which the SMITHS moves only through
// its edits.
extern PlanCursor working_cursor;
