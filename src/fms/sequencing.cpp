#include "fms/sequencing.h"

#include "data/module_settings.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/guidance/route_progress.h"
#include "fms/math/nav_math.h"
#include "fms/nav/radio_autotune.h"
#include "fms/perf/autopilot_targets.h"
#include "fms/perf/vnav_phase.h"
#include "fms/plan/active_leg.h"
#include "fms/plan/entry_marks.h"
#include "fms/plan/flight_log.h"
#include "fms/plan/holds.h"
#include "fms/plan/plan_edit.h"
#include "fms/plan/plan_legs.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/update_state.h"
#include "fms/plan/vertical_state.h"
#include "platform/text_file.h"
#include "sim/aircraft_state.h"
#include "sim/key_events.h"
#include "sim/panel_services.h"
#include "sim/sim_var_reader.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// The unsigned angle between two courses, 0..180.
double course_angle(double a, double b) {
    double d = std::fabs(a - b);
    return d > 180.0 ? 360.0 - d : d;
}

// Whether the TO waypoint lies inside the circle of the aircraft's turn
// toward it, at the rate autopilots keep to (standard rate, or 25 degrees of
// bank where that turns slower): steering to it then circles it for ever.
bool to_inside_turn() {
    const AircraftState& a = aircraft_state;
    constexpr double kPi = 3.14159265358979323846;
    const double speed_fps = a.ground_speed_kt * 1.68781;
    if (!(speed_fps > 0.0)) return false;
    const double rate = std::min(3.0 * kPi / 180.0, 32.174 * std::tan(25.0 * kPi / 180.0) / speed_fps);
    const double radius_nm = speed_fps / rate / 6076.12;
    const double off_heading = course_angle(course_to_to_deg, a.heading_deg) * kPi / 180.0;
    return distance_to_to_nm < 2.0 * radius_nm * std::sin(off_heading);
}

// Whether the aircraft has passed abeam the TO waypoint: seen from the
// waypoint it lies more than 90 degrees off the way back along the leg. Both
// courses are taken at the waypoint: near a pole the leg's course where it
// starts says nothing of its course here.
bool to_behind() {
    const GeoPosition start = active_leg_start();
    double distance = 0.0, back = 0.0, to_aircraft = 0.0;
    gc_dist_course(to_position.lat, to_position.lon, start.lat, start.lon, &distance, &back);
    gc_dist_course(to_position.lat, to_position.lon, aircraft_state.plat, aircraft_state.plon, &distance,
                   &to_aircraft);
    return saturate_to_whole(course_angle(back, to_aircraft)) > 90;
}

// Whether the aircraft is still turning past the FROM onto the leg to the
// TO: the FROM's turn one past its fix and the TO more than a right angle
// off the heading. A TO on a leg out shorter than its switching distance
// waits for the turn: it is flown to, not passed from the far side of the
// turn the pass its FROM is.
constexpr double kTurningAwayNm = 0.5; // nearer, its course says nothing
bool turning_past_from() {
    const int to = to_waypoint_index;
    if (lnav_engaged != 1 || direct_to_active == 1 || to < 1 || to > active_plan_last ||
        distance_to_to_nm <= kTurningAwayNm ||
        course_angle(course_to_to_deg, aircraft_state.heading_deg) <= 90.0)
        return false;
    const int from = previous_place(active_plan, to);
    const int before = from >= 1 ? previous_place(active_plan, from) : -1;
    if (before < 0) return false;
    const RouteWaypoint& b = active_plan[before];
    const RouteWaypoint& f = active_plan[from];
    const RouteWaypoint& t = active_plan[to];
    double nm = 0.0, in = 0.0, out = 0.0;
    gc_dist_course(b.lat, b.lon, f.lat, f.lon, &nm, &in);
    gc_dist_course(f.lat, f.lon, t.lat, t.lon, &nm, &out);
    return turns_past_entry(from, course_angle(in, out));
}

bool first_hold_at(int index) {
    return hold_count() > 0 && hold_list[1].active_index() == index;
}

void stamp_last_passed(const RouteWaypoint& to) {
    const AircraftState& a = aircraft_state;
    char text[32];
    last_passed_waypoint = to.ident;
    std::snprintf(text, sizeof text, "%02.0f%02.0fZ", a.zulu_hours, a.zulu_minutes);
    last_passed_time_text = text;
    last_passed_altitude_ft = a.indicated_altitude_ft;
    last_passed_fuel = sim_var_object.get_fuel_on_board_lb();
    if (WeightUnit == "KGS") last_passed_fuel *= 0.45359237;
}

// Distance and magnetic course between two points.
void leg(double lat1, double lon1, double lat2, double lon2, double* distance, double* course) {
    double true_course = 0.0;
    gc_dist_course(lat1, lon1, lat2, lon2, distance, &true_course);
    *course = magnetic_course(true_course);
}

bool same_fix(int index, const GeoPosition& fix, int other_index, const GeoPosition& other_fix) {
    return index == other_index && fix.lat == other_fix.lat && fix.lon == other_fix.lon;
}

// The TO moved by sequencing: an edit of the flown plan, and the core's,
// whichever gauge's frame runs it, so it ends no unit's pending change.
void step_to(int index, const char* where) {
    const PlanUnitScope core(PlanUnit::Core);
    PlanEdit edit(active_target(), where);
    edit.set_to(index);
}

} // namespace

void check_course_reversal() {
    const int to = to_waypoint_index;
    // A hold's fix is not passed this way, unless the pilot asked to leave
    // the hold: then it is a fix flown to like any other (inside the turn,
    // steering back to it circled it for ever).
    const bool leaving = hold_exit_state == kHoldExitAtNextPoint && hold_armed == 0;
    if (lnav_engaged != 1 || aircraft_state.snap_token_106 != 1 || (first_hold_at(to) && !leaving) ||
        standing_on_ground() || !to_behind())
        return;
    // Within 10 NM a waypoint behind is passed, except on the last two legs,
    // where the aircraft turns back for it. One inside the turn is passed
    // anywhere: turning toward it never gets there.
    const bool near = distance_to_to_nm < 10.0 && to < active_plan_last - 1;
    if (!near && !to_inside_turn()) return;
    // The waypoint lies behind: any switching distance sequences it now.
    distance_to_to_nm = -1.0;
    call_for_vnav_targets(VnavReason::CourseReversal, kBothTargets);
    if (vnav_phase == VnavPhase::Cruise) reversal_near_tod = 1;
}

void stamp_passing_time() {
    if (!(switch_distance > distance_to_to_nm) || aircraft_state.ground_speed_kt <= 65.0) return;
    const RouteWaypoint& to = active_plan[to_waypoint_index];
    if (!passing_time(to).empty()) return;
    char text[32];
    std::snprintf(text, sizeof text, "%02.0f:%02.0f", aircraft_state.zulu_hours, aircraft_state.zulu_minutes);
    plan_marks.stamp(to, text);
    publish_flown_plan();
}

void settle_to_waypoint() {
    const int to = to_waypoint_index;
    if (to < 0 || to > active_plan_last) return;
    if (!is_place(active_plan[to])) {
        // A placed discontinuity is flown to the fix it stands on; an entry
        // not flown at all hands the TO to the place after (or before) it.
        const int place = flown_place(active_plan, to, active_plan_last);
        if (place == to) return;
        step_to(place, "the TO settled on a place");
    }
    const GeoPosition fix = to_position;
    if (!same_fix(to_waypoint_index, fix, discontinuity_stop_index, discontinuity_stop_fix))
        discontinuity_stop_index = -1;
    if (!same_fix(to_waypoint_index, fix, distance_to_to_index, distance_to_to_fix)) {
        distance_to_to_nm = kDistanceNotComputed;
        distance_to_to_index = -1;
        to_approached = 0;
    }
}

void sequence_to_waypoint() {
    const bool stopped = discontinuity_stop_index == to_waypoint_index;
    if (!(switch_distance > distance_to_to_nm) && !stopped) return;
    if (lnav_engaged != 1 && SequenceFPlanWpts != 1) return;
    // Not from the far side of a turn past the FROM (unless the course
    // reversal check passes it: inside the turn it is never reached).
    if (!stopped && distance_to_to_nm >= 0.0 && turning_past_from()) return;
    // Parked or taxiing, the aircraft flies no leg yet: a fix near the
    // airport (or one a reversal's turn anticipation reaches) stays the TO,
    // so the first leg, or a SID put in before it, is flown after take-off.
    if (standing_on_ground()) return;
    // Still waiting for the pilot to close the gap.
    if (stopped && is_unflown(active_plan[to_waypoint_index + 1])) return;
    // In the pattern the TO waypoint (the hold fix) stays until the hold is left.
    if (hold_armed != 0 && holding_active != 0 && hold_exit_state != kHoldExitDeleted) return;
    // Nor is an armed hold's fix that the aircraft has not yet flown to passed
    // while LNAV is off: a hold made at the present position lies under the
    // aircraft, and LNAV, once engaged, flies it.
    if (lnav_engaged != 1 && to_approached == 0 && hold_armed == 1 && first_hold_at(to_waypoint_index))
        return;
    constraint_speed_armed = 0;
    if (hold_exit_state == kHoldExitDeleted) hold_exit_state = kHoldExitHolding;

    if (to_waypoint_index >= active_plan_last) {
        lnav_engaged = 0; // the last waypoint ends the route's guidance
        return;
    }
    if (!stopped) {
        if (flight_phase < kFlightPhaseEndFlight) write_flight_log(kFlightLogWaypoint);
        stamp_last_passed(active_plan[to_waypoint_index]);
        ++waypoints_passed;
    }
    if (is_unflown(active_plan[to_waypoint_index + 1])) {
        // A gap in the route, or a destination still to be entered: the TO
        // stays, LNAV lets go and the aircraft keeps its heading until the
        // pilot closes the gap.
        discontinuity_stop_index = to_waypoint_index;
        discontinuity_stop_fix = to_position;
        lnav_engaged = 0;
        direct_to_active = 0;
        return;
    }
    discontinuity_stop_index = -1;
    // Through a placed discontinuity to the fix it stands on.
    step_to(flown_place(active_plan, to_waypoint_index + 1, active_plan_last), "a TO step");
    sequenced_to_index = to_waypoint_index;
    sequenced_to_fix = GeoPosition{active_plan[to_waypoint_index].lat, active_plan[to_waypoint_index].lon};
    route_distance_summary();
    call_for_vnav_targets(VnavReason::Sequenced, kSpeedTarget);
    set_vnav_speed_target();
    if (to_waypoint_index == active_plan_last) {
        // Only once the descent is flown: a long last leg still descends
        // (the vertical guidance lets go when it is).
        if (VnavOffAtLastWpt == 1 && descent_flown()) vnav_engaged = 0;
        if (LnavOffAtLastWpt == 1) lnav_engaged = 0;
    }
    if (LnavSetEnRouteFreqs == 1 && (lnav_engaged == 1 || SequenceFPlanWpts == 1))
        autotune_leg_radios(kAutotuneRouteAhead);
    if (direct_to_active == 1) direct_to_active = 0;
    intercept_armed = 1;
    if (SetWptBaro == 1) trigger_key_event(kKeyAltimeterSetting, 0);
}

void update_switch_distance() {
    const double gs = aircraft_state.ground_speed_kt;
    if (WptChgSecs > 0.0) WptChgDist = gs / 3600.0 * WptChgSecs;
    if (WptProcChgSecs > 0.0) WptProcChgDist = gs / 3600.0 * WptProcChgSecs;

    // The turn is anticipated from 15 NM out; the next leg's course is the
    // TO's own (update_leg_geometry).
    switch_distance = switching_distance(to_waypoint_index, course_angle(next_leg_course_deg, leg_course_deg),
                                         distance_to_to_nm < 15.0);
    if (distance_to_to_nm >= switch_distance) to_approached = 1;
}

void update_leg_geometry() {
    const AircraftState& a = aircraft_state;
    const int to = to_waypoint_index;
    const RouteWaypoint& fix = active_plan[to];
    distance_to_to_prev_nm = distance_to_to_nm;
    leg_course_prev_deg = leg_course_deg;

    const GeoPosition start = active_leg_start();
    leg(start.lat, start.lon, fix.lat, fix.lon, &leg_distance_nm, &leg_course_deg);
    leg(a.plat, a.plon, to_position.lat, to_position.lon, &distance_to_to_nm, &course_to_to_deg);
    distance_to_to_index = to;
    distance_to_to_fix = to_position;
    // The next leg is this TO's own, also beyond 10 NM: one kept from the TO
    // before would turn the turn anticipation toward a leg no longer flown.
    if (to < active_plan_last && !is_unflown(active_plan[to + 1])) {
        const RouteWaypoint& next = active_plan[to + 1];
        leg(fix.lat, fix.lon, next.lat, next.lon, &next_leg_distance_nm, &next_leg_course_deg);
    } else {
        // No leg follows the last waypoint or a gap: no turn to anticipate.
        next_leg_distance_nm = 0.0;
        next_leg_course_deg = leg_course_deg;
    }
}
