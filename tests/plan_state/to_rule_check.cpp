#include "to_rule_check.h"

#include "fms/guidance/lateral_guidance.h"
#include "fms/math/nav_math.h"
#include "fms/plan/plan_legs.h"
#include "fms/plan/route_plan.h"
#include "sim/aircraft_state.h"

#include <algorithm>

bool same_entry(const EntryRef& was, const RouteWaypoint& now, int at) {
    if (was.id == 0 || was.id != now.id) return false;
    return (was.ident == now.ident && was.lat == now.lat && was.lon == now.lon) || (at == 0 && now.type == "APT");
}

namespace {

bool same_fix(const EntryRef& a, const EntryRef& b) {
    return a.ident == b.ident && a.lat == b.lat && a.lon == b.lon;
}

std::vector<RouteWaypoint> active_entries() {
    std::vector<RouteWaypoint> now;
    for (int i = 0; i <= active_plan_last; ++i)
        now.push_back(active_plan[i]);
    return now;
}

} // namespace

int find_again(const EntryRef& ref, const std::vector<EntryRef>& before, const std::vector<RouteWaypoint>& now) {
    for (int i = static_cast<int>(now.size()) - 1; i >= 0; --i)
        if (same_entry(ref, now[static_cast<std::size_t>(i)], i)) return i;
    // A gap, an airway's THEN or an end mark stands at no fix of its own:
    // one written anew where the old one stood is another entry.
    for (const char* mark : {"DISCO", "THEN", "******", "---"})
        if (ref.ident == mark) return -1;
    auto count_before =
        std::count_if(before.begin(), before.end(), [&ref](const EntryRef& e) { return same_fix(e, ref); });
    int found = -1, count_now = 0;
    for (int i = 0; i < static_cast<int>(now.size()); ++i)
        if (same_fix(ref, entry_ref(now[static_cast<std::size_t>(i)]))) {
            found = i;
            ++count_now;
        }
    return count_before == 1 && count_now == 1 ? found : -1;
}

namespace {

// The place flown for a TO at i: i, or the first place after it (a
// discontinuity that carries a position is flown to the fix it stands on).
int flown_from(int i) {
    while (i < active_plan_last && !is_place(active_plan[i]))
        ++i;
    return i;
}

} // namespace

FlownLeg remember_flown_leg() {
    FlownLeg leg;
    for (int i = 0; i <= active_plan_last; ++i)
        leg.entries.push_back(entry_ref(active_plan[i]));
    leg.to = to_waypoint_index;
    leg.stopped = discontinuity_stop_index == to_waypoint_index;
    return leg;
}

std::vector<std::string> to_rule_faults(const FlownLeg& before) {
    const int n = static_cast<int>(before.entries.size());
    if (before.to < 1 || before.to >= n || to_waypoint_index == kNoToWaypoint || active_plan_last < 1)
        return {};
    bool changed = n != active_plan_last + 1, shared = false;
    for (int i = 0; i <= active_plan_last; ++i) {
        changed = changed || i >= n || !same_entry(before.entries[static_cast<std::size_t>(i)], active_plan[i], i);
        for (const EntryRef& e : before.entries)
            shared = shared || same_entry(e, active_plan[i], i);
    }
    if (!changed || !shared) return {};

    const EntryRef& from = before.entries[static_cast<std::size_t>(before.to - 1)];
    const EntryRef& to = before.entries[static_cast<std::size_t>(before.to)];
    const std::vector<RouteWaypoint> now = active_entries();
    int expected = find_again(from, before.entries, now);
    std::string why = "the entry after the FROM " + from.ident;
    if (expected >= 0) {
        expected = std::min(expected + 1, active_plan_last);
    } else {
        expected = find_again(to, before.entries, now);
        why = "its own entry, the FROM " + from.ident + " gone";
        if (expected < 0) return {};
    }
    expected = flown_from(std::max(expected, 1));
    if (to_waypoint_index == expected) return {};
    double distance = 0.0, course = 0.0;
    gc_dist_course(aircraft_state.plat, aircraft_state.plon, active_plan[expected].lat,
                   active_plan[expected].lon, &distance, &course);
    const bool passed = before.stopped || distance < 10.0;
    if (passed && expected < active_plan_last && to_waypoint_index == flown_from(expected + 1)) return {};
    return {"after an edit the TO is " + active_plan[to_waypoint_index].ident + " " +
            std::to_string(to_waypoint_index) + "/" + std::to_string(active_plan_last) + ", not " +
            active_plan[expected].ident + " " + std::to_string(expected) + ", " + why};
}
