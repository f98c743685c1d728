// The turns of the active route as LNAV flies them, as one value: at each
// place the switching distance it sequences the place at, where it leaves the
// leg in and joins the leg out, and what it saves on the legs between. Made
// once when the route, the TO, the direct-to, the switching settings or the
// speed the turns are reckoned at change; every measure along the flown path
// (flown_route.h) reads it, so none works a turn out again pass after pass.
#pragma once

#include <cstdint>
#include <vector>

struct PathSpot {
    double lat = 0.0;
    double lon = 0.0;
};

// A point of a turn past a place, as LNAV steers it.
struct TurnStep {
    PathSpot at;
    double heading = 0.0; // true
    double flown = 0.0;   // NM from where the place was sequenced
};

// The turn at a place between its leg in and its leg out, cut on the chord
// from a_point (`a` before the place on the leg in) to b_point (`b` along the
// leg out). Past a right angle the turn itself takes back what the chord
// saves, up to all of it in a reversal, unless the aircraft turns inside the
// legs: `kept` is the share of the saving it keeps.
struct PathCorner {
    bool exists = false;
    int index = -1;          // the place
    int next = -1;           // the place after it
    PathSpot from;           // where its leg in starts
    double in_nm = 0.0;      // its leg in
    double out_nm = 0.0;     // its leg out
    double in_course = 0.0;  // true, where the leg in starts
    double out_course = 0.0; // true, at the place
    double turn_deg = 0.0;   // 0..180
    double switch_nm = 0.0;  // LNAV sequences the place this far before it
    PathSpot a_point, b_point;
    double a = 0.0;
    double b = 0.0;
    double chord = 0.0;
    double kept = 1.0;
    // A turn past the place (too sharp to fly by): LNAV sequences it `a`
    // before it and steers onto the leg out, established `b` along it after
    // `turn_nm`; it passes the place (nearest) `passed_nm` into the turn.
    // -1 for a corner cut on its chord.
    double turn_nm = -1.0;
    double passed_nm = -1.0;
    std::vector<TurnStep> steps;
    // Ended at the leg out's end still off it (a leg too short to join):
    // what the aircraft flies joining the leg after beyond its progress
    // along it.
    double join_extra = 0.0;
    std::vector<TurnStep> join_steps; // that join, from the turn's end
    int join_to = -1;                 // the place it flies to then
    bool from_aircraft = false;       // stepped from where the aircraft turned it
    // How far into it the aircraft was found last (the turn being flown).
    mutable double last_progress = 0.0;
    bool past_fix() const { return turn_nm >= 0.0; }

    // What the aircraft saves on the legs by the corner (NM); none where the
    // route runs on straight (the chord's rounding is no cut). A turn past
    // the place may fly more than the legs: a cut below 0.
    double cut() const;
    // What it flies from a_point to b_point.
    double flown() const { return a + b - cut(); }
    bool turns_back() const { return kept < 1.0; }
};

struct LateralPath {
    std::uint64_t key = 0;
    bool built = false;
    int to = -1;
    int last = -1;
    // By plan index: the turn at each place after the place before it (none
    // at the origin, the last place, or a place with no place after it).
    std::vector<PathCorner> corners;
    // The TO's turn after the active leg (from a direct-to's origin, or the
    // place before it).
    PathCorner to_corner;
    // The turn past the FROM as the aircraft flies it from where it was
    // when the path was made (none when it turns no such turn).
    PathCorner from_turn;
    const PathCorner& from_corner(int from) const { return from_turn.past_fix() ? from_turn : at(from); }

    // The turn at place i as the walk from the TO meets it.
    const PathCorner& ahead(int i) const { return i == to ? to_corner : at(i); }
    const PathCorner& at(int i) const;
};

// The path of the active route now: made again when one of its inputs
// changed since it was asked for last.
const LateralPath& lateral_path();

// How many turns past the FROM were stepped from the aircraft (each may turn
// elsewhere than the turn reckoned ahead): a point placed on the path before
// the last one may stand off the way it is flown now. Beside the path, not
// in it, so that it starts from nothing with the module's other state.
inline unsigned from_turns_stepped = 0;

// How far into the turn past place `c` an aircraft at `here` on true
// heading `heading` stands (NM from where the place was sequenced): the
// point of the turn nearest it, its heading counting (a hairpin's way out
// and way back run side by side); the whole turn once it is on the leg out
// past the turn's end or far from all of it.
double turn_progress(const PathCorner& c, const PathSpot& here, double heading);

// Whether the turns ahead are reckoned at the speed flown now (not held
// down to the most a turn ahead is reckoned at): only then does a point of
// one stand where the aircraft will fly it.
bool turns_reckoned_as_flown();

// The point `into_nm` into the turn past place `c` (on into the join after
// it, where it has one).
PathSpot point_in_turn(const PathCorner& c, double into_nm);

// The turn at place `corner` after a leg in from `from` (a point off the
// route: the aircraft) onto the leg to `next` (-1 for none).
PathCorner path_corner(int corner, const PathSpot& from, int next);
