// Lays out plans for the tests. PlanBuilder writes entries, last indices and
// the TO as given, beside the edit path: no cursor, TO or rule follows, so a
// test can set up any plan, also one the rules refuse, and then see what the
// module makes of it. Entries get ids as an edit gives them (a slot reached
// without one, and every entry up to a last index set), so that what stands
// beside the plan by id (holds, predictions) finds them. The helpers below build whole plans entry
// by entry: each entry gets its ident, an airway (empty = direct) and a
// distinct position one tenth of a degree north of the one before.
#pragma once

#include "fms/plan/airways.h"
#include "fms/plan/route_plan.h"

#include <string>
#include <vector>

struct PlanBuilder {
    // The plan to lay out: the flown plan's own too.
    static RoutePlan& laid(RoutePlan& plan) { return plan; }
    static RoutePlan& laid(FlownPlan& plan) { return plan.plan_; }

    static RouteWaypoint& entry(auto& laid_out, int i) {
        RoutePlan& plan = laid(laid_out);
        if (plan[i].id == 0 && i >= 0 && i <= kPlanLastIndex) plan.give_new_id(i);
        return plan.slot(i);
    }
    static void set_last(auto& laid_out, int last) {
        RoutePlan& plan = laid(laid_out);
        plan.last_ = last;
        plan.give_ids();
    }
    // The entry after the last, which becomes the last.
    static RouteWaypoint& append(auto& laid_out) {
        RoutePlan& plan = laid(laid_out);
        ++plan.last_;
        plan.give_ids();
        return plan.slot(plan.last_);
    }
    // Entries 0..last written whole (an id-less entry copied in) get ids.
    static void give_ids(auto& plan) { laid(plan).give_ids(); }
    static void clear(auto& plan) { laid(plan).clear(); }
    // A plan's choices as a test lays them out, the flown plan's too.
    static PlanChoices& choices(auto& plan) { return laid(plan).choices_; }
    // A plan laid out as a copy of another, whole.
    static void copy(auto& plan, const RoutePlan& from) { laid(plan) = from; }
    // The TO as a flight left it; its position apart, as given.
    static void set_to(int index) { flown_to.index_ = index; }
    static void set_to_position(const GeoPosition& at) { flown_to.position_ = at; }
};

inline void set_flown_to(int index) {
    PlanBuilder::set_to(index);
}
inline void set_to_position(const GeoPosition& at) {
    PlanBuilder::set_to_position(at);
}

inline RouteWaypoint& active_entry(int i) {
    return PlanBuilder::entry(active_plan, i);
}
inline RouteWaypoint& working_entry(int i) {
    return PlanBuilder::entry(working_plan, i);
}
inline void set_active_last(int last) {
    PlanBuilder::set_last(active_plan, last);
}
inline void set_working_last(int last) {
    PlanBuilder::set_last(working_plan, last);
}
inline void set_preview_last(int last) {
    PlanBuilder::set_last(preview_plan, last);
}

struct PlanEntry {
    std::string ident;
    std::string via;
};

inline void fill_plan(auto& plan, const std::vector<PlanEntry>& entries) {
    PlanBuilder::set_last(plan, -1);
    for (const PlanEntry& e : entries) {
        RouteWaypoint& w = PlanBuilder::append(plan);
        w = RouteWaypoint{};
        w.ident = e.ident;
        w.via = e.via;
        w.lat = 47.0 + 0.1 * plan.last();
        w.lon = -122.0;
        w.type = "WPT";
    }
    PlanBuilder::give_ids(plan);
}

inline void set_working(const std::vector<PlanEntry>& entries) {
    fill_plan(working_plan, entries);
}
inline void set_active(const std::vector<PlanEntry>& entries) {
    fill_plan(active_plan, entries);
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
    if (candidate_list().count() < v) candidate_list().set_count(v);
    NavRecord& r = candidate_list().slot(v);
    r = NavRecord{};
    r.ident = ident;
    r.latitude = lat;
    r.longitude = lon;
    r.kind = kind;
    r.extra = extra;
}
