// The MCU direct-to: the candidates of a typed identifier and the active
// plan rebuilt from the present position to the chosen one.
#pragma once

#include <string>

struct NavListRecord;

inline constexpr int kMcuMaxCandidates = 250;

// Makes the search of mcu_build_candidates ready for the database loaded
// (the DIRTO key does it, so that typing costs little); a rebuild does it
// too when needed.
void mcu_prepare_candidate_search();

// Fills candidate_list() with every navaid, then intersection, then airport
// whose identifier is exactly `ident` (at most 250); nothing for an empty one.
void mcu_build_candidates(const std::string& ident);

// Replaces the active plan by DIRECT (the present position) and the
// candidate, followed by the plan's destination airport when it ended at one.
void mcu_fly_direct(const NavListRecord& candidate);
