#include "fms/procedures/dep_arr_selection.h"

#include "data/airport_procedures.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/plan/selection_texts.h"
#include "fms/procedures/airport_detail.h"
#include "fms/procedures/procedure_insertion.h"
#include "fms/procedures/procedure_selection.h"
#include "fms/units/c17_cdu_text.h"
#include "fms/units/cdu_text.h"

#include <string>
#include <vector>

namespace {

const char* const kNone = "------";

// The sub-page, runway index and chosen flag a unit writes.
struct UnitPages {
    int& subpage;
    int& runway_index;
    int& runway_chosen;
};

void reset_departures(int& page) {
    // The page lists the origin of the plan it edits, whose detail another
    // unit may have replaced in the shared slot meanwhile (a GNS page's own
    // airport).
    const bool active = route_state == kRouteStateActive;
    const RouteWaypoint& origin = active ? active_plan[0] : working_plan[0];
    if ((active ? active_plan_last : working_plan_last) >= 1 && origin.type == "APT" &&
        airport_slots[origin_slot].airport_ident != origin.ident)
        load_airport_detail(origin.ident, origin_slot);
    page = kPageDepartures;
    dep_subpage = 1;
    dep_transition_chosen = 0;
    if (dep_sid_state == kDepSidStateChosen) dep_sid_state = kDepSidStateMarked;
    dep_runway_chosen = 0;
    match_sid_transition(kNone, kNone);
    find_sid(kNone);
}

// What a runway choice writes on one side of the route: the departure (the
// origin and its SID) or the arrival (the destination and its STAR).
struct RunwaySide {
    int slot;
    const std::string& selected;
    void (PlanChoices::*choose)(const std::string& runway, const AirportProcedures& airport);
    void (*rebuild)();
    const std::string& procedure;
    const int& procedure_index;
    void (*match)(const std::string& runway, const std::string& transition);
};

RunwaySide departure_side() {
    return {origin_slot,
            sel_departure_runway,
            &PlanChoices::choose_departure_runway,
            insert_sid_legs,
            sel_sid,
            selected_sid_index,
            match_sid_transition};
}

RunwaySide arrival_side() {
    return {destination_slot,      sel_arrival_runway, &PlanChoices::choose_arrival_runway,
            insert_star_appr_legs, sel_star,           selected_star_index,
            match_star_transition};
}

// Whether the working plan holds legs of that end's procedures.
bool holds_legs_of(const RunwaySide& side) {
    const bool departure = side.slot == origin_slot;
    for (int i = 1; i <= working_plan_last; ++i) {
        const std::string& kind = working_plan[i].kind;
        if (kind == "SIDSTAR" || kind == (departure ? "SID" : "STAR") || (!departure && kind == "APPR"))
            return true;
    }
    return false;
}

void choose_runway(const std::vector<std::string>& runways, int n, UnitPages unit, void (*build)(int, int),
                   const RunwaySide& side) {
    const AirportProcedures& airport = airport_slots[side.slot];
    if (n < 1 || n > static_cast<int>(runways.size())) return;
    const PlanChoices before = working_plan.choices();
    ((*ChoicesEdit(working_plan)).*side.choose)(runways[static_cast<std::size_t>(n - 1)], airport);
    unit.runway_index = n;
    unit.runway_chosen = 1;
    unit.subpage = 1;
    if (side.procedure != kNone) {
        build(side.procedure_index, 1);
    } else if (working_plan.choices() != before && (before.sid != kNone || before.star != kNone ||
                                                    before.approach != kNone || holds_legs_of(side))) {
        // A procedure the runway does not serve went with the choice, or
        // legs of an earlier one are still there.
        side.rebuild();
        build_route_rows();
    }
    side.match(side.selected, kNone);
    if (route_state == kRouteStateActive) advance_route_state();
}

// The C-17 lists from the slot's lists.
std::vector<std::string> slot_runways(int slot) {
    const auto& list = airport_slots[static_cast<std::size_t>(slot)].runway_list;
    std::vector<std::string> names;
    for (int i = 1; i <= list.count(); ++i)
        names.push_back(list[i]);
    return names;
}

} // namespace

void reset_dep_selection() {
    reset_departures(c17_cdu_page);
}

void reset_dep_selection_b() {
    reset_departures(smiths_cdu_page);
}

void select_departure_runway(int n) {
    choose_runway(slot_runways(origin_slot), n,
                  {c17_dep_subpage, c17_dep_runway_index, c17_dep_runway_chosen}, build_sid_legs,
                  departure_side());
}

void select_departure_runway_b(const std::vector<std::string>& runways, int n) {
    choose_runway(runways, n, {dep_subpage, dep_runway_index, dep_runway_chosen}, build_sid_legs_b,
                  departure_side());
}

void select_arrival_runway(int n) {
    choose_runway(slot_runways(destination_slot), n,
                  {c17_arr_subpage, c17_arr_runway_index, c17_arr_runway_chosen}, build_star_legs,
                  arrival_side());
}

void select_arrival_runway_b(const std::vector<std::string>& runways, int n) {
    choose_runway(runways, n, {arr_subpage, arr_runway_index, arr_runway_chosen}, build_star_legs_b,
                  arrival_side());
}
