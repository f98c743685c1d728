#include "fms/perf/vnav_phase.h"

#include "fms/guidance/lateral_guidance.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/update_state.h"
#include "fms/plan/vertical_state.h"
#include "fms/units/cdu_text.h"
#include "sim/aircraft_state.h"
#include "sim/sim_var_reader.h"

namespace {

// Where a transition may start from and where it leads.
struct Move {
    VnavTransition t;
    bool from_climb, from_cruise, from_descent;
    VnavPhase to;
};
constexpr Move kMoves[] = {
    {VnavTransition::Restart, true, true, true, VnavPhase::Climb},
    {VnavTransition::ReachLevel, true, false, false, VnavPhase::Cruise},
    {VnavTransition::StartDown, true, true, false, VnavPhase::Descent},
    {VnavTransition::NewLevel, false, true, true, VnavPhase::Cruise},
    {VnavTransition::ClimbAgain, false, true, false, VnavPhase::Climb},
};

bool starts_from(const Move& m, VnavPhase p) {
    return p == VnavPhase::Climb ? m.from_climb : p == VnavPhase::Cruise ? m.from_cruise : m.from_descent;
}

// The SMITHS CDU's ECON page follows the phase: CLB becomes CRZ at the T/C,
// CLB or CRZ becomes PATH DES at the T/D, and a new level shows CRZ (from
// PATH DES only while the descent speeds do not apply). Other pages stay.
void econ_page_follows(VnavTransition t, VnavPhase) {
    int& page = smiths_cdu_page;
    switch (t) {
    case VnavTransition::ReachLevel:
        if (page == kPageEconClb) page = kPageEconCrz;
        break;
    case VnavTransition::StartDown:
        if (page == kPageEconClb || page == kPageEconCrz) page = kPageEconPathDes;
        break;
    case VnavTransition::NewLevel:
        if (page == kPageEconClb ||
            (page == kPageEconPathDes && descent_speed_phase == kDescentSpeedPhaseOff))
            page = kPageEconCrz;
        break;
    default:
        break;
    }
}

// The rate and pause options act once per climb, cruise and descent: the T/C
// re-arms all three; a T/D that also passes the T/C re-arms the rate.
void options_rearm(VnavTransition t, VnavPhase from) {
    if (t == VnavTransition::ReachLevel) sim_rate_restored = paused_at_tod = paused_at_dest_distance = 0;
    if (t == VnavTransition::StartDown && from == VnavPhase::Climb) sim_rate_restored = 0;
}

constexpr void (*kListeners[])(VnavTransition, VnavPhase) = {econ_page_follows, options_rearm};

} // namespace

bool vnav_on_ground() {
    return sim_var_object.get_simvar_60_int() != 0 && aircraft_state.ground_speed_kt < 40.0;
}

const char* vnav_phase_name(VnavPhase p) {
    switch (p) {
    case VnavPhase::Climb:
        return "climb";
    case VnavPhase::Cruise:
        return "cruise";
    case VnavPhase::Descent:
        return "descent";
    }
    return "";
}

bool vnav_transition(VnavTransition t) {
    for (const Move& m : kMoves) {
        if (m.t != t) continue;
        if (!starts_from(m, vnav_phase)) return false;
        const VnavPhase from = vnav_phase;
        vnav_phase = m.to;
        for (auto listener : kListeners)
            listener(t, from);
        return true;
    }
    return false;
}

void call_for_vnav_targets(VnavReason why, int which) {
    const bool fresh = why == VnavReason::Engaged || why == VnavReason::RouteChanged;
    if (!fresh && vnav_on_ground()) return;
    // Both ask for the targets of passing this TO: once, however many
    // passes it stays near (a reversal onto a gap keeps it).
    if (why == VnavReason::NewTo || why == VnavReason::CourseReversal) {
        const int to = to_waypoint_index;
        const int id = to >= 0 && to <= active_plan_last ? active_plan[to].id : 0;
        if (id != 0 && id == vnav_targets_to_id) return;
        vnav_targets_to_id = id;
    }
    if (fresh) vnav_targets_to_id = vnav_sequencing_to_id = 0;
    if (which & kAltitudeTarget) {
        // A call of another kind on the same pass makes it a call of that kind.
        const bool sequencing = why == VnavReason::NewTo || why == VnavReason::CourseReversal;
        vnav_altitude_for_sequencing = sequencing && (vnav_altitude_set != 0 || vnav_altitude_for_sequencing);
        vnav_altitude_set = 0;
    }
    if (which & kSpeedTarget) vnav_speed_set = 0;
}
