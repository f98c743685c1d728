// How far and to which side the aircraft is off the active leg, and how far
// the bearing to the TO waypoint and the heading are from the leg's course.
#pragma once

// Sides are 1 or 2 (for the cross-track: 1 right of the leg, 2 left);
// offsets in degrees, not folded into 0..180; the distance in NM, limited to
// 5.0, or to 125.0 in kCrossTrackModeWide. Without a TO waypoint inside the
// plan (1..last) the distance is -99.0 and nothing else is written.
void leg_course_and_distance(int* bearing_side, double* bearing_offset, int* xtk_side, double* xtk_distance,
                             int* heading_side, double* heading_offset, int mode);
inline constexpr int kCrossTrackModeNarrow = 0; // any mode but the wide one
inline constexpr int kCrossTrackModeWide = 7;
