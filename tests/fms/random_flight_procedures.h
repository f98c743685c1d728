// The arrival of a random flight chosen again by keys while it stands at the
// gate: the STAR, its transition, the approach and its transition, picked in
// any order on the SMITHS ARRIVALS page (then EXEC or ERASE) and on the GNS's
// ARRIVAL and APCH pages, which change the flown plan at once. After each
// key, a plan whose arrival choices or arrival legs moved holds the legs
// those choices fly, by the rule of shared/procedure_parts_rule.h; the flight
// then flies what was chosen.
#pragma once

#include <random>
#include <string>
#include <vector>

// The keys pressed that moved a plan's arrival; faults are added.
int choose_arrival_by_keys(std::mt19937& rng, std::vector<std::string>& faults);
