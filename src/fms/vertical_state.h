// The vertical-profile state that the per-frame update reads and resets
// around the lateral steps; the vertical guidance writes it.
#pragma once

inline int toc_reached = 0;           // the top of climb has been passed
inline int tod_reached = 0;           // the top of descent has been passed
inline int profile_climb_pending = 0; // 1 after a profile prediction or the top of descent
inline int constraint_speed_armed = 0;

// Latches of the VNAV altitude and speed commands; 0 makes the next one due.
inline int vnav_altitude_sent = 0;
inline int vnav_speed_sent = 0;
inline int vnav_speed_force = 0; // cleared by every pass

// Along the route from the present position, and direct, to the destination.
inline double route_distance_to_destination_nm = 0.0;
inline double direct_distance_to_destination_nm = 0.0;
