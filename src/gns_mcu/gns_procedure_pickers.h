// The core's procedure pickers and previews read the SMITHS selection texts.
// The GNS procedure pages keep their own copy (gns_sel_*): while a scope of
// this kind lives the core sees the GNS copy, and the SMITHS texts come back
// untouched when it ends, so a selection in progress on a SMITHS CDU stays.
#pragma once

#include <string>

class GnsPickerScope {
  public:
    GnsPickerScope();
    ~GnsPickerScope();
    GnsPickerScope(const GnsPickerScope&) = delete;
    GnsPickerScope& operator=(const GnsPickerScope&) = delete;

  private:
    std::string sid_, sid_transition_, departure_runway_, applied_departure_runway_, applied_sid_transition_;
    std::string star_, star_transition_, arrival_runway_, applied_arrival_runway_, applied_star_transition_;
    std::string approach_, approach_transition_;
};

// The previews of the GNS selection, each built inside a scope.
void gns_build_sid_preview();
void gns_build_star_preview();
void gns_build_iaf_list();
// The approach preview; the APCH page then shows it with its first entry
// chosen.
void gns_build_approach_preview();
