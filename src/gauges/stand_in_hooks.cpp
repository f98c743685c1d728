#include "gauges/stand_in_hooks.h"

#include "fms/flight_log.h"
#include "fms/fms_update.h"
#include "fms/lateral_guidance.h"
#include "fms/route_plan.h"
#include "fms/route_values.h"
#include "fms/vertical_state.h"

#include "map/range_ladder.h"
#include "nd/display_geometry.h"
#include "nd/display_settings.h"
#include "nd/display_state.h"

#include <cstdio>
#include <cstring>

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

namespace {

struct StateVar {
    const char* name;
    const int* whole;
    const double* real;
};

constexpr StateVar kDisplayState[] = {
    {"hw_b737_nd_mode", &hw_b737_nd_mode, nullptr},
    {"hw_b737_nd_range", nullptr, &hw_b737_nd_range},
    {"hw_b737_nd_range_arcs_on", &hw_b737_nd_range_arcs_on, nullptr},
    {"nd_vor_adf_select", &nd_vor_adf_select, nullptr},
    {"hw_md11_nd_mode", &hw_md11_nd_mode, nullptr},
    {"hw_md11_nd_range", nullptr, &hw_md11_nd_range},
    {"hw_md11_nd_compass_radius", &hw_md11_nd_compass_radius, nullptr},
    {"hw_md11_vor1_pointer", &hw_md11_vor1_pointer, nullptr},
    {"hw_md11_nd_brg1_adf", &hw_md11_nd_brg1_adf, nullptr},
    {"hw_md11_vor2_pointer", &hw_md11_vor2_pointer, nullptr},
    {"efs50_ehsi_mode", &efs50_ehsi_mode, nullptr},
    {"efs50_mode_before_tcas", &efs50_mode_before_tcas, nullptr},
    {"efs50_nav_source", &efs50_nav_source, nullptr},
    {"efs50_ehsi_range", nullptr, &efs50_ehsi_range},
    {"efs50_tcas_range", nullptr, &efs50_tcas_range},
    {"efs50_brg1_source", &efs50_brg1_source, nullptr},
    {"efs50_brg2_source", &efs50_brg2_source, nullptr},
    {"du_1000_ehsi_mode", &du_1000_ehsi_mode, nullptr},
    {"du_1000_ehsi_range", nullptr, &du_1000_ehsi_range},
    {"du_1000_ehsi_show_ndbs", &du_1000_ehsi_show_ndbs, nullptr},
    {"md80_ehsi_mode", &md80_ehsi_mode, nullptr},
    {"md80_ehsi_range", nullptr, &md80_ehsi_range},
    {"md80_ehsi_adf1_pointer_on", &md80_ehsi_adf1_pointer_on, nullptr},
    {"proline4_mfd_mode", &proline4_mfd_mode, nullptr},
    {"proline4_mfd_range", nullptr, &proline4_mfd_range},
    {"proline4_map_radius_px", &proline4_map_radius_px, nullptr},
    {"proline4_mfd_brg1_source", &proline4_mfd_brg1_source, nullptr},
    {"proline4_mfd_brg2_source", &proline4_mfd_brg2_source, nullptr},
    {"proline4_mfd_show_ndbs", &proline4_mfd_show_ndbs, nullptr},
    {"tcas_display_on", &tcas_display_on, nullptr},
    {"show_atc_boundaries", &show_atc_boundaries, nullptr},
    {"atc_boundaries_shown", &atc_boundaries_shown, nullptr},
    {"lnav_engaged", &lnav_engaged, nullptr},
};

// "show_airports_flags[2]" and its kind: the filter flag of display 2.
const int* filter_flag(const char* name) {
    struct Filter {
        const char* prefix;
        int* flags;
    };
    const Filter filters[] = {{"show_airports_flags[", show_airports_flags},
                              {"show_navaids_flags[", show_navaids_flags},
                              {"show_airway_fixes_flags[", show_airway_fixes_flags}};
    for (const Filter& f : filters) {
        const std::size_t n = std::strlen(f.prefix);
        if (std::strncmp(name, f.prefix, n) != 0) continue;
        const char* digit = name + n;
        if (digit[0] >= '0' && digit[0] < '0' + ND_DISPLAY_COUNT && digit[1] == ']' && digit[2] == '\0')
            return &f.flags[digit[0] - '0'];
    }
    return nullptr;
}

} // namespace

int32_t orvex_standin_display_state(const char* name, double* value) {
    if (name == nullptr || value == nullptr) return 0;
    if (const int* flag = filter_flag(name)) {
        *value = *flag;
        return 1;
    }
    for (const StateVar& v : kDisplayState) {
        if (std::strcmp(v.name, name) != 0) continue;
        *value = v.whole != nullptr ? *v.whole : *v.real;
        return 1;
    }
    return 0;
}
