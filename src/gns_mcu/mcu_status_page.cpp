// Mode 5, the TO status: the TO waypoint and the one after it, the distance,
// magnetic course and time to go to the TO waypoint.
#include "fms/guidance/lateral_guidance.h"
#include "fms/guidance/times_to_go.h"
#include "fms/math/clock_math.h"
#include "fms/plan/plan_legs.h"
#include "fms/plan/route_plan.h"
#include "gns_mcu/mcu_page_draw.h"
#include "gns_mcu/mcu_render.h"

#include <array>

namespace {

struct StatusTexts {
    std::array<std::string, 5> line;
    bool operator==(const StatusTexts&) const = default;
};

StatusTexts shown;

bool route_active() {
    return to_waypoint_index != kNoToWaypoint && to_waypoint_index >= 0 &&
           to_waypoint_index <= active_plan_last;
}

StatusTexts status_texts() {
    StatusTexts t;
    if (!route_active()) {
        t.line[0] = "NO ACTIVE ROUTE";
        return t;
    }
    t.line[0] = active_plan[to_waypoint_index].ident;
    // NEXT is the next place flown to, as the NEXT key steps.
    const int next = next_place(active_plan, to_waypoint_index + 1, active_plan_last);
    t.line[1] = next >= 1 ? active_plan[next].ident : "-----";
    t.line[2] = distance_to_to_nm >= 0.0 && distance_to_to_nm < 9999.0
                    ? mcu_format("%6.1f nm", distance_to_to_nm)
                    : std::string("  ---- nm");
    t.line[3] = mcu_format("%03.0f\xB0", course_to_to_deg);
    // Rounded as a whole: 59.6 minutes reads 01:00, not 00:60.
    const HoursMinutes to_to = hours_minutes(60.0 * ete_to_hours + ete_to_min_part);
    t.line[4] = mcu_format("%02.0f:%02.0f", to_to.hours, to_to.minutes);
    return t;
}

} // namespace

void mcu_status_page(gfx::Graphics& graphics) {
    McuPage page(graphics);
    shown = status_texts();
    page.text(0.0f, 0.0f, kMcuAmber, "TO:");
    if (!route_active()) {
        page.text(0.0f, 24.0f, kMcuGreen, shown.line[0]);
        return;
    }
    page.text(40.0f, 0.0f, kMcuMagenta, shown.line[0]);
    page.text(120.0f, 0.0f, kMcuAmber, "NEXT:");
    page.text(170.0f, 0.0f, kMcuGreen, shown.line[1]);
    page.text(0.0f, 20.0f, kMcuAmber, "DIS:");
    page.text(50.0f, 20.0f, kMcuGreen, shown.line[2]);
    page.text(0.0f, 40.0f, kMcuAmber, "CRS:");
    page.text(50.0f, 40.0f, kMcuGreen, shown.line[3]);
    page.text(120.0f, 40.0f, kMcuAmber, "ETE:");
    page.text(170.0f, 40.0f, kMcuGreen, shown.line[4]);
}

bool mcu_status_changed() {
    return !(status_texts() == shown);
}
