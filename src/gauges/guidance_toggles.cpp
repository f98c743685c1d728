#include "gauges/guidance_toggles.h"

#include "data/module_settings.h"
#include "fms/fms_update.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/nav/radio_autotune.h"
#include "fms/perf/vnav_phase.h"
#include "fms/plan/holds.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/vertical_state.h"
#include "fms/units/mcu_page_state.h"
#include "fms/units/update_counters.h"
#include "gauges/lvar_poll.h"
#include "gauges/named_publish.h"
#include "sim/key_events.h"
#include "sim/panel_services.h"

void toggle_lnav() {
    if (lnav_engaged != 0) {
        lnav_engaged = 0;
        intercept_armed = 0;
        hold_exit_state = kHoldExitNotEntered;
        drop_flown_hold();
        hold_armed = 0;
        direct_to_active = 0;
    } else if (to_waypoint_index != kNoToWaypoint && !to_held_at_gap()) {
        // Held at a gap there is nothing to steer to: refused as with no route.
        lnav_engaged = 1;
        if (HdgHoldOnLnavOn == 1) trigger_key_event(kKeyHeadingHold, 0);
        if (LnavSetEnRouteFreqs == 1) autotune_leg_radios(kAutotuneRouteAhead);
        start_direct_to();
    }
    mcu_redraw = 1;
    display_refresh_counter = 999;
    publish_named_whole("orvex_lnav", lnav_engaged);
    lnav_state_published = lnav_engaged;
    if (LnavOnNavLock == 1) trigger_key_event(kKeyAutopilotNavLock, 0);
    lvar_poll_countdown = 3;
}

int lnav_state_published = -1;

void publish_lnav_state() {
    if (lnav_state_published == lnav_engaged) return;
    lnav_state_published = lnav_engaged;
    publish_named_whole("orvex_lnav", lnav_engaged);
}

void toggle_vnav() {
    if (vnav_engaged != 0) {
        vnav_engaged = 0;
    } else if (to_waypoint_index != kNoToWaypoint) {
        vnav_engaged = 1;
        call_for_vnav_targets(VnavReason::Engaged, kBothTargets);
        vnav_speed_refresh = 1;
        commanded_altitude_ft = kNotCommanded;
        commanded_speed_kt = kNotCommanded;
        commanded_mach_x100 = kNotCommanded;
        if (VnavSetSpd == 2) VnavSetSpd = 1;
    }
    mcu_redraw = 1;
    publish_named_whole("orvex_vnav", vnav_engaged);
}
