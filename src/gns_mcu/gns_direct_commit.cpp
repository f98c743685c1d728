// The ENT commits of DIRECT: direct to a closest airport, to a typed
// identifier (looked up through DATABASE WPT and inserted into the working
// plan), or to the proposed route waypoint. The active plan is rebuilt with a
// DIRECT entry at the present position before the chosen waypoint and, when
// the pilot asked for the longer turn, the autopilot's heading forces it.
#include "data/airport_procedures.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/math/heading_math.h"
#include "fms/math/nav_math.h"
#include "fms/perf/vnav.h"
#include "fms/perf/vnav_cursors.h"
#include "fms/plan/active_leg.h"
#include "fms/plan/candidate_list.h"
#include "fms/plan/entry_marks.h"
#include "fms/plan/gns_choices.h"
#include "fms/plan/holds.h"
#include "fms/plan/plan_edit.h"
#include "fms/plan/plan_editing.h"
#include "fms/plan/plan_legs.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/selection_texts.h"
#include "fms/plan/vertical_state.h"
#include "fms/plan/waypoint_entry.h"
#include "fms/procedures/airport_detail.h"
#include "fms/procedures/airport_selection.h"
#include "fms/units/gns_scratchpad.h"
#include "fms/units/gns_unit_state.h"
#include "fms/units/mcu_page_state.h"
#include "gns_mcu/gns_cursors.h"
#include "gns_mcu/gns_direct.h"
#include "gns_mcu/gns_plan_edits.h"
#include "sim/aircraft_state.h"
#include "sim/key_events.h"
#include "sim/panel_services.h"

#include <algorithm>
#include <cmath>

namespace {

void direct_to_closest_airport() {
    const std::string& text = gns_scratchpad;
    int found = 0;
    // An empty row names no airport.
    for (int i = 1; i <= 9 && found == 0; ++i)
        if (!direct_list[static_cast<std::size_t>(i)].ident.empty() &&
            direct_list[static_cast<std::size_t>(i)].ident == text)
            found = i;
    if (found == 0) return;
    const NavListRecord& airport = direct_list[static_cast<std::size_t>(found)];

    RouteWaypoint entry = entry_from_candidate(airport);
    entry.type = "APT";
    {
        // The plan from the origin straight to the airport.
        PlanEdit edit(active_target(), "a GNS direct-to an airport");
        // The holds were on the plan this direct leg replaces.
        clear_holds();
        edit.set_last(1);
        write_entry(active_target(), 1, entry);
        gns_mark_plan_end(edit);
        edit.set_to(1);
        edit.place(mcu_legs_index, 1);

        active_sel.arrival_airport = entry.ident;
        // A new destination: the old one's arrival went with the legs.
        ChoicesEdit(edit)->clear_arrival();
        load_airport_detail(entry.ident, destination_slot);
        // Also puts the destination's elevation on the last entry.
        select_airport(active_plan[active_plan_last].ident, kSelectAirportDestination);
        edit.place(constraint_waypoint_index, active_plan_last);
    }
    gns_state = GNS_FLIGHT_PLAN;
    gns_sub_state = kGnsSubStateActivePlan;
    vertical_target_lat = entry.lat;
    vertical_target_lon = entry.lon;
}

void look_up_typed_identifier() {
    const std::string text = gns_scratchpad_text();
    gns_scratchpad = text;
    gns_database_index = 0;
    waypoint_lookup_text = text;
    lookup_waypoint_entry(0, aircraft_state.plat, aircraft_state.plon);
    if (candidate_list().count() > 0) {
        gns_return_state = GNS_DIRECT;
        gns_state = GNS_DATABASE_WPT;
        gns_database_page = 1;
        gns_database_index = 1;
    }
}

// The turn into the direct leg: the shorter one, unless the pilot asked for
// the other side, which a selected heading 160 degrees round forces.
void force_turn() {
    const AircraftState& a = aircraft_state;
    double distance = 0.0, course = 0.0;
    gc_dist_course(a.plat, a.plon, to_position.lat, to_position.lon, &distance, &course);
    double magnetic = course - a.magvar;
    if (magnetic < 0.5) magnetic += 360.0;
    const int side = turn_direction(magnetic, a.heading_deg);
    // The long way round is imposed until the heading reaches the other side
    // of the course.
    if (direct_to_turn_text == "RIGHT" && side == kDirectionRight) {
        direct_to_turn_direction = kDirectionLeft;
        int h = static_cast<int>(std::trunc(a.heading_deg + 160.0));
        if (h > 360) h -= 360;
        trigger_key_event(kKeyHeadingBugSet, static_cast<uint32_t>(h));
    } else if (direct_to_turn_text == "LEFT" && side == kDirectionLeft) {
        direct_to_turn_direction = kDirectionRight;
        int h = static_cast<int>(std::trunc(a.heading_deg - 160.0));
        if (h < 0) h += 360;
        trigger_key_event(kKeyHeadingBugSet, static_cast<uint32_t>(h));
    } else {
        direct_to_turn_direction = 0;
    }
}

// Whether the working plan is still the view DIRECT-TO made of the active
// plan (with the looked-up waypoint at the cursor): the other control unit
// edits the same working plan and may have taken it back meanwhile.
bool direct_view_intact() {
    const int inserted = gns_direct_inserted == 1 ? 1 : 0;
    const int c = working_cursor_index;
    if (working_plan_last != active_plan_last + inserted) return false;
    for (int i = 0, a = 0; a <= active_plan_last; ++i) {
        if (inserted == 1 && i == c) continue;
        const RouteWaypoint& w = working_plan[i];
        const RouteWaypoint& e = active_plan[a++];
        if (w.ident != e.ident || w.lat != e.lat || w.lon != e.lon) return false;
    }
    return true;
}

// The working plan that DIRECT-TO prepared becomes the active plan with the
// DIRECT entry before the chosen waypoint.
void activate() {
    const int w_last = working_plan_last;
    const int c = working_cursor_index;
    if (w_last < 0 || w_last > kPlanLastIndex) return;
    if (!direct_view_intact()) {
        // Nothing of it is flown; the unit goes back to the plan.
        gns_direct_inserted = 0;
        gns_state = GNS_FLIGHT_PLAN;
        gns_sub_state = kGnsSubStateActivePlan;
        reset_page_toggles();
        return;
    }
    // The end row, or a destination still to be typed with nothing after
    // it, names no waypoint to fly to: DIRECT stays as it is for another
    // choice.
    if (c < 1 || c > w_last || next_place(working_plan, c, w_last) < 0) return;
    // The DIRECT entry and the end mark behind the plan must fit.
    if (w_last + 2 > kPlanLastIndex) {
        gns_refusal_text = kGnsInvalidEntry;
        return;
    }

    const ActiveLeg before = active_leg();
    {
        // The view flown with the DIRECT entry before the chosen waypoint,
        // which becomes the TO.
        PlanEdit edit(active_target(), "a GNS direct-to");
        // A placeholder origin goes: the first airport becomes entry 0, and
        // the plan is one entry shorter for it.
        const bool drop_placeholder = working_plan[1].type == "APT" && working_plan[0].ident == "---";
        const int first = drop_placeholder ? 1 : 0;
        int j = 0;
        for (int i = first; i <= w_last; ++i) {
            if (i == c) {
                write_entry(active_target(), j++, present_position_entry());
                edit.set_to(j);
            }
            write_entry(active_target(), j++, working_plan[i]);
        }
        edit.set_last(j - 1);
        gns_mark_plan_end(edit);
        // The holds stay on their entries, which the copy moved with their ids.
        hold_list_commit_working_index();
    }
    mark_passed_by_direct_to(before, to_waypoint_index);
    // The view is done: the working plan is the plan now flown, with the
    // holds where they now stand.
    copy_active_plan_to_working();
    force_turn();

    gns_plan_changed = 1;
    gns_state = GNS_FLIGHT_PLAN;
    gns_sub_state = kGnsSubStateActivePlan;
    gns_fpl_option = gns_fpl_option_default;
    gns_active_page = 1;
    mcu_direct_only = 0;
    reset_page_toggles();
}

} // namespace

void gns_enter_direct() {
    if (gns_direct_list_mode != kGnsDirectListRoute) {
        direct_to_closest_airport();
    } else if (gns_direct_inserted == 0 && gns_entry_fresh == 0) {
        look_up_typed_identifier();
    } else if (gns_direct_inserted == 0) {
        vertical_target_cursor.move_to(0);
        activate();
    } else if (gns_direct_inserted == 1) {
        activate();
    }
}

namespace {

// The entry of the route ahead (the TO or after it) that is the chosen
// record: a direct-to a fix the route already flies goes to that entry, as
// its row on the DIRECT list does, rather than putting a second one in before
// the TO and flying back over the legs between. Ahead is counted from the TO
// of DIRECT's view: a fix passed while the pilot typed its name is still the
// row the list showed ahead. A view whose entry the working plan no longer
// holds (a route loaded since) counts from the TO. -1 when none is.
int route_entry_ahead(const NavListRecord& record) {
    const int last = std::min(working_plan_last, kPlanLastIndex);
    const int view = gns_direct_view_to.index();
    const bool in_view = gns_return_state == GNS_DIRECT && gns_direct_view_to.id() != 0 && view >= 1 &&
                         view <= last && working_plan[view].id == gns_direct_view_to.id();
    const int to = in_view ? view : to_waypoint_index;
    if (to < 0 || to == kNoToWaypoint || to > last) return -1;
    for (int i = std::max(to, 1); i <= last; ++i) {
        const RouteWaypoint& w = working_plan[i];
        if (is_place(w) && w.ident == record.ident && std::fabs(w.lat - record.latitude) < 0.01 &&
            std::fabs(w.lon - record.longitude) < 0.01)
            return i;
    }
    return -1;
}

} // namespace

void gns_direct_insertion() {
    const int last = working_plan_last;
    const int c = working_cursor_index;
    const int k = gns_database_index;
    if (k >= 1 && k <= candidate_list().count()) {
        const int ahead = route_entry_ahead(candidate_list()[k]);
        if (ahead > 0) {
            gns_state = GNS_DIRECT;
            reset_page_toggles();
            gns_direct_inserted = 0;
            gns_entry_active = 1;
            gns_entry_fresh = 1;
            working_cursor.move_to(ahead);
            gns_scratchpad = working_plan[ahead].ident;
            gns_scratchpad_add("", 1);
            return;
        }
    }
    // The entry moves the plan up one (the cursor may stand on the end row),
    // and the DIRECT entry and the end mark must still fit when it is flown.
    const bool room = last >= 0 && last + 3 <= kPlanLastIndex && c >= 0 && c <= last + 1;
    if (!room || k < 1 || k > candidate_list().count()) {
        if (!room) gns_refusal_text = kGnsInvalidEntry;
        gns_state = GNS_DIRECT;
        reset_page_toggles();
        return;
    }
    const RouteWaypoint entry = entry_from_candidate(candidate_list()[k]);
    // The origin never moves: the entry goes in after it at the latest, and
    // the cursor stays on it.
    const int p = std::max(c, 1);
    {
        PlanEdit edit(working_target(), "a GNS direct-to insertion");
        open_slot(working_target(), p);
        write_entry(working_target(), p, entry);
        edit.place(working_cursor_index, p);
    }

    gns_state = GNS_DIRECT;
    gns_scratchpad = working_plan[p].ident;
    gns_entry_active = 1;
    gns_entry_fresh = 1;
    gns_direct_inserted = 1;
    reset_page_toggles();
    gns_scratchpad_add("", 1);
}
