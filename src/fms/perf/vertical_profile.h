// The vertical path of the active route as one value: made by one function
// (build_vertical_profile) from the plan, the performance values, the cruise
// altitude and where the aircraft is, and read by VNAV, the pages and the
// maps. Nothing else places the top of climb, the top of descent or the end
// of descent, so what the pages show is what the aircraft flies.
#pragma once

#include "fms/perf/constraint_rule.h"

#include <array>
#include <cstdint>
#include <vector>

struct ProfileEntry {
    int id = 0;
    double altitude_ft = -999.0; // predicted, or its own constraint (-999: none)
    double speed_kt = -999.0;
    // What it does to the path, by the constraint rule; the route's end
    // ends the descent when the profile descends to it.
    ConstraintRole role = ConstraintRole::None;
    // Along the legs from the origin, whole NM after every leg.
    double origin_nm = 0.0;
    // Along LNAV's path from the aircraft as the profile was built
    // (path_distance_through); 0 behind the TO.
    double ahead_nm = 0.0;
    // Predicted by this build (ProfilePlace::predict), not kept from before.
    bool altitude_predicted = false;
    bool speed_predicted = false;
};

// A point of the path, on the legs. `index` is the entry at the end of the
// leg that holds it (for the E/D and a level-off at a constraint, the entry
// itself); `ahead_nm` is measured along the path LNAV flies from the
// aircraft (negative: behind it), the one measure of the profile
// (flown_route.h).
struct ProfilePoint {
    bool exists = false;
    int index = 0;
    double lat = 0.0;
    double lon = 0.0;
    double altitude_ft = 0.0;
    double ahead_nm = 0.0;
    // On the pattern of a hold flown at the TO, where the aircraft goes
    // round: no place on the legs to measure it by.
    bool on_pattern = false;
    // A T/D held back to where a fix flown level is passed: the level is
    // kept up to there, not left the usual margin before it.
    bool at_fix_held = false;
};

// The rates the entries are predicted at (the cruise planning's).
struct EntryPredictionRates {
    double climb_fpm = 0.0;
    double descent_fpm = 0.0;
    double climb_nm = 0.0; // the climb's distance from the origin
    bool entries = true;   // also the entries' predictions (else the T/C alone)
};

// What a profile was built from, beside the plan's own revision: one asked
// for again from the same (several times in a pass, or parked) is not built
// again.
struct ProfileInputs {
    std::uint64_t plan = 0; // flown_plan_print()
    unsigned revision = 0;
    double altitude_ft = 0.0, level_ft = 0.0;
    int first = 0, phase = 0, cruise = 0;
    double lat = 0.0, lon = 0.0;
    EntryPredictionRates rates{0.0, 0.0, 0.0, false};
    bool predict = false;
    std::array<double, 4> climb{}, descent{}; // rate, TAS, speed, greatest rate
    bool operator==(const ProfileInputs& o) const;
};

struct VerticalProfile {
    std::vector<ProfileEntry> entries; // by plan index, up to the last entry flown
    double level_ft = 0.0;             // the climb's level (the altitude the descent starts from)
    int climb_cap = 0;                 // the entry capping the climb now; 0 none
    ProfilePoint level_off;            // at that cap; none without one
    ProfilePoint toc;                  // where the climb from the aircraft reaches the climb's level
    ProfilePoint tod;                  // none when nothing ends a descent
    ProfilePoint ed;                   // the end of the descent the T/D leads to
    double route_nm = 0.0;             // along LNAV's path from the aircraft to the last entry flown
    unsigned revision = 0;             // the route's (profile_points_revision) it was built on
    int prediction_cap = 0;            // the cap the predicted climb from the origin ends at; 0 none
    ProfilePoint prediction_toc;       // where the predicted climb from the origin ends (ahead_nm: from it)
    ProfileInputs inputs;              // what it was built from
    bool built = false;                // by locate_vertical_profile

    // (distance ahead NM, altitude ft), ascending in distance: the path the
    // aircraft is to fly from where it is.
    struct Vertex {
        double ahead_nm;
        double altitude_ft;
    };
    std::vector<Vertex> path;

    // The path's altitude `ahead_nm` along the route from the aircraft: the
    // climb, the level, the descent to the E/D; level beyond its ends.
    double altitude_at(double ahead_nm) const;

    // The descent's altitude `ahead_nm` along the route as built: the T/D's
    // altitude up to the T/D, down to the E/D, the E/D's beyond (whatever
    // the climb before the T/D); 0 without a T/D.
    double descent_altitude_at(double ahead_nm) const;

    // Along LNAV's path from where the aircraft is now (the points' ahead_nm
    // are from where it was when the profile was built): to the T/C and to
    // the T/D, negative once behind it, 0 without the point; and from the
    // T/D on to entry k, 0 without a T/D.
    double toc_distance_nm() const;
    double tod_distance_nm() const;
    double tod_to_entry_nm(int k) const;
    // How far the aircraft flew along that path since the profile was built.
    double flown_since_built() const;

    // The route end's altitude (route_end_altitude; -999: none).
    double end_altitude_ft = kNoConstraint;

    // The descent's gradient as built (ft per NM; 0: no rate or speed), and
    // what the readers ask of it: the NM a descent of `change_ft` takes, and
    // the altitude of the path `nm` before a point at `to_ft` (below every
    // altitude without a gradient).
    double descent_ft_per_nm = 0.0;
    double descent_nm(double change_ft) const;
    double descent_path_above(double to_ft, double nm) const;

    // What VNAV aims at, read from the entries' roles as built, looking from
    // entry `first` (which may lie past the TO):
    // - the entry that caps the climb from `altitude_ft`: the first one
    //   capping it the aircraft is not above already; 0 when none does
    //   before an end of descent or one flown at the level;
    int cap_ahead(int first, double altitude_ft) const;
    // - the end of a descent from `top` ft: the first entry that ends one
    //   (or is read at the level but lies below the level this profile
    //   descends from), else the route's end when it has an altitude; none
    //   (index -1) when that end is at or above `top`.
    DescentEnd descent_end_from(int first, double top) const;
};

// The point `nm` back along the legs from entry `end`: over the legs down to
// the TO's, then on from the TO back towards the aircraft. `index` is the
// entry at the end of its leg; ahead_nm along the legs from the aircraft.
// None without a TO.
ProfilePoint point_back_along_legs(int end, double nm);
// The point `nm` back from entry `end` along the path LNAV flies, placed on
// the legs as the T/D is; ahead_nm along that path. None without a TO.
ProfilePoint point_back_along_path(int end, double nm);

// Where the profile is built from: the altitude flown and the first entry
// ahead (the TO; -1: the TO of the flown route). A positive `level_ft` is the
// level the descent starts from (a constraint that became the new level);
// otherwise the climb's level before the T/C and the altitude flown after.
//
// With `predict` the profile also places the T/C of the climb from the
// origin over the given distance and, when asked, predicts an altitude and
// speed for the entries without an altitude of their own, at the given rates
// (the cruise planning's): a climb pass forward from the origin and a
// descent pass back from the end of the route.
struct ProfilePlace {
    double altitude_ft = 0.0;
    int first = -1;
    double level_ft = 0.0;
    const EntryPredictionRates* predict = nullptr;
};
ProfilePlace aircraft_place();

VerticalProfile build_vertical_profile(const ProfilePlace& at);
// How many profiles were built so far, each a walk of the whole route: what
// the updates that make it again cost is counted in.
unsigned long vertical_profiles_built();

// The profile the active route flies, as last built.
inline VerticalProfile vertical_profile;
// What the pages, maps and VNAV read: that profile, or none once the route it
// was built on was reset or edited, until its own is built.
const VerticalProfile& active_profile();

// Builds the profile from `at`, keeps it as the active route's, and returns
// it; the one kept when nothing it is built from changed since. Publishes
// its T/C (toc_lat, toc_lon) while the climb is on.
const VerticalProfile& locate_vertical_profile(const ProfilePlace& at);
// The rates of the entries' prediction (the last EXEC's): the profiles
// built after it predict the entries at them, so that one build serves the
// pages, the maps and VNAV.
inline EntryPredictionRates profile_prediction_rates{0.0, 0.0, 0.0, false};

// A route reset or replaced has no profile until its own is built.
void forget_vertical_profile();
