// VNAV's phases, one at a time, moved by named transitions, and the one way
// the autopilot's altitude and speed targets are called for again: each goes
// out once for the reason that calls for it (autopilot_targets.cpp sends it),
// never again frame after frame, and never while the aircraft stands on the
// ground except at engagement or a new route.
#pragma once

enum class VnavPhase {
    Off,         // not engaged
    OnGround,    // engaged, parked or taxiing: the targets of the engagement only
    Climb,       // climbing to the cap or the climb's level
    HeldByPilot, // in the climb, levelled by the pilot's lower MCP altitude
    Cruise,      // past the T/C, before the T/D
    Descent,     // past the T/D
};

enum class VnavTransition {
    None,
    Engage,     // Off -> any
    Disengage,  // any -> Off
    LiftOff,    // OnGround -> Climb, Cruise or Descent
    Land,       // any -> OnGround
    PilotHolds, // Climb -> HeldByPilot
    ClimbAgain, // HeldByPilot -> Climb
    ReachLevel, // Climb or HeldByPilot -> Cruise
    StartDown,  // Climb, HeldByPilot or Cruise -> Descent
    NewLevel,   // Descent -> Cruise (a constraint made the new level)
};

// Why a target is called for again.
enum class VnavReason {
    Engaged,        // VNAV engaged: both targets
    RouteChanged,   // a new or modified route made active: both
    NewTo,          // a TO waypoint about to be sequenced: its targets
    Sequenced,      // the TO just sequenced: the new TO's speed
    CourseReversal, // the TO lies behind: sequenced at once
    ClimbTarget,    // the climb's cap or level moved: the altitude
    ToConstraint,   // within the restriction distance of a pilot's constraint: the speed
    LateSpeed,      // the T/D passed near a waypoint: its speed at the sequencing
};

inline constexpr int kAltitudeTarget = 1;
inline constexpr int kSpeedTarget = 2;
inline constexpr int kBothTargets = kAltitudeTarget | kSpeedTarget;

// The phase now, the transition that led to it, and the TO entry (by id)
// whose targets a sequencing already called for.
inline VnavPhase vnav_phase = VnavPhase::Off;
inline VnavTransition vnav_last_transition = VnavTransition::None;
inline int vnav_targets_to_id = 0;

const char* vnav_phase_name(VnavPhase p);

// Once a pass, after the vertical guidance: the phase where the aircraft now
// is, reached by the transition it names.
void advance_vnav_phase();

// Calls for the targets in `which` again. Refused on the ground except for
// an engagement or a new route; a new TO calls for its targets once.
void call_for_vnav_targets(VnavReason why, int which);

// Parked or taxiing (the simulator's ground flag, slower than a take-off
// roll).
bool vnav_on_ground();
