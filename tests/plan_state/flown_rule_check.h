// The hunt's rule on entries the aircraft does not fly to: no published,
// paged or predicted distance and no drawn route line runs to one (each
// reads 0N 0E), and LNAV's lamp and orvex_lnav are on only while LNAV
// steers.
#pragma once

#include <string>
#include <vector>

// The faults of the present state; `measured`: a frame without keys ran
// last, so the distances follow the aircraft. Rules "flown" (distances and
// lines) and "lnav" can be left out by name (PLAN_RULES_OFF).
std::vector<std::string> flown_rule_faults(bool measured);
