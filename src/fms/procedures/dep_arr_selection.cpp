#include "fms/procedures/dep_arr_selection.h"

#include "data/airport_procedures.h"
#include "fms/plan/route_state.h"
#include "fms/procedures/procedure_insertion.h"
#include "fms/procedures/procedure_selection.h"
#include "fms/procedures/selection_texts.h"
#include "fms/units/c17_cdu_text.h"
#include "fms/units/cdu_text.h"

namespace {

const char* const kNone = "------";
constexpr int kDeparturesPage = 10;

// The sub-page, runway index and chosen flag a unit writes.
struct UnitPages {
    int& subpage;
    int& runway_index;
    int& runway_chosen;
};

void reset_departures(int& page) {
    page = kDeparturesPage;
    dep_subpage = 1;
    dep_transition_chosen = 0;
    if (dep_sid_state == 1) dep_sid_state = 2;
    dep_runway_chosen = 0;
    match_sid_transition(kNone, kNone);
    find_sid(kNone);
}

void choose_departure_runway(int n, UnitPages unit, void (*build)(int, int)) {
    const AirportProcedures& origin = airport_slots[origin_slot];
    if (n < 1 || n > origin.runway_list.count()) return;
    sel_departure_runway = origin.runway_list[n];
    unit.runway_index = n;
    unit.runway_chosen = 1;
    applied_departure_runway = sel_departure_runway;
    unit.subpage = 1;
    if (sel_sid != kNone) build(selected_sid_index, 1);
    match_sid_transition(sel_departure_runway, kNone);
    if (route_state == kRouteStateActive) advance_route_state();
}

void choose_arrival_runway(int n, UnitPages unit, void (*build)(int, int)) {
    const AirportProcedures& destination = airport_slots[destination_slot];
    if (n < 1 || n > destination.runway_list.count()) return;
    sel_arrival_runway = destination.runway_list[n];
    unit.runway_index = n;
    unit.runway_chosen = 1;
    applied_arrival_runway = sel_arrival_runway;
    unit.subpage = 1;
    if (sel_star != kNone) build(selected_star_index, 1);
    match_star_transition(sel_arrival_runway, kNone);
    if (route_state == kRouteStateActive) advance_route_state();
}

} // namespace

void reset_dep_selection() {
    reset_departures(c17_cdu_page);
}

void reset_dep_selection_b() {
    reset_departures(smiths_cdu_page);
}

void select_departure_runway(int n) {
    choose_departure_runway(n, {c17_dep_subpage, c17_dep_runway_index, c17_dep_runway_chosen},
                            build_sid_legs);
}

void select_departure_runway_b(int n) {
    choose_departure_runway(n, {dep_subpage, dep_runway_index, dep_runway_chosen}, build_sid_legs_b);
}

void select_arrival_runway(int n) {
    choose_arrival_runway(n, {c17_arr_subpage, c17_arr_runway_index, c17_arr_runway_chosen}, build_star_legs);
}

void select_arrival_runway_b(int n) {
    choose_arrival_runway(n, {arr_subpage, arr_runway_index, arr_runway_chosen}, build_star_legs_b);
}
