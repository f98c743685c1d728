// The nine VORs nearest the aircraft for the NAV STATUS and PROGRESS pages,
// and the reference fix of the REF NAV DATA page taken from the candidate
// list.
#pragma once

#include "data/nav_record.h"
#include "data/nav_table.h"

#include <array>
#include <string>

struct NearestVor {
    std::string ident;
    std::string extra;           // the navaid's frequency text
    double distance_nm = 9999.0; // 9999 = empty
    double bearing = 9999.0;     // degrees magnetic, 360 for north
};
// Entries 1..9, farthest first: empty entries, then decreasing distance.
inline std::array<NearestVor, 10> nearest_vors;

// Fills nearest_vors from the VORs ("V") of the local navaid list as seen
// from the aircraft.
void find_nearest_vors();
// The same from any nearby navaid list (records 1..count) and position;
// magvar (degrees) turns true bearings magnetic.
void find_nearest_vors(const NavTable<1001>& navaids, double lat, double lon, double magvar);
// Rebuilds the near and local navaid lists around the aircraft, then
// nearest_vors from them: what the NAV STATUS page lists.
void refresh_nearest_vors();

// The REF NAV DATA page's fix and what it is; any other kind shows the
// entry sub-page.
inline NavRecord ref_nav_fix;
inline int ref_nav_kind = 0;
inline constexpr int kRefNavEntry = 1;
inline constexpr int kRefNavFix = 2;
inline constexpr int kRefNavNavaid = 3;
inline constexpr int kRefNavAirport = 4;
// The runway the REF NAV DATA page shows with runway_ref_text.
inline std::string ref_nav_runway_ident;

// Takes candidate n (1..count) as the reference fix; any other n does nothing.
void select_ref_nav_candidate(int n);
