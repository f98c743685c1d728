// Page state of the GNS XLS unit that the flight-management core reads and
// writes.
#pragma once

#include <string>

// Line-select toggles L1..L5, R1..R5 and the list-changed flag. A line key
// steps its toggle from idle to first (a question shown, a field open for
// entry or the first of two rows chosen) to second (confirmed, or the second
// row); the page shows the question and ENT acts on the step it finds.
inline constexpr int kGnsToggleIdle = 0;
inline constexpr int kGnsToggleFirst = 1;
inline constexpr int kGnsToggleSecond = 2;
inline int gns_line_toggles[10] = {};
inline int page_list_changed = 0;
// Highlighted position 0..12 of the GNS procedure pages' choice lists; 0 none.
// Resetting the toggles clears it too.
inline int gns_list_cursor = 1;
// Raised when the active plan was rebuilt under the GNS pages; while it or
// the loaded flag below is set the active-plan view shows no origin-destination
// header.
inline int gns_plan_changed = 0;

// The GNS direct-to mark; EXEC clears it.
inline int gns_direct_to_flag = 0;

// Which plan the GNS FLIGHT PLAN pages work on; on the active plan the airway
// loader looks for the current waypoint there instead of in the working plan.
inline int gns_sub_state = 0;
inline constexpr int kGnsSubStateNone = 0;
inline constexpr int kGnsSubStateActivePlan = 1;
inline constexpr int kGnsSubStateStoredPlans = 2; // the stored-plan list, or one opened

// 1 while a plan insertion of the GNS works on the working plan.
inline int gns_plan_open = 0;
// Said on the stored-plan list when another unit's plan put in the working
// plan closed the one the GNS had open; empty otherwise.
inline std::string gns_plan_closed_text;
// Why the unit refused the last entry (a plan with no room for it, an
// approach with no route to join), shown at the foot of every page until the
// next key.
inline std::string gns_refusal_text;
inline constexpr const char* kGnsInvalidEntry = "INVALID ENTRY";

// Flight-plan flags of the GNS pages that the route loader sets: the two plan
// flags once a plan with waypoints is loaded, the navigation flag cleared when
// the plans are emptied, and the loaded flag at the end of every load.
inline int gns_fpln_flag_a = 0;
inline int gns_fpln_flag_b = 0;
inline int gns_nav_flag = 0;
inline int gns_route_loaded_flag = 0;
// Set when a route file brings an origin airport; the GNS plan page reads it.
inline int gns_origin_loaded_flag = 0;
