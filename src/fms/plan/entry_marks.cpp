#include "fms/plan/entry_marks.h"

#include "fms/plan/active_leg.h"
#include "fms/plan/holds.h"

#include <algorithm>
#include <unordered_set>

PlanMarks plan_marks;

namespace {

RouteWaypoint published_entries[RoutePlan::slots];

} // namespace

constinit const RouteWaypoint* const active_plan_entries = published_entries;

void PlanMarks::predict_altitude(const RouteWaypoint& w, double altitude) {
    if (w.id != 0) altitudes_[w.id] = Predicted{altitude, w.alt_constraint};
}

void PlanMarks::predict_speed(const RouteWaypoint& w, double speed) {
    if (w.id != 0) speeds_[w.id] = Predicted{speed, w.speed_constraint};
}

double PlanMarks::altitude(const RouteWaypoint& w) const {
    const auto p = altitudes_.find(w.id);
    return p != altitudes_.end() && w.id != 0 && p->second.under == w.alt_constraint ? p->second.value
                                                                                     : w.alt_constraint;
}

double PlanMarks::speed(const RouteWaypoint& w) const {
    const auto p = speeds_.find(w.id);
    return p != speeds_.end() && w.id != 0 && p->second.under == w.speed_constraint ? p->second.value
                                                                                    : w.speed_constraint;
}

void PlanMarks::forget_other_entries() {
    std::unordered_set<int> ids;
    for (const RoutePlan* plan : std::initializer_list<const RoutePlan*>{&active_plan.plan(), &working_plan})
        for (int i = 0; i <= std::min(plan->last(), kPlanLastIndex); ++i)
            ids.insert((*plan)[i].id);
    const auto gone = [&ids](const auto& p) { return !ids.contains(p.first); };
    std::erase_if(altitudes_, gone);
    std::erase_if(speeds_, gone);
    std::erase_if(passing_times_, gone);
    std::erase_if(passed_by_, [&ids](int id) { return !ids.contains(id); });
}

void PlanMarks::pass_by(const RouteWaypoint& w) {
    if (w.id != 0) passed_by_.insert(w.id);
}

void mark_passed_by_direct_to(const ActiveLeg& before, int to) {
    const int last = std::min(active_plan_last, kPlanLastIndex);
    if (to < 1 || to > last) return;
    for (int i = to; i <= last; ++i)
        plan_marks.take_back(active_plan[i]);
    if (before.to_index == kNoToWaypoint) return;
    const int was = find_entry(active_plan, last, before.to);
    for (int i = std::max(was, 1); was >= 0 && i < to; ++i)
        if (i != to - 1 || active_plan[i].ident != "DIRECT") plan_marks.pass_by(active_plan[i]);
}

const std::string& PlanMarks::passing_time(const RouteWaypoint& w) const {
    static const std::string none;
    const auto p = passing_times_.find(w.id);
    return p != passing_times_.end() && w.id != 0 ? p->second : none;
}

void PlanMarks::stamp(const RouteWaypoint& w, const std::string& text) {
    if (w.id != 0) passing_times_[w.id] = text;
}

void publish_flown_plan() {
    const int last = std::min(active_plan_last, kPlanLastIndex);
    for (int i = 0; i < static_cast<int>(RoutePlan::slots); ++i) {
        const RouteWaypoint& w = active_plan[i];
        RouteWaypoint& out = published_entries[i];
        out = w;
        if (i > last) continue; // as the plan left it
        out.alt_constraint = plan_marks.altitude(w);
        out.speed_constraint = plan_marks.speed(w);
        out.passing_time = plan_marks.passing_time(w);
        out.hold_number = hold_mark(active_plan, i);
    }
    // The TO's position goes out with the plan it is read from.
    const int to = to_waypoint_index;
    if (to >= 0 && to <= last) flown_to.position_ = GeoPosition{active_plan[to].lat, active_plan[to].lon};
}
