// The vertical target: the constrained waypoint the descent aims at, which a
// destination appended to the active plan becomes with its elevation.
#pragma once

inline double vertical_target_altitude = 0.0; // ft
inline double vertical_target_lat = 0.0;
inline double vertical_target_lon = 0.0;
