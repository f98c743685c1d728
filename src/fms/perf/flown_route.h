// The active route as the vertical profile measures it: only entries the
// aircraft flies to count, so a route activated before its destination was
// entered ends at its last waypoint, not at 0N 0E.
#pragma once

#include "fms/plan/plan_legs.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_walk.h"

#include <type_traits>

// The last entry of the active plan that is flown to; -1 when no entry after
// the origin is.
inline int flown_last() {
    const int end = route_end(active_plan, active_plan_last);
    return end >= 1 ? end : -1;
}

// An entry index clamped to the flown route (the end of the descent that
// EXEC or a route file named may be an entry that is not flown).
inline int within_flown(int i) {
    const int last = flown_last();
    return i >= 1 && i <= last ? i : last;
}

// Length (NM) of the flown leg into entry i; 0 into an entry not flown.
inline double flown_leg_nm(int i, double* course = nullptr) {
    if (is_unflown(active_plan[i])) {
        if (course != nullptr) *course = 0.0;
        return 0.0;
    }
    return leg_into_nm(active_plan, i, course);
}

// Length (NM) of the flown route from the origin to entry `last`, the whole
// route a cruise altitude is planned for.
inline double flown_route_nm(int last) {
    double route = 0.0;
    for (int i = 1; i <= last; ++i)
        route += flown_leg_nm(i);
    return route;
}

// An altitude the profile must meet at the entry: the pilot's or an
// approach leg's. A discontinuity that carries the next fix's constraint is
// met at that fix, which carries it too.
inline bool holds_altitude(const RouteWaypoint& w) {
    return is_place(w) && w.altitude_kind != AltitudeKind::None;
}

// The pilot's constraint: its speed is flown to the entry.
inline bool typed_by_pilot(const RouteWaypoint& w) {
    return w.altitude_kind == AltitudeKind::Pilot;
}

// The altitude the route ends at: its last entry's, or where that has none
// (-999, as an approach insertion leaves the destination) the destination
// airport's elevation; none (-999) for any other entry without one.
double route_end_altitude();

// Along the flown route from the present position through the TO waypoint
// to entry k (NM); 0 when k lies behind the TO waypoint.
double distance_ahead_to(int k);

// The distance over which the altitude of entry k is to be met: up to the
// point where k is passed (its switching distance before it), or up to the
// last entry itself, less what LNAV cuts off the turns before it.
double distance_to_meet(int k);

// What LNAV cuts off the legs from entry i (the aircraft's position when i is
// the TO waypoint) to entry k: the turns at the places from i on, and the
// switching distance before k unless k is the last entry.
double cut_from(int i, int k);

// What LNAV saves at the corner of entry i when it turns there past a right
// angle (0 at any other entry): such a turn is sequenced early and flown
// inside the legs, so a descent laid back over the legs across it would be
// flown that much shorter than it was placed for.
double sharp_corner_cut(int i);

// Where LNAV sequences entry k: its switching distance before it (with the
// turn anticipated there), at most half the leg into it; 0 at the last entry
// flown, which is met where the route ends.
double switch_before(int k);

// The distance still to fly to entry k along the path LNAV flies: the active
// leg from the aircraft's place along it, then the legs with each corner cut
// on the chord from the switching distance before the place to as far after
// it (at most half of each leg), up to where k is passed (its switching
// distance before it) or up to the last entry itself. Unlike the distance
// through the TO waypoint it runs on smoothly when the TO is sequenced: the
// aircraft in a corner is measured along its chord both before and after.
// After the corner it is measured by how far it stands along the leg out (the
// chord its share of it), so off the leg too, doubling back, joining it or
// turning around, the distance never grows while it flies towards the TO.
// A corner past a right angle counts what its turn takes back, as the T/D's
// placement does; inside one after the TO is sequenced the aircraft's place
// says little of the turn still to fly, and `turning_back` says so; as it
// does while LNAV turns the aircraft around onto the active leg (heading
// more than a right angle off it, outside a hold's pattern).
double path_distance_to(int k, bool* turning_back = nullptr);

// The one measure of the vertical path: the distance LNAV flies. The level
// a short route affords, the T/C, the T/D, the E/D and the distances the
// pages and maps show are all taken along it, so that none of them moves when
// LNAV sequences a waypoint early for a turn (along the legs through the TO
// the rest of the route drops by the corner's cut at that moment).
//
// A place ahead on it: how far it lies from the aircraft along the legs
// (distance_ahead_to) and along the path LNAV flies, through the place itself
// (path_distance_to without the switching distance before it).
// Its corner, where it has one (not at the last place walked): LNAV leaves
// the leg in `corner_in_nm` before it, joins the leg out `corner_out_nm`
// after it, `corner_end_path_nm` along the path from the aircraft.
struct PathStop {
    int index = 0;
    double legs_nm = 0.0;
    double path_nm = 0.0;
    double corner_in_nm = 0.0;
    double corner_out_nm = 0.0;
    double corner_end_path_nm = 0.0;
    // A turn past it: how far into the turn it is passed (nearest); -1 for
    // a corner cut short of it.
    double turn_passed_nm = -1.0;
    // Where the aircraft passes it, along the path.
    double passed_nm() const;
};
// The TO and every place after it up to entry k, in order.
void walk_path_stops(int k, void (*each)(const PathStop&, void*), void* context);
template <class Each> void for_each_path_stop(int k, Each&& each) {
    walk_path_stops(
        k, [](const PathStop& s, void* c) { (*static_cast<std::remove_reference_t<Each>*>(c))(s); }, &each);
}
// Along the path LNAV flies to where it passes entry k: abeam it, in the
// middle of its corner; 0 behind the TO.
double path_distance_through(int k);
// Where a point `path_nm` along that path from the aircraft lies along the
// legs, up to entry k: a point in a corner in proportion between where LNAV
// leaves the leg in and joins the leg out, elsewhere as far along the legs as
// along the path from the corner before; behind the aircraft (negative) back
// along the legs flown, each corner passed as LNAV cut it.
double legs_nm_at_path(int k, double path_nm);
// And the other way: how far along the path a point `legs_nm` along the legs
// from the aircraft lies.
double path_nm_at_legs(int k, double legs_nm);

// How far along that path the aircraft still is short of the FROM, which
// LNAV sequenced early with no turn to cut (0 once abeam it or past it):
// an altitude to meet there is still met at the fix.
double path_short_of_from();
// How far along that path the aircraft still is short of where it passes the
// FROM: the middle of its corner, the point of a turn past it nearest it, or
// abeam it; 0 once there or past it.
double path_short_of_passing_from();

// A point `path_nm` along that path that lies in a turn past a fix (the
// FROM's, being flown, or with `ahead` one past a place ahead): where LNAV
// flies it there, and the entry it then flies to or is passing (before the
// fix is passed, the fix's). False for a point elsewhere.
bool point_in_turn(double path_nm, bool ahead, double* lat, double* lon, int* index);
