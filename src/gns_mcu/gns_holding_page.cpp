// HOLDING PATTERN, the page of state 18: hold 1 of the hold list, its inbound
// course (R2), turn (R3), leg time and then leg length (R4) and the exit
// choice (R5). Typed values go into the page's texts; ENT stores them.
#include "fms/math/heading_math.h"
#include "fms/plan/holds.h"
#include "fms/plan/route_plan.h"
#include "fms/units/gns_scratchpad.h"
#include "fms/units/gns_unit_state.h"
#include "gns_mcu/gns_page_draw.h"
#include "gns_mcu/gns_render.h"
#include "gns_mcu/gns_value_pages.h"

namespace {

void close_fields() {
    reset_page_toggles();
    gns_entry_active = 0;
}

// A choice line: the toggle/erase key flips it while it is open.
void open_choice(GnsToggle t) {
    close_fields();
    gns_toggle(t) = kGnsToggleFirst;
}

void line_key(const HoldEntry& hold) {
    switch (gns_lsk) {
    case 7:
        if (gns_toggle(GNS_R2) == kGnsToggleIdle)
            gns_open_field(GNS_R2, kGnsToggleFirst, gns_format("%03.0f", hold.inbound_course));
        else
            close_fields();
        break;
    case 8:
        if (gns_toggle(GNS_R3) != kGnsToggleIdle) {
            close_fields();
            break;
        }
        open_choice(GNS_R3);
        gns_hold_choice_r3 = hold.turn == kDirectionLeft ? kDirectionLeft : kDirectionRight;
        break;
    case 9:
        if (gns_toggle(GNS_R4) == kGnsToggleIdle)
            gns_open_field(GNS_R4, kGnsToggleFirst, gns_format("%.1f", hold.leg_time));
        else if (gns_toggle(GNS_R4) == kGnsToggleFirst)
            gns_open_field(GNS_R4, kGnsToggleSecond, gns_format("%.1f", hold.leg_distance));
        else
            close_fields();
        break;
    case 10:
        if (gns_toggle(GNS_R5) != kGnsToggleIdle) {
            close_fields();
            break;
        }
        open_choice(GNS_R5);
        gns_hold_choice_r5 =
            hold_exit_state == kHoldExitAtPointOne ? kHoldExitAtPointOne : kHoldExitNotEntered;
        break;
    default:
        break;
    }
}

// The open field's text follows what is typed.
void take_typed() {
    if (gns_entry_active != 1) return;
    const std::string typed = gns_scratchpad_text();
    if (gns_toggle(GNS_R2) == kGnsToggleFirst) gns_hold_course_text = typed;
    if (gns_toggle(GNS_R4) == kGnsToggleFirst) gns_hold_time_text = typed;
    if (gns_toggle(GNS_R4) == kGnsToggleSecond) gns_hold_dist_text = typed;
}

void value(GnsPage& page, float y, bool open, const std::string& text) {
    if (open)
        page.highlight(300.0f, y, gns_scratchpad, 6);
    else
        page.text(300.0f, y, kGnsGreen, text);
}

} // namespace

void gnsxls_holding_pattern_page(DisplayObject& display, gfx::Graphics& graphics) {
    GnsPage page(display, graphics);
    const HoldEntry& hold = hold_list[1];
    line_key(hold);
    take_typed();
    const bool open = gns_entry_active == 1;

    page.text(30.0f, 0.0f, kGnsWhite, "HOLDING PATTERN 1/1");
    page.text(30.0f, 40.0f, kGnsWhite, "HOLD AT");
    const bool held = hold_count() >= 1 && hold.active_index() >= 0 && hold.active_index() <= kPlanLastIndex;
    page.text(200.0f, 40.0f, kGnsMagenta, held ? active_plan[hold.active_index()].ident : "------");

    page.text(30.0f, 98.0f, kGnsWhite, "INBD CRS");
    value(page, 98.0f, open && gns_toggle(GNS_R2) == kGnsToggleFirst,
          gns_format("%03.0f\xB0", hold.inbound_course));

    page.text(30.0f, 178.0f, kGnsWhite, "TURN");
    const int turn = gns_toggle(GNS_R3) == kGnsToggleFirst ? gns_hold_choice_r3 : hold.turn;
    const char* turn_text = turn == 2 ? "LEFT" : "RIGHT";
    if (gns_toggle(GNS_R3) == kGnsToggleFirst)
        page.highlight(300.0f, 178.0f, turn_text);
    else
        page.text(300.0f, 178.0f, kGnsGreen, turn_text);

    // The leg by time, or by length once R4 is pressed twice or the hold flies it so.
    const bool by_distance = gns_toggle(GNS_R4) == kGnsToggleSecond ||
                             (gns_toggle(GNS_R4) == kGnsToggleIdle && hold.leg_mode == kHoldLegByDistance);
    page.text(30.0f, 265.0f, kGnsWhite, by_distance ? "LEG NM" : "LEG MIN");
    value(page, 265.0f, open && gns_toggle(GNS_R4) != kGnsToggleIdle,
          by_distance ? gns_format("%4.1f", hold.leg_distance) : gns_format("%4.1f", hold.leg_time));

    const std::string& leg_typed = by_distance ? gns_hold_dist_text : gns_hold_time_text;
    if (open && gns_toggle(GNS_R4) != kGnsToggleIdle && !gns_hold_leg_fits(leg_typed))
        page.text(30.0f, 302.0f, kGnsYellow, "INVALID ENTRY");

    page.text(30.0f, 340.0f, kGnsWhite, "EXIT");
    const int exit_choice =
        gns_toggle(GNS_R5) == kGnsToggleFirst
            ? gns_hold_choice_r5
            : (hold_exit_state == kHoldExitAtPointOne ? kHoldExitAtPointOne : kHoldExitNotEntered);
    const char* exit_text = exit_choice == kHoldExitAtPointOne ? "LEAVE" : "HOLD";
    if (gns_toggle(GNS_R5) == kGnsToggleFirst)
        page.highlight(300.0f, 340.0f, exit_text);
    else
        page.text(300.0f, 340.0f, kGnsGreen, exit_text);

    for (GnsToggle t : {GNS_R2, GNS_R3, GNS_R4, GNS_R5})
        page.marker[t] = true;
    page.draw_markers();
}
