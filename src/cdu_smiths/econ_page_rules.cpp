#include "cdu_smiths/econ_page_rules.h"

#include "cdu_smiths/cdu_eta.h"
#include "cdu_smiths/cdu_modification.h"
#include "cdu_smiths/cdu_page_conventions.h"
#include "cdu_smiths/smiths_pages.h"
#include "data/module_settings.h"
#include "fms/exec/exec_erase.h"
#include "fms/math/nav_math.h"
#include "fms/perf/flown_route.h"
#include "fms/perf/vertical_profile.h"
#include "fms/plan/route_exec.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/plan/route_walk.h"
#include "fms/plan/vertical_state.h"
#include "fms/units/cdu_text.h"
#include "platform/text_file.h"
#include "sim/aircraft_state.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace {

void refuse() {
    smiths_scratchpad_message = "INVALID ENTRY";
}

void accept() {
    smiths_scratchpad.clear();
    cdu_mark_modified();
}

// The whole number at the start of a text: blanks, a sign and digits; 0 when
// none. Read as a double, so a long row of digits stays large and is refused
// by the range check rather than wrapped into it.
double whole_number(const std::string& text) {
    std::size_t i = text.find_first_not_of(' ');
    if (i == std::string::npos) return 0.0;
    double sign = 1.0;
    if (text[i] == '+' || text[i] == '-') sign = text[i++] == '-' ? -1.0 : 1.0;
    double v = 0.0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
        v = v * 10.0 + (text[i] - '0');
    return sign * v;
}

} // namespace

void econ_enter_cruise_altitude() {
    std::string& s = smiths_scratchpad;
    if (s.empty()) return;
    const bool flight_level = s.compare(0, 2, "FL") == 0;
    if (flight_level) s.erase(0, 2);
    const double v = cdu_number(s);
    // The field shows no flight level above 999.
    if (!(v > 0.0 && v < kMaxCruiseAltitudeEntryFt) || (flight_level && v >= 1000.0)) return refuse();
    keep_executed_performance();
    // Below 1000 a flight level: 999 is 99 900 ft, and 0.5 clears the altitude.
    cruise_altitude = saturate_to_int(v);
    if (cruise_altitude < 1000) cruise_altitude *= 100;
    accept();
}

void econ_enter_target_speed(int& speed, double& mach) {
    const std::string& s = smiths_scratchpad;
    if (s.empty()) return;
    const std::size_t slash = s.find('/');
    const bool has_speed = slash != 0;
    const bool has_mach = slash != std::string::npos;
    const double v = has_speed ? whole_number(s.substr(0, slash)) : 0.0;
    const double m = has_mach ? cdu_number(s.substr(slash + 1)) : 0.0;
    if (has_speed && !(v >= 50.0 && v <= 500.0)) return refuse();
    if (has_mach && !(m >= 0.0 && m <= 4.0)) return refuse();
    keep_executed_performance();
    if (has_speed) speed = saturate_to_int(v);
    if (has_mach) mach = m;
    accept();
}

void econ_enter_speed_restriction(double& speed, double& altitude) {
    const std::string& s = smiths_scratchpad;
    if (s.empty()) return;
    const std::size_t slash = s.find('/');
    if (slash == std::string::npos || slash < 3) return refuse();
    const std::string before = s.substr(0, slash);
    const double b = cdu_number(s.substr(slash + 1));
    if (cdu_number(before) < 50.0 || b < 1000.0) return refuse();
    speed = whole_number(before);
    altitude = b;
    smiths_scratchpad.clear();
}

void econ_erase() {
    if (route_state == kRouteStateActiveModified) erase_route_modification();
}

void econ_open_rta_progress() {
    smiths_cdu_page = kPageProgress;
    smiths_progress_subpage = 2;
}

void econ_title(CduPage& page, const char* title, float counter_x, float counter_y) {
    cdu_text(page, 63, 0, CduFont::Large, title);
    cdu_text(page, counter_x, counter_y, CduFont::Small, "1 / 1");
}

void econ_cruise_altitude_row(CduPage& page) {
    if (cruise_altitude == 0)
        cdu_box_prompts(page, {5, 15, 25, 35, 45}, 38);
    else if (cruise_altitude > TransAlt)
        cdu_text(page, 5, 33, CduFont::Large, cdu_format("FL%03d", cruise_altitude / 100));
    else
        cdu_text(page, 5, 33, CduFont::Large, cdu_format("%5d", cruise_altitude));
}

void econ_speed_restriction_row(CduPage& page, double speed, double altitude) {
    if (altitude > 1000.0 && speed > 50.0)
        cdu_text(page, 5, 99, CduFont::Large, cdu_format("%3.0f / %-5.0f", speed, altitude));
}

void econ_text_right(CduPage& page, float y, const std::string& text) {
    cdu_text(page, 265.0f - 9.0f * static_cast<float>(text.size()), y, CduFont::Large, text);
}

std::string econ_eta_row(double distance_nm, const char* tail) {
    return cdu_eta_text(cdu_eta(distance_nm, DispETALocalTime == 1)) + cdu_format(tail, distance_nm);
}

const RouteWaypoint& econ_target_waypoint() {
    return active_plan[constraint_waypoint_index];
}

const RouteWaypoint* econ_route_end() {
    const int end = route_end(active_plan, active_plan_last);
    return end >= 1 ? &active_plan[end] : nullptr;
}

bool econ_has_tod() {
    return active_profile().tod.exists;
}

double econ_distance_to_tod() {
    // Along the legs, as the T/C row measures its own: on a route that
    // doubles back the T/D is as far as the legs to it, not the straight line.
    return std::max(0.0, active_profile().tod_distance_nm());
}

double econ_distance_to_target() {
    // Along LNAV's path, as the T/D and its distance to the target are.
    return path_distance_through(constraint_waypoint_index);
}

double econ_distance_from_aircraft(double lat, double lon) {
    double d = 0.0, course = 0.0;
    gc_dist_course(aircraft_state.plat, aircraft_state.plon, lat, lon, &d, &course);
    return d;
}

void econ_speed_rows(CduPage& page, const EconPhase& phase) {
    cdu_text(page, 12, 55, CduFont::Small, "T G T    S P D");
    cdu_text(page, 5, 66, CduFont::Large, cdu_format("%3d / %.2f", phase.speed, phase.mach));
    cdu_text(page, 12, 88, CduFont::Small, "S P D / R E S T");
    econ_speed_restriction_row(page, phase.restriction_speed, phase.restriction_altitude);
}

bool econ_phase_key(int lsk, const EconPhase& phase) {
    switch (lsk) {
    case 2:
        econ_enter_target_speed(phase.speed, phase.mach);
        return true;
    case 3:
        econ_enter_speed_restriction(phase.restriction_speed, phase.restriction_altitude);
        return true;
    case 11:
        econ_erase();
        return true;
    case 12:
        econ_open_rta_progress();
        return true;
    default:
        return false;
    }
}
