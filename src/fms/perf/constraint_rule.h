// Which altitude constraints hold the climb and which end the descent: the
// one rule the vertical profile is built by (vertical_profile.h). VNAV and
// the pages read the roles, the TOC and the TOD from the profile, so that what
// the pages show is what the aircraft flies.
//
// An altitude is one to meet at its fix, whoever set it (the pilot or an
// approach). Where it stands decides what it does, read once from the origin
// so that it keeps its role while the aircraft flies:
// - Before the point where the climb from the origin reaches the level the
//   route affords, or before one at or above the cruise altitude, it caps
//   the climb: the climb levels at it until the fix is passed, then goes on.
// - Past that point it ends a descent segment: the descent comes down to it,
//   and the next one starts from it.
// - One below a cap before it is met on the way down, not by coming down
//   and climbing again: it ends a descent, and so does every one after it.
// - The descent only comes down: one above an end before it is passed under.
// - One at or above the cruise altitude is flown at the level: nothing before
//   it descends, and nothing after it caps a climb. What would end a descent
//   before it is passed over.
// - The climb goes no higher than the level from which the rest of the route
//   can still be descended: there the top of climb and top of descent meet.
// - A route whose end has no altitude (a last fix that is not the
//   destination airport) has no end of descent: nothing descends to it.
// Distances are along the plan's legs, as the TOD is placed; where the climb
// reaches the level is found in whole NM, as the TOC is.
#pragma once

#include "fms/plan/route_plan.h"

#include <array>
#include <cmath>

// The altitude tolerances of the vertical rule, in ft, each for one reading.
// Within this of a constraint's altitude or a target the aircraft is at it,
// not above or below: a cap it is at still holds the climb, and a level the
// autopilot holds within it is the level.
inline constexpr double kSameLevelFt = 100.0;
// The T/C is reached this far below the cruise altitude: the autopilot's
// capture rounds the last of the climb off, and waiting for the level itself
// would pass the T/C late.
inline constexpr double kLevelReachedFt = 150.0;
// The target over the destination airport, reached at the cruise altitude,
// stands this far above the level (the destination rule).
inline constexpr double kAirportOverLevelFt = 200.0;
// VNAV's descent to the destination airport aims this far above the field:
// the last of it, to the runway, is the pilot's.
inline constexpr double kAboveFieldFt = 200.0;
// The step the level the route affords is taken in: the one the pilot reads
// on the altitude selector. The profile's level and VNAV's climb target are
// that stepped level, one value.
inline constexpr double kAffordedLevelStepFt = 100.0;
inline double level_step_down(double ft) {
    return std::floor(ft / kAffordedLevelStepFt + 1e-6) * kAffordedLevelStepFt;
}

// Climb or descent distance (NM) for an altitude change at a rate and a TAS;
// 0 when the rate or the speed gives no distance.
inline double phase_distance(double altitude_change, double rate_fpm, double tas_kt) {
    if (!(rate_fpm > 0.0) || !(tas_kt > 0.0)) return 0.0;
    return altitude_change / rate_fpm * (tas_kt / 60.0);
}

// The descent rate the profile is laid at: the one the last prediction
// chose, else the configured one.
double descent_rate();

enum class ConstraintRole {
    None,        // no altitude to meet
    CapsClimb,   // the climb levels at it until it is passed
    EndsDescent, // a descent segment ends at it
    AtLevel,     // at or above the cruise altitude: no descent before it
    PassedOver,  // flown past above or below it: it would make the path turn back
};

// Every entry's role for a cruise altitude, worked out in one walk of the
// flown route (entries 1 to the last but one; the last is the route's end).
struct ConstraintRoles {
    std::array<ConstraintRole, kPlanLastIndex + 1> role{};
    int last = -1; // flown_last()
    ConstraintRole operator[](int i) const {
        return i >= 0 && i <= kPlanLastIndex ? role[static_cast<std::size_t>(i)] : ConstraintRole::None;
    }
};
ConstraintRoles constraint_roles(double cruise);

// Where a profile is looked at from: an altitude, and the first entry ahead
// with the distances to it and beyond measured along the legs, either from
// the aircraft (through its TO waypoint) or from the origin.
struct ProfileView {
    double altitude_ft = 0.0;
    int first = 1;
    bool from_aircraft = true;
};
// From the aircraft and its TO waypoint (from the origin while there is no
// TO); `first` past the TO when asked.
ProfileView view_from_aircraft(int first = -1);
// From the origin at `altitude_ft`.
ProfileView view_from_origin(double altitude_ft);
double distance_to(const ProfileView& v, int k);

// The highest level a climb from `from_ft` can reach and still come down to
// `end_ft` within `distance_nm`, at the profile's climb and descent rates and
// speeds.
double afforded_level(double from_ft, double distance_nm, double end_ft);

// The climb rate (ft/min at the climb's mean TAS) of a climb to `top_ft`:
// `rate_fpm`, or less where VNAV could not hold that gradient up there. VNAV
// climbs on a straight line to the top at the climb speed, whose TAS grows
// with the altitude, and commands no more than MaxVnavClimbRate: near the top
// of a high climb the gradient of the mean rate would need more.
double vnav_climb_rate(double rate_fpm, double top_ft);

// Descent gradient of the profile, ft per NM (none: 0).
double descent_ft_per_nm();

struct DescentEnd {
    int index = -1; // -1: no descent is due (no end, or one at or above `top` first)
    double altitude = kNoConstraint;
};
// The end of the descent from `top` ft for the entries from v.first on: the
// first constraint that ends one, else the route's end when it has an
// altitude; none when that end is at or above `top`.
DescentEnd descent_end(const ProfileView& v, double top);

// The first entry from v.first that caps the climb; 0 when none does before
// a constraint that ends a descent or is flown at the level.
int climb_cap(const ProfileView& v, double cruise);

// That search over any reading of the roles (the rule's, or a profile's as
// built): entries first..last - 1, a cap the aircraft at `altitude_ft` is
// above already being behind it.
template <class RoleOf, class AltitudeOf>
int first_cap_ahead(int first, int last, double altitude_ft, RoleOf role_of, AltitudeOf altitude_of) {
    for (int k = first < 1 ? 1 : first; k < last; ++k) {
        switch (role_of(k)) {
        case ConstraintRole::CapsClimb:
            if (!(altitude_ft > altitude_of(k) + kSameLevelFt)) return k;
            break;
        case ConstraintRole::EndsDescent:
        case ConstraintRole::AtLevel:
            return 0;
        default:
            break;
        }
    }
    return 0;
}
// The level the climb from v goes to: the cruise altitude, or the afforded
// level (whole hundreds) when the route to the end of descent is too short;
// once an end of descent is behind v, no higher than v (whole hundreds) or
// the next end, whichever is higher.
double climb_level(const ProfileView& v, double cruise);
