#include "gns_mcu/gns_page_view.h"

#include "data/airport_procedures.h"
#include "fms/plan/plan_choices.h"
#include "fms/plan/route_plan.h"
#include "fms/units/gns_page_state.h"
#include "fms/units/gns_unit_state.h"

namespace {

// The page shown that keeps a view of the plan (a procedure page, or the one
// its airport detail goes back to; SAVE ACTIVE FPL with its name made from
// the plan's airports; GNS_FLIGHT_PLAN for DATABASE WPT putting a fix in at
// a plan view's row), 0 for any other.
int plan_view_page() {
    const int page = gns_state == GNS_DATABASE_WPT ? gns_return_state : gns_state;
    if (page == GNS_FLIGHT_PLAN) return gns_state == GNS_DATABASE_WPT ? page : 0;
    return page == GNS_DEPARTURE || page == GNS_ARRIVAL || page == GNS_APPROACH || page == GNS_SAVE_FPL ? page
                                                                                                        : 0;
}

GnsPageView seen(int page) {
    GnsPageView v;
    v.state = gns_state;
    v.return_state = gns_return_state;
    v.sub_state = gns_sub_state;
    v.plan_open = gns_plan_open;
    // The row's fix on the flown plan: gone, the fix would go in beside
    // another (a stored plan open is kept while it stays open).
    if (page == GNS_FLIGHT_PLAN) {
        if (gns_sub_state == kGnsSubStateActivePlan) v.first_id = gns_entry_fix < 0 ? -1 : gns_entry_fix.id();
        return v;
    }
    const bool flown = gns_sub_state == kGnsSubStateActivePlan || page == GNS_SAVE_FPL;
    const RoutePlan& plan = flown ? active_plan.plan() : working_plan;
    const int last = flown ? active_plan_last : working_plan_last;
    const bool departure = page == GNS_DEPARTURE || page == GNS_SAVE_FPL;
    const bool arrival = page != GNS_DEPARTURE;
    if (departure && last >= 0) v.first_id = plan[0].id;
    if (arrival && last >= 0) v.last_id = plan[last].id;
    if (page == GNS_SAVE_FPL) return v;
    const PlanChoices& c = plan.choices();
    if (departure)
        v.choices = {c.departure_runway, c.sid, c.sid_transition};
    else
        v.choices = {c.arrival_runway, c.star, c.star_transition, c.approach, c.approach_transition};
    v.slot_airport = airport_slots[departure ? origin_slot : destination_slot].airport_ident;
    return v;
}

const char* title(int page) {
    switch (page) {
    case GNS_DEPARTURE:
        return "DEPARTURE";
    case GNS_ARRIVAL:
        return "ARRIVAL";
    case GNS_APPROACH:
        return "APCH";
    case GNS_FLIGHT_PLAN:
        return "DATABASE WPT";
    default:
        return "SAVE ACTIVE FPL";
    }
}

} // namespace

void gns_note_page_view() {
    const int page = plan_view_page();
    gns_noted_page_view = page == 0 ? GnsPageView{} : seen(page);
}

bool gns_close_changed_page_view() {
    const int page = plan_view_page();
    // A page the unit's own keys did not open (nothing noted on it) has
    // nothing to compare with.
    if (page == 0 || gns_noted_page_view.state != gns_state ||
        gns_noted_page_view.return_state != gns_return_state)
        return false;
    if (seen(page) == gns_noted_page_view) return false;
    gns_state = GNS_FLIGHT_PLAN;
    gns_active_page = 1;
    gns_entry_active = 0;
    gns_entry_fresh = 1;
    gns_lsk = 0;
    reset_page_toggles();
    gns_refusal_text = std::string(title(page)) + " CLOSED";
    gns_noted_page_view = GnsPageView{};
    return true;
}
