// The simulator's GPS flight plan as the stand-in publishes it: the module
// variable "FS2002 GPS DATA" pointing at a plan block (size at byte 0,
// waypoint count at 168, the address of the first 64-byte waypoint record at
// 172; a record holds the latitude as i32 at 12 (degrees x 40007000 / 360),
// the longitude as i64 at 16 (degrees / 360 x 2^64) and the ident at 56).
//
// Script command:
//   gps IDENT LAT LON [IDENT LAT LON ...]   the GPS plan (replaces the last one)
//   gps clear                              a plan block without waypoints
#pragma once

#include <string>
#include <vector>

namespace host {

struct GpsPlanWaypoint {
    std::string ident; // at most 7 characters are published
    double lat = 0.0;
    double lon = 0.0;
};

// Builds the block and registers it under "FS2002 GPS DATA".
void publish_gps_plan(const std::vector<GpsPlanWaypoint>& waypoints);

// Checks one command (the text after "gps"); with apply set it also publishes
// the plan. False with a message on a bad command.
bool gps_command(const std::string& text, bool apply, std::string& error);

} // namespace host
