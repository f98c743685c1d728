// Mode 19, ALT/FL: a new autopilot altitude picked with the rocker keys in
// steps of 1000 or 500 ft and sent with ENTER.
#include "gns_mcu/mcu_keys.h"
#include "gns_mcu/mcu_page_draw.h"
#include "gns_mcu/mcu_render.h"
#include "gns_mcu/mcu_unit_state.h"
#include "platform/text_file.h"
#include "sim/aircraft_state.h"
#include "sim/key_events.h"
#include "sim/panel_services.h"

namespace {} // namespace

void mcu_alt_page(gfx::Graphics& graphics) {
    McuPage page(graphics);
    page.text(0.0f, 0.0f, kMcuAmber, "ALT/FL:");
    page.text(70.0f, 20.0f, kMcuGreen, mcu_format("AP ALT:   %05.0f", aircraft_state.ap_altitude_lock_ft));
    if (mcu_select != kMcuSelectNone) {
        double& alt = mcu_new_altitude_ft;
        switch (mcu_arrow) {
        case MCU_ARROW_LEFT:
            mcu_select = kMcuAltStep1000Ft;
            break;
        case MCU_ARROW_RIGHT:
            mcu_select = kMcuAltStep500Ft;
            break;
        case MCU_ARROW_UP:
            if (mcu_select == kMcuAltStep1000Ft && alt <= 98000.0) alt += 1000.0;
            if (mcu_select == kMcuAltStep500Ft && alt <= 97500.0) alt += 500.0;
            break;
        case MCU_ARROW_DOWN:
            if (mcu_select == kMcuAltStep1000Ft && alt >= 1000.0) alt -= 1000.0;
            if (mcu_select == kMcuAltStep500Ft && alt >= 500.0) alt -= 500.0;
            break;
        default:
            break;
        }
        if (mcu_select == kMcuAltStep1000Ft)
            page.line(kMcuMagenta, 168.0f, 55.0f, 176.0f, 55.0f);
        else
            page.line(kMcuMagenta, 177.0f, 55.0f, 185.0f, 55.0f);
    }
    if (mcu_enter_pressed == 1) {
        trigger_key_event(kKeyAutopilotAltitudeSet,
                          static_cast<uint32_t>(saturate_to_int(mcu_new_altitude_ft)));
        mcu_mode = MCU_STATUS;
        mcu_request_redraw();
    }
    page.text(70.0f, 40.0f, kMcuAmber, mcu_format("NEW ALT:  %05.0f", mcu_new_altitude_ft));
}
