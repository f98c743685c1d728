// Flying the first hold of the list: its racetrack (fms/guidance/
// hold_racetrack.h) and the ends of its four parts, the pattern points; with
// LNAV engaged the racetrack is flown with heading-bug events, armed when the
// fix is reached and left on request. Holds whose waypoint is behind are
// deleted.
#pragma once

#include "fms/guidance/lateral_guidance.h"

extern int hold_prev_point; // the pattern point before holding_active
// The ends of the racetrack's parts, "Xwind" to "Final": abeam the fix on
// the outbound side, the outbound leg's end, on the inbound line a leg before
// the fix, the fix.
extern GeoPosition hold_pattern_points[4];
extern double hold_point_distance_nm; // to the point flown to
extern double hold_point_course_deg;  // true
extern double hold_leg_length_nm;     // pattern leg into the point flown to
extern double hold_leg_course_deg;    // true
extern double hold_leg_angle_deg;     // between the two courses above, 0..180
extern double hold_heading_deg;       // magnetic: along the racetrack, or to the fix
extern double hold_heading_sent;      // last sent to the heading bug; 999 = none yet
// In the pattern: how far off the part of the racetrack flown, and to which
// side (as cross_track_direction).
extern double hold_cross_track_nm;
extern int hold_cross_track_direction;

// Builds (and with LNAV engaged flies) the first hold's pattern.
void build_hold_pattern();

// A working pass's hold step: the first hold's pattern when it sits on a
// plan waypoint, then the holds already passed are deleted.
void fly_holds();
