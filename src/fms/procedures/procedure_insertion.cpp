#include "fms/procedures/procedure_insertion.h"

#include "data/airport_procedures.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/plan/plan_edit.h"
#include "fms/plan/route_exec.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/plan/selection_texts.h"
#include "fms/procedures/airport_selection.h"
#include "fms/procedures/procedure_legs.h"
#include "fms/procedures/procedure_selection.h"

namespace {

const char* const kNone = "------";

bool is_sid(const RouteWaypoint& w) {
    return w.kind == "SID";
}

bool pick_is_valid(int n, int count) {
    return n >= 1 && n <= count;
}

// The route's end: STAR and approach legs and airports are not en route.
bool ends_route(const RouteWaypoint& w) {
    return w.kind == "STAR" || w.kind == "APPR" || w.type == "APT";
}

void insert_sid(const PlanTarget& t) {
    // In the active plan the aircraft stays on its leg: on the ground, the
    // SID's first leg is flown.
    PlanEdit edit(t, "a SID inserted");
    edit.to_fallback(1);
    const int no_route = t.active ? to_waypoint_index : working_cursor_index;
    if (no_route == kNoToWaypoint) {
        if (edit.last() < 0) edit.set_last(0);
        cut_plan(t, 0);
    }
    if (edit[0].type != "APT")
        select_airport(origin_airport_ident,
                       t.active ? kSelectAirportActiveOrigin : kSelectAirportWorkingOrigin);
    if (edit.last() < 0) edit.set_last(0);

    // The old SID goes, also when nothing follows it.
    while (edit.last() >= 1 && is_sid(edit[1]))
        remove_entry(t, 1);
    if (t.active && direct_to_active == 1) direct_to_active = 0;

    const AirportProcedures& origin = airport_slots[origin_slot];
    RouteWaypoint& entry0 = edit.entry(0);
    entry0.ident = origin.airport_ident;
    entry0.lat = origin.airport_latitude;
    entry0.lon = origin.airport_longitude;
    entry0.type = "APT";
    entry0.frequency.clear();

    for (int i = 1; i <= sid_preview_legs.count(); ++i) {
        if (!open_slot(t, i)) break; // the plan is full
        RouteWaypoint leg = procedure_leg(sid_preview_legs[i], "SID");
        fill_navaid_data(leg);
        write_entry(t, i, leg);
    }

    for (int k = 2; k - 1 < edit.last(); ++k) {
        if (edit[k - 1].ident != edit[k].ident) continue;
        const bool star = edit[k - 1].kind == "STAR";
        merge_into_previous(t, k);
        if (star) edit.entry(k - 1).kind = "SIDSTAR";
    }
    sid_edit_pending = 0;
}

// Where the flown TO stands in the plan edited: a working plan loaded or
// typed anew holds none of the flown route's entries, and its legs from the
// first on are all to come.
int to_place(const PlanTarget& t) {
    return !t.active && working_plan_new == 1 ? kNoToWaypoint : to_waypoint_index;
}

void insert_star(const PlanTarget& t) {
    const int to = to_place(t);
    const int floor = t.active || to == kNoToWaypoint ? 0 : to - 1;
    PlanEdit edit(t, "a STAR inserted");

    if (edit.last() < 0 || edit[edit.last()].type != "APT") {
        // Mode 4 makes the airport the destination, so it must be the destination.
        if (t.active)
            select_airport(airport_slots[destination_slot].airport_ident, kSelectAirportActiveDestination);
        else
            select_airport(origin_airport_ident, kSelectAirportWorkingAppend);
    }
    // A plan still without its first entry (a new plan whose origin is not
    // an airport) has no route for the legs to join.
    if (edit.last() < 0) return;

    int s = edit.last();
    while (s > floor && ends_route(edit[s]))
        --s;
    if (s < 0) s = 0;
    // A TO on the route's end that the STAR replaces: the last en-route
    // entry, unless the aircraft's leg is still in the plan.
    if (t.active && to_waypoint_index != kNoToWaypoint && s < to_waypoint_index) {
        edit.to_fallback(s >= 1 ? s : 1);
        if (direct_to_active == 1) direct_to_active = 0;
    }

    const PreviewLegs& legs = star_preview_legs;
    if (s + 1 < edit.last() && edit[s + 1].kind == "APPR") {
        // Before the approach, which stays.
        const bool has_destination = edit[edit.last()].type == "APT";
        for (int i = 1; i <= legs.count(); ++i) {
            if (!has_destination && edit.last() + 1 >= kPlanLastIndex) break; // room for the destination
            if (!open_slot(t, s + i)) break;
            RouteWaypoint leg = procedure_leg(legs[i], "STAR");
            fill_navaid_data(leg);
            write_entry(t, s + i, leg);
        }
        if (has_destination || edit.last() < kPlanLastIndex) {
            RouteWaypoint destination = destination_entry();
            if (has_destination) // the same entry, with its hold
                keep_entry_identity(destination, edit[edit.last()]);
            else
                edit.set_last(edit.last() + 1);
            write_entry(t, edit.last(), destination);
        }
    } else if (s >= kPlanLastIndex) {
        cut_plan(t, s); // a full en-route part leaves no room for the destination
    } else {
        const bool edit_on_destination = !t.active && working_edit_index == edit.last();
        const double remembered_altitude = edit[edit.last()].alt_constraint;
        RouteWaypoint destination = destination_entry();
        // The destination the plan ends at stays that entry, with its hold:
        // the legs go in before it.
        const bool keep_destination = edit.last() > s && edit[edit.last()].type == "APT" &&
                                      edit[edit.last()].ident == destination.ident;
        if (keep_destination) {
            for (int i = edit.last() - 1; i > s; --i)
                remove_entry(t, i);
        } else {
            cut_plan(t, s);
        }
        int k = s + 1;
        for (int i = 1; i <= legs.count() && k < kPlanLastIndex; ++i, ++k) {
            RouteWaypoint leg = procedure_leg(legs[i], "STAR");
            fill_navaid_data(leg);
            if (keep_destination ? !open_slot(t, k) : (edit.set_last(k), false)) break;
            write_entry(t, k, leg);
        }
        edit.set_last(k);
        if (keep_destination) keep_entry_identity(destination, edit[k]);
        if (edit_on_destination) {
            edit.place(working_edit_index, k);
            destination.alt_constraint = remembered_altitude;
        }
        write_entry(t, k, destination);
    }

    // A fix met twice in a row is flown once; in the working plan from the
    // TO's place on, where the entry takes the kind of the one it replaces.
    int n = t.active || to == kNoToWaypoint || to < 1 ? 1 : to;
    while (n < edit.last()) {
        ++n;
        if (edit[n - 1].ident != edit[n].ident) continue;
        const std::string kind = edit[n - 1].kind == "SID" ? "SIDSTAR" : edit[t.active ? n : n - 1].kind;
        merge_into_previous(t, n);
        edit.entry(n - 1).kind = kind;
    }
    star_edit_pending = 0;
}

void apply_sid_selection(int n, int keep) {
    AirportProcedures& origin = airport_slots[origin_slot];
    if (keep == 0) {
        if (!pick_is_valid(n, origin.procedure_name_list.count())) return;
        ChoicesEdit(working_plan)->sid = origin.procedure_name_list[n];
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
        ChoicesEdit(working_plan)->star = destination.procedure_name_list[n];
    }
    filter_stars_by_runway(sel_star, sel_arrival_runway, kTransitionsSkipJunction);
    find_star_index(sel_star);
    find_star(sel_star);
    if (pick_only_runway && destination.runway_list.count() == 1 && sel_arrival_runway == kNone)
        ChoicesEdit(working_plan)->arrival_runway = destination.runway_list[1];
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

void fit_star_to_arrival_runway() {
    if (sel_star.empty() || sel_star == "------") return;
    find_star_index(sel_star);
    if (sel_star_index < 1) return;
    find_star_runway();
    insert_star_appr_legs();
}

void insert_sid_legs() {
    insert_sid(working_target());
}

void insert_star_appr_legs() {
    insert_star(working_target());
}

void insert_sid_legs_active() {
    insert_sid(active_target());
}

void insert_star_legs_active() {
    insert_star(active_target());
}
