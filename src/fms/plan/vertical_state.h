// The vertical profile of the active route and the VNAV command state: the
// cruise altitude, the top of climb (TOC) and top of descent (TOD), the
// vertical target, the speed restrictions and the latches of the autopilot
// altitude, vertical-speed and speed commands. The profile prediction, the
// vertical guidance of fms_update and EXEC write them; pages and maps read.
#pragma once

#include "data/performance_values.h"

// Cruise altitude (ft; 0 = none) and the route file's "CruiseAlt", which the
// next EXEC adopts when positive.
inline int& cruise_altitude = performance_values.cruise_altitude;
inline int plan_cruise_altitude = 0;
// The highest a page or a route file takes: the field shows five digits of
// feet or FL999, so "999" is 99 900 ft. No lower ceiling: the aircraft
// file's MaxCruise bounds the predicted cruise level, not what the pilot
// asks for.
inline constexpr int kMaxCruiseAltitudeEntryFt = 99999;

// The flight's place on its profile (climb, cruise, descent) is
// vnav_phase (fms/perf/vnav_phase.h).
// Whether the descent speeds apply: after a prediction by the GNS pages and
// from the TOD on; not after a route-file load or a cleared plan.
inline constexpr int kDescentSpeedPhaseOff = 0;
inline constexpr int kDescentSpeedPhaseOn = 1;
inline int descent_speed_phase = kDescentSpeedPhaseOff;

inline double toc_lat = 0.0;
inline double toc_lon = 0.0;
inline double tod_lat = 0.0;
inline double tod_lon = 0.0;
// The altitude the descent path starts from (the cruise altitude, or the
// indicated altitude when the TOD is relocated after the TOC).
inline double tod_altitude = 0.0;
// Plan index of the waypoint before the TOC point, or of the last
// constrained climb waypoint.
inline int toc_index = 0;
// What plan_distance_to gave on the last sequencing before the TOC.
inline int toc_sequence_index = 0;
// The TO index when the TOD was last located for a new level or passed.
inline int tod_sequence_index = 0;
// The path's turns past the FROM stepped from the aircraft
// (from_turns_stepped) when the TOD was last kept.
inline unsigned tod_from_turns = 0;

// Results of the profile prediction.
inline double predicted_cruise_altitude_ft = 0.0;
inline int climb_distance_nm = 0; // truncated
inline double descent_rate_used_fpm = 0.0;

// The end of the current vertical segment: a climb constraint or the TOC in
// the climb, the TOD in cruise, the next constraint in the descent.
inline double vertical_target_altitude = 0.0;
inline double vertical_target_lat = 0.0;
inline double vertical_target_lon = 0.0;

// The points of the profile go with the route they were placed on: a route
// reset or replaced leaves none for a map to draw until its own profile
// places them.
inline unsigned profile_points_revision = 0;
inline void forget_profile_points() {
    ++profile_points_revision;
    toc_lat = toc_lon = 0.0;
    tod_lat = tod_lon = 0.0;
    vertical_target_lat = vertical_target_lon = 0.0;
}

// 1 once a control unit that edits the flown plan at once (the GNS, the MCU)
// changed it: the profile is made again for the route now flown, as EXEC
// makes it for a CDU's change, and this goes back to 0.
inline int flown_plan_edited = 0;

// The climb constraint VNAV climbs to (an entry of the active plan); 0 while
// it climbs to the cruise altitude.
inline int climb_constraint_index = 0;

// Speed restrictions: 1.0 while the climb limit speed is commanded; 1.0 once
// the descent limit speed was sent (0 again at the TOC); 1 once the speed of
// a constrained TO waypoint was asked for (0 at each sequencing).
inline double climb_speed_limit_active = 0.0;
inline double descent_restriction_applied = 0.0;
inline int constraint_speed_armed = 0;

// VNAV command latches. vnav_altitude_set 0 makes the next pass command the
// target altitude; vnav_speed_set 0 makes a speed command due;
// vnav_speed_refresh 1 lets it go out beyond the restriction distance (every
// pass clears it).
inline int vnav_altitude_set = 0;
inline int vnav_speed_set = 0;
inline int vnav_speed_refresh = 0;

// The vertical speed VNAV needs (ft/min, shown by the VNAV pages), the last
// command worked out and the last one sent (-999 none), the low-speed hold and
// the cruise Mach command (Mach x 100).
inline double vnav_required_vs = 0.0;
inline int vnav_vs_command = 0;
inline constexpr int kNoVsSent = -999;
inline int vnav_vs_sent = kNoVsSent;
// The descent command waiting to go out and the passes it has stood.
inline int vnav_vs_pending = kNoVsSent;
inline int vnav_vs_pending_passes = 0;
inline int vnav_low_speed_hold = 0;
inline int cruise_mach_command = 0;
