#include "passing_check.h"

#include "aircraft_store.h"
#include "data/module_settings.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/math/nav_math.h"
#include "fms/plan/plan_legs.h"
#include "fms/plan/route_plan.h"
#include "fms/sequencing.h"
#include "plan_state_check.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

struct Leg {
    double nm = 0.0, course = 0.0;
};
Leg leg(double lat1, double lon1, double lat2, double lon2) {
    Leg l;
    gc_dist_course(lat1, lon1, lat2, lon2, &l.nm, &l.course);
    return l;
}

double angle(double a, double b) {
    const double d = std::fabs(a - b);
    return d > 180.0 ? 360.0 - d : d;
}

// The switching distance entry i earns by its own legs: its kind's or
// flyover distance, and the turn onto the leg after it from the leg into it,
// which after an engagement may be the direct leg from where LNAV engaged.
double own_switch_distance(int i) {
    const RouteWaypoint& w = active_plan[i];
    double d = is_procedure_kind(w.kind) ? WptProcChgDist : w.flyover == 1 ? FlyoverWptChgDist : WptChgDist;
    const int from = previous_place(active_plan, i);
    if (AdjustTurnDistforAngle != 1 || w.flyover == 1 || from < 0 || i >= active_plan_last ||
        is_unflown(active_plan[i + 1]))
        return d;
    const RouteWaypoint& b = active_plan[i + 1];
    const double out = leg(w.lat, w.lon, b.lat, b.lon).course;
    double turn = 0.0;
    for (const GeoPosition& start :
         {GeoPosition{active_plan[from].lat, active_plan[from].lon}, direct_to_origin})
        turn = std::max(turn, std::trunc(angle(leg(start.lat, start.lon, w.lat, w.lon).course, out)));
    return d + turn * 0.028;
}

// Seen from entry i, the aircraft lies more than 90 degrees off the way
// back along the leg into it: it is abeam or past.
bool behind(int i) {
    const RouteWaypoint& w = active_plan[i];
    const int from = previous_place(active_plan, i);
    if (from < 0) return false;
    const double back = leg(w.lat, w.lon, active_plan[from].lat, active_plan[from].lon).course;
    const host::AircraftModel& m = host::aircraft();
    return angle(back, leg(w.lat, w.lon, m.lat_deg, m.lon_deg).course) > 90.0;
}

std::vector<int> plan_ids() {
    std::vector<int> ids;
    for (int i = 0; i <= active_plan_last; ++i)
        ids.push_back(active_plan[i].id);
    return ids;
}

} // namespace

PassingSeen see_passing() {
    const host::AircraftModel& m = host::aircraft();
    double track = 0.0, speed = 0.0;
    host::ground_vector(m, &track, &speed);
    const bool standing = m.altitude_ft - m.ground_elevation_ft < 1.0 && speed < 40.0;
    return {waypoints_passed, standing, plan_ids(), to_waypoint_index};
}

std::vector<std::string> passing_faults(const PassingSeen& before, bool engaging, double travel_nm) {
    std::vector<std::string> faults;
    const PassingSeen now = see_passing();
    const int passed = now.passed - before.passed;
    if (passed <= 0) return faults;
    const std::string to = to_waypoint_index >= 0 && to_waypoint_index <= active_plan_last
                               ? active_plan[to_waypoint_index].ident
                               : std::to_string(to_waypoint_index);
    if (rule_on("ground") && before.on_ground && now.on_ground)
        faults.push_back(std::to_string(passed) + " waypoint(s) passed on the ground, now TO " + to);
    // The passed entries are those from the old TO to the new one, where the
    // step left the plan's entries as they were.
    if (!rule_on("engage") || !engaging || now.ids != before.ids || before.to < 1 ||
        now.to > active_plan_last)
        return faults;
    const host::AircraftModel& m = host::aircraft();
    for (int i = before.to; i < now.to; ++i) {
        const RouteWaypoint& w = active_plan[i];
        if (!is_place(w) || behind(i)) continue;
        const double ahead = leg(m.lat_deg, m.lon_deg, w.lat, w.lon).nm;
        const double own = own_switch_distance(i);
        if (ahead <= own + travel_nm) continue;
        char text[200];
        std::snprintf(
            text, sizeof text,
            "%s passed %.2f NM ahead at LNAV engagement (its switching distance %.2f NM), now TO %s",
            w.ident.c_str(), ahead, own, to.c_str());
        faults.push_back(text);
    }
    return faults;
}
