#include "gns_mcu/mcu_keys.h"

#include "data/module_settings.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/math/heading_math.h"
#include "fms/math/nav_math.h"
#include "fms/plan/candidate_list.h"
#include "fms/plan/holds.h"
#include "fms/plan/plan_edit.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_walk.h"
#include "fms/procedures/active_runways.h"
#include "fms/units/update_counters.h"
#include "gns_mcu/mcu_dirto.h"
#include "gns_mcu/mcu_keyboard.h"
#include "gns_mcu/mcu_unit_state.h"
#include "sim/aircraft_state.h"

#include <algorithm>
#include <cmath>

namespace {

bool in_active_plan(int index) {
    return index >= 1 && index <= active_plan_last;
}

void end_entry() {
    if (mcu_entry_active == 1) keyboard_entry_off();
}

bool takes_entry() {
    return mcu_mode == MCU_AIRPORT || mcu_mode == MCU_LEGS || mcu_mode == MCU_DIRTO;
}

void key_to() {
    end_entry();
    mcu_mode = MCU_STATUS;
    mcu_request_redraw();
    mcu_select = kMcuSelectNone;
}

void key_fpln() {
    end_entry();
    mcu_fpln_pressed = 1;
    mcu_mode = MCU_FPLN;
    mcu_request_redraw();
    mcu_select = kMcuSelectNone;
}

void key_dirto() {
    mcu_mode = MCU_DIRTO;
    mcu_entry_text.clear();
    mcu_dirto_filter_text.clear();
    candidate_list().set_count(0);
    mcu_prepare_candidate_search();
    mcu_request_redraw();
    mcu_select = kMcuSelectNone;
}

void key_hold() {
    mcu_select = kMcuSelectNone;
    if (lnav_engaged != 1) return;
    if (hold_armed == 1) {
        hold_exit_state = kHoldExitAtNextPoint;
        hold_armed = 0;
        return;
    }
    if (hold_count() == 0 && to_waypoint_index != kNoToWaypoint && in_active_plan(to_waypoint_index))
        // The key arms a hold only while none exists; the flown plan takes it.
        hold_alone_at_active(to_waypoint_index, aircraft_state.magvar, 1.0);
    if (hold_count() > 0) hold_armed = 1;
}

void key_legs_edit() {
    mcu_mode = MCU_LEGS;
    mcu_legs_edit = kMcuLegsConstraint;
    mcu_select = kMcuSelectNone;
    mcu_legs_constraint_alt_ft = 0;
    mcu_request_redraw();
}

void key_legs() {
    end_entry();
    mcu_mode = MCU_LEGS;
    mcu_request_redraw();
    mcu_select = kMcuSelectNone;
    mcu_legs_edit = kMcuLegsList;
    mcu_legs_entry_text.clear();
    mcu_entry_text.clear();
    if (to_waypoint_index >= 1 && to_waypoint_index != kNoToWaypoint)
        mcu_legs_cursor.move_to(to_waypoint_index);
}

void key_prev() {
    mcu_prev_pressed = 1;
    if (mcu_mode == MCU_STATUS && to_waypoint_index != kNoToWaypoint) {
        // Steps over every entry not flown to; from the first waypoint it
        // wraps to the route's end.
        int to = previous_place(active_plan, std::min(to_waypoint_index, active_plan_last + 1));
        if (to < 1) to = route_end(active_plan, active_plan_last);
        // A plan without waypoints after the origin has nowhere to wrap to.
        if (to >= 1) {
            PlanEdit edit(active_target(), "the MCU's TO stepped back");
            edit.set_to(to);
            if (to <= active_plan_last) mcu_refresh_to_waypoint();
        }
    } else if (mcu_mode == MCU_LEGS && mcu_legs_index > 1) {
        mcu_legs_cursor.step(-1);
    }
    mcu_request_redraw();
    mcu_select = kMcuSelectNone;
}

void key_next() {
    mcu_next_pressed = 1;
    if (mcu_mode == MCU_STATUS && to_waypoint_index != kNoToWaypoint) {
        // The next place flown to; past the route's end (a destination still
        // to be entered is none) it wraps to the first.
        const int next = next_place(active_plan, to_waypoint_index + 1, active_plan_last);
        const int first = next_place(active_plan, 1, active_plan_last);
        PlanEdit edit(active_target(), "the MCU's TO stepped on");
        edit.set_to(next >= 1 ? next : first >= 1 ? first : 1);
        if (in_active_plan(to_waypoint_index))
            mcu_refresh_to_waypoint();
        else if (direct_to_active == 1)
            direct_to_active = 0;
    } else if (mcu_mode == MCU_LEGS && mcu_legs_index < active_plan_last) {
        mcu_legs_cursor.step(1);
    }
    mcu_request_redraw();
    mcu_select = kMcuSelectNone;
}

void key_alt() {
    mcu_mode = MCU_ALT;
    mcu_request_redraw();
    mcu_select = kMcuAltStep1000Ft;
    mcu_new_altitude_ft = std::trunc(aircraft_state.ap_altitude_lock_ft / 1000.0) * 1000.0;
}

void key_apt() {
    if (mcu_mode != MCU_AIRPORT) {
        end_entry();
        mcu_mode = MCU_AIRPORT;
        mcu_apt_page = kMcuAptPageRunwayList;
    } else {
        ++mcu_apt_page;
        if (mcu_apt_page > mcu_apt_page_count) mcu_apt_page = kMcuAptPageRunwayList;
    }
    mcu_request_redraw();
    mcu_select = kMcuSelectNone;
    if (!mcu_airport_text_b.empty() && McuShowActiveRwys == 1)
        query_active_runways_ipc(std::string(mcu_airport_text_b));
}

void key_entry() {
    if (!takes_entry()) return;
    if (mcu_entry_active != 0) {
        end_entry();
        mcu_entry_text.clear();
        mcu_legs_entry_text.clear();
    } else {
        mcu_entry_active = 1;
        set_keyboard_hook(1);
        keyboard_init();
        // A keyboard that cannot be read leaves nothing to type with, and a
        // hook that swallows the letters would keep them from the simulator.
        if (keyboard_device == 0) keyboard_entry_off();
    }
    mcu_request_redraw();
    mcu_select = kMcuSelectNone;
}

void key_arrow(int arrow) {
    mcu_arrow = arrow;
    mcu_request_redraw();
    if (takes_entry() && mcu_select == kMcuSelectNone && mcu_entry_active == 0) mcu_select = 1;
}

void key_enter() {
    mcu_enter_pressed = 1;
    mcu_request_redraw();
    if (mcu_entry_active == 1) {
        end_entry();
        mcu_entry_text.clear();
        mcu_dirto_filter_text.clear();
    }
    if (mcu_mode == MCU_LEGS && mcu_legs_edit == kMcuLegsList) {
        // The shown leg becomes the TO waypoint, only on a flown route.
        if (to_waypoint_index != kNoToWaypoint && in_active_plan(mcu_legs_index)) {
            PlanEdit edit(active_target(), "the MCU's TO chosen on LEGS");
            edit.set_to(mcu_legs_index);
            mcu_refresh_to_waypoint();
        }
        mcu_select = kMcuSelectNone;
    } else if (mcu_mode != MCU_ALT) {
        mcu_select = kMcuSelectNone;
    }
}

} // namespace

void mcu_request_redraw() {
    mcu_redraw = 1;
    display_refresh_counter = 999;
}

void mcu_refresh_to_waypoint() {
    const RouteWaypoint& to = active_plan[to_waypoint_index];
    if (direct_to_active != 1) return;
    const AircraftState& a = aircraft_state;
    direct_to_origin = GeoPosition{a.plat, a.plon};
    double distance = 0.0, course = 0.0;
    gc_dist_course(a.plat, a.plon, to.lat, to.lon, &distance, &course);
    direct_to_course_deg = course - a.magvar;
    if (direct_to_course_deg < 0.5) direct_to_course_deg += 360.0;
}

int32_t mcu_press_key(McuKey key) {
    const PlanUnitScope unit(PlanUnit::Mcu);
    switch (key) {
    case McuKey::To:
        key_to();
        break;
    case McuKey::Fpln:
        key_fpln();
        break;
    case McuKey::Dirto:
        key_dirto();
        break;
    case McuKey::Hold:
        key_hold();
        break;
    case McuKey::LegsEdit:
        key_legs_edit();
        break;
    case McuKey::Legs:
        key_legs();
        break;
    case McuKey::Prev:
        key_prev();
        break;
    case McuKey::Alt:
        key_alt();
        break;
    case McuKey::Apt:
        key_apt();
        break;
    case McuKey::Next:
        key_next();
        break;
    case McuKey::Entry:
        key_entry();
        break;
    case McuKey::Up:
        key_arrow(MCU_ARROW_UP);
        break;
    case McuKey::Down:
        key_arrow(MCU_ARROW_DOWN);
        break;
    case McuKey::Left:
        key_arrow(MCU_ARROW_LEFT);
        break;
    case McuKey::Right:
        key_arrow(MCU_ARROW_RIGHT);
        break;
    case McuKey::Enter:
        key_enter();
        break;
    case McuKey::Screen:
    case McuKey::Lnav:
    case McuKey::Count:
        break;
    }
    return 0;
}
