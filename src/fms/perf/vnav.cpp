#include "fms/perf/vnav.h"

#include "data/aircraft_settings.h"
#include "data/airport_procedures.h"
#include "data/module_settings.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/guidance/route_progress.h"
#include "fms/math/heading_math.h"
#include "fms/math/nav_math.h"
#include "fms/nav/radio_autotune.h"
#include "fms/perf/autopilot_targets.h"
#include "fms/perf/flown_route.h"
#include "fms/perf/speed_targets.h"
#include "fms/plan/entry_marks.h"
#include "fms/plan/plan_legs.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/plan/update_state.h"
#include "fms/plan/vertical_state.h"
#include "fms/units/cdu_text.h"
#include "platform/text_file.h"
#include "sim/aircraft_state.h"
#include "sim/key_events.h"
#include "sim/panel_services.h"

#include <algorithm>
#include <cmath>

namespace {

// 1 once the commands of the TOD now passed went out.
int tod_commands_sent = 0;

// A marker stands on the place before it, so no leg runs to 0N 0E.
void leg(int from, int to, double* distance, double* course) {
    from = place_at_or_before(active_plan, from);
    to = place_at_or_before(active_plan, to);
    gc_dist_course(active_plan[from].lat, active_plan[from].lon, active_plan[to].lat, active_plan[to].lon,
                   distance, course);
}

double leg_length(int from, int to) {
    double d = 0.0;
    double course = 0.0;
    leg(from, to, &d, &course);
    return d;
}

// An altitude sentinel (-999, none) counts as sea level.
double altitude_or_zero(double alt) {
    return alt > -900.0 ? alt : 0.0;
}

// Climb or descent distance for an altitude change at a rate and a TAS;
// 0 when the rate or the speed gives no distance.
double phase_distance(double altitude_change, double rate_fpm, double tas_kt) {
    if (!(rate_fpm > 0.0) || !(tas_kt > 0.0)) return 0.0;
    return altitude_change / rate_fpm * (tas_kt / 60.0);
}

void send_speed(int kt) {
    trigger_key_event(kKeyAutopilotAirspeedSet, static_cast<uint32_t>(kt));
    commanded_speed_kt = kt;
}

void target_entry(int i) {
    i = within_flown(i);
    if (i < 1) return;
    vertical_target_lat = active_plan[i].lat;
    vertical_target_lon = active_plan[i].lon;
    vertical_target_altitude = i == flown_last() ? route_end_altitude() : predicted_altitude(active_plan[i]);
}

bool valid_to() {
    return to_waypoint_index >= 1 && to_waypoint_index <= active_plan_last;
}

// The destination runway's localizer, when an approach and its runway were
// matched.
void tune_destination_localizer() {
    if (AutoSetLOCFreq != 1 || approach_record_index <= 0 || approach_runway_index <= 0) return;
    const AirportProcedures& destination = airport_slots[destination_slot];
    if (approach_runway_index > destination.runways.count()) return;
    const uint32_t code =
        nav_frequency_bcd(destination.runways[approach_runway_index].localizer_frequency_text);
    if (code != 0) trigger_key_event(kKeyNav1FrequencySet, code);
}

double descent_rate() {
    return descent_rate_used_fpm > 0.0 ? descent_rate_used_fpm : DescentRate;
}

// A constraint ahead in the climb is one to climb to (and level at) while
// the aircraft is still below it and climbing on to the cruise altitude and
// coming down to it again would not fit into the route before it; else it
// belongs to the descent. Once the aircraft is above it, it stays one of the
// descent.
bool is_climb_constraint(int k) {
    const RouteWaypoint& w = active_plan[k];
    const double altitude = aircraft_state.indicated_altitude_ft;
    if (k < 1 || !holds_altitude(w) || !(predicted_altitude(w) < cruise_altitude) ||
        predicted_altitude(w) <= kNoConstraint || altitude > predicted_altitude(w) + 100.0)
        return false;
    const double climb = phase_distance(cruise_altitude - altitude, ClimbRate, climb_tas_target);
    const double descent =
        phase_distance(cruise_altitude - predicted_altitude(w), descent_rate(), descent_tas_target);
    return distance_to_meet(k) < climb + descent;
}

// A constraint the profile climbs to: a waypoint's (an approach leg's is
// always one of the descent) in the climb (at or before toc_index) and in
// the first third of the route, above the level before it (the constraint
// before it, or the origin). It is a floor on the way up, met once the
// aircraft is above it (the pilot may have climbed past it), and never the
// end of a descent nor a new level.
bool climbed_to(int k) {
    if (k < 1 || k > toc_index || active_plan[k].constrained != 1) return false;
    const double altitude = predicted_altitude(active_plan[k]);
    double before = altitude_or_zero(predicted_altitude(active_plan[0]));
    for (int i = k - 1; i >= 1; --i)
        if (holds_altitude(active_plan[i])) {
            before = predicted_altitude(active_plan[i]);
            break;
        }
    if (!(altitude > before)) return false;
    double from_origin = 0.0, after = 0.0;
    const int last = flown_last();
    for (int i = 1; i <= last; ++i)
        (i <= k ? from_origin : after) += flown_leg_nm(i);
    return 2.0 * from_origin < after;
}

// The end of the descent located from `top` (ft) for entry `start` on: the
// earliest constrained entry of the descent (where the profile's
// predictions stay below `top`, after the TOC), else the last entry flown
// to; its altitude goes to end_altitude.
int descent_end(int start, int top, int* end_altitude) {
    const int last = flown_last();
    *end_altitude = saturate_to_whole(route_end_altitude());
    int end = last;
    for (int i = last - 1; i >= start; --i) {
        const RouteWaypoint& w = active_plan[i];
        if (predicted_altitude(w) >= top || i <= toc_index) break;
        if (!holds_altitude(w)) continue;
        *end_altitude = saturate_to_whole(predicted_altitude(w));
        end = i;
    }
    return end;
}

// The end of the descent flown from the altitude `top`: the first constraint
// ahead below it that is not one to climb to, else the end of the route;
// -1 when a constraint at or above `top` comes first (no descent is due
// before it).
int next_descent_end(int top, int* end_altitude) {
    const int last = flown_last();
    for (int i = to_waypoint_index; i < last; ++i) {
        const RouteWaypoint& w = active_plan[i];
        if (!holds_altitude(w) || is_climb_constraint(i) || climbed_to(i)) continue;
        if (predicted_altitude(w) >= top) return -1;
        *end_altitude = saturate_to_whole(predicted_altitude(w));
        return i;
    }
    *end_altitude = saturate_to_whole(route_end_altitude());
    return last;
}

void detect_toc() {
    const AircraftState& a = aircraft_state;
    if (cruise_altitude <= 0 || toc_passed != 0 || !(cruise_altitude - a.indicated_altitude_ft < 150.0))
        return;
    toc_passed = 1;
    tod_altitude = cruise_altitude;
    if (smiths_cdu_page == kPageEconClb) smiths_cdu_page = kPageEconCrz;
    sim_rate_restored = paused_at_tod = paused_at_dest_distance = 0;
    if (vnav_engaged == 1 && route_state >= kRouteStateActive && VnavSetSpd == 1) {
        // A cruise Mach of 0 (none configured or planned) flies the cruise airspeed.
        if (VnavSetMachCruiseSpd == 1 && CruiseMach > 0.0) {
            if (a.snap_token_115 > 0.0) trigger_key_event(kKeyTocAirspeedHold, 0);
            trigger_key_event(kKeyTocMachHold, 0);
            pending_mach_events = 2;
        } else {
            send_speed(cruise_speed_target);
        }
        climb_speed_limit_active = 0.0;
    }
    target_entry(constraint_waypoint_index);
    descent_restriction_applied = 0.0;
}

// The TOD is passed by the distance along the route: where the descent from
// the altitude flown (below the cruise altitude in the climb, above it after
// a lower level was set) to the end of the descent begins. A point test
// would start the descent wherever an earlier leg passes near the TOD point.
void detect_tod() {
    if (cruise_altitude <= 0 || tod_passed != 0 || !valid_to() || flown_last() < 1) return;
    const int top = saturate_to_whole(aircraft_state.indicated_altitude_ft);
    int end_altitude = 0;
    const int end = next_descent_end(top, &end_altitude);
    if (end < 0) return;
    const double descent = phase_distance(top - end_altitude, descent_rate(), descent_tas_target);
    double d = distance_to_meet(end) - descent;
    if (reversal_near_tod == 1) {
        if (d < 10.0) d = -1.0;
        reversal_near_tod = 0;
    }
    if (d <= 1.5) {
        tod_passed = 1;
        descent_speed_phase = kDescentSpeedPhaseOn;
        tune_destination_localizer();
    }
}

// The pass on which the TOD became passed, whoever found it.
void on_tod_passed() {
    const AircraftState& a = aircraft_state;
    tod_commands_sent = 1;
    descent_speed_phase = kDescentSpeedPhaseOn;
    tod_altitude = cruise_altitude;
    if (toc_passed == 0) {
        toc_passed = 1;
        sim_rate_restored = 0;
    }
    if (smiths_cdu_page == kPageEconClb || smiths_cdu_page == kPageEconCrz)
        smiths_cdu_page = kPageEconPathDes;
    tod_sequence_index = to_waypoint_index;
    target_entry(constraint_waypoint_index);

    double sum = 0.0;
    double course = 0.0;
    if (valid_to()) {
        gc_dist_course(tod_lat, tod_lon, active_plan[to_waypoint_index].lat,
                       active_plan[to_waypoint_index].lon, &sum, &course);
        for (int i = to_waypoint_index + 1; i <= within_flown(constraint_waypoint_index); ++i)
            sum += flown_leg_nm(i);
    }
    tod_to_target_distance = sum;

    if (vnav_engaged != 1) return;
    if (VnavSetAlts == 1 && vertical_target_altitude > kNoConstraint)
        trigger_key_event(kKeyAutopilotAltitudeSet, static_cast<uint32_t>(descent_altitude_command()));
    vnav_altitude_set = 1;
    commanded_altitude_refresh = saturate_to_whole(a.snap_token_1);
    if (VnavSetSpd != 1) return;
    const bool near = VnavSetSpdRestDist > distance_to_to_nm;
    if (near) vnav_speed_set = 0;
    if (a.snap_token_117 > 0.0) {
        trigger_key_event(kKeyTodSpeedModeFirst, 0);
        trigger_key_event(kKeyTodSpeedModeSecond, 0);
        pending_descent_speed_event = 1;
    } else if (!near) {
        send_speed(descent_speed_target);
    }
}

// In the climb the target is the first constraint ahead when it is a climb
// constraint, else the TOC at the cruise altitude; a new target is
// commanded at once (the first TO may carry one, before any sequencing).
void keep_climb_target() {
    if (toc_passed != 0 || cruise_altitude <= 0 || !valid_to()) {
        climb_constraint_index = 0;
        return;
    }
    const int last = flown_last();
    int k = 0;
    for (int i = to_waypoint_index; i < last && k == 0; ++i)
        if (holds_altitude(active_plan[i])) k = i;
    climb_constraint_index = k > 0 && is_climb_constraint(k) ? k : 0;
    const double altitude =
        climb_constraint_index > 0 ? predicted_altitude(active_plan[k]) : double(cruise_altitude);
    if (altitude == vertical_target_altitude) return;
    if (climb_constraint_index > 0) {
        target_entry(k);
    } else {
        vertical_target_lat = toc_lat;
        vertical_target_lon = toc_lon;
        vertical_target_altitude = altitude;
    }
    vnav_altitude_set = 0;
}

void apply_speed_restrictions() {
    const AircraftState& a = aircraft_state;
    const bool vnav_speeds = vnav_engaged == 1 && route_state >= kRouteStateActive && VnavSetSpd == 1;
    if (vnav_speeds && descent_speed_phase == kDescentSpeedPhaseOn && DescAltRest > a.indicated_altitude_ft &&
        DescAltRest > 0.0 && DescSpdRest > 0.0 && a.ap_airspeed_target_kt > DescSpdRest &&
        descent_restriction_applied == 0.0) {
        send_speed(saturate_to_whole(DescSpdRest));
        descent_restriction_applied = 1.0;
    }
    if (vnav_speeds && toc_passed == 0 && climb_speed_limit_active == 1.0 &&
        a.indicated_altitude_ft > ClbAltRest) {
        const RouteWaypoint& to = active_plan[to_waypoint_index];
        send_speed(to.constrained == 1 && predicted_speed(to) > 0.0 ? saturate_to_whole(predicted_speed(to))
                                                                    : climb_speed_target);
        climb_speed_limit_active = 0.0;
    }
    if (VnavSetSpdRestDist > distance_to_to_nm && vnav_engaged == 1 &&
        descent_speed_phase == kDescentSpeedPhaseOn && constraint_speed_armed == 0 &&
        active_plan[to_waypoint_index].constrained == 1) {
        vnav_speed_set = 0;
        constraint_speed_armed = 1;
    }
}

} // namespace

void clear_tod_passed() {
    tod_passed = 0;
    tod_commands_sent = 0;
}

int plan_distance_to(int offset) {
    const AircraftState& a = aircraft_state;
    const int n = to_waypoint_index + offset;
    const int last = flown_last();
    // The distance flown from the origin, in whole NM after every leg.
    double sum = 0.0;
    for (int i = 1; i < n && i <= last; ++i)
        sum = saturate_to_whole(sum + leg_length(i - 1, i));

    int result = 0;
    bool constraint_found = false;
    for (int i = std::max(n, 1); i < last; ++i) {
        const RouteWaypoint& w = active_plan[i];
        sum = saturate_to_whole(sum + leg_length(i - 1, i));
        if (predicted_altitude(w) >= cruise_altitude) break;
        if (!holds_altitude(w)) continue;
        constraint_found = true;
        if (sum < climb_distance_nm) {
            toc_lat = w.lat;
            toc_lon = w.lon;
        }
        target_entry(i);
        toc_index = i;
        result = i;
    }
    if (constraint_found) return result;

    const double climb =
        phase_distance(cruise_altitude - a.indicated_altitude_ft, ClimbRate, climb_tas_target);
    double from_lat = a.plat;
    double from_lon = a.plon;
    double walked = 0.0;
    for (int i = to_waypoint_index; i >= 0 && i < last; ++i) {
        if (is_unflown(active_plan[i])) continue;
        double length = 0.0;
        double course = 0.0;
        gc_dist_course(from_lat, from_lon, active_plan[i].lat, active_plan[i].lon, &length, &course);
        walked += length;
        if (walked >= climb) {
            gc_destination_point(from_lat, from_lon, course, length - (walked - climb), &toc_lat, &toc_lon);
            vertical_target_lat = toc_lat;
            vertical_target_lon = toc_lon;
            if (offset == 0) toc_index = i - 1;
            return i;
        }
        from_lat = active_plan[i].lat;
        from_lon = active_plan[i].lon;
    }
    return 0;
}

void update_toc_tod(int mode) {
    const int to = to_waypoint_index;
    if (!valid_to() || flown_last() < to) return;
    const AircraftState& a = aircraft_state;
    int start = to;
    int top = 0;
    if (mode == kTodNewLevel) {
        tod_sequence_index = to;
        start = to + 1;
        clear_tod_passed();
        top = saturate_to_whole(predicted_altitude(active_plan[to]));
        cruise_altitude = top;
        if (smiths_cdu_page == kPageEconClb ||
            (smiths_cdu_page == kPageEconPathDes && descent_speed_phase == kDescentSpeedPhaseOff))
            smiths_cdu_page = kPageEconCrz;
    } else {
        top = toc_passed == 1 ? saturate_to_whole(a.indicated_altitude_ft) : cruise_altitude;
    }

    int end_altitude = 0;
    const int end = descent_end(start, top, &end_altitude);
    const double descent = phase_distance(top - end_altitude, descent_rate(), descent_tas_target);

    double sum = 0.0;
    bool located = false;
    for (int i = end; i >= to && i >= 1; --i) {
        double length = 0.0;
        double course = 0.0;
        leg(i, i - 1, &length, &course);
        sum += length;
        if (sum >= descent) {
            const RouteWaypoint& from = active_plan[place_at_or_before(active_plan, i)];
            gc_destination_point(from.lat, from.lon, course, length - (sum - descent), &tod_lat, &tod_lon);
            located = true;
            break;
        }
    }
    if (!located) {
        // Longer than the route ahead: behind the TO waypoint, on the way back
        // towards the aircraft.
        double back = course_to_to_deg + 180.0;
        if (back >= 360.0) back -= 360.0;
        gc_destination_point(active_plan[to].lat, active_plan[to].lon, back + a.magvar, descent - sum,
                             &tod_lat, &tod_lon);
    }
    tod_altitude = top;
    route_distance_summary();
}

void update_vnav_target_at_sequencing() {
    const int to = to_waypoint_index;
    const int last = flown_last();
    if (!(switch_distance > distance_to_to_nm) || lnav_engaged != 1 || to >= last || to < 0) return;
    constraint_waypoint_index = last;
    for (int i = to + 1; i <= last; ++i)
        if (holds_altitude(active_plan[i])) {
            constraint_waypoint_index = i;
            break;
        }
    const double cruise = cruise_altitude;
    int target = -1; // an entry; -1 the point kept below
    double lat = toc_lat;
    double lon = toc_lon;
    if (toc_passed == 0) {
        toc_sequence_index = plan_distance_to(1);
        lat = toc_lat;
        lon = toc_lon;
        if (constraint_waypoint_index <= toc_sequence_index && is_climb_constraint(constraint_waypoint_index))
            target = constraint_waypoint_index;
    } else {
        // Once down from cruise a constraint above is no new level to climb to.
        if (holds_altitude(active_plan[to]) && !climbed_to(to) &&
            !(tod_passed == 1 && predicted_altitude(active_plan[to]) > aircraft_state.indicated_altitude_ft))
            update_toc_tod(kTodNewLevel);
        if (tod_passed == 1) {
            target = constraint_waypoint_index;
        } else {
            lat = tod_lat;
            lon = tod_lon;
        }
    }
    if (target >= 0) {
        target_entry(target);
    } else {
        vertical_target_lat = lat;
        vertical_target_lon = lon;
        vertical_target_altitude = cruise;
    }
    // Over the destination airport at the cruise altitude: 200 ft above it.
    if (constraint_waypoint_index == last && active_plan[last].type == "APT" &&
        vertical_target_altitude == cruise_altitude && vnav_engaged == 1)
        vertical_target_altitude += 200.0;

    if (toc_passed == 1 && tod_passed != 1) {
        vnav_altitude_set = 1; // level in cruise: no new altitude
    } else {
        vnav_altitude_set = 0;
        vnav_speed_set = 0;
    }
}

void update_vertical_guidance() {
    detect_toc();
    detect_tod();
    if (tod_passed == 1 && tod_commands_sent == 0) on_tod_passed();
    route_distance_summary();
    // The along-route test may find a TOD that lay behind the aircraft.
    if (tod_passed == 1 && tod_commands_sent == 0) on_tod_passed();
    keep_climb_target();
    set_vnav_altitude_targets();
    // VNAV set to go off at the last waypoint lets go there once the descent
    // is flown.
    if (VnavOffAtLastWpt == 1 && vnav_engaged == 1 && to_waypoint_index >= flown_last() && descent_flown())
        vnav_engaged = 0;
    apply_speed_restrictions();
    set_vnav_speed_target();
}
