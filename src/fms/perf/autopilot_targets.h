// The VNAV autopilot commands: the altitude and vertical speed that meet the
// vertical target, and the airspeed or Mach of the present flight phase and
// the constraint ahead. fms_update calls both on every pass with an active
// route; the speed routine also at each sequencing.
#pragma once

#include <cstdint>

void set_vnav_altitude_targets();
void set_vnav_speed_target();

// The descent's vertical-speed command holds: a new one goes out once it has
// stood for this many passes (a second), and descending it goes level only
// once this far below the path.
inline constexpr int kVsSettlePasses = 18;
inline constexpr double kBelowPathBandFt = 100.0;
// The descent target (its entry's id and altitude) the rate last sent was
// worked out for.
inline int vnav_vs_target_id = 0;
inline double vnav_vs_target_ft = 0.0;

// The altitude commanded in the descent: the vertical target, but never above
// the altitude flown (a target above is held level, not climbed to).
int32_t descent_altitude_command();

// The descent is flown: past the TOD and down to the vertical target.
bool descent_flown();

// After the T/D: the altitude of the profile's descent where the aircraft is
// now (descent_path_altitude), the one the deviation is read against and
// VNAV's descent holds level below (laid before the targets are set). The
// profile's descent from its T/D to its E/D is laid over what the aircraft
// flies: the distance still to fly to where the E/D is met along the legs,
// from the aircraft's place along its leg, each turn cut on its chord
// (path_distance_to), against that distance when the T/D was passed. The
// walk back from the aircraft to the T/D jumped at each sequencing, where
// LNAV switches the TO early. A turn flown wider or tighter than its chord
// still moves that measure a little when the aircraft joins the next leg: the
// distance kept moves each pass by the distance flown and eases onto the
// measure by at most kPathEasingNm, so the deviation changes smoothly; in a
// turn past a right angle it runs on by the distance flown alone, and where
// the measure is longer than that when the turn ends (flown wider than
// reckoned), the rest of the descent is laid over it from there: the path
// does not rise over an aircraft that followed it. Level
// at the T/D's altitude before the path comes down to it; none while the
// profile has no T/D or VNAV descends to another entry than its E/D.
void update_descent_path();
inline constexpr double kPathEasingNm = 0.03;

// The distance the descent path was last read at and where, for the next
// pass (-1: none yet), and whether the aircraft was turning back then.
inline double descent_path_distance_nm = -1.0;
inline bool descent_path_turning_back = false;
inline double descent_path_lat = 0.0;
inline double descent_path_lon = 0.0;
inline int descent_path_target = -1;
// What was still to fly from the T/D to where the E/D is met, as the
// aircraft flies it.
inline double descent_path_span_nm = -1.0;
// Short of a T/D still ahead, where the path is level; and a T/D reached
// whose descent is still to be commanded.
inline bool descent_path_short_of_tod = false;
inline bool descent_path_tod_due = false;
// The path stands while the aircraft flies a hold's pattern, and while it
// turns back onto the route after leaving one: it goes no way along the
// route there.
inline bool descent_path_held = false;
// How fast the path's distance falls against the ground the aircraft
// covers, averaged over the last mile or so (at most 1). Off the path's own
// line (out of a turn flown miles wider than reckoned, joining its leg at an
// angle) the distance falls slower than the aircraft flies: a rate taken
// over the ground speed came down steeper than the path, under it, and
// levelled there again and again.
inline double descent_path_closing = 1.0;
