// The P1000_MFD family's callbacks: the two display gauges over the shared
// display frame, and the two key strips. Only P1000_MFD_CNTR has a pre-draw:
// its heartbeat tells the per-frame update's watchdog that a controller is
// shown, which switches the soft keys to their VNAV layer.
#include "data/module_settings.h"
#include "data/p1000_menu_state.h"
#include "fms/files/aircraft_config.h"
#include "fms/files/module_config.h"
#include "fms/fms_update.h"
#include "fms/units/update_counters.h"
#include "gauges/debug_log.h"
#include "gauges/display_callbacks.h"
#include "gauges/gauge_callbacks.h"
#include "gauges/lazy_loads.h"
#include "nd/p1000_mfd_painters.h"
#include "sim/host_folder.h"
#include "sim/panel_windows.h"

namespace {

using enum ViewRule;
using enum GaugeLoads;

constexpr DisplayGaugeSpec kP1000Mfd{
    "p1000_mfd_callback \n", WINDOW_P1000_MFD, Vc2AlwaysMode3, Full, false, false, render_p1000_mfd};
constexpr DisplayGaugeSpec kP1000MfdNb{nullptr, WINDOW_P1000_MFD, Vc2AlwaysMode3, Full, false,
                                       false,   render_p1000_mfd};

void display_callback(const DisplayGaugeSpec& spec, GaugeHeader* gauge, int32_t service) {
    display_gauge_callback(spec, gauge, service);
    if (gauge != nullptr && service == PANEL_SERVICE_PRE_INITIALIZE) {
        // Ends the update's start-up hold at once; its next pass starts a
        // full redraw.
        display_refresh_counter = 999;
        startup_frame_count = 999;
    }
}

// The strips load the configuration and the aircraft file named by their
// parameter text, taken as it stands.
void strip_pre_initialize(const GaugeHeader* gauge) {
    fill_host_folder();
    if (config_loaded == 0) load_config();
    if (aircraft_parameter.empty() && gauge->parameters != nullptr) {
        aircraft_parameter = gauge->parameters;
        if (!aircraft_parameter.empty()) load_aircraft_config();
    }
}

void strip_callback(GaugeHeader* gauge, int32_t service) {
    if (gauge == nullptr) return;
    if (service == PANEL_SERVICE_PRE_INSTALL) fill_host_folder();
    if (service == PANEL_SERVICE_PRE_INITIALIZE) strip_pre_initialize(gauge);
}

void controller_heartbeat() {
    if (p1000_controller_present == 0) {
        p1000_controller_present = 1;
        p1000_controller_frame_count = 1;
        display_refresh_counter = 999;
    } else {
        p1000_controller_frame_count =
            p1000_controller_frame_count >= 30000 ? 1 : p1000_controller_frame_count + 1;
    }
}

} // namespace

void ORVEX_FSAPI p1000_mfd_callback(GaugeHeader* gauge, int32_t service, uintptr_t) {
    display_callback(kP1000Mfd, gauge, service);
}

void ORVEX_FSAPI p1000_mfd_nb_callback(GaugeHeader* gauge, int32_t service, uintptr_t) {
    display_callback(kP1000MfdNb, gauge, service);
}

void ORVEX_FSAPI p1000_mfd_cntr_callback(GaugeHeader* gauge, int32_t service, uintptr_t) {
    debug_log_line("p1000_mfd_cntr_callback \n");
    strip_callback(gauge, service);
    if (gauge != nullptr && service == PANEL_SERVICE_PRE_DRAW) controller_heartbeat();
}

void ORVEX_FSAPI p1000_mfd_nb_cntr_callback(GaugeHeader* gauge, int32_t service, uintptr_t) {
    strip_callback(gauge, service);
}
