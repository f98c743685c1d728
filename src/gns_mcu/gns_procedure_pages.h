// The DEPARTURE, ARRIVAL and APCH pages (states 10 to 12) and their ENT
// commits: the pilot names an airport, chooses a runway and the procedure's
// two fields from lists, sees the waypoints and inserts them into the active
// plan, or into the opened stored plan.
#pragma once

#include <string>

// Page count of the APCH page, for its title and its page keys.
inline int gns_apch_page_count = 1;

// The selection of the plan in view: the active copy on the active-plan
// view, the working copy on an opened stored plan.
struct GnsChoices;
GnsChoices& gns_selection_in_view();

// ENT on states 10, 11 and 12.
void gns_enter_departure();
void gns_enter_arrival();
void gns_enter_approach();

// An airport ident typed on one of the pages, loaded into its slot (1
// origin, 2 destination). True when the slot now holds that airport.
bool gns_load_procedure_airport(const std::string& ident, int slot);
