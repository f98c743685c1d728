// TAKEOFF REF (page 27): the take-off flaps and V speeds, the engine thrust
// rating and whether the pre-flight preparation is complete, with prompts to
// the pages that complete it.
#include "cdu_smiths/cdu_page_conventions.h"
#include "cdu_smiths/smiths_pages.h"
#include "data/aircraft_settings.h"
#include "fms/plan/route_state.h"
#include "fms/plan/route_values.h"
#include "fms/plan/selection_texts.h"
#include "fms/plan/vertical_state.h"
#include "fms/procedures/dep_arr_selection.h"
#include "fms/units/cdu_text.h"
#include "platform/text_file.h"
#include "sim/sim_var_reader.h"

#include <cmath>

namespace {

// "------" or an empty text: nothing chosen.
bool none(const std::string& text) {
    return text.empty() || text == "------";
}

bool perf_init_incomplete() {
    return fuel_on_board_low_lb == 0.0 || cruise_altitude == 0;
}

bool preflight_complete() {
    return route_state != kRouteStateNone && !perf_init_incomplete() && !none(applied_departure_runway);
}

// The entry as a whole number (what follows the digits ignored, no digits
// read as 0), taken into `value` when 0 < n < limit. Read as a double, so a
// long row of digits is refused rather than wrapped into range.
void enter_whole(int& value, double limit) {
    if (smiths_scratchpad.empty()) return;
    const double n = std::trunc(cdu_number(smiths_scratchpad));
    if (!(n > 0.0 && n < limit)) {
        smiths_scratchpad_message = "INVALID ENTRY";
        return;
    }
    value = saturate_to_int(n);
    smiths_scratchpad.clear();
}

// A setting of the allowed list, written exactly as listed: "05" is not "5".
void enter_flaps() {
    if (smiths_scratchpad.empty()) return;
    const double n = std::trunc(cdu_number(smiths_scratchpad));
    if (!(n > 0.0 && n <= 50.0) || TOFLAPSRANGE.find("," + smiths_scratchpad + ",") == std::string::npos) {
        smiths_scratchpad_message = "INVALID ENTRY";
        return;
    }
    TOFLAPS = saturate_to_int(n);
    smiths_scratchpad.clear();
}

void act_on_key() {
    switch (smiths_cdu_lsk) {
    case 1:
        return enter_flaps();
    case 6:
        return enter_whole(V1, 250.0);
    case 7:
        return enter_whole(VR, 250.0);
    case 8:
        return enter_whole(V2, 270.0);
    case 9:
        if (route_state == kRouteStateNone) {
            smiths_cdu_page = kPageRte;
            smiths_rte_subpage = 1;
            smiths_rte_entry = 1;
        }
        return;
    case 10:
        if (!none(route_origin_ident)) reset_dep_selection_b();
        return;
    case 5:
        if (perf_init_incomplete()) smiths_cdu_page = kPagePerfInit;
        return;
    case 11:
        smiths_cdu_page = kPageInitRefIndex;
        return;
    default:
        return;
    }
}

void speed_row(CduPage& page, float y, int speed) {
    if (speed > 0) cdu_text(page, 245, y, CduFont::Large, cdu_format("%3d", speed));
}

void draw_rows(CduPage& page) {
    cdu_text(page, 12, 22, CduFont::Small, "F L A P S");
    if (TOFLAPS > 0) cdu_text(page, 20, 33, CduFont::Large, cdu_format("%d\xB0", TOFLAPS));
    cdu_text_right(page, 22, CduFont::Small, "V1");
    speed_row(page, 36, V1);
    cdu_text(page, 12, 55, CduFont::Small,
             EngThrust > 0 ? cdu_format("%d K   N 1", EngThrust) : "- - K   N 1");
    cdu_text_right(page, 55, CduFont::Small, "V R");
    speed_row(page, 68, VR);
    cdu_text(page, 13, 85, CduFont::Small, "C G             T R I M      ");
    cdu_text(page, 0, 99, CduFont::Large, "-  -  . - %");
    cdu_text_right(page, 85, CduFont::Small, "V 2");
    speed_row(page, 98, V2);

    const bool complete = preflight_complete();
    cdu_text(page, 0, 116, CduFont::Large,
             complete ? "- - - - -         -                             - - -"
                      : "- - - - -         -                         - - - - -");
    cdu_text(page, 55, 121, CduFont::Small,
             complete ? "P R E     F L T   C O M P L E T E" : "P R E     F L T   S T A T U S");
    if (route_state == kRouteStateNone) cdu_text(page, 200, 133, CduFont::Large, "ROUTE>");
    if (perf_init_incomplete()) cdu_text(page, 0, 167, CduFont::Large, "<PERF  INIT");
    if (none(applied_departure_runway)) cdu_text(page, 157, 167, CduFont::Large, "DEPARTURE>");
    cdu_text(page, 2, 184, CduFont::Large, "- - - - - - - - - - - - - - - - - - - - - - - - - -");
    cdu_text(page, 0, 198, CduFont::Large, "<INDEX");
}

} // namespace

void smiths_page_takeoff_ref_keys() {
    act_on_key();
}

void smiths_page_takeoff_ref(const DisplayObject& display, gfx::Graphics& graphics) {
    CduPage page(display, graphics);
    cdu_text(page, 63, 0, CduFont::Large, "TAKEOFF  REF");
    cdu_text(page, 220, 3, CduFont::Small, "1 / 1");
    draw_rows(page);
    cdu_scratchpad_line(page);
}
