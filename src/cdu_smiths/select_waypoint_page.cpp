// SELECT WAYPOINT (page 9): the candidates of an identifier that the
// database holds more than once, six a sub-page, each with its kind, extra
// text and position. A row key takes one for the page that sent the pilot
// here (RTE, RTE LEGS or REF NAV DATA), which shows again.
#include "cdu_smiths/cdu_page_conventions.h"
#include "cdu_smiths/rte_page.h"
#include "cdu_smiths/smiths_pages.h"
#include "fms/math/lat_lon_text.h"
#include "fms/nav/nearest_vors.h"
#include "fms/plan/airways.h"
#include "fms/plan/plan_editing.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/units/cdu_text.h"
#include "sim/aircraft_state.h"

namespace {

constexpr int kRowsPerSubpage = 6;

// The candidates shown: first is candidate f, rows the number drawn.
struct ShownCandidates {
    int first = 1;
    int rows = 0;
};

ShownCandidates shown_candidates() {
    ShownCandidates s;
    s.first = kRowsPerSubpage * (smiths_select_subpage - 1) + 1;
    const int left = candidate_count() - s.first + 1;
    s.rows = left < 0 ? 0 : (left > kRowsPerSubpage ? kRowsPerSubpage : left);
    return s;
}

// Reversed: PREV goes up a sub-page, NEXT down. A sub-page left by a longer
// list comes back into range first, so the page never shows no rows.
void step_subpage() {
    const int count = smiths_select_subpage_count;
    int& sub = smiths_select_subpage;
    sub = cdu_clamp_subpage(sub, count);
    if (smiths_cdu_prev_page == 1 && ++sub > count) sub = 1;
    if (smiths_cdu_next_page == 1 && --sub < 1) sub = count;
}

// The row (1..6) a line-select key picks, 0 for none.
int chosen_row(const ShownCandidates& shown) {
    const int code = smiths_cdu_lsk;
    int n = 0;
    if (code >= 1 && code <= 5)
        n = code;
    else if (code >= 6 && code <= 10)
        n = code - 5;
    else if (code == 11 || code == 12)
        n = 6;
    return n <= shown.rows ? n : 0;
}

// Inserted at the RTE row's TO (before the destination for the entry row),
// as a single match typed there would be.
void insert_into_route(int candidate) {
    select_candidate(candidate);
    RouteRowSpan row;
    if (!route_row_span(smiths_select_plan_index, row) || !insert_discontinuity(row.to)) {
        smiths_scratchpad_message = "INVALID ENTRY";
    } else {
        build_route_rows();
        mark_route_edited();
        smiths_scratchpad.clear();
    }
    smiths_cdu_page = kPageRte;
}

void return_to_legs(int candidate) {
    const int return_page = smiths_select_return_page;
    if (smiths_select_plan_index > 0) {
        if (candidate > 0) {
            if (!create_user_waypoint_mod(smiths_select_plan_index, candidate, aircraft_state.magvar))
                smiths_scratchpad_message = "INVALID ENTRY";
            smiths_cdu_page = return_page;
        }
        if (smiths_cdu_lsk >= 1 && smiths_cdu_lsk <= 11) build_route_rows();
        return;
    }
    // HOLD AT: the pilot picks the holding fix, which the next "HOLD AT "
    // row key of RTE LEGS inserts. Direct-to has taken the nearest already.
    if (smiths_legs_mode == kLegsModeHoldAt) {
        if (candidate > 0) {
            hold_at_candidate = candidate;
            smiths_cdu_page = return_page;
        }
        return;
    }
    if (smiths_legs_mode == kLegsModeList) {
        hold_at_candidate = shown_candidates().first;
        smiths_scratchpad = "HOLD AT " + smiths_scratchpad;
    }
    smiths_cdu_page = return_page;
}

void act_on_key(const ShownCandidates& shown) {
    const int n = chosen_row(shown);
    const int candidate = n > 0 ? shown.first + n - 1 : 0;
    if (smiths_select_return_page == kPageRefNavData) {
        if (candidate == 0) return;
        select_ref_nav_candidate(candidate);
        smiths_cdu_page = kPageRefNavData;
    } else if (smiths_select_return_page == kPageRte) {
        if (candidate > 0) insert_into_route(candidate);
    } else {
        return_to_legs(candidate);
    }
}

const char* type_text(const std::string& kind) {
    if (kind == "V") return "VOR";
    if (kind == "N") return "NDB";
    return "INT";
}

void draw_rows(CduPage& page, const ShownCandidates& shown) {
    for (int j = 0; j < shown.rows; ++j) {
        const NavListRecord& c = candidate_list()[shown.first + j];
        std::string lat, lon;
        format_lat_lon_dms(c.latitude, -c.longitude, &lat, &lon, kDmsDegrees);
        const float y = 33.0f + 33.0f * static_cast<float>(j);
        cdu_text(page, 40, y, CduFont::Large,
                 cdu_format("%-6s  %3s  %6s", c.ident.c_str(), type_text(c.kind), c.extra.c_str()));
        cdu_text(page, 55, y + 15.0f, CduFont::Large, cdu_format("%-12s %-12s", lat.c_str(), lon.c_str()));
    }
}

} // namespace

void smiths_page_select_waypoint_keys() {
    smiths_select_subpage_count = cdu_page_count(candidate_count(), kRowsPerSubpage);
    if (smiths_select_subpage_count < 1) smiths_select_subpage_count = 1;
    step_subpage();
    act_on_key(shown_candidates());
}

void smiths_page_select_waypoint(const DisplayObject& display, gfx::Graphics& graphics) {
    CduPage page(display, graphics);
    cdu_text(page, 40, 0, CduFont::Large, "SELECT WAYPOINT");
    cdu_text(page, 220, 0, CduFont::Large,
             cdu_format("%2d/%2d", smiths_select_subpage, smiths_select_subpage_count));
    draw_rows(page, shown_candidates());
}
