#include "fms/perf/constraint_rule.h"

#include "data/aircraft_settings.h"
#include "data/module_settings.h"
#include "fms/perf/flown_route.h"
#include "fms/plan/entry_marks.h"
#include "fms/plan/route_state.h"
#include "fms/plan/vertical_state.h"
#include "sim/aircraft_state.h"

#include <algorithm>
#include <cmath>

namespace {

// NM flown per ft of climb or descent; 0 without a rate or a speed.
double climb_nm_per_ft() {
    return ClimbRate > 0 && climb_tas_target > 0.0 ? climb_tas_target / 60.0 / ClimbRate : 0.0;
}

double descent_nm_per_ft() {
    const double rate = descent_rate_used_fpm > 0.0 ? descent_rate_used_fpm : DescentRate;
    return rate > 0.0 && descent_tas_target > 0.0 ? descent_tas_target / 60.0 / rate : 0.0;
}

double altitude_of(int k) {
    return predicted_altitude(active_plan[k]);
}

// A plain altitude followed by one at or above it lies on the way up: the
// profile climbs on after it, so it ends no descent (the pilot may have
// climbed past it).
bool on_the_way_up(int k) {
    const int last = flown_last();
    for (int i = k + 1; i < last; ++i)
        if (constraint_kind(active_plan[i]) != ConstraintKind::None) return altitude_of(i) >= altitude_of(k);
    return false;
}

// A plain altitude the profile from the origin meets while still climbing:
// before the point where the climb from the origin reaches the level the
// whole route affords. It belongs to the climb, even once the pilot climbed
// past it.
bool climb_side(int k) {
    const int last = flown_last();
    const double up = climb_nm_per_ft();
    if (last < 1 || !(up > 0.0)) return false;
    const double origin = std::max(0.0, predicted_altitude(active_plan[0]));
    double route = 0.0, to_k = 0.0;
    for (int i = 1; i <= last; ++i) {
        const double leg = flown_leg_nm(i);
        route += leg;
        if (i <= k) to_k += leg;
    }
    const double end = route_end_altitude();
    double level = cruise_altitude;
    if (end > kNoConstraint) level = std::min(level, afforded_level(origin, route, end));
    return altitude_of(k) < level && to_k <= (level - origin) * up;
}

// A plain altitude below one that comes before it (from entry `from` on) is
// met on the way down from that one: the climb must first reach the earlier
// altitude, so the lower one caps no climb and ends the descent after it.
bool under_an_earlier_one(int from, int k) {
    for (int i = std::max(from, 1); i < k; ++i)
        if (constraint_kind(active_plan[i]) != ConstraintKind::None &&
            altitude_of(i) > altitude_of(k) + 100.0)
            return true;
    return false;
}

DescentEnd descent_end_from(const ProfileView& v, double top, int floors_from);

} // namespace

ConstraintKind constraint_kind(const RouteWaypoint& w) {
    if (!holds_altitude(w) || !(w.alt_constraint > kNoConstraint)) return ConstraintKind::None;
    return typed_by_pilot(w) ? ConstraintKind::AtOrAbove : ConstraintKind::At;
}

ProfileView view_from_aircraft(int first) {
    ProfileView v;
    v.altitude_ft = aircraft_state.indicated_altitude_ft;
    const bool to = to_waypoint_index >= 1 && to_waypoint_index <= active_plan_last;
    v.from_aircraft = to;
    v.first = first >= 1 ? first : to ? to_waypoint_index : 1;
    return v;
}

ProfileView view_from_origin(double altitude_ft) {
    ProfileView v;
    v.altitude_ft = altitude_ft;
    v.from_aircraft = false;
    return v;
}

double distance_to(const ProfileView& v, int k) {
    if (v.from_aircraft) return distance_to_meet(k);
    double d = 0.0;
    for (int i = 1; i <= k; ++i)
        d += flown_leg_nm(i);
    return d;
}

double afforded_level(double from_ft, double distance_nm, double end_ft) {
    const double up = climb_nm_per_ft();
    const double down = descent_nm_per_ft();
    if (!(up + down > 0.0)) return std::max(from_ft, end_ft);
    return (distance_nm + from_ft * up + end_ft * down) / (up + down);
}

double descent_ft_per_nm() {
    const double down = descent_nm_per_ft();
    return down > 0.0 ? 1.0 / down : 0.0;
}

DescentEnd descent_end(const ProfileView& v, double top) {
    return descent_end_from(v, top, v.first);
}

namespace {

DescentEnd descent_end_from(const ProfileView& v, double top, int floors_from) {
    const int last = flown_last();
    DescentEnd result;
    if (last < 1) return result;
    DescentEnd end; // the next end after the entry looked at
    end.altitude = route_end_altitude();
    if (end.altitude > kNoConstraint) end.index = last;
    // A field at or above the altitude flown is no descent either.
    if (end.altitude < top) result = end;
    const double per_nm = descent_ft_per_nm();
    // In the climb and the cruise a plain altitude on the climb's side is no
    // end (the aircraft climbed to it or past it); once descending every one
    // ahead is.
    const bool climbing = tod_passed == 0;
    double since = 0.0; // NM along the legs from entry i to `end`
    for (int i = last - 1; i >= std::max(v.first, 1); --i) {
        since += flown_leg_nm(i + 1);
        const ConstraintKind kind = constraint_kind(active_plan[i]);
        if (kind == ConstraintKind::None) continue;
        const double altitude = altitude_of(i);
        bool ends = false;
        if (kind == ConstraintKind::AtOrAbove)
            ends = end.index >= 1 && per_nm > 0.0 && altitude > end.altitude + since * per_nm;
        else
            // Below an earlier one behind the aircraft too, when the aircraft
            // is above it: the descent from that one is not flown yet.
            ends = under_an_earlier_one(v.altitude_ft > altitude + 100.0 ? 1 : floors_from, i) ||
                   (!on_the_way_up(i) && !(climbing && climb_side(i)));
        if (!ends) continue;
        end = {i, altitude};
        since = 0.0;
        // One at or above the altitude flown comes first: no descent before it.
        result = altitude >= top ? DescentEnd{} : end;
    }
    return result;
}

} // namespace

bool ends_descent(const ProfileView& v, int k, double top) {
    ProfileView from = v;
    from.first = k;
    return descent_end_from(from, top, v.first).index == k;
}

bool caps_climb(const ProfileView& v, int k, double cruise) {
    const ConstraintKind kind = constraint_kind(active_plan[k]);
    if (kind == ConstraintKind::None || kind == ConstraintKind::AtOrAbove) return false;
    const double altitude = altitude_of(k);
    // Above it already, or at or above the cruise altitude: nothing to cap.
    if (!(altitude < cruise) || v.altitude_ft > altitude + 100.0 || under_an_earlier_one(v.first, k))
        return false;
    return on_the_way_up(k) || climb_side(k);
}

int climb_cap(const ProfileView& v, double cruise) {
    const int last = flown_last();
    for (int k = std::max(v.first, 1); k < last; ++k) {
        const ConstraintKind kind = constraint_kind(active_plan[k]);
        // At or above holds nothing; one the aircraft is above already is
        // behind it.
        if (kind == ConstraintKind::None || kind == ConstraintKind::AtOrAbove ||
            v.altitude_ft > altitude_of(k) + 100.0)
            continue;
        return caps_climb(v, k, cruise) ? k : 0;
    }
    return 0;
}

double climb_level(const ProfileView& v, double cruise) {
    const DescentEnd end = descent_end(v, cruise);
    if (end.index < 1) return cruise;
    const double level = afforded_level(v.altitude_ft, distance_to(v, end.index), end.altitude);
    return std::min(cruise, std::floor(level / 100.0 + 1e-6) * 100.0);
}
