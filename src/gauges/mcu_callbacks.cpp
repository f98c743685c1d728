// Callbacks of MCU and MCU_LM: both drive one unit. The first gauges to
// initialise load the data; every update shows the LNAV and HOLD lamps, and
// every draw polls the keyboard during entry, runs the per-frame update and
// the unit's render pass into the screen element. MCU_LM writes its name to
// the debug log; MCU alone asks for a first redraw on initialise.
#include "fms/fms_update.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/plan/holds.h"
#include "fms/update_counters.h"
#include "gauges/debug_log.h"
#include "gauges/display_callbacks.h"
#include "gauges/gauge_callbacks.h"
#include "gauges/gdiplus_lifetime.h"
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

ElementHeader* first_element(const GaugeHeader* gauge) {
    return gauge->elements_list != nullptr ? gauge->elements_list[0] : nullptr;
}

void show_lamp(ElementHeader* first, uint32_t lamp, bool lit) {
    if (lit)
        clear_list_element_flags(first, lamp, IMAGE_HIDDEN);
    else
        set_list_element_flags(first, lamp, IMAGE_HIDDEN);
}

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
    ElementHeader* screen = get_list_element(first_element(gauge), kScreenElement);
    drawn_element = screen;
    if (screen == nullptr) return;
    if (screen->device_context != nullptr) {
        // A virtual-cockpit instance is not drawn while the main panel shows.
        const bool vc_hidden = ps_window_visible(WINDOW_MAIN_PANEL) != 0 && gauge->parameters != nullptr &&
                               std::strcmp(gauge->parameters, "VC") == 0;
        if (!vc_hidden) render_mcu(mcu_display, screen->device_context, element_pixel_size(screen));
    }
    screen->image_flags &= ~IMAGE_DIRTY;
}

void mcu_gauge_callback(GaugeHeader* gauge, int32_t service, bool main_gauge) {
    if (!main_gauge) debug_log_line("mcu_lm_callback \n");
    if (gauge == nullptr) return;
    switch (service) {
    case PANEL_SERVICE_PRE_INSTALL:
        fill_host_folder();
        break;
    case PANEL_SERVICE_PRE_INITIALIZE:
        pre_initialize(gauge, main_gauge);
        break;
    case PANEL_SERVICE_PRE_UPDATE: {
        ElementHeader* first = first_element(gauge);
        show_lamp(first, kLnavLamp, lnav_engaged == 1);
        show_lamp(first, kHoldLamp, hold_armed == 1);
        break;
    }
    case PANEL_SERVICE_PRE_DRAW:
        pre_draw(gauge);
        break;
    case PANEL_SERVICE_CONNECT_TO_WINDOW:
        gdiplus_connect();
        break;
    case PANEL_SERVICE_DISCONNECT:
        gdiplus_disconnect();
        break;
    default:
        break;
    }
}

} // namespace

void ORVEX_FSAPI mcu_callback(GaugeHeader* gauge, int32_t service_id, uintptr_t) {
    mcu_gauge_callback(gauge, service_id, true);
}

void ORVEX_FSAPI mcu_lm_callback(GaugeHeader* gauge, int32_t service_id, uintptr_t) {
    mcu_gauge_callback(gauge, service_id, false);
}
