// DEP / ARR INDEX (page 24): the route's origin and destination, and the way
// into DEPARTURES (L1) and ARRIVALS (R2), each opened afresh.
#include "cdu_smiths/arrival_page_state.h"
#include "cdu_smiths/cdu_page_conventions.h"
#include "cdu_smiths/smiths_pages.h"
#include "fms/plan/route_values.h"
#include "fms/procedures/dep_arr_selection.h"
#include "fms/units/cdu_text.h"

namespace {

const char* const kNone = "------";

// The airport as the page shows it: "------" while none is set.
std::string shown_airport(const std::string& ident) {
    return ident.empty() ? kNone : ident;
}

void open_arrivals() {
    smiths_cdu_page = kPageArrivals;
    arr_subpage = 1;
    if (arr_star_state == kArrStarStateChosen) arr_star_state = kArrStarStateMarked;
    arr_transition_chosen = 0;
    arr_runway_chosen = 0;
    approach_chosen = 0;
    approach_transition_chosen = 0;
}

} // namespace

void smiths_page_dep_arr_index_keys() {
    if (smiths_cdu_lsk == 1 && shown_airport(departure_origin_ident) != kNone) reset_dep_selection_b();
    if (smiths_cdu_lsk == 7 && shown_airport(arrival_destination_ident) != kNone) open_arrivals();
}

void smiths_page_dep_arr_index(const DisplayObject& display, gfx::Graphics& graphics) {
    CduPage page(display, graphics);
    const std::string origin = shown_airport(departure_origin_ident);
    const std::string destination = shown_airport(arrival_destination_ident);
    cdu_text(page, 63, 0, CduFont::Large, "DEP / ARR  INDEX");
    cdu_text(page, 220, 5, CduFont::Small, "1 / 1");

    cdu_text(page, 0, 33, CduFont::Large, "< DEP");
    cdu_text(page, 90, 33, CduFont::Large, origin);
    cdu_text(page, 90, 66, CduFont::Large, destination);
    cdu_text(page, 220, 66, CduFont::Large, "ARR >");
    // Labels over the line-6 prompts, in the small font like every label.
    cdu_text(page, 0, 184, CduFont::Small, "DEP");
    cdu_text(page, 90, 184, CduFont::Small, "OTHER");
    cdu_text(page, 220, 184, CduFont::Small, "ARR");
    cdu_text(page, 0, 198, CduFont::Large, "< - - - -");
    cdu_text(page, 220, 198, CduFont::Large, "- - - - >");
    cdu_scratchpad_line(page);
}
