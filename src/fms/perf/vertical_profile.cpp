#include "fms/perf/vertical_profile.h"

#include "data/aircraft_settings.h"
#include "data/module_settings.h"
#include "fms/guidance/hold_racetrack.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/math/nav_math.h"
#include "fms/perf/constraint_rule.h"
#include "fms/perf/flown_route.h"
#include "fms/perf/speed_targets.h"
#include "fms/perf/vnav_phase.h"
#include "fms/plan/entry_marks.h"
#include "fms/plan/holds.h"
#include "fms/plan/plan_edit.h"
#include "fms/plan/plan_legs.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_walk.h"
#include "fms/plan/vertical_state.h"
#include "platform/text_file.h"
#include "sim/aircraft_state.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// A marker stands on the place before it, so no leg runs to 0N 0E.
void leg(int from, int to, double* distance, double* course) {
    from = place_at_or_before(active_plan, from);
    to = place_at_or_before(active_plan, to);
    gc_dist_course(active_plan[from].lat, active_plan[from].lon, active_plan[to].lat, active_plan[to].lon,
                   distance, course);
}

ProfilePoint at_entry(const VerticalProfile& prof, int k, double altitude) {
    ProfilePoint p;
    p.exists = true;
    p.index = k;
    p.lat = active_plan[k].lat;
    p.lon = active_plan[k].lon;
    p.altitude_ft = altitude;
    p.ahead_nm = prof.entries[static_cast<std::size_t>(k)].ahead_nm;
    return p;
}

// NM of a climb of `change` ft to a top at `top_ft`, at the rate VNAV can
// hold up there.
double climb_nm(double change, double top_ft) {
    return phase_distance(change, vnav_climb_rate(ClimbRate, top_ft), climb_tas_target);
}

// A point `path_nm` ahead of an aircraft that holds at the TO: round the
// pattern (from the fix on when not there yet) until the pilot leaves it,
// then from the part where it is left to the fix and on along the legs up
// to entry `end`. False without such a hold, and for a point before its fix.
bool point_on_pattern(int end, double path_nm, ProfilePoint* p) {
    const int to = to_waypoint_index;
    if (hold_count() == 0 || hold_list[1].active_index() != to) return false;
    const HoldRacetrack r = hold_racetrack(hold_list[1], aircraft_state);
    double u = 0.0, v = 0.0, nm = path_nm;
    int part = holding_active;
    if (hold_armed == 1 && holding_active >= 1) {
        racetrack_frame(r, aircraft_state.plat, aircraft_state.plon, &u, &v);
    } else {
        // Joined at the fix (LNAV flies the pattern): by the turn for an
        // aircraft that comes along the inbound course, else by the
        // outbound leg.
        const double to_fix = path_distance_through(to);
        if (lnav_engaged != 1 || !(nm > to_fix)) return false;
        nm -= to_fix;
        double d = 0.0, back = 0.0;
        gc_dist_course(r.fix.lat, r.fix.lon, aircraft_state.plat, aircraft_state.plon, &d, &back);
        const double off = std::fmod(back + 360.0 - r.inbound_true_deg, 360.0) - 180.0;
        part = std::fabs(off) <= 90.0 ? 1 : 2;
    }
    const int leave_after = hold_exit_state == kHoldExitAtNextPoint  ? part
                            : hold_exit_state == kHoldExitAtPointOne ? 4
                                                                     : 0;
    const RacetrackWalk w = walk_racetrack(r, part, u, v, nm, leave_after);
    p->exists = true;
    p->index = to;
    p->on_pattern = true;
    p->lat = w.at.lat;
    p->lon = w.at.lon;
    if (!(w.left_nm > 0.0)) return true;
    const RouteWaypoint& fix = active_plan[to];
    double back = 0.0, course = 0.0;
    gc_dist_course(w.at.lat, w.at.lon, fix.lat, fix.lon, &back, &course);
    if (w.left_nm <= back) {
        gc_point_toward(w.at.lat, w.at.lon, fix.lat, fix.lon, w.left_nm, &p->lat, &p->lon);
        return true;
    }
    // Past the fix: on the legs as any point after the TO.
    const double past = w.left_nm - back;
    const ProfilePoint on =
        point_back_along_legs(end, std::max(0.0, distance_ahead_to(end) - distance_ahead_to(to) - past));
    p->index = on.index;
    p->lat = on.lat;
    p->lon = on.lon;
    return true;
}

// NM farther from the TO than the legs read it past which the aircraft is
// off its leg, not beside it by a hair or a turn's rounding.
constexpr double kWideOfLegNm = 1.0;

// The point `path_nm` along LNAV's path from the aircraft, on the legs up
// to entry `end`; none beyond it. `on_way`: one before the TO lies on the
// aircraft's way to it (the T/C, which the climb flies to), else on its leg
// (the T/D, which the descent is laid back along). Ahead of an aircraft
// farther from the TO than its leg is long, any point short of the leg is
// on that way: back over the legs it would stand on one already flown (past
// a hairpin the aircraft overshot, miles from where it comes).
ProfilePoint point_on_path(int end, double path_nm, double end_path_nm, double altitude,
                           bool on_way = false) {
    if (path_nm > end_path_nm + 1e-9) return ProfilePoint{};
    const double legs = legs_nm_at_path(flown_last(), path_nm);
    const int to = to_waypoint_index;
    const double to_legs = distance_ahead_to(to);
    // Up to the FROM itself: a point held at a FROM sequenced short of it
    // lies on the aircraft's way there, not on the fix miles aside that way
    // (by rounding, the legs put it either side of the fix).
    constexpr double kAtFromNm = 1e-6;
    const bool short_of_leg = legs >= 0.0 && legs < to_legs - flown_leg_nm(to) + kAtFromNm;
    const RouteWaypoint& w = active_plan[std::clamp(to, 0, std::max(0, active_plan_last))];
    double straight = 0.0, course = 0.0;
    gc_dist_course(aircraft_state.plat, aircraft_state.plon, w.lat, w.lon, &straight, &course);
    // Swung wide of its leg, the aircraft is farther from the TO than its
    // point abeam reads it; abeam inside the TO's corner, the legs put a
    // point a little way along the path round that corner, miles from where
    // the aircraft will have flown that far. Nearer than the TO itself, it
    // lies on the way there.
    const bool wide_short_of_to =
        on_way && path_nm >= 0.0 && straight > to_legs + kWideOfLegNm && path_nm < straight;
    ProfilePoint p;
    if (on_way && path_nm >= 0.0 && point_on_pattern(end, path_nm, &p)) {
        // The climb goes on round the hold's pattern.
    } else if (point_in_turn(path_nm, false, &p.lat, &p.lon, &p.index)) {
        // In the turn past the FROM being flown: where LNAV flies it, not
        // on the way straight to the TO.
        p.exists = true;
    } else if (((on_way || flies_straight_to_to()) && legs >= 0.0 && legs < to_legs) || short_of_leg ||
               wide_short_of_to) {
        // Before the TO: on the way the aircraft flies to it, not on its leg
        // (off the leg, joining it, cutting a corner or in a hold's pattern
        // far out, the leg's point abeam stands off the aircraft's way).
        const double on = legs >= 0.0 && legs < to_legs ? legs : path_nm;
        p.exists = true;
        p.index = to;
        gc_point_toward(aircraft_state.plat, aircraft_state.plon, w.lat, w.lon, std::min(on, straight),
                        &p.lat, &p.lon);
    } else if (point_in_turn(path_nm, true, &p.lat, &p.lon, &p.index)) {
        // In a turn past a fix: where LNAV flies it, off the legs.
        p.exists = true;
    } else {
        p = point_back_along_legs(end, distance_ahead_to(end) - legs);
    }
    p.ahead_nm = path_nm;
    p.altitude_ft = altitude;
    return p;
}

// The T/D: the descent from `top` to the end, laid back from the end over
// the path LNAV flies (VNAV measures its distance to the end along the same
// path, and the level was found on it). A descent longer than the route
// ahead puts it behind the TO, on the legs back towards the aircraft.
// A descent shorter than the switching distance before its end would begin
// after LNAV sequenced the end: it begins there, but never for that stands
// back past an altitude to meet before the end (nothing descends before
// that), nor before the T/C `toc_ahead_nm` ahead.
ProfilePoint descent_top_point(const VerticalProfile& prof, const DescentEnd& e, double top,
                               double toc_ahead_nm) {
    const double descent = phase_distance(top - e.altitude, descent_rate(), descent_tas_target);
    const double end_nm = prof.entries[static_cast<std::size_t>(e.index)].ahead_nm;
    int held = 0; // the last entry before the end with an altitude of its own
    for (int i = e.index - 1; i >= 1 && held == 0; --i)
        if (holds_altitude(active_plan[i])) held = i;
    double nm = std::max(descent, switch_before(e.index));
    // Where the aircraft passes it along the path: the FROM too, sequenced
    // early while the aircraft is still short of it (it is met at the fix).
    double held_nm = -1.0;
    const int to = to_waypoint_index;
    if (held >= std::max(to, 1)) {
        held_nm = prof.entries[static_cast<std::size_t>(held)].ahead_nm;
    } else if (held >= 1 && held == to - 1) {
        if (const double short_of_from = path_short_of_from(); short_of_from > 0.0) held_nm = short_of_from;
    }
    if (held_nm >= 0.0) {
        const double room = end_nm - held_nm;
        // One flown at the level (the cruise's, or its own the descent
        // starts from) is left at it: a descent longer than the way on from
        // it is flown steeper, not begun before it.
        const ProfileEntry& h = prof.entries[static_cast<std::size_t>(held)];
        const bool at_level =
            h.role == ConstraintRole::AtLevel || std::fabs(h.altitude_ft - top) <= kSameLevelFt;
        held = nm > room && at_level ? held : 0;
        if (nm > room) nm = at_level ? std::max(0.0, room) : std::max(descent, room);
    } else {
        held = 0;
    }
    const double most = std::max(descent, end_nm - toc_ahead_nm);
    if (nm > most) held = 0;
    nm = std::min(nm, most);
    ProfilePoint p = point_on_path(e.index, end_nm - nm, end_nm, top);
    p.at_fix_held = held != 0;
    return p;
}

// A waypoint's or an approach leg's own altitude, which no prediction
// replaces (a discontinuity keeps the copy of its fix's).
bool keeps_altitude(const RouteWaypoint& w) {
    return w.altitude_kind != AltitudeKind::None;
}

double leg_length(int from, int to) {
    double d = 0.0, course = 0.0;
    leg(from, to, &d, &course);
    return d;
}

// Writes the prediction of entry i.
struct Prediction {
    VerticalProfile& prof;
    int i;
    void altitude(double a) const {
        ProfileEntry& e = prof.entries[static_cast<std::size_t>(i)];
        e.altitude_ft = a;
        e.altitude_predicted = true;
    }
    void speed(double v) const {
        ProfileEntry& e = prof.entries[static_cast<std::size_t>(i)];
        e.speed_kt = v;
        e.speed_predicted = true;
    }
};

double altitude_or_zero(double alt) {
    return alt > -900.0 ? alt : 0.0;
}

// Altitude change over a leg at a rate and a TAS; none without a speed.
double leg_altitude_change(double length, double tas, double rate) {
    return tas > 0.0 ? length / tas * 60.0 * rate : 0.0;
}

double hundreds(double a) {
    return a > 1000.0 ? saturate_to_whole(a / 100.0) * 100.0 : a;
}

// Climb pass: predictions forward from the origin; returns where the
// climb ends (toc_at).
int climb_pass(VerticalProfile& prof, double origin_ft, const ConstraintRoles& roles, double rc,
               double climb_distance) {
    const int last = flown_last();
    const auto role_of = [&](int i) { return roles[i]; };
    const auto altitude_of = [&](int i) { return prof.entries[static_cast<std::size_t>(i)].altitude_ft; };
    double a = origin_ft;
    double s = 0.0;
    bool toc_seen = false;
    int toc_at = 0;
    int k = 0;
    for (int i = 1; i <= last - 1; ++i) {
        const RouteWaypoint& w = active_plan[i];
        const Prediction p{prof, i};
        const double length = leg_length(i - 1, i);
        s = saturate_to_whole(s + length);
        a += leg_altitude_change(length, climb_tas_target, rc);
        // The cap the climb from the origin meets from here on.
        k = first_cap_ahead(i, roles.last, origin_ft, role_of, altitude_of);
        if (keeps_altitude(w)) {
            if (toc_seen) continue;
            if (vnav_phase != VnavPhase::Climb) {
                toc_at = i;
                toc_seen = true;
            }
            // One passed over leaves the climb as it is.
            if (roles[i] != ConstraintRole::PassedOver) a = prof.entries[i].altitude_ft;
            // Earlier waypoints up to the previous constraint fly no faster. A
            // constraint without a speed (-999) limits nothing.
            if (prof.entries[i].speed_kt > 0.0)
                for (int j = i - 1; j >= 1 && !typed_by_pilot(active_plan[j]); --j)
                    if (prof.entries[j].speed_kt > prof.entries[i].speed_kt)
                        Prediction{prof, j}.speed(prof.entries[i].speed_kt);
            continue;
        }
        a = hundreds(a);
        if (k > 0) a = std::min(a, prof.entries[k].altitude_ft);
        p.altitude(a);
        if (s > climb_distance && !toc_seen) {
            toc_seen = true;
            toc_at = i;
        }
        p.speed(climb_speed_target);
        if (ClbSpdRest > 0.0 && ClbAltRest > a && climb_speed_target > ClbSpdRest) p.speed(ClbSpdRest);
        if (a >= cruise_altitude) {
            a = cruise_altitude;
            p.altitude(cruise_altitude);
            p.speed(cruise_speed_target);
            if (!toc_seen) toc_at = i;
            toc_seen = true;
        }
    }
    prof.prediction_cap = k;
    return toc_at;
}

// Descent pass: predictions backward from the destination up to the first
// waypoint that reaches the cruise altitude. Only a constraint that ends a
// descent (constraint_rule.h) holds the waypoints after it down to it; a
// route that ends without an altitude has no descent.
void descent_pass(VerticalProfile& prof, const ConstraintRoles& roles, double rd, int toc_at) {
    const int last = flown_last();
    double a = route_end_altitude();
    if (a <= kNoConstraint) return;
    auto ends = [&](int i) { return roles[i] == ConstraintRole::EndsDescent; };
    // For each entry the nearest end of a descent before it (0: none).
    std::vector<int> end_before(static_cast<std::size_t>(last + 1), 0);
    for (int i = 2; i <= last; ++i)
        end_before[static_cast<std::size_t>(i)] =
            ends(i - 1) ? i - 1 : end_before[static_cast<std::size_t>(i - 1)];
    for (int j = last - 1; j >= 1; --j) {
        const RouteWaypoint& w = active_plan[j];
        const Prediction p{prof, j};
        a += leg_altitude_change(leg_length(j + 1, j), descent_tas_target, rd);
        const int before = end_before[static_cast<std::size_t>(j)];
        const int m = before >= toc_at ? before : 0;
        double v = descent_speed_target;
        if (keeps_altitude(w)) {
            // The path is held at the level over one flown at it, and runs on
            // past one it passes over.
            if (roles[j] == ConstraintRole::AtLevel)
                a = std::max(a, prof.entries[j].altitude_ft);
            else if (roles[j] != ConstraintRole::PassedOver)
                a = prof.entries[j].altitude_ft;
            if (prof.entries[j].speed_kt == kNoConstraint) p.speed(descent_speed_target);
            v = prof.entries[j].speed_kt;
        } else if (m > 0) {
            a = std::min(a, prof.entries[m].altitude_ft);
            // Only a constraint that has a speed limits the speed.
            if (prof.entries[m].speed_kt > 0.0 && (prof.entries[j].speed_kt > prof.entries[m].speed_kt ||
                                                   descent_speed_target > prof.entries[m].speed_kt))
                v = prof.entries[m].speed_kt;
            p.speed(v);
        } else {
            p.speed(v);
        }
        a = hundreds(a);
        // A constraint shows its own altitude.
        p.altitude(keeps_altitude(w) ? hundreds(prof.entries[j].altitude_ft) : a);
        if (DescSpdRest > 0.0 && v > DescSpdRest && DescAltRest >= a) p.speed(DescSpdRest);
        if (a >= cruise_altitude) {
            // A constraint passed over at cruise still shows (and is read
            // by its rule at) its own altitude.
            if (!keeps_altitude(w)) {
                p.altitude(cruise_altitude);
                p.speed(cruise_speed_target);
            }
            break;
        }
    }
}

// Where a climb of `climb_nm` along the legs from the origin ends.
ProfilePoint origin_climb_top(double nm) {
    ProfilePoint p;
    const int last = flown_last();
    double sum = 0.0;
    for (int i = 1; i <= last; ++i) {
        double length = 0.0, course = 0.0;
        leg(i - 1, i, &length, &course);
        if (sum + length >= nm) {
            const RouteWaypoint& from = active_plan[place_at_or_before(active_plan, i - 1)];
            const RouteWaypoint& to = active_plan[place_at_or_before(active_plan, i)];
            gc_point_toward(from.lat, from.lon, to.lat, to.lon, nm - sum, &p.lat, &p.lon);
            p.exists = true;
            p.index = i;
            p.ahead_nm = nm;
            return p;
        }
        sum += length;
    }
    return p;
}

// Each entry's role as the rule reads it from the origin, so that it keeps
// it while the aircraft flies (the route's end is marked with the E/D).
void mark_roles(VerticalProfile& p, const ConstraintRoles& roles) {
    const int last = static_cast<int>(p.entries.size()) - 1;
    for (int i = 1; i < last; ++i)
        p.entries[static_cast<std::size_t>(i)].role = roles[i];
}

void lay_path(VerticalProfile& p, const ProfilePlace& at) {
    auto add = [&p](double ahead, double altitude) {
        if (!p.path.empty()) ahead = std::max(ahead, p.path.back().ahead_nm);
        p.path.push_back({ahead, altitude});
    };
    add(0.0, at.altitude_ft);
    if (p.level_off.exists && p.level_off.altitude_ft > at.altitude_ft) {
        // Up to the cap and level to it; past it the climb goes on to the T/C.
        const double up = climb_nm(p.level_off.altitude_ft - at.altitude_ft, p.level_off.altitude_ft);
        add(std::min(up, p.level_off.ahead_nm), p.level_off.altitude_ft);
        add(p.level_off.ahead_nm, p.level_off.altitude_ft);
    }
    if (p.toc.exists && p.toc.ahead_nm > 0.0) add(p.toc.ahead_nm, p.toc.altitude_ft);
    if (p.tod.exists) {
        if (p.path.back().ahead_nm > p.tod.ahead_nm) p.path.back().ahead_nm = std::max(0.0, p.tod.ahead_nm);
        add(p.tod.ahead_nm, p.tod.altitude_ft);
        // VNAV meets the E/D's altitude where LNAV sequences it (the rate
        // aims there), its switching distance before it, and holds it on to
        // it: the entries between are predicted on the path flown.
        add(std::clamp(path_distance_to(p.ed.index), p.tod.ahead_nm, p.ed.ahead_nm), p.ed.altitude_ft);
        add(p.ed.ahead_nm, p.ed.altitude_ft);
    } else {
        add(p.route_nm, p.path.back().altitude_ft);
    }
}

// The entries ahead are predicted on the path the aircraft flies from where
// it is (the passes from the origin know neither its altitude nor its place);
// past the end of the descent the path leads to, the descent pass's
// segments stand. An entry behind keeps the prediction it had.
void predict_from_aircraft(VerticalProfile& p, int to) {
    const int last = static_cast<int>(p.entries.size()) - 1;
    for (int i = 1; i < last; ++i) {
        const RouteWaypoint& w = active_plan[i];
        ProfileEntry& e = p.entries[static_cast<std::size_t>(i)];
        if (keeps_altitude(w)) continue;
        if (i < to) {
            if (predicted_altitude(w) > kNoConstraint) e.altitude_predicted = false;
            continue;
        }
        if (p.ed.exists && i > p.ed.index) continue;
        Prediction{p, i}.altitude(hundreds(p.altitude_at(e.ahead_nm)));
    }
}

} // namespace

ProfilePoint point_back_along_legs(int end, double nm) {
    ProfilePoint p;
    const int to = to_waypoint_index;
    if (to < 0 || to > active_plan_last) return p;
    end = std::min(end, active_plan_last);
    p.exists = true;
    p.ahead_nm = distance_ahead_to(end) - nm;
    // Past the TO on back over the legs already flown: a point behind the
    // aircraft stays on the route (off it, on the line to the TO, it stood
    // beside the route wherever LNAV had sequenced early for a turn).
    double sum = 0.0;
    for (int i = end; i >= 1; --i) {
        double length = 0.0, course = 0.0;
        leg(i, i - 1, &length, &course);
        sum += length;
        if (sum >= nm) {
            // Along the great circle back to the leg's start, not on the
            // leg's course: that reads 360 for any course below 1 degree.
            const RouteWaypoint& from = active_plan[place_at_or_before(active_plan, i)];
            const RouteWaypoint& back = active_plan[place_at_or_before(active_plan, i - 1)];
            gc_point_toward(from.lat, from.lon, back.lat, back.lon, length - (sum - nm), &p.lat, &p.lon);
            p.index = i;
            return p;
        }
    }
    // Longer than the route: at its origin.
    p.lat = active_plan[0].lat;
    p.lon = active_plan[0].lon;
    p.index = std::min(1, end);
    return p;
}

ProfilePoint point_back_along_path(int end, double nm) {
    if (to_waypoint_index < 0 || to_waypoint_index > active_plan_last) return ProfilePoint{};
    end = std::min(end, active_plan_last);
    const double end_nm = path_distance_through(end);
    return point_on_path(end, end_nm - nm, end_nm, 0.0);
}

double VerticalProfile::flown_since_built() const {
    const int last = static_cast<int>(entries.size()) - 1;
    const int to = to_waypoint_index;
    if (last < 1 || to < 1 || to > active_plan_last || revision != profile_points_revision) return 0.0;
    return route_nm - path_distance_through(last);
}

namespace {

// How far along LNAV's path the point lies from the aircraft now: its place
// along the legs (up to the entry its leg runs to, less the rest of that
// leg; a point on a leg already flown lies behind the TO by its way on to
// it), on the path.
double ahead_of_aircraft(const ProfilePoint& p, bool on_way) {
    if (!p.exists) return 0.0;
    // Placed round the pattern from where the aircraft was as the profile
    // was built: the profile is built again as it moves.
    if (p.on_pattern) return p.ahead_nm;
    const int to = to_waypoint_index;
    if (to < 1 || to > active_plan_last) return p.ahead_nm;
    const int through = std::max(to, p.index);
    const double rest = route_distance_from(active_plan, p.lat, p.lon, p.index, through);
    double legs = distance_ahead_to(through) - rest;
    if (on_way && through == to && legs < distance_ahead_to(to)) {
        // On the way to the TO, as point_on_path puts it: as far as it
        // stands from the aircraft.
        const RouteWaypoint& w = active_plan[to];
        double straight = 0.0, course = 0.0;
        gc_dist_course(aircraft_state.plat, aircraft_state.plon, w.lat, w.lon, &straight, &course);
        legs = straight - rest;
    }
    return path_nm_at_legs(flown_last(), legs);
}

} // namespace

double VerticalProfile::toc_distance_nm() const {
    return ahead_of_aircraft(toc, true);
}

double VerticalProfile::tod_distance_nm() const {
    return ahead_of_aircraft(tod, false);
}

double VerticalProfile::tod_to_entry_nm(int k) const {
    if (!tod.exists || k < tod.index || k > active_plan_last) return 0.0;
    return std::max(0.0, path_distance_through(k) - tod_distance_nm());
}

double VerticalProfile::altitude_at(double ahead_nm) const {
    if (path.empty()) return 0.0;
    if (ahead_nm <= path.front().ahead_nm) return path.front().altitude_ft;
    // The first vertex at or beyond the distance.
    const auto after = std::lower_bound(path.begin(), path.end(), ahead_nm,
                                        [](const Vertex& v, double d) { return v.ahead_nm < d; });
    if (after == path.end()) return path.back().altitude_ft;
    const Vertex& b = *after;
    const Vertex& a = *(after - 1);
    const double span = b.ahead_nm - a.ahead_nm;
    if (!(span > 0.0)) return b.altitude_ft;
    return a.altitude_ft + (b.altitude_ft - a.altitude_ft) * (ahead_nm - a.ahead_nm) / span;
}

double VerticalProfile::descent_altitude_at(double ahead_nm) const {
    if (!tod.exists || !ed.exists) return 0.0;
    if (ahead_nm <= tod.ahead_nm) return tod.altitude_ft;
    if (ahead_nm >= ed.ahead_nm) return ed.altitude_ft;
    const double span = ed.ahead_nm - tod.ahead_nm;
    return ed.altitude_ft + (tod.altitude_ft - ed.altitude_ft) * (ed.ahead_nm - ahead_nm) / span;
}

double VerticalProfile::descent_nm(double change_ft) const {
    return descent_ft_per_nm > 0.0 ? change_ft / descent_ft_per_nm : 0.0;
}

double VerticalProfile::descent_path_above(double to_ft, double nm) const {
    return descent_ft_per_nm > 0.0 ? to_ft + nm * descent_ft_per_nm : -1.0e9;
}

int VerticalProfile::cap_ahead(int first, double altitude_ft) const {
    const auto entry = [&](int k) -> const ProfileEntry& { return entries[static_cast<std::size_t>(k)]; };
    return first_cap_ahead(
        first, static_cast<int>(entries.size()) - 1, altitude_ft, [&](int k) { return entry(k).role; },
        [&](int k) { return entry(k).altitude_ft; });
}

DescentEnd VerticalProfile::descent_end_from(int first, double top) const {
    const int last = static_cast<int>(entries.size()) - 1;
    if (last < 1) return {};
    // One flown at the level is passed at it: the descent is to the end
    // after it, unless it lies below that level.
    for (int k = std::max(first, 1); k < last; ++k) {
        const ProfileEntry& e = entries[static_cast<std::size_t>(k)];
        if (e.role == ConstraintRole::EndsDescent)
            return e.altitude_ft < top ? DescentEnd{k, e.altitude_ft} : DescentEnd{};
        // Below the level this profile descends from (not the altitude flown
        // now, which comes down to it).
        if (e.altitude_ft < top && below_the_level(e.role, e.altitude_ft, level_ft))
            return DescentEnd{k, e.altitude_ft};
    }
    return end_altitude_ft > kNoConstraint && end_altitude_ft < top ? DescentEnd{last, end_altitude_ft}
                                                                    : DescentEnd{};
}

ProfilePlace aircraft_place() {
    ProfilePlace at;
    at.altitude_ft = aircraft_state.indicated_altitude_ft;
    at.first = to_waypoint_index;
    return at;
}

namespace {
unsigned long profiles_built = 0;
} // namespace

unsigned long vertical_profiles_built() {
    return profiles_built;
}

VerticalProfile build_vertical_profile(const ProfilePlace& at) {
    ++profiles_built;
    VerticalProfile p;
    p.revision = profile_points_revision;
    p.descent_ft_per_nm = descent_ft_per_nm();
    const int last = flown_last();
    const int to = to_waypoint_index;
    if (last < 1) return p;
    // The rule, worked out once for the passes, the entries, the level, the
    // T/C and the T/D.
    ClimbRuleInputs in = climb_rule_inputs(at.altitude_ft, at.first);
    in.climbing = vnav_phase == VnavPhase::Climb;
    in.descending = vnav_phase == VnavPhase::Descent;
    in.given_level_ft = at.level_ft;
    if (vertical_profile.revision == profile_points_revision) in.kept_level_ft = vertical_profile.level_ft;
    const ClimbRule rule = climb_rule(in);
    const ConstraintRoles& roles = rule.roles;
    p.entries.resize(static_cast<std::size_t>(last + 1));
    for (int i = 0; i <= last; ++i) {
        const RouteWaypoint& w = active_plan[i];
        ProfileEntry& e = p.entries[static_cast<std::size_t>(i)];
        e.id = w.id;
        e.altitude_ft = predicted_altitude(w);
        e.speed_kt = predicted_speed(w);
        if (i >= 1) e.origin_nm = saturate_to_whole(p.entries[i - 1].origin_nm + leg_length(i - 1, i));
        e.ahead_nm = in.entries[static_cast<std::size_t>(i)].ahead_nm;
    }
    mark_roles(p, roles);
    p.end_altitude_ft = route_end_altitude();
    if (at.predict != nullptr) {
        p.prediction_toc = origin_climb_top(at.predict->climb_nm);
        if (at.predict->entries) {
            const double origin = altitude_or_zero(predicted_altitude(active_plan[0]));
            const int toc_at = climb_pass(p, origin, roles, at.predict->climb_fpm, at.predict->climb_nm);
            descent_pass(p, roles, at.predict->descent_fpm, toc_at);
        }
    }
    if (to < 1 || to > active_plan_last || last < to) return p;
    p.route_nm = p.entries[static_cast<std::size_t>(last)].ahead_nm;
    p.level_ft = rule.level_ft;
    if (vnav_phase == VnavPhase::Climb) {
        p.climb_cap = rule.cap;
        if (p.climb_cap > 0)
            p.level_off = at_entry(p, p.climb_cap, predicted_altitude(active_plan[p.climb_cap]));
        // A climb that ends at the route's end or past it has no T/C on it.
        if (rule.toc_nm < p.route_nm - 1e-6)
            p.toc = point_on_path(last, rule.toc_nm, p.route_nm, p.level_ft, true);
    }
    const DescentEnd& e = rule.end;
    if (e.index >= 1) {
        p.ed = at_entry(p, e.index, e.altitude);
        p.tod = descent_top_point(p, e, p.level_ft, p.toc.exists ? p.toc.ahead_nm : -1e9);
        // Where the T/D falls before the climb's end the two meet: one point.
        if (p.toc.exists && p.toc.ahead_nm > p.tod.ahead_nm)
            p.toc = p.tod.ahead_nm > 0.0 ? p.tod : point_on_path(last, 0.0, p.route_nm, p.level_ft, true);
    }
    if (p.ed.exists && p.ed.index == last && holds_altitude(active_plan[last]))
        p.entries[static_cast<std::size_t>(last)].role = ConstraintRole::EndsDescent;
    lay_path(p, at);
    if (at.predict != nullptr && at.predict->entries) predict_from_aircraft(p, to);
    return p;
}

namespace {

ProfileInputs inputs_of(const ProfilePlace& at) {
    ProfileInputs in;
    in.plan = flown_plan_print();
    in.revision = profile_points_revision;
    in.altitude_ft = at.altitude_ft;
    in.level_ft = at.level_ft;
    in.first = at.first;
    in.phase = static_cast<int>(vnav_phase);
    in.cruise = cruise_altitude;
    in.lat = aircraft_state.plat;
    in.lon = aircraft_state.plon;
    if (at.predict != nullptr) in.rates = *at.predict;
    in.predict = at.predict != nullptr;
    in.climb = {double(ClimbRate), climb_tas_target, double(climb_speed_target), MaxVnavClimbRate};
    in.descent = {descent_rate(), descent_tas_target, double(descent_speed_target), 0.0};
    return in;
}

} // namespace

bool ProfileInputs::operator==(const ProfileInputs& o) const {
    const auto same_rates = [](const EntryPredictionRates& a, const EntryPredictionRates& b) {
        return a.climb_fpm == b.climb_fpm && a.descent_fpm == b.descent_fpm && a.climb_nm == b.climb_nm &&
               a.entries == b.entries;
    };
    return plan == o.plan && revision == o.revision && altitude_ft == o.altitude_ft &&
           level_ft == o.level_ft && first == o.first && phase == o.phase && cruise == o.cruise &&
           lat == o.lat && lon == o.lon && predict == o.predict && same_rates(rates, o.rates) &&
           climb == o.climb && descent == o.descent;
}

const VerticalProfile& locate_vertical_profile(const ProfilePlace& asked) {
    ProfilePlace at = asked;
    if (at.predict == nullptr) at.predict = &profile_prediction_rates;
    const ProfileInputs in = inputs_of(at);
    if (!vertical_profile.built || !(in == vertical_profile.inputs)) {
        vertical_profile = build_vertical_profile(at);
        vertical_profile.inputs = in;
        vertical_profile.built = true;
    }
    // The one T/C the maps draw and VNAV levels at; one passed stays where
    // it was.
    if (vnav_phase == VnavPhase::Climb) {
        toc_lat = vertical_profile.toc.exists ? vertical_profile.toc.lat : 0.0;
        toc_lon = vertical_profile.toc.exists ? vertical_profile.toc.lon : 0.0;
    }
    return vertical_profile;
}

const VerticalProfile& active_profile() {
    static const VerticalProfile none;
    return vertical_profile.revision == profile_points_revision ? vertical_profile : none;
}

void forget_vertical_profile() {
    vertical_profile = VerticalProfile{};
}
