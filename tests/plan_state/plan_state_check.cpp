#include "plan_state_check.h"

#include "fms/plan/entry_marks.h"
#include "fms/plan/holds.h"
#include "fms/plan/plan_invariants.h"
#include "fms/plan/route_exec.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/plan/selection_texts.h"
#include "fms/published_values.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

// An entry as the pilot sees it: with its prediction and hold.
std::string entry_text(const RoutePlan& plan, int i) {
    const RouteWaypoint& w = plan[i];
    char buffer[200];
    std::snprintf(buffer, sizeof buffer, "%s %.5f %.5f %s via=%s kind=%s alt=%.0f spd=%.0f hold=%d",
                  w.ident.c_str(), w.lat, w.lon, w.type.c_str(), w.via.c_str(), w.kind.c_str(),
                  predicted_altitude(w), predicted_speed(w), hold_mark(plan, i));
    return buffer;
}

std::string hold_text(int slot) {
    const HoldEntry& h = hold_list[slot];
    char buffer[120];
    std::snprintf(buffer, sizeof buffer, "hold %d %s active=%d working=%d", slot, h.ident.c_str(),
                  h.active_index(), h.working_index());
    return buffer;
}

bool none(const std::string& text) {
    return text.empty() || text == "------";
}

void check_to_waypoint(std::vector<std::string>& faults) {
    if (to_waypoint_index == kNoToWaypoint) return;
    if (to_waypoint_index < 1 || to_waypoint_index > active_plan_last)
        faults.push_back("TO index " + std::to_string(to_waypoint_index) + " outside 1.." +
                         std::to_string(active_plan_last));
    else if (const std::string& to = active_plan[to_waypoint_index].ident;
             rule_on("gap") && (to == "DISCO" || to == "THEN" || to.empty()))
        faults.push_back("TO waypoint " + std::to_string(to_waypoint_index) + " is a " +
                         (to.empty() ? "destination still to be entered" : to + " entry"));
    for (int i = 0; i <= active_plan_last; ++i) {
        const RouteWaypoint& w = active_plan[i];
        // A destination entered first leaves the origin to be entered, and
        // an origin entered first the destination.
        if ((i == 0 || i == active_plan_last) && w.ident.empty()) continue;
        if (w.lat == 0.0 && w.lon == 0.0 && w.ident != "DISCO" && w.ident != "THEN")
            faults.push_back("active[" + std::to_string(i) + "] " + entry_text(active_plan, i) + " at 0/0");
    }
}

void check_published(std::vector<std::string>& faults) {
    for (double v : {orvex_act_wpt_dist, orvex_xtk_err_dist, orvex_act_wpt_trk, orvex_act_wpt_brg})
        if (std::isnan(v)) faults.push_back("a published value is NaN");
    // TO 0 is "no TO waypoint", also beside the count -1 of no plan.
    if (orvex_act_wpt_pos > 0 && orvex_act_wpt_pos > orvex_fpln_wpt_cnt)
        faults.push_back("published TO " + std::to_string(orvex_act_wpt_pos) + " past the count " +
                         std::to_string(orvex_fpln_wpt_cnt));
    // The array other modules read is the flown plan with what stands beside it.
    for (int i = 0; i <= std::min(active_plan_last, kPlanLastIndex); ++i) {
        const RouteWaypoint& w = active_plan[i];
        const RouteWaypoint& p = active_plan_entries[i];
        if (p.ident != w.ident || p.alt_constraint != predicted_altitude(w) ||
            p.speed_constraint != predicted_speed(w) || p.passing_time != passing_time(w) ||
            p.hold_number != hold_mark(active_plan, i))
            faults.push_back("published[" + std::to_string(i) + "] " + p.ident + " is not " +
                             entry_text(active_plan, i));
    }
}

} // namespace

bool rule_on(const char* name) {
    const char* off = std::getenv("PLAN_RULES_OFF");
    if (off == nullptr) return true;
    const std::string list = std::string(",") + off + ",";
    return list.find(std::string(",") + name + ",") == std::string::npos;
}

PlanSnapshot take_plan_snapshot() {
    PlanSnapshot s;
    s.lines.push_back("state " + std::to_string(route_state) + " to " + std::to_string(to_waypoint_index) +
                      " last " + std::to_string(active_plan_last));
    for (int i = 0; i <= active_plan_last; ++i)
        s.lines.push_back("active[" + std::to_string(i) + "] " + entry_text(active_plan, i));
    for (int k = 1; k <= hold_count(); ++k)
        s.lines.push_back(hold_text(k));
    return s;
}

std::vector<std::string> plan_state_faults() {
    std::vector<std::string> faults = plan_invariant_faults();
    // What an edit left where it ended, seen even where a later one mended it.
    if (plan_invariant_breaks > 0) faults.push_back("an edit left " + plan_invariant_last_fault);
    check_to_waypoint(faults);
    check_published(faults);
    return faults;
}

std::vector<std::string> erase_faults() {
    std::vector<std::string> faults;
    if (working_plan_last != active_plan_last)
        faults.push_back("working last " + std::to_string(working_plan_last) + " active last " +
                         std::to_string(active_plan_last));
    for (int i = 0; i <= std::min(working_plan_last, active_plan_last); ++i)
        if (entry_text(working_plan, i) != entry_text(active_plan, i))
            faults.push_back("working[" + std::to_string(i) + "] " + entry_text(working_plan, i) +
                             " active " + entry_text(active_plan, i));
    if (!none(pending_departure_runway))
        faults.push_back("pending runway " + pending_departure_runway + " kept");
    if (!(working_plan.choices() == active_plan.choices()))
        faults.push_back("selection " + sel_sid + "/" + sel_star + "/" + sel_approach + " kept over " +
                         exec_sid + "/" + exec_star + "/" + exec_approach);
    for (int s = 1; s <= hold_count(); ++s)
        if (hold_list[s].active_index() <= 0 || hold_list[s].working_index() != hold_list[s].active_index())
            faults.push_back(hold_text(s) + " kept as pending");
    return faults;
}

std::string snapshot_difference(const PlanSnapshot& before, const PlanSnapshot& after) {
    std::string out;
    const std::size_t n = std::max(before.lines.size(), after.lines.size());
    for (std::size_t i = 0; i < n; ++i) {
        const std::string a = i < before.lines.size() ? before.lines[i] : "";
        const std::string b = i < after.lines.size() ? after.lines[i] : "";
        if (a != b) out += "  before: " + a + "\n  after:  " + b + "\n";
    }
    return out;
}
