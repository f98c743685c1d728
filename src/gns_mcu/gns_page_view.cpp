#include "gns_mcu/gns_page_view.h"

#include "data/airport_procedures.h"
#include "fms/plan/plan_choices.h"
#include "fms/plan/route_plan.h"
#include "fms/units/gns_page_state.h"
#include "fms/units/gns_unit_state.h"

#include <string>
#include <vector>

namespace {

struct PageView {
    int state = 0, return_state = 0, sub_state = 0, plan_open = 0;
    int end_id = 0; // the plan's entry at the page's end: a plan put in place has new ids
    std::vector<std::string> choices;
    std::string slot_airport;
    bool operator==(const PageView&) const = default;
};

PageView noted;

// The procedure page shown, or the one its airport detail goes back to; 0
// for any other page.
int procedure_page() {
    const int page = gns_state == GNS_DATABASE_WPT ? gns_return_state : gns_state;
    return page == GNS_DEPARTURE || page == GNS_ARRIVAL || page == GNS_APPROACH ? page : 0;
}

PageView seen(int page) {
    PageView v;
    v.state = gns_state;
    v.return_state = gns_return_state;
    v.sub_state = gns_sub_state;
    v.plan_open = gns_plan_open;
    const bool flown = gns_sub_state == kGnsSubStateActivePlan;
    const RoutePlan& plan = flown ? active_plan.plan() : working_plan;
    const int last = flown ? active_plan_last : working_plan_last;
    const bool departure = page == GNS_DEPARTURE;
    if (last >= 0) v.end_id = plan[departure ? 0 : last].id;
    const PlanChoices& c = plan.choices();
    if (departure)
        v.choices = {c.departure_runway, c.sid, c.sid_transition};
    else
        v.choices = {c.arrival_runway, c.star, c.star_transition, c.approach, c.approach_transition};
    v.slot_airport = airport_slots[departure ? origin_slot : destination_slot].airport_ident;
    return v;
}

const char* title(int page) {
    return page == GNS_DEPARTURE ? "DEPARTURE" : page == GNS_ARRIVAL ? "ARRIVAL" : "APCH";
}

} // namespace

void gns_note_page_view() {
    const int page = procedure_page();
    noted = page == 0 ? PageView{} : seen(page);
}

bool gns_close_changed_page_view() {
    const int page = procedure_page();
    // A page the unit's own keys did not open (nothing noted on it) has
    // nothing to compare with.
    if (page == 0 || noted.state != gns_state || noted.return_state != gns_return_state) return false;
    if (seen(page) == noted) return false;
    gns_state = GNS_FLIGHT_PLAN;
    gns_active_page = 1;
    gns_entry_active = 0;
    gns_entry_fresh = 1;
    gns_lsk = 0;
    reset_page_toggles();
    gns_refusal_text = std::string(title(page)) + " CLOSED";
    noted = PageView{};
    return true;
}
