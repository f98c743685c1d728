#include "gauges/linkage.h"

#include "data/load_warnings.h"
#include "gauges/debug_log.h"

#include "gauges/gauge_headers.h"
#include "sim/panel_services.h"

constinit ModuleLinkage Linkage = {
    0x13,
    module_init,
    module_deinit,
    0,
    0,
    0x900,
    {
        &mcu_gauge,
        &mcu_lm_gauge,
        &p1000_mfd_gauge,
        &p1000_mfd_cntr_gauge,
        &p1000_mfd_nb_gauge,
        &p1000_mfd_nb_cntr_gauge,
        &gnsxls_gauge,
        &gnsxls_lm_gauge,
        &efs50_eadi_gauge,
        &efs50_ehsi_gauge,
        &efs50_eadi_nb_gauge,
        &efs50_ehsi_nb_gauge,
        &efs50_tcas_gauge,
        &efs50_ehsi_cntr_gauge,
        &efs50_ehsi_cntr_lm_gauge,
        &vnav_gauge,
        &lnav_gauge,
        &efis_ctrl_open_gauge,
        &ehsi_cntr_open_gauge,
        &ehsi_cntr_open_lm_gauge,
        &ehsi_tcas_open_gauge,
        &fms_open_gauge,
        &fms_open_lm_gauge,
        &fms2_open_gauge,
        &mcu_open_gauge,
        &p1000_mfd_open_gauge,
        &p1000_mfd_cntr_open_gauge,
        &hw_b737_nd_gauge,
        &hw_b737_nd_br_gauge,
        &hw_b737_nd_nb_gauge,
        &hw_b737_efis_cntr_gauge,
        &hw_b737_efis_cntr_br_gauge,
        &smiths_fms_gauge,
        &smiths_fms_br_gauge,
        &server_gauge,
        &hw_md11_nd_gauge,
        &hw_md11_nd_nb_gauge,
        &du_1000_ehsi_gauge,
        &du_1000_ehsi_nb_gauge,
        &md11_efis_ctrl_gauge,
        &a300_efis_ctrl_gauge,
        &proline4_mfd_gauge,
        &proline_eicas_gauge,
        &proline4_mfd_nb_gauge,
        &proline4_mfd_ctrl_gauge,
        &proline4_aux_ctrl_gauge,
        &bdry_gauge,
        &b777_pfd_nb_gauge,
        &a320_eadi_nb_gauge,
        &md80_ehsi_nb_gauge,
        &md80_ehsi_ctrl_gauge,
        &c17_mfd_gauge,
        &c17_mfcp_gauge,
        &debug_gauge,
        nullptr,
    },
};

// The global tables are built by static initialisers and everything else is
// loaded lazily by the gauge callbacks. What the loaders warn of goes to the
// debug log, where a user of the simulator reads it; the log is closed with
// its last counts when the module goes.
void ORVEX_FSAPI module_init() {
    set_load_warning_listener(debug_log_warning);
}
void ORVEX_FSAPI module_deinit() {
    set_load_warning_listener(nullptr);
    close_debug_log();
}

namespace {

// First element of the first listed gauge, looked up afresh each time. Null
// only if the table has been tampered with; the routines then do nothing.
ElementHeader* mcu_first_element() {
    const GaugeHeader* first = Linkage.gauge_table[0];
    if (first == nullptr || first->elements_list == nullptr) return nullptr;
    return first->elements_list[0];
}

} // namespace

void ORVEX_FSAPI gauge_query() {
    if (ElementHeader* e = mcu_first_element()) ps_elements_query(e);
}

void ORVEX_FSAPI gauge_install(void* resource_handle) {
    if (ElementHeader* e = mcu_first_element()) ps_elements_install(e, resource_handle);
}

void ORVEX_FSAPI gauge_initialize() {
    if (ElementHeader* e = mcu_first_element()) ps_elements_initialize(e);
}

void ORVEX_FSAPI gauge_update() {
    if (ElementHeader* e = mcu_first_element()) ps_elements_update(e);
}

void ORVEX_FSAPI gauge_generate(uint32_t phase) {
    if (ElementHeader* e = mcu_first_element()) ps_elements_generate(e, phase);
}

void ORVEX_FSAPI gauge_draw() {
    if (ElementHeader* e = mcu_first_element()) ps_elements_plot(e);
}

void ORVEX_FSAPI gauge_kill() {
    if (ElementHeader* e = mcu_first_element()) ps_elements_kill(e);
}
