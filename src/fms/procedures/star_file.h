// The arrival procedures of the destination (airport slot 2) from "stars.txt",
// or from "stars_user.txt" when the base file has no section for the airport.
#pragma once

#include <string>

// Fills slot 2's STAR table, its STAR entry list (transition names and the
// fixes where the common parts begin) and its STAR transition list
// ("STAR.TRANSITION", "STAR." for legs of no transition).
void load_stars(const std::string& airport);
