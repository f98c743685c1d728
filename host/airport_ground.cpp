#include "airport_ground.h"

#include "aircraft_store.h"
#include "host_text.h"
#include "panel_file.h"

#include <cmath>
#include <sstream>

namespace host {

namespace {

// Gates, aprons and taxiways lie beside the runways: the airport reaches this
// far beyond its farthest runway end.
constexpr double kApronNm = 1.0;

std::vector<GroundAirport> ground_airports;

double distance_nm(double lat1, double lon1, double lat2, double lon2) {
    double dlon = std::fmod(lon2 - lon1, 360.0);
    if (dlon > 180.0) dlon -= 360.0;
    if (dlon < -180.0) dlon += 360.0;
    const double mid = (lat1 + lat2) / 2.0 * 3.14159265358979323846 / 180.0;
    return std::hypot((lat2 - lat1) * 60.0, dlon * 60.0 * std::cos(mid));
}

bool position(const std::string& lat_text, const std::string& lon_text, double& lat, double& lon) {
    return parse_real(lat_text, lat) && parse_real(lon_text, lon) && std::fabs(lat) <= 90.0 &&
           std::fabs(lon) <= 180.0;
}

double ground_at(double lat_deg, double lon_deg) {
    return ground_elevation_among(ground_airports, lat_deg, lon_deg);
}

// A folder, a device or a pipe in place of the file is not read.
std::string file_text(const char* path) {
    std::string text;
    read_text_file(path, text);
    return text;
}

} // namespace

std::vector<GroundAirport> parse_ground_airports(const std::string& text) {
    std::vector<GroundAirport> airports;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.empty() || line[0] == ';') continue;
        std::istringstream words(line);
        std::vector<std::string> w;
        for (std::string word; words >> word;)
            w.push_back(word);
        GroundAirport a;
        if (w.size() < 5 || !parse_real(w[2], a.elevation_ft) || !(std::fabs(a.elevation_ft) <= 30000.0) ||
            !position(w[3], w[4], a.lat_deg, a.lon_deg))
            continue;
        a.ident = w[0];
        double farthest = 0.0;
        for (std::size_t i = 5; i < w.size(); ++i) {
            const std::vector<std::string> f = split(w[i], '_');
            double lat = 0.0, lon = 0.0;
            if (f.size() >= 4 && position(f[2], f[3], lat, lon))
                farthest = std::fmax(farthest, distance_nm(a.lat_deg, a.lon_deg, lat, lon));
        }
        // A runway end far off its airport is a wrong line, not a wide airport.
        a.reach_nm = std::fmin(farthest, 5.0) + kApronNm;
        airports.push_back(a);
    }
    return airports;
}

double ground_elevation_among(const std::vector<GroundAirport>& airports, double lat_deg, double lon_deg) {
    double nearest = INFINITY;
    double ground = 0.0;
    for (const GroundAirport& a : airports) {
        if (std::fabs(a.lat_deg - lat_deg) * 60.0 > a.reach_nm) continue;
        const double d = distance_nm(a.lat_deg, a.lon_deg, lat_deg, lon_deg);
        if (d <= a.reach_nm && d < nearest) {
            nearest = d;
            ground = a.elevation_ft;
        }
    }
    return ground;
}

const GroundAirport* ground_airport(const std::string& ident) {
    for (const GroundAirport& a : ground_airports)
        if (a.ident == ident) return &a;
    return nullptr;
}

bool on_airport_ground(const GroundAirport& airport, double lat_deg, double lon_deg) {
    return distance_nm(airport.lat_deg, airport.lon_deg, lat_deg, lon_deg) <= airport.reach_nm;
}

std::size_t use_airport_ground() {
    ground_airports = parse_ground_airports(file_text("orvex/navdata/apts.txt"));
    for (const GroundAirport& a : parse_ground_airports(file_text("orvex/navdata/apts_user.txt")))
        ground_airports.push_back(a);
    set_ground_source(&ground_at);
    return ground_airports.size();
}

} // namespace host
