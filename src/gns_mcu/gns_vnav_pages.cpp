// VNAV (state 15, two pages: the cruise altitude, then the waypoint VNAV aims
// at with its constraint) and VNAV DATA (state 16: cruise and transition
// altitudes at R2, the flight-path angle at R3, and the climb and descent
// rates worked out from it).
#include "data/aircraft_settings.h"
#include "data/module_settings.h"
#include "fms/perf/speed_targets.h"
#include "fms/plan/entry_marks.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/vertical_state.h"
#include "fms/units/gns_unit_state.h"
#include "gns_mcu/gns_page_draw.h"
#include "gns_mcu/gns_render.h"
#include "gns_mcu/gns_value_pages.h"
#include "platform/text_file.h"

namespace {

void vnav_key() {
    if (gns_lsk != 5) return;
    const int before = gns_toggle(GNS_L5);
    reset_page_toggles();
    gns_entry_active = 0;
    gns_toggle(GNS_L5) = before == kGnsToggleIdle ? kGnsToggleFirst : kGnsToggleIdle;
}

void vnav_data_key() {
    if (gns_lsk == 7) {
        const int before = gns_toggle(GNS_R2);
        if (before == kGnsToggleIdle)
            gns_open_field(GNS_R2, kGnsToggleFirst, gns_format("%d", cruise_altitude));
        else if (before == kGnsToggleFirst)
            gns_open_field(GNS_R2, kGnsToggleSecond, gns_format("%d", TransAlt));
        else {
            reset_page_toggles();
            gns_entry_active = 0;
        }
    } else if (gns_lsk == 8) {
        if (gns_toggle(GNS_R3) == kGnsToggleIdle) {
            // Typed as two digits without the point.
            gns_open_field(GNS_R3, kGnsToggleFirst, gns_format("%02d", saturate_to_int(FPA * 10.0 + 0.5)));
        } else {
            reset_page_toggles();
            gns_entry_active = 0;
        }
    }
}

// A field's value, or the scratchpad in its box while the field is open.
void field(GnsPage& page, float x, float y, bool open, const std::string& value) {
    if (open)
        page.highlight(x, y, gns_scratchpad, 6);
    else
        page.text(x, y, kGnsGreen, value);
}

} // namespace

void gnsxls_vnav_page(DisplayObject& display, gfx::Graphics& graphics) {
    GnsPage page(display, graphics);
    vnav_key();
    page.text(90.0f, 0.0f, kGnsWhite, gns_format("VNAV   %d/%d", gns_vnav_page, gns_vnav_page_count));
    if (gns_vnav_page == 1) {
        page.text(30.0f, 80.0f, kGnsWhite, "CRUISE ALT");
        page.text(340.0f, 80.0f, kGnsBlue,
                  cruise_altitude > 0 ? gns_format("%6d", cruise_altitude) : "------");
    } else {
        const int t = constraint_waypoint_index;
        const bool target = to_waypoint_index != kNoToWaypoint && t >= 0 && t <= active_plan_last;
        page.text(30.0f, 80.0f, kGnsWhite, "VNAV TARGET");
        page.text(30.0f, 120.0f, kGnsMagenta, target ? active_plan[t].ident : "------");
        page.text(30.0f, 160.0f, kGnsWhite, "CONSTRAINT");
        const bool constrained = target && predicted_altitude(active_plan[t]) != kNoConstraint;
        page.text(340.0f, 160.0f, kGnsBlue,
                  constrained ? gns_format("%6.0f", predicted_altitude(active_plan[t])) : "------");
    }
    if (gns_toggle(GNS_L5) == kGnsToggleFirst)
        page.highlight(32.0f, 340.0f, "VNAV DATA?");
    else
        page.text(32.0f, 340.0f, kGnsWhite, "VNAV DATA");
    page.marker[GNS_L5] = true;
    page.draw_markers();
}

void gnsxls_vnav_data_page(DisplayObject& display, gfx::Graphics& graphics) {
    GnsPage page(display, graphics);
    vnav_data_key();
    page.text(90.0f, 0.0f, kGnsWhite, "VNAV  DATA 1/1");
    const bool r2 = gns_entry_active == 1;
    page.text(30.0f, 80.0f, kGnsWhite, "CRUISE ALT");
    const bool cruise_open = r2 && gns_toggle(GNS_R2) == kGnsToggleFirst;
    field(page, 320.0f, 80.0f, cruise_open, gns_format("%6d", cruise_altitude));
    if (cruise_open && saturate_to_int(parse_double(gns_scratchpad)) > kMaxCruiseAltitudeEntryFt)
        page.text(30.0f, 360.0f, kGnsYellow, "INVALID ENTRY");
    page.text(30.0f, 120.0f, kGnsWhite, "TRANS ALT");
    field(page, 320.0f, 120.0f, r2 && gns_toggle(GNS_R2) == kGnsToggleSecond, gns_format("%6d", TransAlt));
    page.text(30.0f, 178.0f, kGnsWhite, "FPA");
    field(page, 320.0f, 178.0f, r2 && gns_toggle(GNS_R3) == kGnsToggleFirst, gns_format("%4.1f\xB0", FPA));
    page.text(30.0f, 240.0f, kGnsWhite, "CLIMB RATE");
    page.text(320.0f, 240.0f, kGnsGreen, gns_format("%6d", ClimbRate));
    page.text(30.0f, 280.0f, kGnsWhite, "DESC RATE");
    page.text(320.0f, 280.0f, kGnsGreen, gns_format("%6.0f", DescentRate));
    page.text(30.0f, 320.0f, kGnsWhite, "CLB/DES SPD");
    page.text(300.0f, 320.0f, kGnsGreen, gns_format("%3d/%3d", climb_speed_target, descent_speed_target));
    page.marker[GNS_R2] = true;
    page.marker[GNS_R3] = true;
    page.draw_markers();
}
