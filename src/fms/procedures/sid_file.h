// The departure procedures of the origin (airport slot 1) from "sids.txt", or
// from "sids_user.txt" when the base file has no section for the airport.
#pragma once

#include <string>

// Fills slot 1's SID table (and empties its STAR entry list). Coded legs are
// expanded from the runway or the previous leg; every SID ends up with its
// junction leg (last common leg) marked "*" and named as its own transition.
void load_sids(const std::string& airport);
