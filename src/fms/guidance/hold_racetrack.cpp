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
