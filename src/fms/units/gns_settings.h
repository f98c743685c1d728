// GNS XLS entry and selection texts that load_config presets.
#pragma once

#include <string>

// The field being typed; "------" once load_config ran.
inline std::string gns_scratchpad;
// "NO" or "YES" on the FLYOVER line; "NO" once load_config ran.
inline std::string gns_flyover_choice;
