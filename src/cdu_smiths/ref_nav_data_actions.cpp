// REF NAV DATA keys: each lookup searches one table only; one match of the
// kind wanted becomes the page's fix, several go to SELECT WAYPOINT, which
// comes back here with the one chosen.
#include "cdu_smiths/ref_nav_data_page.h"
#include "cdu_smiths/smiths_pages.h"
#include "fms/nav/nearest_vors.h"
#include "fms/plan/airways.h"
#include "fms/plan/waypoint_entry.h"
#include "fms/procedures/airport_detail.h"
#include "fms/units/cdu_text.h"
#include "sim/aircraft_state.h"

namespace {

enum class Lookup { Fix, Navaid, Airport };

int table_of(Lookup kind) {
    switch (kind) {
    case Lookup::Navaid:
        return 1;
    case Lookup::Fix:
        return 2;
    case Lookup::Airport:
        break;
    }
    return 3;
}

bool kind_wanted(Lookup kind, const std::string& text) {
    switch (kind) {
    case Lookup::Fix:
        return text == "I";
    case Lookup::Navaid:
        return text == "V" || text == "N";
    case Lookup::Airport:
        break;
    }
    return text == "APT";
}

void look_up(Lookup kind) {
    if (smiths_scratchpad.empty()) return;
    waypoint_lookup_text = smiths_scratchpad;
    lookup_waypoint_entry(table_of(kind), aircraft_state.plat, aircraft_state.plon);
    const int count = candidate_count();
    if (count == 0) {
        smiths_scratchpad_message = "NOT IN DATABASE";
        return;
    }
    smiths_scratchpad.clear();
    if (count == 1) {
        if (kind_wanted(kind, candidate_list()[1].kind))
            select_ref_nav_candidate(1);
        else
            smiths_scratchpad_message = "NOT IN DATABASE";
        return;
    }
    smiths_select_return_page = kPageRefNavData;
    smiths_cdu_page = kPageSelectWaypoint;
}

void look_up_runway() {
    if (smiths_scratchpad.empty()) return;
    const std::string runway = smiths_scratchpad;
    lookup_runway_ref_data(ref_nav_fix.ident, runway);
    // A runway found empties the scratchpad.
    if (smiths_scratchpad.empty()) ref_nav_runway_ident = runway;
}

// L6 on every sub-page; the page opens on its entry sub-page next time.
void to_index() {
    ref_nav_kind = kRefNavEntry;
    smiths_cdu_page = kPageInitRefIndex;
}

void entry_keys() {
    switch (smiths_cdu_lsk) {
    case 1:
        look_up(Lookup::Fix);
        break;
    case 2:
        look_up(Lookup::Airport);
        break;
    case 6:
        look_up(Lookup::Navaid);
        break;
    case 11:
        smiths_cdu_page = kPageInitRefIndex;
        break;
    case 12:
        smiths_nav_status_subpage = 2;
        smiths_cdu_page = kPageNavStatus;
        break;
    default:
        break;
    }
}

} // namespace

void ref_nav_data_act(int shown_kind) {
    const int key = smiths_cdu_lsk;
    if (shown_kind < kRefNavFix || shown_kind > kRefNavAirport) {
        entry_keys();
    } else if (key == 11) {
        to_index();
    } else if (shown_kind == kRefNavFix && key == 1) {
        look_up(Lookup::Fix);
    } else if (shown_kind == kRefNavNavaid && key == 6) {
        look_up(Lookup::Navaid);
    } else if (shown_kind == kRefNavAirport && key == 1) {
        look_up_runway();
    } else if (shown_kind == kRefNavAirport && key == 2) {
        look_up(Lookup::Airport);
    }
}
