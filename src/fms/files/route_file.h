// The files room of the core: what the core writes and reads as files: its
// route files and their folder list, the simulator's GPS and ".PLN" plans,
// the XML plan writer, the flight log and its summary, and the two
// configuration files (module and aircraft) applied to the core's state.
//
// The module's own route files: the flight-plans folder, the line format that
// every reader accepts, and the writer.
//
// Key lines ("CruiseAlt=35000") come before the "[FlightPlan]" header; then
// one line per waypoint: ident, latitude, longitude, type, frequency ("---"
// when empty), airway and, only with an airway, the procedure kind. Tokens are
// separated by blanks, so a blank inside a text field is stored as the byte
// 0xA0 (a no-break space in Windows-1252) and read back as a blank.
#pragma once

#include "fms/plan/route_plan.h"

#include <cstddef>
#include <string>
#include <vector>

// Longest line a reader takes; a longer one is cut.
inline constexpr std::size_t kRouteLineMax = 148;

// The folder of route files and simulator plans, with its trailing '\\': the
// aircraft file's FlightPlansFolder, else orvex.cfg's, else
// host_folder + "\\orvex\\flightplans\\". Readers, the folder list, the
// simulator-plan import and the writer all use it.
std::string flight_plans_folder();

// The first seven tokens of a line; missing ones are empty, and a fifth token
// "---" (any case) is an empty frequency. Text fields get their blanks back.
struct RouteLine {
    std::string token[7];
    int count = 0;
};
RouteLine split_route_line(const std::string& line);

// Key and value of a key line: every '=' read as a blank, the first two tokens.
void route_key_value(const std::string& line, std::string& key, std::string& value);

// A plan entry from a waypoint line: position as numbers (no number gives 0),
// no constraints, flags 0.
RouteWaypoint waypoint_from_route_line(const RouteLine& line);

// The waypoint line of one entry (without its newline). The type must already
// be one of "APT", "VOR", "NDB", "INT", "WPT". False when the line would read
// back differently (an empty ident, a field that is no finite number, a line
// past kRouteLineMax): such a waypoint cannot be stored.
bool format_route_line(const RouteWaypoint& waypoint, std::string& line);

// The key lines of the route file loaded last that the writer does not make
// itself (the fuel keys, and keys it does not know), as the file had them,
// with the first and last waypoint of its plan: a save of that plan (same
// origin and destination) writes them back, so that saving over the file
// keeps them.
struct KeptRouteKeys {
    std::string origin;
    std::string destination;
    std::vector<std::string> lines;
};
inline KeptRouteKeys kept_route_keys;

// Writes the active plan into flight_plans_folder() + name (name carries its
// extension). True when the whole file was written; false, with nothing
// written and the plan unchanged, when a waypoint cannot be stored or the
// file cannot be created, and false when writing it failed. A save leaves
// every active waypoint with one of the five type texts.
bool save_route_file(const std::string& name);

// A typed route-file name (with its extension) that stays inside the
// flight-plans folder and that the host's file calls take: not empty, no
// folder separators, drive colon or "..", none of the characters a file name
// cannot hold (* ? < > | and the double quote), and the whole path within the
// host's path limit.
bool acceptable_file_name(const std::string& name);
