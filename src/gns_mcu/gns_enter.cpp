// The ENT key: it commits at once what the page of the current state
// prepared (the toggles, the open entry, the delete request) on the plans and
// tables of the core.
#include "data/airport_procedures.h"
#include "fms/files/gps_plan_import.h"
#include "fms/plan/airways.h"
#include "fms/plan/candidate_list.h"
#include "fms/plan/gns_choices.h"
#include "fms/plan/selection_texts.h"
#include "fms/plan/waypoint_entry.h"
#include "fms/procedures/procedure_selection.h"
#include "fms/units/gns_scratchpad.h"
#include "fms/units/gns_unit_state.h"
#include "fms/units/update_counters.h"
#include "gns_mcu/gns_airway.h"
#include "gns_mcu/gns_direct.h"
#include "gns_mcu/gns_keys.h"
#include "gns_mcu/gns_plan_edits.h"
#include "gns_mcu/gns_procedure_pages.h"
#include "gns_mcu/gns_procedure_pickers.h"
#include "gns_mcu/gns_value_pages.h"
#include "sim/aircraft_state.h"

namespace {

// The procedure selection of the plan in view into the pages' copy.
const GnsChoices& selections_in_view() {
    return gns_sub_state == kGnsSubStateActivePlan ? active_sel : working_sel;
}

// No airport yet: the airport field opens for a fresh entry.
void ask_for_airport() {
    gns_toggle(GNS_R1) = kGnsToggleFirst;
    gns_entry_active = 1;
    gns_entry_fresh = 1;
}

// The first choice list opens with its top entry highlighted.
void open_first_list() {
    gns_toggle(GNS_R2) = kGnsToggleFirst;
    gns_toggle(GNS_L3) = kGnsToggleFirst;
    gns_list_cursor = 1;
}

// The page lists the airport of the plan in view, whose detail another unit
// may have put another airport's in place of meanwhile (the SMITHS's plan
// loaded as a change): its procedures, not that airport's, go into this plan.
void list_airport_in_view(const std::string& ident, int slot) {
    if (!ident.empty() && ident != kGnsNone && airport_slots[static_cast<std::size_t>(slot)].airport_ident != ident)
        gns_load_procedure_airport(ident, slot);
}

void open_departure() {
    gns_state = GNS_DEPARTURE;
    gns_airport_not_found = 0;
    reset_page_toggles();
    gns_page_choices.take_departure(selections_in_view());
    list_airport_in_view(gns_sel_dep_airport, origin_slot);
    gns_scratchpad = gns_sel_dep_airport;
    gns_departure_page = 1;
    if (gns_sel_dep_airport == kGnsNone) {
        ask_for_airport();
        gns_departure_preview = 0;
    } else if (gns_sel_sid == kGnsNone) {
        gns_toggle(GNS_R2) = kGnsToggleSecond;
        gns_lsk = 7;
    } else if (gns_sel_sid_transition == kGnsNone) {
        gns_toggle(GNS_R2) = kGnsToggleFirst;
        gns_lsk = 7;
    } else if (gns_sel_dep_runway == kGnsNone) {
        gns_toggle(GNS_R1) = kGnsToggleFirst;
        gns_lsk = 6;
    } else {
        gns_departure_preview = 1;
    }
}

void open_arrival() {
    reset_page_toggles();
    gns_state = GNS_ARRIVAL;
    gns_airport_not_found = 0;
    gns_arrival_page = 1;
    gns_arrival_preview = 0;
    gns_page_choices.take_arrival(selections_in_view());
    list_airport_in_view(gns_sel_arr_airport, destination_slot);
    gns_scratchpad = gns_sel_arr_airport;
    if (gns_sel_arr_airport == kGnsNone) {
        ask_for_airport();
    } else if (gns_sel_star == kGnsNone) {
        gns_toggle(GNS_R2) = kGnsToggleSecond;
        gns_lsk = 7;
    } else if (gns_sel_star_transition == kGnsNone) {
        gns_toggle(GNS_R2) = kGnsToggleFirst;
        gns_lsk = 7;
    } else if (gns_sel_arr_runway == kGnsNone) {
        gns_toggle(GNS_R1) = kGnsToggleFirst;
        gns_lsk = 6;
    }
}

void open_approach() {
    gns_state = GNS_APPROACH;
    gns_apch_step = 1;
    gns_approach_preview = 0;
    reset_page_toggles();
    gns_page_choices.take_approach(selections_in_view());
    list_airport_in_view(gns_sel_arr_airport, destination_slot);
    gns_return_state = GNS_FLIGHT_PLAN;
    if (gns_sel_arr_airport == kGnsNone) {
        gns_toggle(GNS_R1) = kGnsToggleSecond;
    } else {
        gns_scratchpad = gns_sel_arr_airport;
        gns_toggle(GNS_R1) = kGnsToggleFirst;
    }
}

// The typed text of an open entry on a plan view: an airway, an offset from a
// known fix, a database waypoint, or else a pilot waypoint of that name.
void commit_typed_text() {
    std::string text = gns_scratchpad_text();
    gns_scratchpad = text;
    if (!text.empty() && text[0] == '#') {
        load_airway(text);
        gns_open_airway_page();
        gns_state = GNS_AIRWAY;
        gns_return_state = GNS_FLIGHT_PLAN;
        return;
    }
    const AircraftState& a = aircraft_state;
    if (!text.empty() && text.back() == '*') {
        text.pop_back();
        if (text.empty()) text = "TMPXX";
        gns_scratchpad = text;
        waypoint_lookup_text = text;
        lookup_waypoint_entry(0, a.plat, a.plon);
        if (candidate_list().count() > 0) {
            gns_return_state = gns_state;
            gns_state = GNS_OFFSET_WPT;
            gns_open_offset_wpt(text);
        }
        return;
    }
    waypoint_lookup_text = text;
    lookup_waypoint_entry(0, a.plat, a.plon);
    if (candidate_list().count() > 0) {
        gns_return_state = GNS_FLIGHT_PLAN;
        gns_state = GNS_DATABASE_WPT;
        gns_database_page = 1;
        gns_database_index = 1;
        return;
    }
    gns_return_state = gns_state;
    gns_state = GNS_PILOT_WPT;
    gns_open_pilot_wpt(text);
}

void commit_entry() {
    if (gns_delete_request == 1) {
        gns_delete_at_cursor(gns_plan_in_view());
        return;
    }
    commit_typed_text();
}

void commit_flight_plan() {
    if (gns_toggle(GNS_L4) == kGnsToggleSecond) {
        open_departure();
        return;
    }
    if (gns_toggle(GNS_L5) == kGnsToggleFirst) {
        open_arrival();
        return;
    }
    if (gns_toggle(GNS_L5) == kGnsToggleSecond) {
        open_approach();
        return;
    }
    if (gns_sub_state == kGnsSubStateActivePlan) {
        if (gns_entry_active == 0 && gns_toggle(GNS_R5) == kGnsToggleFirst) {
            gns_fpl_option_default = gns_fpl_option;
            reset_page_toggles();
            return;
        }
        if (gns_toggle(GNS_R4) == kGnsToggleSecond && active_plan_last > 1 && active_plan[0].type == "APT" &&
            active_plan[active_plan_last].type == "APT") {
            gns_save_name = active_plan[0].ident + active_plan[active_plan_last].ident;
            gns_scratchpad = gns_save_name;
            reset_page_toggles();
            gns_entry_active = 0;
            gns_state = GNS_SAVE_FPL;
            return;
        }
        if (gns_toggle(GNS_R5) == kGnsToggleSecond) {
            import_gps_route(kGpsImportQuiet);
            reset_page_toggles();
            return;
        }
        if (gns_entry_active == 1) commit_entry();
        return;
    }
    if (gns_sub_state == kGnsSubStateStoredPlans && gns_plan_open == 1 && gns_entry_active == 1)
        commit_entry();
}

// A procedure page's lookup of an airport ident came back: the page opens
// again on its first choice list.
void back_to_departure() {
    gns_state = GNS_DEPARTURE;
    gns_departure_page = 1;
    reset_page_toggles();
    gns_sel_sid = gns_sel_sid_transition = gns_sel_dep_runway = kGnsNone;
    open_first_list();
    match_sid_transition(gns_sel_dep_runway, gns_sel_sid_transition);
    gns_departure_preview = 0;
}

void back_to_arrival() {
    gns_state = GNS_ARRIVAL;
    reset_page_toggles();
    gns_sel_arr_runway = gns_sel_star = gns_sel_star_transition = kGnsNone;
    open_first_list();
    match_star_transition(gns_sel_arr_runway, gns_sel_star_transition);
    gns_arrival_preview = 0;
}

void back_to_approach() {
    gns_state = GNS_APPROACH;
    reset_page_toggles();
    gns_sel_arr_runway = gns_sel_apch_type = gns_sel_apch_trans = kGnsNone;
    gns_toggle(GNS_R1) = kGnsToggleSecond;
    gns_apch_step = 1;
    // The runway list it opens is the new airport's.
    list_approach_iaf_transitions(gns_sel_apch_type, gns_sel_apch_trans);
}

void commit_database_wpt() {
    if (gns_toggle(GNS_R5) == kGnsToggleFirst) {
        reset_page_toggles();
        gns_flyover_choice = gns_scratchpad_text();
        return;
    }
    switch (gns_return_state) {
    case GNS_DIRECT:
        if (gns_toggle(GNS_R5) == kGnsToggleSecond) {
            reset_page_toggles();
            direct_to_turn_text = gns_scratchpad_text();
        } else {
            gns_direct_insertion();
        }
        break;
    case GNS_DEPARTURE:
        back_to_departure();
        break;
    case GNS_ARRIVAL:
        back_to_arrival();
        break;
    case GNS_APPROACH:
        back_to_approach();
        break;
    case GNS_FLIGHT_PLAN:
        if (gns_sub_state == kGnsSubStateActivePlan || gns_sub_state == kGnsSubStateStoredPlans)
            if (!gns_insert_candidate(gns_plan_in_view(), gns_database_index))
                gns_refusal_text = kGnsInvalidEntry;
        break;
    default:
        gns_direct_insertion();
        break;
    }
}

} // namespace

int32_t gns_key_enter() {
    gns_enter_pressed = 1;
    gns_lsk = 0;
    display_refresh_counter = 999;
    switch (gns_state) {
    case GNS_FLIGHT_PLAN:
        commit_flight_plan();
        break;
    case GNS_DATABASE_WPT:
        commit_database_wpt();
        break;
    case GNS_DIRECT:
        gns_enter_direct();
        break;
    case GNS_DEPARTURE:
        gns_enter_departure();
        break;
    case GNS_ARRIVAL:
        gns_enter_arrival();
        break;
    case GNS_APPROACH:
        gns_enter_approach();
        break;
    case GNS_AIRWAY:
        gns_enter_airway();
        break;
    case GNS_SAVE_FPL:
        gns_enter_save_fpl();
        break;
    case GNS_VNAV:
        gns_enter_vnav();
        break;
    case GNS_VNAV_DATA:
        gns_enter_vnav_data();
        break;
    case GNS_HOLDING_PATTERN:
        gns_enter_holding_pattern();
        break;
    case GNS_PLAN:
        gns_enter_plan();
        break;
    case GNS_PILOT_WPT:
        gns_enter_pilot_wpt();
        break;
    case GNS_OFFSET_WPT:
        gns_enter_offset_wpt();
        break;
    default: // 2 to 6, NAVIGATION and the VNAV entry state commit nothing
        break;
    }
    return 0;
}
