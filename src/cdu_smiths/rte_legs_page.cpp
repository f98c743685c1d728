// RTE LEGS listing: the sub-page's first index, the row indices the keys
// use, the title, the rows with course, distance and constraints, and the
// bottom lines and prompts of each mode.
#include "cdu_smiths/rte_legs_page.h"

#include "cdu_smiths/cdu_page_conventions.h"
#include "cdu_smiths/cdu_render.h"
#include "cdu_smiths/smiths_pages.h"
#include "data/display_settings.h"
#include "data/module_settings.h"
#include "fms/exec/exec_cursors.h"
#include "fms/math/nav_math.h"
#include "fms/plan/airways.h"
#include "fms/plan/entry_marks.h"
#include "fms/plan/holds.h"
#include "fms/plan/plan_legs.h"
#include "fms/plan/route_exec.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/units/cdu_text.h"
#include "sim/aircraft_state.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kEntryBoxes[5] = {1, 10, 20, 30, 40};

const RoutePlan& displayed_plan() {
    return route_state == kRouteStateActive ? active_plan.plan() : working_plan;
}

int displayed_last() {
    return route_state == kRouteStateActive ? active_plan_last : working_plan_last;
}

int displayed_end() {
    return legs_end_index(displayed_plan(), displayed_last());
}

bool has_hold(const RoutePlan& plan, int last, int i) {
    return i >= 0 && i <= last && hold_mark(plan, i) > 0;
}

// An airway row left without its exit is listed as what EXEC makes of it:
// a discontinuity, or no row where the route breaks beside it already.
bool listed(const RoutePlan& plan, int i) {
    return open_airway_end(plan, i) != OpenAirwayEnd::Gone;
}

int next_listed(const RoutePlan& plan, int i) {
    do
        ++i;
    while (!listed(plan, i) && i <= kPlanLastIndex);
    return i;
}

// The entry listed before entry i: its hold row comes before i's row.
int previous_listed(const RoutePlan& plan, int i) {
    int p = i - 1;
    while (p > 0 && !listed(plan, p))
        --p;
    return p;
}

bool listed_as_gap(const RoutePlan& plan, int i) {
    const EntryKind k = entry_kind(plan[i]);
    return k == EntryKind::Gap || k == EntryKind::PlacedGap || open_airway_end(plan, i) == OpenAirwayEnd::Gap;
}

int first_index_of_first_subpage() {
    const int to_base = to_waypoint_index == kNoToWaypoint ? 1 : to_waypoint_index;
    if (route_state != kRouteStateActiveModified) return to_base;
    // Another unit's page may have left the cursor past the plan the
    // modification copied: that is no edit position, and the TO index of
    // the longer flown plan may lie past it too.
    const bool on_plan = working_cursor_index >= 1 && working_cursor_index <= working_plan_last;
    if (!on_plan) return std::clamp(to_base, 1, std::max(working_plan_last, 1));
    // The cursor follows the TO, which passes over a gap to the place after
    // it: the gap's entry row, where the pilot closes it, opens the page.
    int s = working_cursor_index;
    while (s > 1 && is_unflown(working_plan[s - 1]))
        --s;
    return s;
}

// One row of the listing as it runs on from the first sub-page: the row of
// entry i, or before it the hold row of entry i-1. The sub-pages cut this
// run every five rows, so that a hold row at the foot of a sub-page is not
// shown again on the next, nor a waypoint skipped for a hold that did not
// fit before it.
struct ListingWalk {
    const RoutePlan& plan;
    int last;
    int i;
    bool hold_first;
    int rows = 0;

    // l: the end line's index (legs_end_index).
    ListingWalk(const RoutePlan& p, int l, int s)
        : plan(p), last(l), i(listed(p, s) ? s : next_listed(p, s)),
          hold_first(has_hold(p, l, previous_listed(p, i))) {}
    bool at_end() const { return i > last || i < 1 || (i == last && !hold_first); }
    void step() {
        ++rows;
        if (hold_first) {
            hold_first = false;
        } else {
            hold_first = has_hold(plan, last, i);
            i = next_listed(plan, i);
        }
    }
};

LegsPageStart page_start(int subpage) {
    ListingWalk walk(displayed_plan(), displayed_end(), first_index_of_first_subpage());
    for (int n = 5 * (std::max(subpage, 1) - 1); n > 0 && !walk.at_end(); --n)
        walk.step();
    return {walk.i, walk.hold_first};
}

LegsRows row_indices(LegsPageStart start, int last) {
    LegsRows rows;
    rows.s = start.s;
    rows.last = last;
    const int before = previous_listed(working_plan, start.s);
    const bool first_is_hold = start.hold_first && has_hold(working_plan, working_plan_last, before);
    rows.index[1] = first_is_hold ? before : start.s;
    rows.hold_row[1] = first_is_hold;
    for (int k = 1; k <= 4; ++k) {
        const bool waypoint_row = !rows.hold_row[k];
        const bool next_is_hold = waypoint_row && has_hold(working_plan, working_plan_last, rows.index[k]);
        rows.index[k + 1] = next_is_hold ? rows.index[k] : next_listed(working_plan, rows.index[k]);
        rows.hold_row[k + 1] = next_is_hold;
    }
    return rows;
}

// The sub-pages that the listing's rows and its end line fill, five rows to
// a sub-page. The rows start at the first sub-page's index (the TO waypoint
// on a flown route), so entries already flown and holds of the other plan
// add no empty sub-pages. An empty plan has none; a listing of the end line
// alone is sub-page 1.
int subpage_count(int last) {
    ListingWalk walk(displayed_plan(), legs_end_index(displayed_plan(), last),
                     first_index_of_first_subpage());
    while (!walk.at_end())
        walk.step();
    if (walk.rows == 0) return hold_count() + last <= 0 ? 0 : 1;
    return (walk.rows + 1 + 4) / 5;
}

void step_subpage() {
    const int count = smiths_legs_subpage_count;
    if (smiths_cdu_next_page == 1)
        smiths_legs_subpage = smiths_legs_subpage >= count ? 1 : smiths_legs_subpage + 1;
    if (smiths_cdu_prev_page == 1)
        smiths_legs_subpage = smiths_legs_subpage <= 1 ? count : smiths_legs_subpage - 1;
    smiths_legs_subpage = cdu_clamp_subpage(smiths_legs_subpage, count);
}

void keep_map_step(int s, int last) {
    const bool step_keys = (smiths_cdu_next_page == 1 && s < last) || smiths_cdu_prev_page == 1;
    if ((smiths_plan_format_shown() && step_keys) || smiths_legs_map_step == 0) legs_map_step = s;
}

void draw_title(CduPage& page) {
    if (route_state == kRouteStateActive) cdu_text(page, 20, 0, CduFont::Large, "ACT");
    if (route_state == kRouteStateActiveModified) cdu_inverse_text(page, 20, 18, 0, "MOD");
    cdu_text(page, 63, 0, CduFont::Large, "RTE    LEGS");
    // An empty plan has no sub-page: it reads 1 / 0.
    cdu_text(page, 220, 0, CduFont::Small,
             cdu_format("%2d / %2d", smiths_legs_subpage, smiths_legs_subpage_count));
}

// Magnetic course of the leg into entry i, as the row shows it.
double leg_course(const RoutePlan& plan, int i, double* distance) {
    // An entry not flown is no place: the leg runs from the place before it.
    const RouteWaypoint& from = plan[place_at_or_before(plan, i - 1)];
    double from_lat = from.lat, from_lon = from.lon;
    // Nor is an origin still to be entered (a destination typed first): the
    // aircraft stands in for it.
    if ((route_state == kRouteStateActive && i == to_waypoint_index) || !is_place(from)) {
        from_lat = aircraft_state.plat;
        from_lon = aircraft_state.plon;
    }
    double course = 0.0;
    gc_dist_course(from_lat, from_lon, plan[i].lat, plan[i].lon, distance, &course);
    course -= aircraft_state.magvar;
    if (course >= 360.0) course -= 360.0;
    if (course < 0.0) course += 360.0;
    const bool intercept_row = route_state == kRouteStateActive ? i == to_waypoint_index : i == 1;
    if (intercept_row && plan[i].course > -1.0) course = plan[i].course;
    return course < 0.5 ? course + 360.0 : course;
}

std::string altitude_text(const RouteWaypoint& w) {
    if (predicted_altitude(w) <= kNoConstraint) return "- - - - - -";
    double altitude = predicted_altitude(w);
    if (route_state == kRouteStateActive) altitude = std::trunc(altitude / 100.0) * 100.0;
    const char* suffix = w.altitude_kind == AltitudeKind::Pilot ? "A" : "";
    if (altitude > TransAlt) return cdu_format("FL%03.0f%s", altitude / 100.0, suffix);
    return cdu_format("%5.0f%s", altitude, suffix);
}

void draw_waypoint_row(CduPage& page, const RoutePlan& plan, int i, float y) {
    const RouteWaypoint& w = plan[i];
    if (listed_as_gap(plan, previous_listed(plan, i))) {
        cdu_text(page, 7, y - 11, CduFont::Small, ". .  R O U T E  D I S C O N T I N U I T Y  .");
    } else if (is_place(w)) {
        double distance = 0.0;
        const double course = leg_course(plan, i, &distance);
        cdu_text(page, 20, y - 11, CduFont::Small, cdu_format("%03.0f\xB0", course));
        cdu_text(page, 100, y - 11, CduFont::Small, cdu_format("%5.0f NM", distance));
    }
    const std::string ident = cdu_format("%-5s", w.ident.c_str());
    if (i == to_waypoint_index && route_state != kRouteStateActiveModified) {
        cdu_fill_text_box(0, static_cast<int>(y), page.g, static_cast<int>(w.ident.size()));
        page.g.draw_string(ident, page.large, page.black, gfx::PointF{0, y});
    } else {
        cdu_text(page, 0, y, CduFont::Large, ident);
    }
    if (i == smiths_legs_map_step && smiths_plan_format_shown())
        cdu_text(page, 80, y, CduFont::Large, "<CTR>");
    // No speed is no constraint: an airway's THEN entry holds -1.
    cdu_text(page, 150, y, CduFont::Large,
             predicted_speed(w) <= 0.0 ? "- - - -" : cdu_format("%5.0f", predicted_speed(w)));
    cdu_text(page, 200, y, CduFont::Large, "/");
    cdu_text_right_box(page, y, 13, altitude_text(w));
}

void draw_end_line(CduPage& page, float y) {
    cdu_text(page, 0, y - 3, CduFont::Large, "- - - - - -");
}

void draw_rows(CduPage& page, LegsPageStart start) {
    const RoutePlan& plan = displayed_plan();
    const int last = displayed_last();
    const int end = legs_end_index(plan, last);
    int row = 0;
    float y = 33;
    for (int i = start.s;; i = next_listed(plan, i), y += 33) {
        if (++row > 5) return;
        const int before = previous_listed(plan, i);
        if ((i != start.s || start.hold_first) && has_hold(plan, last, before)) {
            cdu_text(page, 20, y - 11, CduFont::Small, "H O L D   A T");
            cdu_text(page, 0, y, CduFont::Large, cdu_format("%-5s", plan[before].ident.c_str()));
            cdu_text(page, 130, y, CduFont::Large, "- - - - / - - - - - -");
            y += 33;
            if (++row > 5) return;
        }
        if (i > end || i < 1) {
            draw_end_line(page, y);
            return;
        }
        if (listed_as_gap(plan, i) && i < last) {
            cdu_text(page, 5, y - 14, CduFont::Small, "T H E N");
            cdu_box_prompts(page, kEntryBoxes, y);
        } else if (i == end) {
            draw_end_line(page, y);
            return;
        } else {
            draw_waypoint_row(page, plan, i, y);
        }
    }
}

void draw_mode_lines(CduPage& page) {
    const bool map_ctr = hw_b737_nd_mode == kB737NdModePlan;
    switch (smiths_legs_mode) {
    case kLegsModeDirectTo:
        if (direct_to_entered == 0) {
            cdu_text(page, 0, 184, CduFont::Small, "D I R E C T    T O                    I N T C    L E G");
            cdu_text(page, 100, 179, CduFont::Large, "- - - - - -");
            cdu_box_prompts(page, kEntryBoxes, 198);
            cdu_text(page, 165, 198, CduFont::Small, "T O");
            cdu_box_prompts(page, {200, 210, 220, 230, 240}, 198);
        } else {
            cdu_text(page, 0, 184, CduFont::Small,
                     ". . . . . . . . . . . . . . . . . . . . . . . I N T C    C R S");
            double course = kNoConstraint;
            if (legs_edit_index > 0 && legs_edit_index <= working_plan_last &&
                working_plan[legs_edit_index].course > -1.0)
                course = working_plan[legs_edit_index].course;
            else if (to_waypoint_index >= 0 && to_waypoint_index <= working_plan_last &&
                     working_plan[to_waypoint_index].course > -1.0)
                course = working_plan[to_waypoint_index].course;
            cdu_text(page, 215, 193, CduFont::Large,
                     course > -1.0 ? cdu_format("%03.0f\xB0", course) : "- - -");
        }
        break;
    case kLegsModeHoldAt:
        cdu_text(page, 0, 176, CduFont::Large, "- - - - - - -                  - - - - - - - - - -");
        cdu_text(page, 80, 181, CduFont::Small, "H O L D  A T");
        if (holding_active == 0) cdu_box_prompts(page, {5, 15, 25, 35, 45}, 198);
        cdu_text(page, 190, 198, CduFont::Large, "PPOS >");
        break;
    default:
        if (route_state == kRouteStateActiveModified) {
            cdu_text(page, 0, 174, CduFont::Large,
                     map_ctr ? ". . . . . . . . . . . . . . . . . ."
                             : ". . . . . . . . . . . . . . . . . . . . . . . .");
        } else {
            cdu_text(page, 10, 184, CduFont::Small, "R N P / A C T U A L");
            cdu_text(page, 120, 174, CduFont::Large, map_ctr ? ". . . . . ." : ". . . . . . . . . . . . .");
            cdu_text(page, 0, 198, CduFont::Small, "1 . 0 0 / 0 . 0 0 N M");
        }
        if (map_ctr) cdu_text(page, 180, 184, CduFont::Small, "M A P  C T R");
        break;
    }
}

void draw_prompts(CduPage& page) {
    const bool plan_format = smiths_plan_format_shown();
    if (route_state == kRouteStateEntered) {
        cdu_text(page, plan_format ? 190 : 170, 198, CduFont::Large, plan_format ? "STEP >" : "ACTIVATE >");
    } else if (route_state >= kRouteStateActivated && route_state <= kRouteStateActiveModified &&
               smiths_legs_mode == kLegsModeList) {
        cdu_text(page, plan_format ? 190 : 160, 198, CduFont::Large, plan_format ? "STEP >" : "RTE DATA >");
    } else if (plan_format) {
        cdu_text(page, 190, 198, CduFont::Large, "STEP >");
    }
    if (route_state == kRouteStateActiveModified) cdu_text(page, 0, 198, CduFont::Large, "< ERASE");
}

} // namespace

int legs_end_index(const RoutePlan& plan, int last) {
    if (last < 1) return last;
    const RouteWaypoint& w = plan[last];
    return is_place(w) && w.type != "APT" ? last + 1 : last;
}

void smiths_page_rte_legs_keys() {
    // The LEGS and HOLD keys open the page on a fresh copy of the active plan.
    if ((smiths_legs_entry == 1 || smiths_hold_entry == 1) &&
        (route_state == kRouteStateNone || route_state == kRouteStateActive))
        copy_active_plan_to_working();
    if (smiths_legs_mode == kLegsModeDirectTo && direct_to_entered == 0 && smiths_cdu_lsk == 12)
        smiths_cdu_lsk = 11;

    const int last = displayed_last();
    smiths_legs_subpage = cdu_clamp_subpage(smiths_legs_subpage, smiths_legs_subpage_count);
    const LegsPageStart start = page_start(smiths_legs_subpage);
    smiths_legs_subpage_count = subpage_count(last);
    step_subpage();
    keep_map_step(start.s, last);
    rte_legs_act(row_indices(start, last));
    // A key that changed the plan or the state changes what the sub-pages
    // list: the count the page draws follows it in the same frame.
    smiths_legs_subpage_count = subpage_count(displayed_last());
    smiths_legs_subpage = cdu_clamp_subpage(smiths_legs_subpage, smiths_legs_subpage_count);
}

void smiths_page_rte_legs(const DisplayObject& display, gfx::Graphics& graphics) {
    CduPage page(display, graphics);
    draw_title(page);
    draw_rows(page, page_start(smiths_legs_subpage));
    draw_mode_lines(page);
    draw_prompts(page);
    cdu_scratchpad_line(page);
}
