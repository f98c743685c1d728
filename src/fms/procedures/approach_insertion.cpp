#include "fms/procedures/approach_insertion.h"

#include "fms/plan/airways.h"
#include "fms/plan/plan_editing.h"
#include "fms/plan/plan_legs.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/procedures/airport_detail.h"
#include "fms/procedures/procedure_legs.h"
#include "fms/procedures/procedure_selection.h"
#include "fms/units/gns_page_state.h"
#include "fms/units/gns_unit_state.h"
#include "platform/text_file.h"

#include <cctype>

namespace {

// The leading decimal digits of an altitude text; 0 when it has none.
int leading_number(const std::string& text) {
    int value = 0;
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c)) || value > 9999999) break;
        value = value * 10 + (c - '0');
    }
    return value;
}

bool is_approach_end(const RouteWaypoint& w) {
    return w.kind == "APPR" || w.type == "APT";
}

// The en-route part: the index of the last entry before the approach legs
// and the destination (0 at the least).
int end_of_en_route(const RoutePlan& plan, int last) {
    int s = last;
    while (s > 0 && is_approach_end(plan[s]))
        --s;
    return s < 0 ? 0 : s;
}

RouteWaypoint approach_leg(const PreviewLeg& p, bool with_constraints) {
    RouteWaypoint w;
    w.ident = p.fix;
    w.kind = "APPR";
    w.lat = p.latitude;
    w.lon = p.longitude;
    w.flyover = p.flyover;
    w.aux_text = p.role;
    w.course = -1.0;
    if (with_constraints) {
        w.speed_constraint = p.role == "IAF" ? 190.0 : p.role == "FAF" ? 170.0 : 180.0;
        const int altitude = leading_number(p.altitude_text);
        if (altitude >= 100) {
            w.alt_constraint = altitude;
            w.altitude_kind = AltitudeKind::Procedure;
        }
    }
    fill_navaid_data(w);
    return w;
}

// The approach legs up to the missed approach, each appended while a place
// for the destination remains. When the plan's last entry is the approach's
// first fix (reuse_last), the first leg takes that entry's place and hold.
int append_approach_legs(PlanEdit& edit, const PlanTarget& t, bool with_constraints, bool reuse_last) {
    int appended = 0;
    for (int i = 1; i <= approach_preview_legs.count(); ++i) {
        const PreviewLeg& p = approach_preview_legs[i];
        if (p.role == "MAP") break;
        const bool in_place = reuse_last && appended == 0;
        const int index = in_place ? edit.last() : edit.last() + 1;
        if (index >= kPlanLastIndex) break;
        RouteWaypoint leg = approach_leg(p, with_constraints);
        if (in_place) keep_entry_identity(leg, edit[index]); // the same entry, with its hold
        edit.set_last(index);
        write_entry(t, index, leg);
        ++appended;
    }
    if (reuse_last && appended == 0) cut_plan(t, edit.last() - 1);
    return appended;
}

// The destination written again behind the approach is the entry the plan
// ended at: the units' cursors on it stay there.
void keep_destination_identity(RouteWaypoint& destination, const RouteWaypoint& was) {
    if (was.type == "APT" && was.ident == destination.ident) keep_entry_identity(destination, was);
}

bool first_fix_is(const RouteWaypoint& w) {
    return approach_preview_legs.count() >= 1 && w.ident == approach_preview_legs[1].fix;
}

} // namespace

void insert_approach(int with_disco) {
    const PlanTarget t = working_target();
    PlanEdit edit(t, "an approach inserted");
    // As for a STAR: a plan still without its first entry (a new plan) has no
    // route for the legs to join.
    if (edit.last() < 0) return;
    const RouteWaypoint destination_was = edit[edit.last()];
    const int s = end_of_en_route(working_plan, edit.last());
    cut_plan(t, s);
    if (s > 0 && edit[s].ident == "DISCO") cut_plan(t, s - 1);

    int disco = 0;
    bool reuse_last = false;
    if (with_disco == 1 && edit.last() > 1 && !first_fix_is(edit[edit.last()])) {
        if (edit.last() + 1 < kPlanLastIndex) {
            disco = edit.last() + 1;
            edit.set_last(disco);
            write_entry(t, disco, discontinuity_entry());
            mark_route_edited();
        }
    } else if (edit.last() > 0 && first_fix_is(edit[edit.last()])) {
        reuse_last = true; // the approach's own fix takes the place of the last entry
    }

    append_approach_legs(edit, t, true, reuse_last);
    if (disco != 0 && disco < edit.last()) {
        const RouteWaypoint& first = edit[disco + 1];
        RouteWaypoint& d = edit.entry(disco);
        d.lat = first.lat;
        d.lon = first.lon;
        d.speed_constraint = first.speed_constraint;
        d.alt_constraint = first.alt_constraint;
        d.altitude_kind = first.altitude_kind;
    }

    if (edit.last() < kPlanLastIndex) {
        RouteWaypoint destination = destination_entry();
        destination.course = kNoConstraint;
        keep_destination_identity(destination, destination_was);
        edit.set_last(edit.last() + 1);
        write_entry(t, edit.last(), destination);
    }
    approach_preview_built = 0;
    // The vertical target is the flown plan's: a change pending on a flown
    // route leaves it as it is, and EXEC sets it from the plan put in place.
    if (route_state < kRouteStateActive && constraint_waypoint_index > s)
        edit.place(constraint_waypoint_index, edit.last());
    mark_route_edited();
}

void apply_approach_to_route() {
    // The aircraft stays on its leg, which the approach may follow.
    const PlanTarget t = active_target();
    PlanEdit edit(t, "an approach put in the flown plan");
    if (edit.last() < 0) return; // no route to join
    const RouteWaypoint destination_was = edit[edit.last()];
    cut_plan(t, end_of_en_route(active_plan, edit.last()));
    // A fix met twice at the join would be flown twice.
    const bool reuse_last = edit.last() > 0 && first_fix_is(edit[edit.last()]);

    append_approach_legs(edit, t, false, reuse_last);
    if (edit.last() < kPlanLastIndex) {
        RouteWaypoint destination = destination_entry();
        destination.alt_constraint = parse_double(airport_elevation_text);
        keep_destination_identity(destination, destination_was);
        edit.set_last(edit.last() + 1);
        write_entry(t, edit.last(), destination);
    }
    approach_preview_built = 0;
}

void insert_airway_segment(const PlanTarget& t) {
    const int a = candidate_from_index;
    const int b = candidate_selected_index;
    // The row the GNS chose on its view of the flown plan, else the edited one.
    const int c = t.active ? gns_selected_wpt_index : working_cursor_index;
    const int count = candidate_count();
    if (a < 1 || a > count || b < 1 || b > count || a == b || c < 0 || c > t.plan->last()) return;

    PlanEdit edit(t, "an airway inserted");
    const bool forwards = a < b;
    const int step = forwards ? 1 : -1;
    int k = 0;
    for (int v = a + step;; v += step) {
        const int index = c + ++k;
        if (!open_slot(t, index)) break; // past index 200
        const auto& candidate = candidate_list[v];
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
        if (c != candidate_from_index && candidate_list[c].ident == to) exit = c;
    if (!exit) return 0;
    candidate_selected_index = exit;
    delete_route_row(n);
    insert_airway_segment(working_target());
    return 1;
}
