#include "fms/procedures/procedure_insertion.h"

#include "data/airport_procedures.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/plan/plan_edit.h"
#include "fms/plan/route_exec.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/plan/selection_texts.h"
#include "fms/procedures/plan_parts.h"
#include "fms/procedures/procedure_legs.h"
#include "fms/procedures/procedure_selection.h"

#include <string>
#include <vector>

namespace {

const char* const kNone = "------";

bool pick_is_valid(int n, int count) {
    return n >= 1 && n <= count;
}

void apply_sid_selection(int n, int keep) {
    AirportProcedures& origin = airport_slots[origin_slot];
    if (keep == 0) {
        if (!pick_is_valid(n, origin.procedure_name_list.count())) return;
        ChoicesEdit(working_plan)->choose_sid(origin.procedure_name_list[n], origin);
    }
    filter_sids_by_runway(sel_sid, sel_departure_runway, kTransitionsSkipJunction);
    find_sid_index(sel_sid);
    find_sid(sel_sid);
    ChoicesEdit(working_plan)->apply_departure();
    find_sid_runway();
    insert_sid_legs();
    build_route_rows();
    mark_route_edited();
}

void apply_star_selection(int n, int keep, bool pick_only_runway) {
    AirportProcedures& destination = airport_slots[destination_slot];
    if (keep == 0) {
        if (!pick_is_valid(n, destination.procedure_name_list.count())) return;
        ChoicesEdit(working_plan)->choose_star(destination.procedure_name_list[n], destination);
    }
    filter_stars_by_runway(sel_star, sel_arrival_runway, kTransitionsSkipJunction);
    find_star_index(sel_star);
    find_star(sel_star);
    const std::vector<std::string> runways = star_runway_names(sel_star);
    if (pick_only_runway && runways.size() == 1 && sel_arrival_runway == kNone)
        ChoicesEdit(working_plan)->choose_arrival_runway(runways.front(), destination);
    ChoicesEdit(working_plan)->apply_arrival();
    find_star_runway();
    insert_star_appr_legs();
    build_route_rows();
    mark_route_edited();
}

} // namespace

void build_sid_legs(int n, int keep) {
    apply_sid_selection(n, keep);
}

void build_sid_legs_b(int n, int keep) {
    apply_sid_selection(n, keep);
}

void build_star_legs(int n, int keep) {
    apply_star_selection(n, keep, false);
}

void build_star_legs_b(int n, int keep) {
    apply_star_selection(n, keep, true);
}

void insert_sid_legs() {
    rebuild_departure(working_target(), working_plan.choices());
}

void insert_star_appr_legs() {
    rebuild_arrival(working_target(), working_plan.choices(), true);
}
