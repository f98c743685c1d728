// SAVE ACTIVE FPL, the page of state 14: the name the active plan is saved
// under, proposed as origin and destination, in a ten-character field that
// L2 opens; ENT closes the field, a second ENT writes the route file.
#include "fms/plan/route_plan.h"
#include "fms/units/gns_unit_state.h"
#include "gns_mcu/gns_page_draw.h"
#include "gns_mcu/gns_render.h"
#include "gns_mcu/gns_value_pages.h"

void gnsxls_save_fpl_page(DisplayObject& display, gfx::Graphics& graphics) {
    GnsPage page(display, graphics);
    if (gns_lsk == 2) {
        if (gns_line_toggles[GNS_L2] == kGnsToggleIdle) {
            gns_open_field(GNS_L2, kGnsToggleFirst, gns_save_name);
        } else {
            // Closed without ENT: the name kept is what is shown and saved.
            reset_page_toggles();
            gns_entry_active = 0;
            gns_scratchpad = gns_save_name;
        }
    }
    page.text(45.0f, 0.0f, kGnsWhite, "SAVE ACTIVE FPL ");
    page.text(30.0f, 60.0f, kGnsWhite, "NAME");
    if (gns_line_toggles[GNS_L2] == kGnsToggleFirst && gns_entry_active == 1)
        page.highlight(30.0f, 98.0f, gns_scratchpad, 10);
    else
        page.text(30.0f, 98.0f, kGnsGreen, gns_scratchpad);
    std::string file_name;
    if (gns_save_file_name(gns_scratchpad, file_name)) {
        page.text(30.0f, 178.0f, kGnsGreen, file_name);
        page.text(30.0f, 340.0f, kGnsWhite, gns_entry_active == 1 ? "ENT TO ACCEPT" : "ENT TO SAVE");
    } else {
        page.text(30.0f, 178.0f, kGnsYellow, "INVALID NAME");
    }
    page.marker[GNS_L2] = true;
    page.draw_markers();
}
