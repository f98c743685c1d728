#include "fms/guidance/route_progress.h"

#include "fms/math/nav_math.h"
#include "fms/plan/plan_legs.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_walk.h"
#include "fms/plan/vertical_state.h"
#include "sim/aircraft_state.h"

#include <algorithm>

double distance_to_destination = 0.0;
double course_to_destination = 0.0;
double direct_distance_to_destination = 0.0;
double distance_to_toc = 0.0;
double toc_sum = 0.0;
double distance_to_tod = 0.0;
double tod_to_target_distance = 0.0;
double distance_to_target = 0.0;
double vertical_target_distance = 0.0;
double descent_path_altitude = 0.0;
bool toc_ahead = false;

namespace {

// How far a point may lie off a leg and still be on it.
constexpr double kOnLegNm = 0.5;

struct Point {
    double lat = 0.0;
    double lon = 0.0;
};

double distance(const Point& a, const Point& b) {
    double d = 0.0;
    double course = 0.0;
    gc_dist_course(a.lat, a.lon, b.lat, b.lon, &d, &course);
    return d;
}

Point entry(int i) {
    return Point{active_plan[i].lat, active_plan[i].lon};
}

// The walks back from a point stop at the places the forward walk
// (route_walk.h) stops at: an entry not flown adds no distance.
bool no_stop(int i) {
    return !is_place(active_plan[i]);
}

// Along the plan from `point` forward to entry `to`, walking back from `to`:
// a leg holds the point when it lies no farther from the leg's far end than
// the leg is long.
double back_to_point(int to, const Point& point) {
    double sum = 0.0;
    int later = to;
    for (int i = to - 1; i >= 0; --i) {
        if (no_stop(i)) continue;
        const double d = distance(entry(i), entry(later));
        const double e = distance(entry(later), point);
        if (d >= e) return sum + e;
        sum += d;
        later = i;
    }
    return sum;
}

void reset_values() {
    distance_to_destination = 0.0;
    distance_to_toc = 0.0;
    toc_sum = 0.0;
    distance_to_tod = 0.0;
    tod_to_target_distance = 0.0;
    distance_to_target = 0.0;
    vertical_target_distance = 0.0;
    toc_ahead = false;
}

void forward_walk(const Point& aircraft, const Point& toc, const Point& tod) {
    Point p = aircraft;
    bool toc_found = false;
    bool tod_found = false;
    for_each_route_stop(active_plan, to_waypoint_index, active_plan_last, true, [&](const RouteStop& s) {
        const int i = s.index;
        const double d = distance(p, entry(i));
        distance_to_destination += d;
        if (toc_passed == 1) {
            if (!tod_found) {
                const double e = distance(p, tod);
                tod_found = d >= e;
                distance_to_tod += tod_found ? e : d;
            }
        } else {
            const double e = distance(p, toc);
            // On the leg: no longer by way of the point than straight on.
            toc_ahead = toc_ahead || e + distance(toc, entry(i)) < d + kOnLegNm;
            if (d > e) {
                toc_sum += e;
                if (!toc_found) distance_to_toc += e;
                toc_found = true;
            } else {
                toc_sum += d;
                if (!toc_found) {
                    distance_to_toc += d;
                    if (i == constraint_waypoint_index) vertical_target_distance = distance_to_toc;
                }
            }
        }
        p = entry(i);
    });
}

double along_to(const Point& aircraft, int target) {
    return route_distance_from(active_plan, aircraft.lat, aircraft.lon, to_waypoint_index,
                               std::min(target, active_plan_last));
}

bool valid_target() {
    return constraint_waypoint_index >= 1 && constraint_waypoint_index <= active_plan_last;
}

} // namespace

void route_distance_summary() {
    // The route ends at its last place: a destination still to be entered
    // is neither measured nor aimed at.
    const int last = route_end(active_plan, active_plan_last);
    if (to_waypoint_index < 1 || to_waypoint_index > active_plan_last) return;
    if (last < 1) {
        reset_values();
        return;
    }
    const AircraftState& a = aircraft_state;
    const Point aircraft{a.plat, a.plon};
    const Point toc{toc_lat, toc_lon};
    const Point tod{tod_lat, tod_lon};

    double ignored = 0.0;
    gc_dist_course(a.plat, a.plon, active_plan[last].lat, active_plan[last].lon, &ignored,
                   &course_to_destination);
    // Kept current in every phase: the tower view and the pause near the
    // destination test it from the first pass of a route.
    direct_distance_to_destination = distance(aircraft, entry(last));
    // Always from 0: values carried over from an earlier call would only grow.
    reset_values();
    forward_walk(aircraft, toc, tod);

    if (toc_passed == 1 && valid_target()) tod_to_target_distance = back_to_point(constraint_waypoint_index, tod);
    if (tod_passed == 1 && valid_target()) distance_to_target = along_to(aircraft, constraint_waypoint_index);
    if (cruise_altitude <= 1000) return;

    if (toc_passed == 0) {
        if (toc_sum > distance_to_destination) toc_passed = 1;
        if (vertical_target_distance == 0.0) vertical_target_distance = distance_to_toc;
    } else if (tod_passed == 0) {
        // The vertical guidance passes the TOD by the distance along the route.
        vertical_target_distance = distance_to_tod;
    } else {
        vertical_target_distance = distance_to_target;
    }
}
