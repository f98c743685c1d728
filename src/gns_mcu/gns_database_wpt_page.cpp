// DATABASE WPT, the page of state 8: one candidate of an identifier lookup at
// a time (the page keys step through them), and the FLYOVER line, or on a
// lookup from DIRECT the turn direction, offered at R5 for ENT to take.
#include "fms/math/lat_lon_text.h"
#include "fms/plan/candidate_list.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/selection_texts.h"
#include "fms/units/gns_unit_state.h"
#include "gns_mcu/gns_page_draw.h"
#include "gns_mcu/gns_render.h"

namespace {

int& r5() {
    return gns_line_toggles[GNS_R5];
}

void line_key() {
    if (gns_lsk != 10) return;
    const int before = r5();
    reset_page_toggles();
    gns_entry_active = 0;
    if (before == kGnsToggleIdle) {
        r5() = kGnsToggleFirst;
        gns_scratchpad = gns_flyover_choice;
    } else if (before == kGnsToggleFirst && gns_return_state == GNS_DIRECT) {
        r5() = kGnsToggleSecond;
        gns_scratchpad = direct_to_turn_text;
    }
}

const char* kind_name(const std::string& kind) {
    if (kind == "V") return "VOR";
    if (kind == "N") return "NDB";
    if (kind == "I") return "INT";
    return kind.c_str();
}

} // namespace

void gnsxls_database_wpt_page(DisplayObject& display, gfx::Graphics& graphics) {
    GnsPage page(display, graphics);
    line_key();
    const int count = candidate_list().count();
    page.text(45.0f, 0.0f, kGnsWhite, gns_format("DATABASE WPT %d/%d", gns_database_page, count));
    page.marker[GNS_R5] = true;

    // The shared list can change under the page (the MCU's DIRTO empties it).
    if (gns_database_index >= 1 && gns_database_index <= count) {
        const NavListRecord& c = candidate_list()[gns_database_index];
        page.text(96.0f, 40.0f, kGnsGreen, c.ident);
        page.text(300.0f, 40.0f, kGnsGreen, kind_name(c.kind));
        std::string lat, lon;
        format_lat_lon_dms(c.latitude, -c.longitude, &lat, &lon, kDmsDegrees);
        page.text(30.0f, 100.0f, kGnsWhite, "LAT");
        page.text(130.0f, 100.0f, kGnsGreen, lat);
        page.text(30.0f, 140.0f, kGnsWhite, "LON");
        page.text(130.0f, 140.0f, kGnsGreen, lon);
        if (!c.extra.empty()) {
            page.text(30.0f, 180.0f, kGnsWhite, "FREQ");
            page.text(130.0f, 180.0f, kGnsGreen, c.extra);
        }
    }

    if (r5() == kGnsToggleSecond) {
        page.text(130.0f, 340.0f, kGnsWhite, "TURN:");
        page.highlight(300.0f, 340.0f, gns_scratchpad);
    } else {
        page.text(130.0f, 340.0f, kGnsWhite, "FLYOVER:");
        if (r5() == kGnsToggleFirst)
            page.highlight(300.0f, 340.0f, gns_scratchpad);
        else
            page.text(300.0f, 340.0f, kGnsGreen, gns_flyover_choice);
    }
    page.draw_markers();
}
