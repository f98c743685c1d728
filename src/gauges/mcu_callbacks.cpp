// Callbacks of MCU and MCU_LM: both drive one unit. The first gauges to
// initialise load the data; every update shows the LNAV and HOLD lamps, and
// every draw polls the keyboard during entry, runs the per-frame update and
// the unit's render pass into the screen element. MCU_LM writes its name to
// the debug log; MCU alone asks for a first redraw on initialise.
#include "fms/fms_update.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/plan/holds.h"
#include "fms/units/update_counters.h"
#include "gauges/debug_log.h"
#include "gauges/display_callbacks.h"
#include "gauges/gauge_callbacks.h"
#include "gauges/gauge_services.h"
#include "gauges/lazy_loads.h"
#include "gns_mcu/mcu_keyboard.h"
#include "gns_mcu/mcu_render.h"
#include "gns_mcu/mcu_unit_state.h"
#include "sim/element_helpers.h"
#include "sim/panel_services.h"
#include "sim/panel_windows.h"

#include <cstring>

namespace {

constexpr uint32_t kScreenElement = 1;
constexpr uint32_t kLnavLamp = 2;
constexpr uint32_t kHoldLamp = 3;

void pre_initialize(const GaugeHeader* gauge, bool main_gauge) {
    run_lazy_loads(gauge->parameters, LazyLoads{});
    if (!main_gauge) return;
    mcu_redraw = 1;
    frame_slot = 999; // the next update wraps it: its predictions run afresh
    display_refresh_counter = 999;
}

void pre_draw(const GaugeHeader* gauge) {
    if (mcu_entry_active == 1) poll_keyboard();
    fms_update();
    mcu_keep_legs_index_in_plan();
    ElementHeader* screen = get_list_element(gauge_first_element(gauge), kScreenElement);
    drawn_element = screen;
    if (screen == nullptr) return;
    if (screen->device_context != nullptr) {
        // A virtual-cockpit instance is not drawn while the main panel shows.
        const bool vc_hidden = ps_window_visible(WINDOW_MAIN_PANEL) != 0 && gauge->parameters != nullptr &&
                               std::strcmp(gauge->parameters, "VC") == 0;
        if (!vc_hidden) render_mcu(mcu_display, screen->device_context, element_pixel_size(screen));
    } else if (display_refresh_counter == 0) {
        // The screen keeps its picture between redraws: a refresh that falls
        // on a frame not drawn is drawn on the next one drawn.
        mcu_redraw = 1;
    }
    screen->image_flags &= ~IMAGE_DIRTY;
}

void mcu_gauge_callback(GaugeHeader* gauge, int32_t service, bool main_gauge) {
    if (!main_gauge) debug_log_line("mcu_lm_callback \n");
    run_gauge_service(gauge, service,
                      {.pre_install = [] { fill_host_folder(); },
                       .pre_initialize = [&] { pre_initialize(gauge, main_gauge); },
                       .pre_update =
                           [&] {
                               ElementHeader* first = gauge_first_element(gauge);
                               show_gauge_lamp(first, kLnavLamp, lnav_engaged == 1);
                               show_gauge_lamp(first, kHoldLamp, hold_armed == 1);
                           },
                       .pre_draw = [&] { pre_draw(gauge); }});
}

} // namespace

void ORVEX_FSAPI mcu_callback(GaugeHeader* gauge, int32_t service_id, uintptr_t) {
    mcu_gauge_callback(gauge, service_id, true);
}

void ORVEX_FSAPI mcu_lm_callback(GaugeHeader* gauge, int32_t service_id, uintptr_t) {
    mcu_gauge_callback(gauge, service_id, false);
}
