#include "gauges/stand_in_hooks.h"
#include "fms/perf/vnav_phase.h"
#include "gauges/server_gauge.h"

#include "cdu_smiths/cdu_render.h"
#include "cdu_smiths/smiths_pages.h"
#include "data/load_warnings.h"
#include "fms/exec/exec_erase.h"
#include "fms/files/flight_plan_folder.h"
#include "fms/files/route_file.h"
#include "fms/files/route_file_load.h"
#include "fms/fms_update.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/plan/flight_log.h"
#include "fms/plan/route_exec.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/plan/route_values.h"
#include "fms/plan/vertical_state.h"
#include "fms/units/cdu_text.h"

#include "data/c17_mfd_state.h"
#include "data/display_geometry.h"
#include "data/display_settings.h"
#include "data/display_state.h"
#include "data/p1000_menu_state.h"
#include "map/range_ladder.h"

#include <cstdio>
#include <cstring>
#include <string>

int32_t orvex_standin_load_route(const char* file_name, char* note, int32_t size) {
    auto tell = [&](const std::string& text) {
        if (note != nullptr && size > 0)
            std::snprintf(note, static_cast<std::size_t>(size), "%s", text.c_str());
    };
    const std::string name = file_name == nullptr ? std::string() : file_name;
    if (!acceptable_file_name(name)) {
        tell("is no file name of the flight-plans folder");
        return 0;
    }
    if (!enter_company_route_file(name)) {
        const std::string& problem = last_route_file_outcome().problem;
        tell(problem.empty() ? "not loaded" : problem);
        return 0;
    }
    if (working_plan_last >= 1) {
        advance_route_state();
        execute_route_modification();
    }
    // Between frames: SERVER shows the new plan before the next pass.
    publish_server_variables();
    const RouteFileOutcome& outcome = last_route_file_outcome();
    tell(outcome.note);
    return outcome.loaded;
}

void orvex_standin_route_status(StandInRouteStatus* status) {
    if (status == nullptr) return;
    *status = StandInRouteStatus{};
    const bool active = to_waypoint_index != kNoToWaypoint;
    std::snprintf(status->to_ident, sizeof status->to_ident, "%s",
                  active ? active_plan[to_waypoint_index].ident.c_str() : "");
    status->to_index = to_waypoint_index;
    std::snprintf(status->from_ident, sizeof status->from_ident, "%s",
                  active && to_waypoint_index >= 1 ? active_plan[to_waypoint_index - 1].ident.c_str() : "");
    status->last_index = active_plan_last;
    status->to_distance_nm = distance_to_to_nm;
    status->cross_track_nm = cross_track_nm;
    status->lnav_engaged = lnav_engaged;
    status->vnav_engaged = vnav_engaged;
    std::snprintf(status->phase, sizeof status->phase, "%s", flight_segment_name(flight_phase));
    std::snprintf(status->profile, sizeof status->profile, "%s",
                  vnav_phase == VnavPhase::Descent  ? "descent"
                  : vnav_phase == VnavPhase::Cruise ? "cruise"
                                                    : "climb");
}

int32_t orvex_standin_take_warning(char* line, int32_t size) {
    if (line == nullptr || size <= 0) return 0;
    LoadWarning w;
    if (!take_load_warning(w)) return 0;
    std::snprintf(line, static_cast<std::size_t>(size), "%s: %s", w.file.c_str(), w.text.c_str());
    return 1;
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
    {"p1000_mfd_range", nullptr, &p1000_mfd_range},
    {"p1000_tcas_window_range", nullptr, &p1000_tcas_window_range},
    {"p1000_controller_present", &p1000_controller_present, nullptr},
    {"p1000_mfd_plan_mode", &p1000_mfd_plan_mode, nullptr},
    {"p1000_map_centre_y", &p1000_map_centre_y, nullptr},
    {"p1000_map_radius", &p1000_map_radius, nullptr},
    {"p1000_mfd_page", &p1000_mfd_page, nullptr},
    {"p1000_vnav_distance_select", &p1000_vnav_distance_select, nullptr},
    {"p1000_vnav_elevation_select", &p1000_vnav_elevation_select, nullptr},
    {"p1000_vnav_angle_select", &p1000_vnav_angle_select, nullptr},
    {"p1000_vnav_distance_nm", nullptr, &p1000_vnav_distance_nm},
    {"p1000_vnav_elevation_ft", nullptr, &p1000_vnav_elevation_ft},
    {"p1000_vnav_vs_fpm", nullptr, &p1000_vnav_vs_fpm},
    {"show_atc_boundaries", &show_atc_boundaries, nullptr},
    {"atc_boundaries_shown", &atc_boundaries_shown, nullptr},
    {"lnav_engaged", &lnav_engaged, nullptr},
    {"smiths_cdu_page", &smiths_cdu_page, nullptr},
    {"c17_map_range_nm", nullptr, &c17_map_range_nm},
    {"c17_plan_route_on", &c17_plan_route_on, nullptr},
    {"c17_map3_overlay_on", &c17_map3_overlay_on, nullptr},
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

struct NamedPage {
    const char* name;
    SmithsPageRoutine routine;
};
const NamedPage kSmithsPages[] = {
    {"stored_fpls", smiths_page_stored_fpls},
    {"perf_init", smiths_page_perf_init},
    {"rte_legs", smiths_page_rte_legs},
    {"departures", smiths_page_departures},
    {"arrivals", smiths_page_arrivals},
    {"approach_ref", smiths_page_approach_ref},
    {"rte", smiths_page_rte},
    {"init_ref_index", smiths_page_init_ref_index},
    {"dep_arr_index", smiths_page_dep_arr_index},
    {"ident", smiths_page_ident},
    {"takeoff_ref", smiths_page_takeoff_ref},
    {"temp_nav_summary", smiths_page_temp_nav_summary},
    {"econ_clb", smiths_page_econ_clb},
    {"econ_crz", smiths_page_econ_crz},
    {"econ_path_des", smiths_page_econ_path_des},
    {"fix_info", smiths_page_fix_info},
    {"des_forecasts", smiths_page_des_forecasts},
    {"rte_hold", smiths_page_rte_hold},
    {"n1_limit", smiths_page_n1_limit},
    {"lateral_offset", smiths_page_lateral_offset},
};

} // namespace

int32_t orvex_standin_module_var(const char* name) {
    return is_server_module_var(name) ? 1 : 0;
}

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

int32_t orvex_standin_draw_smiths_page(const char* name, void* device_context, int32_t width,
                                       int32_t height) {
    if (name == nullptr) return 0;
    for (const NamedPage& p : kSmithsPages) {
        if (std::strcmp(p.name, name) != 0) continue;
        if (device_context != nullptr)
            render_smiths_routine(smiths_cdu_display, device_context, PixelSize{width, height}, p.routine);
        return 1;
    }
    return 0;
}
