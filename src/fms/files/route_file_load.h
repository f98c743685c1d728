// The three readers of route files (and, through the ".PLN" import, of the
// simulator's plans): into the active plan, the working plan and the preview
// plan of the folder list. Each reads its whole file before it changes
// anything: a file that cannot be opened, is not text or holds no waypoint
// leaves the plans as they were (the key lines of a text file without
// waypoints still act); waypoints past the plan's 201 are left out, and what
// was not loaded is told in a load warning and on the unit that asked.
#pragma once

#include "fms/plan/update_state.h"

#include <string>

// The unit that asked for a load, which alone is told what the load could not
// do: the SMITHS message line, the GNS's message, the MCU's entry line, the
// text page's own text; nobody for the folder's listing.
enum class RouteLoadAsker { Nobody, Smiths, Gns, Mcu, TextPage };

// Loads route_file_request_name into the active and the working plan and
// makes it the flown route (request kRouteFileRequestMcu or
// kRouteFileRequestTextPage). Run by the update pass that finds the request.
void load_route_file(int request);

// Loads a stored plan into the working plan for the pilot to execute. "NEXT
// FPL" empties the working plan. keys_off non-zero skips the key lines and the
// flight-log and airport steps. False when the file was not loaded.
bool load_route_file_to_working(const std::string& name, int keys_off, RouteLoadAsker asker);

// Loads a plan into the preview plan only.
void load_route_preview(const std::string& name);

// What the last of the three readers did with its file: the waypoints it
// loaded, those it left out past the plan's 201, and a note of what it could
// not use; or why it loaded nothing (the plans were left as they were).
struct RouteFileOutcome {
    int loaded = 0;
    int dropped = 0;
    std::string note;
    std::string problem;
};
const RouteFileOutcome& last_route_file_outcome();

// Deletes every hold of the hold list and disarms holding, as a newly loaded
// route starts without holds.
void delete_all_holds();

// Sets the simulator's clock to the computer's UTC hour and minute (loading a
// plan on the ground with SetUTCTimeOnFPLoad).
void set_sim_clock_to_utc();
