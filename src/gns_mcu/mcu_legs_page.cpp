// Mode 6, LEGS: four legs of the active plan from mcu_legs_index with their
// constraints. In the constraint entry (LEGS EDIT) the typed altitude, or the
// one the rocker keys step, becomes the altitude constraint of the first leg
// shown on ENTER.
#include "fms/plan/entry_marks.h"
#include "fms/plan/plan_edit.h"
#include "fms/plan/route_plan.h"
#include "gns_mcu/mcu_keys.h"
#include "gns_mcu/mcu_page_draw.h"
#include "gns_mcu/mcu_render.h"
#include "gns_mcu/mcu_unit_state.h"

#include <algorithm>
#include <cctype>

PlanCursor mcu_legs_cursor{CursorPlan::Active, CursorRule::Stays, 2};
const PlanCursor& mcu_legs_index = mcu_legs_cursor;

namespace {

constexpr int kMaxAltitudeFt = 99000;

std::string constraint_text(const RouteWaypoint& w) {
    std::string alt =
        predicted_altitude(w) > kNoConstraint ? mcu_format("%05.0f", predicted_altitude(w)) : "-----";
    std::string speed = predicted_speed(w) > kNoConstraint ? mcu_format("%3.0f", predicted_speed(w)) : "---";
    return alt + " " + speed;
}

// The typed altitude in feet; -1 unless the text is 1 to 5 digits.
int typed_altitude() {
    const std::string& t = mcu_legs_entry_text;
    if (t.empty() || t.size() > 5) return -1;
    int value = 0;
    for (char c : t) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return -1;
        value = value * 10 + (c - '0');
    }
    return value <= kMaxAltitudeFt ? value : -1;
}

void step_constraint() {
    int& alt = mcu_legs_constraint_alt_ft;
    switch (mcu_arrow) {
    case MCU_ARROW_UP:
        alt += 1000;
        break;
    case MCU_ARROW_DOWN:
        alt -= 1000;
        break;
    case MCU_ARROW_RIGHT:
        alt += 100;
        break;
    case MCU_ARROW_LEFT:
        alt -= 100;
        break;
    default:
        return;
    }
    if (alt < 0) alt = 0;
    if (alt > kMaxAltitudeFt) alt = kMaxAltitudeFt;
}

void store_constraint() {
    const int index = mcu_legs_index;
    const int typed = typed_altitude();
    const int alt = typed >= 0 ? typed : mcu_legs_constraint_alt_ft;
    if (index >= 1 && index <= active_plan_last && (typed >= 0 || mcu_legs_constraint_alt_ft > 0)) {
        PlanEdit edit(active_target(), "an MCU constraint");
        RouteWaypoint& leg = edit.entry(index);
        leg.alt_constraint = alt;
        leg.altitude_kind = AltitudeKind::Pilot;
    }
    mcu_legs_entry_text.clear();
    mcu_mode = MCU_STATUS;
    mcu_request_redraw();
}

} // namespace

void mcu_keep_legs_index_in_plan() {
    const int kept = std::clamp<int>(mcu_legs_index, 1, std::max(active_plan_last, 1));
    if (kept == mcu_legs_index) return;
    mcu_legs_cursor.move_to(kept);
    if (mcu_mode == MCU_LEGS) mcu_request_redraw();
}

void mcu_legs_page(gfx::Graphics& graphics) {
    McuPage page(graphics);
    if (mcu_legs_edit == kMcuLegsConstraint) {
        step_constraint();
        if (mcu_enter_pressed == 1) {
            store_constraint();
            return;
        }
    }
    page.text(0.0f, 0.0f, kMcuAmber, mcu_legs_edit == kMcuLegsConstraint ? "LEGS: ALT CONSTRAINT" : "LEGS:");
    if (active_plan_last < 1) {
        page.text(0.0f, 24.0f, kMcuGreen, "NO ACTIVE ROUTE");
        return;
    }
    for (int n = 1; n <= 4; ++n) {
        const int index = mcu_legs_index + n - 1;
        if (index < 1 || index > active_plan_last) break;
        const RouteWaypoint& w = active_plan[index];
        const gfx::Argb color = index == to_waypoint_index ? kMcuMagenta : n == 1 ? kMcuAmber : kMcuGreen;
        page.text(0.0f, kMcuRowHeight * static_cast<float>(n), color,
                  mcu_format("%2d %-6.6s %s", index, w.ident.c_str(), constraint_text(w).c_str()));
    }
    if (mcu_legs_edit == kMcuLegsConstraint) {
        const std::string value = !mcu_legs_entry_text.empty() ? mcu_legs_entry_text
                                  : mcu_legs_constraint_alt_ft > 0
                                      ? mcu_format("%05d", mcu_legs_constraint_alt_ft)
                                      : std::string();
        page.text(0.0f, kMcuEntryY, kMcuGreen, "ALT> " + value, kMcuEntryChars);
    }
}
