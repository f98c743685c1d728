// Builds plans entry by entry for the plan tests: each entry gets its ident,
// an airway (empty = direct) and a distinct position one tenth of a degree
// north of the one before.
#pragma once

#include "fms/plan/airways.h"
#include "fms/plan/route_plan.h"

#include <string>
#include <vector>

struct PlanEntry {
    std::string ident;
    std::string via;
};

inline void fill_plan(RoutePlan& plan, int& last, const std::vector<PlanEntry>& entries) {
    last = -1;
    for (const PlanEntry& e : entries) {
        RouteWaypoint& w = plan.slot(++last);
        w = RouteWaypoint{};
        w.ident = e.ident;
        w.via = e.via;
        w.lat = 47.0 + 0.1 * last;
        w.lon = -122.0;
        w.type = "WPT";
    }
}

inline void set_working(const std::vector<PlanEntry>& entries) {
    fill_plan(working_plan, working_plan_last, entries);
}
inline void set_active(const std::vector<PlanEntry>& entries) {
    fill_plan(active_plan, active_plan_last, entries);
}

// A plan of n entries named P0, P1, ...
inline void set_working_count(int n) {
    std::vector<PlanEntry> entries;
    for (int i = 0; i < n; ++i)
        entries.push_back({"P" + std::to_string(i), ""});
    set_working(entries);
}

inline std::vector<std::string> working_idents() {
    std::vector<std::string> idents;
    for (int i = 0; i <= working_plan_last; ++i)
        idents.push_back(working_plan[i].ident);
    return idents;
}

inline void set_candidate(int v, const std::string& ident, double lat, double lon,
                          const std::string& kind = "I", const std::string& extra = "") {
    if (candidate_list.count() < v) candidate_list.set_count(v);
    NavRecord& r = candidate_list.slot(v);
    r = NavRecord{};
    r.ident = ident;
    r.latitude = lat;
    r.longitude = lon;
    r.kind = kind;
    r.extra = extra;
}
