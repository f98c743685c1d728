// Distances along the active route from the present position: to the
// destination, along the route and straight. The vertical figures (to the
// T/C, to the T/D, from the T/D to the target) are the vertical profile's
// (fms/perf/vertical_profile.h).
#pragma once

// NM unless noted; courses true, degrees.
extern double distance_to_destination; // along the route through the TO waypoint
extern double course_to_destination;   // great circle to the last entry
extern double direct_distance_to_destination;
extern double
    descent_path_altitude; // ft, after the TOD (the vertical guidance's, fms/perf/autopilot_targets.h)

// Recomputes every value above (but the descent path's altitude) for the
// present position. With no TO waypoint inside the plan nothing changes.
void route_distance_summary();
