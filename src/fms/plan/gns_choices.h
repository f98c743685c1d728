// The GNS XLS's procedure choices. The unit keeps one selection for the
// active plan and one for the opened stored plan; its DEPARTURE, ARRIVAL and
// APCH pages work on a copy (gns_page_choices): a page opens on its part of
// the selection of the plan in view and ENT commits that part back, and the
// core's pickers read the copy as the working plan's choices while the GNS
// asks them. "------" = none.
#pragma once

#include "fms/plan/plan_choices.h"

#include <string>

struct GnsChoices {
    GnsChoices() { procedures.clear(); }

    std::string departure_airport = "------";
    std::string arrival_airport = "------";
    // The runways, procedures and transitions, in the fields the pickers
    // read; the applied and pending ones are the pickers' own.
    PlanChoices procedures;

    // A page's part taken from `from`: the departure airport, runway, SID and
    // its transition; the arrival airport, runway, STAR and its transition;
    // the arrival airport, runway, approach and its transition.
    void take_departure(const GnsChoices& from);
    void take_arrival(const GnsChoices& from);
    void take_approach(const GnsChoices& from);
};

inline GnsChoices active_sel;
inline GnsChoices working_sel;
inline GnsChoices gns_page_choices;

// The page copy's texts by the names the pages and load_config use.
inline std::string& gns_sel_dep_airport = gns_page_choices.departure_airport;
inline std::string& gns_sel_sid = gns_page_choices.procedures.sid;
inline std::string& gns_sel_sid_transition = gns_page_choices.procedures.sid_transition;
inline std::string& gns_sel_dep_runway = gns_page_choices.procedures.departure_runway;
inline std::string& gns_sel_arr_airport = gns_page_choices.arrival_airport;
inline std::string& gns_sel_arr_runway = gns_page_choices.procedures.arrival_runway;
inline std::string& gns_sel_star = gns_page_choices.procedures.star;
inline std::string& gns_sel_star_transition = gns_page_choices.procedures.star_transition;
inline std::string& gns_sel_apch_type = gns_page_choices.procedures.approach;
inline std::string& gns_sel_apch_trans = gns_page_choices.procedures.approach_transition;
