// Which altitude constraints hold the climb and which end the descent, read
// by their kind: the one rule that the profile prediction, the TOC and TOD,
// the VNAV targets, the descent page and the random-flight checker all ask,
// so that what the pages show is what the aircraft flies.
//
// - A pilot's altitude (shown "A") is at or above: met by any higher
//   altitude. It never holds the climb, and ends a descent only where the
//   path down to the next end would pass it below its altitude.
// - An approach leg's altitude is a plain one. It caps the climb while the
//   aircraft is below it and it lies on the climb's side: followed by a
//   constraint at or above it, or before the point where the climb from the
//   origin reaches the level the whole route affords. There it ends no
//   descent in the climb or the cruise, even once the pilot climbed past
//   it. Any other one (and, once the descent has begun, every one ahead)
//   ends the descent, and so does one below a constraint before it (ahead,
//   or behind while the aircraft is above this one): the climb must pass
//   that one first, and meets this one on the way down.
// - An end at or above the level flown allows no descent before it.
// - The climb goes no higher than the level from which the rest of the route
//   can still be descended: there the top of climb and top of descent meet.
// - A route whose end has no altitude (a last fix that is not the
//   destination airport) has no end of descent: nothing descends to it.
#pragma once

#include "fms/plan/route_plan.h"

// No entry carries an at-or-below altitude: the approach file's descriptors
// stay in the procedure tables.
enum class ConstraintKind { None, At, AtOrAbove };
ConstraintKind constraint_kind(const RouteWaypoint& w);

// Where a profile is looked at from: an altitude, and the first entry ahead
// with the distances to it and beyond measured either from the aircraft
// (through its TO waypoint, with the turns LNAV cuts) or along the plan's
// legs from the origin.
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

// Descent gradient of the profile, ft per NM (none: 0).
double descent_ft_per_nm();

struct DescentEnd {
    int index = -1; // -1: no descent is due (no end, or one at or above `top` first)
    double altitude = kNoConstraint;
};
// The end of the descent from `top` ft for the entries from v.first on: the
// first constraint that ends it, else the route's end when it has an
// altitude.
DescentEnd descent_end(const ProfileView& v, double top);
bool ends_descent(const ProfileView& v, int k, double top);

// Entry k caps the climb to `cruise` seen from v.
bool caps_climb(const ProfileView& v, int k, double cruise);
// The first entry from v.first that caps the climb; 0 when none does before
// a constraint that ends a descent.
int climb_cap(const ProfileView& v, double cruise);
// The level the climb from v goes to: the cruise altitude, or the afforded
// level (whole hundreds) when the route to the end of descent is too short.
double climb_level(const ProfileView& v, double cruise);
