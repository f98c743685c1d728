// STORED FLIGHT PLANS (page 1): the plans of the flight-plans folder, six to
// a sub-page; a left key loads its plan into the working plan and opens the
// RTE page.
#include "cdu_smiths/cdu_page_conventions.h"
#include "cdu_smiths/smiths_pages.h"
#include "fms/files/flight_plan_folder.h"
#include "fms/files/route_file_load.h"
#include "fms/files/stored_routes.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/units/cdu_text.h"

namespace {

constexpr int kPlansPerPage = 6;

// False when the plan's file could not be read: the route stays as it was and
// the RTE page says so on its message line.
bool load_plan(int k) {
    const bool loaded = load_listed_plan_to_working(k, RouteLoadAsker::Smiths);
    if (!loaded) smiths_scratchpad_message = stored_routes[k].name + " Unable to Load";
    // The RTE page lists the rows of the plan just loaded.
    if (loaded && working_plan_last > 1) build_route_rows();
    smiths_cdu_page = kPageRte;
    smiths_rte_subpage = 1;
    return loaded;
}

int first_shown() {
    return smiths_fpl_subpage * kPlansPerPage - (kPlansPerPage - 1);
}

} // namespace

void smiths_page_stored_fpls(const DisplayObject& display, gfx::Graphics& graphics) {
    CduPage page(display, graphics);
    const int n = stored_routes.count();
    cdu_text(page, 10, 0, CduFont::Large, "STORED FLIGHT PLANS");
    cdu_text(page, 225, 0, CduFont::Small,
             cdu_format("%2d / %2d", smiths_fpl_subpage, smiths_fpl_page_count));
    const int first = first_shown();
    for (int r = 1; r <= kPlansPerPage && first + r - 1 <= n; ++r)
        cdu_text(page, 0, 33.0f * r, CduFont::Large, stored_routes[first + r - 1].name);
}

void smiths_page_stored_fpls_keys() {
    const int n = stored_routes.count();
    smiths_fpl_page_count = cdu_page_count(n, kPlansPerPage);
    cdu_step_subpage(smiths_fpl_subpage, smiths_fpl_page_count);
    const int first = first_shown();

    // Lines 1 to 5 step the route state; line 6 enters the route afresh.
    const int code = smiths_cdu_lsk;
    if (code >= 1 && code <= 5 && first + code - 1 <= n) {
        if (load_plan(first + code - 1)) advance_route_state();
    } else if (code == 11 && first + 5 <= n) {
        if (load_plan(first + 5)) route_state = kRouteStateEntered;
    }
}
