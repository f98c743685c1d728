// The LNAV and VNAV lights: each shows its light element while its guidance
// is engaged. They load the configuration and the aircraft file, nothing
// else, and neither draw nor use GDI+.
#include "fms/guidance/lateral_guidance.h"
#include "gauges/debug_log.h"
#include "gauges/gauge_callbacks.h"
#include "gauges/lazy_loads.h"
#include "sim/element_helpers.h"

namespace {

void light_callback(const char* log_line, const int& engaged, GaugeHeader* gauge, int32_t service) {
    debug_log_line(log_line);
    if (gauge == nullptr) return;
    if (service == PANEL_SERVICE_PRE_INITIALIZE) {
        LazyLoads loads;
        loads.nav_database = false;
        loads.vc2_is_view = false;
        loads.flight_plans = false;
        run_lazy_loads(gauge->parameters, loads);
    } else if (service == PANEL_SERVICE_PRE_UPDATE) {
        ElementHeader* first = gauge->elements_list != nullptr ? gauge->elements_list[0] : nullptr;
        if (engaged == 1)
            clear_list_element_flags(first, 1, IMAGE_HIDDEN);
        else
            set_list_element_flags(first, 1, IMAGE_HIDDEN);
    }
}

} // namespace

void ORVEX_FSAPI lnav_callback(GaugeHeader* gauge, int32_t service, uintptr_t) {
    light_callback("lnav_callback \n", lnav_engaged, gauge, service);
}

void ORVEX_FSAPI vnav_callback(GaugeHeader* gauge, int32_t service, uintptr_t) {
    light_callback("vnav_callback \n", vnav_engaged, gauge, service);
}
