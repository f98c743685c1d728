// Which altitude constraints hold the climb and which end the descent: the
// one rule the vertical profile is built by (vertical_profile.h). VNAV and
// the pages read the roles, the TOC and the TOD from the profile, so that what
// the pages show is what the aircraft flies.
//
// An altitude is one to meet at its fix, whoever set it (the pilot or an
// approach). Where it stands decides what it does, read once from the origin
// so that it keeps its role while the aircraft flies:
// - Before the point where the climb from the origin reaches the level the
//   route affords, or before one at or above the cruise altitude, it caps
//   the climb: the climb levels at it until the fix is passed, then goes on.
// - Past that point it ends a descent segment: the descent comes down to it,
//   and the next one starts from it.
// - One below a cap before it is met on the way down, not by coming down
//   and climbing again: it ends a descent, and so does every one after it.
// - The descent only comes down: one above an end before it is passed under.
// - One at or above the cruise altitude is flown at the level: nothing before
//   it descends, and nothing after it caps a climb. What would end a descent
//   before it is passed over.
// - The climb goes no higher than the level from which the rest of the route
//   can still be descended, the top of climb standing the top of descent's
//   margin before it (kAffordedLevelStepFt).
// - Past the T/D the climb is flown: none still ahead caps it, however far a
//   route made longer since puts the climb's top; each ends a descent or is
//   passed over.
// - A route whose end has no altitude (a last fix that is not the
//   destination airport) has no end of descent: nothing descends to it.
// The roles are read along the plan's legs from the origin, where the climb
// reaches the level in whole NM, as the TOC is; from the aircraft every
// distance is the one LNAV flies (path_distance_through), as the T/C and the
// T/D are placed.
#pragma once

#include "fms/plan/route_plan.h"

#include <array>
#include <cmath>
#include <vector>

// The altitude tolerances of the vertical rule, in ft, each for one reading.
// Within this of a constraint's altitude or a target the aircraft is at it,
// not above or below: a cap it is at still holds the climb, and a level the
// autopilot holds within it is the level.
inline constexpr double kSameLevelFt = 100.0;
// The T/C is reached this far below the cruise altitude: the autopilot's
// capture rounds the last of the climb off, and waiting for the level itself
// would pass the T/C late.
inline constexpr double kLevelReachedFt = 150.0;
// The target over the destination airport, reached at the cruise altitude,
// stands this far above the level (the destination rule).
inline constexpr double kAirportOverLevelFt = 200.0;
// VNAV's descent to the destination airport aims this far above the field:
// the last of it, to the runway, is the pilot's.
inline constexpr double kAboveFieldFt = 200.0;
// The T/D is passed this far before it: the descent starts there.
inline constexpr double kTodPassedWithinNm = 1.5;
// The step the level the route affords is taken in: the one the pages show
// (FL in hundreds, the predictions in whole hundreds) and the pilot reads on
// the altitude selector. The profile's level and VNAV's climb target are that
// stepped level, one value. The level is the one whose T/C stands at least
// kTodPassedWithinNm before its T/D, so that the climb reaches it before the
// descent starts, found exactly and stepped down: T/C and T/D stand apart by
// that margin and at most one step's climb and descent more.
inline constexpr double kAffordedLevelStepFt = 100.0;
// A level the route affords higher by less than this, as the climb goes on,
// is not chased: each rise would be another altitude for the autopilot.
inline constexpr double kLevelRiseKeptFt = 300.0;
inline double level_step_down(double ft) {
    return std::floor(ft / kAffordedLevelStepFt + 1e-6) * kAffordedLevelStepFt;
}

// Climb or descent distance (NM) for an altitude change at a rate and a TAS;
// 0 when the rate or the speed gives no distance.
inline double phase_distance(double altitude_change, double rate_fpm, double tas_kt) {
    if (!(rate_fpm > 0.0) || !(tas_kt > 0.0)) return 0.0;
    return altitude_change / rate_fpm * (tas_kt / 60.0);
}

// The descent rate the profile is laid at: the one the last prediction
// chose, else the configured one.
double descent_rate();

enum class ConstraintRole {
    None,        // no altitude to meet
    CapsClimb,   // the climb levels at it until it is passed
    EndsDescent, // a descent segment ends at it
    AtLevel,     // at or above the cruise altitude: no descent before it
    PassedOver,  // flown past above or below it: it would make the path turn back
};

// Every entry's role, worked out in one walk of the flown route (entries 1
// to the last but one; the last is the route's end).
struct ConstraintRoles {
    std::array<ConstraintRole, kPlanLastIndex + 1> role{};
    int last = -1; // the last entry flown
    ConstraintRole operator[](int i) const {
        return i >= 0 && i <= kPlanLastIndex ? role[static_cast<std::size_t>(i)] : ConstraintRole::None;
    }
};

struct DescentEnd {
    int index = -1; // -1: no descent is due (no end, or one at or above the top first)
    double altitude = kNoConstraint;
};

// One read as flown at the level (at or above the cruise altitude) that lies
// below the level the descent starts from: the aircraft flies above the
// cruise altitude (the pilot held it higher), and the altitude is still one
// to meet at its fix, so the descent from that level ends there.
inline bool below_the_level(ConstraintRole role, double altitude_ft, double level_ft) {
    return role == ConstraintRole::AtLevel && altitude_ft + kSameLevelFt < level_ft;
}

// The one search for the climb's limit, over any reading of the roles (the
// rule's, or a profile's as built): the first entry from `first` up to
// `last` - 1 that caps the climb of an aircraft at `altitude_ft`, a cap it is
// above already being behind it; 0 when an end of descent or an entry flown
// at the level comes first.
template <class RoleOf, class AltitudeOf>
int first_cap_ahead(int first, int last, double altitude_ft, RoleOf role_of, AltitudeOf altitude_of) {
    for (int k = first < 1 ? 1 : first; k < last; ++k) {
        switch (role_of(k)) {
        case ConstraintRole::CapsClimb:
            if (!(altitude_ft > altitude_of(k) + kSameLevelFt)) return k;
            break;
        case ConstraintRole::EndsDescent:
        case ConstraintRole::AtLevel:
            return 0;
        default:
            break;
        }
    }
    return 0;
}

// The rates a climb and a descent are flown at.
struct ClimbRates {
    double climb_fpm = 0.0, climb_tas_kt = 0.0, climb_ias_kt = 0.0;
    double max_vnav_climb_fpm = 0.0; // the most VNAV commands (0: no limit)
    double descent_fpm = 0.0, descent_tas_kt = 0.0;
};

// Everything the climb rule reads: the flown route, the rates, the cruise
// altitude and where the route is looked at from.
struct ClimbRuleInputs {
    struct Entry {
        bool holds = false;                 // an altitude to meet (holds_altitude)
        double altitude_ft = kNoConstraint; // its own or its predicted altitude
        double leg_nm = 0.0;                // the flown leg into it
        double ahead_nm = 0.0;              // along LNAV's path from the aircraft; 0 behind it
        double cut_nm = 0.0;                // what LNAV cuts off a turn past a right angle at it
    };
    std::vector<Entry> entries;    // 0 .. the last entry flown; empty: no route
    double end_ft = kNoConstraint; // the route's end (route_end_altitude)
    double cruise_ft = 0.0;        // 0: none set yet
    ClimbRates rates;
    // Where from: the altitude, the first entry ahead, and the distances
    // from the aircraft (through its TO), or from the origin without one.
    double altitude_ft = 0.0;
    int first = 1;
    bool from_aircraft = false;
    bool climbing = true;      // before the T/C
    bool descending = false;   // past the T/D: no entry from `first` on caps a climb
    double given_level_ft = 0; // a constraint made the new level: the descent starts there
    double kept_level_ft = 0;  // the level this route's profile had until now (0: none)
};

// What the rule gives. The roles are read once from the origin, so that an
// entry keeps its role while the aircraft flies, against the cruise
// altitude (before one is set, against the level).
struct ClimbRule {
    ConstraintRoles roles;
    // The level the descent starts from: in the climb the one it goes to,
    // past a cap no higher than the rest of the route affords from there,
    // never below the altitude flown; a given level; else the altitude flown.
    double level_ft = 0.0;
    int cap = 0;          // climbing: the entry that caps the climb now; 0 none
    double toc_nm = -1.0; // climbing: along the legs to where the climb reaches the level
    DescentEnd end;       // the end of the descent from the level
};
ClimbRule climb_rule(const ClimbRuleInputs& in);

// The inputs as the module stands, looking from the aircraft at
// `altitude_ft` with `first` the first entry ahead (-1: the TO; from the
// origin while there is none).
ClimbRuleInputs climb_rule_inputs(double altitude_ft, int first = -1);

// The climb rate (ft/min at the climb's mean TAS) of a climb to `top_ft`:
// `rate_fpm`, or less where VNAV could not hold that gradient up there. VNAV
// climbs on a straight line to the top at the climb speed, whose TAS grows
// with the altitude, and commands no more than its greatest rate: near the
// top of a high climb the gradient of the mean rate would need more.
double vnav_climb_rate(const ClimbRates& r, double rate_fpm, double top_ft);
double vnav_climb_rate(double rate_fpm, double top_ft); // at the module's rates
ClimbRates module_climb_rates();

// Descent gradient at the module's rates, ft per NM (none: 0).
double descent_ft_per_nm();
