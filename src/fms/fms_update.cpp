#include "fms/fms_update.h"
#include "fms/files/route_file_load.h"

#include "data/module_settings.h"
#include "data/p1000_menu_state.h"
#include "fms/fms_read_schedule.h"
#include "fms/guidance/hold_flying.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/guidance/lnav.h"
#include "fms/guidance/route_progress.h"
#include "fms/guidance/times_to_go.h"
#include "fms/math/air_data.h"
#include "fms/math/nav_math.h"
#include "fms/nav/radio_autotune.h"
#include "fms/perf/speed_targets.h"
#include "fms/perf/vertical_profile.h"
#include "fms/perf/vnav.h"
#include "fms/perf/vnav_phase.h"
#include "fms/plan/flight_log.h"
#include "fms/plan/plan_legs.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/vertical_state.h"
#include "fms/procedures/active_runways.h"
#include "fms/procedures/airport_detail.h"
#include "fms/procedures/airport_selection.h"
#include "fms/published_values.h"
#include "fms/sequencing.h"
#include "fms/units/mcu_page_state.h"
#include "fms/units/update_counters.h"
#include "platform/text_file.h"
#include "sim/aircraft_state.h"
#include "sim/key_events.h"
#include "sim/panel_services.h"
#include "sim/sim_var_reader.h"

#include <cmath>

namespace {

// The module counts on 18 working passes a second.
constexpr double kPassesPerSecond = 18.0;
constexpr int kSlots = 18;

// Step 3: held at 0 while the heading bug moves and for the first five passes.
void step_display_refresh() {
    if (startup_frame_count < 10) ++startup_frame_count;
    display_refresh_counter = display_refresh_counter >= 91 ? 0 : display_refresh_counter + 1;
    if (aircraft_state.heading_bug_deg != aircraft_state.heading_bug_prev_deg || startup_frame_count < 6)
        display_refresh_counter = 0;
}

// Step 5: a new clock second advances the timers; fuel burns every pass.
void step_timers(bool new_second, const EngineReadings& engines) {
    if (new_second) {
        if (flight_phase < kFlightPhaseEndFlight) flight_elapsed_seconds += 1.0;
        second_tick = 1;
        last_clock_second = aircraft_state.clock_seconds_tick;
        bool n1_high = false;
        bool egt_high = false;
        for (int i = 0; i < 4; ++i) {
            n1_high = n1_high || engines.n1_pct[i] > 99.0;
            egt_high = egt_high || engines.egt_c[i] > 645.0;
        }
        n1_over_99_seconds = n1_high ? n1_over_99_seconds + 1.0 : 0.0;
        egt_over_645_seconds = egt_high ? egt_over_645_seconds + 1.0 : 0.0;
    }
    for (int i = 0; i < 4; ++i)
        engine_fuel_used[i] += engines.fuel_flow_pph[i] / 3600.0 / kPassesPerSecond;
}

// Step 6: the P1000 controller's watchdog. Its gauge counts its pre-draws;
// eleven checks in a row without a new count mean its window is closed:
// the soft keys become toggles again and a plan map turns heading-up.
void step_p1000_controller_watchdog() {
    if (p1000_controller_present != 1) return;
    if (p1000_controller_frame_count != p1000_controller_frame_seen) {
        p1000_controller_frame_seen = p1000_controller_frame_count;
        p1000_controller_stale_checks = 0;
        return;
    }
    ++p1000_controller_stale_checks;
    if (p1000_controller_stale_checks <= 10) return;
    p1000_controller_present = 0;
    if (p1000_mfd_plan_mode == kP1000PlanModeNorthUp) {
        p1000_mfd_plan_mode = kP1000PlanModeOff;
        p1000_map_centre_x = 134;
        p1000_map_centre_y = 148;
        p1000_map_radius = 53;
    }
    display_refresh_counter = 999;
}

// Step 7.
void step_pending_events() {
    if (pending_mach_events > 0) {
        const int32_t mach = saturate_to_whole(CruiseMach * 100.0);
        trigger_key_event(kKeyAutopilotMachSet, static_cast<uint32_t>(mach));
        commanded_mach_x100 = mach;
        --pending_mach_events;
    }
    if (pending_descent_speed_event == 1) {
        trigger_key_event(kKeyAutopilotAirspeedSet, static_cast<uint32_t>(descent_speed_target));
        commanded_speed_kt = descent_speed_target;
        pending_descent_speed_event = 0;
    }
    // The autopilot is read afresh: the snapshot reads its values on a few
    // slots only, and a value from before the command would look like the
    // pilot's own change to the manual-change checks.
    if (commanded_altitude_refresh != kNotCommanded) {
        commanded_altitude_ft = saturate_to_whole(sim_var_object.get_autopilot_altitude_lock_var_ft());
        commanded_altitude_refresh = kNotCommanded;
    }
    if (commanded_speed_refresh != kNotCommanded) {
        commanded_mach_x100 = saturate_to_whole(sim_var_object.get_ap_mach_target() * 100.0);
        commanded_speed_kt = saturate_to_whole(sim_var_object.get_ap_airspeed_target_kt());
        commanded_speed_refresh = kNotCommanded;
    }
}

// Steps 8 and 9: back to real time past the top of descent, and the pauses.
void step_rate_and_pauses() {
    if (vnav_phase == VnavPhase::Descent) {
        if (Lnav1xAtTod == 1 && sim_rate_restored == 0) {
            if (sim_rate == 1.0)
                sim_rate_restored = 1;
            else
                trigger_key_event(sim_rate > 1.0 ? kKeySimRateDecrease : kKeySimRateIncrease, 0);
        }
        if (PauseAtTod == 1 && paused_at_tod == 0) {
            trigger_key_event(kKeyPauseToggle, 0);
            PauseAtTod = 0;
            paused_at_tod = 1;
        }
    }
    // A route that ends at a fix without an altitude has no descent: its
    // cruise runs to the end, and the pause comes near its last fix.
    const bool no_descent = vnav_phase != VnavPhase::Climb && !active_profile().tod.exists;
    if ((descent_speed_phase == kDescentSpeedPhaseOn || no_descent) && PauseAtDistFromDest == 1 &&
        paused_at_dest_distance == 0) {
        bool near = false;
        if (lnav_engaged == 1)
            near = pause_distance > distance_to_destination;
        else if (lnav_engaged == 0)
            near = pause_distance > direct_distance_to_destination;
        if (near) {
            trigger_key_event(kKeyPauseToggle, 0);
            PauseAtDistFromDest = 0;
            paused_at_dest_distance = 1;
        }
    }
}

// Step 17.
void step_tower_view() {
    if (!(direct_distance_to_destination <= 25.0) || tower_view_set != 0) return;
    // A route without its destination ends at a waypoint, not at an airport
    // with a tower: nothing is set until the destination is entered.
    if (active_plan_last < 1 || !is_place(active_plan[active_plan_last])) return;
    if (SetDestLoadTowerViewDist > 0) set_tower_view();
    tower_view_set = 1;
    if (SetWptBaro == 1) trigger_key_event(kKeyAltimeterSetting, 0);
}

// Step 20: the destination airport once the aircraft has left the origin.
void step_destination_airport() {
    if (destination_airport_state != kDestinationAirportStateToLoad || active_plan_last < 0) return;
    const RouteWaypoint& destination = active_plan[active_plan_last];
    if (destination.type != "APT") return;
    double distance = 0.0;
    double course = 0.0;
    gc_dist_course(aircraft_state.plat, aircraft_state.plon, active_plan[0].lat, active_plan[0].lon,
                   &distance, &course);
    if (!(distance > 8.0)) return;
    select_airport(destination.ident, kSelectAirportDestination);
    // The MCU airport page shows the destination from now on.
    mcu_airport_text_a = airport_elevation_text;
    mcu_airport_text_b = selected_airport_ident;
    destination_airport_state = kDestinationAirportStateLoaded;
    if (McuShowActiveRwys == 1) query_active_runways_ipc(mcu_airport_text_b);
    mcu_airport_list_index = kNoSelectionIndex;
    airport_runway_selected_line = kNoRunwayLine;
}

// The times to go, once a cycle; and on the pass the TO changes, so that no
// page pairs the new TO with the time to the one just passed.
void update_times_on_their_slot() {
    static int timed_to_index = kNoToWaypoint;
    static int timed_to_id = 0;
    const int to_id = active_plan[to_waypoint_index].id;
    if (frame_slot != 0 && to_waypoint_index == timed_to_index && to_id == timed_to_id) return;
    timed_to_index = to_waypoint_index;
    timed_to_id = to_id;
    update_times_to_go(aircraft_state.ground_speed_kt, distance_to_to_nm, distance_to_destination, sim_rate);
}

// Steps 11 to 21, with an active route.
void route_steps() {
    settle_to_waypoint();
    check_course_reversal();
    update_vnav_target_at_sequencing();
    stamp_passing_time();
    fly_holds();
    sequence_to_waypoint();
    update_leg_geometry();
    update_switch_distance();
    route_distance_summary();
    step_tower_view();
    update_vertical_guidance();
    update_times_on_their_slot();
    step_destination_airport();
    steer_lnav();
    output_heading_bug();
}

// Steps 22 to 24, with or without a route.
void request_steps(double master_before) {
    if (autotune_request > 0) autotune_leg_radios(autotune_request);
    if (route_file_request == kRouteFileRequestMcu || route_file_request == kRouteFileRequestTextPage) {
        load_route_file(route_file_request);
        route_file_request = kRouteFileRequestNone;
    }
    autotune_request = kAutotuneNone;
    vnav_speed_refresh = 0;

    if (flight_phase < kFlightPhaseEndFlight) write_flight_log(kFlightLogPeriodic);

    const double master_now = sim_var_object.get_simvar_103();
    if (SetSpdOffwhenAPMasterSetOff == 1 && master_before == 1.0 && master_now == 0.0 &&
        aircraft_state.snap_token_115 == 1.0)
        trigger_key_event(kKeyAirspeedHoldOff, 0);
    aircraft_state.snap_token_103 = master_now;
}

} // namespace

void publish_server_variables() {
    const bool route = to_waypoint_index != kNoToWaypoint;
    // Without a TO waypoint the distance, cross-track, track and bearing
    // would be those of a route long gone.
    orvex_act_wpt_dist = route ? distance_to_to_nm : 0.0;
    orvex_act_wpt_pos = route ? to_waypoint_index : 0;
    orvex_fpln_wpt_cnt = active_plan_last;
    orvex_xtk_err_dir = route ? cross_track_direction : 0;
    orvex_xtk_err_dist = route ? cross_track_nm : 0.0;
    orvex_lnav_mode = lnav_engaged;
    orvex_vnav_mode = vnav_engaged;
    orvex_act_wpt_trk = route ? leg_course_deg : 0.0;
    orvex_act_wpt_brg = route ? course_to_to_deg : 0.0;
    if (orvex_active == 0) orvex_active = 1;
}

void fms_update() {
    AircraftState& a = aircraft_state;
    read_time_values();
    if (a.snap_token_1 == fms_last_sim_time) {
        // A unit drawn since this frame's pass may have changed the plan: the
        // gauges drawn after it publish the plan as it is now.
        publish_server_variables();
        return;
    }

    update_speed_trend(a.speed_smoothed);
    frame_slot = frame_slot >= kSlots - 1 ? 0 : frame_slot + 1;
    fms_last_sim_time = a.snap_token_1;
    step_display_refresh();

    read_every_pass_values();
    if (a.heading_bug_deg != a.heading_bug_prev_deg)
        heading_bug_change_countdown = 54;
    else if (heading_bug_change_countdown > 0)
        --heading_bug_change_countdown;

    const bool new_second = a.clock_seconds_tick != last_clock_second;
    EngineReadings engines;
    read_engine_values(new_second, engines);
    step_timers(new_second, engines);

    read_slot_values(frame_slot);
    if (frame_slot == 0 || frame_slot == 9) step_p1000_controller_watchdog();
    if ((frame_slot == 0 || frame_slot == 6 || frame_slot == 12) && mcu_entry_active == 1) mcu_redraw = 1;
    sim_rate = read_sim_rate();
    ground_speed_copy_kt = a.ground_speed_kt;

    step_pending_events();
    step_rate_and_pauses();
    track_deg = track_from_heading();

    const double master_before = a.snap_token_103;
    if (to_waypoint_index != kNoToWaypoint) route_steps();
    request_steps(master_before);
    // Every pass, so that a route that ended or a plan loaded by a request
    // shows at once.
    publish_server_variables();
}
