#include "fms/guidance/hold_flying.h"

#include "fms/guidance/hold_racetrack.h"
#include "fms/math/heading_math.h"
#include "fms/math/nav_math.h"
#include "fms/plan/holds.h"
#include "fms/plan/plan_edit.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/update_state.h"
#include "platform/text_file.h"
#include "sim/aircraft_state.h"
#include "sim/key_events.h"
#include "sim/panel_services.h"
#include "sim/sim_var_reader.h"

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
double hold_cross_track_nm = 0.0;
int hold_cross_track_direction = kDirectionRight;

namespace {

const char* const kPointNames[4] = {"Xwind", "Dwind", "Base", "Final"};

// The four parts of the racetrack, each named by the point it ends at: the
// turn at the fix ends abeam it on the outbound side, the outbound leg where
// the second turn begins, that turn on the inbound line, the inbound leg at
// the fix.
constexpr int kCrosswindTurn = 1;
constexpr int kOutboundLeg = 2;
constexpr int kBaseTurn = 3;
constexpr int kInboundLeg = 4;

// How far ahead the legs and turns are joined: off by this much the aircraft
// closes at 45 degrees.
constexpr double kLeastJoinNm = 0.5;
constexpr double kMostCorrectionDeg = 60.0;

// The end of part k, (along, across) in the racetrack's frame.
void part_end(const HoldRacetrack& r, int k, double* along, double* across) {
    const double L = r.leg_nm, w = 2.0 * r.radius_nm;
    *along = k == kOutboundLeg || k == kBaseTurn ? -L : 0.0;
    *across = k == kCrosswindTurn || k == kOutboundLeg ? w : 0.0;
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
        const double angle = std::fabs(hold_point_course_deg - hold_leg_course_deg);
        hold_leg_angle_deg = angle > 180.0 ? 360.0 - angle : angle;
    }
}

// Whether the aircraft at (u, v) has flown part k to its end.
bool part_flown(const HoldRacetrack& r, int k, double u, double v) {
    switch (k) {
    case kCrosswindTurn:
        return u <= 0.0 && v >= r.radius_nm;
    case kOutboundLeg:
        return u <= -r.leg_nm;
    case kBaseTurn:
        return u >= -r.leg_nm && v <= r.radius_nm;
    default:
        return u >= 0.0;
    }
}

// The track to fly on part k from (u, v), in the frame: degrees from the
// inbound course towards the side of the turns. The part's own track,
// turned back towards it by the distance off it.
// `off`: how far off the part, positive to the left of it as flown in the
// frame.
double track_on_part(const HoldRacetrack& r, int k, double u, double v, double* off_part) {
    const double join = std::max(r.radius_nm, kLeastJoinNm);
    double track = 0.0;
    double& off = *off_part;
    const bool turn = k == kCrosswindTurn || k == kBaseTurn;
    // Before the fix the first turn is reached along the inbound line.
    if (turn && !(k == kCrosswindTurn && u < 0.0 && v < r.radius_nm)) {
        const double cu = k == kCrosswindTurn ? 0.0 : -r.leg_nm;
        const double cv = r.radius_nm;
        // The turns go round their centres towards the side of the turns:
        // off to the left is inside.
        track = degrees(std::atan2(v - cv, u - cu)) + 90.0;
        off = r.radius_nm - std::hypot(u - cu, v - cv);
    } else if (k == kOutboundLeg) {
        track = 180.0;
        off = 2.0 * r.radius_nm - v;
    } else {
        off = v;
    }
    const double correction = std::min(degrees(std::atan2(std::fabs(off), join)), kMostCorrectionDeg);
    return track - (off > 0.0 ? correction : -correction);
}

// The part joined at the fix: the turn for an aircraft that comes along the
// inbound course, the outbound leg for one that comes against it.
int first_part(const HoldRacetrack& r) {
    const double off =
        floored_mod(aircraft_state.map_heading_deg - r.inbound_true_deg + 180.0, 360.0) - 180.0;
    return std::fabs(off) <= 90.0 ? kCrosswindTurn : kOutboundLeg;
}

// The true course at the aircraft (at u, v) of a track in the frame. The
// frame's directions are the fix's: away from it true north turns with the
// meridians, near a pole by as much as the whole turn, so the course is the
// one to a point a little way along the track.
double true_course_of(const HoldRacetrack& r, double u, double v, double frame_track_deg) {
    constexpr double kStepNm = 0.5;
    const double a = radians(frame_track_deg);
    const GeoPosition ahead = racetrack_point(r, u + kStepNm * std::cos(a), v + kStepNm * std::sin(a));
    double d = 0.0, course = 0.0;
    gc_dist_course(aircraft_state.plat, aircraft_state.plon, ahead.lat, ahead.lon, &d, &course);
    return course;
}

void set_part(const HoldEntry& h, int k) {
    holding_active = k;
    hold_prev_point = k - 1 == 0 ? 4 : k - 1;
    measure(h, k);
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

void fly_pattern(const HoldRacetrack& r) {
    const HoldEntry& h = hold_list[1];
    // A pattern whose fix is no longer the TO (the pilot went direct to
    // another fix before it) is not flown: the hold waits at its fix again.
    if (holding_active > 0 && h.active_index() != to_waypoint_index) {
        holding_active = 0;
        hold_exit_state = kHoldExitNotEntered;
    }
    const int k = holding_active;
    measure(h, k);
    double u = 0.0, v = 0.0;
    racetrack_frame(r, aircraft_state.plat, aircraft_state.plon, &u, &v);
    if (k == 0) {
        // The fix: reached within LNAV's own switching distance, a quarter
        // of a turn's width, or abeam it; never by an aircraft parked or
        // taxiing near it, nor by one flying another leg past it (the fix
        // may lie beside an earlier leg): only as the TO.
        const bool standing =
            sim_var_object.get_simvar_60_int() != 0 && aircraft_state.ground_speed_kt < 40.0;
        if (!standing && h.active_index() == to_waypoint_index &&
            (hold_point_distance_nm <= switch_distance || hold_point_distance_nm <= 0.5 * r.radius_nm ||
             (u >= 0.0 && hold_point_distance_nm <= 2.0 * r.radius_nm))) {
            hold_armed = 1;
            hold_exit_state = kHoldExitHolding;
            // LNAV had the bug until now: the pattern's first heading goes out.
            hold_heading_sent = 999.0;
            set_part(h, first_part(r));
        }
    } else if (part_flown(r, k, u, v)) {
        // Asked to leave at the fix: as the inbound leg crosses it.
        if ((hold_exit_state == kHoldExitAtPointOne && k == kInboundLeg) ||
            hold_exit_state == kHoldExitAtNextPoint) {
            hold_exit_state = kHoldExitAtNextPoint;
            leave_hold(h);
            return;
        }
        set_part(h, k == kInboundLeg ? kCrosswindTurn : k + 1);
    }
    // In the pattern the heading flies the racetrack; on the way to the fix
    // it is the course to the fix, and LNAV has the bug.
    const bool in_pattern = hold_armed == 1 && holding_active > 0;
    double off = 0.0;
    const double track = in_pattern ? true_course_of(r, u, v, track_on_part(r, holding_active, u, v, &off))
                                    : hold_point_course_deg;
    if (in_pattern) {
        // The frame is mirrored for left turns.
        hold_cross_track_nm = std::fabs(off);
        hold_cross_track_direction = (off > 0.0) == (r.side > 0) ? kDirectionLeft : kDirectionRight;
    }
    // Into the wind by the drift, so that the track is the racetrack's.
    hold_heading_deg =
        floored_mod(track, 360.0) - aircraft_state.magvar + (in_pattern ? drift_angle_deg : 0.0);
    if (hold_heading_deg < 0.5) hold_heading_deg += 360.0;
    const int sent = saturate_to_whole(hold_heading_sent);
    const int heading = heading_bug_value(hold_heading_deg, sent);
    if (in_pattern && heading != sent) {
        trigger_key_event(kKeyHeadingBugSet, static_cast<uint32_t>(heading));
        hold_heading_sent = heading;
    }
}

} // namespace

void build_hold_pattern() {
    HoldEntry& h = hold_list.slot(1);
    const HoldRacetrack r = hold_racetrack(h, aircraft_state);
    if (h.leg_mode == kHoldLegByTime) h.leg_distance = r.leg_nm;
    for (int k = 1; k <= 4; ++k) {
        double u = 0.0, v = 0.0;
        part_end(r, k, &u, &v);
        hold_pattern_points[k - 1] = racetrack_point(r, u, v);
    }
    if (lnav_engaged != 1) return;

    for (int k = 0; k < 4; ++k) {
        h.points[k + 1].lat = hold_pattern_points[k].lat;
        h.points[k + 1].lon = hold_pattern_points[k].lon;
        h.points[k + 1].label = kPointNames[k];
    }
    fly_pattern(r);
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
