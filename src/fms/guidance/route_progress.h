// Distances along the active route from the present position: to the
// destination, to the top of climb and top of descent, to the vertical
// target, and the straight descent path's altitude after the TOD. Also the
// along-route decisions that the TOC or TOD lies behind the aircraft.
#pragma once

// NM unless noted; courses true, degrees.
extern double distance_to_destination; // along the route through the TO waypoint
extern double course_to_destination;   // great circle to the last entry
extern double direct_distance_to_destination;
extern double distance_to_toc;
extern double toc_sum; // decides that the TOC is passed
extern double distance_to_tod;
extern double tod_to_target_distance; // TOD to the constraint waypoint
extern double distance_to_target;     // aircraft to the constraint waypoint, after the TOD
extern double vertical_target_distance;
extern double
    descent_path_altitude; // ft, after the TOD (the vertical guidance's, fms/perf/autopilot_targets.h)
// Before the TOC: whether the TOC point lies on the route ahead (a climb
// longer than the route has none there; the point kept is an old one).
extern bool toc_ahead;

// Recomputes every value above for the present position. Values that do not
// apply in the present phase read 0. With no TO waypoint inside the plan
// nothing changes.
void route_distance_summary();
