#include "pilot_view_check.h"

#include "cdu_smiths/cdu_render.h"
#include "cdu_smiths/rte_legs_page.h"
#include "fms/guidance/route_progress.h"
#include "fms/math/nav_math.h"
#include "fms/plan/holds.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/published_values.h"
#include "fms/units/cdu_text.h"
#include "fms/units/gns_page_state.h"
#include "fms/units/gns_unit_state.h"
#include "fms/units/mcu_page_state.h"
#include "gns_mcu/mcu_unit_state.h"
#include "plan_state_check.h"
#include "platform/gfx_recording.h"
#include "platform/gfx_surface.h"
#include "sim/aircraft_state.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

// The texts one pass of a page routine draws, with their canvas origins.
struct DrawnText {
    float x, y;
    std::string text;
};

std::vector<DrawnText> draw_page(SmithsPageRoutine routine) {
    void* dc = gfx::create_surface_dc(282, 245, gfx::SurfaceRecording);
    render_smiths_routine(smiths_cdu_display, dc, PixelSize{282, 245}, routine);
    std::vector<DrawnText> out;
    for (const gfx::RecordedOp& op : gfx::surface_recording(dc)->ops) {
        if (op.kind == gfx::OpKind::Clear) out.clear();
        if (op.kind == gfx::OpKind::String) out.push_back({op.world_rect.x, op.world_rect.y, op.text});
    }
    gfx::destroy_surface_dc(dc);
    return out;
}

const std::string* text_at(const std::vector<DrawnText>& texts, float x, float y) {
    for (const DrawnText& t : texts)
        if (t.x == x && t.y == y) return &t.text;
    return nullptr;
}

std::string trimmed(const std::string& text) {
    const std::size_t end = text.find_last_not_of(' ');
    return end == std::string::npos ? "" : text.substr(0, end + 1);
}

bool is_gap(const RouteWaypoint& w) {
    return w.ident == "DISCO" || w.ident == "THEN";
}

// The rows of one LEGS sub-page as the pilot reads them: "hold X" for a hold
// row, "gap" for a discontinuity's entry prompt, the identifier for a leg.
// True when the sub-page ends the list with its end line.
bool read_legs_rows(const std::vector<DrawnText>& texts, std::vector<std::string>& rows,
                    std::vector<double>& distances) {
    for (const DrawnText& t : texts)
        if (t.x == 100 && t.text.size() > 3 && t.text.compare(t.text.size() - 3, 3, " NM") == 0)
            distances.push_back(std::atof(t.text.c_str()));
    for (float y = 33; y <= 165; y += 33) {
        if (const std::string* end = text_at(texts, 0, y - 3); end != nullptr && *end == "- - - - - -")
            return true;
        const std::string* ident = text_at(texts, 0, y);
        const std::string* hold = text_at(texts, 20, y - 11);
        if (hold != nullptr && *hold == "H O L D   A T")
            rows.push_back("hold " + (ident != nullptr ? trimmed(*ident) : std::string("?")));
        else if (const std::string* then = text_at(texts, 5, y - 14); then != nullptr && *then == "T H E N")
            rows.push_back("gap");
        else if (ident != nullptr)
            rows.push_back(trimmed(*ident));
    }
    return false;
}

// The listing of `plan` from entry `first` to the entry before `last`.
// A route that ends at a fix lists it: not one that ends at its
// destination airport, at one still to be entered or at a marker.
bool last_entry_listed(const RouteWaypoint& w) {
    for (const char* marker : {"DISCO", "THEN", "******", "------"})
        if (w.ident == marker) return false;
    return !w.ident.empty() && w.type != "APT" && (w.lat != 0.0 || w.lon != 0.0);
}

// An airway row left without its exit is listed as EXEC leaves it, closing
// the rows from the end: a gap, or no row where a gap or another such row
// stands before it or a gap after it.
std::vector<std::string> rows_as_executed(const RoutePlan& plan, int last) {
    std::vector<std::string> shown(static_cast<std::size_t>(last) + 2);
    bool gap_after = false;
    for (int i = last; i >= 0; --i) {
        const std::string& ident = plan[i].ident;
        shown[static_cast<std::size_t>(i)] = ident == "DISCO" ? "gap" : ident;
        if (ident == "THEN" && i >= 1) {
            const bool gone = is_gap(plan[i - 1]) || gap_after;
            shown[static_cast<std::size_t>(i)] = gone ? "" : "gap";
            gap_after = gap_after || !gone;
        } else {
            gap_after = is_gap(plan[i]);
        }
    }
    return shown;
}

std::vector<std::string> legs_rows_expected(const RoutePlan& plan, int first, int last) {
    std::vector<std::string> rows;
    const std::vector<std::string> shown = rows_as_executed(plan, last);
    const int end = last_entry_listed(plan[last]) ? last + 1 : last;
    int before = first - 1;
    while (before > 0 && shown[static_cast<std::size_t>(before)].empty())
        --before;
    for (int i = first; i <= end; ++i) {
        if (i < end && shown[static_cast<std::size_t>(i)].empty()) continue;
        if (before >= 0 && hold_mark(plan, before) > 0) rows.push_back("hold " + plan[before].ident);
        if (i == end) break;
        rows.push_back(shown[static_cast<std::size_t>(i)]);
        before = i;
    }
    return rows;
}

std::string joined(const std::vector<std::string>& rows) {
    std::string out;
    for (const std::string& r : rows)
        out += (out.empty() ? "" : ", ") + r;
    return out;
}

// The distance from the aircraft to the farthest entry of `plan` that is a
// place (not at 0/0).
double farthest_place(const RoutePlan& plan, int last) {
    double farthest = 0.0;
    for (int i = 0; i <= last; ++i) {
        if (plan[i].lat == 0.0 && plan[i].lon == 0.0) continue;
        double distance = 0.0, course = 0.0;
        gc_dist_course(aircraft_state.plat, aircraft_state.plon, plan[i].lat, plan[i].lon, &distance,
                       &course);
        farthest = std::max(farthest, distance);
    }
    return farthest;
}

} // namespace

std::vector<std::string> legs_walk_faults(bool count_current) {
    if (smiths_cdu_page != kPageRteLegs || smiths_legs_mode != kLegsModeList) return {};
    const bool active = route_state == kRouteStateActive;
    const RoutePlan& plan = active ? active_plan.plan() : working_plan;
    const int last = active ? active_plan_last : working_plan_last;
    if (last < 1) return {};
    // Every sub-page up to the one with the end line; NEXT must reach it.
    const int shown = smiths_legs_subpage;
    std::vector<std::string> drawn;
    std::vector<double> distances;
    int rows_page = 0;
    for (int k = 1; k <= kPlanLastIndex; ++k) {
        smiths_legs_subpage = k;
        const std::size_t before = drawn.size();
        const bool end = read_legs_rows(draw_page(smiths_page_rte_legs), drawn, distances);
        if (drawn.size() > before) rows_page = k;
        if (end) break;
    }
    smiths_legs_subpage = shown;
    std::vector<std::string> faults;
    const int count = smiths_legs_subpage_count;
    if (count_current && rows_page > count)
        faults.push_back("RTE LEGS has " + std::to_string(count) + " sub-pages, its list runs to sub-page " +
                         std::to_string(rows_page));
    // A leg between two places of the plan (or the aircraft) is no longer
    // than twice the farthest of them from the aircraft; one through the
    // place a DISCO or THEN entry does not have is.
    const double reach = 2.0 * farthest_place(plan, last) + 1.0;
    for (double d : distances)
        if (d > reach && rule_on("gap"))
            faults.push_back("RTE LEGS shows a leg of " + std::to_string(d) + " NM in a plan within " +
                             std::to_string(reach) + " NM");
    // The flown route starts at its TO waypoint; a modification at the leg
    // it edits.
    const int to = to_waypoint_index == kNoToWaypoint ? 1 : to_waypoint_index;
    bool listed = drawn == legs_rows_expected(plan, to, last);
    for (int first = 1; !active && !listed && first <= last; ++first)
        listed = drawn == legs_rows_expected(plan, first, last);
    if (!listed)
        faults.push_back("RTE LEGS sub-pages list [" + joined(drawn) + "], the plan from " +
                         std::to_string(to) + " is [" + joined(legs_rows_expected(plan, to, last)) + "]");
    return faults;
}

std::vector<std::string> approach_ref_faults(const std::string& approach) {
    const std::vector<DrawnText> texts = draw_page(smiths_page_approach_ref);
    const std::string* row = text_at(texts, 10, 156);
    // No approach: no row, or one that names only a runway.
    const std::string named = approach.empty() ? "---" : approach;
    if (row != nullptr ? row->rfind(" " + named + " ", 0) == 0 : approach.empty()) return {};
    return {"APPROACH REF shows [" + (row != nullptr ? *row : std::string("nothing")) + "], the plan holds " +
            (approach.empty() ? std::string("none") : approach)};
}

std::vector<std::string> published_value_faults(bool measured) {
    std::vector<std::string> faults;
    // The count is the active plan's last index: -1 before any plan.
    const bool route = to_waypoint_index != kNoToWaypoint && active_plan_last >= 1;
    const int pos = route ? to_waypoint_index : 0;
    // The values with no route are a rule of their own: met before any route.
    const bool checked = rule_on(route ? "published" : "noroute");
    if (checked && (orvex_act_wpt_pos != pos || orvex_fpln_wpt_cnt != active_plan_last))
        faults.push_back("published TO " + std::to_string(orvex_act_wpt_pos) + " of " +
                         std::to_string(orvex_fpln_wpt_cnt) + ", the plan's is " + std::to_string(pos) +
                         " of " + std::to_string(active_plan_last));
    if (!measured || !route || to_waypoint_index > active_plan_last) return faults;
    const RouteWaypoint& to = active_plan[to_waypoint_index];
    double distance = 0.0, course = 0.0;
    gc_dist_course(aircraft_state.plat, aircraft_state.plon, to.lat, to.lon, &distance, &course);
    if (!is_gap(to) && std::fabs(orvex_act_wpt_dist - distance) > 0.5) {
        char text[160];
        std::snprintf(text, sizeof text, "published distance %.2f NM, %s is %.2f NM away", orvex_act_wpt_dist,
                      to.ident.c_str(), distance);
        if (rule_on("published")) faults.push_back(text);
    }
    // Along the route to the destination, a discontinuity bridged at the
    // most: never through the place its entry does not have.
    double along = distance;
    const RouteWaypoint* from = &to;
    for (int i = to_waypoint_index + 1; i <= active_plan_last; ++i) {
        if (is_gap(active_plan[i])) continue;
        double leg = 0.0;
        gc_dist_course(from->lat, from->lon, active_plan[i].lat, active_plan[i].lon, &leg, &course);
        along += leg;
        from = &active_plan[i];
    }
    if (distance_to_destination > along + 1.0 && rule_on("gap")) {
        char text[160];
        std::snprintf(text, sizeof text, "distance to the destination %.1f NM, the route's is %.1f NM",
                      distance_to_destination, along);
        faults.push_back(text);
    }
    return faults;
}

std::vector<std::string> unit_list_faults() {
    std::vector<std::string> faults;
    if (mcu_mode == MCU_LEGS && active_plan_last >= 1 &&
        (mcu_legs_index < 1 || mcu_legs_index > active_plan_last))
        faults.push_back("MCU LEGS on leg " + std::to_string(mcu_legs_index) + " of a plan of " +
                         std::to_string(active_plan_last));
    const bool plans = gns_state == GNS_FLIGHT_PLAN;
    if (plans && gns_sub_state == kGnsSubStateActivePlan &&
        (gns_active_page < 1 || gns_active_page > gns_active_page_count))
        faults.push_back("GNS plan page " + std::to_string(gns_active_page) + " of " +
                         std::to_string(gns_active_page_count));
    if (plans && gns_sub_state == kGnsSubStateStoredPlans && gns_plan_open == 1 &&
        (gns_open_plan_page < 1 || gns_open_plan_page > gns_open_plan_page_count))
        faults.push_back("GNS stored plan page " + std::to_string(gns_open_plan_page) + " of " +
                         std::to_string(gns_open_plan_page_count));
    if (smiths_cdu_page == kPageRteLegs &&
        (smiths_legs_subpage < 1 || smiths_legs_subpage > std::max(smiths_legs_subpage_count, 1)))
        faults.push_back("RTE LEGS sub-page " + std::to_string(smiths_legs_subpage) + " of " +
                         std::to_string(smiths_legs_subpage_count));
    return faults;
}
