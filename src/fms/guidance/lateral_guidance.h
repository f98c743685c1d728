// The guidance room of the core: what a working pass computes laterally along
// the active route: the TO waypoint, the cross-track error and LNAV steering,
// flying a hold, and the distances and times to go. Sequencing the TO
// waypoint also retunes the radios and sets the VNAV speed, so it stands with
// the update, above every room.
//
// The lateral guidance values of the active route: the TO waypoint, the
// distances and magnetic courses to it and along the legs, the switching
// distance, the cross-track error, the direct-to leg and the LNAV heading.
// fms_update writes them; the pages, displays and SERVER read them.
#pragma once

#include "fms/plan/route_plan.h"

#include <string>

extern int lnav_engaged; // 1 = LNAV steers the heading bug
extern int vnav_engaged;

// Distance to the TO waypoint (NM); 9999 until computed, -1 when the
// course-reversal check forces sequencing.
extern double distance_to_to_nm;
extern double distance_to_to_prev_nm;
inline constexpr double kDistanceNotComputed = 9999.0;
// The TO waypoint (index and fix) that distance_to_to_nm was measured to. A
// TO put in place since (a direct-to, a new plan, the pilot stepping it) has
// no distance yet, so the last one must not sequence it.
extern int distance_to_to_index;
extern GeoPosition distance_to_to_fix;
// 1 once the aircraft has been outside the switching distance of this TO.
extern int to_approached;
extern double course_to_to_deg; // magnetic, from the present position
extern double leg_distance_nm;  // active leg: previous entry (or direct-to origin) to TO
extern double leg_course_deg;
extern double leg_course_prev_deg;
extern double next_leg_distance_nm; // TO to the entry after it; 0 with none flown after it
extern double next_leg_course_deg;
// The TO waypoint is sequenced inside this distance. Worked out after the
// distances of the same pass, for the TO they were measured to.
extern double switch_distance;

// Cross-track error from the active leg: 1 right of it, 2 left; NM.
extern int cross_track_direction;
extern double cross_track_nm;

extern GeoPosition steer_point;     // the point on the active leg LNAV steers to
extern double lnav_heading_command; // magnetic
extern int last_heading_bug_sent;   // whole degrees; 999 = none
extern int intercept_armed;         // 1 = steer to the leg, 0 = fly straight to TO

// The TO sequencing stepped to (index and fix; index -1 when none): one put
// in place otherwise (a new plan, a direct-to) differs from it.
extern int sequenced_to_index;
extern GeoPosition sequenced_to_fix;

// LNAV intercepts the active leg from nearer than this (NM); farther off it
// flies straight to the TO until the next sequencing arms the intercept.
inline constexpr double kInterceptWithinNm = 10.0;

// How far the aircraft is off the active leg (NM), measured as LNAV measures
// its cross-track, from where it is now.
double active_leg_offset_nm();

// Whether LNAV flies from the aircraft straight to the TO of a route put in
// place (activated, loaded, executed anew, LNAV engaged again), on no leg:
// the intercept is not armed, or the aircraft is too far off the active leg
// to intercept it. A direct-to flies its own leg and a hold its pattern; a TO
// sequencing stepped to is flown round the corner before it, however wide,
// and that corner measures it. Everything measured to the TO is then
// measured along the straight line.
bool flies_straight_to_to();

// A direct-to leg from direct_to_origin on the magnetic course; while
// direct_to_turn_direction is 1 or 2 the turn into it is imposed and LNAV
// leaves the heading bug alone.
extern int direct_to_active;
extern GeoPosition direct_to_origin;
extern double direct_to_course_deg;
extern int direct_to_turn_direction;

// The TO waypoint reached with an entry after it that is not flown (a gap,
// a THEN entry, a destination still to be entered; index and fix; index -1
// when none): it stays the TO and LNAV lets go, so the aircraft keeps its
// heading until the pilot closes the gap; then the next waypoint is
// sequenced.
extern int discontinuity_stop_index;
extern GeoPosition discontinuity_stop_fix;

// The TO is held at such a gap: LNAV has nothing to steer to and does not
// engage.
bool to_held_at_gap();

// After an edit of the flown plan: with no TO left (the route ended or begun
// anew) LNAV has no route to steer along and lets go, as its key refuses to
// engage with none.
void release_lnav_without_route();

// Set by the course-reversal check in cruise; the top-of-descent test takes it.
extern int reversal_near_tod;

// How many waypoints have been passed since the module started.
extern int waypoints_passed;

// The last sequenced waypoint for the PROGRESS pages.
extern std::string last_passed_waypoint;
extern std::string last_passed_time_text; // "HHMMZ"
extern double last_passed_altitude_ft;
extern double last_passed_fuel; // pounds, or kilograms with WeightUnit "KGS"

// A true course as the module shows it magnetic: minus magvar, plus 360 below
// 0.5, minus 360 at 360 or more.
double magnetic_course(double true_course);

// Where the active leg starts: the direct-to origin during a direct-to, else
// the place before the TO waypoint (a "DISCO" or "THEN" entry is no place).
GeoPosition active_leg_start();

// Starts a direct-to leg from the present position to the TO waypoint.
void start_direct_to();

// A procedure's leg ("SID", "STAR", "SIDSTAR", "APPR", "APCH"): sequenced at
// the procedure switching distance.
bool is_procedure_kind(const std::string& kind);

// A turn at a fix sharper than this (degrees between the leg in and the leg
// out) is not flown by: the arc of a fly-by turn stands R(1/cos(t/2) - 1)
// from its fix, a turn radius R off it at 120 degrees, and anticipated for a
// hairpin it would sequence the fix miles early and turn round short of it.
// Such a fix is sequenced at the fly-over distance and LNAV turns past it
// onto the leg out. In whole degrees, as the turn is anticipated: a turn of
// exactly that angle measured from two places along its leg in is one turn.
inline constexpr int kFlyByMostDeg = 120;
bool turns_past_fix(double turn_deg);

// Whether LNAV turns past active entry i between legs turning by `turn_deg`:
// too sharp to fly by, and no hold there (one is left off its inbound
// course, round its pattern's own turn).
bool turns_past_entry(int i, double turn_deg);

// Where LNAV sequences active entry i: this far before it, by its kind
// (procedure, fly-over, en route) and, with the turn anticipated
// (`anticipate`), the whole degrees of the turn from its leg in onto its leg
// out (0..180); a turn past the fix at the fly-over distance. One rule for
// the sequencing and for the path that measures it.
double switching_distance(int i, double turn_deg, bool anticipate);
