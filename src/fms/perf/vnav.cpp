#include "fms/perf/vnav.h"
#include "fms/perf/vnav_cursors.h"

#include "data/aircraft_settings.h"
#include "data/airport_procedures.h"
#include "data/module_settings.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/guidance/route_progress.h"
#include "fms/math/heading_math.h"
#include "fms/math/nav_math.h"
#include "fms/nav/radio_autotune.h"
#include "fms/perf/autopilot_targets.h"
#include "fms/perf/constraint_rule.h"
#include "fms/perf/flown_route.h"
#include "fms/perf/lateral_path.h"
#include "fms/perf/profile_prediction.h"
#include "fms/perf/speed_targets.h"
#include "fms/perf/vertical_profile.h"
#include "fms/perf/vnav_phase.h"
#include "fms/plan/entry_marks.h"
#include "fms/plan/holds.h"
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

PlanCursor vertical_target_cursor{CursorPlan::Active, CursorRule::Stays};
const PlanCursor& constraint_waypoint_index = vertical_target_cursor;

namespace {

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

// The altitude below which the next end of descent is looked for: the level
// flown, or the cruise altitude while it lies above (a constraint at it is
// still one to meet).
double descent_end_ceiling() {
    const double flown = aircraft_state.indicated_altitude_ft;
    return (vnav_phase == VnavPhase::Descent ? flown : std::max(flown, double(cruise_altitude))) +
           kSameLevelFt;
}

// The level the climb goes to, as the profile gives it: VNAV's target where
// no cap is ahead (the cruise altitude before a profile is built).
double climb_target_level() {
    const VerticalProfile& p = active_profile();
    const double cruise = cruise_altitude;
    return p.level_ft > 0.0 ? std::min(p.level_ft, cruise) : cruise;
}

void detect_toc() {
    const AircraftState& a = aircraft_state;
    if (cruise_altitude <= 0 || vnav_phase != VnavPhase::Climb ||
        !(cruise_altitude - a.indicated_altitude_ft < kLevelReachedFt))
        return;
    // A cap ahead holds the climb just below the cruise altitude: levelling
    // at it is no T/C, which stands past its fix where the climb goes on.
    if (valid_to() && active_profile().cap_ahead(to_waypoint_index, a.indicated_altitude_ft) > 0) return;
    vnav_transition(VnavTransition::ReachLevel);
    tod_altitude = cruise_altitude;
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
bool detect_tod() {
    if (cruise_altitude <= 0 || vnav_phase == VnavPhase::Descent || !valid_to() || flown_last() < 1)
        return false;
    const VerticalProfile& p = active_profile();
    const double flown = aircraft_state.indicated_altitude_ft;
    // A constraint ahead that holds the climb allows no descent before it.
    if (vnav_phase == VnavPhase::Climb && p.cap_ahead(to_waypoint_index, flown) > 0) return false;
    const int top = saturate_to_whole(flown);
    const DescentEnd end = p.descent_end_from(to_waypoint_index, top);
    if (end.index < 1) return false;
    // In a hold's pattern the aircraft goes no way along the route, and the
    // fix it holds at is still ahead: a descent past it waits until the hold
    // is left (down to the fix's own altitude it goes on).
    if (hold_armed != 0 && holding_active != 0 && end.index != to_waypoint_index) return false;
    // Along LNAV's path, as the TOD is placed: the profile's T/D (in the
    // climb built from the level the climb goes to, which a climb met by the
    // descent has reached); to another end, the descent at its gradient.
    const bool profile = p.tod.exists && p.ed.index == end.index;
    const double descent = profile ? p.ed.ahead_nm - p.tod.ahead_nm : p.descent_nm(top - end.altitude);
    double d = path_distance_through(end.index) - descent;
    if (reversal_near_tod == 1) {
        if (d < 10.0) d = -1.0;
        reversal_near_tod = 0;
    }
    // Held level up to a fix, the descent leaves the level where the fix is
    // passed: begun the usual margin early it would cross the fix low.
    if (!(d <= (profile && p.tod.at_fix_held ? 0.0 : kTodPassedWithinNm))) return false;
    // Nor before a FROM flown at the level, sequenced short of its fix, is
    // passed: the descent's path keeps the level up to there, and begun
    // before it the aircraft comes down under the path and levels off.
    const int from = to_waypoint_index - 1;
    if (d > 0.0 && from >= 1 && holds_altitude(active_plan[from]) &&
        std::fabs(predicted_altitude(active_plan[from]) - top) <= kSameLevelFt && path_short_of_from() > 0.0)
        return false;
    vertical_target_cursor.move_to(end.index);
    descent_speed_phase = kDescentSpeedPhaseOn;
    tune_destination_localizer();
    return true;
}

// The pass on which the TOD is passed.
void on_tod_passed() {
    const AircraftState& a = aircraft_state;
    const bool from_climb = vnav_phase == VnavPhase::Climb;
    if (!vnav_transition(VnavTransition::StartDown)) return;
    descent_speed_phase = kDescentSpeedPhaseOn;
    tod_altitude = cruise_altitude;
    // The climb met the descent: the path comes down from the altitude the
    // climb reached.
    if (from_climb) update_toc_tod(kTodLocate);
    // Past the T/D none ahead caps the climb: a cap the aircraft is above is
    // now the first end it comes down to.
    else
        locate_vertical_profile(aircraft_place());
    vertical_target_cursor.move_to(vertical_target_entry(to_waypoint_index));
    tod_sequence_index = to_waypoint_index;
    target_entry(constraint_waypoint_index);
    // The distances from the T/D to the new target: the summary's.
    route_distance_summary();

    if (vnav_engaged != 1) return;
    if (VnavSetAlts == 1 && vertical_target_altitude > kNoConstraint)
        trigger_key_event(kKeyAutopilotAltitudeSet, static_cast<uint32_t>(descent_altitude_command()));
    vnav_altitude_set = 1;
    commanded_altitude_refresh = saturate_to_whole(a.snap_token_1);
    // A rate held from the climb (the cruise sends none) is no descent's:
    // the descent's own goes out with its altitude, not after standing its
    // passes while the autopilot comes down at the climb's rate, under the
    // path.
    if (vnav_vs_sent > 0) vnav_vs_sent = kNoVsSent;
    if (VnavSetSpd != 1) return;
    const bool near = VnavSetSpdRestDist > distance_to_to_nm;
    if (near) call_for_vnav_targets(VnavReason::LateSpeed, kSpeedTarget);
    if (a.snap_token_117 > 0.0) {
        trigger_key_event(kKeyTodSpeedModeFirst, 0);
        trigger_key_event(kKeyTodSpeedModeSecond, 0);
        pending_descent_speed_event = 1;
    } else if (!near) {
        send_speed(descent_speed_target);
    }
}

// The FROM when it caps the climb and LNAV sequenced it short of its fix
// (its switching distance, a turn's anticipation) with the aircraft still
// short of where the path it flies passes the fix; else 0. The climb stays
// held there: the profile climbs on from the fix, and climbed on from the
// sequencing the aircraft crosses the fix up to a thousand feet high.
int cap_held_to_fix() {
    const int to = to_waypoint_index;
    if (to < 2 || direct_to_active == 1) return 0;
    const int from = previous_place(active_plan, to);
    const double here = aircraft_state.indicated_altitude_ft;
    if (from < 1 || active_profile().cap_ahead(from, here) != from) return 0;
    return path_short_of_passing_from() > 0.0 ? from : 0;
}

// Levelled at VNAV's own altitude below the level the climb now goes to (the
// route affords more than when it was sent): the climb goes on to it, once
// for that level-off. Held there, the pages would show the T/D of a level
// never climbed to. A lower altitude the pilot set stays.
void climb_on_from_own_level() {
    const AircraftState& a = aircraft_state;
    const double lock = a.ap_altitude_lock_ft;
    const bool own =
        commanded_altitude_ft != kNotCommanded && saturate_to_whole(lock) == commanded_altitude_ft;
    const bool in_pattern = hold_armed != 0 && holding_active != 0;
    if (vnav_engaged == 1 && own && !in_pattern && vnav_altitude_set == 1 &&
        vertical_target_altitude > lock + kSameLevelFt &&
        std::fabs(a.indicated_altitude_ft - lock) <= kSameLevelFt)
        call_for_vnav_targets(VnavReason::ClimbTarget, kAltitudeTarget);
}

// In the climb the target is the constraint ahead that caps the climb, else
// the level the climb goes to (the cruise altitude, or lower where the rest
// of the route could not be descended from it: then the TOC and TOD move to
// where the climb and the descent meet). A new target is commanded at once
// (the first TO may carry one, before any sequencing).
void keep_climb_target() {
    if (vnav_phase != VnavPhase::Climb || cruise_altitude <= 0 || !valid_to()) {
        climb_constraint_index = 0;
        return;
    }
    const int held = cap_held_to_fix();
    const int k =
        held > 0 ? held : active_profile().cap_ahead(to_waypoint_index, aircraft_state.indicated_altitude_ft);
    if (k == 0) climb_on_from_own_level();
    // A cap left behind: the climb goes on from it (after a hold at its fix
    // too, where the sequencing's own target was called for on the way in).
    const bool cap_passed = k == 0 && climb_constraint_index > 0;
    climb_constraint_index = k;
    if (k > 0) {
        if (predicted_altitude(active_plan[k]) == vertical_target_altitude) return;
        // The pages' TOD follows the climb VNAV now flies (the TOC moves at
        // the next sequencing).
        update_toc_tod(kTodLocate);
        target_entry(k);
        call_for_vnav_targets(VnavReason::ClimbTarget, kAltitudeTarget);
        return;
    }
    const double cruise = cruise_altitude;
    // Once a second the pages' TOC and TOD follow the climb as flown.
    if (frame_slot == 0) {
        plan_distance_to(0);
        update_toc_tod(kTodLocate);
        vertical_target_lat = toc_lat;
        vertical_target_lon = toc_lon;
    }
    // In a hold's pattern the aircraft goes no way along the route: the
    // level it climbs to stays the one it had (the pattern's legs back along
    // the route would move it a step at a time).
    if (hold_armed != 0 && holding_active != 0 && vertical_target_altitude > kNoConstraint) return;
    // The profile's level (too near the end to climb at all: the altitude
    // flown), the one its path descends from: it moves in whole steps of the
    // level the route affords, and the target is that same value.
    if (active_profile().path.empty()) update_toc_tod(kTodLocate);
    const double level = climb_target_level();
    const double target = level;
    if (target == vertical_target_altitude) return;
    update_toc_tod(kTodLocate);
    vertical_target_lat = toc_lat;
    vertical_target_lon = toc_lon;
    vertical_target_altitude = target;
    // A lower altitude the pilot holds on the MCP stays until VNAV commands
    // the climb again (at the next waypoint); one above the level comes down.
    if (aircraft_state.ap_altitude_lock_ft > vertical_target_altitude + kSameLevelFt || level == cruise ||
        cap_passed)
        call_for_vnav_targets(VnavReason::ClimbTarget, kAltitudeTarget);
}

// In the cruise VNAV starts down from the altitude flown: once a second the
// pages' TOD follows an aircraft the pilot took above or below the level it
// was found from, and a route changed since the profile was built gets its
// own. So does a turn past the FROM stepped anew from the aircraft (at the
// speed it flies, wider than the turn reckoned ahead): the descent begins by
// the distance along the path now, and a TOD left on the turn reckoned
// before stands off the one flown, short of where the descent begins.
void keep_tod_with_altitude() {
    if (frame_slot != 0 || !valid_to()) return;
    lateral_path();
    const unsigned from_turn = from_turns_stepped;
    const bool turned_anew = from_turn != tod_from_turns;
    tod_from_turns = from_turn;
    if (vnav_phase != VnavPhase::Cruise) return;
    if (std::fabs(aircraft_state.indicated_altitude_ft - tod_altitude) > kSameLevelFt ||
        vertical_profile.revision != profile_points_revision ||
        (turned_anew && !active_profile().tod.at_fix_held))
        update_toc_tod(kTodLocate);
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
    if (vnav_speeds && vnav_phase == VnavPhase::Climb && climb_speed_limit_active == 1.0 &&
        a.indicated_altitude_ft > ClbAltRest) {
        const RouteWaypoint& to = active_plan[to_waypoint_index];
        send_speed(typed_by_pilot(to) && predicted_speed(to) > 0.0 ? saturate_to_whole(predicted_speed(to))
                                                                   : climb_speed_target);
        climb_speed_limit_active = 0.0;
    }
    if (VnavSetSpdRestDist > distance_to_to_nm && vnav_engaged == 1 &&
        descent_speed_phase == kDescentSpeedPhaseOn && constraint_speed_armed == 0 &&
        typed_by_pilot(active_plan[to_waypoint_index])) {
        call_for_vnav_targets(VnavReason::ToConstraint, kSpeedTarget);
        constraint_speed_armed = 1;
    }
}

// From the TO index + offset on, the climb's target (plan_distance_to): the
// profile's cap ahead, the same one VNAV levels at, else its T/C.
int place_toc(const VerticalProfile& p, int offset) {
    const int cap = p.cap_ahead(to_waypoint_index + offset, aircraft_state.indicated_altitude_ft);
    if (cap > 0) {
        target_entry(cap);
        toc_index = cap;
        return cap;
    }

    const ProfilePoint& toc = p.toc;
    if (!toc.exists) return 0;
    vertical_target_lat = toc.lat;
    vertical_target_lon = toc.lon;
    if (offset == 0) toc_index = toc.index - 1;
    return toc.index;
}

// The T/D of `p` for the pages and maps (update_toc_tod).
void show_tod(const VerticalProfile& p) {
    if (!valid_to() || flown_last() < to_waypoint_index) return;
    tod_altitude = p.level_ft;
    // Nothing to descend to: no T/D.
    tod_lat = p.tod.exists ? p.tod.lat : 0.0;
    tod_lon = p.tod.exists ? p.tod.lon : 0.0;
    route_distance_summary();
}

} // namespace

int vertical_target_entry(int first) {
    const int last = flown_last();
    if (last < 1) return active_plan_last;
    const VerticalProfile& p = active_profile();
    if (vnav_phase == VnavPhase::Climb && cruise_altitude > 0)
        if (const int k = p.cap_ahead(first, aircraft_state.indicated_altitude_ft); k > 0) return k;
    const DescentEnd e = p.descent_end_from(first, descent_end_ceiling());
    return e.index >= 1 ? e.index : last;
}

void make_profile_again() {
    flown_plan_edited = 0;
    // The route changed: the TO ahead gets its target at sequencing anew.
    vnav_sequencing_to_id = 0;
    const bool climbing = vnav_phase == VnavPhase::Climb;
    // One profile, built with the predictions, gives the T/C, the T/D and
    // the target (a route without legs has none to predict).
    if (flown_last() >= 1)
        predict_profile(cruise_altitude, kProfileFull);
    else
        locate_vertical_profile(aircraft_place());
    const VerticalProfile& p = vertical_profile;
    if (vnav_phase == VnavPhase::Climb) place_toc(p, 0);
    show_tod(p);
    route_distance_summary();

    vertical_target_altitude = vnav_phase == VnavPhase::Climb ? climb_target_level() : cruise_altitude;
    vertical_target_lat = toc_lat;
    vertical_target_lon = toc_lon;
    if (to_waypoint_index <= active_plan_last)
        vertical_target_cursor.move_to(vertical_target_entry(to_waypoint_index));
    const int target = constraint_waypoint_index;
    if (vnav_phase == VnavPhase::Climb) {
        if (target < place_toc(p, 1)) target_entry(target);
    } else {
        // A T/C the summary found beyond the route's end ended the climb: the
        // profile is then the cruise's, from the altitude flown.
        if (climbing)
            update_toc_tod(kTodLocate);
        else
            show_tod(p);
        target_entry(target);
        if (target == active_plan_last && active_plan[target].type == "APT" && vnav_engaged == 1)
            vertical_target_altitude = route_end_altitude() + kAboveFieldFt;
    }
}

int plan_distance_to(int offset) {
    return place_toc(locate_vertical_profile(aircraft_place()), offset);
}

void update_toc_tod(int mode) {
    const int to = to_waypoint_index;
    if (!valid_to() || flown_last() < to) return;
    ProfilePlace at = aircraft_place();
    if (mode == kTodNewLevel) {
        tod_sequence_index = to;
        at.first = to + 1;
        cruise_altitude = saturate_to_whole(predicted_altitude(active_plan[to]));
        // An aircraft still well above the new level (not yet down to it,
        // or flown by the pilot) starts down from where it is, as it will
        // once the T/D follows the altitude flown.
        const double flown = aircraft_state.indicated_altitude_ft;
        at.level_ft = flown > cruise_altitude + kSameLevelFt ? flown : cruise_altitude;
        vnav_transition(VnavTransition::NewLevel);
    }
    show_tod(locate_vertical_profile(at));
}

void update_vnav_target_at_sequencing() {
    const int to = to_waypoint_index;
    const int last = flown_last();
    if (!(switch_distance > distance_to_to_nm) || lnav_engaged != 1 || to >= last || to < 0) return;
    // Once for each TO: one that stays near (in a hold, turning back onto a
    // gap) is kept after the first pass. On the ground it is looked at again
    // until the aircraft flies, as no target goes out there.
    // In a hold's pattern the fix is not being sequenced: a pattern joined
    // abeam of it (a wide turn at speed) first comes within the switching
    // distance on a lap, which is no event. The targets go out when the
    // hold is left and the fix is sequenced.
    if (hold_armed != 0 && holding_active != 0) return;
    const int id = active_plan[to].id;
    if (id != 0 && id == vnav_sequencing_to_id) return;
    if (!vnav_on_ground()) vnav_sequencing_to_id = id;
    const double here = aircraft_state.indicated_altitude_ft;
    bool step_down = false; // a new level below the aircraft, no descent to it under way
    int target = -1;        // an entry; -1 the point kept below
    double lat = toc_lat;
    double lon = toc_lon;
    if (vnav_phase == VnavPhase::Climb) {
        vertical_target_cursor.move_to(vertical_target_entry(to + 1));
        toc_sequence_index = plan_distance_to(1);
        update_toc_tod(kTodLocate);
        lat = toc_lat;
        lon = toc_lon;
        if (active_profile().cap_ahead(to + 1, here) == constraint_waypoint_index)
            target = constraint_waypoint_index;
    } else {
        // No descent under way: still in cruise (the T/D not reached, as
        // before a short leg that LNAV sequences early) or held level.
        const bool not_descending = vnav_phase == VnavPhase::Cruise || vnav_vs_sent >= 0;
        // A constraint that ends the descent becomes the new level; once down
        // from cruise a constraint above is no new level to climb to.
        if (active_profile().descent_end_from(to, descent_end_ceiling()).index == to &&
            !(vnav_phase == VnavPhase::Descent && predicted_altitude(active_plan[to]) > here)) {
            update_toc_tod(kTodNewLevel);
            step_down = not_descending && here > cruise_altitude + kSameLevelFt;
        }
        vertical_target_cursor.move_to(vertical_target_entry(to + 1));
        if (vnav_phase == VnavPhase::Descent) {
            target = constraint_waypoint_index;
        } else {
            lat = active_profile().tod.lat;
            lon = active_profile().tod.lon;
        }
    }
    if (target >= 0) {
        target_entry(target);
    } else {
        vertical_target_lat = lat;
        vertical_target_lon = lon;
        vertical_target_altitude = vnav_phase == VnavPhase::Climb ? climb_target_level() : cruise_altitude;
    }
    // Over the destination airport at the cruise altitude: 200 ft above it.
    if (constraint_waypoint_index == last && active_plan[last].type == "APT" &&
        vertical_target_altitude == cruise_altitude && vnav_engaged == 1)
        vertical_target_altitude += kAirportOverLevelFt;

    if (step_down) {
        // Its fix sequenced with the aircraft still above it: the last
        // moment the descent to it can begin, so it begins now.
        call_for_vnav_targets(VnavReason::NewTo, kAltitudeTarget);
    } else if (vnav_phase == VnavPhase::Cruise) {
        vnav_altitude_set = 1; // level in cruise: no new altitude
    } else {
        call_for_vnav_targets(VnavReason::NewTo, kBothTargets);
    }
}

void update_vertical_guidance() {
    // An edit on the GNS or the MCU: the route flown is another one.
    if (flown_plan_edited == 1 && cruise_altitude > 0 && valid_to() && flown_last() >= 1) {
        make_profile_again();
        // Its new target is commanded in the climb and the descent.
        if (vnav_engaged == 1 && vnav_phase != VnavPhase::Cruise)
            call_for_vnav_targets(VnavReason::RouteChanged, kAltitudeTarget);
    }
    flown_plan_edited = 0;
    // Engaged in the climb: the target is the one the profile gives for the
    // TO flown now. One kept from an EXEC before there was a TO (the first
    // entry) would aim the climb at the cruise level by that fix.
    if (vnav_engagement_seen == 0 && vnav_engaged == 1 && vnav_phase == VnavPhase::Climb && valid_to())
        vertical_target_cursor.move_to(vertical_target_entry(to_waypoint_index));
    vnav_engagement_seen = vnav_engaged;
    detect_toc();
    // The T/D read is the one of the level flown.
    keep_tod_with_altitude();
    if (detect_tod()) on_tod_passed();
    route_distance_summary();
    keep_climb_target();
    keep_predictions_with_aircraft();
    // The descent's vertical speed reads the path laid now.
    update_descent_path();
    set_vnav_altitude_targets();
    // VNAV set to go off at the last waypoint lets go there once the descent
    // is flown.
    if (VnavOffAtLastWpt == 1 && vnav_engaged == 1 && to_waypoint_index >= flown_last() && descent_flown())
        vnav_engaged = 0;
    apply_speed_restrictions();
    set_vnav_speed_target();
}
