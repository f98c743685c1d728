// ECON CLB (page 34): cruise altitude, climb target speed and Mach, the climb
// speed restriction, and either the top of climb or the constrained waypoint
// before it with its ETA.
#include "cdu_smiths/cdu_page_conventions.h"
#include "cdu_smiths/econ_page_rules.h"
#include "cdu_smiths/smiths_pages.h"
#include "data/aircraft_settings.h"
#include "data/module_settings.h"
#include "fms/perf/speed_targets.h"
#include "fms/perf/vertical_state.h"
#include "fms/plan/route_exec.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/units/cdu_text.h"
#include "sim/aircraft_state.h"

namespace {

void act_on_key() {
    switch (smiths_cdu_lsk) {
    case 1:
        return econ_enter_cruise_altitude();
    case 2:
        return econ_enter_target_speed(climb_speed_target, ClimbMach, previous_climb_speed,
                                       previous_climb_mach);
    case 3:
        return econ_enter_speed_restriction(ClbSpdRest, ClbAltRest);
    case 11:
        return econ_erase();
    case 12:
        return econ_open_rta_progress();
    default:
        return;
    }
}

// The T/C when it comes no later than the constrained waypoint, else that
// waypoint with its altitude.
void next_point_rows(CduPage& page) {
    if (toc_passed != 0 || aircraft_state.ground_speed_kt <= 60.0 || to_waypoint_index == kNoToWaypoint)
        return;
    const RouteWaypoint& w = econ_target_waypoint();
    const double to_waypoint = econ_distance_from_aircraft(w.lat, w.lon);
    const double to_toc = econ_distance_from_aircraft(toc_lat, toc_lon);
    if (to_toc <= to_waypoint) {
        cdu_text(page, 200, 55, CduFont::Small, "T O   T / C");
        cdu_text(page, 160, 66, CduFont::Large, econ_eta_row(to_toc, " / %.1f"));
        return;
    }
    cdu_text(page, 200, 22, CduFont::Small, cdu_format("A T  %6s", w.ident.c_str()));
    cdu_text(page, 200, 33, CduFont::Large, cdu_format("%-5.2f", w.alt_constraint));
    cdu_text(page, 200, 55, CduFont::Small, cdu_format("T O   %6s", w.ident.c_str()));
    cdu_text(page, 150, 66, CduFont::Large, econ_eta_row(to_waypoint, "/%.0f NM"));
}

void draw_rows(CduPage& page) {
    cdu_text(page, 12, 22, CduFont::Small, "C R Z    A L T");
    econ_cruise_altitude_row(page);
    next_point_rows(page);
    cdu_text(page, 12, 55, CduFont::Small, "T G T    S P D");
    cdu_text(page, 5, 66, CduFont::Large, cdu_format("%3d / %.2f", climb_speed_target, ClimbMach));
    cdu_text(page, 12, 88, CduFont::Small, "S P D / R E S T");
    econ_speed_restriction_row(page, ClbSpdRest, ClbAltRest);
    cdu_text(page, 12, 121, CduFont::Large, "- - - - - - - - - - - - - - - -");
    cdu_text(page, 140, 151, CduFont::Large, "- - - - - - - - - - - - - - - -");
    if (route_state == kRouteStateActiveModified) {
        cdu_text(page, 0, 198, CduFont::Large, "< ERASE");
    } else {
        cdu_text(page, 0, 165, CduFont::Large, "< MAX   RATE");
        cdu_text(page, 0, 198, CduFont::Large, "< MAX   ANGLE");
    }
    cdu_text(page, 220, 198, CduFont::Large, "RTA >");
}

} // namespace

void smiths_page_econ_clb_keys() {
    act_on_key();
}

void smiths_page_econ_clb(const DisplayObject& display, gfx::Graphics& graphics) {
    CduPage page(display, graphics);
    econ_title(page, "ECON  CLB", 220, 5);
    draw_rows(page);
    cdu_scratchpad_line(page);
}
