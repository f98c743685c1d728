#include "fms/guidance/lateral_guidance.h"

#include "data/module_settings.h"
#include "fms/math/nav_math.h"
#include "fms/plan/holds.h"
#include "fms/plan/plan_legs.h"
#include "platform/text_file.h"
#include "sim/aircraft_state.h"

#include <algorithm>
#include <cmath>

int lnav_engaged = 0;
int vnav_engaged = 0;

double distance_to_to_nm = kDistanceNotComputed;
double distance_to_to_prev_nm = kDistanceNotComputed;
int distance_to_to_index = -1;
GeoPosition distance_to_to_fix;
int to_approached = 0;
double course_to_to_deg = 0.0;
double leg_distance_nm = 0.0;
double leg_course_deg = 0.0;
double leg_course_prev_deg = 0.0;
double next_leg_distance_nm = 0.0;
double next_leg_course_deg = 0.0;
double switch_distance = 0.0;

int cross_track_direction = 0;
double cross_track_nm = 0.0;

GeoPosition steer_point;
double lnav_heading_command = 0.0;
int last_heading_bug_sent = 999;
int intercept_armed = 0;
int sequenced_to_index = -1;
GeoPosition sequenced_to_fix;

int direct_to_active = 0;
GeoPosition direct_to_origin;
double direct_to_course_deg = 0.0;
int direct_to_turn_direction = 0;

int discontinuity_stop_index = -1;
GeoPosition discontinuity_stop_fix;

int reversal_near_tod = 0;

int waypoints_passed = 0;

std::string last_passed_waypoint;
std::string last_passed_time_text;
double last_passed_altitude_ft = 0.0;
double last_passed_fuel = 0.0;

double magnetic_course(double true_course) {
    double m = true_course - aircraft_state.magvar;
    if (m < 0.5)
        m += 360.0;
    else if (m >= 360.0)
        m -= 360.0;
    return m;
}

bool to_held_at_gap() {
    const int to = to_waypoint_index;
    return to >= 0 && to < kPlanLastIndex && discontinuity_stop_index == to && to <= active_plan_last &&
           is_unflown(active_plan[to + 1]);
}

void release_lnav_without_route() {
    if (to_waypoint_index == kNoToWaypoint) lnav_engaged = 0;
}

GeoPosition active_leg_start() {
    if (direct_to_active == 1) return direct_to_origin;
    const int to = to_waypoint_index;
    const int from = to >= 0 && to <= kPlanLastIndex ? previous_place(active_plan, to) : -1;
    const RouteWaypoint& w = active_plan[from >= 0 ? from : to];
    return GeoPosition{w.lat, w.lon};
}

void start_direct_to() {
    direct_to_origin = GeoPosition{aircraft_state.plat, aircraft_state.plon};
    direct_to_active = 1;
    double distance = 0.0;
    double course = 0.0;
    gc_dist_course(direct_to_origin.lat, direct_to_origin.lon, to_position.lat, to_position.lon, &distance,
                   &course);
    double m = course - aircraft_state.magvar;
    if (m < 0.5) m += 360.0;
    direct_to_course_deg = m;
}

double active_leg_offset_nm() {
    const int to = to_waypoint_index;
    if (to < 1 || to > active_plan_last) return 0.0;
    const AircraftState& a = aircraft_state;
    const RouteWaypoint& w = active_plan[to];
    const GeoPosition start = active_leg_start();
    double leg = 0.0, straight = 0.0, course = 0.0;
    gc_dist_course(start.lat, start.lon, w.lat, w.lon, &leg, &course);
    gc_dist_course(a.plat, a.plon, w.lat, w.lon, &straight, &course);
    GeoPosition abeam;
    gc_point_toward(start.lat, start.lon, w.lat, w.lon, leg - straight, &abeam.lat, &abeam.lon);
    double off = 0.0;
    gc_dist_course(abeam.lat, abeam.lon, a.plat, a.plon, &off, &course);
    return off;
}

bool flies_straight_to_to() {
    const int to = to_waypoint_index;
    if (to < 1 || to > active_plan_last || direct_to_active == 1) return false;
    if (hold_armed != 0 && holding_active != 0) return false;
    // Swung wide of the corner it sequenced the TO at, the aircraft is in
    // that corner: its own measure holds there.
    const RouteWaypoint& w = active_plan[to];
    if (sequenced_to_index == to && sequenced_to_fix.lat == w.lat && sequenced_to_fix.lon == w.lon)
        return false;
    return intercept_armed != 1 || active_leg_offset_nm() >= kInterceptWithinNm;
}

bool is_procedure_kind(const std::string& kind) {
    // The insertions write "APPR" for approach legs; "APCH" is taken as well.
    return kind == "SID" || kind == "STAR" || kind == "SIDSTAR" || kind == "APPR" || kind == "APCH";
}

bool turns_past_fix(double turn_deg) {
    return saturate_to_whole(turn_deg) > kFlyByMostDeg;
}

bool turns_past_entry(int i, double turn_deg) {
    return turns_past_fix(turn_deg) && hold_mark(active_plan, i) == 0;
}

double switching_distance(int i, double turn_deg, bool anticipate) {
    if (turns_past_entry(i, turn_deg)) return FlyoverWptChgDist;
    const RouteWaypoint& to = active_plan[i];
    double s = is_procedure_kind(to.kind) ? WptProcChgDist : to.flyover == 1 ? FlyoverWptChgDist : WptChgDist;
    if (anticipate && AdjustTurnDistforAngle == 1 && to.flyover != 1 && std::isfinite(turn_deg))
        s += saturate_to_whole(std::clamp(turn_deg, 0.0, 180.0)) * 0.028;
    return s;
}
