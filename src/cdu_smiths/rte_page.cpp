// The RTE page (22): one pass steps the sub-page, acts on the pending key,
// then draws the sub-page, so an accepted entry shows in the same frame.
#include "cdu_smiths/rte_page.h"

#include "cdu_smiths/cdu_page_conventions.h"
#include "cdu_smiths/smiths_pages.h"
#include "fms/plan/route_exec.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/plan/route_values.h"
#include "fms/plan/selection_texts.h"
#include "fms/units/cdu_text.h"

#include <algorithm>

namespace {

const char* const kNone = "------";
constexpr float kToBoxes[5] = {220, 230, 240, 250, 260};

bool none(const std::string& text) {
    return text.empty() || text == kNone;
}

void draw_title(CduPage& page) {
    if (route_state == kRouteStateActive) cdu_text(page, 18, 0, CduFont::Large, "ACT");
    if (route_state == kRouteStateActiveModified) cdu_inverse_text(page, 20, 18, 0, "MOD");
    cdu_text(page, 63, 0, CduFont::Large, "RTE");
    cdu_text(page, 220, 0, CduFont::Small,
             cdu_format("%2d/%2d", smiths_rte_subpage, smiths_rte_subpage_count));
}

void draw_origin_dest(CduPage& page) {
    cdu_text(page, 12, 22, CduFont::Small, "O R I G I N");
    if (route_state == kRouteStateActiveModified && !origin_airport_ident.empty())
        cdu_inverse_text(page, 3, 0, 33, origin_airport_ident);
    else if (none(route_origin_ident))
        cdu_text(page, 0, 33, CduFont::Large, "- - - - -");
    else
        cdu_text(page, 0, 33, CduFont::Large, cdu_format("%5s", route_origin_ident.c_str()));

    cdu_text(page, 220, 22, CduFont::Small, "D E S T");
    if (none(route_destination_ident))
        cdu_box_prompts(page, kToBoxes, 38);
    else if (route_state == kRouteStateActiveModified && !none(destination_airport_ident))
        cdu_inverse_text(page, 213, 210, 33, destination_airport_ident);
    else
        cdu_text(page, 210, 33, CduFont::Large, cdu_format("%5s", route_destination_ident.c_str()));

    cdu_text(page, 12, 55, CduFont::Small, "C O   R O U T E");
    cdu_text(page, 0, 66, CduFont::Large, "- - - - - -");
    if (!none(route_origin_ident)) {
        cdu_text(page, 12, 88, CduFont::Small, "R U N W A Y");
        if (none(applied_departure_runway))
            cdu_text(page, 0, 104, CduFont::Large, "- - - - -");
        else if (route_state == kRouteStateActiveModified && !none(pending_departure_runway))
            cdu_inverse_text(page, 0, 0, 104, pending_departure_runway);
        else
            cdu_text(page, 0, 104, CduFont::Large, applied_departure_runway);
    }
    cdu_text(page, 2, 132, CduFont::Large, "- - - - - - - - - - - - - - - - - - - - - - - -");
}

bool is_open_row(const std::string& to) {
    return to == "THEN" || to == "DISCO";
}

void draw_route_rows(CduPage& page, int first_row) {
    cdu_text(page, 12, 22, CduFont::Small, "V I A");
    cdu_text(page, 240, 22, CduFont::Small, "T O");
    int drawn = 0;
    float y = 36;
    for (int r = first_row; r <= route_rows_last && drawn < 5; ++r, ++drawn, y += 33) {
        const RouteRow& row = route_rows[r];
        if (is_open_row(row.to)) {
            cdu_text(page, 0, y, CduFont::Large, row.to == "DISCO" ? "- - - - - -" : row.via);
            cdu_text(page, 100, y - 11, CduFont::Small, "THEN");
            cdu_box_prompts(page, kToBoxes, y);
            continue;
        }
        if (r > 1 && is_open_row(route_rows[r - 1].to)) {
            cdu_text(page, 0, y - 11, CduFont::Small, "- -   R O U T E    D I S C O N T I N U I T Y  -");
            cdu_text(page, 0, y, CduFont::Large, "- - - - - -");
        } else {
            cdu_text(page, 0, y, CduFont::Large, row.via);
        }
        cdu_text_right_box(page, y, 16, row.to);
    }
    if (drawn < 5) {
        cdu_text(page, 0, y, CduFont::Large, "- - - - - -");
        cdu_text(page, 210, y, CduFont::Large, "- - - - -");
    }
    cdu_text(page, 0, 187, CduFont::Large, "- - - - - - - - - - - - - - - - - - - - - - - - -");
}

void draw_bottom(CduPage& page) {
    if (route_state == kRouteStateActiveModified) cdu_text(page, 0, 198, CduFont::Large, "< ERASE");
    if (route_state == kRouteStateEntered) cdu_text(page, 160, 202, CduFont::Large, "ACTIVATE >");
    if (route_state >= kRouteStateActivated && route_state <= kRouteStateActiveModified)
        cdu_text(page, 160, 202, CduFont::Large, "PERF INIT >");
}

void count_rte_subpages() {
    smiths_rte_subpage_count = std::max((route_rows_last + 1 + 4) / 5 + 1, 2);
}

} // namespace

bool route_row_span(int row, RouteRowSpan& span) {
    span = RouteRowSpan{};
    if (row == 0) {
        span = {0, 0};
        return true;
    }
    // The grouping of build_route_rows: a direct entry is a row of its own,
    // an airway row runs while the airway stays the same.
    int current = 0;
    std::string previous;
    for (int i = 1; i <= working_plan_last - 1; ++i) {
        const RouteWaypoint& entry = working_plan[i];
        const bool extends = !entry.via.empty() && entry.via == previous && entry.ident != "THEN";
        previous = entry.via.empty() ? "DIRECT" : entry.via;
        if (!extends) {
            if (current == row) return true;
            ++current;
            if (current == row) span.first = i;
        }
        if (current == row) span.to = i;
    }
    if (current == row) return true;
    if (row == current + 1 && working_plan_last >= 0) {
        span = {working_plan_last, working_plan_last};
        return true;
    }
    return false;
}

void smiths_page_rte_keys() {
    if (smiths_rte_entry == 1 && route_state == kRouteStateActive) copy_active_plan_to_working();
    // The rows are the plan's as it stands, whatever changed it since the
    // last frame: another unit's edit, or the arrival a new DEST dropped.
    build_route_rows();
    count_rte_subpages();
    cdu_step_subpage(smiths_rte_subpage, smiths_rte_subpage_count);
    if (smiths_rte_subpage == 1)
        rte_origin_dest_keys();
    else
        rte_route_row_keys(5 * (smiths_rte_subpage - 2) + 1);
    // The frame that takes an entry (or ERASE) shows and counts its rows.
    build_route_rows();
    count_rte_subpages();
}

void smiths_page_rte(const DisplayObject& display, gfx::Graphics& graphics) {
    CduPage page(display, graphics);
    draw_title(page);
    const int first_row = 5 * (smiths_rte_subpage - 2) + 1;
    if (smiths_rte_subpage == 1)
        draw_origin_dest(page);
    else
        draw_route_rows(page, first_row);
    draw_bottom(page);
    cdu_scratchpad_line(page);
}
