#include "plan_state_check.h"

#include "fms/plan/holds.h"
#include "fms/plan/plan_legs.h"
#include "fms/plan/route_exec.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/plan/selection_texts.h"
#include "fms/published_values.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

std::string entry_text(const RouteWaypoint& w) {
    char buffer[200];
    std::snprintf(buffer, sizeof buffer, "%s %.5f %.5f %s via=%s kind=%s alt=%.0f spd=%.0f hold=%d",
                  w.ident.c_str(), w.lat, w.lon, w.type.c_str(), w.via.c_str(), w.kind.c_str(),
                  w.alt_constraint, w.speed_constraint, w.hold_number);
    return buffer;
}

std::string hold_text(int slot) {
    const HoldEntry& h = hold_list[slot];
    char buffer[120];
    std::snprintf(buffer, sizeof buffer, "hold %d %s active=%d working=%d", slot, h.ident.c_str(),
                  h.active_index, h.working_index);
    return buffer;
}

bool none(const std::string& text) {
    return text.empty() || text == "------";
}

// Every hold at its active entry, named by that entry's mark, and every mark a
// hold's; while a modification is pending the same in the working plan.
void check_holds(std::vector<std::string>& faults) {
    const bool modifying = route_state != kRouteStateActive;
    for (int s = 1; s <= hold_count(); ++s) {
        const HoldEntry& h = hold_list[s];
        if (h.active_index > 0 &&
            (h.active_index > active_plan_last || active_plan[h.active_index].hold_number != s))
            faults.push_back(hold_text(s) + ": its active entry does not carry it");
        if (!modifying && h.active_index <= 0) faults.push_back(hold_text(s) + ": not in the active route");
        if (modifying && h.working_index > 0 &&
            (h.working_index > working_plan_last || working_plan[h.working_index].hold_number != s))
            faults.push_back(hold_text(s) + ": its working entry does not carry it");
        if (h.active_index <= 0 && h.working_index <= 0) faults.push_back(hold_text(s) + ": on no entry");
        for (int t = 1; t < s; ++t) {
            if (h.active_index > 0 && hold_list[t].active_index == h.active_index)
                faults.push_back(hold_text(s) + ": shares its active entry with slot " + std::to_string(t));
            if (h.active_index > 0 && hold_list[t].active_index > h.active_index)
                faults.push_back(hold_text(s) + ": out of order behind slot " + std::to_string(t));
        }
    }
    for (int i = 0; i <= active_plan_last; ++i) {
        const int n = active_plan[i].hold_number;
        if (n != 0 && (n < 0 || n > hold_count() || hold_list[n].active_index != i))
            faults.push_back("active[" + std::to_string(i) + "] " + active_plan[i].ident + " carries hold " +
                             std::to_string(n) + " that is not there");
    }
    // With nothing pending the working plan is only the other units' view:
    // the SMITHS pages take the active plan back into it before they edit.
    for (int i = 0; i <= working_plan_last && modifying; ++i) {
        const int n = working_plan[i].hold_number;
        if (n != 0 && (n < 0 || n > hold_count() || hold_list[n].working_index != i))
            faults.push_back("working[" + std::to_string(i) + "] " + working_plan[i].ident +
                             " carries hold " + std::to_string(n) + " that is not there");
    }
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
            faults.push_back("active[" + std::to_string(i) + "] " + entry_text(w) + " at 0/0");
    }
}

void check_published(std::vector<std::string>& faults) {
    for (double v : {orvex_act_wpt_dist, orvex_xtk_err_dist, orvex_act_wpt_trk, orvex_act_wpt_brg})
        if (std::isnan(v)) faults.push_back("a published value is NaN");
    // TO 0 is "no TO waypoint", also beside the count -1 of no plan.
    if (orvex_act_wpt_pos > 0 && orvex_act_wpt_pos > orvex_fpln_wpt_cnt)
        faults.push_back("published TO " + std::to_string(orvex_act_wpt_pos) + " past the count " +
                         std::to_string(orvex_fpln_wpt_cnt));
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
        s.lines.push_back("active[" + std::to_string(i) + "] " + entry_text(active_plan[i]));
    for (int k = 1; k <= hold_count(); ++k)
        s.lines.push_back(hold_text(k));
    return s;
}

namespace {

// Every entry that shows a marker's text was made as that marker (its kind
// stored), and the flown plan holds no end mark.
void check_marker_kinds(std::vector<std::string>& faults) {
    auto check = [&faults](const RoutePlan& plan, int last, const char* name) {
        for (int i = 0; i <= std::min(last + 1, kPlanLastIndex); ++i) {
            const RouteWaypoint& w = plan[i];
            const EntryKind text = marker_of_text(w.ident);
            if (text != EntryKind::Place && w.marker != text)
                faults.push_back(std::string(name) + "[" + std::to_string(i) + "] " + w.ident +
                                 " is no marker by its kind");
        }
    };
    check(active_plan, active_plan_last, "active");
    check(working_plan, working_plan_last, "working");
    for (int i = 0; i <= active_plan_last; ++i)
        if (entry_kind(active_plan[i]) == EntryKind::EndMark)
            faults.push_back("active[" + std::to_string(i) + "] is an end mark");
}

} // namespace

std::vector<std::string> plan_state_faults() {
    std::vector<std::string> faults;
    if (route_state < kRouteStateNone || route_state > kRouteStateActiveModified)
        faults.push_back("route state " + std::to_string(route_state));
    check_holds(faults);
    check_to_waypoint(faults);
    check_marker_kinds(faults);
    check_published(faults);
    return faults;
}

std::vector<std::string> erase_faults() {
    std::vector<std::string> faults;
    if (working_plan_last != active_plan_last)
        faults.push_back("working last " + std::to_string(working_plan_last) + " active last " +
                         std::to_string(active_plan_last));
    for (int i = 0; i <= std::min(working_plan_last, active_plan_last); ++i)
        if (entry_text(working_plan[i]) != entry_text(active_plan[i]))
            faults.push_back("working[" + std::to_string(i) + "] " + entry_text(working_plan[i]) +
                             " active " + entry_text(active_plan[i]));
    if (!none(pending_departure_runway))
        faults.push_back("pending runway " + pending_departure_runway + " kept");
    const std::pair<const std::string*, const std::string*> pairs[] = {
        {&sel_sid, &exec_sid},
        {&sel_sid_transition, &exec_sid_transition},
        {&sel_departure_runway, &exec_departure_runway},
        {&sel_star, &exec_star},
        {&sel_star_transition, &exec_star_transition},
        {&sel_arrival_runway, &exec_arrival_runway}};
    for (const auto& [selected, executed] : pairs)
        if (*selected != *executed) faults.push_back("selection " + *selected + " kept over " + *executed);
    for (int s = 1; s <= hold_count(); ++s)
        if (hold_list[s].active_index <= 0 || hold_list[s].working_index != hold_list[s].active_index)
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
