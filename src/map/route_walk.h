// The one walk over a plan's drawable legs that every route painter uses. A
// discontinuity or an open-airway placeholder has no place of its own (its
// position reads 0N 0E), so no leg is drawn to or from it, and the waypoint
// after it starts a fresh line.
#pragma once

#include "fms/plan/plan_legs.h"

#include <algorithm>

// One entry of the walk. `joined` says whether a leg leads into it from the
// entry drawn before it; the first entry takes `join_first`, which a painter
// that starts its line at the aircraft sets.
struct RouteStop {
    int index;
    const RouteWaypoint& waypoint;
    bool joined;
};

// Calls visit(RouteStop) for each entry of `plan` from `first` to `last`
// (kept within the plan's indices) that is not a marker.
template <typename Visit>
void for_each_route_stop(const RoutePlan& plan, int first, int last, bool join_first, Visit&& visit) {
    last = std::min(last, kPlanLastIndex);
    bool joined = join_first;
    for (int i = std::max(first, 0); i <= last; ++i) {
        const RouteWaypoint& w = plan[i];
        if (is_route_marker(w)) {
            joined = false;
            continue;
        }
        visit(RouteStop{i, w, joined});
        joined = true;
    }
}
