// The VNAV autopilot commands: the altitude and vertical speed that meet the
// vertical target, and the airspeed or Mach of the present flight phase and
// the constraint ahead. fms_update calls both on every pass with an active
// route; the speed routine also at each sequencing.
#pragma once

#include <cstdint>

void set_vnav_altitude_targets();
void set_vnav_speed_target();

// The altitude commanded in the descent: the vertical target, but never above
// the altitude flown (a target above is held level, not climbed to).
int32_t descent_altitude_command();

// The descent is flown: past the TOD and down to the vertical target.
bool descent_flown();

// After the TOD: the altitude of the descent path where the aircraft is now
// (descent_path_altitude), the one the deviation is read against: at the
// distance still to fly to the end of the descent segment along the legs the
// TOD is placed on, from the aircraft's place along its leg, each turn cut on
// its chord (path_distance_to). The walk back from the aircraft to the TOD
// jumped at each sequencing, where LNAV switches the TO early. A turn flown
// wider or tighter than its chord still moves that measure a little when the
// aircraft joins the next leg: the distance kept moves each pass by the
// distance flown and eases onto the measure by at most
// kPathEasingNm, so the deviation changes smoothly. Level at the TOD's
// altitude before the path comes down to it; kept without a target altitude.
void update_descent_path();
inline constexpr double kPathEasingNm = 0.03;

// The distance the descent path was last read at and where, for the next
// pass (-1: none yet).
inline double descent_path_distance_nm = -1.0;
inline double descent_path_lat = 0.0;
inline double descent_path_lon = 0.0;
inline int descent_path_target = -1;
// The path's length from the TOD to the target as flown (-1: the descent's
// own gradient).
inline double descent_path_span_nm = -1.0;
