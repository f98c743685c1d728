// DIRECT, the page of state 7: the route's waypoints a page of 18 at a time,
// then a last page with the nine airports nearest the aircraft; and the ENT
// commits that fly direct to the choice.
#pragma once

#include "data/nav_record.h"

#include <array>
#include <string>

// What the DIRECT page lists, for the ENT key.
inline constexpr int kGnsDirectListRoute = 1;
inline constexpr int kGnsDirectListClosestAirports = 2;
inline int gns_direct_list_mode = kGnsDirectListRoute;

// The nine closest airports in entries 1..9, the farthest first: ident,
// position, distance (number_1, NM) and magnetic bearing (number_2). Entry 19
// is the sort's exchange slot. An empty entry has no ident and 9999 NM.
inline std::array<NavListRecord, 21> direct_list;

// Rebuilds the closest-airport list around a position (the near-airport list
// must hold it): build_close_airports, then the nine nearest.
void gns_refresh_closest_airports(double lat, double lon, double magvar);

// ENT on state 7.
void gns_enter_direct();

// ENT on DATABASE WPT after a lookup from DIRECT: the candidate goes into the
// working plan before the proposed waypoint, and DIRECT shows it. Refused,
// with the plans as they were, when the plan has no room for it.
void gns_direct_insertion();

// The DIRECT list is the working plan's entries 1..last, then an end row
// that is no entry of the plan: its index (working_plan_last + 1) and the
// text a row shows (the end mark for the end row and anything past it).
int gns_direct_end_row();
std::string gns_direct_row_ident(int row);
