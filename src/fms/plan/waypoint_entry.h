// The waypoint entry lookup: a typed ident, latitude/longitude,
// place/bearing/distance or place/bearing/place/bearing entry resolved into
// candidate_list.
#pragma once

#include <string>
#include <vector>

// The entry to look up; the place/bearing forms replace it by the place.
extern std::string waypoint_lookup_text;

// Place/bearing inputs of the SMITHS pages for the user-waypoint edits.
extern double pbd_bearing_1; // degrees magnetic; -1 = none
extern double pbd_bearing_2; // -1 = none
extern int pbd_distance;     // NM; 0 = none

// The first place of a place/bearing/place/bearing entry.
extern std::string pbd_place_ident;
extern double pbd_place_lat;
extern double pbd_place_lon;
extern std::string pbd_place_type;
extern std::string pbd_place_frequency;

// Fills candidate_list() from waypoint_lookup_text; count 0 = nothing found.
// table 0 (or below) searches navaids, intersections and airports, 1 only
// navaids, 2 only intersections, 3 only airports. Several hits are sorted
// nearest first from the aircraft's position.
void lookup_waypoint_entry(int table, double aircraft_lat, double aircraft_lon);

// A record of the navaid (1), intersection (2) or airport (3) table that an
// ident search found, and how far it lies from the aircraft.
struct CandidateMatch {
    double distance;
    int table;
    int index;
};
// Of the matches (in the search's order), keeps the `room` nearest, still in
// that order, and tells how many were left out, naming their files.
void keep_nearest_matches(std::vector<CandidateMatch>& matches, std::size_t room, const std::string& ident);
