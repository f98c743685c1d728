// The ground under the stand-in's aircraft: where it stands at an airport of
// the navigation data the module reads (within the reach of its runways), the
// ground is that airport's elevation; elsewhere it is sea level. The module
// takes the aircraft's on-ground flag from the height above this ground.
#pragma once

#include <string>
#include <vector>

namespace host {

struct GroundAirport {
    std::string ident;
    double elevation_ft = 0.0;
    double lat_deg = 0.0;
    double lon_deg = 0.0;
    double reach_nm = 0.0; // from the reference point: its farthest runway end and the apron beyond
};

// The airports of an apts.txt text (ident, name, elevation, latitude,
// longitude, then designator_length_lat_lon_... per runway end). Lines the
// module would not take either (comments, a position or elevation that is no
// number) are passed over.
std::vector<GroundAirport> parse_ground_airports(const std::string& text);

// Reads orvex/navdata/apts.txt and apts_user.txt below the current folder
// (the simulator root) and makes them the aircraft's ground. Returns the
// number of airports read.
std::size_t use_airport_ground();

// The airport of that identifier among those use_airport_ground read; null
// when none is. A position lies on its ground within its reach.
const GroundAirport* ground_airport(const std::string& ident);
bool on_airport_ground(const GroundAirport& airport, double lat_deg, double lon_deg);

// The ground elevation at a position among these airports: the nearest one
// whose reach holds it, else sea level (0).
double ground_elevation_among(const std::vector<GroundAirport>& airports, double lat_deg, double lon_deg);

} // namespace host
