// The approaches of the destination (airport slot 2) from "apps.txt".
#pragma once

#include <string>

// Fills slot 2's approach table (one record per runway and approach name), its
// approach groups (the distinct names) and then approach_fix_list for every
// runway.
void load_approaches(const std::string& airport);

// approach_fix_list := one {approach name, runway} entry per run of legs that
// share them, over the approaches of that runway ("------": all).
void build_approach_fix_list(const std::string& runway);
