// PROGRESS (page 33): the FROM, TO, NEXT and destination lines with
// distances, ETAs and predicted fuel, the fuel on board and the wind
// (sub-page 1); RTA PROGRESS, a prompt to PERF LIMITS (2); wind components,
// temperature deviation, cross-track error, vertical deviation, track and
// true airspeed (3). The page shows only; L6 and R6 change the page.
#include "cdu_smiths/cdu_page_conventions.h"
#include "cdu_smiths/smiths_pages.h"
#include "data/module_settings.h"
#include "fms/fms_update.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/guidance/route_progress.h"
#include "fms/math/clock_math.h"
#include "fms/math/heading_math.h"
#include "fms/math/nav_math.h"
#include "fms/nav/nearest_vors.h"
#include "fms/perf/speed_targets.h"
#include "fms/perf/vertical_profile.h"
#include "fms/perf/vnav_phase.h"
#include "fms/plan/plan_legs.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/vertical_state.h"
#include "fms/units/cdu_text.h"
#include "platform/text_file.h"
#include "sim/aircraft_state.h"
#include "sim/sim_var_reader.h"

#include <cmath>
#include <cstdlib>

namespace {

constexpr int kProgressSubpages = 3;
constexpr double kLbToKg = 0.45359237;

void act_on_key() {
    const int sub = smiths_progress_subpage;
    if (smiths_cdu_lsk == 11) {
        if (sub == 2) {
            smiths_perf_init_subpage = 2;
            smiths_cdu_page = kPagePerfInit;
        } else {
            smiths_cdu_page = kPageInitRefIndex;
        }
    } else if (smiths_cdu_lsk == 12 && sub == 1) {
        smiths_cdu_page = kPageNavStatus;
        smiths_nav_status_subpage = 1;
        refresh_nearest_vors();
    }
}

double weight_shown(double pounds) {
    return WeightUnit == "KGS" ? pounds * kLbToKg : pounds;
}

// Into 0.5 .. 360.
double course_0_360(double course) {
    if (course < 0.5) course += 360.0;
    if (course >= 360.0) course -= 360.0;
    return course;
}

bool valid_plan_index(int i) {
    return i >= 0 && i <= active_plan_last && i <= kPlanLastIndex;
}

double distance_between(double lat1, double lon1, double lat2, double lon2) {
    double d = 0.0, course = 0.0;
    gc_dist_course(lat1, lon1, lat2, lon2, &d, &course);
    return d;
}

double distance_from_aircraft(const RouteWaypoint& w) {
    return distance_between(aircraft_state.plat, aircraft_state.plon, w.lat, w.lon);
}

// Sub-page 1's fonts and the right-aligned numbers that end near x 122.
struct ProgressPage {
    CduPage& page;
    gfx::Font medium{page.arial, 15.0f};

    void number(float y, const std::string& text) {
        cdu_text(page, 122.0f - 10.0f * static_cast<float>(text.size()), y, CduFont::Large, text);
    }
    void course(float y, double degrees) {
        page.g.draw_string(cdu_format("%03.0f \xB0", degrees), medium, page.green, gfx::PointF{30.0f, y});
    }
    // ETA and fuel left after `minutes` burning `burn_lb`.
    void prediction(float y, double minutes, double burn_lb) {
        // Whole minutes, rounded: 12:59.6 reads 1300. The local clock lends
        // only its hours.
        const AircraftState& a = aircraft_state;
        const bool local = DispETALocalTime == 1;
        const HoursMinutes eta =
            clock_after(local ? a.local_hours : a.zulu_hours, a.zulu_minutes, hours_minutes(minutes));
        cdu_text(page, 160, y, CduFont::Large,
                 cdu_format("%02.0f%02.0f%c", eta.hours, eta.minutes, local ? 'L' : 'Z'));
        const double left = weight_shown(sim_var_object.get_fuel_on_board_lb() - burn_lb);
        cdu_text(page, 227, y, CduFont::Large, cdu_format("%3.1f", left / 1000.0));
    }
    // At the present ground speed.
    void prediction_at_ground_speed(float y, double distance) {
        const double gs = aircraft_state.ground_speed_kt;
        const double hours = distance / gs;
        prediction(y, hours * 60.0, sim_var_object.get_total_fuel_flow() * hours);
    }
};

void draw_from_row(ProgressPage& p) {
    cdu_text(p.page, 0, 33, CduFont::Large, cdu_format("%-5s", last_passed_waypoint.c_str()));
    const double alt = last_passed_altitude_ft;
    p.number(33, TransAlt > alt ? cdu_format("%5.0f", alt) : cdu_format("FL%3.0f", alt / 100.0));
    cdu_text(p.page, 160, 33, CduFont::Large, last_passed_time_text);
    cdu_text(p.page, 227, 33, CduFont::Large, cdu_format("%3.1f", last_passed_fuel / 1000.0));
}

// The last 100 NM at 80 % of the descent speed target, the rest at the
// ground speed.
void draw_destination_prediction(ProgressPage& p, double distance) {
    const double gs = aircraft_state.ground_speed_kt;
    const double v =
        distance <= 100.0 ? gs : (0.8 * descent_speed_target * 100.0 + (distance - 100.0) * gs) / distance;
    if (!(v > 60.0)) return;
    const double hours = distance / v;
    double burn = sim_var_object.get_total_fuel_flow() * hours;
    if (gs > v) burn *= v / gs;
    p.prediction(131, hours * 60.0, burn);
}

void draw_route_rows(ProgressPage& p) {
    const int to = to_waypoint_index;
    const int last = active_plan_last;
    const bool active = to != kNoToWaypoint && valid_plan_index(to);
    const bool timed = active && aircraft_state.ground_speed_kt > 75.0;

    if (active && to > 1) draw_from_row(p);
    if (last < 1) return;

    p.course(53, course_to_to_deg);
    if (active) cdu_text(p.page, 0, 66, CduFont::Large, cdu_format("%-5s", active_plan[to].ident.c_str()));
    p.number(66, cdu_format("%.0f", distance_to_to_nm));
    if (timed) p.prediction_at_ground_speed(66, distance_to_to_nm);

    // NEXT is the first place after the TO waypoint: a "DISCO" or "THEN" entry
    // lies at 0N 0E.
    const int n = active ? next_place(active_plan, to + 1, last - 1) : -1;
    const bool next_row = n > 0;
    if (next_row) {
        const RouteWaypoint& from = active_plan[to];
        const RouteWaypoint& next = active_plan[n];
        double leg = 0.0, course = 0.0;
        gc_dist_course(from.lat, from.lon, next.lat, next.lon, &leg, &course);
        cdu_text(p.page, 0, 99, CduFont::Large, cdu_format("%-5s", next.ident.c_str()));
        p.number(99, cdu_format("%.0f", distance_to_to_nm + leg));
        p.course(86, magnetic_course(course));
        if (timed) p.prediction_at_ground_speed(99, distance_to_to_nm + leg);
    }

    // A destination still to be entered is shown as no destination at all:
    // the row stays empty.
    const RouteWaypoint& dest = active_plan[last];
    if (!is_place(dest)) return;
    cdu_text(p.page, 0, 131, CduFont::Large, cdu_format("%-5s", dest.ident.c_str()));
    double distance = 0.0;
    if (next_row) {
        const RouteWaypoint& next = active_plan[n];
        distance = distance_from_aircraft(next) + distance_between(next.lat, next.lon, dest.lat, dest.lon);
    } else {
        distance = distance_from_aircraft(dest);
    }
    p.number(131, cdu_format("%.0f", distance));
    if (active) draw_destination_prediction(p, distance);
}

void draw_progress(CduPage& page) {
    const AircraftState& a = aircraft_state;
    ProgressPage p{page};
    cdu_text(page, 63, 0, CduFont::Large, "PROGRESS");
    cdu_text(page, 12, 22, CduFont::Small, "F R O M          A L T              A T A     F U E L");
    cdu_text(page, 92, 55, CduFont::Small, "D T G              E T A     F U E L");
    if (active_plan_last <= kPlanLastIndex) draw_route_rows(p);
    cdu_text(page, 180, 151, CduFont::Small, "F U E L    Q T Y");
    cdu_text(page, 200, 166, CduFont::Large,
             cdu_format("%3.1f", weight_shown(sim_var_object.get_fuel_on_board_lb()) / 1000.0));
    cdu_text(page, 12, 188, CduFont::Small, "W I N D         I R S  (   )");
    cdu_text(page, 0, 198, CduFont::Large,
             cdu_format("%03.0f\xB0 / %3.0f", a.wind_direction_deg, a.wind_speed_kt));
    cdu_text(page, 140, 198, CduFont::Large, "NAV  STATUS >");
}

void draw_rta_progress(CduPage& page) {
    cdu_text(page, 55, 0, CduFont::Large, "RTA  PROGRESS");
    cdu_text(page, 12, 22, CduFont::Small, "R T A    W P T");
    // The empty RTA waypoint field opens the rule's line.
    cdu_text(page, 0, 184, CduFont::Large, "- - - - - -");
    cdu_text(page, 0, 184, CduFont::Large, "- - - - - - - - - - - - - - - - - - - - - - - -");
    cdu_text(page, 0, 198, CduFont::Large, "< LIMITS");
}

void draw_vertical_deviation(CduPage& page) {
    const int k = constraint_waypoint_index;
    if (vnav_phase != VnavPhase::Descent || !valid_plan_index(k)) return;
    const RouteWaypoint& w = active_plan[k];
    const ProfilePoint& tod = active_profile().tod;
    if (!tod.exists || !(distance_between(tod.lat, tod.lon, w.lat, w.lon) > 0.0)) return;
    const double alt = aircraft_state.indicated_altitude_ft;
    if (alt > descent_path_altitude) {
        cdu_text(page, 200, 88, CduFont::Small, "V E R T  D E V");
        cdu_text(page, 200, 99, CduFont::Large, cdu_format("%5.0f HI", alt - descent_path_altitude));
    } else if (alt < descent_path_altitude) {
        cdu_text(page, 190, 88, CduFont::Small, "V E R T  D E V");
        cdu_text(page, 200, 99, CduFont::Small, cdu_format("%5.0f LO", descent_path_altitude - alt));
    }
}

void draw_progress_data(CduPage& page) {
    const AircraftState& a = aircraft_state;
    cdu_text(page, 110, 0, CduFont::Large, "PROGRESS");
    cdu_text(page, 12, 22, CduFont::Small,
             headwind_kt >= 0.0 ? "H E A D W I N D                 C R O S S W I N D"
                                : "T A I L W I N D                 C R O S S W I N D");
    const int head = saturate_to_int(headwind_kt);
    const int cross = saturate_to_int(crosswind_kt);
    const char* side = cross > 0 ? "L" : (cross < 0 ? "R" : "");
    cdu_text(page, 0, 33, CduFont::Large,
             cdu_format("%2lld KT                             %s %3lld KT",
                        std::llabs(static_cast<long long>(head)), side,
                        std::llabs(static_cast<long long>(cross))));
    cdu_text(page, 12, 55, CduFont::Small, "W I N D                         S A T / I S A    D E V");
    cdu_text(page, 0, 66, CduFont::Large,
             cdu_format("%03.0f\xB0 / %3.0f", a.wind_direction_deg, a.wind_speed_kt));
    const double isa = 15.0 - 1.98 * a.indicated_altitude_ft / 1000.0;
    cdu_text(page, 160, 66, CduFont::Large,
             cdu_format("%2.0f\xB0"
                        "c /%-2d\xB0"
                        "c",
                        a.air_temperature_c, saturate_to_int(a.air_temperature_c - isa)));
    cdu_text(page, 12, 88, CduFont::Small, "X T K   E R R O R");
    draw_vertical_deviation(page);
    cdu_text(page, 0, 99, CduFont::Large,
             cdu_format("%s %3.2f NM", cross_track_direction == kDirectionLeft ? "L" : "R", cross_track_nm));
    cdu_text(page, 12, 121, CduFont::Small, "G P S - L    T R K                             T A S");
    cdu_text(page, 0, 133, CduFont::Large,
             cdu_format("%03.0f\xB0T", course_0_360(leg_course_deg + a.magvar)));
    cdu_text(page, 200, 133, CduFont::Large, cdu_format("%3.0f KT", a.true_airspeed_est_kt));
}

} // namespace

void smiths_page_progress_keys() {
    cdu_step_subpage_once(smiths_progress_subpage, kProgressSubpages);
    act_on_key();
}

void smiths_page_progress(const DisplayObject& display, gfx::Graphics& graphics) {
    CduPage page(display, graphics);
    cdu_text(page, 230, 5, CduFont::Small, cdu_format("%d / %d", smiths_progress_subpage, kProgressSubpages));
    if (smiths_progress_subpage == 1)
        draw_progress(page);
    else if (smiths_progress_subpage == 2)
        draw_rta_progress(page);
    else
        draw_progress_data(page);
    cdu_scratchpad_line(page);
}
