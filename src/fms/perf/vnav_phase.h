// Where the flight is on its vertical profile, held as one state: the climb,
// the cruise past the T/C, the descent past the T/D. Only vnav_transition
// moves it, and each move tells the listeners (the ECON page shown, the
// simulation-rate and pause options) once. Every reader asks vnav_phase.
//
// And the one way the autopilot's altitude and speed targets are called for
// again: each goes out once for the event that calls for it
// (autopilot_targets.cpp sends it), never again frame after frame, and never
// while the aircraft stands on the ground except at engagement or a new
// route.
#pragma once

enum class VnavPhase {
    Climb,   // before the T/C
    Cruise,  // past the T/C, before the T/D (or a new level set)
    Descent, // past the T/D
};

enum class VnavTransition {
    Restart,    // a route or profile made anew: back to the climb
    ReachLevel, // the T/C: Climb -> Cruise
    StartDown,  // the T/D: Climb or Cruise -> Descent
    NewLevel,   // a constraint made the new level: Cruise or Descent -> Cruise
    ClimbAgain, // a higher level executed in the cruise: Cruise -> Climb
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

// The phase now. What a transition does is done by its listeners
// (vnav_phase.cpp) as it happens; nothing reads which one it was later.
inline VnavPhase vnav_phase = VnavPhase::Climb;
// The TO entry (by id) whose targets a sequencing already called for, and
// the one whose target was kept before its sequencing: a TO that stays near
// (parked, holding, reversing) is one event, not one per pass. A new route
// or a direct-to forgets both.
inline int vnav_targets_to_id = 0;
inline int vnav_sequencing_to_id = 0;
// The altitude was last called for by a sequencing alone (a new TO, a
// reversal onto it), not by an engagement or a route changed: a descent's
// rate to a target the sequencing left as it was stands through it.
inline bool vnav_altitude_for_sequencing = false;
// vnav_engaged as the vertical guidance last saw it: an engagement is met
// once.
inline int vnav_engagement_seen = 0;

const char* vnav_phase_name(VnavPhase p);

// The one writer of vnav_phase. Returns false (and changes nothing) for a
// transition that does not start from the phase now.
bool vnav_transition(VnavTransition t);

// Calls for the targets in `which` again. Refused on the ground except for
// an engagement or a new route; a new TO calls for its targets once.
void call_for_vnav_targets(VnavReason why, int which);

// Parked or taxiing (the simulator's ground flag, slower than a take-off
// roll).
bool vnav_on_ground();
