// PILOT ENTERED WPT (state 20) and OFFSET WPT (state 21): the two pages that
// make a waypoint for the plan in view, from typed coordinates or from a
// bearing and distance off a database fix; ENT inserts it at the cursor.
#include "fms/math/lat_lon_text.h"
#include "fms/math/nav_math.h"
#include "fms/plan/candidate_list.h"
#include "fms/plan/route_plan.h"
#include "fms/units/gns_scratchpad.h"
#include "fms/units/gns_unit_state.h"
#include "gns_mcu/gns_page_draw.h"
#include "gns_mcu/gns_render.h"
#include "gns_mcu/gns_value_pages.h"
#include "platform/text_file.h"
#include "sim/aircraft_state.h"

namespace {

// R5: the flyover choice, flipped by the toggle/erase key while open.
void flyover_key() {
    const int before = gns_toggle(GNS_R5);
    reset_page_toggles();
    gns_entry_active = 0;
    if (before != kGnsToggleIdle) return;
    gns_toggle(GNS_R5) = kGnsToggleFirst;
    gns_scratchpad = gns_flyover_choice;
}

void flyover_line(GnsPage& page) {
    page.text(130.0f, 340.0f, kGnsWhite, "FLYOVER:");
    if (gns_toggle(GNS_R5) == kGnsToggleFirst)
        page.highlight(300.0f, 340.0f, gns_scratchpad);
    else
        page.text(300.0f, 340.0f, kGnsGreen, gns_flyover_choice);
}

void pilot_key() {
    if (gns_lsk == 10) {
        flyover_key();
    } else if (gns_lsk == 8) {
        if (gns_toggle(GNS_R3) != kGnsToggleIdle) {
            reset_page_toggles();
            gns_entry_active = 0;
            return;
        }
        const bool latitude = gns_pilot_entry_step != 2;
        gns_open_field(
            GNS_R3, kGnsToggleFirst,
            gns_pilot_coordinate_typed(latitude ? gns_pilot_lat_text : gns_pilot_lon_text, latitude));
    }
}

void coordinate_line(GnsPage& page, float y, const char* label, const std::string& text, bool open) {
    page.text(30.0f, y, kGnsWhite, label);
    if (open)
        page.highlight(130.0f, y, text, 10);
    else
        page.text(130.0f, y, kGnsGreen, text);
}

void offset_key() {
    if (gns_lsk == 10) {
        flyover_key();
    } else if (gns_lsk == 8) {
        if (gns_toggle(GNS_R3) == kGnsToggleIdle) {
            gns_open_field(GNS_R3, kGnsToggleFirst, gns_offset_brg_text);
            return;
        }
        // Closed without ENT: what was typed is dropped.
        reset_page_toggles();
        gns_entry_active = 0;
        gns_offset_brg_input = gns_offset_brg_text;
        gns_offset_dis_input = gns_offset_dis_text;
    }
}

} // namespace

void gns_update_offset_point() {
    const int k = gns_offset_ref_index;
    if (k < 1 || k > candidate_list().count()) {
        gns_offset_lat_text = gns_offset_lon_text = "----------";
        return;
    }
    const NavListRecord& ref = candidate_list()[k];
    gns_offset_lat = ref.latitude;
    gns_offset_lon = ref.longitude;
    if (gns_offset_brg_text != "-----" && gns_offset_dis_input != "------") {
        // The bearing is typed magnetic, as the unit shows every bearing.
        const double course = parse_double(gns_offset_brg_text) + aircraft_state.magvar;
        gc_destination_point(ref.latitude, ref.longitude, course, parse_double(gns_offset_dis_input),
                             &gns_offset_lat, &gns_offset_lon);
    }
    format_lat_lon_dms(gns_offset_lat, -gns_offset_lon, &gns_offset_lat_text, &gns_offset_lon_text,
                       kDmsDegrees);
}

void gnsxls_pilot_wpt_page(DisplayObject& display, gfx::Graphics& graphics) {
    GnsPage page(display, graphics);
    pilot_key();
    const bool typing = gns_toggle(GNS_R3) == kGnsToggleFirst && gns_entry_active == 1;
    const bool latitude = gns_pilot_entry_step != 2;
    if (typing) {
        std::string& text = latitude ? gns_pilot_lat_text : gns_pilot_lon_text;
        text = gns_pilot_coordinate_text(gns_scratchpad_text(), latitude);
    }
    page.text(45.0f, 0.0f, kGnsWhite, "PILOT ENTERED WPT");
    page.text(96.0f, 40.0f, kGnsGreen, gns_pilot_wpt_name);
    coordinate_line(page, 120.0f, "LAT", gns_pilot_lat_text, typing && latitude);
    coordinate_line(page, 178.0f, "LON", gns_pilot_lon_text, typing && !latitude);
    flyover_line(page);
    page.marker[GNS_R3] = true;
    page.marker[GNS_R5] = true;
    page.draw_markers();
}

void gnsxls_offset_wpt_page(DisplayObject& display, gfx::Graphics& graphics) {
    GnsPage page(display, graphics);
    offset_key();
    if (gns_entry_active == 1) {
        const std::string typed = gns_scratchpad_text();
        if (gns_toggle(GNS_R3) == kGnsToggleFirst) gns_offset_brg_input = typed.empty() ? "-----" : typed;
        if (gns_toggle(GNS_R3) == kGnsToggleSecond) gns_offset_dis_input = typed.empty() ? "------" : typed;
    }
    gns_update_offset_point();

    page.text(30.0f, 0.0f, kGnsWhite,
              gns_format("OFFSET WPT    %d/%d", gns_offset_ref_index, candidate_list().count()));
    page.text(30.0f, 40.0f, kGnsWhite, "REF");
    page.text(130.0f, 40.0f, kGnsGreen, gns_offset_ref_ident);
    page.text(30.0f, 120.0f, kGnsWhite, "BRG");
    if (gns_toggle(GNS_R3) == kGnsToggleFirst && gns_entry_active == 1)
        page.highlight(130.0f, 120.0f, gns_scratchpad, 6);
    else
        page.text(130.0f, 120.0f, kGnsGreen,
                  gns_offset_brg_text == "-----" ? gns_offset_brg_text : gns_offset_brg_text + "\xB0");
    page.text(30.0f, 178.0f, kGnsWhite, "DIS");
    if (gns_toggle(GNS_R3) == kGnsToggleSecond && gns_entry_active == 1)
        page.highlight(130.0f, 178.0f, gns_scratchpad, 6);
    else
        page.text(130.0f, 178.0f, kGnsGreen,
                  gns_offset_dis_input == "------" ? gns_offset_dis_input : gns_offset_dis_input + "NM");
    page.text(30.0f, 240.0f, kGnsWhite, "LAT");
    page.text(130.0f, 240.0f, kGnsGreen, gns_offset_lat_text);
    page.text(30.0f, 280.0f, kGnsWhite, "LON");
    page.text(130.0f, 280.0f, kGnsGreen, gns_offset_lon_text);
    flyover_line(page);
    page.marker[GNS_R3] = true;
    page.marker[GNS_R5] = true;
    page.draw_markers();
}
