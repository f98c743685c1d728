// DEPARTURE, the page of state 10: the origin airport, then its runway, SID
// and SID transition chosen from lists, then the SID's waypoints with SELECT
// (insert) and ERASE. ENT commits each field and the insertion.
#include "data/airport_procedures.h"
#include "fms/guidance/lateral_guidance.h"
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

const AirportProcedures& origin() {
    return airport_slots[origin_slot];
}

bool airport_set() {
    return gns_sel_dep_airport != kGnsNone;
}

// The page's lists, each from the page's own choices as they stand: what
// another unit listed in the shared airport slot since is not the page's.
std::vector<std::string> runways() {
    return sid_runway_names(gns_sel_sid);
}
std::vector<std::string> sids() {
    return sid_names(gns_sel_dep_runway, gns_sel_sid_transition);
}
std::vector<std::string> transitions() {
    return sid_transition_names(gns_sel_sid, gns_sel_dep_runway, kTransitionsAll);
}

void clear_left_toggles() {
    for (GnsToggle t : {GNS_L1, GNS_L2, GNS_L3, GNS_L4, GNS_L5})
        gns_toggle(t) = kGnsToggleIdle;
}

// The SID list, narrowed by the runway and the transition chosen so far.
void open_sid_choice() {
    gns_toggle(GNS_R2) = kGnsToggleFirst;
    gns_list_cursor = 1;
    gns_sel_sid = kGnsNone;
    gns_departure_preview = 0;
}

void key_r1() {
    const int step = gns_toggle(GNS_R1);
    if (step == kGnsToggleIdle) {
        gns_scratchpad = gns_sel_dep_airport;
        gns_entry_active = 1;
        gns_entry_fresh = 1;
        gns_toggle(GNS_R1) = kGnsToggleFirst;
    } else if (step == kGnsToggleFirst && !airport_set()) {
        gns_toggle(GNS_R1) = kGnsToggleIdle;
        gns_entry_active = 0;
    } else if (step == kGnsToggleFirst) {
        gns_toggle(GNS_R1) = kGnsToggleSecond;
        gns_sel_dep_runway = kGnsNone;
        gns_departure_preview = 0;
        gns_departure_page = 1;
    } else {
        gns_entry_active = 0;
        gns_toggle(GNS_R1) = airport_set() ? kGnsToggleFirst : kGnsToggleIdle;
        if (airport_set()) gns_scratchpad = gns_sel_dep_airport;
    }
    gns_toggle(GNS_R2) = kGnsToggleIdle;
    clear_left_toggles();
}

void key_r2() {
    if (airport_set()) {
        if (gns_toggle(GNS_R2) == kGnsToggleFirst) {
            gns_toggle(GNS_R2) = kGnsToggleSecond;
            gns_sel_sid_transition = kGnsNone;
            gns_departure_preview = 0;
        } else {
            open_sid_choice();
        }
    }
    gns_toggle(GNS_R1) = kGnsToggleIdle;
    gns_departure_page = 1;
    clear_left_toggles();
}

void line_key() {
    const int lsk = gns_lsk;
    if (gns_cursor_key(lsk, gns_departure_preview == 1, GnsCursorReset::LeftKeys)) return;
    if (lsk == 6) key_r1();
    if (lsk == 7) key_r2();
}

void update_page_count() {
    int count = 1;
    if (gns_departure_preview == 1)
        count = gns_ceil_div(sid_preview_legs.count(), kGnsPreviewPerPage);
    else if (gns_toggle(GNS_R1) == kGnsToggleSecond)
        count = gns_ceil_div(gns_count(runways()), kGnsChoicesPerPage);
    else if (gns_toggle(GNS_R2) == kGnsToggleFirst)
        count = gns_ceil_div(gns_count(sids()), kGnsChoicesPerPage);
    else if (gns_toggle(GNS_R2) == kGnsToggleSecond)
        count = gns_ceil_div(gns_count(transitions()), kGnsChoicesPerPage);
    else
        gns_departure_page = 1;
    gns_departure_page_count = std::max(count, 1);
    gns_keep_page(gns_departure_page, gns_departure_page_count);
}

// The open list, with its entries' markers (only the transition list has them).
void draw_open_list(GnsPage& page) {
    const int n = gns_departure_page;
    if (gns_toggle(GNS_R1) == kGnsToggleSecond) {
        gns_draw_names(page, n, runways(), 30.0f, gns_runway_choice);
    } else if (gns_toggle(GNS_R2) == kGnsToggleFirst) {
        gns_draw_names(page, n, sids(), 40.0f, gns_name_choice);
    } else if (gns_toggle(GNS_R2) == kGnsToggleSecond) {
        const int count = gns_draw_names(page, n, transitions(), 40.0f, gns_transition_choice);
        gns_draw_list_markers(page, gns_entries_on_page(n, count, kGnsChoicesPerPage), ">", "<");
    }
}

int find_sid_record(const std::string& name) {
    for (int i = 1; i <= origin().sids.count(); ++i)
        if (origin().sids[i].name == name) return i;
    return 0;
}

void commit_runway() {
    gns_sel_dep_runway = gns_scratchpad;
    reset_page_toggles();
    if (gns_sel_sid == kGnsNone)
        gns_toggle(GNS_R2) = kGnsToggleFirst;
    else if (gns_sel_sid_transition == kGnsNone)
        gns_toggle(GNS_R2) = kGnsToggleSecond;
    gns_departure_page = 1;
}

void commit_airport() {
    const std::string typed = gns_scratchpad_text();
    if (gns_load_procedure_airport(typed, origin_slot)) {
        gns_sel_dep_airport = typed;
        gns_return_state = GNS_DEPARTURE;
        gns_state = GNS_DATABASE_WPT;
        gns_database_index = 1;
        gns_database_page = 1;
        gns_airport_not_found = 0;
    } else {
        gns_airport_not_found = 1;
    }
}

void commit_sid() {
    gns_sel_sid = gns_scratchpad;
    reset_page_toggles();
    gns_departure_page = 1;
    gns_list_cursor = 1;
    if (gns_sel_dep_runway == kGnsNone) gns_toggle(GNS_R1) = kGnsToggleSecond;
    if (gns_sel_sid_transition == kGnsNone) {
        if (const int b = find_sid_record(gns_sel_sid)) {
            // A SID with a single transition takes it at once.
            const std::set<std::string> names = gns_transition_names(origin().sids[b]);
            if (names.size() == 1) {
                gns_sel_sid_transition = *names.begin();
            } else if (names.size() > 1) {
                gns_toggle(GNS_R1) = kGnsToggleIdle;
                gns_toggle(GNS_R2) = kGnsToggleSecond;
            }
        }
    }
    if (gns_sel_sid_transition == kGnsNone)
        gns_toggle(GNS_R2) = kGnsToggleSecond;
    else if (gns_sel_dep_runway == kGnsNone)
        gns_toggle(GNS_R1) = kGnsToggleSecond;
}

void commit_transition() {
    gns_sel_sid_transition = gns_scratchpad;
    reset_page_toggles();
    if (gns_sel_sid == kGnsNone) {
        const std::vector<std::string> names = sids();
        if (names.size() == 1) {
            gns_sel_sid = names.front();
        } else if (names.size() > 1) {
            gns_toggle(GNS_L3) = kGnsToggleFirst;
        }
    }
    if (gns_sel_sid == kGnsNone) {
        gns_toggle(GNS_R2) = kGnsToggleFirst;
    } else if (gns_sel_dep_runway == kGnsNone) {
        gns_toggle(GNS_R1) = kGnsToggleSecond;
    }
    gns_departure_page = 1;
}

void insert_sid() {
    GnsChoices& sel = gns_selection_in_view();
    gns_choose_departure();
    if (gns_sub_state == kGnsSubStateActivePlan) {
        gns_plan_changed = 1;
        gns_active_page = 1;
        mcu_direct_only = 0;
    }
    sel.take_departure(gns_page_choices);
    gns_state = GNS_FLIGHT_PLAN;
    gns_fpl_option = gns_fpl_option_default;
    gns_entry_active = 0;
    gns_departure_page = 0;
    reset_page_toggles();
}

// ERASE? confirmed: the SID and its transition go with the preview; the
// airport and the runway stay, and the SID list opens again.
void erase_preview() {
    reset_page_toggles();
    gns_sel_sid_transition = kGnsNone;
    open_sid_choice();
    gns_departure_page = 1;
}

} // namespace

void gns_enter_departure() {
    if (gns_departure_preview == 1 && gns_toggle(GNS_R5) == kGnsToggleFirst) {
        erase_preview();
        return;
    }
    if (gns_departure_preview == 1 && gns_toggle(GNS_L5) == kGnsToggleFirst) {
        insert_sid();
        return;
    }
    const int choices =
        gns_open_list_count(gns_count(runways()), gns_count(sids()), gns_count(transitions()));
    if (choices >= 0 && gns_no_choice(gns_departure_page, choices)) return;
    if (gns_toggle(GNS_R1) == kGnsToggleSecond)
        commit_runway();
    else if (gns_toggle(GNS_R1) == kGnsToggleFirst)
        commit_airport();
    else if (gns_toggle(GNS_R2) == kGnsToggleFirst)
        commit_sid();
    else if (gns_toggle(GNS_R2) == kGnsToggleSecond)
        commit_transition();
    else
        return;
    if (gns_sel_sid != kGnsNone && gns_sel_sid_transition != kGnsNone && gns_sel_dep_runway != kGnsNone &&
        gns_departure_preview == 0) {
        gns_build_sid_preview();
        gns_departure_page = 1;
        gns_departure_preview = 1;
        gns_toggle(GNS_L5) = kGnsToggleFirst;
    }
}

void gnsxls_departure_page(DisplayObject& display, gfx::Graphics& graphics) {
    GnsPage page(display, graphics);
    line_key();

    update_page_count();
    gns_draw_procedure_fields(page, {"DEPARTURE", gns_sel_dep_airport, kGnsYellow, gns_departure_page,
                                     gns_departure_page_count, airport_set(),
                                     gns_toggle(GNS_R1) == kGnsToggleSecond, gns_sel_dep_runway, "SID",
                                     gns_sel_sid, "TRANSITION", gns_sel_sid_transition});
    if (gns_departure_preview == 1)
        gns_draw_procedure_preview(
            page, "WAYPOINTS OF SID:", gns_departure_page, sid_preview_legs.count(),
            [&](int i, float x, float y) { page.text(x, y, kGnsGreen, sid_preview_legs[i].fix); });
    draw_open_list(page);

    page.text(460.0f, 30.0f, kGnsWhite, ">");
    if (airport_set()) page.text(460.0f, 98.0f, kGnsWhite, ">");
}
