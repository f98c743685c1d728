#include "fms/perf/lateral_path.h"

#include "data/module_settings.h"
#include "fms/guidance/hold_racetrack.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/math/nav_math.h"
#include "fms/perf/flown_route.h"
#include "fms/plan/holds.h"
#include "fms/plan/plan_legs.h"
#include "fms/plan/route_plan.h"
#include "sim/aircraft_state.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

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
    return std::max(0.0, switching_distance(i, turn_between(in_course, out_course), true));
}

// The most ground speed a sharp turn is reckoned at: one ahead is flown
// slowed for the descent or the approach, and reckoned at the speed flown
// now far out, its turn would be wider than the one flown, and the T/D laid
// for it late (a turn of 160 degrees flown at 213 kt was reckoned at 366 kt:
// 8 NM more than the aircraft flew). In steps, so that a speed wavering by a
// knot does not make the path again.
constexpr double kCornerTurnMostKt = 250.0;
constexpr double kTurnSpeedStepKt = 5.0;
double stepped_kt(double kt) {
    return std::round(kt / kTurnSpeedStepKt) * kTurnSpeedStepKt;
}
double turn_speed_kt() {
    return stepped_kt(hold_speed_kt(std::min(aircraft_state.ground_speed_kt, kCornerTurnMostKt)));
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

double wrapped(double deg) {
    return deg - 360.0 * std::round(deg / 360.0);
}

constexpr double kTurnStepNm = 0.05;
constexpr double kTurnLongestNm = 40.0;
constexpr double kEstablishedOffNm = 0.05;
constexpr double kEstablishedDeg = 2.0;

// Off the leg out by more than this at its end (a leg out too short to join
// after a reversal), the aircraft joins the leg after from there: LNAV
// sequenced the place after on the way.
constexpr double kJoinOffNm = 1.0;

// LNAV's steering onto the leg from `fix` to `end` (true course `out_course`,
// `out_nm` long) from step `t`: the heading to the point its look-ahead
// ahead of the aircraft's place on the leg (3 NM within 3.5 NM of it, else 5,
// taken as steer_on_leg takes them), turned toward at the rate the autopilot
// keeps at that speed, until established on the leg (or at its end). Each
// step goes to `steps` when given.
struct Steered {
    TurnStep end;
    double along = 0.0; // on the leg, where the steering ended
    double off = 0.0;   // off it there
    double nearest_flown = 0.0;
};
Steered steer_onto(const PathSpot& fix, const PathSpot& end, double out_course, double out_nm, TurnStep t,
                   double radius_nm, std::vector<TurnStep>* steps) {
    const double most_turn = kTurnStepNm / radius_nm * 180.0 / 3.141592653589793;
    Steered s;
    double nearest = 1e18;
    const double first = t.flown;
    for (;; t.flown += kTurnStepNm) {
        double course = 0.0;
        const double to_fix = nm_between(fix, t.at, &course);
        const double angle = radians(course - out_course);
        s.along = to_fix * std::cos(angle);
        s.off = std::fabs(to_fix * std::sin(angle));
        if (to_fix < nearest) nearest = to_fix, s.nearest_flown = t.flown;
        if (steps != nullptr) steps->push_back(t);
        const double look_ahead = s.off > 0.0 && s.off <= 3.5 ? 3.0 : 5.0;
        const double steer_along = out_nm - nm_between(t.at, end) + look_ahead;
        double steer_course = 0.0;
        nm_between(t.at, toward(fix, end, steer_along), &steer_course);
        const double wanted = wrapped(steer_course - t.heading);
        if (s.along >= out_nm || (s.off < kEstablishedOffNm && std::fabs(wanted) < kEstablishedDeg) ||
            t.flown - first >= kTurnLongestNm)
            break;
        t.heading += std::clamp(wanted, -most_turn, most_turn);
        PathSpot moved;
        gc_destination_point(t.at.lat, t.at.lon, t.heading, kTurnStepNm, &moved.lat, &moved.lon);
        t.at = moved;
    }
    s.end = t;
    return s;
}

// LNAV's turn past a place, stepped as LNAV steers it: from where the place
// is sequenced (`c.a` before it on the leg in) onto the leg out (steer_onto).
// A turn that ends at the leg out's end still off it goes on onto the leg
// after: what that join flies beyond its progress along the leg after is
// `c.join_extra`.
void step_turn(PathCorner& c, double radius_nm, const TurnStep* start = nullptr) {
    const PathSpot fix = spot(c.index);
    const PathSpot end = spot(c.next);
    TurnStep t;
    t.at = toward(fix, c.from, c.a);
    nm_between(t.at, fix, &t.heading);
    if (start != nullptr) t = *start;
    c.steps.clear();
    const int last = flown_last();
    const int after = c.next >= 1 && c.next < last ? next_place(active_plan, c.next + 1, last) : -1;
    double after_course = 0.0;
    const double after_nm = after >= 0 ? nm_between(end, spot(after), &after_course) : 0.0;
    const Steered s = steer_onto(fix, end, c.out_course, c.out_nm, t, radius_nm, &c.steps);
    c.passed_nm = s.nearest_flown;
    c.turn_nm = s.end.flown;
    c.b = std::clamp(s.along, 0.0, c.out_nm);
    c.b_point = toward(fix, end, c.b);
    c.chord = nm_between(c.a_point, c.b_point);
    c.join_extra = 0.0;
    c.join_steps.clear();
    c.join_to = -1;
    if (s.along >= c.out_nm && s.off > kJoinOffNm && after >= 0) {
        TurnStep from_end = s.end;
        from_end.flown = 0.0;
        const Steered j =
            steer_onto(end, spot(after), after_course, after_nm, from_end, radius_nm, &c.join_steps);
        c.join_extra = std::max(0.0, j.end.flown - std::clamp(j.along, 0.0, after_nm) - (c.out_nm - c.b));
        c.join_to = after;
    }
}

// Where the turn past the place before still has the aircraft turning when
// this place is sequenced (a reversal onto a short leg): its heading there,
// not the leg's course, decides which way LNAV turns this one.
const TurnStep* still_turning(const PathCorner* before, const PathCorner& c) {
    if (before == nullptr || !before->past_fix() || before->next != c.index) return nullptr;
    const PathSpot fix = spot(c.index);
    for (const TurnStep& t : before->steps)
        if (nm_between(t.at, fix) <= c.a) return &t;
    return nullptr;
}

// Which way a stepped turn turns: +1 right, -1 left, 0 none.
int turn_side(const PathCorner& c) {
    for (std::size_t k = 1; k < c.steps.size(); ++k) {
        const double d = wrapped(c.steps[k].heading - c.steps[0].heading);
        if (std::fabs(d) > 1e-6) return d > 0.0 ? 1 : -1;
    }
    return 0;
}

PathCorner corner_of(int corner, const PathSpot& from, int next, double speed_kt,
                     const PathCorner* before = nullptr) {
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
    // Across a gap LNAV turns nothing (it lets go there, as sequencing
    // anticipates no turn).
    bool across_gap = false;
    for (int k = corner + 1; k < next; ++k)
        across_gap = across_gap || is_unflown(active_plan[k]);
    if (!across_gap && turns_past_entry(corner, c.turn_deg)) {
        step_turn(c, hold_turn_radius_nm(speed_kt));
        // The turn before still turning when this place is sequenced: its
        // heading then decides which way LNAV turns this one; where it
        // turns it the other way, the turn is stepped from there.
        if (const TurnStep* turning = still_turning(before, c)) {
            TurnStep start = *turning;
            start.flown = 0.0;
            PathCorner from_turning = c;
            step_turn(from_turning, hold_turn_radius_nm(speed_kt), &start);
            if (turn_side(from_turning) != turn_side(c)) c = std::move(from_turning);
        }
        return c;
    }
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
        const int flags[] = {w.flyover, static_cast<int>(entry_kind(w)), hold_mark(active_plan, i)};
        mix(flags, sizeof flags);
        mix(w.kind.data(), w.kind.size());
    }
    return h;
}

LateralPath made_path;

// The aircraft this near a turn past the FROM beyond its switching distance
// turns from where it is.
constexpr double kTurnFromAircraftNm = 2.0;

} // namespace

double PathCorner::cut() const {
    if (past_fix()) return a + b - turn_nm;
    const double c = (a + b - chord) * kept;
    return std::isfinite(c) && c > 1e-6 ? c : 0.0;
}

// On the leg out this far past the turn's end, or this far from every
// point of the turn, the aircraft has left it behind.
constexpr double kTurnLeftOnLegNm = 1.0;
constexpr double kTurnLeftBehindNm = 1.0;
// Or, in the turn the aircraft is flying, this far: its wind and its roll
// carry it off the turn stepped in still air.
constexpr double kTurnDriftNm = 4.0;
constexpr double kWindowBackNm = 0.5;
constexpr double kWindowAheadNm = 3.0;

double turn_progress(const PathCorner& c, const PathSpot& here, double heading) {
    if (!c.past_fix() || c.steps.empty()) return 0.0;
    const double reach = c.from_aircraft ? kTurnDriftNm : kTurnLeftBehindNm;
    const PathSpot fix = spot(c.index);
    double course = 0.0;
    const double to_fix = nm_between(fix, here, &course);
    const double along_out = to_fix * std::cos(radians(course - c.out_course));
    const double off_out = std::fabs(to_fix * std::sin(radians(course - c.out_course)));
    if ((along_out > c.b + kTurnStepNm && off_out < kTurnLeftOnLegNm) || to_fix > c.a + c.turn_nm + reach)
        return c.turn_nm;
    // The nearest point on a flat measure about the fix (the turn spans a
    // few miles), its heading counting. A reversal may be turned either way
    // (the autopilot takes the shorter way from the heading it has): the
    // aircraft's image across the leg in is matched as well.
    const double east = 60.0 * std::cos(radians(fix.lat));
    const auto flat = [&](const PathSpot& p, double* x, double* y) {
        *x = east * wrapped(p.lon - fix.lon);
        *y = 60.0 * (p.lat - fix.lat);
    };
    double back = 0.0;
    nm_between(fix, c.from, &back);
    const double dx = std::sin(radians(back)), dy = std::cos(radians(back));
    double hx = 0.0, hy = 0.0;
    flat(here, &hx, &hy);
    const double dot = hx * dx + hy * dy;
    const double mx = 2.0 * dot * dx - hx, my = 2.0 * dot * dy - hy;
    const double mirrored_heading = 2.0 * back - heading;
    double best = 1e18, best_off = 1e18;
    std::size_t at = 0;
    bool mirrored = false;
    // A join onto a leg from off it turns one way only.
    const bool either_way = turns_past_fix(c.turn_deg);
    // In the turn being flown, only a window ahead of where the aircraft
    // was found last: a hairpin's way out and way back run side by side.
    std::size_t first = 0, end = c.steps.size();
    if (c.from_aircraft) {
        first = static_cast<std::size_t>(std::max(0.0, c.last_progress - kWindowBackNm) / kTurnStepNm);
        end = std::min(end, static_cast<std::size_t>((c.last_progress + kWindowAheadNm) / kTurnStepNm) + 1);
        first = std::min(first, end > 0 ? end - 1 : 0);
    }
    for (std::size_t i = first; i < end; ++i) {
        const TurnStep& t = c.steps[i];
        double sx = 0.0, sy = 0.0;
        flat(t.at, &sx, &sy);
        const double off = std::hypot(sx - hx, sy - hy);
        const double off_m = std::hypot(sx - mx, sy - my);
        const double cost = off + 0.01 * std::fabs(wrapped(heading - t.heading));
        const double cost_m = off_m + 0.01 * std::fabs(wrapped(mirrored_heading - t.heading));
        if (cost < best) best = cost, at = i, mirrored = false, best_off = off;
        if (either_way && cost_m < best) best = cost_m, at = i, mirrored = true, best_off = off_m;
    }
    if (best_off > reach) return c.turn_nm;
    // Then along the heading flown there.
    const TurnStep& t = c.steps[at];
    double sx = 0.0, sy = 0.0;
    flat(t.at, &sx, &sy);
    const double ax = (mirrored ? mx : hx) - sx, ay = (mirrored ? my : hy) - sy;
    const double ahead = ax * std::sin(radians(t.heading)) + ay * std::cos(radians(t.heading));
    const double progress =
        std::clamp(t.flown + std::clamp(ahead, -kTurnStepNm, kTurnStepNm), 0.0, c.turn_nm);
    if (c.from_aircraft) c.last_progress = progress;
    return progress;
}

PathSpot point_in_turn(const PathCorner& c, double into_nm) {
    if (!c.past_fix() || c.steps.empty()) return spot(c.index);
    const bool joining = into_nm > c.turn_nm && !c.join_steps.empty();
    const std::vector<TurnStep>& steps = joining ? c.join_steps : c.steps;
    if (joining) into_nm -= c.turn_nm;
    const std::size_t i =
        std::min(steps.size() - 1, static_cast<std::size_t>(std::max(0.0, into_nm) / kTurnStepNm));
    const TurnStep& t = steps[i];
    PathSpot p;
    gc_destination_point(t.at.lat, t.at.lon, t.heading, std::clamp(into_nm - t.flown, 0.0, kTurnStepNm),
                         &p.lat, &p.lon);
    return p;
}

// A turn flown this much faster than it is reckoned at is miles wider.
constexpr double kReckonedNearShare = 1.25;
bool turns_reckoned_as_flown() {
    return hold_speed_kt(aircraft_state.ground_speed_kt) <= kCornerTurnMostKt * kReckonedNearShare;
}

const PathCorner& LateralPath::at(int i) const {
    static const PathCorner none;
    return i >= 0 && i < static_cast<int>(corners.size()) ? corners[static_cast<std::size_t>(i)] : none;
}

PathCorner path_corner(int corner, const PathSpot& from, int next) {
    return corner_of(corner, from, next, turn_speed_kt());
}

namespace {

// LNAV's turn from the aircraft onto the leg from place `from` to the TO, as
// it steers it, at the speed flown.
PathCorner turn_from_aircraft(const PathCorner& plan_turn, int from, int to) {
    PathCorner c = plan_turn;
    if (!c.exists || c.next != to) {
        c = PathCorner{};
        c.exists = true;
        c.index = from;
        c.next = to;
        c.from = spot(from);
        c.out_nm = nm_between(spot(from), spot(to), &c.out_course);
        c.a_point = spot(from);
    }
    c.from_aircraft = true;
    TurnStep t;
    t.at = PathSpot{aircraft_state.plat, aircraft_state.plon};
    t.heading = aircraft_state.map_heading_deg;
    // The autopilot turns at a rate its true airspeed allows; over the
    // ground the turn is as wide as the ground speed makes it. At the speeds
    // flown, not in the steps the turns ahead are reckoned in: stepped once
    // and kept, a turn reckoned 2.5 kt slow is 0.1 NM short over a reversal,
    // and the T/D placed on it stands off where the descent begins.
    const double ground = hold_speed_kt(aircraft_state.ground_speed_kt);
    const double air = aircraft_state.true_airspeed_est_kt > 0.0
                           ? hold_speed_kt(aircraft_state.true_airspeed_est_kt)
                           : ground;
    step_turn(c, hold_turn_radius_nm(air) * ground / air, &t);
    return c;
}

// A reversal's way round is a near thing where the leg out runs back along
// the leg in: the autopilot may take the other way from the one the turn
// was stepped for. Once the aircraft has turned this far the other way, the
// turn is stepped again from where it is.
constexpr double kOtherWayDeg = 5.0;
bool turning_the_other_way(const PathCorner& turn) {
    if (turn.steps.empty()) return false;
    const double turned = wrapped(aircraft_state.map_heading_deg - turn.steps.front().heading);
    const int side = turn_side(turn);
    return side != 0 && std::fabs(turned) > kOtherWayDeg && (turned > 0.0 ? 1 : -1) != side;
}

// Sequenced off both its leg in and its leg out, far from where its corner
// leaves the leg in, after a turn past the place before that ended short of
// its leg out (a reversal onto a leg too short to join: `turned_before`), the
// aircraft joins the leg to the TO from where it is, as LNAV steers it: not
// abeam on it.
bool joins_from_aside(const PathCorner& c, const PathCorner& turned_before, int from, int to,
                      const PathSpot& here) {
    // Only after a turn past the place before: one that ended short of its
    // leg out, or one the aircraft flew wider than it was reckoned.
    if (!(turned_before.past_fix() && turned_before.next == from)) return false;
    // A hold's fix is left round its pattern, not joined from aside.
    if (lnav_engaged != 1 || flies_straight_to_to() || (hold_armed != 0 && holding_active != 0) ||
        hold_mark(active_plan, from) != 0)
        return false;
    const auto off_leg = [&here](const PathSpot& a, const PathSpot& b) {
        double leg_course = 0.0, course = 0.0;
        nm_between(a, b, &leg_course);
        const double d = nm_between(a, here, &course);
        return std::fabs(d * std::sin(radians(course - leg_course)));
    };
    const int before = previous_place(active_plan, from);
    const bool off_in = before < 0 || off_leg(spot(before), spot(from)) > kJoinOffNm;
    const bool near_corner = c.exists && nm_between(here, c.a_point) <= kJoinOffNm;
    return off_in && !near_corner && off_leg(spot(from), spot(to)) > kJoinOffNm;
}

// The turn past the place before `from` as the aircraft flew it (the path's
// turn past the FROM until `from` was sequenced), else as the plan reckons
// it.
const PathCorner& turned_before(const LateralPath& p, int from) {
    const PathCorner& flown = made_path.from_turn;
    if (flown.past_fix() && flown.next == from) return flown;
    return p.at(previous_place(active_plan, from));
}

} // namespace

const LateralPath& lateral_path() {
    const GeoPosition leg_start = active_leg_start();
    const PathSpot start{leg_start.lat, leg_start.lon};
    const double speed = turn_speed_kt();
    const std::uint64_t key = path_key(start, speed);
    if (made_path.built && made_path.key == key &&
        !(made_path.from_turn.from_aircraft && turning_the_other_way(made_path.from_turn)))
        return made_path;
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
                corner_of(i, spot(before), next_place(active_plan, i + 1, p.last), speed,
                          &p.corners[static_cast<std::size_t>(before)]);
        }
        // The turn past the FROM the aircraft is flying, from where it was
        // when it began it (where LNAV sequenced the FROM, not always at the
        // switching distance: a fix reached on a direct, or sequenced with
        // LNAV off), at its heading. Kept while the TO stays.
        const int from = p.to >= 1 && p.to <= active_plan_last ? previous_place(active_plan, p.to) : -1;
        const PathCorner& kept = made_path.from_turn;
        const PathSpot here{aircraft_state.plat, aircraft_state.plon};
        if (from >= 1 && direct_to_active != 1) {
            const PathCorner& c = p.at(from);
            if (made_path.built && made_path.to == p.to && kept.past_fix() && kept.index == from &&
                kept.next == p.to && std::fabs(nm_between(spot(from), spot(p.to)) - kept.out_nm) < 1e-9 &&
                !turning_the_other_way(kept))
                p.from_turn = kept;
            else if ((kept.past_fix() && kept.index == from && kept.next == p.to && made_path.to == p.to) ||
                     (c.past_fix() && c.next == p.to &&
                      nm_between(here, spot(from)) < c.a + kTurnFromAircraftNm) ||
                     (!c.past_fix() && made_path.to != p.to &&
                      joins_from_aside(c, turned_before(p, from), from, p.to, here))) {
                p.from_turn = turn_from_aircraft(c, from, p.to);
                ++from_turns_stepped;
            }
        }
        if (p.to >= 1 && p.to <= active_plan_last)
            p.to_corner =
                corner_of(p.to, start, p.to < p.last ? next_place(active_plan, p.to + 1, p.last) : -1, speed,
                          from >= 1 && direct_to_active != 1 ? &p.from_corner(from) : nullptr);
    }
    made_path = std::move(p);
    return made_path;
}
