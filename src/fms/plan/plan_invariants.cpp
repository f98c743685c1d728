#include "fms/plan/plan_invariants.h"

#include "fms/plan/holds.h"
#include "fms/plan/plan_legs.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

int plan_invariant_breaks = 0;
std::string plan_invariant_last_fault;
void (*plan_invariant_alarm)(const std::string& fault) = nullptr;

namespace {

std::string at(const char* plan, int i, const RouteWaypoint& w) {
    return std::string(plan) + "[" + std::to_string(i) + "] " + w.ident;
}

std::string hold_text(int slot) {
    const HoldEntry& h = hold_list[slot];
    return "hold " + std::to_string(slot) + " " + h.ident + " active=" + std::to_string(h.active_index()) +
           " working=" + std::to_string(h.working_index());
}

// Every executed hold on an entry of the active plan, each entry holding one
// hold at most, in the order they are flown; while a modification is pending
// no working entry holds two either. (An entry's mark is read from the list.)
void check_holds(std::vector<std::string>& faults) {
    const bool modifying = route_state != kRouteStateActive;
    for (int s = 1; s <= hold_count(); ++s) {
        const HoldEntry& h = hold_list[s];
        if (!modifying && h.active_index() <= 0) faults.push_back(hold_text(s) + ": not in the active route");
        if (h.active_index() <= 0 && h.working_index() <= 0) faults.push_back(hold_text(s) + ": on no entry");
        for (int t = 1; t < s; ++t) {
            if (h.active_index() > 0 && hold_list[t].active_index() == h.active_index())
                faults.push_back(hold_text(s) + ": shares its active entry with slot " + std::to_string(t));
            if (h.active_index() > 0 && hold_list[t].active_index() > h.active_index())
                faults.push_back(hold_text(s) + ": out of order behind slot " + std::to_string(t));
            if (modifying && h.working_index() > 0 && hold_list[t].working_index() == h.working_index())
                faults.push_back(hold_text(s) + ": shares its working entry with slot " + std::to_string(t));
        }
    }
}

// Every entry that shows a marker's text was made as that marker (its kind
// stored); the flown plan holds no end mark and no id twice.
void check_entries(std::vector<std::string>& faults) {
    auto markers = [&faults](const RoutePlan& plan, int last, const char* name) {
        for (int i = 0; i <= std::min(last + 1, kPlanLastIndex); ++i) {
            const EntryKind text = marker_of_text(plan[i].ident);
            if (text != EntryKind::Place && plan[i].marker != text)
                faults.push_back(at(name, i, plan[i]) + " is no marker by its kind");
        }
    };
    markers(active_plan, active_plan_last, "active");
    markers(working_plan, working_plan_last, "working");
    for (int i = 0; i <= std::min(active_plan_last, kPlanLastIndex); ++i) {
        if (entry_kind(active_plan[i]) == EntryKind::EndMark)
            faults.push_back(at("active", i, active_plan[i]) + " is an end mark");
        for (int j = 0; j < i && active_plan[i].id != 0; ++j)
            if (active_plan[j].id == active_plan[i].id)
                faults.push_back(at("active", i, active_plan[i]) + " has the id of entry " +
                                 std::to_string(j));
    }
}

} // namespace

std::vector<std::string> plan_invariant_faults() {
    std::vector<std::string> faults;
    if (route_state < kRouteStateNone || route_state > kRouteStateActiveModified)
        faults.push_back("route state " + std::to_string(route_state));
    if (to_waypoint_index != kNoToWaypoint && (to_waypoint_index < 1 || to_waypoint_index > active_plan_last))
        faults.push_back("TO index " + std::to_string(to_waypoint_index) + " outside 1.." +
                         std::to_string(active_plan_last));
    check_holds(faults);
    check_entries(faults);
    return faults;
}

void check_plan_invariants([[maybe_unused]] const char* where) {
#ifdef ORVEX_PLAN_CHECKS
    const std::vector<std::string> faults = plan_invariant_faults();
    if (faults.empty()) return;
    ++plan_invariant_breaks;
    plan_invariant_last_fault = std::string(where) + ": " + faults.front();
    if (plan_invariant_alarm) {
        plan_invariant_alarm(plan_invariant_last_fault);
        return;
    }
    std::fprintf(stderr, "orvex: a plan rule broken by %s\n", plan_invariant_last_fault.c_str());
    std::abort();
#endif
}
