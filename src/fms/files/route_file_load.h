// The three readers of route files (and, through the ".PLN" import, of the
// simulator's plans): into the active plan, the working plan and the preview
// plan of the folder list. Each opens its file before it changes anything; a
// file that cannot be opened leaves the plans as they were.
#pragma once

#include <string>

// Loads route_file_request_name into the active and the working plan and
// makes it the flown route (request 1 from the MCU, 3 from the text-page
// variant). Run by the update pass that finds the request.
void load_route_file(int request);

// Loads a stored plan into the working plan for the pilot to execute. "NEXT
// FPL" empties the working plan. keys_off non-zero skips the key lines and the
// flight-log and airport steps.
void load_route_file_to_working(const std::string& name, int keys_off);

// Loads a plan into the preview plan only.
void load_route_preview(const std::string& name);

// Deletes every hold of the hold list and disarms holding, as a newly loaded
// route starts without holds.
void delete_all_holds();

// Sets the simulator's clock to the computer's UTC hour and minute (loading a
// plan on the ground with SetUTCTimeOnFPLoad).
void set_sim_clock_to_utc();
