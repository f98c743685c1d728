// The one walk over the flown legs of a plan, for the core and every page
// and painter. It stops at the places of the plan: an entry that is not
// flown (is_unflown) has no place of its own, so no leg runs to or from it
// and the place after it starts a fresh line; a discontinuity that carries a
// position stands on the fix after it, so the walk passes through it to
// that fix without a stop or a break. An entry a direct-to passed by is no
// stop either: the walk runs past it as if the plan held it no more.
#pragma once

#include "fms/plan/entry_marks.h"
#include "fms/plan/plan_legs.h"

#include <algorithm>

// Whether the walks stop at entry w: a place of the route as flown, which a
// direct-to did not pass by. What the maps draw and the pages list.
inline bool is_route_stop(const RouteWaypoint& w) {
    return is_place(w) && !plan_marks.passed_by(w);
}

// One entry of the walk. `joined` says whether a leg leads into it from the
// stop before it: false after a gap, where a painter breaks its line (a
// distance runs on across the gap, from the place before it). The first stop
// takes `join_first`, which a painter that starts its line at the aircraft
// sets.
struct RouteStop {
    int index;
    const RouteWaypoint& waypoint;
    bool joined;
};

// Calls visit(RouteStop) for each place of `plan` from `first` to `last`
// (kept within the plan's indices).
template <typename Visit>
void for_each_route_stop(const RoutePlan& plan, int first, int last, bool join_first, Visit&& visit) {
    last = std::min(last, kPlanLastIndex);
    bool joined = join_first;
    for (int i = std::max(first, 0); i <= last; ++i) {
        const RouteWaypoint& w = plan[i];
        if (!is_route_stop(w)) {
            if (is_unflown(w)) joined = false;
            continue;
        }
        visit(RouteStop{i, w, joined});
        joined = true;
    }
}

// The route's end: the last place of `plan` up to `last`, where the route is
// drawn, measured and flown to (a destination still to be entered is not
// one); -1 when the plan has no place.
inline int route_end(const RoutePlan& plan, int last) {
    return previous_place(plan, std::min(last, kPlanLastIndex) + 1);
}

// The entry the leg into `to` is flown from: the stop before it, past the
// entries a direct-to passed by, the place before a placed discontinuity; -1
// after an entry not flown (a gap has no leg out of it) and for the origin.
inline int route_from(const RoutePlan& plan, int to) {
    if (to < 1 || to > kPlanLastIndex) return -1;
    int from = to - 1;
    while (from > 0 && is_place(plan[from]) && !is_route_stop(plan[from]))
        --from;
    const RouteWaypoint& w = plan[from];
    if (is_route_stop(w)) return from;
    return is_unflown(w) ? -1 : previous_place(plan, from);
}

// Length (NM) along the flown legs from the point (lat, lon) through every
// place from `first` to `to`: the distances that pages and published values
// show.
double route_distance_from(const RoutePlan& plan, double lat, double lon, int first, int to);
