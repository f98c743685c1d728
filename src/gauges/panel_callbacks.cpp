// Gauge callbacks of the EFIS, EHSI and MFD control panels. They draw
// nothing: they load the data a panel placed alone needs, keep the lights
// in step with the display state and, where the panel is the cockpit's only
// per-frame gauge, run the per-frame update.
#include "fms/fms_update.h"
#include "gauges/debug_log.h"
#include "gauges/gauge_callbacks.h"
#include "gauges/lazy_loads.h"
#include "gauges/panel_lights.h"

namespace {

ElementHeader* background_of(GaugeHeader* gauge) {
    return gauge->elements_list != nullptr ? gauge->elements_list[0] : nullptr;
}

// A controller's parameter text may name the aircraft model, "VC2" included.
void load_for_panel(GaugeHeader* gauge) {
    LazyLoads loads;
    loads.vc2_is_view = false;
    run_lazy_loads(gauge->parameters, loads);
}

// The panels that load on PRE_INITIALIZE and update on PRE_DRAW.
void loading_panel(const char* log_line, GaugeHeader* gauge, int32_t service) {
    debug_log_line(log_line);
    if (gauge == nullptr) return;
    if (service == PANEL_SERVICE_PRE_INITIALIZE)
        load_for_panel(gauge);
    else if (service == PANEL_SERVICE_PRE_DRAW)
        fms_update();
}

void hw_b737_panel(const char* log_line, GaugeHeader* gauge, int32_t service, bool br) {
    loading_panel(log_line, gauge, service);
    if (gauge != nullptr && service == PANEL_SERVICE_PRE_UPDATE)
        update_hw_b737_efis_lights(background_of(gauge), br);
}

} // namespace

void ORVEX_FSAPI efs50_ehsi_cntr_callback(GaugeHeader* gauge, int32_t service, uintptr_t) {
    loading_panel("efs50_ehsi_cntr_callback \n", gauge, service);
}

void ORVEX_FSAPI efs50_ehsi_cntr_lm_callback(GaugeHeader* gauge, int32_t service, uintptr_t) {
    loading_panel("efs50_ehsi_cntr_lm_callback \n", gauge, service);
}

void ORVEX_FSAPI md11_efis_cntr_callback(GaugeHeader* gauge, int32_t service, uintptr_t) {
    loading_panel("md11_efis_cntr_callback \n", gauge, service);
}

void ORVEX_FSAPI hw_b737_ehsi_cntr_callback(GaugeHeader* gauge, int32_t service, uintptr_t) {
    hw_b737_panel("hw_b737_ehsi_cntr_callback \n", gauge, service, false);
}

void ORVEX_FSAPI hw_b737_ehsi_cntr_br_callback(GaugeHeader* gauge, int32_t service, uintptr_t) {
    hw_b737_panel("hw_b737_ehsi_cntr_br_callback \n", gauge, service, true);
}

// Lights on PRE_UPDATE and again on PRE_DRAW; no per-frame update.
void ORVEX_FSAPI a300_ehsi_ctrl_callback(GaugeHeader* gauge, int32_t service, uintptr_t) {
    debug_log_line("a300_ehsi_ctrl_callback\n");
    if (gauge == nullptr) return;
    if (service == PANEL_SERVICE_PRE_INITIALIZE)
        load_for_panel(gauge);
    else if (service == PANEL_SERVICE_PRE_UPDATE || service == PANEL_SERVICE_PRE_DRAW)
        update_a300_efis_lights(background_of(gauge));
}

void ORVEX_FSAPI md80_ehsi_ctrl_callback(GaugeHeader* gauge, int32_t service, uintptr_t) {
    debug_log_line("md80_ehsi_ctrl_callback\n");
    if (gauge == nullptr) return;
    if (service == PANEL_SERVICE_PRE_INITIALIZE)
        load_for_panel(gauge);
    else if (service == PANEL_SERVICE_PRE_UPDATE)
        update_md80_ehsi_lights(background_of(gauge));
}

// The PROLINE4 panels count on the display gauges for the data files.
void ORVEX_FSAPI proline4_mfd_cntr_callback(GaugeHeader* gauge, int32_t service, uintptr_t) {
    debug_log_line("proline4_mfd_cntr_callback \n");
    if (gauge != nullptr && service == PANEL_SERVICE_PRE_INSTALL) fill_host_folder();
}

void ORVEX_FSAPI proline4_mfd_displ_callback(GaugeHeader* gauge, int32_t service, uintptr_t) {
    debug_log_line("proline4_mfd_displ_callback \n");
    if (gauge == nullptr) return;
    if (service == PANEL_SERVICE_PRE_INSTALL || service == PANEL_SERVICE_PRE_INITIALIZE)
        fill_host_folder();
    else if (service == PANEL_SERVICE_PRE_UPDATE)
        update_proline4_aux_lights(background_of(gauge));
}
