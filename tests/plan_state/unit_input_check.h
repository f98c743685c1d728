// The plan hunt's steps and rules for what each unit takes: two units typed
// on in the same frames, holds at fixes near an earlier leg flown past, airway
// rows left without their exit, routes saved. The rules, each from this
// checker's own table: no unit's entry holds another unit's keys; no hold is
// entered while its fix is not the TO; no entry stands at 0N 0E unless the
// database has a fix there; every saved route holds the plan it was saved
// from; one unit's keys never change the candidate list another unit shows,
// nor empty or replace what another unit typed.
#pragma once

#include <map>
#include <random>
#include <string>
#include <vector>

// One step of these kinds as script lines, from the plans as they are now.
std::string unit_input_step(std::mt19937& random);

// What the rules compare a step's outcome with.
struct UnitInputSeen {
    std::string gns_pad;
    std::vector<std::pair<std::string, bool>>
        entries; // each unit's typed text, and whether its own key waits
    bool gns_open = false, gns_fresh = false;
    int hold_at_id = 0;                       // the working entry the HOLD AT pick names
    int holding = 0;                          // the pattern point flown to
    std::map<std::string, std::string> saved; // route files by name
    std::vector<std::string> open_lists;      // each unit's candidates while it shows them, else ""
};
UnitInputSeen see_unit_input(const std::string& sim_folder);

// The faults of a step (one script line) by the rules above.
std::vector<std::string> unit_input_faults(const UnitInputSeen& before, const std::string& line,
                                           const std::string& sim_folder);

// How often the rules met what they check, over the runs so far.
std::string unit_input_reached();
