// Airport detail: an airport's line of apts.txt into its slot with its runways
// and procedures, the runway reference data of orvex_apts.txt and the parking
// positions of the aircraft's parking file.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

struct AirportRunway;

// The elevation token of the airport last loaded into any slot.
inline std::string airport_elevation_text;
// The origin's elevation in feet, the floor of "fly until altitude" legs.
inline int origin_elevation_ft = 0;
// The result of lookup_runway_ref_data.
inline std::string runway_ref_text;

struct ParkingPosition {
    double latitude = 0.0;
    double longitude = 0.0;
    double heading = 0.0; // degrees, 0 .. 360 exclusive
};
inline ParkingPosition parking_position;

// Tokens separated by runs of blanks (a tab belongs to its token), at most
// max_tokens: how an airport line of apts.txt is cut.
std::vector<std::string> split_at_blanks(const std::string& text, std::size_t max_tokens);

// One runway token of an airport line,
// designator_length_lat_lon_heading_frequency_info_course; missing sub-fields
// read 0 or empty.
AirportRunway parse_runway_token(std::string token);
// Why the runway token cannot be used, null when it can: its position off
// the globe, or a number given that is not whole or out of its range
// (length, heading, localizer frequency "000.00" for none, course).
const char* runway_token_fault(std::string token);

// Fills slot 1 (origin, then its SIDs) or 2 (destination, then its STARs and
// approaches) from "apts.txt", else "apts_user.txt", and makes the airport the
// only candidate. An airport found in neither leaves the slot empty: no
// ident, runways or procedures. Slots 0 and 3 take the airport alone.
void load_airport_detail(const std::string& ident, int slot);

// The origin's elevation as the altitude of the flown plan's first entry.
void set_origin_elevation(double elevation);

// An airport's own elevation in feet: from the slot that holds it, else from
// the navigation database; 0 for an airport in neither. A plan's airport
// entry takes its altitude from here, never from airport_elevation_text,
// which follows whatever airport a page loaded last.
double airport_elevation_ft(const std::string& ident);

// Finds the runway's reference text in "orvex_apts.txt" (the last matching
// line wins): on success runway_ref_text is set and the SMITHS scratchpad
// cleared; otherwise its message line reads "NOT FOUND IN DATABASE". A missing
// file changes nothing.
void lookup_runway_ref_data(const std::string& airport, const std::string& runway);

// Sets parking_position from the first line of the ParkingFile named so;
// (0, 0, 0) when the file or the name is missing.
void lookup_parking_position(const std::string& name);
