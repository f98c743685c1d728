// ECON CRZ (page 35): cruise altitude and the cruise target speed and Mach,
// the top of descent (or after it the end of descent) with its ETA, the wind,
// the fuel predicted at the last waypoint and the pause at the top of
// descent.
#include "cdu_smiths/cdu_page_conventions.h"
#include "cdu_smiths/econ_page_rules.h"
#include "cdu_smiths/smiths_pages.h"
#include "data/module_settings.h"
#include "fms/fms_update.h"
#include "fms/perf/speed_targets.h"
#include "fms/perf/vnav_phase.h"
#include "fms/plan/route_exec.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/plan/vertical_state.h"
#include "fms/units/cdu_text.h"
#include "sim/aircraft_state.h"
#include "sim/sim_var_reader.h"

namespace {

void toggle_pause_at_tod() {
    if (ArmPauseAtTod != 1) return;
    if (PauseAtTod == 0) {
        PauseAtTod = 1;
        paused_at_tod = 0; // so the pause can come again
    } else {
        PauseAtTod = 0;
    }
}

void act_on_key() {
    switch (smiths_cdu_lsk) {
    case 1:
        return econ_enter_cruise_altitude();
    case 2:
        return econ_enter_target_speed(cruise_speed_target, CruiseMach);
    case 11:
        return econ_erase();
    case 12:
        return toggle_pause_at_tod();
    default:
        return;
    }
}

// Before the T/D its distance along the legs, as ECON CLB gives the T/C's;
// after it the along-route distance to the E/D waypoint.
void descent_point_rows(CduPage& page) {
    const bool fast = aircraft_state.ground_speed_kt > 60.0;
    if (vnav_phase == VnavPhase::Cruise) {
        if (!econ_has_tod()) return;
        cdu_text(page, 200, 55, CduFont::Small, "T O   T / D");
        if (fast) econ_text_right(page, 33, econ_eta_row(econ_distance_to_tod(), "/%-.0f NM"));
    } else if (vnav_phase == VnavPhase::Descent) {
        cdu_text(page, 190, 55, CduFont::Small, cdu_format("T O  %6s", econ_target_waypoint().ident.c_str()));
        if (fast) econ_text_right(page, 33, econ_eta_row(econ_distance_to_target(), "/%.0f NM"));
    }
}

// Fuel left at the last waypoint, pounds: the last 100 NM flown at 85 % of
// the descent target speed, the rest at the ground speed; a ground speed
// above that mean speed shortens the time and so the burn.
double fuel_at_last_waypoint_lb(double distance_nm) {
    const double g = aircraft_state.ground_speed_kt;
    double v = g;
    if (distance_nm > 100.0)
        v = (descent_speed_target * 0.85 * 100.0 + (distance_nm - 100.0) * g) / distance_nm;
    const double fuel_lb = sim_var_object.get_fuel_on_board_lb();
    if (!(v > 0.0)) return fuel_lb;
    double burn = sim_var_object.get_total_fuel_flow() * distance_nm / v;
    if (g > v) burn = burn * v / g;
    return fuel_lb - burn;
}

void fuel_rows(CduPage& page) {
    // A destination still to be entered is no place to predict the fuel at:
    // the route's last fix is.
    const RouteWaypoint* last = econ_route_end();
    if (to_waypoint_index == kNoToWaypoint || aircraft_state.ground_speed_kt <= 60.0 || last == nullptr)
        return;
    cdu_text(page, 12, 121, CduFont::Small, cdu_format("F U E L    A T %s", last->ident.c_str()));
    const double d = econ_distance_from_aircraft(last->lat, last->lon);
    cdu_text(page, 0, 133, CduFont::Large, cdu_format("%3.1f", fuel_at_last_waypoint_lb(d) / 1000.0));
}

void draw_rows(CduPage& page) {
    const AircraftState& a = aircraft_state;
    cdu_text(page, 12, 22, CduFont::Small, "C R Z    A L T    O P T / M A X");
    econ_cruise_altitude_row(page);
    descent_point_rows(page);
    cdu_text(page, 12, 55, CduFont::Small, "T G T    S P D");
    cdu_text(page, 5, 66, CduFont::Large, cdu_format("%3d / %0.2f", cruise_speed_target, CruiseMach));
    cdu_text(page, 12, 88, CduFont::Small, "T U R B    N 1                  A C T U A L    W I N D");
    cdu_text(page, 180, 99, CduFont::Large,
             a.wind_speed_kt > 0.0 ? cdu_format("%03.0f\xB0 / %3.0f", a.wind_direction_deg, a.wind_speed_kt)
                                   : "---\xB0 / ---");
    fuel_rows(page);
    cdu_text(page, 0, 165, CduFont::Small, "- - - - - - - - - - - - - - - - - - - - - - - -");
    cdu_text(page, 0, 198, CduFont::Large, route_state == kRouteStateActiveModified ? "< ERASE" : "< LRC");
    if (ArmPauseAtTod == 1)
        cdu_text(page, 95, 198, CduFont::Large,
                 PauseAtTod == 1 ? "Pause at TOD (ON) >" : "Pause at TOD (OFF)  >");
}

} // namespace

void smiths_page_econ_crz_keys() {
    act_on_key();
}

void smiths_page_econ_crz(const DisplayObject& display, gfx::Graphics& graphics) {
    CduPage page(display, graphics);
    econ_title(page, "ECON  CRZ", 230, 0);
    draw_rows(page);
    cdu_scratchpad_line(page);
}
