#include "cdu_smiths/legs_picks.h"

#include "fms/plan/route_plan.h"

LegsPick legs_pick(int i) {
    LegsPick pick;
    pick.index = i;
    pick.ref = entry_ref(working_plan[i]);
    pick.unique = fix_count(working_plan, working_plan_last, pick.ref) == 1;
    return pick;
}

int picked_index(const LegsPick& pick, int i) {
    if (pick.index != i || pick.ref.id == 0) return i;
    return find_entry(working_plan, working_plan_last, pick.ref, pick.unique);
}
