#include "gauges/display_callbacks.h"

#include "data/display_state.h"
#include "fms/fms_update.h"
#include "fms/plan/flight_log.h"
#include "gauges/debug_log.h"
#include "gauges/gauge_services.h"
#include "gauges/lazy_loads.h"
#include "sim/element_helpers.h"
#include "sim/panel_services.h"
#include "sim/panel_windows.h"

ElementHeader* drawn_element = nullptr;

namespace {

// Traffic records and count that another gauge module publishes.
ModuleVarBlock tcas_targets_block{};
ModuleVarBlock tcas_target_cnt_block{};

void bind_traffic() {
    ps_bind_module_var(&tcas_targets_block, "tcas_targets");
    ps_bind_module_var(&tcas_target_cnt_block, "tcas_target_cnt");
}

// A null pointer keeps the previous values.
void read_traffic() {
    if (tcas_targets_block.var_ptr != nullptr) tcas_target_records = tcas_targets_block.var_ptr;
    if (tcas_target_cnt_block.var_ptr != nullptr)
        tcas_target = *static_cast<const int32_t*>(tcas_target_cnt_block.var_ptr);
}

void pre_initialize(const DisplayGaugeSpec& spec, const GaugeHeader* gauge) {
    if (spec.binds_traffic) bind_traffic();
    if (spec.loads == GaugeLoads::HostFolderOnly) {
        fill_host_folder();
        return;
    }
    LazyLoads loads;
    loads.flight_plans = spec.loads == GaugeLoads::Full;
    run_lazy_loads(gauge->parameters, loads);
}

void pre_draw(const DisplayGaugeSpec& spec, const GaugeHeader* gauge) {
    fms_update();
    drawn_element = get_list_element(gauge_first_element(gauge), 1);
    if (drawn_element == nullptr) return;
    if (drawn_element->device_context != nullptr) {
        const std::string parameters = gauge->parameters != nullptr ? gauge->parameters : "";
        const int32_t mode = display_view_mode(spec.view_rule, parameters, spec.window);
        if (mode != RENDER_MODE_KEEP)
            spec.render(drawn_element->device_context, element_pixel_size(drawn_element), mode);
    }
    drawn_element->image_flags &= ~IMAGE_DIRTY;
}

} // namespace

int32_t display_view_mode(ViewRule rule, const std::string& parameters, uint32_t window) {
    if (rule == ViewRule::AlwaysDraw) return RENDER_MODE_DRAW;
    int32_t mode = RENDER_MODE_DRAW;
    if (parameters == "VC" && ps_window_visible(WINDOW_MAIN_PANEL) != 0) mode = RENDER_MODE_KEEP;
    const bool window_open = ps_window_visible(window) != 0;
    if (window_open && parameters != "WN") mode = RENDER_MODE_CLEAR_ONLY;
    if (parameters == "VC2") {
        if (rule == ViewRule::Vc2AlwaysMode3 || (rule == ViewRule::Vc2Draws && window_open))
            mode = RENDER_MODE_VC2;
        if (rule == ViewRule::Vc2NotDrawn && window_open) mode = RENDER_MODE_KEEP;
    }
    return mode;
}

void display_gauge_callback(const DisplayGaugeSpec& spec, GaugeHeader* gauge, int32_t service) {
    if (spec.log_line != nullptr) debug_log_line(spec.log_line);
    run_gauge_service(gauge, service,
                      {.pre_install = [] { fill_host_folder(); },
                       .post_install =
                           [&] {
                               if (spec.starts_flight_log && flight_log_started == 0) write_flight_log(kFlightLogStart);
                           },
                       .pre_initialize = [&] { pre_initialize(spec, gauge); },
                       .pre_update =
                           [&] {
                               if (spec.binds_traffic) read_traffic();
                           },
                       .pre_draw = [&] { pre_draw(spec, gauge); }});
}
