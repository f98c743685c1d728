// The lateral steps of a working pass before steering: the course-reversal
// check, the passing-time stamp, sequencing of the TO waypoint, the
// distances and courses of its legs, and its switching distance. All
// run only with an active route; the tests use the previous pass's geometry.
#pragma once

#include "fms/guidance/lateral_guidance.h" // is_procedure_kind

#include <string>

// First of the lateral steps: keeps the TO off a "DISCO" or "THEN" entry and
// forgets a distance or a stop that belonged to another TO.
void settle_to_waypoint();
void check_course_reversal();
void stamp_passing_time();
void sequence_to_waypoint();
// The legs of the TO, then its switching distance from them.
void update_leg_geometry();
void update_switch_distance();
