// ARRIVALS (page 11): the destination's STARs and the chosen STAR's
// transitions on the left; its approaches followed by its runways, or the
// chosen approach with its transitions, on the right.
#include "cdu_smiths/arrival_page_state.h"
#include "cdu_smiths/cdu_page_conventions.h"
#include "cdu_smiths/smiths_pages.h"
#include "data/airport_procedures.h"
#include "fms/exec/exec_erase.h"
#include "fms/plan/route_exec.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/plan/route_values.h"
#include "fms/plan/selection_texts.h"
#include "fms/procedures/airport_detail.h"
#include "fms/procedures/approach_insertion.h"
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

// The marks of the STAR column, and of the approach column: these stand
// where the approach transitions' marks do, clear of a STAR mark on the same
// row, which ends near x 135.
constexpr float kStarMarkX = 75.0f;
constexpr float kApproachMarkX = 135.0f;
constexpr float kRunwayMarkX = 153.0f;

// A text of the STAR column, cut where the approach column begins so that a
// long name never runs over it.
void star_column_text(CduPage& page, float y, const std::string& text) {
    static const gfx::StringFormat kNoWrap{gfx::StringFormatFlagsNoWrap};
    page.g.draw_string(text, page.large, page.green, gfx::RectF{0.0f, y, kApproachMarkX, 20.0f}, kNoWrap);
}

const char* marker() {
    return route_state == kRouteStateActive ? "<ACT>" : "<SEL>";
}

AirportProcedures& destination() {
    return airport_slots[destination_slot];
}

// The destination of the plan the page edits (the active plan while it is
// flown unmodified), or null when that plan ends in no airport.
const RouteWaypoint* edited_destination() {
    const bool active = route_state == kRouteStateActive;
    const int last = active ? active_plan_last : working_plan_last;
    if (last < 1 || last > kPlanLastIndex) return nullptr;
    const RouteWaypoint& end = active ? active_plan[last] : working_plan[last];
    return end.type == "APT" ? &end : nullptr;
}

// The airport in the title: the one whose procedures the page lists, or
// the route's destination as DEP/ARR INDEX shows it.
const std::string& title_airport() {
    const RouteWaypoint* end = edited_destination();
    return end != nullptr ? end->ident : arrival_destination_ident;
}

// The approach entry the plan holds, as EXEC matches it: the chosen name on
// the applied runway, else the first of that name (a runway chosen after
// the approach); 0 for none.
int chosen_approach_entry() {
    if (sel_approach.empty() || sel_approach == kNone) return 0;
    int by_name = 0;
    for (int i = 1; i <= approach_fix_list.count(); ++i) {
        const ApproachFixEntry& entry = approach_fix_list[i];
        if (entry.approach_name != sel_approach) continue;
        if (entry.runway == applied_arrival_runway) return i;
        if (by_name == 0) by_name = i;
    }
    return by_name;
}

// The page's lists, each from the page's own choices as they stand, not
// what another unit listed in the shared airport slot since: the STARs (those
// of the runway chosen on the page), and the runways (those of the STAR,
// once the page has chosen it or a runway).
std::vector<std::string> stars() {
    return star_names(arr_runway_chosen == 1 ? sel_arrival_runway : kNone, kNone);
}
std::vector<std::string> runways() {
    return star_runway_names(arr_star_state == kArrStarStateChosen || arr_runway_chosen == 1 ? sel_star
                                                                                             : kNone);
}

int count(const std::vector<std::string>& list) {
    return static_cast<int>(list.size());
}

// The chosen STAR's transitions, likewise the page's own.
std::vector<std::string> star_transitions() {
    return star_transition_names(sel_star, sel_arrival_runway, kTransitionsSkipJunction);
}

// The chosen approach's transitions, likewise the page's own.
std::vector<std::string> approach_transitions() {
    return iaf_names(sel_approach, applied_arrival_runway);
}

// Approach transitions stand in rows 2 to 5 of every sub-page, so sub-page
// p holds transitions 4p - 3 to 4p; drawing and keys share this numbering.
int first_approach_transition() {
    return 4 * arr_subpage - 3;
}

void star_column(CduPage& page, int f) {
    const std::vector<std::string> names = stars();
    if (arr_star_state != kArrStarStateChosen || arr_subpage == 1)
        cdu_text(page, 10, 19, CduFont::Small, "S T A R S");
    if (names.empty()) {
        cdu_text(page, 0, 33, CduFont::Large, "- N O N E -");
    } else if (arr_star_state == kArrStarStateChosen) {
        for (int i = f; i <= count(names); ++i) {
            if (names[static_cast<std::size_t>(i - 1)] != sel_star) continue;
            star_column_text(page, 33, cdu_format("%-6s", sel_star.c_str()));
            cdu_text(page, kStarMarkX, 33, CduFont::Large, marker());
            break;
        }
    } else {
        for (int row = 1; row <= 5 && f + row - 1 <= count(names); ++row) {
            const std::string& name = names[static_cast<std::size_t>(f + row - 2)];
            star_column_text(page, row_y(row), cdu_format("%-6s", name.c_str()));
            if (name == sel_star) cdu_text(page, kStarMarkX, row_y(row), CduFont::Large, marker());
        }
    }
    if (arr_star_state != kArrStarStateChosen) return;

    const std::vector<std::string> transitions = star_transitions();
    cdu_text(page, 10, arr_subpage == 1 ? 55.0f : 19.0f, CduFont::Small, "T R A N S");
    if (arr_transition_chosen == 1) {
        if (std::find(transitions.begin(), transitions.end(), sel_star_transition) == transitions.end())
            return;
        star_column_text(page, 66, cdu_format("%-5s", sel_star_transition.c_str()));
        cdu_text(page, kStarMarkX, 66, CduFont::Large, marker());
        return;
    }
    const int first_row = arr_subpage == 1 ? 2 : 1;
    std::size_t i = arr_subpage == 1 ? 0 : static_cast<std::size_t>(5 * arr_subpage - 6);
    for (int row = first_row; row <= 5 && i < transitions.size(); ++row, ++i)
        star_column_text(page, row_y(row), cdu_format("%-5s", transitions[i].c_str()));
}

void star_key(int k) {
    if (arr_star_state != kArrStarStateChosen) {
        const int index = 5 * arr_subpage - 4 + k - 1;
        const std::vector<std::string> names = stars();
        if (index > count(names)) return;
        ChoicesEdit(working_plan)->choose_star(names[static_cast<std::size_t>(index - 1)], destination());
        build_star_legs_b(selected_star_index, 1);
        arr_star_state = kArrStarStateChosen;
        arr_subpage = 1;
        return;
    }
    if (arr_subpage == 1 && k == 1) return; // the chosen STAR's own row
    const int index = arr_subpage == 1 ? k - 1 : 5 * arr_subpage - 5 + k - 1;
    const std::vector<std::string> transitions = star_transitions();
    if (index < 1 || index > static_cast<int>(transitions.size())) return;
    ChoicesEdit(working_plan)->choose_star_transition(transitions[static_cast<std::size_t>(index - 1)]);
    build_star_legs_b(selected_star_index, 1);
    arr_transition_chosen = 1;
    arr_subpage = 1;
}

std::string approach_text(int index) {
    const ApproachFixEntry& entry = approach_fix_list[index];
    return cdu_format("%4s %3s", entry.approach_name.c_str(), entry.runway.c_str());
}

void approach_list_column(CduPage& page, int f) {
    const std::vector<std::string> names = runways();
    const int approaches = approach_fix_list.count();
    if (arr_runway_chosen == 1) {
        cdu_text(page, 190, 19, CduFont::Small, "R U N W A Y S");
        cdu_text(page, 240, 33, CduFont::Large, cdu_format("%-3s", sel_arrival_runway.c_str()));
        cdu_text(page, kRunwayMarkX, 33, CduFont::Large, "<SEL>");
        return;
    }
    if (f == 1 || f <= approaches) cdu_text(page, 160, 19, CduFont::Small, "A P P R O A C H E S");
    const int skip = approaches == 0 ? 1 : 0; // "- N O N E -" takes the first row
    if (approaches == 0 && f == 1) cdu_text(page, 200, 33, CduFont::Large, "- N O N E -");
    const int first_runway = f - approaches - skip;
    if (names.empty() && first_runway > 0) cdu_text(page, 200, 66, CduFont::Large, "- N O N E -");
    const int chosen = chosen_approach_entry();
    bool header = false;
    for (int row = 1; row <= 5; ++row) {
        const int index = f + row - 1;
        const float y = row_y(row);
        if (index <= approaches) {
            cdu_text_right_box(page, y, 13.0f, approach_text(index));
            if (index == chosen) cdu_text(page, kApproachMarkX, y, CduFont::Large, marker());
            continue;
        }
        const int r = index - approaches - skip;
        if (r < 1 || r > count(names)) continue;
        if (!header) cdu_text(page, 190, y - 14.0f, CduFont::Small, "R U N W A Y S");
        header = true;
        const std::string& name = names[static_cast<std::size_t>(r - 1)];
        cdu_text(page, 240, y, CduFont::Large, cdu_format("%-3s", name.c_str()));
        if (name == sel_arrival_runway) cdu_text(page, kRunwayMarkX, y, CduFont::Large, marker());
    }
}

void chosen_approach_column(CduPage& page) {
    const std::vector<std::string> iafs = approach_transitions();
    const int count = static_cast<int>(iafs.size());
    const int chosen = chosen_approach_entry();
    if (chosen >= 1) {
        cdu_text(page, kApproachMarkX, 33, CduFont::Large, marker());
        cdu_text_right_box(page, 33, 13.0f, approach_text(chosen));
    }
    const int f = first_approach_transition();
    if (f <= count || f == 1) cdu_text(page, 220, 52, CduFont::Small, "T R A N S");
    if (count < 1 && arr_subpage == 1) cdu_text(page, 200, 66, CduFont::Large, "- N O N E -");
    if (approach_transition_chosen == 1) {
        cdu_text(page, kApproachMarkX, 66, CduFont::Large, marker());
        cdu_text_right_box(page, 66, 13.0f, cdu_format("%5s", sel_approach_transition.c_str()));
        return;
    }
    for (int row = 2, i = f; row <= 5 && i <= count; ++row, ++i) {
        cdu_text_right_box(page, row_y(row), 13.0f,
                           cdu_format("%5s", iafs[static_cast<std::size_t>(i - 1)].c_str()));
        if (i == approach_transition_index)
            cdu_text(page, kApproachMarkX, row_y(row), CduFont::Large, marker());
    }
}

void choose_approach(int index, int k) {
    const ApproachFixEntry& entry = approach_fix_list[index];
    approach_transition_index = 0;
    ChoicesEdit(working_plan)->choose_approach(entry.approach_name, entry.runway, destination());
    // The pilot's choice replaces an approach that a plan loaded earlier
    // named and that no EXEC has applied yet.
    approach_info.clear();
    select_approach_transition();
    // The STAR's legs for the approach's runway lead to it.
    if (sel_star != kNone) {
        find_star_index(sel_star);
        find_star_runway();
    }
    insert_approach(1);
    build_route_rows();
    find_iaf_transitions();
    approach_chosen = 1;
    if (k > 1) arr_subpage = 1;
}

void choose_runway(int n) {
    select_arrival_runway_b(runways(), n);
}

void approach_key(int k) {
    const int approaches = approach_fix_list.count();
    if (approach_chosen == 1) {
        if (k < 2) return;
        const int index = first_approach_transition() + k - 2;
        approach_transition_index = index;
        const std::vector<std::string> iafs = approach_transitions();
        if (index > static_cast<int>(iafs.size())) return;
        ChoicesEdit(working_plan)->choose_approach_transition(iafs[static_cast<std::size_t>(index - 1)]);
        select_approach_transition();
        insert_approach(1);
        approach_transition_chosen = 1;
        return;
    }
    const int index = 5 * arr_subpage - 4 + k - 1;
    if (arr_runway_chosen == 1) return choose_runway(index);
    if (index <= approaches) return choose_approach(index, k);
    choose_runway(index - approaches - (approaches == 0 ? 1 : 0));
}

int right_subpage_count() {
    const int approaches = approach_fix_list.count();
    if (approach_chosen == 1) {
        if (approach_transition_chosen == 1) return 1;
        return std::max(1, cdu_page_count(static_cast<int>(approach_transitions().size()), 4));
    }
    if (arr_runway_chosen == 1) return 1;
    const int items = count(runways()) + approaches + (approaches == 0 ? 1 : 0);
    return cdu_page_count(items, 5);
}

void count_arrival_subpages() {
    const int left_items =
        arr_star_state == kArrStarStateChosen ? count(star_transitions()) + 1 : count(stars());
    arr_subpage_count = std::max(cdu_page_count(left_items, 5), right_subpage_count());
}

// The lists again, the plan's own choices marked in them.
void unmark_choices() {
    if (arr_star_state == kArrStarStateChosen) arr_star_state = kArrStarStateMarked;
    arr_transition_chosen = 0;
    arr_runway_chosen = 0;
    approach_chosen = 0;
    approach_transition_chosen = 0;
}

} // namespace

void smiths_page_arrivals_keys() {
    // The page lists the destination of the plan it edits, whose detail
    // another unit may have replaced in the shared slot meanwhile.
    const RouteWaypoint* end = edited_destination();
    if (end != nullptr && destination().airport_ident != end->ident)
        load_airport_detail(end->ident, destination_slot);
    // A STAR, transition or approach the page shows as chosen left the
    // plan's choices (a GNS insertion erased the pending change that held
    // it): the page lists afresh, as it opens, rather than a chosen row of
    // nothing.
    const auto none = [](const std::string& choice) { return choice.empty() || choice == kNone; };
    if ((arr_star_state == kArrStarStateChosen && none(sel_star)) ||
        (arr_transition_chosen == 1 && none(sel_star_transition)) ||
        (approach_chosen == 1 && none(sel_approach))) {
        unmark_choices();
        arr_subpage = 1;
    }
    const AirportProcedures& dest = destination();
    count_arrival_subpages();
    cdu_step_subpage(arr_subpage, arr_subpage_count);

    const int lsk = smiths_cdu_lsk;
    if (lsk >= 1 && lsk <= 10) ChoicesEdit(working_plan)->arrival_choice_airport = dest.airport_ident;
    if (lsk >= 1 && lsk <= 5) star_key(lsk);
    if (lsk >= 6 && lsk <= 10) approach_key(lsk - 5);
    if (lsk == 11) {
        if (route_state == kRouteStateActiveModified) {
            erase_route_modification();
            // The choices shown went with the modification: the lists come
            // back with the plan's own marked.
            unmark_choices();
        } else
            smiths_cdu_page = kPageDepArrIndex;
    }
    if (lsk == 12) smiths_cdu_page = kPageRte;
    // The frame that takes a choice (or ERASE) counts the lists it shows.
    count_arrival_subpages();
}

void smiths_page_arrivals(const DisplayObject& display, gfx::Graphics& graphics) {
    CduPage page(display, graphics);
    const int f = 5 * arr_subpage - 4;

    cdu_text(page, 40, 0, CduFont::Large, cdu_format("%s ARRIVALS", title_airport().c_str()));
    cdu_text(page, 220, 0, CduFont::Small,
             cdu_format("%2d / %2d", arr_subpage, std::max(arr_subpage_count, 1)));

    star_column(page, f);
    if (approach_chosen == 1)
        chosen_approach_column(page);
    else
        approach_list_column(page, f);

    cdu_text(page, 2, 184, CduFont::Large, "- - - - - - - - - - - - - - - - - - - - - - - -");
    cdu_text(page, 0, 198, CduFont::Large, route_state == kRouteStateActiveModified ? "<ERASE" : "<INDEX");
    cdu_text(page, 200, 198, CduFont::Large, "ROUTE>");
    cdu_scratchpad_line(page);
}
