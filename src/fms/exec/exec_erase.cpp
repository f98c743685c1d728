#include "fms/exec/exec_erase.h"

#include "data/airport_procedures.h"
#include "data/module_settings.h"
#include "fms/exec/exec_cursors.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/guidance/route_progress.h"
#include "fms/nav/fix_info.h"
#include "fms/nav/radio_autotune.h"
#include "fms/perf/flown_route.h"
#include "fms/perf/profile_prediction.h"
#include "fms/perf/speed_targets.h"
#include "fms/perf/vnav.h"
#include "fms/perf/vnav_cursors.h"
#include "fms/perf/vnav_phase.h"
#include "fms/plan/active_leg.h"
#include "fms/plan/airways.h"
#include "fms/plan/entry_marks.h"
#include "fms/plan/flight_log.h"
#include "fms/plan/gns_choices.h"
#include "fms/plan/holds.h"
#include "fms/plan/plan_edit.h"
#include "fms/plan/plan_editing.h"
#include "fms/plan/plan_legs.h"
#include "fms/plan/route_exec.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/plan/route_values.h"
#include "fms/plan/selection_texts.h"
#include "fms/plan/update_state.h"
#include "fms/plan/vertical_state.h"
#include "fms/procedures/active_runways.h"
#include "fms/procedures/airport_detail.h"
#include "fms/procedures/airport_selection.h"
#include "fms/procedures/plan_parts.h"
#include "fms/procedures/procedure_selection.h"
#include "fms/units/c17_cdu_text.h"
#include "fms/units/cdu_text.h"
#include "fms/units/gns_page_state.h"
#include "fms/units/gns_unit_state.h"
#include "fms/units/mcu_page_state.h"
#include "sim/aircraft_state.h"
#include "sim/key_events.h"
#include "sim/panel_services.h"

#include <algorithm>
#include <cstdio>

PlanCursor legs_edit_cursor{CursorPlan::Working, CursorRule::Stays};
const PlanCursor& legs_edit_index = legs_edit_cursor;
int legs_map_step = 0;
const int& smiths_legs_map_step = legs_map_step;

namespace {

const char* const kNone = "------";

void drop_saved_values() {
    forget_executed_performance();
    if (legs_edit_index > 0) legs_edit_cursor.move_to(0);
    direct_to_entered = 0;
}

// A departure runway entered outside the departure pages becomes the chosen one.
void execute_selections() {
    if (ChoicesEdit(working_plan)->adopt_pending_departure_runway()) departure_runway_changed = 1;
}

void start_flight_log() {
    last_clock_second = -99.0;
    flight_elapsed_seconds = 0.0;
    flight_phase = kFlightPhaseStartLog;
    write_flight_log(kFlightLogPeriodic);
}

void update_destination(int old_state) {
    const std::string ident = active_plan[active_plan_last].ident;
    if (old_state < kRouteStateActive) {
        select_airport(ident, kSelectAirportDestination);
        clear_fix_info(0);
    }
    // The other units load airports' detail into the same slot: detail found
    // there for this airport is what its arrival was chosen on.
    const bool detail_here = airport_slots[destination_slot].airport_ident == ident;
    if (detail_here) loaded_destination_ident = ident;
    if (old_state == kRouteStateActiveModified && !destination_airport_ident.empty()) {
        destination_airport_ident.clear();
        select_airport(ident, kSelectAirportDestination);
    }
    // The same airport again, or the one the arrivals were chosen for, keeps
    // the arrival chosen, with its detail back where another airport's was
    // put meanwhile (a GNS direct-to a nearby airport).
    const bool chosen_for_it = ident == arrival_choice_airport;
    ChoicesEdit(working_plan)->arrival_choice_airport.clear();
    if (ident == loaded_destination_ident || chosen_for_it) {
        loaded_destination_ident = ident;
        if (!detail_here) load_airport_detail(ident, destination_slot);
        return;
    }
    loaded_destination_ident = ident;
    load_airport_detail(loaded_destination_ident, destination_slot);
    // The executed choices go too, or ERASE would bring back the old airport's.
    ChoicesEdit(working_plan)->clear_arrival();
    {
        const PlanEdit edit(active_target(), "the destination's choices cleared");
        ChoicesEdit(edit)->clear_arrival();
    }
}

void update_origin(int old_state) {
    const std::string ident = active_plan[0].ident;
    if (old_state < kRouteStateActive) {
        select_airport(ident, kSelectAirportOrigin);
        // The MCU airport page opens on the origin. What the MCU pilot typed,
        // and an ENTER not yet acted on, are the MCU's: they stay.
        mcu_airport_text_a = airport_elevation_text;
        mcu_airport_text_b = selected_airport_ident;
        if (McuShowActiveRwys == 1) query_active_runways_ipc(selected_airport_ident);
        airport_runway_first_row = 1;
        mcu_apt_top = 1;
        airport_page_refresh = 1;
        if (aircraft_state.ground_speed_kt < 5.0) start_flight_log();
    }
    if (!origin_airport_ident.empty()) {
        loaded_origin_ident = origin_airport_ident;
        origin_airport_ident.clear();
        if (old_state == kRouteStateActive) select_airport(ident, kSelectAirportOrigin);
    }
    if (ident == loaded_origin_ident) return;
    loaded_origin_ident = ident;
    // Detail found in the slot for this airport is what the departure of the
    // plan executed was chosen on (its DEPARTURES page loaded it): the choice
    // stays with the SID's legs it built. Another airport's choices go.
    if (airport_slots[origin_slot].airport_ident != ident) {
        load_airport_detail(loaded_origin_ident, origin_slot);
        ChoicesEdit(working_plan)->clear_departure();
        const PlanEdit edit(active_target(), "the origin's choices cleared");
        ChoicesEdit(edit)->clear_departure();
    }
    climb_speed_target = climb_speed_base;
    cruise_speed_target = cruise_speed_base;
    descent_speed_target = descent_speed_base;
    // A new origin starts without holds.
    clear_holds();
}

// The approach record and runway of the approach chosen now. A runway text
// that a plan loaded and thrown away has cleared still finds the approach by
// name.
void match_approach() {
    match_approach_record(working_plan.choices());
}

// A plan loaded for the modification put its own airports' detail in the
// origin and destination slots; the active route's airports come back.
void restore_active_airports() {
    if (route_state < kRouteStateActive || active_plan_last < 1) return;
    const RouteWaypoint& origin = active_plan[0];
    if (origin.type == "APT") {
        route_origin_ident = departure_origin_ident = origin.ident;
        if (airport_slots[origin_slot].airport_ident != origin.ident) {
            load_airport_detail(origin.ident, origin_slot);
            match_sid_transition(kNone, kNone);
        }
    }
    const RouteWaypoint& destination = active_plan[active_plan_last];
    if (destination.type == "APT") {
        route_destination_ident = arrival_destination_ident = destination.ident;
        if (airport_slots[destination_slot].airport_ident != destination.ident) {
            load_airport_detail(destination.ident, destination_slot);
            match_star_transition(kNone, kNone);
        }
    } else {
        // A flown route that ends at a fix has no destination to show.
        route_destination_ident = arrival_destination_ident = kNone;
    }
}

void command_vertical_targets(int old_state) {
    if (vnav_engaged == 1 && old_state == kRouteStateActiveModified) {
        // A modified route commands its targets afresh.
        call_for_vnav_targets(VnavReason::RouteChanged, kBothTargets);
        if (VnavSetSpd == 2) VnavSetSpd = 1;
        vnav_speed_refresh = 1;
        commanded_altitude_ft = kNotCommanded;
        commanded_speed_kt = kNotCommanded;
    }
    plan_cruise_altitude = 0;
    distance_to_to_nm = 999.0; // not computed until the next pass
}

// Whether active entry i is at the fix `ref` names.
bool flown_fix_at(int i, const EntryRef& ref) {
    if (i < 0 || i > active_plan_last) return false;
    const RouteWaypoint& w = active_plan[i];
    return w.ident == ref.ident && w.lat == ref.lat && w.lon == ref.lon;
}

// The working plan in place of the flown one. The aircraft stays on its leg
// (the edit's own rule) but for a first activation and a new plan on the
// ground, which start at the first leg, a new plan in the air, whose entries
// are all new and which finds the leg by its fixes, and a direct-to, which
// flies to the fix it chose. True when the TO followed the leg.
bool put_working_plan_in_place(bool direct_to, int direct_fix) {
    // An airway still waiting for its exit is flown as the gap it is.
    close_open_airways(working_target());
    const PlanTarget t = active_target();
    PlanEdit edit(t, "EXEC");
    const bool new_plan = to_waypoint_index == kNoToWaypoint || working_plan_new == 1;
    replace_plan(t, working_plan, working_plan_last);
    hold_list_commit_working_index();
    gns_direct_to_flag = 0;
    // Taken from the working plan's cursor, by index.
    edit.place(constraint_waypoint_index, constraint_waypoint_index.held_index());
    if (new_plan) edit.keep_cursors();
    int to = -1;
    if (new_plan) {
        to = 1;
        // In the air a route typed anew goes on from where the aircraft is:
        // past the fix last passed when the new route has it, else to the
        // fix flown to, else from its first leg.
        if (!standing_on_ground()) {
            // A fix the route meets twice is found by its place: the leg where
            // it stood, when the new route has it there too.
            const ActiveLeg& leg = edit.leg_before();
            const bool same_place = leg.to_index >= 1 && flown_fix_at(leg.to_index, leg.to) &&
                                    flown_fix_at(leg.to_index - 1, leg.from);
            const int ahead =
                to_after_edit(leg, active_plan, active_plan_last, same_place ? leg.to_index : 1);
            if (ahead != kNoToWaypoint) to = ahead;
        }
    } else if (direct_fix >= 1) {
        to = direct_fix;
    } else if (direct_to || route_state < kRouteStateActive) {
        to = std::min(to_waypoint_index, active_plan_last);
    }
    // A plan that starts with a gap (a saved one may) flies to the place
    // behind it at once, not only from the next pass.
    if (to >= 0) edit.set_to(flown_place(active_plan, to, active_plan_last));
    working_plan_new = 0;
    return to < 0;
}

} // namespace

void take_up_flown_airports() {
    if (active_plan_last < 1) return;
    const RouteWaypoint& origin = active_plan[0];
    if (origin.type == "APT") {
        if (airport_slots[origin_slot].airport_ident != origin.ident) {
            load_airport_detail(origin.ident, origin_slot);
            match_sid_transition(kNone, kNone);
        }
        loaded_origin_ident = origin.ident;
        route_origin_ident = departure_origin_ident = origin.ident;
        if (active_sel.departure_airport != origin.ident) {
            active_sel.departure_airport = origin.ident;
            active_sel.procedures.clear_departure();
        }
    }
    const RouteWaypoint& destination = active_plan[active_plan_last];
    if (destination.type != "APT") return;
    if (airport_slots[destination_slot].airport_ident != destination.ident) {
        load_airport_detail(destination.ident, destination_slot);
        match_star_transition(kNone, kNone);
    }
    loaded_destination_ident = destination.ident;
    route_destination_ident = arrival_destination_ident = destination.ident;
    if (active_sel.arrival_airport != destination.ident) {
        active_sel.arrival_airport = destination.ident;
        active_sel.procedures.clear_arrival();
    }
}

void match_loaded_approach() {
    // The units' choices in progress stay: only the record is the flown plan's.
    match_approach_record(active_plan.choices());
}

namespace {

// A plan saved with its approach holds the approach's legs as plain fixes
// before the destination (the file keeps no kind for them): marked as the
// approach's, they are the arrival the rebuild replaces, not en-route fixes
// the approach would be flown after a second time. Only where the plan's
// last fix is the approach's final one: a route that merely ends at one of
// its fixes keeps it.
void mark_saved_approach_legs(PlanEdit& edit, const PlanChoices& chosen,
                              const AirportProcedures& destination) {
    PreviewLegs preview;
    approach_legs_for(chosen, preview);
    std::string final_fix;
    for (int i = 1; i <= preview.count() && preview[i].role != "MAP"; ++i)
        final_fix = preview[i].fix;
    const int last = edit.last();
    if (final_fix.empty() || last < 2 || !edit[last - 1].kind.empty() || edit[last - 1].ident != final_fix)
        return;
    const auto approach_fix = [&](const std::string& ident) {
        for (int a = 1; a <= destination.approaches.count(); ++a) {
            const ProcedureRecord& approach = destination.approaches[a];
            if (approach.second_text != chosen.approach) continue;
            for (int l = 1; l <= approach.legs.count(); ++l)
                if (approach.legs[l].fix == ident) return true;
        }
        return false;
    };
    // Back to the gap in front of the approach, where there is one: a fix
    // before it is the route's, also one the approach has.
    for (int i = last - 1; i >= 1; --i) {
        const RouteWaypoint& w = edit[i];
        if (entry_kind(w) != EntryKind::Place || !w.kind.empty() || !w.via.empty() || w.type == "APT" ||
            !approach_fix(w.ident))
            break;
        edit.entry(i).kind = "APPR";
    }
}

// The approach's transition the saved legs fly: of the approach's
// transitions, the one whose legs stand in the plan just before its
// destination, the longest where more do; none where only the approach's own
// legs do. The file names the approach and runway alone.
std::string saved_approach_transition(const RoutePlan& plan, const PlanChoices& chosen) {
    const int last = plan.last();
    const auto flown_in_plan = [&](const PlanChoices& c) {
        PreviewLegs preview;
        approach_legs_for(c, preview);
        std::vector<std::string> fixes;
        for (int i = 1; i <= preview.count() && preview[i].role != "MAP"; ++i)
            fixes.push_back(preview[i].fix);
        const int n = static_cast<int>(fixes.size());
        if (n == 0 || n > last - 1) return 0;
        for (int k = 0; k < n; ++k)
            if (plan[last - n + k].ident != fixes[static_cast<std::size_t>(k)]) return 0;
        return n;
    };
    std::vector<std::string> names = iaf_names(chosen.approach, chosen.applied_arrival_runway);
    for (int i = std::max(last - 12, 1); i < last; ++i)
        names.push_back(plan[i].ident);
    std::string best = kNone;
    int longest = flown_in_plan(chosen);
    for (const std::string& name : names) {
        if (name == kNone || name == "---" || name == best) continue;
        PlanChoices c = chosen;
        c.choose_approach_transition(name);
        const int n = flown_in_plan(c);
        if (n > longest) {
            longest = n;
            best = name;
        }
    }
    return best;
}

} // namespace

void take_up_file_approach(const PlanTarget& t) {
    std::string words = approach_info;
    approach_info.clear();
    const int last = t.plan().last();
    if (words.empty() || last < 1 || t.plan()[last].type != "APT") return;
    const AirportProcedures& destination = airport_slots[destination_slot];
    if (destination.airport_ident != t.plan()[last].ident) return;
    for (char& c : words)
        if (c == '_') c = ' ';
    char name[30] = {};
    char runway[30] = {};
    // Name and runway, 29 characters at most each.
    if (std::sscanf(words.c_str(), "%29s %29s", name, runway) < 1) return;
    // The approach of that name for the file's runway, else the first of
    // that name; one the airport does not have is no choice at all.
    int found = 0;
    for (int i = 1; i <= approach_fix_list.count(); ++i) {
        const ApproachFixEntry& entry = approach_fix_list[i];
        if (entry.approach_name != name) continue;
        if (found == 0 || entry.runway == runway) found = i;
        if (entry.runway == runway) break;
    }
    if (found == 0) return;
    const ApproachFixEntry& entry = approach_fix_list[found];
    PlanChoices chosen = t.plan().choices();
    chosen.choose_approach(entry.approach_name, entry.runway, destination);
    chosen.choose_approach_transition(saved_approach_transition(t.plan(), chosen));
    {
        PlanEdit edit(t, "a file's approach");
        *ChoicesEdit(edit) = chosen;
        mark_saved_approach_legs(edit, chosen, destination);
    }
    // Legs passed before it (another approach's, flown before this one was
    // chosen) stay as saved too; a file without them gets them built.
    if (!take_saved_approach_legs(t, chosen)) rebuild_arrival(t, chosen, true);
}

bool route_modification_executable() {
    if (working_plan_last < 1) return false;
    if (route_state == kRouteStateActivated) return true;
    if (route_state != kRouteStateActiveModified) return false;
    for (int i = 1; i <= working_plan_last; ++i)
        if (!is_unflown(working_plan[i])) return true;
    return false;
}

void execute_route_modification() {
    if (!destination_airport_ident.empty()) {
        route_destination_ident = destination_airport_ident;
        arrival_destination_ident = destination_airport_ident;
    }
    reset_active_route_state();
}

void reset_active_route_state() {
    vertical_target_cursor.move_to(constraint_waypoint_index == 0 ? working_plan_last : working_edit_index);
    if (pending_hold_delete_index > 0) delete_hold(pending_hold_delete_index, kHoldQuiet);
    // A direct-to flies to the leg it chose: a fix typed in goes in at the
    // TO index.
    const bool direct_to = smiths_legs_mode != kLegsModeList;
    const int direct_fix = direct_to && direct_to_entered == 1 && legs_edit_index >= 1 &&
                                   legs_edit_index <= working_plan_last &&
                                   !is_route_marker(working_plan[legs_edit_index])
                               ? legs_edit_index
                               : -1;
    // The cruise altitude the route flew before this modification.
    const int executed_cruise = executed_performance_kept ? previous_cruise_altitude : cruise_altitude;
    drop_saved_values();
    if (direct_to) smiths_legs_mode = kLegsModeList;
    if (to_waypoint_index != kNoToWaypoint) legs_map_step = to_waypoint_index;
    execute_selections();
    if (route_state < kRouteStateActive) {
        airport_runway_selected_line = kNoRunwayLine;
        mcu_airport_list_index = kNoSelectionIndex;
    }
    mcu_direct_only = 0;

    if (working_plan_last >= 1) {
        const ActiveLeg before = active_leg();
        if (put_working_plan_in_place(direct_to, direct_fix)) legs_map_step = to_waypoint_index;
        if (direct_to) mark_passed_by_direct_to(before, to_waypoint_index);

        if (LnavSetEnRouteFreqs == 1 && lnav_engaged == 1) autotune_leg_radios(kAutotuneRouteAhead);
        if (SetWptBaro == 1) trigger_key_event(kKeyAltimeterSetting, 0);
        if (active_plan[active_plan_last].type == "APT") update_destination(route_state);
        if (active_plan[0].type == "APT") update_origin(route_state);
        take_up_flown_airports();
        match_approach();

        if (plan_cruise_altitude > 0) cruise_altitude = plan_cruise_altitude;
        const int old_state = route_state;
        route_state = kRouteStateActive;
        if (old_state < kRouteStateActive) {
            // A route activated anew starts its profile in the climb.
            vnav_transition(VnavTransition::Restart);
            descent_speed_phase = kDescentSpeedPhaseOff;
        } else if (vnav_phase == VnavPhase::Cruise && cruise_altitude > executed_cruise &&
                   cruise_altitude - aircraft_state.indicated_altitude_ft >= 150.0) {
            // A higher level executed in the cruise is climbed to (a route
            // entered in flight took the level flown as its cruise altitude).
            vnav_transition(VnavTransition::ClimbAgain);
        }
        make_profile_again();
        command_vertical_targets(old_state);
    }
    // The executed plan keeps the choices it was made with, its approach as
    // matched (a file's included): what ERASE brings back. A new plan not yet
    // begun is no plan to fly: what was chosen for it waits with it.
    if (working_plan_last >= 0) {
        const PlanEdit edit(active_target(), "EXEC's choices");
        *ChoicesEdit(edit) = working_plan.choices();
    }
    // From the present position to the fix now flown to.
    if (direct_to) start_direct_to();
}

void erase_route_modification() {
    origin_airport_ident.clear();
    destination_airport_ident.clear();
    restore_active_airports();
    // The approach of a plan loaded for the modification goes with it.
    approach_info.clear();
    // The choices of the modification go with it, a pending runway and an
    // approach's included: the plan's are the executed ones again.
    *ChoicesEdit(working_plan) = active_plan.choices();
    if (smiths_cdu_page == kPageDepartures) {
        match_sid_transition(kNone, kNone);
        find_sid(kNone);
    }
    departure_runway_changed = 0;
    if (smiths_cdu_page == kPageArrivals) {
        match_star_transition(kNone, kNone);
        find_star(kNone);
    }
    smiths_legs_mode = kLegsModeList;
    pending_hold_delete_index = 0;

    restore_executed_performance();

    if (route_state == kRouteStateActiveModified) route_state = kRouteStateActive;
    legs_edit_cursor.move_to(0);
    direct_to_entered = 0;
    working_plan_new = 0;

    // Holds not yet executed go with the working plan; deleted ones come
    // back (copy_active_plan_to_working).
    copy_active_plan_to_working();
    build_route_rows();
}

const char* modification_ended_text(PlanUnit by) {
    switch (by) {
    case PlanUnit::Gns:
        return "MOD ERASED: GNS EDIT";
    case PlanUnit::Mcu:
        return "MOD ERASED: MCU EDIT";
    default:
        return "";
    }
}

namespace {

// The plans' rule between units erases a modification another unit's edit
// ends; ERASE lives here, above the plans.
[[maybe_unused]] const bool eraser_given = (set_modification_eraser(&erase_route_modification), true);

// The C-17 CDU, whose edits are made here, says on its message line that its
// modification was ended.
void c17_hears(PlanEvent event, PlanUnit by) {
    if (event == PlanEvent::ModificationEnded) c17_scratchpad_message = modification_ended_text(by);
}
[[maybe_unused]] const bool c17_listening = (listen_to_plan_events(PlanUnit::C17, &c17_hears), true);

} // namespace

void delete_waypoint_fms(int index, int force) {
    delete_waypoint(index, force, c17_scratchpad_message);
    // The C-17 CDU deletes without an EXEC step.
    reset_active_route_state();
}
