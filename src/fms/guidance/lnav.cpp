#include "fms/guidance/lnav.h"

#include "fms/guidance/cross_track.h"
#include "fms/guidance/hold_flying.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/math/heading_math.h"
#include "fms/math/nav_math.h"
#include "fms/plan/holds.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/selection_texts.h"
#include "sim/aircraft_state.h"
#include "sim/key_events.h"
#include "sim/panel_services.h"

#include <cmath>

namespace {

// How far aside the leg a turn onto it may swing and still be flown onto it.
constexpr double kTurnOntoLegReachNm = 20.0;

// The magnetic course to a point; the command wraps only upwards.
double heading_to(const GeoPosition& p) {
    double distance = 0.0;
    double course = 0.0;
    gc_dist_course(aircraft_state.plat, aircraft_state.plon, p.lat, p.lon, &distance, &course);
    double m = course - aircraft_state.magvar;
    if (m < 0.5) m += 360.0;
    return m;
}

// A non-finite command (degenerate geometry) keeps the last one.
void command(double heading) {
    if (std::isfinite(heading)) lnav_heading_command = heading;
}

bool in_hold_pattern() {
    return hold_armed != 0 && holding_active != 0;
}

// LNAV's steering on the active leg, with its cross-track error.
void steer_on_leg() {
    const AircraftState& a = aircraft_state;
    int bearing_side = 0;
    int heading_side = 0;
    double bearing_offset = 0.0;
    double heading_offset = 0.0;
    leg_course_and_distance(&bearing_side, &bearing_offset, &cross_track_direction, &cross_track_nm,
                            &heading_side, &heading_offset, kCrossTrackModeWide);

    const double look_ahead = cross_track_nm > 0.0 && cross_track_nm <= 3.5 ? 3.0 : 5.0;
    const double along = leg_distance_nm - distance_to_to_nm + look_ahead;
    if (direct_to_active == 1) {
        gc_point_toward(direct_to_origin.lat, direct_to_origin.lon, to_position.lat, to_position.lon, along,
                        &steer_point.lat, &steer_point.lon);
        command(heading_to(steer_point));
        if (switch_distance >= cross_track_nm) direct_to_active = 0; // established on the direct-to leg
        return;
    }
    command(course_to_to_deg);
    const GeoPosition from = active_leg_start();
    if (to_waypoint_index >= 0 && to_waypoint_index <= active_plan_last) {
        // On the great circle to the TO: the leg's course reads 360 for any
        // course below 1 degree.
        const RouteWaypoint& to = active_plan[to_waypoint_index];
        gc_point_toward(from.lat, from.lon, to.lat, to.lon, along, &steer_point.lat, &steer_point.lon);
    } else {
        gc_destination_point(from.lat, from.lon, leg_course_deg + a.magvar, along, &steer_point.lat,
                             &steer_point.lon);
    }
    // Swung wide in the turn onto the leg of the TO it sequenced (a hairpin
    // at cruise speed overshoots by more than the intercept's reach), it
    // keeps turning onto that leg: let go there, it would fly straight to
    // the TO for many miles beside the leg.
    bool turning_onto_leg = false;
    if (to_waypoint_index >= 0 && to_waypoint_index <= active_plan_last) {
        const RouteWaypoint& to = active_plan[to_waypoint_index];
        turning_onto_leg = sequenced_to_index == to_waypoint_index && sequenced_to_fix.lat == to.lat &&
                           sequenced_to_fix.lon == to.lon && cross_track_nm < kTurnOntoLegReachNm;
    }
    if (to_waypoint_index <= active_plan_last && (cross_track_nm < kInterceptWithinNm || turning_onto_leg)) {
        if (intercept_armed == 1) command(heading_to(steer_point));
    } else if (cross_track_nm >= kInterceptWithinNm && intercept_armed == 1) {
        intercept_armed = 0; // too far off: straight to the TO waypoint until the next sequencing
    }
}

} // namespace

void steer_lnav() {
    steer_on_leg();
    if (in_hold_pattern()) {
        // In a hold the way flown is the racetrack: the pages and displays
        // show how far off it the aircraft is, not off the leg into the fix
        // (LNAV's own reckoning on the leg stays as it was).
        cross_track_nm = hold_cross_track_nm;
        cross_track_direction = hold_cross_track_direction;
    }
}

void output_heading_bug() {
    if (lnav_engaged != 1 || aircraft_state.snap_token_106 != 1 || in_hold_pattern()) {
        last_heading_bug_sent = 999; // the first pass back sends the heading again
        return;
    }
    if (direct_to_turn_direction == 0) {
        const int heading = heading_bug_value(lnav_heading_command, last_heading_bug_sent);
        if (heading != last_heading_bug_sent) {
            trigger_key_event(kKeyHeadingBugSet, static_cast<uint32_t>(heading));
            last_heading_bug_sent = heading;
        }
    } else if (turn_direction(course_to_to_deg, aircraft_state.heading_deg) == direct_to_turn_direction) {
        direct_to_turn_direction = 0; // the imposed turn is complete
        direct_to_turn_text = "DEFAULT";
    }
}
