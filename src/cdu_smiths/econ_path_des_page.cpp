// ECON PATH DES (page 36): the end-of-descent waypoint and altitude, the top
// of descent (or after it the end of descent) with its ETA, the descent
// target speed and Mach and speed restriction, the deviation from the
// descent path, the flight-path and required angles with the required
// vertical speed, and the pause before the destination.
#include "cdu_smiths/cdu_page_conventions.h"
#include "cdu_smiths/econ_page_rules.h"
#include "cdu_smiths/smiths_pages.h"
#include "data/aircraft_settings.h"
#include "data/module_settings.h"
#include "fms/fms_update.h"
#include "fms/guidance/route_progress.h"
#include "fms/perf/flown_route.h"
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

#include <cmath>

namespace {

void toggle_pause_near_destination() {
    if (ArmPauseAtDistFromDest != 1) return;
    if (PauseAtDistFromDest == 0) {
        PauseAtDistFromDest = 1;
        paused_at_dest_distance = 0;
    } else {
        PauseAtDistFromDest = 0;
    }
}

EconPhase descent() {
    return {descent_speed_target, DescentMach, DescSpdRest, DescAltRest};
}

void act_on_key() {
    if (smiths_cdu_lsk == 5)
        toggle_pause_near_destination();
    else
        econ_phase_key(smiths_cdu_lsk, descent());
}

// Above or below the path while the aircraft is past the T/D, stepped down
// to 50 ft above 1000 ft, to 10 ft from 200 ft and to 5 ft below that.
std::string vertical_deviation_text() {
    const double a = aircraft_state.indicated_altitude_ft;
    const double p = descent_path_altitude;
    // Past the T/D: it lies farther from the target along the legs than the
    // aircraft does.
    const bool on_descent =
        active_profile().tod_to_entry_nm(constraint_waypoint_index) > econ_distance_to_target();
    if (!on_descent || a == p) return "----  --";
    double e = std::fabs(a - p);
    const double step = e > 1000.0 ? 50.0 : (e >= 200.0 ? 10.0 : 5.0);
    e = std::floor(e / step) * step;
    return cdu_format(a > p ? "%5.0f HI" : "%5.0f LO", e);
}

void descent_point_rows(CduPage& page) {
    const bool fast = aircraft_state.ground_speed_kt > 60.0;
    if (vnav_phase == VnavPhase::Cruise) {
        if (!econ_has_tod()) return;
        cdu_text(page, 200, 55, CduFont::Small, "T O   T / D");
        if (fast) econ_text_right(page, 66, econ_eta_row(econ_distance_to_tod(), "/%-.0f NM"));
    } else if (vnav_phase == VnavPhase::Descent) {
        cdu_text(page, 190, 55, CduFont::Small, cdu_format("T O  %6s", econ_target_waypoint().ident.c_str()));
        if (fast) econ_text_right(page, 66, econ_eta_row(econ_distance_to_target(), "/%.0f NM"));
    }
}

// Flight-path angle and required angle in hundreds of feet per NM (close to
// degrees), and the required vertical speed; drawn while descending on the
// active route.
void path_angle_row(CduPage& page) {
    const AircraftState& a = aircraft_state;
    if (a.vertical_speed_fpm >= 200.0 || to_waypoint_index == kNoToWaypoint ||
        vnav_phase != VnavPhase::Descent || a.ground_speed_kt <= 50.0)
        return;
    const double fpa = 60.0 * std::fabs(a.vertical_speed_fpm) / (100.0 * a.ground_speed_kt);
    const double vb = 60.0 * std::fabs(vnav_required_vs) / (100.0 * a.ground_speed_kt);
    cdu_text(page, 130, 133, CduFont::Large,
             cdu_format("%2.1f   %2.1f     %4.0f", fpa, vb, vnav_required_vs));
}

void draw_rows(CduPage& page) {
    // The profile's E/D: the route's end without an altitude of its own ends
    // the descent at the destination's elevation; a route that ends at a fix
    // without one has no end of descent to show.
    const ProfilePoint& end = active_profile().ed;
    const RouteWaypoint& ed = active_plan[end.exists ? end.index : constraint_waypoint_index];
    const double ed_altitude = end.altitude_ft;
    const bool active = to_waypoint_index != kNoToWaypoint;
    const bool route = active && end.exists;
    cdu_text(page, 12, 22, CduFont::Small, "E / D    A L T");
    if (route) {
        cdu_text(page, 0, 33, CduFont::Large, cdu_format("%5.0f", ed_altitude));
        cdu_text(page, 190, 22, CduFont::Small, cdu_format("A T  %6s", ed.ident.c_str()));
        cdu_text(page, 200, 33, CduFont::Large, cdu_format("%5.0f", ed_altitude));
    }
    descent_point_rows(page);
    econ_speed_rows(page, descent());
    cdu_text(page, 180, 88, CduFont::Small, "W P T / A L T");
    if (route)
        econ_text_right(page, 99, cdu_format("%6s/%5.0f", ed.ident.c_str(), ed_altitude));
    else
        cdu_text(page, 160, 99, CduFont::Small, "- - - - - - / - - - - - -");
    cdu_text(page, 12, 121, CduFont::Small, "V E R T  D E V");
    if (vnav_phase == VnavPhase::Descent) cdu_text(page, 5, 133, CduFont::Large, vertical_deviation_text());
    cdu_text(page, 130, 121, CduFont::Small, "F P A  V / B        V / S");
    path_angle_row(page);
    cdu_text(page, 0, 151, CduFont::Small,
             "- - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - -");
    // The pause comes near the route's last fix, with or without an end of
    // descent.
    const RouteWaypoint* last = econ_route_end();
    if (active && last != nullptr && ArmPauseAtDistFromDest == 1)
        cdu_text(
            page, 0, 165, CduFont::Large,
            cdu_format(PauseAtDistFromDest == 1 ? "PAUSE %d NM From (%s)(ON)" : "PAUSE %d NM From (%s)(OFF)",
                       pause_distance, last->ident.c_str()));
    if (route_state == kRouteStateActiveModified) cdu_text(page, 0, 198, CduFont::Large, "< ERASE");
    cdu_text(page, 220, 198, CduFont::Large, "RTA >");
}

} // namespace

void smiths_page_econ_path_des_keys() {
    act_on_key();
}

void smiths_page_econ_path_des(const DisplayObject& display, gfx::Graphics& graphics) {
    CduPage page(display, graphics);
    econ_title(page, "ECON  PATH  DES", 230, 5);
    draw_rows(page);
    cdu_scratchpad_line(page);
}
