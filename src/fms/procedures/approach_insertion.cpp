#include "fms/procedures/approach_insertion.h"

#include "fms/plan/airways.h"
#include "fms/plan/plan_editing.h"
#include "fms/plan/plan_legs.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/procedures/airport_detail.h"
#include "fms/procedures/plan_parts.h"
#include "fms/procedures/procedure_legs.h"
#include "fms/procedures/procedure_selection.h"
#include "fms/units/gns_page_state.h"
#include "fms/units/gns_unit_state.h"
#include "platform/text_file.h"

#include <cctype>

void insert_approach(int with_disco) {
    rebuild_arrival(working_target(), working_plan.choices(), with_disco == 1);
    mark_route_edited();
}

void apply_approach_to_route() {
    rebuild_arrival(active_target(), active_plan.choices(), false);
}

void insert_airway_segment(const PlanTarget& t) {
    const int a = unit_candidates().from_index;
    const int b = unit_candidates().selected_index;
    // The row the GNS chose on its view of the flown plan, else the edited one.
    const int c = t.active ? gns_selected_wpt_index : working_cursor_index;
    const int count = candidate_count();
    if (a < 1 || a > count || b < 1 || b > count || a == b || c < 0 || c > t.plan().last()) return;

    PlanEdit edit(t, "an airway inserted");
    const bool forwards = a < b;
    const int step = forwards ? 1 : -1;
    int k = 0;
    for (int v = a + step;; v += step) {
        const int index = c + ++k;
        if (!open_slot(t, index)) break; // past index 200
        const auto& candidate = candidate_list()[v];
        RouteWaypoint w = entry_from_candidate(candidate);
        w.frequency.clear();
        w.via = candidate.text_1;
        w.kind = candidate.text_2;
        // Flown backwards the airway's fixes keep their own type and no frequency.
        if (forwards) fill_navaid_data(w);
        write_entry(t, index, w);
        if (v == b) break;
    }
    if (edit.last() < kPlanLastIndex) make_marker(edit.entry(edit.last() + 1), EntryKind::EndMark);
}

int apply_airway_to_row(int n) {
    if (n < 1 || n > route_rows_last) return 0;
    const std::string to = route_rows[n].to;
    int exit = 0;
    for (int c = 1; c <= candidate_count() && !exit; ++c)
        if (c != unit_candidates().from_index && candidate_list()[c].ident == to) exit = c;
    if (!exit) return 0;
    unit_candidates().selected_index = exit;
    delete_route_row(n);
    insert_airway_segment(working_target());
    return 1;
}
