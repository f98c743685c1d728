// Guidance values that the plan insertions keep in step with the plans they
// change: the TO waypoint's position, the direct-leg flag of the leg into it,
// and the vertical target that a destination's elevation sets.
#pragma once

inline double to_waypoint_lat = 0.0; // degrees
inline double to_waypoint_lon = 0.0;
// 1 = the leg to the TO waypoint starts at a stored present position.
inline int direct_leg_active = 0;

inline double vertical_target_altitude = 0.0; // ft
inline double vertical_target_lat = 0.0;
inline double vertical_target_lon = 0.0;
