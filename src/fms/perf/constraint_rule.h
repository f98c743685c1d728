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

// Within this of a constraint's altitude the aircraft is at it, not above.
inline constexpr double kSameLevelFt = 100.0;

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
