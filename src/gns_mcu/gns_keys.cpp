#include "gns_mcu/gns_keys.h"

#include "data/aircraft_settings.h"
#include "fms/files/flight_plan_folder.h"
#include "fms/guidance/hold_flying.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/math/heading_math.h"
#include "fms/math/nav_math.h"
#include "fms/plan/candidate_list.h"
#include "fms/plan/holds.h"
#include "fms/plan/plan_choices.h"
#include "fms/plan/plan_edit.h"
#include "fms/plan/plan_events.h"
#include "fms/plan/plan_legs.h"
#include "fms/plan/route_exec.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/units/gns_page_state.h"
#include "fms/units/gns_scratchpad.h"
#include "fms/units/gns_unit_state.h"
#include "gns_mcu/gns_direct.h"
#include "gns_mcu/gns_page_view.h"
#include "gns_mcu/gns_plan_edits.h"
#include "gns_mcu/gns_procedure_pages.h"
#include "sim/aircraft_state.h"

#include <algorithm>

namespace {

// Steps a position by one within 1..count, wrapping at both ends.
void step_next(int& position, int count) {
    ++position;
    if (position > count) position = 1;
}
void step_prev(int& position, int count) {
    --position;
    if (position < 1) position = count;
}

void key_nav() {
    if (gns_state == GNS_NAVIGATION) {
        step_next(gns_nav_page, 4);
        return;
    }
    gns_state = GNS_NAVIGATION;
    gns_nav_page = 1;
}

// VNAV always shows the VNAV page: an entry open on the plan view is closed
// rather than left on a state without a page.
void key_vnav() {
    gns_entry_active = 0;
    if (gns_state == GNS_VNAV) {
        step_next(gns_vnav_page, gns_vnav_page_count);
    } else {
        gns_state = GNS_VNAV;
        gns_vnav_page = 1;
    }
}

void key_fpl() {
    reset_page_toggles();
    if (gns_state == GNS_FLIGHT_PLAN && gns_sub_state == kGnsSubStateActivePlan) {
        ++gns_active_page;
        if (gns_active_page >= 2 && gns_active_page > gns_active_page_count) {
            gns_sub_state = kGnsSubStateStoredPlans;
            gns_list_page = 1;
            gns_active_page = 1;
        }
    } else if (gns_state == GNS_FLIGHT_PLAN && gns_sub_state == kGnsSubStateStoredPlans) {
        if (gns_plan_open == 1) {
            gns_plan_open = 0;
            gns_list_page = 1;
        } else {
            ++gns_list_page;
            if (gns_list_page >= 2 && gns_list_page > flight_plan_list_pages) {
                gns_sub_state = kGnsSubStateActivePlan;
                gns_list_page = 0;
                gns_active_page = 1;
            }
        }
    } else {
        gns_sub_state = kGnsSubStateActivePlan;
        gns_active_page = 1;
        gns_list_page = 1;
    }
    gns_fpl_option = gns_fpl_option_default;
    gns_state = GNS_FLIGHT_PLAN;
}

void key_plan() {
    if (gns_state == GNS_PLAN) {
        step_next(gns_plan_page, 6);
        return;
    }
    gns_state = GNS_PLAN;
    gns_plan_page = 1;
}

// Hold 1, alone in the list, at active waypoint k. Only for a waypoint of the
// flown route with a leg into it: without a route the selected index is stale
// or 0 and there is no leg to take the inbound course from.
void make_hold_at(int k) {
    // The hold marks change on the flown plan: one edit checks its rules.
    PlanEdit edit(active_target(), "a GNS hold");
    hold_alone_at_active(k, aircraft_state.magvar, HoldLegMins != 0.0 ? HoldLegMins : 1.0);
    holding_active = 0;
    hold_armed = 0;
    hold_exit_state = kHoldExitNotEntered;
    hold_point_distance_nm = 99999.0;
}

void key_hold() {
    const int k = gns_selected_wpt_index;
    // A fix still to be flown to, on whichever row and page it stands: the
    // FROM (first row of page 1) was passed. A gap or THEN row is no place to
    // hold at: its position reads 0N 0E.
    if (gns_state == GNS_FLIGHT_PLAN && gns_sub_state == kGnsSubStateActivePlan && gns_plan_row_selected() &&
        to_waypoint_index != kNoToWaypoint && k >= 1 && k >= to_waypoint_index && k <= active_plan_last &&
        is_place(active_plan[k]))
        make_hold_at(k);
    gns_state = GNS_HOLDING_PATTERN;
    gns_scratchpad.clear();
}

// DIRECT-TO: the working plan becomes a copy of the active plan with the
// cursor on the TO waypoint, proposed in the scratchpad.
void key_direct_to() {
    if (to_waypoint_index == kNoToWaypoint) return;
    if (gns_state == GNS_DIRECT) {
        step_next(gns_direct_page, gns_direct_page_count);
        gns_flyover_choice = "NO";
        reset_page_toggles();
        gns_direct_pressed = 1;
        return;
    }
    // The copy with the DIRECT entry and the end mark behind it must fit in
    // entries 0..200.
    if (active_plan_last + 2 > kPlanLastIndex) {
        gns_refusal_text = kGnsInvalidEntry;
        return;
    }
    // The view below takes the working plan: a modification the CDU left
    // pending there ends (and the CDU says so), not executed later on top of
    // the view.
    end_other_units_modification();

    gns_direct_inserted = 0;
    gns_direct_page = 1;
    reset_page_toggles();
    // The list shows the plan's entries and then its end row, which is no
    // entry: a plan of the origin alone proposes that row's end mark.
    {
        PlanEdit edit(working_target(), "the GNS DIRECT list");
        replace_plan(working_target(), active_plan, std::max(active_plan_last, -1));
        // The flown plan whole, with its choices: a route still to be
        // activated that the view took leaves none of its own behind.
        *ChoicesEdit(edit) = active_plan.choices();
        // A copy of the flown plan is no new plan for EXEC to start afresh.
        working_plan_new = 0;
        edit.place(working_cursor_index, active_plan_last > 0 ? to_waypoint_index : 0);
        edit.place(gns_direct_view_to, active_plan_last > 0 ? to_waypoint_index : 0);
        if (active_plan_last > 0) hold_list_copy_index_to_working();
    }
    gns_scratchpad = active_plan_last > 0 ? gns_direct_row_ident(working_cursor_index)
                                          : std::string(marker_text(EntryKind::EndMark));
    gns_entry_active = 1;
    gns_entry_fresh = 1;
    gns_scratchpad_add("", 1);
    gns_state = GNS_DIRECT;
    gns_flyover_choice = "NO";
    reset_page_toggles();
    gns_direct_pressed = 1;
}

void step_database(bool next) {
    const int count = candidate_list().count();
    if (next)
        step_next(gns_database_index, count);
    else
        step_prev(gns_database_index, count);
    gns_database_page = gns_database_index;
}

void step_offset_reference(bool next) {
    const int count = candidate_list().count();
    if (next)
        step_next(gns_offset_ref_index, count);
    else
        step_prev(gns_offset_ref_index, count);
    gns_offset_ref_ident = candidate_list()[gns_offset_ref_index].ident;
}

void page_key(bool next) {
    (next ? gns_next_pressed : gns_prev_pressed) = 1;
    auto step = [next](int& position, int count) {
        next ? step_next(position, count) : step_prev(position, count);
    };
    switch (gns_state) {
    case GNS_FLIGHT_PLAN:
        if (gns_sub_state == kGnsSubStateActivePlan) {
            reset_page_toggles();
            gns_entry_active = 0;
            step(gns_active_page, gns_active_page_count);
        } else if (gns_sub_state == kGnsSubStateStoredPlans && gns_plan_open == 0) {
            if (next) reset_page_toggles();
            step(gns_list_page, flight_plan_list_pages);
            if (next && gns_list_page == 1) fpl_list_first = 1;
        } else if (gns_sub_state == kGnsSubStateStoredPlans) {
            if (next) reset_page_toggles();
            step(gns_open_plan_page, gns_open_plan_page_count);
        }
        break;
    case GNS_DIRECT:
        step(gns_direct_page, gns_direct_page_count);
        break;
    case GNS_DATABASE_WPT:
        step_database(next);
        break;
    case GNS_NAVIGATION:
        step(gns_nav_page, 4);
        break;
    case GNS_DEPARTURE:
        step(gns_departure_page, gns_departure_page_count);
        break;
    case GNS_ARRIVAL:
        step(gns_arrival_page, gns_arrival_page_count);
        break;
    case GNS_APPROACH:
        step(gns_apch_step, gns_apch_page_count);
        break;
    case GNS_AIRWAY:
        reset_page_toggles();
        step(gns_airway_page, gns_airway_page_count);
        break;
    case GNS_VNAV:
        step(gns_vnav_page, gns_vnav_page_count);
        break;
    case GNS_PLAN:
        step(gns_plan_page, 6);
        break;
    case GNS_OFFSET_WPT:
        step_offset_reference(next);
        break;
    default:
        break;
    }
}

void erase() {
    gns_scratchpad_add("*1", 0);
}

// Toggle/erase on a plan view: a proposed waypoint (not the end row behind
// the plan) asks for its deletion; a typed text loses its last character.
void erase_or_delete(int last) {
    const int c = gns_plan_in_view().cursor;
    const bool on_waypoint = c >= 0 && c <= last;
    if (on_waypoint && gns_entry_fresh == 1)
        gns_delete_request = 1;
    else
        erase();
}

void flip_yes_no() {
    gns_scratchpad = gns_scratchpad == "NO" ? "YES" : "NO";
}

void key_toggle_erase() {
    gns_erase_pressed = 1;
    switch (gns_state) {
    case GNS_DATABASE_WPT:
    case GNS_PILOT_WPT:
    case GNS_OFFSET_WPT:
        if (gns_toggle(GNS_R5) == kGnsToggleSecond && gns_state == GNS_DATABASE_WPT) {
            if (gns_return_state == GNS_DIRECT) {
                const std::string& t = gns_scratchpad;
                gns_scratchpad = t == "DEFAULT" ? "LEFT" : t == "LEFT" ? "RIGHT" : "DEFAULT";
            }
        } else if (gns_toggle(GNS_R5) == kGnsToggleFirst) {
            flip_yes_no();
        }
        break;
    case GNS_HOLDING_PATTERN:
        if (gns_toggle(GNS_R3) == kGnsToggleFirst)
            gns_hold_choice_r3 = gns_hold_choice_r3 == kDirectionRight ? kDirectionLeft : kDirectionRight;
        if (gns_toggle(GNS_R5) == kGnsToggleFirst)
            gns_hold_choice_r5 =
                gns_hold_choice_r5 == kHoldExitNotEntered ? kHoldExitAtPointOne : kHoldExitNotEntered;
        break;
    case GNS_APPROACH:
        if (gns_return_state == GNS_FLIGHT_PLAN && gns_entry_active == 0)
            gns_state = GNS_FLIGHT_PLAN;
        else
            erase();
        break;
    case GNS_AIRWAY:
        gns_state = gns_return_state;
        gns_entry_active = 0;
        gns_scratchpad.clear();
        break;
    case GNS_FLIGHT_PLAN:
        if (gns_sub_state == kGnsSubStateActivePlan && gns_entry_active == 0 &&
            gns_toggle(GNS_R5) == kGnsToggleFirst)
            gns_fpl_option = gns_fpl_option % kGnsFplOptionAlt + 1;
        else if (gns_sub_state == kGnsSubStateActivePlan)
            erase_or_delete(active_plan_last);
        else if (gns_sub_state == kGnsSubStateStoredPlans && gns_plan_open == 1)
            erase_or_delete(working_plan_last);
        else
            erase();
        break;
    case GNS_NAVIGATION:
        if (gns_toggle(GNS_R2) == kGnsToggleFirst)
            gns_scratchpad = gns_scratchpad == "ALT?" ? "ETA?" : "ALT?";
        if (gns_toggle(GNS_R5) == kGnsToggleFirst) {
            if (gns_nav_seq_choice == kGnsNavSeqNone)
                gns_nav_seq_choice = lnav_engaged != 0 ? kGnsNavSeqAuto : kGnsNavSeqManual;
            else
                gns_nav_seq_choice =
                    gns_nav_seq_choice == kGnsNavSeqManual ? kGnsNavSeqAuto : kGnsNavSeqManual;
        }
        if (gns_toggle(GNS_R2) != kGnsToggleFirst && gns_toggle(GNS_R5) != kGnsToggleFirst) erase();
        break;
    default:
        erase();
        break;
    }
}

// Whether DIRECT's view of the route (with the fix being looked up) is what
// the working plan holds.
bool direct_view_open() {
    const bool direct =
        gns_state == GNS_DIRECT || (gns_state == GNS_DATABASE_WPT && gns_return_state == GNS_DIRECT);
    return direct && gns_direct_list_mode == kGnsDirectListRoute;
}

// The GNS keeps a stored plan it opened, and DIRECT its view of the route, in
// the working plan until it activates them: another unit's plan put there
// closes them, said on the GNS, and so does another unit's edit of the flown
// plan DIRECT shows. A direct-to committed on a plan loaded or changed
// meanwhile would fly a route the pilot never saw on the list.
void hear_plan_event(PlanEvent event, PlanUnit by) {
    if (event != PlanEvent::WorkingPlanTaken && event != PlanEvent::FlownPlanEdited) return;
    const char* const whose = by == PlanUnit::Mcu ? ": MCU EDIT" : by == PlanUnit::Core ? "" : ": CDU EDIT";
    // A stored plan open here is no view of the flown plan: it stays.
    if (event == PlanEvent::FlownPlanEdited && gns_plan_open == 1) return;
    if (gns_plan_open == 1) {
        gns_plan_open = 0;
        gns_plan_closed_text = std::string("FPL CLOSED") + whose;
    } else if (direct_view_open()) {
        gns_direct_inserted = 0;
        gns_entry_active = 0;
        gns_state = GNS_FLIGHT_PLAN;
        gns_sub_state = kGnsSubStateActivePlan;
        gns_active_page = 1;
        reset_page_toggles();
        gns_refusal_text = std::string("DIRECT CLOSED") + whose;
    }
}
[[maybe_unused]] const bool listening = (listen_to_plan_events(PlanUnit::Gns, &hear_plan_event), true);

} // namespace

namespace {

void press(GnsKey key) {
    switch (key) {
    case GnsKey::Nav:
        key_nav();
        break;
    case GnsKey::Vnav:
        key_vnav();
        break;
    case GnsKey::Fpl:
        key_fpl();
        break;
    case GnsKey::Plan:
        key_plan();
        break;
    case GnsKey::Hold:
        key_hold();
        break;
    case GnsKey::Prev:
        page_key(false);
        break;
    case GnsKey::Next:
        page_key(true);
        break;
    case GnsKey::DirectTo:
        key_direct_to();
        break;
    case GnsKey::Ent:
        gns_key_enter();
        break;
    case GnsKey::ToggleErase:
        key_toggle_erase();
        break;
    case GnsKey::Screen:
    case GnsKey::Count:
        break;
    default: {
        const GnsKeyBox& box = gns_key_boxes[static_cast<std::size_t>(key)];
        if (key >= GnsKey::L1 && key <= GnsKey::R5) {
            // The table lists L1, R1, L2, R2, ...: codes 1..5 left, 6..10 right.
            const int n = static_cast<int>(key) - static_cast<int>(GnsKey::L1);
            gns_lsk = n % 2 == 0 ? n / 2 + 1 : n / 2 + 6;
        } else if (box.text[0] != '\0') {
            gns_scratchpad_add(box.text, 0);
        }
        break;
    }
    }
}

} // namespace

int32_t gns_press_key(GnsKey key) {
    const PlanUnitScope unit(PlanUnit::Gns);
    gns_refusal_text.clear();
    // A page another unit changed under it closes first: the key acts on
    // the plan view it leaves, as after any closing.
    gns_close_changed_page_view();
    press(key);
    gns_note_page_view();
    return 0;
}
