#include "fms/guidance/hold_flying.h"

#include "fms/math/heading_math.h"
#include "fms/math/nav_math.h"
#include "fms/plan/holds.h"
#include "fms/plan/plan_edit.h"
#include "fms/plan/route_plan.h"
#include "platform/text_file.h"
#include "sim/aircraft_state.h"
#include "sim/key_events.h"
#include "sim/panel_services.h"

#include <algorithm>
#include <cmath>

int hold_prev_point = 0;
GeoPosition hold_pattern_points[4];
double hold_point_distance_nm = 0.0;
double hold_point_course_deg = 0.0;
double hold_leg_length_nm = 0.0;
double hold_leg_course_deg = 0.0;
double hold_leg_angle_deg = 0.0;
double hold_heading_deg = 0.0;
// Nothing sent yet, so that a first heading of 360 is sent too (0 would pass
// for it).
double hold_heading_sent = 999.0;

namespace {

const char* const kPointNames[4] = {"Xwind", "Dwind", "Base", "Final"};

double right_of(double course) {
    course += 90.0;
    return course >= 360.0 ? course - 360.0 : course;
}
double left_of(double course) {
    course -= 90.0;
    return course < 0.0 ? course + 360.0 : course;
}

GeoPosition from(const GeoPosition& p, double course, double distance) {
    GeoPosition q;
    gc_destination_point(p.lat, p.lon, course, distance, &q.lat, &q.lon);
    return q;
}

GeoPosition point_of(const HoldEntry& h, int k) {
    return GeoPosition{h.points[k].lat, h.points[k].lon};
}

// Distance and course to point k and, in the pattern, the leg into it.
void measure(const HoldEntry& h, int k) {
    const GeoPosition p = point_of(h, k);
    gc_dist_course(aircraft_state.plat, aircraft_state.plon, p.lat, p.lon, &hold_point_distance_nm,
                   &hold_point_course_deg);
    if (k > 0) {
        const GeoPosition q = point_of(h, hold_prev_point);
        gc_dist_course(q.lat, q.lon, p.lat, p.lon, &hold_leg_length_nm, &hold_leg_course_deg);
    }
}

bool point_reached(int k, double d) {
    if (k == 0) return hold_point_distance_nm <= 0.25 * d || hold_point_distance_nm <= switch_distance;
    const double angle = std::fabs(hold_point_course_deg - hold_leg_course_deg);
    hold_leg_angle_deg = angle > 180.0 ? 360.0 - angle : angle;
    // Far off the pattern, the point behind the aircraft, or close to it.
    return hold_point_distance_nm > 2.5 * hold_leg_length_nm || hold_leg_angle_deg > 90.0 ||
           hold_point_distance_nm <= 0.25 * d;
}

void advance(const HoldEntry& h, int k) {
    holding_active = k + 1 > 4 ? 1 : k + 1;
    hold_prev_point = holding_active - 1 == 0 ? 4 : holding_active - 1;
    measure(h, holding_active);
}

// Leaves the pattern: the hold goes, and the next hold in the list starts
// from its fix (it is entered through the fix like the first).
void leave_hold(const HoldEntry& h) {
    hold_armed = 0;
    // The hold leaves the flown plan by its one edit path.
    PlanEdit edit(active_target(), "a hold left");
    delete_hold(h.active_index(), kHoldQuiet);
    holding_active = 0;
}

void fly_pattern(double d) {
    const HoldEntry& h = hold_list[1];
    const int k = holding_active;
    measure(h, k);
    if (point_reached(k, d)) {
        if (k == 0) {
            hold_armed = 1;
            hold_exit_state = kHoldExitHolding;
            // LNAV had the bug until now: the pattern's first heading goes out.
            hold_heading_sent = 999.0;
            advance(h, k);
        } else if ((hold_exit_state == kHoldExitAtPointOne && k == 1) ||
                   hold_exit_state == kHoldExitAtNextPoint) {
            hold_exit_state = kHoldExitAtNextPoint;
            leave_hold(h);
        } else {
            advance(h, k);
        }
    }
    hold_heading_deg = hold_point_course_deg - aircraft_state.magvar;
    if (hold_heading_deg < 0.5) hold_heading_deg += 360.0;
    const int sent = saturate_to_whole(hold_heading_sent);
    const int heading = heading_bug_value(hold_heading_deg, sent);
    if (hold_armed == 1 && holding_active > 0 && heading != sent) {
        trigger_key_event(kKeyHeadingBugSet, static_cast<uint32_t>(heading));
        hold_heading_sent = heading;
    }
}

} // namespace

void build_hold_pattern() {
    HoldEntry& h = hold_list.slot(1);
    double c = h.inbound_course + aircraft_state.magvar;
    if (c == 360.0) c = 0.0;
    double length = h.leg_distance;
    if (h.leg_mode == kHoldLegByTime) {
        length = std::min(std::max(aircraft_state.ground_speed_kt, 150.0) / 60.0 * h.leg_time, kHoldLegMaxNm);
        h.leg_distance = length;
    }
    const double d = 1.5 * length;

    const bool right = h.turn == kDirectionRight;
    const double a1 = right ? right_of(c) : left_of(c);
    const double a2 = right ? right_of(a1) : left_of(a1);
    const double a3 = right ? right_of(a2) : left_of(a2);
    hold_pattern_points[0] = from(point_of(h, 0), c, 0.2 * d);
    hold_pattern_points[1] = from(hold_pattern_points[0], a1, 0.5 * d);
    hold_pattern_points[2] = from(hold_pattern_points[1], a2, 0.75 * d);
    hold_pattern_points[3] = from(hold_pattern_points[2], a3, 0.5 * d);
    if (lnav_engaged != 1) return;

    for (int k = 0; k < 4; ++k) {
        h.points[k + 1].lat = hold_pattern_points[k].lat;
        h.points[k + 1].lon = hold_pattern_points[k].lon;
        h.points[k + 1].label = kPointNames[k];
    }
    fly_pattern(d);
}

void fly_holds() {
    if (hold_count() == 0) return;
    // Holds not yet executed (active index 0) wait for EXEC.
    if (hold_list[1].active_index() > 0) build_hold_pattern();
    if (hold_count() == 0 || hold_list[1].active_index() <= 0 ||
        hold_list[1].active_index() >= to_waypoint_index)
        return;
    // A hold moved into first place by a deletion waits for the next pass.
    // Most frames pass none: only then is an edit of the flown plan opened.
    bool behind = false;
    for (int i = 1; i <= hold_count() && !behind; ++i)
        behind = hold_list[i].active_index() > 0 && hold_list[i].active_index() < to_waypoint_index;
    if (!behind) return;
    PlanEdit edit(active_target(), "holds passed");
    for (int i = 1; i <= hold_count();) {
        if (hold_list[i].active_index() > 0 && hold_list[i].active_index() < to_waypoint_index) {
            delete_hold(hold_list[i].active_index(), kHoldQuiet);
            i = 2;
        } else {
            ++i;
        }
    }
}
