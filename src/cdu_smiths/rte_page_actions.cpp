// What the RTE page's keys do with the scratchpad: origin, company route,
// runway and destination on sub-page 1; airways (VIA) and waypoints (TO) on
// the route rows. Every check comes before the plan is changed; a refused
// entry leaves the scratchpad and shows one message.
#include "cdu_smiths/arrival_page_state.h"
#include "cdu_smiths/rte_page.h"
#include "cdu_smiths/smiths_pages.h"
#include "data/airport_procedures.h"
#include "fms/exec/exec_erase.h"
#include "fms/files/flight_plan_folder.h"
#include "fms/files/route_file_load.h"
#include "fms/files/stored_routes.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/math/nav_math.h"
#include "fms/perf/vnav.h"
#include "fms/perf/vnav_phase.h"
#include "fms/plan/airways.h"
#include "fms/plan/plan_edit.h"
#include "fms/plan/plan_edit_helpers.h"
#include "fms/plan/plan_editing.h"
#include "fms/plan/route_exec.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/plan/route_values.h"
#include "fms/plan/selection_texts.h"
#include "fms/plan/update_state.h"
#include "fms/plan/vertical_state.h"
#include "fms/plan/waypoint_entry.h"
#include "fms/procedures/airport_detail.h"
#include "fms/procedures/approach_insertion.h"
#include "fms/procedures/dep_arr_selection.h"
#include "fms/procedures/plan_parts.h"
#include "fms/units/cdu_text.h"
#include "fms/units/gns_page_state.h"
#include "sim/aircraft_state.h"

namespace {

const char* const kNone = "------";

bool none(const std::string& text) {
    return text.empty() || text == kNone;
}

void refuse(const char* message) {
    smiths_scratchpad_message = message;
}

void accept() {
    smiths_scratchpad.clear();
}

// Loads the typed airport into its slot. An unknown airport leaves the slot
// with the airport it held (the load alone would empty it).
bool load_typed_airport(int slot) {
    const std::string previous = airport_slots[static_cast<std::size_t>(slot)].airport_ident;
    load_airport_detail(smiths_scratchpad, slot);
    if (airport_slots[static_cast<std::size_t>(slot)].airport_ident == smiths_scratchpad) return true;
    if (!previous.empty()) load_airport_detail(previous, slot);
    refuse("NOT IN DATABASE");
    return false;
}

void airport_entry(RouteWaypoint& entry, int slot) {
    const AirportProcedures& airport = airport_slots[static_cast<std::size_t>(slot)];
    entry.ident = airport.airport_ident;
    entry.lat = airport.airport_latitude;
    entry.lon = airport.airport_longitude;
    entry.type = "APT";
    entry.frequency.clear();
    entry.alt_constraint = airport_elevation_ft(airport.airport_ident);
}

void clear_arrival_choices() {
    arr_runway_chosen = 0;
    arr_transition_chosen = 0;
    approach_chosen = 0;
    approach_transition_chosen = 0;
}

// The page's choices start afresh with a new origin: nothing of the route
// before, nor of a file loaded for it (its approach), is the new route's.
void clear_route_choices() {
    const ChoicesEdit chosen(working_plan);
    const std::string pending_runway = chosen->pending_departure_runway;
    chosen->clear_departure();
    chosen->clear_arrival();
    chosen->pending_departure_runway = pending_runway;
    approach_info.clear();
    route_destination_ident = arrival_destination_ident = kNone;
    dep_runway_chosen = 0;
    dep_sid_state = kDepSidStateList;
    dep_transition_chosen = 0;
    arr_star_state = kArrStarStateList;
    clear_arrival_choices();
}

// An origin typed in the air over the flown route begins a new route as a
// modification: one key must not throw away what LNAV flies. The flown plan
// stays until EXEC puts the new one in place, flown on from where the
// aircraft is; ERASE brings the flown route's airports and choices back.
void begin_new_route_in_flight() {
    // A plan another unit had open there closes; the holds and a direct-to of
    // the pending change go with it first: the new route's entries leave
    // them on none.
    working_plan_taken();
    working_plan_replaced();
    smiths_legs_mode = kLegsModeList;
    direct_to_entered = 0;
    {
        PlanEdit edit(working_target(), "a new origin in flight");
        edit.set_last(1);
        clear_waypoint(edit.entry(0));
        clear_waypoint(edit.entry(1));
        airport_entry(edit.entry(0), origin_slot);
    }
    build_route_rows();
    route_origin_ident = smiths_scratchpad;
    origin_airport_ident = smiths_scratchpad;
    departure_origin_ident = smiths_scratchpad;
    destination_airport_ident.clear();
    accept();
    clear_route_choices();
    mark_route_edited();
}

void enter_origin() {
    if (!load_typed_airport(origin_slot)) return;
    if (route_state >= kRouteStateActive && !standing_on_ground()) {
        begin_new_route_in_flight();
        return;
    }
    {
        // A new plan: the origin and a destination still to be entered.
        PlanEdit edit(active_target(), "a new origin");
        clear_active_plan();
        airport_entry(edit.entry(0), origin_slot);
        edit.set_last(1);
        edit.set_to(kNoToWaypoint);
    }
    clear_working_plan();
    release_lnav_without_route();
    cruise_altitude = 0;
    copy_active_plan_to_working();
    build_route_rows();
    route_origin_ident = smiths_scratchpad;
    origin_airport_ident = smiths_scratchpad;
    departure_origin_ident = smiths_scratchpad;
    accept();
    vnav_transition(VnavTransition::Restart);
    descent_speed_phase = kDescentSpeedPhaseOff;
    clear_route_choices();
    route_state = kRouteStateNone;
}

void enter_company_route() {
    const std::string& entry = smiths_scratchpad;
    int found = 0;
    for (int i = 1; i <= stored_routes.count() && !found; ++i)
        if (stored_routes[i].name.compare(0, entry.size(), entry) == 0) found = i;
    // Origin and destination written together ("KSEAKPDX"); a shorter entry
    // names no destination.
    for (int i = 1; i <= stored_routes.count() && !found && entry.size() > 4; ++i)
        if (stored_routes[i].origin == entry.substr(0, 4) &&
            stored_routes[i].destination == entry.substr(4, 4))
            found = i;
    if (!found) {
        refuse("NOT IN DATABASE");
        return;
    }
    if (!enter_listed_company_route(found)) {
        // The reader names what it could not load; a file gone says so here.
        if (smiths_scratchpad_message.empty())
            smiths_scratchpad_message = stored_routes[found].name + " Unable to Load";
        return;
    }
    co_route_text = entry;
    // DEST shows the route the page holds, as ORIGIN does: a route not yet
    // active takes the loaded plan's destination (one flown shows it in
    // inverse video until EXEC).
    if (route_state < kRouteStateActive) {
        const RouteWaypoint& last = working_plan[working_plan_last];
        route_destination_ident = last.type == "APT" ? last.ident : kNone;
    }
    if (working_plan_last > 1) build_route_rows();
    accept();
}

void enter_runway() {
    if (none(route_origin_ident)) return;
    const AirportProcedures& origin = airport_slots[origin_slot];
    int found = 0;
    for (int i = 1; i <= origin.runways.count() && !found; ++i)
        if (origin.runways[i].designator == smiths_scratchpad) found = i;
    if (!found) {
        refuse("NOT IN DATABASE");
        return;
    }
    if (none(applied_departure_runway)) {
        choose_without_modification(&PlanChoices::choose_departure_runway, origin.runways[found].designator);
        dep_runway_chosen = 1;
        dep_runway_index = found;
        ChoicesEdit(working_plan)->pending_departure_runway = kNone;
    } else if (route_state == kRouteStateActive) {
        ChoicesEdit(working_plan)->pending_departure_runway = smiths_scratchpad;
        advance_route_state();
    } else {
        choose_without_modification(&PlanChoices::retype_departure_runway, smiths_scratchpad);
    }
    accept();
}

// A plan that ends at an airport has an arrival to drop for a new one; one
// still without its destination has none.
bool ends_at_airport() {
    return working_plan_last >= 1 && working_plan[working_plan_last].type == "APT";
}

void enter_destination() {
    if (!load_typed_airport(destination_slot)) return;
    if (route_state < kRouteStateActive) {
        int n = active_plan_last;
        {
            PlanEdit edit(active_target(), "a destination");
            // An empty plan has no origin, whatever its first slot holds.
            if (n < 0) edit.entry(0).ident.clear();
            if (edit[0].ident.empty() || n < 1) {
                n = 1;
                edit.set_last(1);
            }
            if (to_waypoint_index == kNoToWaypoint) edit.set_to(1);
            edit.place(constraint_waypoint_index, n);
            RouteWaypoint& destination = edit.entry(n);
            airport_entry(destination, destination_slot);
            destination.speed_constraint = kNoConstraint;
            destination.course = kNoConstraint;
        }
        const RouteWaypoint& to = active_plan[to_waypoint_index];
        double course = 0.0;
        gc_dist_course(aircraft_state.plat, aircraft_state.plon, to.lat, to.lon, &distance_to_to_nm, &course);
        course_to_to_deg = magnetic_course(course);
        // Waypoints already entered stay: the new destination takes the
        // working plan's last place instead of a fresh copy of the active plan.
        if (working_plan_last > n)
            write_entry(working_target(), working_plan_last, active_plan[n]);
        else
            copy_active_plan_to_working();
        ChoicesEdit(working_plan)->clear_arrival();
        if (ends_at_airport())
            rebuild_arrival_for_new_destination(working_target(), working_plan.choices(), true);
        route_destination_ident = smiths_scratchpad;
        arrival_destination_ident = smiths_scratchpad;
    } else {
        const bool flown = route_state == kRouteStateActive;
        if (flown) copy_active_plan_to_working();
        PlanEdit edit(working_target(), "a destination");
        // The old destination's STAR, approach and the gap between them go
        // with it, pending change or not.
        ChoicesEdit(working_plan)->clear_arrival();
        if (ends_at_airport())
            rebuild_arrival_for_new_destination(working_target(), working_plan.choices(), true);
        destination_airport_ident = smiths_scratchpad;
        // A route begun anew shows its own destination, the airport whose
        // arrivals the pages offer for it; ERASE brings back the flown
        // route's. A flown route's new destination shows after EXEC.
        if (working_plan_new == 1) route_destination_ident = arrival_destination_ident = smiths_scratchpad;
        if (edit.last() >= 1) {
            RouteWaypoint& destination = edit.entry(edit.last());
            airport_entry(destination, destination_slot);
            destination.speed_constraint = kNoConstraint;
            destination.course = kNoConstraint;
        }
        // The STAR deletions may already have marked the route modified.
        mark_route_edited();
    }
    ChoicesEdit(working_plan)->clear_arrival();
    accept();
    clear_arrival_choices();
}

// L6 and R6, on every sub-page.
void bottom_keys() {
    if (smiths_cdu_lsk == 11 && route_state == kRouteStateActiveModified) {
        erase_route_modification();
    } else if (smiths_cdu_lsk == 12) {
        if (route_state == kRouteStateEntered)
            advance_route_state();
        else
            smiths_cdu_page = kPagePerfInit;
    }
}

void route_changed() {
    build_route_rows();
    mark_route_edited();
    accept();
}

void via_key(int r) {
    if (smiths_scratchpad_message == "DELETE") {
        if (delete_route_row(r) == 0)
            refuse("INVALID DELETE");
        else
            smiths_scratchpad_message.clear();
        return;
    }
    if (smiths_scratchpad.empty()) return;
    RouteRowSpan previous, row;
    if (r == 1 || !route_row_span(r - 1, previous) || !route_row_span(r, row)) {
        refuse("INVALID ENTRY");
        return;
    }
    // The airway leaves from the row before: the cursor names its fix.
    PlanEdit edit(working_target(), "an airway");
    edit.place(working_cursor_index, previous.to);
    load_airway_at("#" + smiths_scratchpad, &working_plan[previous.to].ident);
    if (candidate_count() == 0 || unit_candidates().from_index <= 0) {
        refuse("INVALID ENTRY");
        return;
    }
    if (apply_airway_to_row(r) == 0 && !insert_then_leg(row.to)) {
        refuse("INVALID ENTRY");
        return;
    }
    working_plan_taken();
    route_changed();
}

// An airway's exit fix typed on its "THEN" row closes the airway there. The
// airway's fixes are read again: the list its VIA entry filled is shared with
// every lookup of every unit since.
void exit_fix(int r, const RouteRowSpan& row) {
    RouteRowSpan previous;
    int exit = 0;
    if (route_row_span(r - 1, previous)) {
        load_airway_at(working_plan[row.to].via, &working_plan[previous.to].ident);
        exit = find_candidate_index(smiths_scratchpad);
    }
    if (exit == 0 || exit == unit_candidates().from_index || unit_candidates().from_index <= 0) {
        refuse("INVALID ENTRY");
        accept();
        return;
    }
    unit_candidates().selected_index = exit;
    PlanEdit edit(working_target(), "an airway's exit");
    edit.place(working_cursor_index, previous.to);
    insert_airway_segment(working_target());
    working_plan_taken();
    remove_then_legs();
    route_changed();
}

void to_key(int r) {
    if (smiths_scratchpad_message == "DELETE") {
        refuse("INVALID DELETE");
        return;
    }
    RouteRowSpan row;
    const bool listed = r <= route_rows_last;
    if (smiths_scratchpad.empty()) {
        if (listed) smiths_scratchpad = route_rows[r].to;
        return;
    }
    if (!route_row_span(r, row) || (listed && smiths_scratchpad == route_rows[r].to)) {
        refuse("INVALID ENTRY");
        return;
    }
    // A waypoint further down: the legs before it go.
    for (int k = row.first; k <= working_plan_last; ++k)
        if (k != 0 && working_plan[k].ident == smiths_scratchpad) {
            copy_legs(row.first, k);
            return;
        }
    if (listed && route_rows[r].to == "THEN") {
        exit_fix(r, row);
        return;
    }
    waypoint_lookup_text = smiths_scratchpad;
    lookup_waypoint_entry(0, aircraft_state.plat, aircraft_state.plon);
    if (candidate_count() == 0) {
        refuse("NOT IN DATABASE");
    } else if (candidate_count() == 1) {
        if (!insert_discontinuity(row.to))
            refuse("INVALID ENTRY");
        else
            route_changed();
    } else {
        smiths_select_plan_index = r;
        smiths_select_return_page = kPageRte;
        smiths_cdu_page = kPageSelectWaypoint;
        accept();
    }
}

} // namespace

void rte_origin_dest_keys() {
    const bool entry = !smiths_scratchpad.empty();
    switch (smiths_cdu_lsk) {
    case 1:
        if (entry) enter_origin();
        break;
    case 2:
        if (entry) enter_company_route();
        break;
    case 3:
        if (entry) enter_runway();
        break;
    case 6:
        if (entry) enter_destination();
        break;
    default:
        bottom_keys();
        break;
    }
}

void rte_route_row_keys(int first_row) {
    const int code = smiths_cdu_lsk;
    if (code >= 1 && code <= 5) {
        via_key(first_row + code - 1);
    } else if (code >= 6 && code <= 10) {
        to_key(first_row + code - 6);
    } else if (code == 12 && smiths_scratchpad_message == "DELETE") {
        refuse("INVALID DELETE");
    } else {
        bottom_keys();
    }
}
