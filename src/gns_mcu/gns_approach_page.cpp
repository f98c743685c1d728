// APCH, the page of state 12: the destination airport, then its runway, the
// approach type and the transition (IAF) chosen from lists, then the
// approach's waypoints with SELECT and ERASE. ENT commits each field and
// inserts the approach.
#include "data/airport_procedures.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/plan/gns_choices.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/procedures/approach_insertion.h"
#include "fms/procedures/procedure_selection.h"
#include "fms/units/gns_scratchpad.h"
#include "fms/units/gns_unit_state.h"
#include "fms/units/mcu_page_state.h"
#include "gns_mcu/gns_choice_list.h"
#include "gns_mcu/gns_procedure_pages.h"
#include "gns_mcu/gns_procedure_pickers.h"
#include "gns_mcu/gns_render.h"

#include <string>
#include <vector>

namespace {

bool airport_set() {
    return gns_sel_arr_airport != kGnsNone;
}

bool set(const std::string& field) {
    return field != kGnsNone;
}

// The page's lists, each from the page's own choices as they stand: what
// another unit listed in the shared airport slot since is not the page's.
std::vector<std::string> runways() {
    return approach_runway_names(gns_sel_apch_type, gns_sel_apch_trans);
}
std::vector<std::string> types() {
    return approach_names(gns_sel_arr_runway, gns_sel_apch_trans);
}
std::vector<std::string> transitions() {
    return iaf_names(gns_sel_apch_type, gns_sel_arr_runway);
}

void open_type_choice() {
    reset_page_toggles();
    gns_toggle(GNS_R2) = kGnsToggleFirst;
    gns_sel_apch_type = kGnsNone;
    gns_approach_preview = 0;
}

void key_r1() {
    gns_toggle(GNS_R2) = kGnsToggleIdle;
    if (gns_toggle(GNS_R1) == kGnsToggleFirst) {
        gns_sel_arr_runway = kGnsNone;
        gns_toggle(GNS_R1) = kGnsToggleSecond;
        gns_approach_preview = 0;
        gns_list_cursor = 0;
        gns_entry_active = 0;
    } else {
        reset_page_toggles();
        gns_scratchpad = gns_sel_arr_airport;
        gns_toggle(GNS_R1) = kGnsToggleFirst;
        gns_entry_active = 1;
        gns_airport_not_found = 0;
    }
    gns_toggle(GNS_L3) = gns_toggle(GNS_L4) = gns_toggle(GNS_L5) = kGnsToggleIdle;
}

void key_r2() {
    gns_airport_not_found = 0;
    // The approach belongs to the arrival of the plan in view.
    if (gns_selection_in_view().arrival_airport == kGnsNone) return;
    if (gns_toggle(GNS_R2) == kGnsToggleFirst) {
        reset_page_toggles();
        gns_toggle(GNS_R2) = kGnsToggleSecond;
        gns_sel_apch_trans = kGnsNone;
        gns_approach_preview = 0;
        gns_build_iaf_list();
    } else {
        open_type_choice();
    }
    gns_apch_step = 1;
    gns_entry_active = 0;
}

void line_key() {
    const int lsk = gns_lsk;
    if (gns_cursor_key(lsk, gns_approach_preview == 1, GnsCursorReset::OtherFive)) return;
    if (lsk == 6) key_r1();
    if (lsk == 7) key_r2();
}

void update_page_count() {
    int& count = gns_apch_page_count;
    if (gns_toggle(GNS_R1) == kGnsToggleSecond)
        count = gns_ceil_div(gns_count(runways()), kGnsChoicesPerPage);
    else if (gns_toggle(GNS_R2) == kGnsToggleFirst)
        count = gns_ceil_div(gns_count(types()), kGnsChoicesPerPage);
    else if (gns_toggle(GNS_R2) == kGnsToggleSecond)
        count = gns_ceil_div(gns_count(transitions()), kGnsChoicesPerPage);
    else if (gns_approach_preview == 1)
        count = gns_ceil_div(approach_preview_legs.count(), kGnsPreviewPerPage);
    count = std::max(count, 1);
    gns_keep_page(gns_apch_step, count);
}

void draw_open_list(GnsPage& page) {
    const int n = gns_apch_step;
    if (gns_toggle(GNS_R1) == kGnsToggleSecond) {
        gns_draw_names(page, n, runways(), 30.0f, gns_runway_choice);
    } else if (gns_toggle(GNS_R2) == kGnsToggleFirst) {
        gns_draw_names(page, n, types(), 30.0f, gns_name_choice);
    } else if (gns_toggle(GNS_R2) == kGnsToggleSecond) {
        const int count = gns_draw_names(page, n, transitions(), 30.0f, gns_transition_choice);
        gns_draw_list_markers(page, gns_entries_on_page(n, count, kGnsChoicesPerPage), "<", ">");
    }
}

// The type list of the runway and transition; a single type is taken.
// True when it was.
bool take_single_type() {
    const std::vector<std::string> list = types();
    if (list.size() != 1) return false;
    gns_sel_apch_type = list.front();
    return true;
}

void commit_airport() {
    const std::string typed = gns_scratchpad_text();
    const bool found = gns_load_procedure_airport(typed, destination_slot);
    gns_sel_arr_airport = typed;
    gns_return_state = GNS_APPROACH;
    // A preview of the airport before is no longer this airport's.
    gns_approach_preview = 0;
    if (found) {
        gns_state = GNS_DATABASE_WPT;
        gns_database_index = 1;
        gns_database_page = 1;
        gns_airport_not_found = 0;
    } else {
        gns_airport_not_found = 1;
        gns_sel_arr_airport = kGnsNone;
        gns_entry_active = 0;
        gns_toggle(GNS_R1) = kGnsToggleIdle;
    }
}

void commit_runway() {
    gns_sel_arr_runway = gns_scratchpad;
    reset_page_toggles();
    if (set(gns_sel_apch_trans) && set(gns_sel_apch_type)) {
        gns_build_approach_preview();
    } else if (!set(gns_sel_apch_type)) {
        if (!take_single_type()) {
            gns_toggle(GNS_R2) = kGnsToggleFirst;
        } else if (set(gns_sel_apch_trans)) {
            gns_build_approach_preview();
        } else {
            gns_build_iaf_list();
            gns_toggle(GNS_R2) = kGnsToggleSecond;
        }
    } else {
        gns_build_iaf_list();
        gns_toggle(GNS_R2) = kGnsToggleSecond;
    }
}

void commit_type() {
    reset_page_toggles();
    gns_sel_apch_type = gns_scratchpad;
    gns_apch_step = 1;
    if (set(gns_sel_apch_trans) && set(gns_sel_arr_runway)) {
        gns_build_approach_preview();
        return;
    }
    if (!set(gns_sel_apch_trans)) {
        gns_build_iaf_list();
        const std::vector<std::string> list = transitions();
        if (list.size() == 1) {
            gns_sel_apch_trans = list.front();
            if (set(gns_sel_arr_runway)) {
                gns_build_approach_preview();
                return;
            }
        }
    }
    gns_toggle(GNS_R1) = kGnsToggleSecond;
}

void commit_transition() {
    reset_page_toggles();
    gns_sel_apch_trans = gns_scratchpad;
    if (set(gns_sel_arr_runway) && set(gns_sel_apch_type)) {
        gns_build_approach_preview();
    } else if (!set(gns_sel_apch_type)) {
        if (!take_single_type()) {
            gns_toggle(GNS_R2) = kGnsToggleFirst;
        } else if (set(gns_sel_arr_runway)) {
            gns_build_approach_preview();
        } else {
            gns_toggle(GNS_R1) = kGnsToggleSecond;
        }
    } else {
        gns_toggle(GNS_R1) = kGnsToggleSecond;
    }
}

void insert() {
    if (gns_sub_state == kGnsSubStateActivePlan && active_plan_last < 0) {
        // No route to join: the preview stays for when there is one.
        gns_refusal_text = kGnsInvalidEntry;
        return;
    }
    gns_approach_preview = 0;
    gns_choose_approach();
    if (gns_sub_state == kGnsSubStateActivePlan) {
        gns_state = GNS_FLIGHT_PLAN;
        gns_fpl_option = gns_fpl_option_default;
        gns_active_page = 1;
        gns_plan_changed = 1;
    } else {
        mark_route_edited();
    }
    GnsChoices& sel = gns_selection_in_view();
    sel.take_approach(gns_page_choices);
    mcu_direct_only = 0;
    reset_page_toggles();
}

// ERASE? confirmed: the type and the transition go with the preview; the
// airport and the runway stay, and the type list opens again.
void erase_preview() {
    gns_sel_apch_trans = kGnsNone;
    open_type_choice();
    gns_apch_step = 1;
}

} // namespace

void gns_enter_approach() {
    if (gns_approach_preview == 1 && gns_toggle(GNS_R5) == kGnsToggleFirst) {
        erase_preview();
        return;
    }
    const int choices =
        gns_open_list_count(gns_count(runways()), gns_count(types()), gns_count(transitions()));
    if (choices >= 0 && gns_no_choice(gns_apch_step, choices)) return;
    if (gns_toggle(GNS_R1) == kGnsToggleFirst) {
        commit_airport();
    } else if (gns_toggle(GNS_R1) == kGnsToggleSecond) {
        commit_runway();
        return;
    }
    if (gns_toggle(GNS_R2) == kGnsToggleFirst)
        commit_type();
    else if (gns_toggle(GNS_R2) == kGnsToggleSecond)
        commit_transition();
    else if (gns_approach_preview == 1)
        insert();
}

void gnsxls_approach_page(DisplayObject& display, gfx::Graphics& graphics) {
    GnsPage page(display, graphics);
    line_key();

    update_page_count();
    gns_draw_procedure_fields(page,
                              {"APCH", gns_sel_arr_airport, kGnsMagenta, gns_apch_step, gns_apch_page_count,
                               airport_set(), gns_toggle(GNS_R1) == kGnsToggleSecond, gns_sel_arr_runway,
                               "TYPE", gns_sel_apch_type, "TRANSITION", gns_sel_apch_trans});
    if (gns_approach_preview == 1)
        gns_draw_procedure_preview(page, "WPTS OF APPROACH:", gns_apch_step, approach_preview_legs.count(),
                                   [&](int i, float x, float y) {
                                       page.text(x, y, kGnsWhite,
                                                 gns_format("%-3s", approach_preview_legs[i].role.c_str()));
                                       page.text(x + 80.0f, y, kGnsGreen, approach_preview_legs[i].fix);
                                   });
    draw_open_list(page);

    if (airport_set()) {
        page.text(460.0f, 30.0f, kGnsWhite, ">");
        page.text(460.0f, 98.0f, kGnsWhite, ">");
    }
}
