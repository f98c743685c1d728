#include "gns_mcu/mcu_render.h"

#include "fms/fms_update.h"
#include "fms/plan/plan_edit.h"
#include "fms/plan/route_values.h"
#include "fms/units/update_counters.h"
#include "gns_mcu/mcu_page_draw.h"
#include "gns_mcu/mcu_unit_state.h"
#include "map/palette.h"
#include "sim/aircraft_state.h"

#include <utility>

DisplayObject mcu_display;

McuPageRoutine mcu_page_routine(int mode) {
    switch (mode) {
    case MCU_FPLN:
        return mcu_fpln_page;
    case MCU_AIRPORT:
        return mcu_airport_page;
    case MCU_STATUS:
        return mcu_status_page;
    case MCU_LEGS:
        return mcu_legs_page;
    case MCU_DIRTO:
        return mcu_dirto_page;
    case MCU_ALT:
        return mcu_alt_page;
    default:
        return nullptr;
    }
}

void render_mcu(DisplayObject& display, void* device_context, PixelSize size) {
    RenderFrameOptions frame;
    frame.design_width = kMcuCanvasWidth;
    frame.design_height = kMcuCanvasHeight;
    frame.set_smoothing = false;
    frame.test_mode = false;
    frame.fill_background = false;
    run_render_frame(display, device_context, size, RENDER_MODE_DRAW, aircraft_state.display_power, frame,
                     [](gfx::Graphics& g) {
                         const PlanUnitScope unit(PlanUnit::Mcu);
                         // A route file was loaded: its airport page is served once.
                         const bool airport_request = route_load_source == kRouteFileRequestMcu;
                         // The status page also follows the clock, once a second, and
                         // draws a change of what it shows on the frame it comes: a
                         // redraw put off to the next frame would show a TO already
                         // passed, on whichever frame the picture is taken.
                         const bool due =
                             display_refresh_counter == 0 || mcu_redraw == 1 ||
                             (mcu_mode == MCU_STATUS && (second_tick == 1 || mcu_status_changed()));
                         // The airport request's page draws nothing: without a due
                         // redraw the screen keeps its picture.
                         const bool run = due || airport_request;
                         if (due) {
                             g.fill_rectangle(gfx::SolidBrush(palette::black), 0.0f, 0.0f, 250.0f, 85.0f);
                             if (mcu_entry_active == 1)
                                 g.fill_rectangle(gfx::SolidBrush(kMcuPurple), 0.0f, 61.0f, 236.0f, 13.0f);
                         }
                         if (airport_request) {
                             mcu_mode = MCU_AIRPORT;
                             mcu_enter_pressed = 1;
                             mcu_redraw = 1;
                         }
                         if (run)
                             if (McuPageRoutine page = mcu_page_routine(mcu_mode)) page(g);
                         if (mcu_mode == MCU_STATUS) second_tick = 0;
                         if (airport_request) {
                             mcu_mode = MCU_STATUS;
                             // What the load could not take, now that its
                             // airport request has used the entry line.
                             if (!mcu_load_message.empty()) mcu_entry_text = std::move(mcu_load_message);
                             mcu_load_message.clear();
                         }
                         mcu_enter_pressed = 0;
                         mcu_prev_pressed = 0;
                         mcu_next_pressed = 0;
                         mcu_fpln_pressed = 0;
                         mcu_page_up_pressed = 0;
                         mcu_page_down_pressed = 0;
                         mcu_arrow = MCU_ARROW_NONE;
                         if (airport_request)
                             route_load_source = kRouteFileRequestNone;
                         else
                             mcu_redraw = 0;
                     });
}
