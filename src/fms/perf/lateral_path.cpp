#include "fms/perf/lateral_path.h"

#include "data/module_settings.h"
#include "fms/guidance/hold_racetrack.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/math/nav_math.h"
#include "fms/perf/flown_route.h"
#include "fms/plan/plan_legs.h"
#include "fms/plan/route_plan.h"
#include "sim/aircraft_state.h"

#include <algorithm>
#include <cmath>

namespace {

double nm_between(const PathSpot& a, const PathSpot& b, double* course = nullptr) {
    double d = 0.0, c = 0.0;
    gc_dist_course(a.lat, a.lon, b.lat, b.lon, &d, &c);
    if (course != nullptr) *course = c;
    return d;
}

PathSpot toward(const PathSpot& from, const PathSpot& to, double nm) {
    PathSpot p;
    gc_point_toward(from.lat, from.lon, to.lat, to.lon, nm, &p.lat, &p.lon);
    return p;
}

PathSpot spot(int i) {
    return PathSpot{active_plan[i].lat, active_plan[i].lon};
}

double turn_between(double in_course, double out_course) {
    double turn = std::fabs(out_course - in_course);
    if (turn > 180.0) turn = 360.0 - turn;
    return turn;
}

// LNAV's switching distance at place i between legs on these true courses,
// the turn anticipated (as sequencing takes it once the place is near).
double switch_at(int i, double in_course, double out_course) {
    return std::max(0.0, switching_distance(active_plan[i], turn_between(in_course, out_course), true));
}

// The most ground speed a sharp turn is reckoned at: one ahead is flown
// slowed for the descent or the approach, and reckoned at the speed flown
// now far out, its turn would be wider than the one flown, and the T/D laid
// for it late (a turn of 160 degrees flown at 213 kt was reckoned at 366 kt:
// 8 NM more than the aircraft flew). In steps, so that a speed wavering by a
// knot does not make the path again.
constexpr double kCornerTurnMostKt = 250.0;
constexpr double kTurnSpeedStepKt = 5.0;
double turn_speed_kt() {
    const double kt = hold_speed_kt(std::min(aircraft_state.ground_speed_kt, kCornerTurnMostKt));
    return std::round(kt / kTurnSpeedStepKt) * kTurnSpeedStepKt;
}

// A turn at the far end of a leg out this small cuts nothing worth leaving
// the leg's far half to; it leaves it in full from twice this.
constexpr double kStraightOnDeg = 10.0;

// How far along the leg out of `corner` (to `next`, `out` NM long) LNAV
// joins it when it switches `s` before the corner: about as far as it
// switched, but short of where it leaves the leg again for the turn at
// `next`. Where `next` turns little or ends the route the whole leg is room:
// on a leg out shorter than the switching distance LNAV steers for a point
// past its end and meets it there, not halfway along.
double join_after(int corner, int next, double s, double out) {
    const int last = flown_last();
    double share = 0.0; // of the next corner's own switching distance
    double next_switch = 0.0;
    if (next >= 1 && next < last) {
        const int after = next_place(active_plan, next + 1, last);
        if (after >= 0) {
            double in_course = 0.0, out_course = 0.0;
            nm_between(spot(corner), spot(next), &in_course);
            nm_between(spot(next), spot(after), &out_course);
            const double turn = turn_between(in_course, out_course);
            share = std::clamp((turn - kStraightOnDeg) / kStraightOnDeg, 0.0, 1.0);
            next_switch = switch_at(next, in_course, out_course);
        }
    }
    return std::min(s, out - share * std::min(next_switch, out / 2.0));
}

PathCorner corner_of(int corner, const PathSpot& from, int next, double speed_kt) {
    PathCorner c;
    c.index = corner;
    c.next = next;
    c.from = from;
    c.in_nm = nm_between(from, spot(corner), &c.in_course);
    if (next < 0) {
        c.out_course = c.in_course;
        c.switch_nm = switch_at(corner, c.in_course, c.out_course);
        return c;
    }
    c.exists = true;
    c.out_nm = nm_between(spot(corner), spot(next), &c.out_course);
    c.turn_deg = turn_between(c.in_course, c.out_course);
    c.switch_nm = switch_at(corner, c.in_course, c.out_course);
    c.a = std::min(c.switch_nm, c.in_nm / 2.0);
    c.b = join_after(corner, next, c.switch_nm, c.out_nm);
    c.a_point = toward(spot(corner), from, c.a);
    c.b_point = toward(spot(corner), spot(next), c.b);
    c.chord = nm_between(c.a_point, c.b_point);
    // The turn as the legs meet at the place (the leg in's course there).
    double back = 0.0, ahead = 0.0;
    nm_between(spot(corner), from, &back);
    nm_between(spot(corner), spot(next), &ahead);
    double turn = std::fmod(std::fabs(ahead - (back + 180.0)), 360.0);
    if (turn > 180.0) turn = 360.0 - turn;
    if (turn > 90.0) {
        // Sequenced well before a sharp turn at a speed that turns tightly,
        // the aircraft turns inside the legs: it flies the chord, or the arc
        // of its turn where that is longer, not back out to the fix.
        const double arc = hold_turn_radius_nm(speed_kt) * turn * 3.141592653589793 / 180.0;
        const double saving = c.a + c.b - c.chord;
        const double turned =
            saving > 1e-9 ? (c.a + c.b - std::min(c.a + c.b, std::max(c.chord, arc))) / saving : 1.0;
        c.kept = std::max((180.0 - turn) / 90.0, std::clamp(turned, 0.0, 1.0));
    }
    return c;
}

// What the path is made from: the places of the flown route and how each is
// flown, the TO and the active leg's start, the switching settings and the
// turn speed.
std::uint64_t path_key(const PathSpot& start, double speed_kt) {
    std::uint64_t h = 1469598103934665603ull;
    const auto mix = [&h](const void* data, std::size_t size) {
        const auto* bytes = static_cast<const unsigned char*>(data);
        for (std::size_t i = 0; i < size; ++i)
            h = (h ^ bytes[i]) * 1099511628211ull;
    };
    const int last = flown_last();
    const int head[] = {last, to_waypoint_index, AdjustTurnDistforAngle};
    mix(head, sizeof head);
    const double values[] = {start.lat, start.lon, speed_kt, WptChgDist, WptProcChgDist, FlyoverWptChgDist};
    mix(values, sizeof values);
    for (int i = 0; i <= last; ++i) {
        const RouteWaypoint& w = active_plan[i];
        const double place[] = {w.lat, w.lon};
        mix(place, sizeof place);
        const int flags[] = {w.flyover, static_cast<int>(entry_kind(w))};
        mix(flags, sizeof flags);
        mix(w.kind.data(), w.kind.size());
    }
    return h;
}

LateralPath made_path;

} // namespace

double PathCorner::cut() const {
    const double c = (a + b - chord) * kept;
    return std::isfinite(c) && c > 1e-6 ? c : 0.0;
}

const PathCorner& LateralPath::at(int i) const {
    static const PathCorner none;
    return i >= 0 && i < static_cast<int>(corners.size()) ? corners[static_cast<std::size_t>(i)] : none;
}

PathCorner path_corner(int corner, const PathSpot& from, int next) {
    return corner_of(corner, from, next, turn_speed_kt());
}

const LateralPath& lateral_path() {
    const GeoPosition leg_start = active_leg_start();
    const PathSpot start{leg_start.lat, leg_start.lon};
    const double speed = turn_speed_kt();
    const std::uint64_t key = path_key(start, speed);
    if (made_path.built && made_path.key == key) return made_path;
    LateralPath p;
    p.key = key;
    p.built = true;
    p.to = to_waypoint_index;
    p.last = flown_last();
    if (p.last >= 1) {
        p.corners.resize(static_cast<std::size_t>(p.last) + 1);
        for (int i = 1; i < p.last; ++i) {
            if (!is_place(active_plan[i])) continue;
            const int before = previous_place(active_plan, i);
            if (before < 0) continue;
            p.corners[static_cast<std::size_t>(i)] =
                corner_of(i, spot(before), next_place(active_plan, i + 1, p.last), speed);
        }
        if (p.to >= 1 && p.to <= active_plan_last)
            p.to_corner =
                corner_of(p.to, start, p.to < p.last ? next_place(active_plan, p.to + 1, p.last) : -1, speed);
    }
    made_path = std::move(p);
    return made_path;
}
