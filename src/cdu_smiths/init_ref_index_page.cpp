// INIT/REF INDEX (page 23): prompts to the initialisation and reference
// pages, the import of the simulator's flight plan and SAVE FPL, which
// writes the executed route as a route file named by the scratchpad.
#include "cdu_smiths/cdu_page_conventions.h"
#include "cdu_smiths/smiths_pages.h"
#include "fms/files/gps_plan_import.h"
#include "fms/files/route_file.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/units/cdu_text.h"

namespace {

void save_active_plan() {
    if (route_state < kRouteStateActive || active_plan_last < 1) {
        smiths_scratchpad_message = "NO ACTIVE FLIGHT PLAN";
        return;
    }
    std::string name = smiths_scratchpad;
    if (name.empty()) name = active_plan[0].ident + active_plan[active_plan_last].ident;
    if (name.find('.') == std::string::npos) name += ".RTE";
    if (!acceptable_file_name(name)) {
        smiths_scratchpad_message = "INVALID ENTRY";
        return;
    }
    smiths_scratchpad_message = name + (save_route_file(name) ? " Saved" : " Unable to Save");
    smiths_scratchpad.clear();
}

void act_on_key() {
    switch (smiths_cdu_lsk) {
    case 1:
        smiths_cdu_page = kPageIdent;
        break;
    case 2:
        smiths_cdu_page = kPagePosRef;
        smiths_pos_subpage = 1;
        break;
    case 3:
        smiths_cdu_page = kPagePerfInit;
        smiths_perf_init_subpage = 1;
        break;
    case 4:
        smiths_cdu_page = kPageTakeoffRef;
        break;
    case 5:
        smiths_cdu_page = kPageApproachRef;
        break;
    case 6:
        smiths_cdu_page = kPageRefNavData;
        break;
    case 7:
        smiths_cdu_page = kPageStoredFpls;
        break;
    case 8:
        import_gps_route(kGpsImportWithMessage);
        break;
    case 12:
        save_active_plan();
        break;
    default:
        break;
    }
}

} // namespace

void smiths_page_init_ref_index_keys() {
    act_on_key();
}

void smiths_page_init_ref_index(const DisplayObject& display, gfx::Graphics& graphics) {
    CduPage page(display, graphics);
    cdu_text(page, 63, 0, CduFont::Large, "INIT/REF   INDEX");
    cdu_text(page, 0, 33, CduFont::Large, "<IDENT");
    cdu_text(page, 175, 33, CduFont::Large, "NAV DATA>");
    cdu_text(page, 0, 66, CduFont::Large, "<POS");
    cdu_text(page, 137, 66, CduFont::Large, "FLIGHT PLANS>");
    cdu_text(page, 137, 99, CduFont::Large, "LOAD ATC RTE>");
    cdu_text(page, 0, 99, CduFont::Large, "<PERF");
    cdu_text(page, 0, 132, CduFont::Large, "<TAKEOFF");
    cdu_text(page, 0, 165, CduFont::Large, "<APPROACH");
    cdu_text(page, 180, 198, CduFont::Large, "SAVE FPL>");
    cdu_scratchpad_line(page);
}
