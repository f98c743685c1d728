// Callbacks of SMITHS_FMS and SMITHS_FMS_BR: the loads of the first gauges to
// initialise, the lamps on every update, and on every draw the per-frame
// update and the render pass into the screen element.
#include "gauges/smiths_gauge.h"

#include "cdu_smiths/cdu_render.h"
#include "cdu_smiths/smiths_pages.h"
#include "data/module_settings.h"
#include "data/nav_database.h"
#include "fms/exec/exec_erase.h"
#include "fms/files/flight_plan_folder.h"
#include "fms/files/module_config.h"
#include "fms/files/stored_routes.h"
#include "fms/fms_update.h"
#include "fms/plan/flight_log.h"
#include "fms/plan/route_state.h"
#include "fms/units/cdu_text.h"
#include "gauges/debug_log.h"
#include "gauges/display_callbacks.h"
#include "gauges/gauge_callbacks.h"
#include "gauges/gauge_services.h"
#include "gauges/lazy_loads.h"
#include "gns_mcu/mcu_render.h"
#include "sim/element_helpers.h"
#include "sim/host_folder.h"

#include <string>

namespace {

// The first gauge parameter that names no view is the aircraft model; on
// SMITHS_FMS "GPSSynch" asks for the simulator's GPS plan instead.
void take_smiths_parameter(const char* parameters, bool gps_synch_is_setting) {
    const std::string text = parameters != nullptr ? parameters : "";
    if (aircraft_parameter.empty() && gps_synch_is_setting && text == "GPSSynch")
        synchfplanwithfsgps = 1;
    else
        take_aircraft_parameter(parameters, true);
}

void pre_initialize(const GaugeHeader* gauge, bool gps_synch_is_setting) {
    fill_host_folder();
    if (config_loaded == 0) load_config();
    if (airport_table.count() == 0) {
        load_nav_database();
        write_flight_log(kFlightLogStart);
    }
    take_smiths_parameter(gauge->parameters, gps_synch_is_setting);
    if (stored_routes.count() == 0) list_flight_plans();
}

void update_lamps(const GaugeHeader* gauge) {
    ElementHeader* bezel = gauge_first_element(gauge);
    // Lit while EXEC has something to put in place.
    show_gauge_lamp(bezel, kSmithsExecLamp, route_modification_executable());
    show_gauge_lamp(bezel, kSmithsMsgLamp, !smiths_scratchpad_message.empty());
}

void pre_draw(const GaugeHeader* gauge) {
    fms_update();
    ElementHeader* screen = get_list_element(gauge_first_element(gauge), kSmithsScreenElement);
    if (screen == nullptr) return;
    drawn_element = screen;
    if (screen->device_context != nullptr)
        render_smiths_fms(smiths_cdu_display, screen->device_context, element_pixel_size(screen));
    // A plan this unit put in place keeps the MCU's LEGS leg within it.
    mcu_keep_legs_index_in_plan();
    screen->image_flags &= ~IMAGE_DIRTY;
}

void smiths_callback(const char* log_line, GaugeHeader* gauge, int32_t service, bool gps_synch_is_setting) {
    debug_log_line(log_line);
    run_gauge_service(gauge, service,
                      {.pre_install =
                           [] {
                               fill_host_folder();
                               if (smiths_cdu_page == 0) smiths_cdu_page = kPageIdent;
                           },
                       .post_install =
                           [] {
                               if (flight_log_started == 0) write_flight_log(kFlightLogStart);
                           },
                       .pre_initialize = [&] { pre_initialize(gauge, gps_synch_is_setting); },
                       .pre_update = [&] { update_lamps(gauge); },
                       .pre_draw = [&] { pre_draw(gauge); }});
}

} // namespace

void ORVEX_FSAPI smiths_fms_callback(GaugeHeader* gauge, int32_t service_id, uintptr_t) {
    smiths_callback("smiths_fms_callback \n", gauge, service_id, true);
}

void ORVEX_FSAPI smiths_fms_br_callback(GaugeHeader* gauge, int32_t service_id, uintptr_t) {
    smiths_callback("smiths_fms_br_callback \n", gauge, service_id, false);
}
