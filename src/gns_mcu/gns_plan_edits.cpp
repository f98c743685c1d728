#include "gns_mcu/gns_plan_edits.h"

#include "fms/exec/exec_erase.h"

#include "data/aircraft_settings.h"
#include "data/airport_procedures.h"
#include "data/module_settings.h"
#include "fms/exec/exec_erase.h"
#include "fms/fms_update.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/nav/radio_autotune.h"
#include "fms/perf/profile_prediction.h"
#include "fms/perf/speed_targets.h"
#include "fms/plan/candidate_list.h"
#include "fms/plan/entry_marks.h"
#include "fms/plan/flight_log.h"
#include "fms/plan/fuel_loading.h"
#include "fms/plan/holds.h"
#include "fms/plan/plan_editing.h"
#include "fms/plan/plan_legs.h"
#include "fms/plan/route_exec.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/plan/route_values.h"
#include "fms/plan/vertical_state.h"
#include "fms/procedures/airport_detail.h"
#include "fms/procedures/airport_selection.h"
#include "fms/procedures/plan_parts.h"
#include "fms/procedures/procedure_legs.h"
#include "fms/procedures/procedure_selection.h"
#include "fms/units/mcu_page_state.h"
#include "gns_mcu/gns_cursors.h"
#include "sim/aircraft_state.h"
#include "sim/sim_var_reader.h"

namespace {

// The procedure whose legs an edit made ordinary is chosen no more: the
// plan's choices and the GNS's copy of them say what its legs are, so a
// later choice builds its part around the ordinary legs instead of
// bringing the procedure back beside them.
void let_go(const GnsPlanRef& p, PlanEdit& edit, void (*drop)(PlanChoices&)) {
    drop(p.sel.procedures);
    if (p.active) drop(*ChoicesEdit(edit));
}

void drop_sid(PlanChoices& c) {
    c.sid = c.sid_transition = c.applied_sid_transition = kGnsNone;
}

void drop_star(PlanChoices& c) {
    c.star = c.star_transition = c.applied_star_transition = kGnsNone;
}

void drop_approach(PlanChoices& c) {
    c.clear_approach();
}

// Editing at a procedure waypoint makes the whole procedure part ordinary.
void clean_procedure_kinds(const GnsPlanRef& p, int c, PlanEdit& edit) {
    auto rewrite = [&](const char* from, const char* to) {
        for (int i = 1; i <= p.last; ++i)
            if (p.plan[i].kind == from) edit.entry(i).kind = to;
    };
    const std::string& kind = p.plan[c].kind;
    if (kind == "SID" || kind == "SIDSTAR") {
        rewrite("SID", "");
        rewrite("SIDSTAR", "STAR");
        let_go(p, edit, drop_sid);
    }
    if (p.plan[c].kind == "STAR" || p.plan[c].kind == "SIDSTAR") {
        rewrite("STAR", "");
        rewrite("SIDSTAR", "SID");
        let_go(p, edit, drop_star);
    }
    if (p.plan[c].kind == "APPR") {
        rewrite("APPR", "");
        let_go(p, edit, drop_approach);
    }
}

// A plan that ends at another airport takes it as its destination: its
// procedures are loaded and the arrival selection is forgotten. Where the
// edit gave the plan another destination than `before`, the old one goes
// with its STAR, approach and the gap between them, as a destination typed
// on the CDU does. True when the destination changed.
bool arrival_check(const GnsPlanRef& p, const std::string& before) {
    if (p.last <= 0) return false;
    const RouteWaypoint& end = p.plan[p.last];
    if (end.type != "APT" || end.ident == p.sel.arrival_airport) return false;
    p.sel.arrival_airport = end.ident;
    load_airport_detail(end.ident, destination_slot);
    p.sel.procedures.clear_arrival();
    if (end.ident != before) {
        PlanEdit edit(p.target, "a GNS destination");
        // The flown plan carries its choices; a stored plan open keeps them
        // in the GNS's own selection.
        if (p.active) ChoicesEdit(edit)->clear_arrival();
        rebuild_arrival_for_new_destination(p.target, p.active ? p.plan.choices() : p.sel.procedures, false,
                                            before);
    }
    return true;
}

void departure_check(const GnsPlanRef& p, int c) {
    const RouteWaypoint& origin = p.plan[0];
    if (origin.type != "APT") return;
    if (p.active) {
        if (origin.ident == active_sel.departure_airport) return;
    } else if (c != 0) {
        return;
    }
    p.sel.departure_airport = origin.ident;
    load_airport_detail(origin.ident, origin_slot);
    p.sel.procedures.clear_departure();
    if (!p.active) gns_departure_preview = 0;
}

// The cursor mark moves one row down with the waypoint it stood on.
void move_cursor_mark() {
    struct Step {
        GnsToggle from_key;
        int from;
        GnsToggle to_key;
        int to;
    };
    constexpr Step kSteps[] = {{GNS_L1, 1, GNS_L2, 1}, {GNS_L2, 1, GNS_L2, 2}, {GNS_L2, 2, GNS_L3, 1},
                               {GNS_L3, 1, GNS_L3, 2}, {GNS_L3, 2, GNS_L4, 1}, {GNS_L4, 1, GNS_L1, 1}};
    for (const Step& s : kSteps) {
        if (gns_toggle(s.from_key) != s.from) continue;
        gns_toggle(s.from_key) = kGnsToggleIdle;
        gns_toggle(s.to_key) = s.to;
        if (s.from_key == GNS_L4) ++gns_active_page;
        return;
    }
}

// The hold on entry c goes.
void drop_hold_at(const GnsPlanRef& p, int c) {
    for (int slot = 1; slot <= hold_count(); ++slot) {
        const HoldEntry& h = hold_list[slot];
        if ((p.active ? h.active_index() : h.working_index()) == c) {
            remove_hold(slot);
            return;
        }
    }
}

// A database waypoint written over the slot an insertion opened, which holds
// a copy of the entry that moved up. The new entry takes nothing of that
// entry (its constraints, course, hold and passing time stay with it), only
// the slot's position text.
void write_candidate(PlanEdit& edit, int c, const NavListRecord& candidate) {
    RouteWaypoint fresh = entry_from_candidate(candidate);
    fresh.flyover = gns_flyover_choice == "YES" ? 1 : 0;
    edit.write(c, fresh);
}

void clear_all_selections() {
    active_sel = GnsChoices{};
    working_sel = GnsChoices{};
}

} // namespace

RouteWaypoint present_position_entry() {
    RouteWaypoint w;
    w.ident = "DIRECT";
    w.lat = aircraft_state.plat;
    w.lon = aircraft_state.plon;
    w.type = "WPT";
    w.kind = "DCT";
    return w;
}

GnsPlanRef gns_plan_in_view() {
    if (gns_sub_state == kGnsSubStateActivePlan)
        return GnsPlanRef{active_target(),         active_plan, active_plan_last,
                          gns_selected_wpt_cursor, active_sel,  true};
    return GnsPlanRef{working_target(), working_plan, working_plan_last, working_cursor, working_sel, false};
}

void gns_mark_plan_end(PlanEdit& edit) {
    if (edit.last() < kPlanLastIndex) make_marker(edit.entry(edit.last() + 1), EntryKind::EndMark);
}

bool gns_delete_at_cursor(const GnsPlanRef& p) {
    const int c = p.cursor;
    if (c < 0 || c > p.last) return false;
    const std::string destination = p.plan[p.last].ident;
    {
        // The aircraft stays on its leg; with no leg left no route is flown.
        PlanEdit edit(p.target, "a GNS deletion");
        clean_procedure_kinds(p, c, edit);
        if (c == 0 && p.active && to_waypoint_index == 1) {
            // The origin under the first leg: the TO stays on its fix, flown
            // from where the aircraft is, as after a direct-to.
            write_entry(p.target, 0, present_position_entry());
            edit.set_to(1);
        } else {
            // With the origin deleted the next waypoint becomes the origin,
            // which is flown from and never held at.
            if (c == 0) drop_hold_at(p, 1);
            remove_entry(p.target, c);
        }
        gns_mark_plan_end(edit);
        gns_scratchpad = p.plan[c].ident;
        // The row stays open on the waypoint that moved up into it.
        if (p.active) edit.place(gns_entry_fix, c);
        arrival_check(p, destination);
    }
    if (p.active) release_lnav_without_route();
    gns_delete_request = 0;
    return true;
}

bool gns_insert_candidate(const GnsPlanRef& p, int k) {
    const int c = p.cursor;
    // The new waypoint and the end mark behind it must fit in entries 0..200.
    if (p.last + 2 > kPlanLastIndex || c < 0 || c > p.last + 1) return false;
    if (k < 1 || k > candidate_list().count()) return false;
    const NavListRecord candidate = candidate_list()[k];

    const int to_before = to_waypoint_index;
    const std::string destination = p.last >= 0 ? p.plan[p.last].ident : "";
    {
        // An entry put in between the FROM and the TO is flown next.
        PlanEdit edit(p.target, "a GNS insertion");
        if (c <= p.last) clean_procedure_kinds(p, c, edit);
        open_slot(p.target, c);
        write_candidate(edit, c, candidate);
        const int id = p.plan[c].id;
        departure_check(p, c);
        if (arrival_check(p, destination) && p.active) {
            select_airport(p.plan[p.last].ident, kSelectAirportDestination);
            destination_airport_state = kDestinationAirportStateLoaded;
            mcu_airport_text_a = airport_elevation_text;
            mcu_airport_text_b = selected_airport_ident;
        }
        // A new destination took the old one's arrival with it: the new
        // entry may stand further up.
        int at = c;
        for (int i = 0; i <= p.last; ++i)
            if (p.plan[i].id == id) at = i;
        gns_mark_plan_end(edit);
        edit.place(p.cursor, at + 1);
        edit.place(working_cursor_index, at + 1);
        gns_scratchpad = p.plan[at + 1].ident;
    }
    gns_flyover_choice = "NO";
    gns_fpl_option = gns_fpl_option_default;
    gns_state = GNS_FLIGHT_PLAN;
    // The active view starts at the FROM waypoint: when the TO index moved
    // with its waypoint, the rows moved up one and the cursor's waypoint is
    // still on the marked row.
    if (!(p.active && to_waypoint_index != to_before)) move_cursor_mark();
    gns_entry_active = 1;
    gns_entry_fresh = 1;
    return true;
}

void gns_activate_opened_plan() {
    // A new plan, flown from entry 1.
    PlanEdit edit(active_target(), "a GNS plan activated");
    forget_profile_points();
    plan_marks.clear_passing_times();
    const int last = working_plan_last;
    edit.set_last(last);
    for (int i = 0; i <= last; ++i) {
        const RouteWaypoint& from = working_plan[i];
        RouteWaypoint& to = edit.entry(i);
        to.ident = from.ident;
        to.lat = from.lat;
        to.lon = from.lon;
        to.flyover = from.flyover;
        to.type = from.type;
        to.frequency = from.frequency;
        to.aux_text = from.aux_text;
        to.kind = from.kind;
        to.via = from.via;
        to.speed_constraint = from.speed_constraint;
        // A constraint the opened plan holds (a procedure's or the pilot's)
        // goes with it; an unconstrained altitude is only a prediction.
        to.alt_constraint = from.altitude_kind != AltitudeKind::None ? from.alt_constraint : kNoConstraint;
        to.altitude_kind = from.altitude_kind;
        to.id = from.id;
        to.marker = from.marker;
    }

    // A gap where the pilot deleted the plan's first leg is no fix to fly
    // to: the TO is the first fix after it.
    int first = 1;
    while (first < edit.last() && entry_kind(edit[first]) != EntryKind::Place)
        ++first;
    edit.set_to(first);
    if (LnavSetEnRouteFreqs == 1) autotune_leg_radios(kAutotuneRouteAhead);
    descent_speed_target = descent_speed_default;
    cruise_speed_target = cruise_speed_default;
    direct_to_active = 0;
    route_state = kRouteStateActive;
    // In place now: nothing of the loaded plan waits for EXEC.
    working_plan_new = 0;
    hold_armed = 0;
    // The holds belonged to the plan this one replaces.
    clear_holds();
    takeoff_time_text = "-----";
    airport_runway_selected_line = kNoRunwayLine;
    fuel_on_board_low_lb = 0.0;
    // The per-route values a route-file load resets besides the fuel.
    intercept_armed = 0;
    payload_read_flag = 0.0;

    // The MCU's typed entry is the MCU pilot's: a plan put in place here
    // leaves it, as it leaves the MCU's list.
    destination_airport_state = kDestinationAirportStateToLoad;
    mcu_direct_only = 0;
    gns_toggle(GNS_R5) = kGnsToggleIdle;
    gns_sub_state = kGnsSubStateActivePlan;
    gns_active_page = 1;
    gns_active_page_count = (active_plan_last + 5) / 6;
    // It flies its own procedures, those chosen on it while it was open and
    // those its legs name; none of the plan it replaces.
    PlanChoices chosen = working_sel.procedures;
    chosen.take_procedures_of(working_plan);
    // The approach whose legs it holds (a file's), where none was chosen on it.
    const PlanChoices& held = working_plan.choices();
    if (chosen.approach == kGnsNone && held.approach != kGnsNone) {
        chosen.approach = held.approach;
        chosen.approach_transition = held.approach_transition;
        chosen.arrival_runway = held.arrival_runway;
        chosen.applied_arrival_runway = held.applied_arrival_runway;
    }
    *ChoicesEdit(edit) = chosen;
    clear_all_selections();

    const RouteWaypoint& destination = active_plan[last];
    if (destination.type == "APT") {
        load_airport_detail(destination.ident, destination_slot);
        // Makes the destination the selected one and puts its elevation on the
        // last entry.
        select_airport(destination.ident, kSelectAirportDestination);
        match_star_transition(kGnsNone, kGnsNone);
        edit.place(constraint_waypoint_index, last);
        vertical_target_lat = destination.lat;
        vertical_target_lon = destination.lon;
        cruise_altitude = plan_cruise_altitude;
        predict_profile(cruise_altitude > 0 ? cruise_altitude : 0, kProfilePointsOnly);
        if (LoadFuelonFlightPlanLoad == 1 && planned_fuel > 0.0) load_fuel(planned_fuel);
        edit.place(mcu_legs_index, 1);
        tower_view_set = 0;
        if (aircraft_state.ground_speed_kt < 5.0) {
            flight_phase = kFlightPhaseStartLog;
            write_flight_log(kFlightLogPeriodic);
            last_clock_second = -99.0;
            flight_elapsed_seconds = 0.0;
        }
    }

    const RouteWaypoint& origin = active_plan[0];
    if (origin.type == "APT") {
        load_airport_detail(origin.ident, origin_slot);
        match_sid_transition(kGnsNone, kGnsNone);
        select_airport(origin.ident, kSelectAirportOrigin);
        mcu_airport_text_a = airport_elevation_text;
        mcu_airport_text_b = selected_airport_ident;
    }
    // As EXEC records them: a later EXEC of the same airports keeps the
    // choices made on them meanwhile.
    take_up_flown_airports();
    // A file's approach goes with its plan, as through EXEC.
    if (destination.type == "APT") match_loaded_approach();
    reset_page_toggles();
}
