// The GNS pages that take values rather than plan edits: NAVIGATION (9), SAVE
// ACTIVE FPL (14), VNAV (15), VNAV DATA (16), HOLDING PATTERN (18), PLAN (19),
// and the two pages that make a waypoint, PILOT ENTERED WPT (20) and OFFSET
// WPT (21); their fields and their ENT commits.
#pragma once

#include <string>

// HOLDING PATTERN: what is typed for hold 1's inbound course, leg minutes and
// leg length.
inline std::string gns_hold_course_text, gns_hold_time_text, gns_hold_dist_text;
// A leg as its field shows it ("%4.1f"): 0.1 to 99.9 minutes or NM. A typed
// leg outside is refused, never cut to fit.
inline constexpr double kGnsHoldLegMax = 99.9;
bool gns_hold_leg_fits(const std::string& text);

// OFFSET WPT: the accepted bearing and distance ("-----", "------" while
// empty) and the computed point's position texts ("----------").
inline std::string gns_offset_brg_text = "-----", gns_offset_dis_text = "------";
inline std::string gns_offset_lat_text = "----------", gns_offset_lon_text = "----------";

// PILOT ENTERED WPT: the parts of each coordinate read from its text. The
// third group is never typed, so it stays 0.
inline double gns_pilot_lat_deg = 0.0, gns_pilot_lat_min = 0.0, gns_pilot_lat_part3 = 0.0;
inline double gns_pilot_lon_deg = 0.0, gns_pilot_lon_min = 0.0, gns_pilot_lon_part3 = 0.0;

// The coordinate text of what is typed: latitude "S 33:52:00" (letter,
// degrees at 3-4, minutes at 6-7), longitude "W118:24:00" (letter, degrees at
// 2-4, minutes at 6-7). Characters not typed yet are blank; the seconds read
// "00" once the minutes are complete. Nothing typed gives "----------".
std::string gns_pilot_coordinate_text(const std::string& typed, bool latitude);
// The typed characters back from a coordinate text ("" for "----------").
std::string gns_pilot_coordinate_typed(const std::string& text, bool latitude);

// Opens a page's field: the toggles reset, then the key's toggle at `step`,
// the value proposed in the scratchpad (padded) and the entry open, fresh.
void gns_open_field(int toggle_index, int step, const std::string& value);

// Start values of the two waypoint pages, set when FLIGHT PLAN opens them.
void gns_open_pilot_wpt(const std::string& name);
void gns_open_offset_wpt(const std::string& reference);

// The route-file name SAVE writes for a typed name: the name without its
// padding, plus ".RTE". False when the name is empty or not acceptable as a
// file name in the flight-plans folder.
bool gns_save_file_name(const std::string& typed, std::string& file_name);

// OFFSET WPT: the point at the typed bearing (magnetic) and distance from the
// reference, and its texts; the reference itself while either is empty.
void gns_update_offset_point();

// ENT on these states.
void gns_enter_save_fpl();
void gns_enter_vnav();
void gns_enter_vnav_data();
void gns_enter_holding_pattern();
void gns_enter_plan();
void gns_enter_pilot_wpt();
void gns_enter_offset_wpt();
