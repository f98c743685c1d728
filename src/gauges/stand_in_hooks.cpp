#include "gauges/stand_in_hooks.h"

#include "data/load_warnings.h"
#include "fms/flight_log.h"
#include "fms/fms_update.h"
#include "fms/lateral_guidance.h"
#include "fms/route_plan.h"
#include "fms/route_values.h"
#include "fms/vertical_state.h"

#include <cstdio>

int32_t orvex_standin_load_route(const char* file_name) {
    if (file_name == nullptr || file_name[0] == '\0') return 0;
    route_file_request_name = file_name;
    route_file_request = 1;
    return 1;
}

void orvex_standin_route_status(StandInRouteStatus* status) {
    if (status == nullptr) return;
    *status = StandInRouteStatus{};
    const bool active = to_waypoint_index != kNoToWaypoint;
    std::snprintf(status->to_ident, sizeof status->to_ident, "%s",
                  active ? active_plan[to_waypoint_index].ident.c_str() : "");
    status->to_index = to_waypoint_index;
    status->last_index = active_plan_last;
    status->to_distance_nm = distance_to_to_nm;
    status->cross_track_nm = cross_track_nm;
    status->lnav_engaged = lnav_engaged;
    status->vnav_engaged = vnav_engaged;
    std::snprintf(status->phase, sizeof status->phase, "%s", flight_segment_name(flight_phase));
    std::snprintf(status->profile, sizeof status->profile, "%s",
                  tod_passed == 1   ? "descent"
                  : toc_passed == 1 ? "cruise"
                                    : "climb");
}

int32_t orvex_standin_take_warning(char* line, int32_t size) {
    if (line == nullptr || size <= 0) return 0;
    LoadWarning w;
    if (!take_load_warning(w)) return 0;
    std::snprintf(line, static_cast<std::size_t>(size), "%s: %s", w.file.c_str(), w.text.c_str());
    return 1;
}
