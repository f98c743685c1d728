#include "fms/plan/active_leg.h"

#include "fms/plan/plan_legs.h"

#include <algorithm>

EntryRef entry_ref(const RouteWaypoint& w) {
    return EntryRef{w.id, w.ident, w.lat, w.lon};
}

namespace {

bool at_fix(const RouteWaypoint& w, const EntryRef& ref) {
    return w.ident == ref.ident && w.lat == ref.lat && w.lon == ref.lon;
}

} // namespace

int fix_count(const RoutePlan& plan, int last, const EntryRef& ref) {
    int n = 0;
    for (int i = 0; i <= std::min(last, kPlanLastIndex); ++i)
        n += at_fix(plan[i], ref);
    return n;
}

int find_entry(const RoutePlan& plan, int last, const EntryRef& ref, bool unique) {
    if (ref.id == 0) return -1;
    int at = -1;
    for (int i = std::min(last, kPlanLastIndex); i >= 0; --i) {
        // The origin written on the ground over where the first leg starts
        // (a departure chosen under a direct-to) stays the entry that leg is
        // flown from: once rolling, the legs chosen after it are still ahead.
        if (plan[i].id == ref.id && (at_fix(plan[i], ref) || (i == 0 && plan[0].type == "APT"))) return i;
        if (at < 0 && at_fix(plan[i], ref)) at = i;
    }
    // A discontinuity or other mark has no fix of its own: one written anew
    // at the same spot (an arrival rebuilt puts its gap where the approach
    // begins) is another entry, and taking it for the one removed would put
    // the TO on the legs after it.
    if (marker_of_text(ref.ident) != EntryKind::Place) return -1;
    return unique && fix_count(plan, last, ref) == 1 ? at : -1;
}

ActiveLeg active_leg() {
    ActiveLeg leg;
    const int to = to_waypoint_index;
    if (to < 0 || to > active_plan_last || to > kPlanLastIndex) return leg;
    leg.to_index = to;
    leg.to = entry_ref(active_plan[to]);
    leg.to_unique = fix_count(active_plan, active_plan_last, leg.to) == 1;
    if (to >= 1) {
        leg.from = entry_ref(active_plan[to - 1]);
        leg.from_unique = fix_count(active_plan, active_plan_last, leg.from) == 1;
    }
    return leg;
}

int to_after_edit(const ActiveLeg& before, const RoutePlan& plan, int last, int fallback) {
    if (before.to_index == kNoToWaypoint || last < 1) return kNoToWaypoint;
    int to = -1;
    // Past the FROM only where a leg goes on from it: a FROM met again as the
    // plan's last entry (the old origin as a new route's destination) would
    // put the TO at the route's end, every leg skipped.
    const int from = find_entry(plan, last, before.from, before.from_unique);
    if (from >= 0 && from < last) to = from + 1;
    if (to < 0) to = find_entry(plan, last, before.to, before.to_unique);
    if (to < 0) to = fallback;
    // The TO that became the origin (the origin deleted under it) leaves the
    // first leg flown.
    to = std::clamp(to, 1, std::min(last, kPlanLastIndex));
    return flown_place(plan, to, last);
}
