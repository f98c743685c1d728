// ARRIVAL, the page of state 11: the destination airport, then its runway,
// a STAR transition and a STAR chosen from lists (the transition first), then
// the STAR's waypoints with SELECT (insert) and ERASE. ENT commits each field
// and the insertion.
#include "data/airport_procedures.h"
#include "fms/plan/gns_choices.h"
#include "fms/plan/route_plan.h"
#include "fms/procedures/procedure_insertion.h"
#include "fms/procedures/procedure_selection.h"
#include "fms/units/gns_scratchpad.h"
#include "fms/units/gns_unit_state.h"
#include "fms/units/mcu_page_state.h"
#include "gns_mcu/gns_choice_list.h"
#include "gns_mcu/gns_procedure_pages.h"
#include "gns_mcu/gns_procedure_pickers.h"
#include "gns_mcu/gns_render.h"

#include <set>
#include <string>
#include <vector>

namespace {

const AirportProcedures& destination() {
    return airport_slots[destination_slot];
}

bool airport_set() {
    return gns_sel_arr_airport != kGnsNone;
}

// The page's lists, each from the page's own choices as they stand: what
// another unit listed in the shared airport slot since is not the page's.
std::vector<std::string> runways() {
    return star_runway_names(gns_sel_star);
}
std::vector<std::string> stars() {
    return star_names(gns_sel_arr_runway, gns_sel_star_transition);
}
std::vector<std::string> transitions() {
    return star_transition_names(gns_sel_star, gns_sel_arr_runway, kTransitionsAll);
}

void clear_cursor_toggles() {
    for (GnsToggle t : {GNS_L3, GNS_L4, GNS_L5, GNS_R3, GNS_R4, GNS_R5})
        gns_toggle(t) = kGnsToggleIdle;
}

// The transition list of the STAR chosen so far (of every STAR while none).
void open_transition_choice() {
    gns_sel_star_transition = kGnsNone;
    gns_toggle(GNS_R2) = kGnsToggleFirst;
    gns_list_cursor = 1;
    gns_arrival_preview = 0;
}

void key_r1() {
    const int step = gns_toggle(GNS_R1);
    if (step == kGnsToggleIdle) {
        gns_scratchpad = gns_sel_arr_airport;
        gns_entry_active = 1;
        gns_entry_fresh = 1;
        gns_toggle(GNS_R1) = kGnsToggleFirst;
    } else if (step == kGnsToggleFirst && !airport_set()) {
        gns_toggle(GNS_R1) = kGnsToggleIdle;
        gns_entry_active = 0;
    } else if (step == kGnsToggleFirst) {
        gns_sel_arr_runway = kGnsNone;
        gns_toggle(GNS_R1) = kGnsToggleSecond;
        gns_arrival_preview = 0;
    } else {
        gns_entry_active = 0;
        gns_toggle(GNS_R1) = airport_set() ? kGnsToggleFirst : kGnsToggleIdle;
        if (airport_set()) gns_scratchpad = gns_sel_arr_airport;
    }
    gns_toggle(GNS_R2) = kGnsToggleIdle;
    clear_cursor_toggles();
}

void key_r2() {
    if (!airport_set()) return;
    if (gns_toggle(GNS_R2) == kGnsToggleFirst) {
        gns_sel_star = kGnsNone;
        gns_toggle(GNS_R2) = kGnsToggleSecond;
        gns_arrival_preview = 0;
    } else {
        open_transition_choice();
    }
    gns_arrival_page = 1;
    gns_toggle(GNS_R1) = kGnsToggleIdle;
    clear_cursor_toggles();
}

void line_key() {
    const int lsk = gns_lsk;
    if (gns_cursor_key(lsk, gns_arrival_preview == 1, GnsCursorReset::OtherFive)) return;
    if (lsk == 6) key_r1();
    if (lsk == 7) key_r2();
}

void update_page_count() {
    int& count = gns_arrival_page_count;
    if (gns_toggle(GNS_R1) == kGnsToggleFirst) count = 1;
    if (gns_arrival_preview == 1)
        count = gns_ceil_div(star_preview_legs.count(), kGnsPreviewPerPage);
    else if (gns_toggle(GNS_R1) == kGnsToggleSecond)
        count = gns_ceil_div(gns_count(runways()), kGnsChoicesPerPage);
    else if (gns_toggle(GNS_R2) == kGnsToggleSecond)
        count = gns_ceil_div(gns_count(stars()), kGnsChoicesPerPage);
    else if (gns_toggle(GNS_R2) == kGnsToggleFirst)
        count = gns_ceil_div(gns_count(transitions()), kGnsChoicesPerPage);
    count = std::max(count, 1);
    gns_keep_page(gns_arrival_page, count);
}

void draw_open_list(GnsPage& page) {
    const int n = gns_arrival_page;
    int count = 0;
    if (gns_toggle(GNS_R1) == kGnsToggleSecond)
        count = gns_draw_names(page, n, runways(), 30.0f, gns_runway_choice);
    else if (gns_toggle(GNS_R2) == kGnsToggleSecond)
        count = gns_draw_names(page, n, stars(), 30.0f, gns_name_choice);
    else if (gns_toggle(GNS_R2) == kGnsToggleFirst)
        count = gns_draw_names(page, n, transitions(), 30.0f, gns_transition_choice);
    else
        return;
    gns_draw_list_markers(page, gns_entries_on_page(n, count, kGnsChoicesPerPage), ">", "<");
}

int find_star_record(const std::string& name) {
    for (int i = 1; i <= destination().stars.count(); ++i)
        if (destination().stars[i].name == name) return i;
    return 0;
}

void commit_runway() {
    reset_page_toggles();
    gns_sel_arr_runway = gns_scratchpad;
    if (gns_sel_star_transition == kGnsNone) {
        gns_toggle(GNS_R2) = kGnsToggleFirst;
        gns_scratchpad = gns_sel_star_transition;
    } else if (gns_sel_star == kGnsNone) {
        gns_toggle(GNS_R2) = kGnsToggleSecond;
        gns_scratchpad = gns_sel_star;
    }
}

void commit_airport() {
    const std::string typed = gns_scratchpad_text();
    if (gns_load_procedure_airport(typed, destination_slot)) {
        gns_sel_arr_airport = typed;
        gns_return_state = GNS_ARRIVAL;
        gns_state = GNS_DATABASE_WPT;
        gns_database_index = 1;
        gns_database_page = 1;
        gns_airport_not_found = 0;
    } else {
        gns_airport_not_found = 1;
    }
}

void commit_transition() {
    gns_sel_star_transition = gns_scratchpad;
    reset_page_toggles();
    const std::vector<std::string> names = stars();
    if (gns_sel_star == kGnsNone && names.size() == 1) gns_sel_star = names.front();
    if (gns_sel_star == kGnsNone) {
        gns_toggle(GNS_R2) = kGnsToggleSecond;
        gns_list_cursor = 1;
        if (names.size() > 1) gns_toggle(GNS_L3) = kGnsToggleFirst;
    } else if (gns_sel_arr_runway == kGnsNone) {
        gns_toggle(GNS_R1) = kGnsToggleSecond;
        gns_list_cursor = 1;
        if (!runways().empty()) gns_toggle(GNS_L3) = kGnsToggleFirst;
    }
    gns_arrival_page = 1;
}

void commit_star() {
    gns_sel_star = gns_scratchpad;
    reset_page_toggles();
    gns_arrival_page = 1;
    gns_list_cursor = 1;
    if (const int b = find_star_record(gns_sel_star)) {
        // A STAR with a single transition takes it at once.
        const std::set<std::string> names = gns_transition_names(destination().stars[b]);
        if (names.size() == 1) gns_sel_star_transition = *names.begin();
    }
    if (gns_sel_star_transition == kGnsNone)
        gns_toggle(GNS_R2) = kGnsToggleFirst;
    else if (gns_sel_arr_runway == kGnsNone)
        gns_toggle(GNS_R1) = kGnsToggleSecond;
}

void insert_star() {
    gns_arrival_preview = 0;
    gns_choose_arrival();
    if (gns_sub_state == kGnsSubStateActivePlan) gns_active_page = 1;
    GnsChoices& sel = gns_selection_in_view();
    sel.take_arrival(gns_page_choices);
    gns_state = GNS_FLIGHT_PLAN;
    gns_fpl_option = gns_fpl_option_default;
    mcu_direct_only = 0;
    reset_page_toggles();
}

// ERASE? confirmed: the STAR and its transition go with the preview; the
// airport and the runway stay, and the transition list opens again.
void erase_preview() {
    reset_page_toggles();
    gns_sel_star = kGnsNone;
    open_transition_choice();
    gns_arrival_page = 1;
}

} // namespace

void gns_enter_arrival() {
    if (gns_arrival_preview == 1 && gns_toggle(GNS_R5) == kGnsToggleFirst) {
        erase_preview();
        return;
    }
    const int choices =
        gns_open_list_count(gns_count(runways()), gns_count(transitions()), gns_count(stars()));
    if (choices >= 0 && gns_no_choice(gns_arrival_page, choices)) return;
    if (gns_toggle(GNS_R1) == kGnsToggleSecond) commit_runway();
    if (gns_arrival_preview == 1 && gns_toggle(GNS_L5) == kGnsToggleFirst) {
        insert_star();
        return;
    }
    if (gns_toggle(GNS_R1) == kGnsToggleFirst)
        commit_airport();
    else if (gns_toggle(GNS_R2) == kGnsToggleFirst)
        commit_transition();
    else if (gns_toggle(GNS_R2) == kGnsToggleSecond)
        commit_star();
    // Also when the page reopens with every field already set.
    if (gns_sel_star != kGnsNone && gns_sel_star_transition != kGnsNone && gns_sel_arr_runway != kGnsNone &&
        gns_arrival_preview == 0) {
        gns_arrival_page = 1;
        gns_arrival_preview = 1;
        gns_build_star_preview();
        reset_page_toggles();
        gns_toggle(GNS_L5) = kGnsToggleFirst;
    }
}

void gnsxls_arrival_page(DisplayObject& display, gfx::Graphics& graphics) {
    GnsPage page(display, graphics);
    line_key();

    update_page_count();
    gns_draw_procedure_fields(
        page, {"ARRIVAL", gns_sel_arr_airport, kGnsMagenta, gns_arrival_page, gns_arrival_page_count,
               airport_set(), gns_toggle(GNS_R1) == kGnsToggleSecond && airport_set(), gns_sel_arr_runway,
               "TRANSITION", gns_sel_star_transition, "STAR", gns_sel_star});
    if (gns_arrival_preview == 1)
        gns_draw_procedure_preview(
            page, "WAYPOINTS OF STAR:", gns_arrival_page, star_preview_legs.count(),
            [&](int i, float x, float y) { page.text(x, y, kGnsGreen, star_preview_legs[i].fix); });
    draw_open_list(page);

    page.text(460.0f, 30.0f, kGnsWhite, "<");
    if (airport_set()) page.text(460.0f, 98.0f, kGnsWhite, "<");
}
