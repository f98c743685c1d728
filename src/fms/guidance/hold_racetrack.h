// The racetrack of a hold: the one shape that LNAV flies and every map draws.
// The inbound leg ends at the fix; there a turn of the hold's radius on its
// side brings the aircraft onto the outbound leg, two radii off and as long as
// the inbound one, and a second turn brings it back onto the inbound leg. The
// legs are the leg time at the hold speed, the ground speed (or the leg
// length given). The turns are those of the fastest ground speed a turn meets,
// the true airspeed with the wind behind it, so that the aircraft can fly them:
// standard rate, or 25 degrees of bank where standard rate would need more.
#pragma once

#include "fms/plan/route_plan.h"

struct AircraftState;
struct HoldEntry;

// The hold speed is the ground speed, never below this.
inline constexpr double kHoldLeastSpeedKt = 150.0;
inline constexpr double kHoldTurnRateDps = 3.0;
inline constexpr double kHoldBankDeg = 25.0;
// LNAV brings an aircraft off the pattern back onto it over about its
// farthest look-ahead.
inline constexpr double kPatternRejoinNm = 5.0;

struct HoldRacetrack {
    GeoPosition fix;
    double inbound_true_deg = 0.0;
    int side = 1; // +1 right turns, -1 left turns
    double leg_nm = 0.0;
    double radius_nm = 0.0;
};

double hold_speed_kt(double ground_speed_kt);
// The radius of a hold turn at that speed.
double hold_turn_radius_nm(double speed_kt);
// The leg length the hold is flown with at that speed: its leg time's, or
// its leg length (a timed leg within kHoldLegMaxNm).
double hold_leg_nm(const HoldEntry& hold, double speed_kt);

// The racetrack of `hold` at the aircraft's speeds and wind, its inbound
// course made true with the aircraft's magvar.
HoldRacetrack hold_racetrack(const HoldEntry& hold, const AircraftState& aircraft);

// Positions in the racetrack's own frame: `along` NM ahead of the fix on the
// inbound course, `across` NM towards the side of the turns.
GeoPosition racetrack_point(const HoldRacetrack& r, double along, double across);
void racetrack_frame(const HoldRacetrack& r, double lat, double lon, double* along, double* across);

// Where the aircraft at (along, across) on part `part` of the racetrack
// (1 the turn at the fix .. 4 the inbound leg, as holding_active names them)
// comes after `nm` more round it: the path a climb or a descent in the
// pattern is flown along. With `leave_after` (a part; 0 none) the pattern is
// left at that part's end: `at` is that end and `left_nm` what remains of
// `nm` past it.
struct RacetrackWalk {
    GeoPosition at;
    double left_nm = 0.0;
};
RacetrackWalk walk_racetrack(const HoldRacetrack& r, int part, double along, double across, double nm,
                             int leave_after);
