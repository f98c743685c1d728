// DEPARTURES (page 10): the origin's SIDs, the chosen SID's transitions and
// the origin's runways, each chosen by its line-select key.
#include "cdu_smiths/cdu_page_conventions.h"
#include "cdu_smiths/smiths_pages.h"
#include "data/airport_procedures.h"
#include "fms/exec/exec_erase.h"
#include "fms/plan/route_exec.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/plan/route_values.h"
#include "fms/plan/selection_texts.h"
#include "fms/procedures/dep_arr_selection.h"
#include "fms/procedures/procedure_insertion.h"
#include "fms/procedures/procedure_selection.h"
#include "fms/units/cdu_text.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

const char* const kNone = "------";

float row_y(int row) {
    return 33.0f + 33.0f * static_cast<float>(row - 1);
}

// The first SID of the sub-page, and the first transition or runway (a row
// shorter once a SID is chosen: its own row stands first).
int first_sid() {
    return 5 * dep_subpage - 4;
}
int first_row_item() {
    return dep_sid_state == kDepSidStateChosen && dep_subpage > 1 ? 5 * dep_subpage - 5 : first_sid();
}

// The page's lists, each from the page's own choices as they stand, not
// what another unit listed in the shared airport slot since: the SIDs (those
// of the runway chosen on the page), the chosen SID's transitions, and the
// runways (those of the SID, once the page has chosen it or a runway).
std::vector<std::string> sids() {
    return sid_names(dep_runway_chosen == 1 ? sel_departure_runway : kNone, kNone);
}
std::vector<std::string> sid_transitions() {
    return sid_transition_names(sel_sid, sel_departure_runway, kTransitionsSkipJunction);
}
std::vector<std::string> runways() {
    return sid_runway_names(dep_sid_state == kDepSidStateChosen || dep_runway_chosen == 1 ? sel_sid : kNone);
}

int count(const std::vector<std::string>& list) {
    return static_cast<int>(list.size());
}

const char* marker() {
    return route_state == kRouteStateActive ? "<ACT>" : "<SEL>";
}

void sid_column(CduPage& page, int f) {
    const std::vector<std::string> names = sids();
    if (dep_sid_state == kDepSidStateList || dep_sid_state == kDepSidStateMarked || dep_subpage == 1)
        cdu_text(page, 10, 19, CduFont::Small, "S I D S");
    if (names.empty()) {
        cdu_text(page, 0, 33, CduFont::Large, "- N O N E -");
        return;
    }
    if (dep_sid_state == kDepSidStateChosen) {
        for (int i = std::max(f, 1); i <= count(names); ++i) {
            if (names[static_cast<std::size_t>(i - 1)] != sel_sid) continue;
            cdu_text(page, 0, 33, CduFont::Large, cdu_format("%-6s", sel_sid.c_str()));
            cdu_text(page, 93, 33, CduFont::Large, marker());
            break;
        }
        return;
    }
    for (int row = 1; row <= 5 && f + row - 1 <= count(names); ++row) {
        const std::string& name = names[static_cast<std::size_t>(f + row - 2)];
        cdu_text(page, 0, row_y(row), CduFont::Large, cdu_format("%-6s", name.c_str()));
        if (name == sel_sid) cdu_text(page, 93, row_y(row), CduFont::Large, marker());
    }
}

void transition_column(CduPage& page, int f) {
    const std::vector<std::string> transitions = sid_transitions();
    const int n = count(transitions);
    if (f <= n) cdu_text(page, 10, dep_subpage == 1 ? 53.0f : 19.0f, CduFont::Small, "T R A N S");
    if (n < 1) {
        cdu_text(page, 0, 66, CduFont::Large, "- N O N E -");
        return;
    }
    if (dep_transition_chosen == 1) {
        if (std::find(transitions.begin(), transitions.end(), sel_sid_transition) == transitions.end())
            return;
        cdu_text(page, 0, 66, CduFont::Large, cdu_format("%-5s", sel_sid_transition.c_str()));
        cdu_text(page, 93, 66, CduFont::Large, marker());
        return;
    }
    const int first_row = dep_subpage == 1 ? 2 : 1;
    for (int row = first_row, i = f; row <= 5 && i <= n; ++row, ++i)
        cdu_text(page, 0, row_y(row), CduFont::Large,
                 cdu_format("%-5s", transitions[static_cast<std::size_t>(i - 1)].c_str()));
}

void runway_column(CduPage& page, int f) {
    const std::vector<std::string> names = runways();
    cdu_text(page, 190, 19, CduFont::Small, "R U N W A Y S");
    if (dep_runway_chosen == 1) {
        cdu_text(page, 240, 33, CduFont::Large, cdu_format("%-3s", sel_departure_runway.c_str()));
        cdu_text(page, 153, 33, CduFont::Large, marker());
        return;
    }
    for (int row = 1; row <= 5 && f + row - 1 <= count(names); ++row) {
        const std::string& name = names[static_cast<std::size_t>(f + row - 2)];
        cdu_text(page, 240, row_y(row), CduFont::Large, cdu_format("%-3s", name.c_str()));
        if (name == sel_departure_runway) cdu_text(page, 153, row_y(row), CduFont::Large, marker());
    }
}

// Left keys: a SID from the list, or a transition of the chosen SID.
void left_key(int k, int f_sids, int f) {
    if (dep_sid_state == kDepSidStateList || dep_sid_state == kDepSidStateMarked) {
        const std::vector<std::string> names = sids();
        if (f_sids + k - 1 > count(names)) return;
        ChoicesEdit(working_plan)
            ->choose_sid(names[static_cast<std::size_t>(f_sids + k - 2)], airport_slots[origin_slot]);
        build_sid_legs_b(selected_sid_index, 1);
        dep_sid_state = kDepSidStateChosen;
        dep_subpage = 1;
        return;
    }
    if (dep_subpage == 1 && k == 1) return; // the chosen SID's own row
    const int index = dep_subpage == 1 ? k - 1 : f + k - 1;
    const std::vector<std::string> transitions = sid_transitions();
    if (index < 1 || index > static_cast<int>(transitions.size())) return;
    ChoicesEdit(working_plan)->choose_sid_transition(transitions[static_cast<std::size_t>(index - 1)]);
    build_sid_legs_b(selected_sid_index, 1);
    dep_transition_chosen = 1;
    dep_subpage = 1;
}

void count_departure_subpages() {
    const int items = dep_sid_state == kDepSidStateChosen ? count(sid_transitions()) + 1 : count(sids());
    dep_subpage_count = cdu_page_count(std::max(items, count(runways())), 5);
}

} // namespace

void smiths_page_departures_keys() {
    // Another unit put another airport's detail in the shared slot while the
    // page was open: the lists shown are no longer the origin's, so the page
    // lists the origin's afresh and the key picks nothing from them.
    const bool active = route_state == kRouteStateActive;
    const RouteWaypoint& edited = active ? active_plan[0] : working_plan[0];
    if ((active ? active_plan_last : working_plan_last) >= 1 && edited.type == "APT" &&
        airport_slots[origin_slot].airport_ident != edited.ident) {
        reset_dep_selection_b();
        count_departure_subpages();
        return;
    }
    // The SID or transition the page shows as chosen left the plan's choices
    // (a GNS insertion erased the pending change that held it): the page
    // lists afresh, as it opens, rather than a chosen row of nothing.
    const auto none = [](const std::string& choice) { return choice.empty() || choice == kNone; };
    if ((dep_sid_state == kDepSidStateChosen && none(sel_sid)) ||
        (dep_transition_chosen == 1 && none(sel_sid_transition)))
        reset_dep_selection_b();
    count_departure_subpages();
    cdu_step_subpage(dep_subpage, dep_subpage_count);
    const int f_sids = first_sid();
    const int f = first_row_item();

    const int lsk = smiths_cdu_lsk;
    if (lsk >= 1 && lsk <= 5) left_key(lsk, f_sids, f);
    if (lsk >= 6 && lsk <= 10) select_departure_runway_b(runways(), f + lsk - 6);
    if (lsk == 11) {
        if (route_state == kRouteStateActiveModified) {
            erase_route_modification();
            // The choices shown went with the modification: the lists come
            // back with the plan's own marked, as DEP/ARR INDEX opens them.
            reset_dep_selection_b();
        } else
            smiths_cdu_page = kPageDepArrIndex;
    }
    if (lsk == 12) smiths_cdu_page = kPageRte;
    // The frame that takes a choice (or ERASE) counts the lists it shows.
    count_departure_subpages();
}

void smiths_page_departures(const DisplayObject& display, gfx::Graphics& graphics) {
    CduPage page(display, graphics);
    const int f_sids = first_sid();
    const int f = first_row_item();

    cdu_text(page, 25, 0, CduFont::Large, cdu_format("%s DEPARTURES", departure_origin_ident.c_str()));
    cdu_text(page, 230, 0, CduFont::Small,
             cdu_format("%2d / %2d", dep_subpage, std::max(dep_subpage_count, 1)));

    sid_column(page, f_sids);
    if (dep_sid_state == kDepSidStateChosen) transition_column(page, f);
    runway_column(page, f);

    cdu_text(page, 2, 184, CduFont::Large, "- - - - - - - - - - - - - - - - - - - - - - - -");
    cdu_text(page, 0, 198, CduFont::Large, route_state == kRouteStateActiveModified ? "<ERASE" : "<INDEX");
    cdu_text(page, 205, 198, CduFont::Large, "ROUTE>");
    cdu_scratchpad_line(page);
}
