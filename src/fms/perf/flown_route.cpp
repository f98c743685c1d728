#include "fms/perf/flown_route.h"

#include "fms/perf/lateral_path.h"

#include "data/module_settings.h"
#include "fms/guidance/hold_racetrack.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/math/nav_math.h"
#include "fms/plan/entry_marks.h"
#include "fms/plan/holds.h"
#include "fms/procedures/airport_detail.h"
#include "sim/aircraft_state.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

double distance_ahead_to(int k) {
    const int to = to_waypoint_index;
    if (to < 1 || to > active_plan_last || k < to || k > active_plan_last) return 0.0;
    const AircraftState& a = aircraft_state;
    const RouteWaypoint& w = active_plan[to];
    // The active leg from the aircraft's place along it, as the T/D is placed
    // on the legs: an aircraft swung wide of a sharp turn is as far along as
    // the point abeam it, not as far as the straight line to the TO. One past
    // the TO's abeam has that much to come back.
    const GeoPosition start = active_leg_start();
    double straight = 0.0, leg = 0.0, leg_course = 0.0, out = 0.0, course = 0.0;
    gc_dist_course(a.plat, a.plon, w.lat, w.lon, &straight, &course);
    gc_dist_course(start.lat, start.lon, w.lat, w.lon, &leg, &leg_course);
    gc_dist_course(start.lat, start.lon, a.plat, a.plon, &out, &course);
    const double along = out * std::cos((course - leg_course) * 3.141592653589793 / 180.0);
    const double abeam = leg > 0.5 && std::isfinite(along) ? std::fabs(leg - along) : straight;
    // Beside the leg by a hair the straight line stands (exactly as before);
    // and wherever LNAV flies straight to the TO.
    const double on_leg =
        flies_straight_to_to() ? straight : straight - std::max(0.0, straight - abeam - 0.05);
    return route_distance_from(active_plan, a.plat, a.plon, to, k) - straight + on_leg;
}

namespace {

using Spot = PathSpot;

double nm_between(const Spot& a, const Spot& b, double* course = nullptr) {
    double d = 0.0, c = 0.0;
    gc_dist_course(a.lat, a.lon, b.lat, b.lon, &d, &c);
    if (course != nullptr) *course = c;
    return d;
}

// How far p stands along the line from `from` towards `to` (NM, negative
// behind `from`).
double along(const Spot& from, const Spot& to, const Spot& p) {
    double line_course = 0.0, course = 0.0;
    nm_between(from, to, &line_course);
    const double d = nm_between(from, p, &course);
    return d * std::cos((course - line_course) * 3.141592653589793 / 180.0);
}

Spot spot(int i) {
    return Spot{active_plan[i].lat, active_plan[i].lon};
}

using Corner = PathCorner;

} // namespace

double cut_from(int i, int k) {
    if (i < 0 || i > k) return 0.0;
    const int to = to_waypoint_index;
    const double s = std::max(0.0, switch_distance);
    const LateralPath& path = lateral_path();
    // From the TO on, the first turn is taken from where the aircraft is;
    // every other is the path's own.
    bool from_aircraft = !(i > to && to >= 0);
    double cut = 0.0;
    while (i < k) {
        const int next = next_place(active_plan, i + 1, k);
        if (next < 0) break;
        if (is_place(active_plan[i])) {
            cut += from_aircraft ? path_corner(i, Spot{aircraft_state.plat, aircraft_state.plon}, next).cut()
                                 : path.at(i).cut();
            from_aircraft = false;
        }
        i = next;
    }
    if (k < flown_last()) cut += s;
    return cut;
}

double sharp_corner_cut(int i) {
    if (i < 1 || i > active_plan_last || !is_place(active_plan[i])) return 0.0;
    const PathCorner& c = lateral_path().at(i);
    return c.exists && c.turn_deg > 90.0 ? c.cut() : 0.0;
}

double switch_before(int k) {
    const int last = flown_last();
    if (k < 1 || k >= last || !is_place(active_plan[k])) return 0.0;
    const PathCorner& c = lateral_path().at(k);
    return c.exists ? c.a : 0.0;
}

double distance_to_meet(int k) {
    const double d = distance_ahead_to(k);
    if (d <= 0.0) return 0.0;
    // The turns before k are flown inside the legs (a TOD measured along
    // them alone comes too late to meet k).
    return std::max(0.0, d - cut_from(to_waypoint_index, k));
}

namespace {

// What is left of the corner's chord for an aircraft still on the leg in:
// its progress along the chord, at most the whole chord. A corner that turns
// back onto its leg in has no chord and no direction to measure along.
double chord_left_before(const Corner& c, const Spot& here) {
    if (c.chord < 1e-3) return 0.0;
    return c.chord - std::clamp(along(c.a_point, c.b_point, here), 0.0, c.chord);
}

// The distance to b_point for an aircraft whose TO is the place after the
// corner: no more than the straight line to it, nor than its share of the
// leg out by how far it stands along it (x): on the chord the part of it
// still to fly, behind a_point's abeam that much more, past b_point less than
// 0. Both fall whenever the aircraft flies towards the TO from short of
// b_point, wherever it is, and the second ends at 0 where it passes b_point
// however far off the leg. The chord's own direction is no measure off it:
// nearly square to the leg out in a sharp turn, and none in a reversal.
double corner_left_after(const Corner& c, int corner, int next, const Spot& here) {
    const double x = along(spot(corner), spot(next), here);
    if (x >= c.b) return c.b - x;
    const double x_a = along(spot(corner), spot(next), c.a_point);
    const double span = c.b - x_a; // the chord's length along the leg out
    const double share = !(span > 1e-6) ? c.b - x
                         : x >= x_a     ? c.chord * (c.b - x) / span
                                        : c.chord + (x_a - x);
    return std::min(share, nm_between(here, c.b_point));
}

// What is left to fly of a corner with `chord_left` of its chord still ahead:
// its share of the turn in the corner, where the turn takes back what the
// chord saves, and all that the turn takes back beyond the chord.
double flown_left(const Corner& c, double chord_left) {
    const double extra = c.flown() - c.chord;
    if (!(extra > 0.0)) return chord_left;
    if (!(c.chord > 1e-3)) return chord_left + extra;
    return std::min(chord_left * c.flown() / c.chord, chord_left + extra);
}

} // namespace

namespace {

// Whether LNAV is turning the aircraft around onto the active leg (from
// `start` to entry `to`): its true heading more than a right angle off the
// leg's course at both ends. So it is inside a sharp corner whose leg out it
// sequenced as well (shorter than the switching distance), the corner no
// longer the FROM's; or turning for a leg behind it. A hold's pattern flies
// against its leg by design.
bool heading_against_leg(const Spot& start, int to) {
    if (lnav_engaged != 1 || (hold_armed != 0 && holding_active != 0)) return false;
    double out = 0.0, back = 0.0;
    nm_between(start, spot(to), &out);
    nm_between(spot(to), start, &back);
    const double heading = aircraft_state.map_heading_deg;
    const auto off = [heading](double course) {
        const double d = std::fmod(std::fabs(heading - course), 360.0);
        return d > 180.0 ? 360.0 - d : d;
    };
    return off(out) > 90.0 && off(back + 180.0) > 90.0;
}

// Whether LNAV, flying straight to the TO, is turning the aircraft around
// towards it: its true heading more than a right angle off the course to it.
bool heading_away_from_to(int to) {
    if (lnav_engaged != 1) return false;
    double course = 0.0;
    nm_between(Spot{aircraft_state.plat, aircraft_state.plon}, spot(to), &course);
    const double d = std::fmod(std::fabs(aircraft_state.map_heading_deg - course), 360.0);
    return (d > 180.0 ? 360.0 - d : d) > 90.0;
}

// Where the aircraft in a corner just sequenced joins the leg out (its
// corner's end): how far along the legs and along the path, when it is in one
// of a right angle or less.
struct CornerExit {
    bool exists = false;
    double legs_nm = 0.0, path_nm = 0.0;
};

// The walk of the path LNAV flies from the aircraft up to entry k (clamped
// to the last entry flown): `each` sees the TO and every place after it,
// through the place itself. False without a TO or with k behind it; else
// `in_course_out` is the true course of the leg into the last place seen.
// The profile's measure (`profile`) is never longer than the legs inside a
// corner past a right angle just sequenced: turning back there, the
// aircraft's place says little of the turn still to fly (the descent's own
// path eases through it). `exit` gets where an aircraft in a corner of a
// right angle or less, just sequenced, joins the leg out.
template <class Each>
bool walk_path(int k, bool* turning_back, double* in_course_out, Each each, bool profile = true,
               CornerExit* exit = nullptr) {
    if (turning_back != nullptr) *turning_back = false;
    const int to = to_waypoint_index;
    const int last = flown_last();
    if (to < 1 || to > active_plan_last || last < 1 || k < to) return false;
    k = std::min(k, last);
    const Spot here{aircraft_state.plat, aircraft_state.plon};
    const LateralPath& path = lateral_path();
    const Spot prev = path.to_corner.from;
    double in_course = path.to_corner.in_course;
    const double leg = path.to_corner.in_nm;
    // Flown straight to the TO, the aircraft is as far as the line to it;
    // else as far as it stands along the leg it intercepts.
    const bool straight = flies_straight_to_to();
    double d = straight ? nm_between(here, spot(to)) : leg - along(prev, spot(to), here);
    // Just past a corner at the leg's start the aircraft flies its chord
    // until it joins the leg; off the leg (doubling back, joining, turning
    // around) it is as far as it stands along it.
    const int from = previous_place(active_plan, to);
    bool sharp = false;
    double exit_to_leg_end = -1.0; // from the corner's end on to the TO
    double join_extra = 0.0;       // a turn past a fix joins the leg after the next place
    if (direct_to_active != 1 && !straight && from >= 1) {
        const Corner& c = path.from_corner(from);
        if (c.exists && c.next == to && c.past_fix()) {
            // In a turn past the FROM: what is left of it as LNAV flies it,
            // then the leg out on from where it is established.
            const double left = c.turn_nm - turn_progress(c, here, aircraft_state.map_heading_deg);
            if (left > 0.0) {
                d = left + leg - c.b;
                join_extra = c.join_extra;
                if (exit != nullptr) {
                    exit->path_nm = left;
                    exit_to_leg_end = leg - c.b;
                }
            }
        } else if (c.exists && c.next == to) {
            const double left = corner_left_after(c, from, to, here);
            d = (left > 0.0 ? flown_left(c, left) : left) + leg - c.b;
            sharp = left > 0.0 && c.turn_deg > 90.0;
            if (left > 0.0 && !sharp && exit != nullptr) {
                exit->path_nm = flown_left(c, left);
                exit_to_leg_end = leg - c.b;
            }
            if (turning_back != nullptr) *turning_back = left > 0.0 && c.turns_back();
        }
    }
    if (turning_back != nullptr && !*turning_back)
        *turning_back = straight ? heading_away_from_to(to) : heading_against_leg(prev, to);
    // Past the TO's abeam (not sequenced: in a hold, LNAV off) it has that
    // much to come back, as along the legs.
    d = std::fabs(d);
    double legs = distance_ahead_to(to);
    // Only in a corner past a right angle: in a gentler one the chord is
    // longer than the legs' measure abeam on the leg out, and cut to that the
    // distance fell at the sequencing (0.7 NM at a 50 degree turn), then stood
    // still while the aircraft flew the chord.
    if (profile && sharp) d = std::min(d, legs);
    if (exit_to_leg_end >= 0.0) {
        exit->exists = true;
        exit->legs_nm = legs - exit_to_leg_end;
    }
    for (int i = to;;) {
        const int next = i < k ? next_place(active_plan, i + 1, k) : -1;
        const Corner& c = path.ahead(i);
        in_course = c.in_course;
        if (next < 0 || !c.exists) {
            each(PathStop{i, legs, d});
            break;
        }
        const double out = c.out_nm;
        const double a = c.a;
        double after = 0.0;
        // In the corner already: past where LNAV leaves the leg in, and no
        // farther from the fix than the chord's ends. Swung wide of the leg
        // (abeam inside the corner, miles off it) the aircraft's place along
        // the chord says nothing: the path measured there fell by miles in
        // a pass, and the descent began that much early.
        if (c.past_fix() && i == to && d < a)
            after = c.turn_nm - (a - d) + out - c.b;
        else if (!c.past_fix() && i == to && d < a && nm_between(here, spot(i)) <= std::max(a, c.b))
            after = flown_left(c, chord_left_before(c, here)) + out - c.b;
        else
            after = d + c.flown() - a - c.b + out;
        after += join_extra;
        join_extra = c.past_fix() ? c.join_extra : 0.0;
        each(PathStop{i, legs, d, a, c.b, after - out + c.b, c.passed_nm});
        d = after;
        legs += out;
        i = next;
    }
    *in_course_out = in_course;
    return true;
}

} // namespace

void walk_path_stops(int k, void (*each)(const PathStop&, void*), void* context) {
    double in_course = 0.0;
    walk_path(k, nullptr, &in_course, [&](const PathStop& s) { each(s, context); });
}

double path_distance_to(int k, bool* turning_back) {
    double d = 0.0, in_course = 0.0;
    if (!walk_path(
            k, turning_back, &in_course, [&](const PathStop& s) { d = s.path_nm; }, false))
        return 0.0;
    // Up to where k is passed: its switching distance before it, however
    // short the leg in (LNAV sequences it there, and the rate aims there).
    const int last = flown_last();
    k = std::min(k, last);
    if (k < last) d -= lateral_path().ahead(k).switch_nm;
    return std::max(0.0, d);
}

double PathStop::passed_nm() const {
    // Where a turn past it comes nearest it.
    if (turn_passed_nm >= 0.0) return path_nm - corner_in_nm + turn_passed_nm;
    // Abeam the place, in the middle of its corner (its own place without
    // one).
    if (!(corner_in_nm > 0.0 || corner_out_nm > 0.0)) return path_nm;
    return (path_nm - corner_in_nm + corner_end_path_nm) / 2.0;
}

double path_distance_through(int k) {
    // Walked on past k, for its corner.
    double d = 0.0, in_course = 0.0;
    const int last = flown_last();
    if (k < to_waypoint_index || last < 1) return 0.0;
    walk_path(last, nullptr, &in_course, [&](const PathStop& s) {
        if (s.index <= k) d = s.passed_nm();
    });
    return d;
}

namespace {

// Points of the path at their place on the legs (legs NM, path NM from the
// aircraft), from the aircraft on up to entry k: each corner from where LNAV
// leaves the leg in to where it joins the leg out, the legs between. The
// path never runs back: a point behind the one before (the aircraft in a
// corner already) is skipped. `each(legs, path)` returns true to stop.
template <class Each> void walk_path_points(int k, Each each) {
    double legs = 0.0, path = 0.0, in_course = 0.0;
    bool done = false;
    const auto point = [&](double x, double y) {
        if (done || !(x > legs)) return;
        y = std::max(y, path);
        done = each(x, y);
        legs = x;
        path = y;
    };
    // In a corner just sequenced what the chord adds to the legs lies in
    // it, not spread over the leg out.
    CornerExit exit;
    bool first = true;
    const auto stop = [&](const PathStop& s) {
        if (first && exit.exists) point(exit.legs_nm, exit.path_nm);
        first = false;
        if (s.corner_in_nm > 0.0 || s.corner_out_nm > 0.0) {
            point(s.legs_nm - s.corner_in_nm, s.path_nm - s.corner_in_nm);
            point(s.legs_nm + s.corner_out_nm, s.corner_end_path_nm);
        } else {
            point(s.legs_nm, s.path_nm);
        }
    };
    walk_path(k, nullptr, &in_course, stop, true, &exit);
}

// `value` on from `from` (one measure) to `to` (the other) between two
// points of the path; straight on past the last one.
struct PathMapping {
    double value;
    bool from_path;
    double before_from = 0.0, before_to = 0.0, result = 0.0;
    bool found = false;
    bool operator()(double legs, double path) {
        const double f = from_path ? path : legs;
        const double t = from_path ? legs : path;
        if (f >= value) {
            const double span = f - before_from;
            const double ratio = span > 1e-9 ? (t - before_to) / span : 0.0;
            result = std::fabs(t - before_to - span) < 1e-3 ? on(value)
                     : span > 1e-9                          ? before_to + (value - before_from) * ratio
                                                            : t;
            found = true;
            return true;
        }
        before_from = f;
        before_to = t;
        return false;
    }
    // Off the corners the two run together, and where none was cut yet they
    // are one value: kept exact, not off by a rounding (an ETA row
    // truncates its tenths; a point's distance to itself reads up to a
    // ten-thousandth of a mile).
    double on(double v) const {
        const double apart = before_from - before_to;
        return std::fabs(apart) < 1e-3 ? v : v - apart;
    }
    double get() const { return found ? result : on(value); }
};

// The places behind the aircraft, nearest first: how far behind it along
// the legs (negative) and what LNAV cut off the corner there (none at one
// the aircraft has not reached). `each(legs, cut)` returns true to stop.
template <class Each> void walk_back(Each each) {
    const int to = to_waypoint_index;
    if (to < 1 || to > active_plan_last) return;
    const LateralPath& path = lateral_path();
    double legs = distance_ahead_to(to);
    for (int p = to;;) {
        const int before = previous_place(active_plan, p);
        if (before < 0) return;
        legs -= nm_between(spot(before), spot(p));
        const int first = previous_place(active_plan, before);
        const double cut = first >= 0 && legs < 0.0 ? path.at(before).cut() : 0.0;
        if (each(legs, cut)) return;
        p = before;
    }
}

} // namespace

double legs_nm_at_path(int k, double path_nm) {
    // Behind the aircraft: back along the legs flown, each corner passed
    // as LNAV cut it.
    if (!(path_nm > 0.0)) {
        double legs = path_nm;
        walk_back([&](double at, double cut) {
            if (!(at > legs)) return true;
            legs -= cut;
            return false;
        });
        return legs;
    }
    PathMapping m{path_nm, true};
    walk_path_points(k, [&](double legs, double path) { return m(legs, path); });
    return m.get();
}

double path_nm_at_legs(int k, double legs_nm) {
    if (!(legs_nm > 0.0)) {
        double path = legs_nm;
        walk_back([&](double at, double cut) {
            if (!(at > legs_nm)) return true;
            path += cut;
            return false;
        });
        return path;
    }
    PathMapping m{legs_nm, false};
    walk_path_points(k, [&](double legs, double path) { return m(legs, path); });
    return m.get();
}

double route_end_altitude() {
    const int last = flown_last();
    if (last < 0) return kNoConstraint;
    const RouteWaypoint& w = active_plan[last];
    if (predicted_altitude(w) > -900.0) return predicted_altitude(w);
    // A route that ends at a fix has no end of descent.
    if (w.type != "APT") return kNoConstraint;
    return airport_elevation_ft(w.ident);
}

double path_short_of_from() {
    const int to = to_waypoint_index;
    if (to < 2 || to > active_plan_last) return 0.0;
    const int from = previous_place(active_plan, to);
    const PathCorner& c = lateral_path().from_corner(from);
    if (direct_to_active != 1 && c.exists && c.next == to && c.past_fix()) {
        // Turning past it: short of where the turn comes nearest it.
        const Spot here{aircraft_state.plat, aircraft_state.plon};
        return std::max(0.0, c.passed_nm - turn_progress(c, here, aircraft_state.map_heading_deg));
    }
    const double short_of_it = distance_ahead_to(to) - flown_leg_nm(to);
    return short_of_it > 0.0 ? path_nm_at_legs(flown_last(), short_of_it) : 0.0;
}

double path_short_of_passing_from() {
    const int to = to_waypoint_index;
    if (to < 2 || to > active_plan_last || direct_to_active == 1) return 0.0;
    const int from = previous_place(active_plan, to);
    if (from < 1) return 0.0;
    const PathCorner& c = lateral_path().from_corner(from);
    if (!c.exists || c.next != to) return path_short_of_from();
    const Spot here{aircraft_state.plat, aircraft_state.plon};
    if (c.past_fix())
        return std::max(0.0, c.passed_nm - turn_progress(c, here, aircraft_state.map_heading_deg));
    // In the middle of the corner, as the path passes it.
    const double left = corner_left_after(c, from, to, here);
    return left > 0.0 ? std::max(0.0, flown_left(c, left) - c.flown() / 2.0) : 0.0;
}

bool point_in_turn(double path_nm, bool ahead, double* lat, double* lon, int* index) {
    const int to = to_waypoint_index;
    const int last = flown_last();
    if (!(path_nm >= 0.0) || to < 1 || to > active_plan_last || last < 1) return false;
    const LateralPath& path = lateral_path();
    const auto put = [&](const PathCorner& c, double into, int entry) {
        const PathSpot p = ::point_in_turn(c, into);
        *lat = p.lat;
        *lon = p.lon;
        if (index != nullptr) *index = entry;
        return true;
    };
    // In the turn past the FROM still.
    const int from = previous_place(active_plan, to);
    if (!ahead && direct_to_active != 1 && from >= 1) {
        const PathCorner& c = path.from_corner(from);
        if (c.exists && c.next == to && c.past_fix()) {
            const double progress = turn_progress(c, Spot{aircraft_state.plat, aircraft_state.plon},
                                                  aircraft_state.map_heading_deg);
            if (path_nm < c.turn_nm - progress) return put(c, progress + path_nm, to);
            // On in the join onto the leg after the TO, sequenced on the way.
            if (!c.join_steps.empty() && path_nm < c.turn_nm - progress + c.join_steps.back().flown)
                return put(c, progress + path_nm, c.join_to);
        } else if (c.exists && c.next == to && c.turn_deg <= 90.0) {
            // In the corner cut before the FROM: on the aircraft's way round
            // it to where it is on the leg out, not at the fix it cuts
            // inside of (half a mile and more aside).
            const Spot here{aircraft_state.plat, aircraft_state.plon};
            const double left = corner_left_after(c, from, to, here);
            const double flown = left > 0.0 ? flown_left(c, left) : 0.0;
            if (path_nm < flown) {
                gc_point_toward(here.lat, here.lon, c.b_point.lat, c.b_point.lon,
                                path_nm / flown * nm_between(here, c.b_point), lat, lon);
                if (index != nullptr) *index = to;
                return true;
            }
        }
    }
    if (!ahead || !turns_reckoned_as_flown()) return false;
    // In a turn past a place ahead.
    bool found = false;
    for_each_path_stop(last, [&](const PathStop& stop) {
        const double start = stop.path_nm - stop.corner_in_nm;
        if (found || stop.turn_passed_nm < 0.0 || path_nm < start || path_nm > stop.corner_end_path_nm)
            return;
        const PathCorner& c = path.ahead(stop.index);
        if (!c.past_fix()) return;
        const double into = path_nm - start;
        found = put(c, into, into < c.passed_nm ? stop.index : c.next);
    });
    return found;
}
