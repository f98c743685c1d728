#include "fms/perf/vnav_phase.h"

#include "fms/guidance/lateral_guidance.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/vertical_state.h"
#include "sim/aircraft_state.h"
#include "sim/sim_var_reader.h"

#include <cmath>

namespace {

// Where the aircraft is now, read from the vertical state.
VnavPhase phase_now() {
    if (vnav_engaged != 1) return VnavPhase::Off;
    if (vnav_on_ground()) return VnavPhase::OnGround;
    if (tod_passed == 1) return VnavPhase::Descent;
    if (toc_passed == 1) return VnavPhase::Cruise;
    const AircraftState& a = aircraft_state;
    // The pilot's lower altitude holds the climb once the aircraft is at it.
    const bool held = a.ap_altitude_lock_ft + 100.0 < vertical_target_altitude &&
                      std::fabs(a.indicated_altitude_ft - a.ap_altitude_lock_ft) < 200.0;
    return held ? VnavPhase::HeldByPilot : VnavPhase::Climb;
}

VnavTransition transition(VnavPhase from, VnavPhase to) {
    if (from == to) return VnavTransition::None;
    if (from == VnavPhase::Off) return VnavTransition::Engage;
    if (to == VnavPhase::Off) return VnavTransition::Disengage;
    if (to == VnavPhase::OnGround) return VnavTransition::Land;
    if (from == VnavPhase::OnGround) return VnavTransition::LiftOff;
    switch (to) {
    case VnavPhase::HeldByPilot:
        return VnavTransition::PilotHolds;
    case VnavPhase::Climb:
        return VnavTransition::ClimbAgain;
    case VnavPhase::Cruise:
        return from == VnavPhase::Descent ? VnavTransition::NewLevel : VnavTransition::ReachLevel;
    case VnavPhase::Descent:
        return VnavTransition::StartDown;
    default:
        return VnavTransition::None;
    }
}

} // namespace

bool vnav_on_ground() {
    return sim_var_object.get_simvar_60_int() != 0 && aircraft_state.ground_speed_kt < 40.0;
}

const char* vnav_phase_name(VnavPhase p) {
    switch (p) {
    case VnavPhase::Off:
        return "off";
    case VnavPhase::OnGround:
        return "on the ground";
    case VnavPhase::Climb:
        return "climb";
    case VnavPhase::HeldByPilot:
        return "held by the pilot";
    case VnavPhase::Cruise:
        return "cruise";
    case VnavPhase::Descent:
        return "descent";
    }
    return "";
}

void advance_vnav_phase() {
    const VnavPhase next = phase_now();
    const VnavTransition t = transition(vnav_phase, next);
    if (t == VnavTransition::None) return;
    vnav_last_transition = t;
    vnav_phase = next;
    // A new engagement calls for a new TO's targets afresh.
    if (t == VnavTransition::Engage) vnav_targets_to_id = 0;
}

void call_for_vnav_targets(VnavReason why, int which) {
    const bool fresh = why == VnavReason::Engaged || why == VnavReason::RouteChanged;
    if (!fresh && vnav_on_ground()) return;
    if (why == VnavReason::NewTo) {
        const int to = to_waypoint_index;
        const int id = to >= 0 && to <= active_plan_last ? active_plan[to].id : 0;
        if (id != 0 && id == vnav_targets_to_id) return;
        vnav_targets_to_id = id;
    }
    if (fresh) vnav_targets_to_id = 0;
    if (which & kAltitudeTarget) vnav_altitude_set = 0;
    if (which & kSpeedTarget) vnav_speed_set = 0;
}
