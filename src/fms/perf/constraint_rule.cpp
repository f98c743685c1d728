#include "fms/perf/constraint_rule.h"

#include "data/aircraft_settings.h"
#include "data/module_settings.h"
#include "fms/math/air_data.h"
#include "fms/perf/flown_route.h"
#include "fms/perf/speed_targets.h"
#include "fms/plan/entry_marks.h"
#include "fms/plan/route_state.h"
#include "fms/plan/vertical_state.h"
#include "sim/aircraft_state.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// NM flown per ft of climb to `top_ft` or of descent; 0 without a rate or a
// speed.
double climb_nm_per_ft(double top_ft) {
    return phase_distance(1.0, vnav_climb_rate(ClimbRate, top_ft), climb_tas_target);
}

double descent_nm_per_ft() {
    return phase_distance(1.0, descent_rate(), descent_tas_target);
}

double altitude_of(int k) {
    return predicted_altitude(active_plan[k]);
}

// The level the roles of the descent are read against: the cruise altitude,
// or before one is set the altitude the descent would be from.
double level_for(double top) {
    return cruise_altitude > 0 ? double(cruise_altitude) : top;
}

} // namespace

double descent_rate() {
    return descent_rate_used_fpm > 0.0 ? descent_rate_used_fpm : DescentRate;
}

ConstraintRoles constraint_roles(double cruise) {
    ConstraintRoles r;
    const int last = flown_last();
    r.last = last;
    if (last < 1) return r;
    const double origin = std::max(0.0, altitude_of(0));
    double route = 0.0;
    for (int i = 1; i <= last; ++i)
        route += flown_leg_nm(i);
    const double end = route_end_altitude();
    const double level = end > kNoConstraint ? std::min(cruise, afforded_level(origin, route, end)) : cruise;
    // Where the climb from the origin reaches that level, in whole NM along
    // the legs counted whole after each leg, as the TOC scan counts them
    // (without a climb rate and speed: at the origin).
    const double top_nm = std::trunc((level - origin) * climb_nm_per_ft(level));
    int last_at_level = 0;
    for (int i = 1; i < last; ++i)
        if (holds_altitude(active_plan[i]) && altitude_of(i) >= cruise) last_at_level = i;

    bool climbing = true;
    double cap = -std::numeric_limits<double>::infinity();
    double lowest_end = std::numeric_limits<double>::infinity();
    double along = 0.0;
    for (int i = 1; i < last; ++i) {
        along = std::trunc(along + flown_leg_nm(i));
        if (!holds_altitude(active_plan[i])) continue;
        ConstraintRole& role = r.role[static_cast<std::size_t>(i)];
        const double h = altitude_of(i);
        if (h >= cruise) {
            role = ConstraintRole::AtLevel;
            climbing = false;
        } else if (climbing && (along < top_nm || i < last_at_level) && h + kSameLevelFt >= cap) {
            role = ConstraintRole::CapsClimb;
            cap = std::max(cap, h);
        } else {
            climbing = false;
            if (i < last_at_level || h > lowest_end) {
                role = ConstraintRole::PassedOver;
            } else {
                role = ConstraintRole::EndsDescent;
                lowest_end = h;
            }
        }
    }
    return r;
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
    if (v.from_aircraft) return distance_ahead_to(k);
    double d = 0.0;
    for (int i = 1; i <= k; ++i)
        d += flown_leg_nm(i);
    return d;
}

double afforded_level(double from_ft, double distance_nm, double end_ft) {
    const double down = descent_nm_per_ft();
    // The climb's gradient depends on its top: the level where climb and
    // descent meet, found again from the level found (a few passes settle it
    // within a foot, the gradient changing slowly with the top).
    double level = std::numeric_limits<double>::infinity();
    for (int pass = 0; pass < 4; ++pass) {
        const double up = climb_nm_per_ft(level);
        if (!(up + down > 0.0)) return std::max(from_ft, end_ft);
        level = (distance_nm + from_ft * up + end_ft * down) / (up + down);
    }
    return level;
}

double vnav_climb_rate(double rate_fpm, double top_ft) {
    if (!(MaxVnavClimbRate > 0.0) || !(climb_speed_target > 0) || !(climb_tas_target > 0.0) ||
        !std::isfinite(top_ft))
        return rate_fpm;
    // The rate the line needs is highest at the top, where the TAS is.
    const double top_tas = ias_to_tas(climb_speed_target, std::max(0.0, top_ft));
    return top_tas > 0.0 ? std::min(rate_fpm, MaxVnavClimbRate * climb_tas_target / top_tas) : rate_fpm;
}

double descent_ft_per_nm() {
    const double down = descent_nm_per_ft();
    return down > 0.0 ? 1.0 / down : 0.0;
}

DescentEnd descent_end(const ProfileView& v, double top) {
    const ConstraintRoles roles = constraint_roles(level_for(top));
    if (roles.last < 1) return {};
    // One flown at the level is passed at it: the descent is to the end
    // after it (the roles leave none before it).
    for (int k = std::max(v.first, 1); k < roles.last; ++k) {
        if (roles[k] == ConstraintRole::EndsDescent)
            return altitude_of(k) < top ? DescentEnd{k, altitude_of(k)} : DescentEnd{};
    }
    const double end = route_end_altitude();
    return end > kNoConstraint && end < top ? DescentEnd{roles.last, end} : DescentEnd{};
}

int climb_cap(const ProfileView& v, double cruise) {
    const ConstraintRoles roles = constraint_roles(cruise);
    return first_cap_ahead(
        v.first, roles.last, v.altitude_ft, [&](int k) { return roles[k]; }, altitude_of);
}

double climb_level(const ProfileView& v, double cruise) {
    // Past an end of descent the rest of the route only comes down: the
    // climb goes no higher than the altitude flown, or than the next end
    // when the pilot held the aircraft below it (it climbs back to the path).
    const ConstraintRoles roles = constraint_roles(cruise);
    const DescentEnd end = descent_end(v, cruise);
    for (int k = 1; k < std::min(v.first, roles.last); ++k)
        if (roles[k] == ConstraintRole::EndsDescent)
            return std::min(cruise, std::max(level_step_down(v.altitude_ft), end.altitude));
    if (end.index < 1) return cruise;
    const double level = afforded_level(v.altitude_ft, distance_to(v, end.index), end.altitude);
    return std::min(cruise, level_step_down(level));
}
