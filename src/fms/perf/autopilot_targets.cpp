#include "fms/perf/autopilot_targets.h"

#include "data/aircraft_settings.h"
#include "data/module_settings.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/guidance/route_progress.h"
#include "fms/math/air_data.h"
#include "fms/math/nav_math.h"
#include "fms/perf/flown_route.h"
#include "fms/perf/speed_targets.h"
#include "fms/perf/vertical_profile.h"
#include "fms/perf/vnav_phase.h"
#include "fms/plan/entry_marks.h"
#include "fms/plan/holds.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/plan/update_state.h"
#include "fms/plan/vertical_state.h"
#include "platform/text_file.h"
#include "sim/aircraft_state.h"
#include "sim/key_events.h"
#include "sim/panel_services.h"
#include "sim/sim_var_reader.h"

#include <algorithm>
#include <cmath>

namespace {

// The climb's rate is led up to one needed well above the rate flown, a
// step at a time (an autopilot handed the whole rise at once pitches up
// hard and bleeds the speed), and eased off by the same step while slowing.
constexpr double kClimbRateJumpFpm = 200.0;
constexpr double kClimbRateStepFpm = 100.0;
// The path's closing speed is averaged over about this much ground, and
// taken as no less than this share of the ground speed. Along the path its
// measure wavers by a few hundredths (steps, easing): that much short of
// the ground speed changes no rate.
constexpr double kClosingOverNm = 1.0;
constexpr double kLeastClosing = 0.3;
constexpr double kClosingWaverShare = 0.06;
constexpr double kUnderPathFpmPerFt = 4.0;

uint32_t event_value(int32_t v) {
    return static_cast<uint32_t>(v); // a descent rate goes out in two's complement
}

// The vertical speed (ft/min) that changes the altitude by `change` over
// `distance` NM at the present ground speed. With no time to go (no distance
// or no ground speed) a change still needed asks for `limit`.
double rate_to_target(double change, double distance, double limit) {
    const double minutes = distance / (aircraft_state.ground_speed_kt / 60.0);
    if (minutes > 0.0 && std::isfinite(minutes)) return change / minutes;
    return change > 0.0 ? limit : 0.0;
}

// Multiplied in 64 bits: a rate to a target at no distance saturates the
// hundreds, and the hundreds times 100 must not overflow.
int32_t whole_hundreds(double v) {
    const int64_t hundreds = saturate_to_whole(v / 100.0);
    return static_cast<int32_t>(std::clamp<int64_t>(hundreds * 100, INT32_MIN, INT32_MAX));
}

// A descent rate (ft/min, positive) in whole hundreds within the configured
// limits.
int32_t descent_rate_command(double fpm) {
    const int32_t command = whole_hundreds(fpm);
    if (command > MaxVnavDescRate) return saturate_to_whole(MaxVnavDescRate);
    if (command < MinVnavDescRate) return saturate_to_whole(MinVnavDescRate);
    return command;
}

// The smoothed speed settles a fraction of a knot short of a speed held:
// flown at MinVnavIas is not below it.
bool below_min_vnav_ias() {
    return aircraft_state.speed_smoothed < MinVnavIas - 0.5;
}

// Along the legs to what VNAV's rate aims at: in the climb the T/C, or the
// vertical target entry where that comes first (to the route's end without
// a T/C on it); in the cruise the T/D; past it the target entry.
double vertical_target_distance() {
    const VerticalProfile& p = active_profile();
    const int k = constraint_waypoint_index;
    const int last = flown_last();
    if (vnav_phase == VnavPhase::Descent) return k >= 1 && k <= active_plan_last ? distance_ahead_to(k) : 0.0;
    if (vnav_phase == VnavPhase::Cruise) return std::max(0.0, p.tod_distance_nm());
    const double toc = p.toc.exists ? p.toc_distance_nm() : distance_ahead_to(last);
    return k >= to_waypoint_index && k <= last ? std::min(distance_ahead_to(k), toc) : toc;
}

void climb_vertical_speed() {
    const AircraftState& a = aircraft_state;
    if (vnav_low_speed_hold == 0 && speed_trend < 0.005 && a.speed_smoothed < MinVnavClimbIas + 5.0 &&
        a.ap_airspeed_target_kt > MinVnavClimbIas) {
        // Speed-limited: hold the present rate, a little less while slowing.
        vnav_required_vs =
            speed_trend < 0.0 ? a.vertical_speed_fpm - kClimbRateStepFpm : a.vertical_speed_fpm;
    } else {
        // A climb constraint is aimed at three quarters of the way to it,
        // so that a slow start or a turn still meets it.
        const double distance = climb_constraint_index > 0 ? 0.75 * distance_to_meet(climb_constraint_index)
                                                           : vertical_target_distance();
        double required =
            rate_to_target(vertical_target_altitude - a.indicated_altitude_ft, distance, MaxVnavClimbRate);
        if (required > a.vertical_speed_fpm + kClimbRateJumpFpm)
            required = a.vertical_speed_fpm + kClimbRateStepFpm;
        vnav_required_vs = required;
    }
    // To the nearest hundred: cut to the hundred below on every pass, the
    // climb falls behind the line it aims along and the fixes predicted on it.
    int32_t command = whole_hundreds(vnav_required_vs + 50.0);
    if (command > MaxVnavClimbRate)
        command = saturate_to_whole(MaxVnavClimbRate);
    else if (command < MinVnavClimbRate)
        command = saturate_to_whole(MinVnavClimbRate);
    // The low-speed hold keeps a slowing aircraft from climbing until it has
    // 10 kt in hand. A taxi, a take-off roll or the lift-off below
    // MinVnavRadioAlt is no slowing climb: nothing is climbed below
    // MinVnavIas there, but nothing is latched either, or VNAV engaged at
    // the gate would hold the climb level at MinVnavIas until 10 kt above it.
    if (sim_var_object.get_simvar_60_int() != 0 || a.radio_altitude_ft < MinVnavRadioAlt) {
        vnav_low_speed_hold = 0;
        if (below_min_vnav_ias()) command = 0;
    } else if (vnav_low_speed_hold == 1) {
        if (a.speed_smoothed > MinVnavIas + 10.0)
            vnav_low_speed_hold = 0;
        else
            command = 0;
    } else if (below_min_vnav_ias()) {
        vnav_low_speed_hold = 1;
        command = 0;
    }
    vnav_vs_command = command;
    // Once per slot cycle.
    if (command != vnav_vs_sent && frame_slot == 0) {
        trigger_key_event(kKeyAutopilotVerticalSpeedSet, event_value(command));
        vnav_vs_sent = command;
    }
}

// A new descent command goes out once it has stood for kVsSettlePasses
// passes in a row (the first after an altitude command at once): a rate
// needed that wavers across a whole hundred, or an aircraft about the path,
// does not move it pass by pass. Every pass counts, the one sent too: the one
// sent at once starts its own count, so the one before it has to stand again
// to come back, and passes a new one stood before the rate went back to the
// one sent count no more.
bool settled(int32_t command) {
    // One that moves on the same way from the one sent (a path coming down
    // ever shallower than the rate) keeps its count: counted afresh at each
    // hundred it never stood, and the rate sent stayed the steep one.
    const auto way = [](int32_t c) { return c > vnav_vs_sent ? 1 : c < vnav_vs_sent ? -1 : 0; };
    if (command != vnav_vs_pending) {
        if (vnav_vs_sent == kNoVsSent || way(command) == 0 || way(command) != way(vnav_vs_pending))
            vnav_vs_pending_passes = 0;
        vnav_vs_pending = command;
    }
    ++vnav_vs_pending_passes;
    return vnav_vs_sent == kNoVsSent || vnav_vs_pending_passes >= kVsSettlePasses;
}

// The descent's target as its rate reads it: the entry (its id, 0 for none)
// and the altitude.
int descent_target_id() {
    const int k = within_flown(constraint_waypoint_index);
    return k >= 1 && k <= active_plan_last ? active_plan[k].id : 0;
}

bool same_descent_target() {
    return vnav_vs_target_id != 0 && vnav_vs_target_id == descent_target_id() &&
           vnav_vs_target_ft == vertical_target_altitude;
}

// `with_altitude`: an altitude command went out on this pass for the target
// the rate held was sent for; that rate goes out with it again.
void descent_vertical_speed(bool with_altitude) {
    const AircraftState& a = aircraft_state;
    // A target without an altitude (a route that ends at a fix) is held level.
    if (vnav_phase != VnavPhase::Descent || vertical_target_altitude <= kNoConstraint ||
        !(a.indicated_altitude_ft >= vertical_target_altitude))
        return;
    // Down the path laid to this target, the rate is taken over the distance
    // the path is laid over (what LNAV flies, its turns as it flies them):
    // over the legs less their corners' cuts it comes out steeper past a
    // sharp turn, and the aircraft dives under the path and levels there.
    const double distance = descent_path_distance_nm >= 0.0
                                ? descent_path_distance_nm
                                : distance_to_meet(within_flown(constraint_waypoint_index));
    // The path comes down as fast as its distance falls, not the ground
    // speed: the time to its end is the distance over that.
    const double closing =
        descent_path_distance_nm >= 0.0 ? std::min(1.0, descent_path_closing + kClosingWaverShare) : 1.0;
    vnav_required_vs = rate_to_target(a.indicated_altitude_ft - vertical_target_altitude, distance / closing,
                                      MaxVnavDescRate);
    int32_t command = descent_rate_command(vnav_required_vs);
    // Below the path: level until the path comes down to the aircraft, so the
    // descent never runs at field elevation far out. The path is the one the
    // deviation reads, where it is laid to the target. Descending, it levels
    // once a band below the path; level, it descends once back up to it.
    // Where none is laid to this target, the profile's gradient down to it.
    const double path = descent_path_distance_nm >= 0.0
                            ? descent_path_altitude
                            : active_profile().descent_path_above(vertical_target_altitude, distance);
    // Under the path while descending, short of the band it levels at: the
    // rate eases by what brings it back up to the path in half a minute. Held
    // at one the path no longer comes down at (its closing still being
    // weighed), the aircraft ran on under it to the band and levelled.
    const double under = path - a.indicated_altitude_ft - kBelowPathBandFt / 2.0;
    if (descent_path_distance_nm >= 0.0 && vnav_vs_sent < 0 && vnav_vs_sent != kNoVsSent && under > 0.0) {
        vnav_required_vs = std::max(0.0, vnav_required_vs - under * kUnderPathFpmPerFt);
        command = descent_rate_command(vnav_required_vs);
    }
    // Level before an altitude command stays level through it.
    const bool level = vnav_vs_sent == 0 || (vnav_vs_sent == kNoVsSent && vnav_vs_pending == 0);
    const double band = level ? 0.0 : kBelowPathBandFt;
    // Short of a T/D ahead the path is level: held there, unless well above
    // it. Reaching it is the event that starts the descent, sent at once.
    // So it is where the path stands (in a hold, turning back from one).
    const bool short_of_tod = descent_path_distance_nm > std::max(0.0, descent_path_span_nm);
    if (descent_path_short_of_tod && !short_of_tod) descent_path_tod_due = true;
    descent_path_short_of_tod = short_of_tod;
    // Level at the target already (a hold flown at its altitude): nothing is
    // left to come down, where the least descent rate went out lap by lap.
    const bool at_target = level && a.indicated_altitude_ft - vertical_target_altitude < kSameLevelFt;
    // Needing less than the least rate the autopilot is given (a path laid
    // shallow, as after a hold left low), a descent at that least rate comes
    // down under the path and levels there, over and over. One not under
    // way waits, level, until the least rate is the one needed: begun at it,
    // it comes down once to the target (a command is cut to the hundred, so
    // the rate needed only grows).
    const bool descending = vnav_vs_sent < 0 && vnav_vs_sent != kNoVsSent;
    const bool under_least = !descending && vnav_required_vs < MinVnavDescRate;
    if (below_min_vnav_ias() || at_target || under_least || a.indicated_altitude_ft < path - band ||
        ((short_of_tod || descent_path_held) && a.indicated_altitude_ft < path + kBelowPathBandFt))
        command = 0;
    command = -command;
    vnav_vs_command = command;
    const bool tod_now = descent_path_tod_due && command != 0;
    if (command != 0) descent_path_tod_due = false;
    const bool stood = settled(command);
    if (command != vnav_vs_sent && (stood || tod_now)) {
        trigger_key_event(kKeyAutopilotVerticalSpeedSet, event_value(command));
        vnav_vs_sent = command;
        vnav_vs_target_id = descent_target_id();
        vnav_vs_target_ft = vertical_target_altitude;
    } else if (with_altitude) {
        trigger_key_event(kKeyAutopilotVerticalSpeedSet, event_value(vnav_vs_sent));
    }
}

// A cruise altitude sent below the aircraft (a new level at a fix sequenced
// before the descent to it began, or VNAV engaged above it) is descended to
// at the rate the profile is laid at: in cruise no descent rate follows, and
// the autopilot would hold whatever rate it had, level included.
void cruise_step_down() {
    if (!(aircraft_state.indicated_altitude_ft > cruise_altitude + kSameLevelFt)) return;
    const int32_t command = -descent_rate_command(descent_rate());
    trigger_key_event(kKeyAutopilotVerticalSpeedSet, event_value(command));
    vnav_vs_command = vnav_vs_sent = command;
}

void send_speed(double kt) {
    const int32_t v = saturate_to_whole(kt);
    trigger_key_event(kKeyAutopilotAirspeedSet, event_value(v));
    commanded_speed_kt = v;
}

// A limit of 0 is no limit.
bool below_limit(double altitude_limit, double speed_limit, double speed) {
    return speed_limit > 0.0 && aircraft_state.indicated_altitude_ft < altitude_limit && speed > speed_limit;
}

void descent_speed(const RouteWaypoint& to) {
    const double s = predicted_speed(to);
    if (distance_to_to_nm > 0.0 && typed_by_pilot(to)) {
        if (below_limit(DescAltRest, DescSpdRest, s)) {
            send_speed(DescSpdRest);
        } else {
            send_speed(s);
            if (descent_speed_target > s) descent_speed_target = cruise_speed_target = saturate_to_whole(s);
        }
    } else if (below_limit(DescAltRest, DescSpdRest, descent_speed_target)) {
        send_speed(DescSpdRest);
    } else {
        send_speed(descent_speed_target);
    }
}

void climb_speed(const RouteWaypoint& to) {
    const double candidate =
        distance_to_to_nm >= 0.0 && typed_by_pilot(to) ? predicted_speed(to) : double(climb_speed_target);
    if (below_limit(ClbAltRest, ClbSpdRest, candidate)) {
        send_speed(ClbSpdRest);
        climb_speed_limit_active = 1.0;
    } else {
        send_speed(candidate);
    }
}

void cruise_speed(const RouteWaypoint& to) {
    const AircraftState& a = aircraft_state;
    double distance = 9999.0;
    if (within_flown(constraint_waypoint_index) >= 1) {
        const RouteWaypoint& target = active_plan[within_flown(constraint_waypoint_index)];
        double course = 0.0;
        gc_dist_course(a.plat, a.plon, target.lat, target.lon, &distance, &course);
    }
    if (distance < VnavSetSpdRestDist && typed_by_pilot(to)) {
        send_speed(predicted_speed(to));
    } else if (VnavSetMachCruiseSpd == 1 && CruiseMach > 0.0) {
        // A cruise Mach of 0 (none configured or planned) flies the cruise airspeed.
        cruise_mach_command = saturate_to_whole(CruiseMach * 100.0);
        trigger_key_event(kKeyAutopilotMachSet, event_value(cruise_mach_command));
        commanded_mach_x100 = cruise_mach_command;
    } else {
        send_speed(cruise_speed_target);
    }
}

// Whether the aircraft heads along the active leg to the TO: turned onto
// it, not still closing on it at an angle (where the distance to go falls
// slower than the aircraft flies). Taken from where the aircraft is: the
// course where a long leg began says little of it far along it, or near a
// pole.
bool on_active_leg_course() {
    constexpr double kAlongLegDeg = 20.0;
    constexpr double kSwingingNm = 1.0; // closer, the bearing to the TO swings
    const int to = to_waypoint_index;
    if (lnav_engaged != 1 || to < 1 || to > active_plan_last) return true;
    const AircraftState& a = aircraft_state;
    double length = 0.0, course = 0.0;
    gc_dist_course(a.plat, a.plon, active_plan[to].lat, active_plan[to].lon, &length, &course);
    const double track = a.map_heading_deg - drift_angle_deg;
    const double off = std::fabs(floored_mod(track - course + 180.0, 360.0) - 180.0);
    return !(length > kSwingingNm) || off <= kAlongLegDeg;
}

// The span of a path from the T/D's altitude down to the E/D's that passes
// through `altitude` `distance` before where the E/D is met; at or above the
// T/D's altitude the path is at its top there, and an aircraft at or below
// the E/D's has no path through it to lie on.
double span_through(const VerticalProfile& p, double distance, double altitude) {
    const double top = p.tod.altitude_ft, end = p.ed.altitude_ft;
    if (!(altitude > end) || !(top > altitude)) return distance;
    return distance * (top - end) / (altitude - end);
}

// Weighs in how fast the path's distance fell on this pass against the
// ground covered, by that ground: one pass's share is coarse (the measure
// moves in steps, eases and jumps at a sequencing), the mile's is not.
void weigh_closing(double before, double now, double flown) {
    if (!(flown > 0.0)) return;
    const double share = std::clamp((before - now) / flown, 0.0, 2.0);
    descent_path_closing += (share - descent_path_closing) * std::min(1.0, flown / kClosingOverNm);
    descent_path_closing = std::clamp(descent_path_closing, kLeastClosing, 1.0);
}

} // namespace

void update_descent_path() {
    const VerticalProfile& p = active_profile();
    const int target = p.ed.exists ? p.ed.index : -1;
    if (vnav_phase != VnavPhase::Descent || !p.tod.exists ||
        target != within_flown(constraint_waypoint_index)) {
        descent_path_distance_nm = -1.0;
        descent_path_short_of_tod = descent_path_tod_due = descent_path_turning_back = descent_path_held =
            false;
        descent_path_closing = 1.0;
        return;
    }
    const AircraftState& a = aircraft_state;
    bool turning_back = false;
    double distance = path_distance_to(target, &turning_back);
    const double descent = p.ed.ahead_nm - p.tod.ahead_nm; // along LNAV's path
    // Round a hold's pattern the aircraft goes no way along the route, nor
    // while it turns back onto it after leaving the pattern (at the fix, not
    // before it as the path reckons a turn; or wherever the hold was
    // deleted): the path stands. Measured through the pattern it rose and
    // fell lap by lap, and run on by the distance flown in the turn it came
    // down miles early, then lay too flat to follow. On the way again, the
    // rest of the descent is laid from where the aircraft is, over what is
    // still to fly.
    const bool in_pattern = hold_armed != 0 && holding_active != 0;
    const bool was_held = descent_path_held;
    descent_path_held = in_pattern || (was_held && !on_active_leg_course());
    double flown = 0.0; // since the pass before, along the same path
    if (descent_path_distance_nm < 0.0 || descent_path_target != target) {
        descent_path_closing = 1.0;
        // The profile's descent is laid over what is still to fly from the
        // T/D to where the E/D is met: longer by what the aircraft flew past
        // a T/D behind it; shorter by the level still to fly to a FROM
        // sequenced early whose altitude the descent starts from (met at its
        // fix, not where LNAV switched to the next leg).
        const double past_tod = descent - path_distance_through(target);
        descent_path_span_nm = distance + std::max(0.0, past_tod);
        const int from = to_waypoint_index - 1;
        if (from >= 1 && holds_altitude(active_plan[from]) &&
            std::fabs(predicted_altitude(active_plan[from]) - p.tod.altitude_ft) <= kSameLevelFt)
            descent_path_span_nm = std::min(descent_path_span_nm, distance - path_short_of_from());
        if (was_held && !in_pattern)
            descent_path_span_nm = span_through(p, distance, a.indicated_altitude_ft);
    } else {
        double course = 0.0;
        gc_dist_course(descent_path_lat, descent_path_lon, a.plat, a.plon, &flown, &course);
        const double kept = descent_path_distance_nm - flown;
        if (descent_path_held) {
            // A hold at the fix whose altitude ends the descent: that
            // altitude is the pattern's, met in it, not where the path
            // stood when the aircraft came in.
            distance = in_pattern && target == to_waypoint_index ? 0.0 : descent_path_distance_nm;
        } else if (was_held) {
            descent_path_span_nm = span_through(p, distance, a.indicated_altitude_ft);
        } else if (turning_back) {
            // Turning back, the path runs on by what the aircraft flies.
            distance = kept;
        } else if (descent_path_turning_back && distance > kept + kPathEasingNm) {
            // Out of a turn back flown wider than the path reckoned (a sharp
            // one at speed, up high): more is still to fly than the path
            // kept. The rest of the descent is laid over that from where the
            // path stands now; eased back onto it, the path would rise over
            // an aircraft that followed it down, and VNAV level off in the
            // descent. A path run out in the turn (a hairpin just before its
            // end) stands at its end, and is laid on from within the easing
            // of it.
            descent_path_span_nm *= distance / std::max(kept, kPathEasingNm);
        } else {
            distance = std::clamp(distance, kept - kPathEasingNm, kept + kPathEasingNm);
        }
    }
    descent_path_turning_back = turning_back;
    // Held or turning back, the path runs on by the ground flown.
    if (descent_path_held || turning_back)
        descent_path_closing = 1.0;
    else
        weigh_closing(descent_path_distance_nm, std::max(0.0, distance), flown);
    descent_path_distance_nm = std::max(0.0, distance);
    descent_path_lat = a.plat;
    descent_path_lon = a.plon;
    descent_path_target = target;
    const double share = descent_path_span_nm > 0.0 ? descent_path_distance_nm / descent_path_span_nm : 1.0;
    descent_path_altitude = p.descent_altitude_at(p.ed.ahead_nm - descent * std::min(1.0, share));
}

int32_t descent_altitude_command() {
    return saturate_to_whole(std::min(vertical_target_altitude, aircraft_state.indicated_altitude_ft));
}

bool descent_flown() {
    return vnav_phase == VnavPhase::Descent && vertical_target_altitude > kNoConstraint &&
           aircraft_state.indicated_altitude_ft <= vertical_target_altitude + kSameLevelFt;
}

void set_vnav_altitude_targets() {
    const AircraftState& a = aircraft_state;
    if (vnav_engaged != 1) {
        if (vnav_phase == VnavPhase::Descent && vertical_target_altitude > kNoConstraint &&
            a.indicated_altitude_ft >= vertical_target_altitude)
            vnav_required_vs = rate_to_target(a.indicated_altitude_ft - vertical_target_altitude,
                                              vertical_target_distance(), MaxVnavDescRate);
        return;
    }
    const int32_t now = saturate_to_whole(a.snap_token_1);
    const bool no_cruise = cruise_altitude <= 0;
    bool rate_stands = false;
    if (vnav_altitude_set == 0) {
        const bool cruise = vnav_phase == VnavPhase::Cruise;
        if (no_cruise) {
            // Nothing to climb or descend to: hold the altitude flown.
            if (VnavSetAlts == 1)
                trigger_key_event(
                    kKeyAutopilotAltitudeSet,
                    event_value(saturate_to_whole((a.indicated_altitude_ft + 50.0) / 100.0) * 100));
        } else if (VnavSetAlts == 1 && (cruise || vertical_target_altitude > kNoConstraint)) {
            // A target without an altitude (-999) is no altitude to fly to.
            const int32_t altitude = cruise ? cruise_altitude
                                     : vnav_phase == VnavPhase::Descent
                                         ? descent_altitude_command()
                                         : saturate_to_whole(vertical_target_altitude);
            trigger_key_event(kKeyAutopilotAltitudeSet, event_value(altitude));
        }
        commanded_altitude_refresh = now;
        vnav_altitude_set = 1;
        // The rate goes out with the altitude, at once the one needed now.
        // Where a sequencing left the descent's target as it was, the rate
        // held is still the one for it: it goes out again and a new one
        // still stands its passes first. Sent at once, two fixes sequenced a
        // pass apart (a hairpin) sent a rate needed that wavered across a
        // hundred and then the one before.
        rate_stands = vnav_altitude_for_sequencing && vnav_phase == VnavPhase::Descent &&
                      vnav_vs_sent != kNoVsSent && same_descent_target();
        if (!rate_stands) vnav_vs_sent = kNoVsSent;
        vnav_altitude_for_sequencing = false;
        if (cruise && VnavSetAlts == 1 && !no_cruise) cruise_step_down();
    } else if (VnavOffOnManAltChg == 1 && a.ap_altitude_lock_ft == a.ap_altitude_lock_prev_ft &&
               commanded_altitude_refresh != now) {
        // The snapshot reads the autopilot on a few slots only: compare only
        // while it agrees with the autopilot now, or VNAV's own new altitude
        // would look like the pilot's.
        const double live = sim_var_object.get_autopilot_altitude_lock_var_ft();
        if (live == a.ap_altitude_lock_ft && saturate_to_whole(live) != commanded_altitude_ft)
            vnav_engaged = 0; // the pilot set another altitude; this pass still runs
    }
    if (no_cruise) return;
    if (vnav_phase == VnavPhase::Climb)
        climb_vertical_speed();
    else
        descent_vertical_speed(rate_stands);
}

void set_vnav_speed_target() {
    const AircraftState& a = aircraft_state;
    const int32_t now = saturate_to_whole(a.snap_token_1);
    if (VnavSetSpd == 1 && vnav_speed_set == 1 && VnavSetSpdOffOnManSpdChg == 1 &&
        a.ap_airspeed_target_kt == a.ap_airspeed_target_prev_kt && commanded_speed_refresh != now) {
        // A speed the pilot set by hand suspends VNAV speeds until VNAV is
        // engaged again. As for the altitude, only a snapshot that agrees with
        // the autopilot now is compared.
        const double live_speed = sim_var_object.get_ap_airspeed_target_kt();
        const double live_mach = sim_var_object.get_ap_mach_target();
        if (live_speed == a.ap_airspeed_target_kt && live_mach == a.ap_mach_target) {
            bool changed = saturate_to_whole(live_speed) != commanded_speed_kt;
            if (VnavSetMachCruiseSpd == 1)
                changed = changed || saturate_to_whole(live_mach * 100.0) != commanded_mach_x100;
            if (changed) VnavSetSpd = 2;
        }
    }
    if (!(distance_to_to_nm < VnavSetSpdRestDist || vnav_speed_refresh == 1)) return;
    if (to_waypoint_index < 0 || to_waypoint_index > active_plan_last || vnav_speed_set != 0 ||
        vnav_engaged != 1 || route_state < kRouteStateActive || VnavSetSpd != 1)
        return;

    const RouteWaypoint& to = active_plan[to_waypoint_index];
    if (predicted_altitude(to) != kNoConstraint && predicted_speed(to) != kNoConstraint) {
        if (descent_speed_phase == kDescentSpeedPhaseOn)
            descent_speed(to);
        else if (vnav_phase == VnavPhase::Climb)
            climb_speed(to);
        else
            cruise_speed(to);
    }
    vnav_speed_set = 1;
    commanded_speed_refresh = now;
}
