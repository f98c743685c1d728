// The core's procedure pickers and previews read the working plan's choices.
// The GNS procedure pages keep their own copy (gns_page_choices): while a
// scope of this kind lives the core sees the GNS copy, and the plan's choices
// come back whole when it ends, so a selection in progress on a SMITHS CDU
// stays.
#pragma once

#include "fms/plan/plan_choices.h"

class GnsPickerScope {
  public:
    GnsPickerScope();
    ~GnsPickerScope();
    GnsPickerScope(const GnsPickerScope&) = delete;
    GnsPickerScope& operator=(const GnsPickerScope&) = delete;

  private:
    PlanChoices kept_;
};

// The previews of the GNS selection, each built inside a scope.
void gns_build_sid_preview();
void gns_build_star_preview();
void gns_build_iaf_list();
// The approach preview; the APCH page then shows it with its first entry
// chosen.
void gns_build_approach_preview();

// The page's part of the GNS selection chosen on the plan in view (the
// flown plan, or the stored plan open): the plan's own choices take it by
// their rules, and its departure or arrival is built anew from them. A
// selection in progress on a SMITHS CDU stays its own.
void gns_choose_departure();
void gns_choose_arrival();
void gns_choose_approach();
