// The nav room of the core: the navigation database around the aircraft: the
// nearby lists behind the map layers and their spatial prefilter, the nearest
// VORs, the FIX INFO records and the radio autotune.
//
// The nearby lists the map layers draw from: a wide list of the records
// within 600 NM of a centre, and from it a close list within a smaller radius.
// Each builder takes the centre (degrees), empties its list, copies in table
// order every source record whose great-circle distance from the centre is
// at most the radius until the list holds its limit, and remembers the centre.
// The lists are written only by their builders: a close list is built from
// what the wide builder noted about each record of its list.
#pragma once

#include "data/nav_table.h"

// Where a list was last built; kListNotBuilt before its first build.
inline constexpr double kListNotBuilt = -999.0;
struct ListCentre {
    double latitude = kListNotBuilt;
    double longitude = kListNotBuilt;
};

// Airports: ident, latitude and longitude are copied.
extern NavTable<3001> near_airports; // airport_table, 600 NM, 3000
extern ListCentre near_airports_centre;
extern NavTable<1001> close_airports; // near_airports, 180 NM, 1000
extern ListCentre close_airports_centre;

// Navaids and airway fixes: ident, latitude, longitude, kind and extra.
extern NavTable<3001> near_navaids; // navaid_table, 600 NM, 3000
extern ListCentre near_navaids_centre;
extern NavTable<1001> local_navaids; // near_navaids, 320 NM, 1000
extern ListCentre local_navaids_centre;
extern NavTable<8001> near_airway_fixes; // airway_fix_table, 600 NM, 3000
extern ListCentre near_airway_fixes_centre;
extern NavTable<5001> local_airway_fixes; // near_airway_fixes, 200 NM
extern ListCentre local_airway_fixes_centre;
inline constexpr int local_airway_fix_limit = 5000;

void build_near_airports(double latitude, double longitude);
void build_close_airports(double latitude, double longitude);
void build_near_navaids(double latitude, double longitude);
void build_local_navaids(double latitude, double longitude);
void build_near_airway_fixes(double latitude, double longitude);
void build_local_airway_fixes(double latitude, double longitude);
