// GNS XLS entry and selection texts that load_config presets.
#pragma once

#include <string>

// The field being typed; "------" once load_config ran.
inline std::string gns_scratchpad;
// "NO" or "YES" on the FLYOVER line; "NO" once load_config ran.
inline std::string gns_flyover_choice;

// Procedure selections being edited on the GNS pages; "------" = none.
inline std::string gns_sel_dep_airport, gns_sel_sid, gns_sel_sid_transition, gns_sel_dep_runway;
inline std::string gns_sel_arr_airport, gns_sel_arr_runway, gns_sel_star, gns_sel_star_transition;
inline std::string gns_sel_apch_type, gns_sel_apch_trans;
