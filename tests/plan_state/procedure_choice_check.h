// The plan hunt's procedure choices: runway, SID and its transition, STAR and
// its transition, approach and its transition, picked in any order on the
// SMITHS DEPARTURES and ARRIVALS pages and the GNS DEPARTURE, ARRIVAL and
// APCH pages, with EXEC and ERASE between, on the ground and in the air (the
// TO inside the arrival too), and a new destination typed on RTE. The rules,
// from this checker's own table of the data files' legs
// (shared/procedure_legs_table.h): after a key on a procedure page, a plan
// whose choices or procedure parts moved holds the origin and the SID's legs
// for its runway and transition, the en-route part as it was, then the STAR's
// legs for the arrival runway and its transition, at most one discontinuity
// where the STAR and the approach do not join, the approach with its
// transition up to the missed approach and the destination, each leg once;
// nothing before the flown TO moved; a new destination holds none of the old
// one's arrival.
#pragma once

#include "shared/procedure_parts_rule.h"

#include <random>
#include <string>
#include <vector>

// One step of procedure choices as script lines, from the plans as they are
// now.
std::string procedure_choice_step(std::mt19937& random);

struct ProcedureChoiceSeen {
    ProcedurePlanSeen active, working;
    int route_state = 0, smiths_page = 0, gns_state = 0;
    bool moving = false, gns_plan_open = false;
};
ProcedureChoiceSeen see_procedure_choices();

// The faults of a step (one script line) by the rules above. `replaced`: the
// step put a whole plan in place (a route loaded), which brings choices of
// its own.
std::vector<std::string> procedure_choice_faults(const ProcedureChoiceSeen& before, const std::string& line,
                                                 bool replaced);

// How often the rules met what they check, over the runs so far.
std::string procedure_choice_reached();
