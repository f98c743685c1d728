// The flown plan saved as a route file and read back by each reader a unit
// loads with: the working plan's (a stored plan the SMITHS or the GNS opens)
// and the flown plan's (the MCU's). Each gives back the saved fixes, gaps and
// procedures in order. Both plans are replaced: for the end of a run.
#pragma once

#include "fms/files/route_file.h"
#include "fms/files/route_file_load.h"
#include "fms/plan/plan_choices.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/plan/route_values.h"
#include "fms/plan/update_state.h"
#include "platform/os.h"

#include <cstdio>
#include <string>
#include <vector>

// The plan's fixes and gaps, then its STAR and approach with their
// transitions.
inline std::string saved_route_text(const RoutePlan& plan, int last) {
    std::string out;
    for (int i = 0; i <= last; ++i)
        out += (i ? " " : "") + plan[i].ident;
    const PlanChoices& c = plan.choices();
    return out + " (" + c.star_transition + "." + c.star + ", " + c.approach + "." + c.approach_transition +
           ")";
}

inline std::vector<std::string> saved_route_reload_faults() {
    std::vector<std::string> faults;
    if (route_state < kRouteStateActive || active_plan_last < 1) return faults;
    const std::string name = "RELOADCHECK.RTE";
    const std::string saved = saved_route_text(active_plan, active_plan_last);
    if (!save_route_file(name)) return {"the flown plan not saved: " + saved};
    if (!load_route_file_to_working(name, 0, RouteLoadAsker::Gns) ||
        saved_route_text(working_plan, working_plan_last) != saved)
        faults.push_back("saved " + saved + ", loaded as a stored plan " +
                         saved_route_text(working_plan, working_plan_last));
    route_file_request_name = name;
    load_route_file(kRouteFileRequestMcu);
    if (saved_route_text(active_plan, active_plan_last) != saved)
        faults.push_back("saved " + saved + ", loaded as the flown plan " +
                         saved_route_text(active_plan, active_plan_last));
    // Not listed among the stored plans of what runs next.
    std::remove(os::host_path(flight_plans_folder() + name).c_str());
    return faults;
}
