// Procedure leg directives: a SID, STAR or approach leg written as "fly this
// course until ..." ("/H090/IC123", "/RT/T270/UD5.0", "/H250/UA") turned into
// the position where the leg ends. Courses in the files are magnetic; the
// airport's variation (origin_magnetic_variation for SIDs,
// destination_magnetic_variation otherwise) is added before any geometry.
#pragma once

#include <string>

// End fields: "IC<radial>" intercepts that radial of the reference fix,
// "UD<nm>" flies until that DME distance from leg_reference_lat/lon, "UA"
// climbs from origin_elevation_ft to `altitude` (1500 ft per 3.17 NM). Any
// other end field is an intercept of radial 0.
// start: the end of the previous leg (or the runway threshold). ref: in, the
// position of the leg line's fix; out, the end of the leg when one was found.
// previous_course: the runway heading, turned from by a "/RT" or "/LT" leg.
// Returns -99 when no intercept is accepted or the climb is too short to fly
// after the turn, else 0 (also when a "UD" distance is never reached).
// The procedure index and the two texts are not used.
int expand_sid_legs(const std::string& directive, double start_lat, double start_lon, double* ref_lat,
                    double* ref_lon, int sid_index, const std::string& transition, const std::string& text,
                    int altitude, double previous_course);

// As expand_sid_legs without "UA"; previous_course is the inbound magnetic
// course of the previous leg.
int expand_star_legs(const std::string& directive, double start_lat, double start_lon, double* ref_lat,
                     double* ref_lon, int star_index, const std::string& transition, const std::string& text,
                     double previous_course);

// Approach directives understand "IC" and "UD" (whose DME point is ref as
// passed in); a "/RT" or "/LT" turn direction before a "T" or "H" course is
// dropped. A procedure turn ("/RTxH090/IC270": right turn, inbound 090)
// appends two legs of its own, PT090 3 NM out on the outbound course and
// PT000 1.5 NM on after a quarter turn, to the destination slot's approach
// `approach_index` (each carrying the transition and runway texts), and then
// flies the end field inbound from the second. Returns 1 when ref was set to
// the leg's end, else 0.
int expand_approach_legs(const std::string& directive, double start_lat, double start_lon, double* ref_lat,
                         double* ref_lon, int approach_index, const std::string& transition,
                         const std::string& runway);
