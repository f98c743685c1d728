#include "fms/guidance/hold_racetrack.h"

#include "fms/math/heading_math.h"
#include "fms/math/nav_math.h"
#include "fms/plan/holds.h"
#include "sim/aircraft_state.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kFeetPerNm = 6076.12;
constexpr double kFeetPerSecondPerKt = 1.68781;
constexpr double kGravityFps2 = 32.174;

} // namespace

double hold_speed_kt(double ground_speed_kt) {
    return std::max(ground_speed_kt, kHoldLeastSpeedKt);
}

double hold_turn_radius_nm(double speed_kt) {
    const double standard_rate = speed_kt / 3600.0 / radians(kHoldTurnRateDps);
    const double fps = speed_kt * kFeetPerSecondPerKt;
    const double banked = fps * fps / (kGravityFps2 * std::tan(radians(kHoldBankDeg))) / kFeetPerNm;
    return std::max(standard_rate, banked);
}

double hold_leg_nm(const HoldEntry& hold, double speed_kt) {
    if (hold.leg_mode != kHoldLegByTime) return hold.leg_distance;
    return std::min(speed_kt / 60.0 * hold.leg_time, kHoldLegMaxNm);
}

HoldRacetrack hold_racetrack(const HoldEntry& hold, const AircraftState& aircraft) {
    HoldRacetrack r;
    r.fix = GeoPosition{hold.points[0].lat, hold.points[0].lon};
    r.inbound_true_deg = floored_mod(hold.inbound_course + aircraft.magvar, 360.0);
    r.side = hold.turn == kDirectionRight ? 1 : -1;
    const double speed = hold_speed_kt(aircraft.ground_speed_kt);
    // A leg of no length leaves the two turns: the aircraft circles the fix.
    r.leg_nm = std::max(hold_leg_nm(hold, speed), 0.0);
    r.radius_nm =
        hold_turn_radius_nm(std::max(speed, aircraft.true_airspeed_est_kt + aircraft.wind_speed_kt));
    return r;
}

GeoPosition racetrack_point(const HoldRacetrack& r, double along, double across) {
    const double distance = std::hypot(along, across);
    if (distance == 0.0) return r.fix;
    const double bearing = r.inbound_true_deg + r.side * degrees(std::atan2(across, along));
    GeoPosition p;
    gc_destination_point(r.fix.lat, r.fix.lon, floored_mod(bearing, 360.0), distance, &p.lat, &p.lon);
    return p;
}

void racetrack_frame(const HoldRacetrack& r, double lat, double lon, double* along, double* across) {
    double distance = 0.0, course = 0.0;
    gc_dist_course(r.fix.lat, r.fix.lon, lat, lon, &distance, &course);
    const double off = radians(course - r.inbound_true_deg);
    *along = distance * std::cos(off);
    *across = r.side * distance * std::sin(off);
}

namespace {

constexpr double kPi = 3.141592653589793;

// The parts as lengths from their start, in the frame: the turns round
// their centres a radius inside the fix's and the outbound end's abeam.
double part_length(const HoldRacetrack& r, int k) {
    return k == 1 || k == 3 ? kPi * r.radius_nm : r.leg_nm;
}

void part_point(const HoldRacetrack& r, int k, double s, double* u, double* v) {
    const double R = r.radius_nm, L = r.leg_nm;
    const double phi = R > 0.0 ? s / R : 0.0;
    switch (k) {
    case 1:
        *u = R * std::sin(phi), *v = R - R * std::cos(phi);
        break;
    case 2:
        *u = -s, *v = 2.0 * R;
        break;
    case 3:
        *u = -L - R * std::sin(phi), *v = R + R * std::cos(phi);
        break;
    default:
        *u = -L + s, *v = 0.0;
        break;
    }
}

// How far along part k the aircraft at (u, v) stands, abeam its place; at
// most 0 short of its start (before the fix, ahead of the outbound leg when
// the pattern is joined against the inbound course, short of the inbound
// leg), where it is still joining the part.
double part_progress(const HoldRacetrack& r, int k, double u, double v) {
    const double R = r.radius_nm, L = r.leg_nm;
    const auto round = [&](double phi) {
        // Half a turn from the part's start; the far side of its circle
        // reads as its nearer end.
        if (phi < 0.0) phi += 2.0 * kPi;
        return R * (phi > 1.5 * kPi ? 0.0 : std::min(phi, kPi));
    };
    switch (k) {
    case 1:
        return u < 0.0 && v < R ? u : round(std::atan2(u, R - v));
    case 2:
        return std::min(-u, L);
    case 3:
        return round(std::atan2(-L - u, v - R));
    default:
        return std::min(u + L, L);
    }
}

} // namespace

RacetrackWalk walk_racetrack(const HoldRacetrack& r, int part, double along, double across, double nm,
                             int leave_after) {
    int k = std::clamp(part, 1, 4);
    double s = part_progress(r, k, along, across);
    double rest = std::max(nm, 0.0);
    const double lap = 2.0 * (kPi * r.radius_nm + r.leg_nm);
    if (!(lap > 0.0)) return {r.fix, leave_after != 0 ? rest : 0.0};
    if (s <= 0.0) {
        // Joining the part: straight to its start, as LNAV closes on it.
        double u = 0.0, v = 0.0;
        part_point(r, k, 0.0, &u, &v);
        const double join = std::hypot(u - along, v - across);
        if (rest <= join) {
            const double f = join > 0.0 ? rest / join : 0.0;
            return {racetrack_point(r, along + (u - along) * f, across + (v - across) * f), 0.0};
        }
        rest -= join;
        s = 0.0;
    }
    // An aircraft off the part it flies (the pattern grows with the true
    // airspeed in a climb, and a turn begun on the smaller one ends wide of
    // the larger) comes back onto it as LNAV steers to its look-ahead point:
    // its offset from its place abeam carries to the points just ahead and
    // is gone kPatternRejoinNm on.
    double off_u = 0.0, off_v = 0.0;
    if (s > 0.0) {
        double u = 0.0, v = 0.0;
        part_point(r, k, s, &u, &v);
        off_u = along - u, off_v = across - v;
    }
    // What is walked so far is what `rest` lost, whole laps too.
    const double total = rest;
    const auto at = [&](double u, double v) {
        const double fade = std::max(0.0, 1.0 - (total - rest) / kPatternRejoinNm);
        return racetrack_point(r, u + off_u * fade, v + off_v * fade);
    };
    bool lapped = false;
    for (;;) {
        const double length = part_length(r, k);
        if (s + rest <= length) {
            double u = 0.0, v = 0.0;
            part_point(r, k, s + rest, &u, &v);
            rest = 0.0;
            return {at(u, v), 0.0};
        }
        rest -= length - s;
        s = 0.0;
        if (k == leave_after) {
            double u = 0.0, v = 0.0;
            part_point(r, k, length, &u, &v);
            return {at(u, v), rest};
        }
        k = k % 4 + 1;
        // Round and round: whole laps come back to the same place.
        if (!lapped && leave_after == 0 && lap > 0.0) rest = std::fmod(rest, lap);
        lapped = true;
    }
}
