// Callbacks of GNSXLS and GNSXLS_LM: both drive one unit. A panel load starts
// it on the stored-plan list; the first gauges to initialise load the data;
// every draw runs the per-frame update and the unit's render pass into the
// screen element. GNSXLS alone closes an opened stored plan on install and
// reads "GPSSynch" as a setting.
#include "data/module_settings.h"
#include "fms/files/module_config.h"
#include "fms/fms_update.h"
#include "fms/plan/flight_log.h"
#include "fms/units/gns_unit_state.h"
#include "gauges/debug_log.h"
#include "gauges/display_callbacks.h"
#include "gauges/gauge_callbacks.h"
#include "gauges/gauge_services.h"
#include "gauges/lazy_loads.h"
#include "gns_mcu/gns_direct.h"
#include "gns_mcu/gns_render.h"
#include "gns_mcu/mcu_render.h"
#include "sim/element_helpers.h"
#include "sim/host_folder.h"

#include <string>

namespace {

void pre_install(bool main_gauge) {
    fill_host_folder();
    gns_state = GNS_FLIGHT_PLAN;
    gns_sub_state = kGnsSubStateStoredPlans;
    gns_active_page = 1;
    gns_list_page = 1;
    if (main_gauge) gns_plan_open = 0;
}

void pre_initialize(const GaugeHeader* gauge, bool main_gauge) {
    const std::string parameters = gauge->parameters != nullptr ? gauge->parameters : "";
    LazyLoads first;
    first.aircraft = false;
    first.flight_plans = false;
    run_lazy_loads(gauge->parameters, first);
    if (main_gauge && aircraft_parameter.empty() && parameters == "GPSSynch")
        synchfplanwithfsgps = 1;
    else
        take_aircraft_parameter(gauge->parameters, true);
    LazyLoads plans;
    plans.nav_database = false;
    plans.aircraft = false;
    run_lazy_loads(gauge->parameters, plans);
}

void pre_draw(const GaugeHeader* gauge) {
    fms_update();
    ElementHeader* screen = get_list_element(gauge_first_element(gauge), 1);
    if (screen == nullptr) return;
    drawn_element = screen;
    if (screen->device_context != nullptr)
        render_gnsxls(gnsxls_display, screen->device_context, element_pixel_size(screen));
    // A plan this unit put in place keeps the MCU's LEGS leg within it.
    mcu_keep_legs_index_in_plan();
    screen->image_flags &= ~IMAGE_DIRTY;
}

void gns_callback(const char* log_line, GaugeHeader* gauge, int32_t service, bool main_gauge) {
    debug_log_line(log_line);
    run_gauge_service(gauge, service,
                      {.pre_install = [&] { pre_install(main_gauge); },
                       .post_install =
                           [] {
                               if (flight_log_started == 0) write_flight_log(kFlightLogStart);
                           },
                       .pre_initialize = [&] { pre_initialize(gauge, main_gauge); },
                       .pre_draw = [&] { pre_draw(gauge); }});
}

} // namespace

void ORVEX_FSAPI gnsxls_callback(GaugeHeader* gauge, int32_t service_id, uintptr_t) {
    gns_callback("gnsxls_callback \n", gauge, service_id, true);
}

void ORVEX_FSAPI gnsxls_lm_callback(GaugeHeader* gauge, int32_t service_id, uintptr_t) {
    gns_callback("gnsxls_lm_callback \n", gauge, service_id, false);
}
