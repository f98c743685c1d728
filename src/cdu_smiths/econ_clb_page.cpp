// ECON CLB (page 34): cruise altitude, climb target speed and Mach, the climb
// speed restriction, and either the top of climb or the constrained waypoint
// before it with its ETA.
#include "cdu_smiths/cdu_page_conventions.h"
#include "cdu_smiths/econ_page_rules.h"
#include "cdu_smiths/smiths_pages.h"
#include "data/aircraft_settings.h"
#include "data/module_settings.h"
#include "fms/perf/speed_targets.h"
#include "fms/perf/vertical_profile.h"
#include "fms/perf/vnav_phase.h"
#include "fms/plan/entry_marks.h"
#include "fms/plan/route_exec.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/plan/vertical_state.h"
#include "fms/units/cdu_text.h"
#include "sim/aircraft_state.h"

namespace {

EconPhase climb() {
    return {climb_speed_target, ClimbMach, ClbSpdRest, ClbAltRest};
}

void act_on_key() {
    if (smiths_cdu_lsk == 1)
        econ_enter_cruise_altitude();
    else
        econ_phase_key(smiths_cdu_lsk, climb());
}

// The profile's T/C, along the legs, when it lies on a leg no later than the
// constrained waypoint's, else that waypoint with its altitude. A climb that
// goes on past the route's last fix has no T/C on the route: that fix is
// shown, with an altitude only where it has one.
void next_point_rows(CduPage& page) {
    if (vnav_phase != VnavPhase::Climb || aircraft_state.ground_speed_kt <= 60.0 ||
        to_waypoint_index == kNoToWaypoint)
        return;
    const RouteWaypoint& w = econ_target_waypoint();
    const VerticalProfile& profile = active_profile();
    if (profile.toc.exists && profile.toc.index <= constraint_waypoint_index) {
        cdu_text(page, 200, 55, CduFont::Small, "T O   T / C");
        cdu_text(page, 160, 66, CduFont::Large, econ_eta_row(profile.toc_distance_nm(), " / %.1f"));
        return;
    }
    const double to_waypoint = econ_distance_from_aircraft(w.lat, w.lon);
    if (predicted_altitude(w) > kNoConstraint) {
        cdu_text(page, 200, 22, CduFont::Small, cdu_format("A T  %6s", w.ident.c_str()));
        cdu_text(page, 200, 33, CduFont::Large, cdu_format("%-5.2f", predicted_altitude(w)));
    }
    cdu_text(page, 200, 55, CduFont::Small, cdu_format("T O   %6s", w.ident.c_str()));
    cdu_text(page, 150, 66, CduFont::Large, econ_eta_row(to_waypoint, "/%.0f NM"));
}

void draw_rows(CduPage& page) {
    cdu_text(page, 12, 22, CduFont::Small, "C R Z    A L T");
    econ_cruise_altitude_row(page);
    next_point_rows(page);
    econ_speed_rows(page, climb());
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
