#include "fms/plan/plan_legs.h"

#include "fms/math/nav_math.h"
#include "fms/plan/route_walk.h"

#include <algorithm>

void make_marker(RouteWaypoint& w, EntryKind k) {
    w.ident = marker_text(k);
    w.marker = k == EntryKind::PlacedGap ? EntryKind::Gap : k;
}

int previous_place(const RoutePlan& plan, int i) {
    for (int p = std::min(i, kPlanLastIndex + 1) - 1; p >= 0; --p)
        if (is_place(plan[p])) return p;
    return -1;
}

int next_place(const RoutePlan& plan, int i, int last) {
    for (int p = std::max(i, 0); p <= last && p <= kPlanLastIndex; ++p)
        if (is_place(plan[p])) return p;
    return -1;
}

int flown_place(const RoutePlan& plan, int i, int last) {
    if (is_place(plan[i])) return i;
    int p = next_place(plan, i + 1, last);
    // A placed discontinuity is flown to the fix it stands on.
    if (!is_unflown(plan[i])) return p >= 1 ? p : i;
    if (p < 1) p = previous_place(plan, i);
    return p >= 1 ? p : i;
}

int place_at_or_before(const RoutePlan& plan, int i) {
    if (is_place(plan[i])) return i;
    const int p = previous_place(plan, i);
    return p >= 0 ? p : i;
}

double leg_into_nm(const RoutePlan& plan, int i, double* course) {
    double d = 0.0, c = 0.0;
    const int from = previous_place(plan, i);
    if (from >= 0 && is_place(plan[i]))
        gc_dist_course(plan[from].lat, plan[from].lon, plan[i].lat, plan[i].lon, &d, &c);
    if (course != nullptr) *course = c;
    return d;
}

double route_distance_from(const RoutePlan& plan, double lat, double lon, int first, int to) {
    double sum = 0.0;
    for_each_route_stop(plan, first, to, true, [&](const RouteStop& s) {
        double d = 0.0, c = 0.0;
        gc_dist_course(lat, lon, s.waypoint.lat, s.waypoint.lon, &d, &c);
        sum += d;
        lat = s.waypoint.lat;
        lon = s.waypoint.lon;
    });
    return sum;
}
