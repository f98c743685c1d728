#include "gauges/server_gauge.h"

#include "data/aircraft_settings.h"
#include "data/config_line.h"
#include "data/display_settings.h"
#include "fms/fms_update.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/math/heading_math.h"
#include "fms/plan/entry_marks.h"
#include "fms/plan/route_plan.h"
#include "fms/published_values.h"
#include "gauges/debug_log.h"
#include "gauges/gauge_callbacks.h"
#include "gauges/guidance_toggles.h"
#include "gauges/key_event_handler.h"
#include "gauges/lazy_loads.h"
#include "gauges/lvar_poll.h"
#include "gauges/named_publish.h"
#include "gauges/nd_toggles.h"
#include "map/range_ladder.h"
#include "platform/text_file.h"
#include "sim/aircraft_state.h"
#include "sim/host_probe.h"
#include "sim/key_events.h"
#include "sim/panel_services.h"
#include "sim/sim_var_reader.h"

#include <algorithm>
#include <cctype>
#include <cmath>

std::string aircraft_title;
int key_handler_registered = 0;
int server_vars_registered = 0;

namespace {

// Fixed published values.
char orvex_act_wpt_id[] = "INIT";
int32_t qw_ap_vert_mode = 0;
int32_t qw_ap_lat_mode = 0;

struct ModuleVarEntry {
    const char* name;
    uint32_t type;
    void* storage;
};

// In the order they are registered. The two pointer variables hand out the
// address of the data itself: the text, and the live active plan.
const ModuleVarEntry kModuleVars[] = {
    {"orvex_act_wpt_pos", MODULE_VAR_INT32, &orvex_act_wpt_pos},
    {"orvex_act_wpt_dist", MODULE_VAR_FLOAT64, &orvex_act_wpt_dist},
    {"orvex_fpln_wpt_cnt", MODULE_VAR_INT32, &orvex_fpln_wpt_cnt},
    {"orvex_xtk_err_dir", MODULE_VAR_INT32, &orvex_xtk_err_dir},
    {"orvex_xtk_err_dist", MODULE_VAR_FLOAT64, &orvex_xtk_err_dist},
    {"orvex_act_wpt_trk", MODULE_VAR_FLOAT64, &orvex_act_wpt_trk},
    {"orvex_act_wpt_brg", MODULE_VAR_FLOAT64, &orvex_act_wpt_brg},
    {"orvex_lnav_mode", MODULE_VAR_INT32, &orvex_lnav_mode},
    {"orvex_vnav_mode", MODULE_VAR_INT32, &orvex_vnav_mode},
    {"orvex_active", MODULE_VAR_INT32, &orvex_active},
    {"orvex_act_wpt_id", MODULE_VAR_STRING, orvex_act_wpt_id},
    // Published for other modules to read in place.
    {"Orvex_FlightPlan", MODULE_VAR_STRING, const_cast<RouteWaypoint*>(active_plan_entries)},
    {"qw_ap_vert_mode", MODULE_VAR_INT32, &qw_ap_vert_mode},
    {"qw_ap_lat_mode", MODULE_VAR_INT32, &qw_ap_lat_mode},
};

// In the order they are registered.
const char* const kNamedVars[] = {
    "orvex_lnav",
    "orvex_vnav",
    "orvex_nd_apt",
    "orvex_nd_nav",
    "orvex_nd_int",
    "orvex_nd_tcas",
    "orvex_nd_mode",
    "orvex_nd_range",
    "orvex_nd_apt_clicked",
    "orvex_nd_nav_clicked",
    "orvex_nd_int_clicked",
    "orvex_nd_tcas_clicked",
    "orvex_nd_mode_clicked",
    "orvex_nd_range_clicked",
    "orvex_lnav_clicked",
    "orvex_vnav_clicked",
    "orvex_server_active",
    "orvex_lnav_hdg_set",
    "orvex_nd_mode_incr_clicked",
    "orvex_nd_mode_decr_clicked",
    "orvex_nd_range_incr_clicked",
    "orvex_nd_range_decr_clicked",
    "orvex_nd_vor_adf_clicked",
};
int32_t server_named_var_ids[std::size(kNamedVars)] = {};

int host_probe_done = 0;

// The HW_B737_ND has modes 1 to 7 and a range ladder from 0.5 to 320 NM: a
// request beyond them takes the nearest end, so the display never receives
// a mode it cannot draw or a range it cannot step from.
constexpr double kB737NdLowestRange = 0.5;
constexpr double kB737NdHighestRange = 320.0;

void set_nd_mode_request(double v) {
    hw_b737_nd_mode = std::clamp(saturate_to_int(v), kB737NdModeCompass, kB737NdModePlan);
    publish_named_whole("orvex_nd_mode", hw_b737_nd_mode);
}

void set_nd_range_request(double v) {
    hw_b737_nd_range = std::clamp(v, kB737NdLowestRange, kB737NdHighestRange);
    publish_named_whole("orvex_nd_range", saturate_to_int(hw_b737_nd_range));
}

struct Request {
    const char* name;
    bool positive_only; // else any value but 0 asks
    void (*action)(double value);
};

// Polled in this order on every PRE_UPDATE.
const Request kRequests[] = {
    {"orvex_lnav_clicked", false, [](double) { toggle_lnav(); }},
    {"orvex_vnav_clicked", false, [](double) { toggle_vnav(); }},
    {"orvex_nd_apt_clicked", false, [](double) { toggle_nd_airports(); }},
    {"orvex_nd_nav_clicked", false, [](double) { toggle_nd_navaids(); }},
    {"orvex_nd_int_clicked", false, [](double) { toggle_nd_intersections(); }},
    {"orvex_nd_tcas_clicked", false, [](double) { toggle_nd_tcas(); }},
    {"orvex_nd_mode_clicked", true, set_nd_mode_request},
    {"orvex_nd_range_clicked", true, set_nd_range_request},
    {"orvex_nd_mode_incr_clicked", false, [](double) { display_step_up(DISPLAY_ALL); }},
    {"orvex_nd_mode_decr_clicked", false, [](double) { display_step_down(DISPLAY_ALL); }},
    {"orvex_nd_range_incr_clicked", false, [](double) { map_range_up(); }},
    {"orvex_nd_range_decr_clicked", false, [](double) { map_range_down(); }},
    {"orvex_nd_vor_adf_clicked", false, [](double) { toggle_nd_vor_adf(); }},
};

void poll_requests() {
    for (const Request& r : kRequests) {
        const int32_t id = ps_find_named_var(r.name);
        const double v = ps_get_named_var(id);
        // A NaN asks like any non-zero value; a zero or negative mode or
        // range request is left standing.
        const bool asks = r.positive_only ? v > 0.0 : v != 0.0;
        if (!asks) continue;
        r.action(v);
        ps_set_named_var(id, 0.0);
    }
}

// The core lets VNAV go by itself (at the last waypoint once the descent is
// flown, or when the pilot sets another altitude): the published mode follows.
void publish_vnav_mode() {
    if (ps_get_named_var(ps_find_named_var("orvex_vnav")) != vnav_engaged)
        publish_named_whole("orvex_vnav", vnav_engaged);
}

void publish_lnav_heading() {
    if ((frame_slot == 0 || frame_slot == 7 || frame_slot == 14) && lnav_engaged == 1)
        publish_named_whole("orvex_lnav_hdg_set", saturate_to_whole(lnav_heading_command));
}

void sync_heading_bug() {
    if (lnav_engaged != 1 || aircraft_state.token_106_state != kHeadingHoldOn || ResetApHdg != 1) return;
    aircraft_state.heading_bug_deg = sim_var_object.get_heading_bug_deg();
    // The bug holds whole degrees: one that differs from the command only by
    // its fraction, or by rounding, is not set again.
    const int bug = saturate_to_whole(aircraft_state.heading_bug_deg);
    const int heading = heading_bug_value(lnav_heading_command, bug);
    if (heading != bug) ps_send_key_event(kKeyHeadingBugSet, static_cast<uint32_t>(heading));
}

void pre_update() {
    if (lvar_poll_countdown > 0)
        --lvar_poll_countdown;
    else
        apply_lvar_settings();
    poll_requests();
    publish_vnav_mode();
    publish_lnav_heading();
    sync_heading_bug();
}

void post_initialize() {
    const char* title = nullptr;
    ps_run_calculator("(A:TITLE,string)", nullptr, nullptr, &title);
    aircraft_title = title != nullptr ? title : "";
    for (char& c : aircraft_title)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (host_probe_done == 0) {
        detect_host_simulator();
        host_probe_done = 1;
    }
}

void connect() {
    if (key_handler_registered == 0) {
        ps_add_key_handler(fms_key_event_handler, 0);
        key_handler_registered = 1;
    }
    if (server_vars_registered != 0) return;
    for (const ModuleVarEntry& v : kModuleVars)
        ps_register_module_var(v.storage, v.type, v.name);
    for (std::size_t i = 0; i < std::size(kNamedVars); ++i)
        server_named_var_ids[i] = ps_register_named_var(kNamedVars[i]);
    publish_named("orvex_server_active", 1.0);
    server_vars_registered = 1;
}

void disconnect() {
    if (key_handler_registered != 0) {
        ps_remove_key_handler(fms_key_event_handler, 0);
        key_handler_registered = 0;
    }
    if (server_vars_registered == 0) return;
    publish_named("orvex_server_active", 0.0);
    for (const ModuleVarEntry& v : kModuleVars)
        ps_unregister_module_var(v.name);
    for (const char* name : kNamedVars)
        ps_unregister_module_var(name);
    server_vars_registered = 0;
}

} // namespace

bool is_server_module_var(const char* name) {
    if (name == nullptr) return false;
    for (const ModuleVarEntry& v : kModuleVars)
        if (equals_ignoring_case(v.name, name)) return true;
    return false;
}

void ORVEX_FSAPI server_callback(GaugeHeader* gauge, int32_t service, uintptr_t) {
    debug_log_line("server_callback \n");
    if (gauge == nullptr) return;
    switch (service) {
    case PANEL_SERVICE_PRE_INITIALIZE: {
        LazyLoads loads;
        loads.vc2_is_view = false;
        run_lazy_loads(gauge->parameters, loads);
        break;
    }
    case PANEL_SERVICE_POST_INITIALIZE:
        post_initialize();
        break;
    case PANEL_SERVICE_PRE_UPDATE:
        pre_update();
        break;
    case PANEL_SERVICE_PRE_DRAW:
        fms_update();
        publish_lnav_state();
        break;
    case PANEL_SERVICE_CONNECT_TO_WINDOW:
        connect();
        break;
    case PANEL_SERVICE_DISCONNECT:
        disconnect();
        break;
    default:
        break;
    }
}
