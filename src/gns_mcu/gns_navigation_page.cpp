// NAVIGATION, the page of state 9: page 1 shows the TO waypoint, pages 2 to 4
// the three waypoints after it, each with its distance along the route,
// desired track, the ground speed and the time to go; the magnetic variation
// where the module configuration asks for it. R2 opens the ALT/ETA line and R5
// the sequencing line, whose choices the toggle/erase key steps.
#include "data/module_settings.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/guidance/times_to_go.h"
#include "fms/math/clock_math.h"
#include "fms/math/nav_math.h"
#include "fms/plan/entry_marks.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_walk.h"
#include "fms/units/gns_unit_state.h"
#include "gns_mcu/gns_page_draw.h"
#include "gns_mcu/gns_render.h"
#include "platform/text_file.h"
#include "sim/aircraft_state.h"

#include <cmath>

namespace {

constexpr float kValueX = 110.0f;
constexpr float kRightX = 290.0f;

void line_key() {
    int* t = nullptr;
    if (gns_lsk == 7) t = &gns_line_toggles[GNS_R2];
    if (gns_lsk == 10) t = &gns_line_toggles[GNS_R5];
    if (t == nullptr) return;
    const int before = *t;
    reset_page_toggles();
    // The choices are stepped by the toggle/erase key, not typed.
    gns_entry_active = 0;
    if (before != kGnsToggleIdle) return;
    *t = kGnsToggleFirst;
    if (gns_lsk == 7) gns_scratchpad = "ALT?";
}

// The waypoint a page shows, with the distance along the route to it and the
// desired track into it (true). False when the route has no such waypoint.
bool page_waypoint(int page, int& index, double& distance, double& track) {
    if (to_waypoint_index == kNoToWaypoint || to_waypoint_index < 1) return false;
    index = to_waypoint_index + page - 1;
    // An entry not flown to is no place to measure to.
    if (index > active_plan_last || index > kPlanLastIndex || !is_place(active_plan[index])) return false;
    const RouteWaypoint& to = active_plan[to_waypoint_index];
    distance =
        distance_to_to_nm + route_distance_from(active_plan, to.lat, to.lon, to_waypoint_index + 1, index);
    track = -1.0;
    if (index > to_waypoint_index) leg_into_nm(active_plan, index, &track);
    return true;
}

std::string clock_text(const HoursMinutes& t) {
    return gns_format("%02.0f:%02.0f", t.hours, t.minutes);
}

} // namespace

void gnsxls_navigation_page(DisplayObject& display, gfx::Graphics& graphics) {
    GnsPage page(display, graphics);
    line_key();
    const AircraftState& a = aircraft_state;
    page.text(45.0f, 0.0f, kGnsWhite, gns_format("NAVIGATION   %d/%d", gns_nav_page, 4));

    int index = 0;
    double distance = 0.0, track = 0.0;
    const bool shown = page_waypoint(gns_nav_page, index, distance, track);
    const bool moving = a.ground_speed_kt > 50.0;
    const double ete_minutes = moving ? distance / a.ground_speed_kt * 60.0 : 0.0;

    page.text(30.0f, 40.0f, kGnsWhite, gns_nav_page == 1 ? "TO" : "NXT");
    page.text(kValueX, 40.0f, gns_nav_page == 1 ? kGnsMagenta : kGnsGreen,
              shown ? active_plan[index].ident : "------");
    page.text(30.0f, 80.0f, kGnsWhite, "DIS");
    page.text(kValueX, 80.0f, kGnsGreen, shown ? gns_format("%5.1f", distance) : "-----");
    page.text(30.0f, 120.0f, kGnsWhite, "DTK");
    // Page 1 takes the leg course guidance flies; the later legs their own.
    const double dtk = gns_nav_page == 1 ? leg_course_deg : magnetic_course(track);
    page.text(kValueX, 120.0f, kGnsGreen, shown ? gns_format("%03.0f\xB0", dtk) : "---");
    page.text(30.0f, 160.0f, kGnsWhite, "GS");
    page.text(kValueX, 160.0f, kGnsGreen, gns_format("%3.0f", a.ground_speed_kt));
    page.text(30.0f, 200.0f, kGnsWhite, "ETE");
    page.text(kValueX, 200.0f, kGnsBlue, shown && moving ? clock_text(hours_minutes(ete_minutes)) : "-----");
    if (DisplayMagVarOnGnsxlsNavPage == 1) {
        page.text(30.0f, 240.0f, kGnsWhite, "MAGVAR");
        page.text(kValueX + 60.0f, 240.0f, kGnsGreen,
                  gns_format("%c%02.0f\xB0", a.magvar < 0.0 ? 'W' : 'E', std::fabs(a.magvar)));
    }

    // R2: the waypoint's altitude constraint, or while the line is open the
    // choice between it and the arrival time.
    const bool r2_open = gns_line_toggles[GNS_R2] == kGnsToggleFirst;
    const bool eta = r2_open && gns_scratchpad == "ETA?";
    if (r2_open)
        page.highlight(kRightX, 80.0f, gns_scratchpad);
    else
        page.text(kRightX, 80.0f, kGnsWhite, "ALT");
    std::string value = "-----";
    if (eta && shown && moving)
        value = clock_text(clock_after(a.zulu_hours, a.zulu_minutes, hours_minutes(ete_minutes)));
    else if (!eta && shown && predicted_altitude(active_plan[index]) != kNoConstraint)
        value = gns_format("%5.0f", predicted_altitude(active_plan[index]));
    page.text(kRightX, 120.0f, kGnsBlue, value);

    // R5: how the waypoints are sequenced.
    static const char* const kSequence[] = {"-----", "MANUAL", "AUTO"};
    const int choice = gns_nav_seq_choice >= kGnsNavSeqNone && gns_nav_seq_choice <= kGnsNavSeqAuto
                           ? gns_nav_seq_choice
                           : kGnsNavSeqNone;
    page.text(kRightX, 300.0f, kGnsWhite, "SEQ");
    if (gns_line_toggles[GNS_R5] == kGnsToggleFirst)
        page.highlight(kRightX, 340.0f, kSequence[choice]);
    else
        page.text(kRightX, 340.0f, kGnsGreen, kSequence[choice]);

    page.marker[GNS_R2] = true;
    page.marker[GNS_R5] = true;
    page.draw_markers();
}
