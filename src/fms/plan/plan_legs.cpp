#include "fms/plan/plan_legs.h"

#include "fms/math/nav_math.h"

#include <algorithm>

void make_marker(RouteWaypoint& w, EntryKind k) {
    w.ident = marker_text(k);
    w.marker = k == EntryKind::PlacedGap ? EntryKind::Gap : k;
}

int previous_place(const RoutePlan& plan, int i) {
    for (int p = std::min(i, kPlanLastIndex + 1) - 1; p >= 0; --p)
        if (!is_route_marker(plan[p])) return p;
    return -1;
}

int next_place(const RoutePlan& plan, int i, int last) {
    for (int p = std::max(i, 0); p <= last && p <= kPlanLastIndex; ++p)
        if (!is_route_marker(plan[p])) return p;
    return -1;
}

int flown_place(const RoutePlan& plan, int i, int last) {
    if (!is_unflown(plan[i])) return i;
    int p = next_place(plan, i + 1, last);
    if (p < 1) p = previous_place(plan, i);
    return p >= 1 ? p : i;
}

int place_at_or_before(const RoutePlan& plan, int i) {
    if (!is_route_marker(plan[i])) return i;
    const int p = previous_place(plan, i);
    return p >= 0 ? p : i;
}

double leg_into_nm(const RoutePlan& plan, int i, double* course) {
    double d = 0.0, c = 0.0;
    const int from = previous_place(plan, i);
    if (from >= 0 && !is_route_marker(plan[i]))
        gc_dist_course(plan[from].lat, plan[from].lon, plan[i].lat, plan[i].lon, &d, &c);
    if (course != nullptr) *course = c;
    return d;
}
