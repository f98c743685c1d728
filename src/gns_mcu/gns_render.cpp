#include "gns_mcu/gns_render.h"

#include "fms/plan/plan_edit.h"
#include "fms/units/gns_page_state.h"
#include "fms/units/gns_unit_state.h"
#include "gns_mcu/gns_page_draw.h"
#include "gns_mcu/gns_page_view.h"
#include "sim/aircraft_state.h"

DisplayObject gnsxls_display;

namespace {

// Page of each state 1..21 (index 0 unused). States 2 to 6 and 17 are never
// set.
constexpr GnsPageRoutine kPages[kGnsStateCount + 1] = {
    nullptr,                     // 0
    gnsxls_flight_plan_page,     // 1 FLIGHT PLAN
    nullptr,                     // 2
    nullptr,                     // 3
    nullptr,                     // 4
    nullptr,                     // 5
    nullptr,                     // 6
    gnsxls_direct_page,          // 7 DIRECT
    gnsxls_database_wpt_page,    // 8 DATABASE WPT
    gnsxls_navigation_page,      // 9 NAVIGATION
    gnsxls_departure_page,       // 10 DEPARTURE
    gnsxls_arrival_page,         // 11 ARRIVAL
    gnsxls_approach_page,        // 12 APCH
    gnsxls_airway_page,          // 13 AIRWAY
    gnsxls_save_fpl_page,        // 14 SAVE ACTIVE FPL
    gnsxls_vnav_page,            // 15 VNAV
    gnsxls_vnav_data_page,       // 16 VNAV DATA
    nullptr,                     // 17 never set: the VNAV key goes to 15
    gnsxls_holding_pattern_page, // 18 HOLDING PATTERN
    gnsxls_plan_page,            // 19 PLAN
    gnsxls_pilot_wpt_page,       // 20 PILOT ENTERED WPT
    gnsxls_offset_wpt_page,      // 21 OFFSET WPT
};

} // namespace

GnsPageRoutine gns_page_routine(int state) {
    return state >= 1 && state <= kGnsStateCount ? kPages[state] : nullptr;
}

void render_gnsxls(DisplayObject& display, void* device_context, PixelSize size) {
    RenderFrameOptions frame;
    frame.smoothing = gfx::SmoothingMode::HighQuality;
    frame.set_text_hint = false;
    frame.pre_clear = true;
    frame.test_mode = false;
    frame.scale = false;
    frame.fill_background = false;
    run_render_frame(display, device_context, size, RENDER_MODE_DRAW, aircraft_state.display_power, frame,
                     [&](gfx::Graphics& g) {
                         const PlanUnitScope unit(PlanUnit::Gns);
                         gns_forget_drawn_texts();
                         gns_close_changed_page_view();
                         if (GnsPageRoutine page = gns_page_routine(gns_state)) page(display, g);
                         gns_note_page_view();
                         // Below the page's own labels, never over them.
                         if (!gns_refusal_text.empty()) GnsPage(display, g).message(gns_refusal_text);
                         gns_enter_pressed = 0;
                         gns_prev_pressed = 0;
                         gns_next_pressed = 0;
                         gns_direct_pressed = 0;
                         gns_erase_pressed = 0;
                         gns_lsk = 0;
                     });
}
