// The route status of a script's flight commands on Windows. The module
// exports only its two records, so the route flown is read from the module
// variables that SERVER publishes, as any other gauge of the panel reads it.
#include "windows_host.h"

#include "module_loader.h"
#include "pilot_route.h"
#include "sim_state.h"

#include "fms/plan/route_plan.h"
#include "gauges/stand_in_hooks.h"
#include "sim/gauge_abi.h"

#include <cstdio>
#include <cstring>

namespace host {

namespace {

template <typename T> T published(const char* name, T fallback) {
    const ModuleVar* var = find_module_var(name);
    if (var == nullptr || var->storage == nullptr) return fallback;
    T value;
    std::memcpy(&value, var->storage, sizeof value);
    return value;
}

} // namespace

void published_route_status(::StandInRouteStatus* status) {
    if (status == nullptr) return;
    *status = StandInRouteStatus{};
    const int32_t count = published<int32_t>("orvex_fpln_wpt_cnt", 0);
    const int32_t to = published<int32_t>("orvex_act_wpt_pos", 0);
    // SERVER publishes 0 for "no TO waypoint"; the first waypoint is never the TO.
    status->to_index = to > 0 ? to : 999;
    status->last_index = count;
    status->to_distance_nm = published<double>("orvex_act_wpt_dist", 0.0);
    status->cross_track_nm = published<double>("orvex_xtk_err_dist", 0.0);
    status->lnav_engaged = published<int32_t>("orvex_lnav_mode", 0);
    status->vnav_engaged = published<int32_t>("orvex_vnav_mode", 0);
    // SERVER publishes a fixed "INIT" for the TO ident. The name comes from the
    // active plan that SERVER publishes as Orvex_FlightPlan, an array of the
    // module's own waypoint records, which this program, built by the same
    // compiler from the same header, reads as another gauge module would;
    // else from the route file entered, while the plan is that file's length.
    const std::vector<std::string>& idents = entered_route_idents();
    const ModuleVar* ident = find_module_var("orvex_act_wpt_id");
    const ModuleVar* plan = find_module_var("Orvex_FlightPlan");
    // (Without a plan SERVER publishes a last index of -1.)
    const bool in_plan = to > 0 && to <= count && count < static_cast<int32_t>(RoutePlan::slots);
    const RouteWaypoint* entries =
        plan != nullptr ? static_cast<const RouteWaypoint*>(plan->storage) : nullptr;
    if (in_plan && entries != nullptr && entries[to].ident.size() < sizeof status->to_ident)
        std::snprintf(status->to_ident, sizeof status->to_ident, "%s", entries[to].ident.c_str());
    else if (to > 0 && !idents.empty() && count + 1 == static_cast<int32_t>(idents.size()) && to <= count)
        std::snprintf(status->to_ident, sizeof status->to_ident, "%s",
                      idents[static_cast<std::size_t>(to)].c_str());
    else if (ident != nullptr && ident->storage != nullptr)
        std::snprintf(status->to_ident, sizeof status->to_ident, "%s",
                      static_cast<const char*>(ident->storage));
}

int32_t unknown_display_state(const char*, double* value) {
    if (value != nullptr) *value = 0.0;
    return kDisplayStateHidden;
}

} // namespace host
