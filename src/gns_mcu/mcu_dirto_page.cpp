// Mode 7, DIRTO: every navaid, intersection and airport with the typed
// identifier, with kind, magnetic bearing and distance; PREV and NEXT pick
// one and ENTER flies direct to it.
#include "data/nav_database.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/math/nav_math.h"
#include "fms/plan/candidate_list.h"
#include "fms/plan/holds.h"
#include "fms/plan/plan_edit.h"
#include "fms/plan/plan_editing.h"
#include "fms/plan/plan_legs.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/plan/vertical_state.h"
#include "fms/plan/waypoint_entry.h"
#include "fms/procedures/airport_detail.h"
#include "fms/procedures/airport_selection.h"
#include "gns_mcu/mcu_dirto.h"
#include "gns_mcu/mcu_keys.h"
#include "gns_mcu/mcu_page_draw.h"
#include "gns_mcu/mcu_render.h"
#include "gns_mcu/mcu_unit_state.h"
#include "platform/text_file.h"
#include "sim/aircraft_state.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// The first eight characters of an identifier packed into one word, so that
// a search runs over a small array instead of the records themselves (the
// tables hold some 355,000 of them). Kept per table and made again when the
// database was loaded again or the table's count changed.
uint64_t ident_key(std::string_view ident) {
    uint64_t key = 0;
    std::memcpy(&key, ident.data(), std::min<std::size_t>(ident.size(), sizeof key));
    return key;
}

struct IdentKeys {
    int generation = -1;
    int count = -1;
    std::vector<uint64_t> key; // [i - 1] for record i
};

template <class Table> void pack_keys(const Table& table, IdentKeys& keys) {
    const int count = table.count();
    if (keys.generation == nav_database_generation && keys.count == count) return;
    keys.key.resize(static_cast<std::size_t>(count));
    for (int i = 1; i <= count; ++i)
        keys.key[static_cast<std::size_t>(i - 1)] = ident_key(table[static_cast<std::size_t>(i)].ident);
    keys.generation = nav_database_generation;
    keys.count = count;
}

template <class Table>
void add_matches(const Table& table, int which, IdentKeys& keys, const std::string& ident,
                 std::vector<CandidateMatch>& matches) {
    pack_keys(table, keys);
    const uint64_t wanted = ident_key(ident);
    const int count = table.count();
    const AircraftState& a = aircraft_state;
    for (int i = 1; i <= count; ++i) {
        if (keys.key[static_cast<std::size_t>(i - 1)] != wanted) continue;
        const NavRecordView r = table[static_cast<std::size_t>(i)];
        if (r.ident != ident) continue;
        double distance = 0.0, course = 0.0;
        gc_dist_course(a.plat, a.plon, r.latitude, r.longitude, &distance, &course);
        matches.push_back({std::isnan(distance) ? HUGE_VAL : distance, which, i});
    }
}

IdentKeys navaid_keys, intersection_keys, airport_keys;

std::string kind_shown(const std::string& kind) {
    if (kind == "N") return "NDB";
    if (kind == "V") return "VOR";
    if (kind == "I") return "INT";
    if (kind == "A") return "APT";
    return kind;
}

// The plan's type of a candidate's kind.
std::string plan_type(const std::string& kind) {
    if (kind == "V") return "VOR";
    if (kind == "N") return "NDB";
    if (kind == "I") return "INT";
    return kind;
}

void draw_candidates(McuPage& page) {
    const int count = candidate_list().count();
    if (mcu_dirto_choice < 1) return;
    const AircraftState& a = aircraft_state;
    for (int n = 1; n <= 4; ++n) {
        const int k = mcu_dirto_choice + n - 1;
        if (k > count) break;
        const NavListRecord& c = candidate_list()[static_cast<std::size_t>(k)];
        double distance = 0.0, course = 0.0;
        gc_dist_course(a.plat, a.plon, c.latitude, c.longitude, &distance, &course);
        double bearing = course - a.magvar;
        if (bearing < 0.5) bearing += 360.0;
        page.text(0.0f, kMcuRowHeight * static_cast<float>(n), k == mcu_dirto_choice ? kMcuAmber : kMcuGreen,
                  mcu_format("%-5s %3s %03.0f\xB0 %5.0f nm", c.ident.c_str(), kind_shown(c.kind).c_str(),
                             bearing, distance));
        if (n == 1) {
            page.line(kMcuGreen, 0.0f, 13.0f, 28.0f, 13.0f);
            page.line(kMcuGreen, 28.0f, 13.0f, 28.0f, 24.0f);
            page.line(kMcuGreen, 28.0f, 24.0f, 0.0f, 24.0f);
            page.line(kMcuGreen, 0.0f, 24.0f, 0.0f, 13.0f);
        }
    }
}

} // namespace

void mcu_prepare_candidate_search() {
    pack_keys(navaid_table, navaid_keys);
    pack_keys(intersection_table, intersection_keys);
    pack_keys(airport_table, airport_keys);
}

void mcu_build_candidates(const std::string& ident) {
    candidate_list().set_count(0);
    if (!ident.empty()) {
        std::vector<CandidateMatch> matches;
        add_matches(navaid_table, 1, navaid_keys, ident, matches);
        add_matches(intersection_table, 2, intersection_keys, ident, matches);
        add_matches(airport_table, 3, airport_keys, ident, matches);
        keep_nearest_matches(matches, kMcuMaxCandidates, ident);
        for (const CandidateMatch& m : matches) {
            const std::size_t i = static_cast<std::size_t>(m.index);
            candidate_list().append(NavListRecord(m.table == 1   ? navaid_table[i]
                                                  : m.table == 2 ? intersection_table[i]
                                                                 : airport_table[i]));
        }
    }
}

// The entry of the flown plan ahead of the aircraft at the candidate's fix,
// up to entry `end`; -1 when none is.
int planned_entry(const NavListRecord& candidate, int end) {
    for (int i = std::max(to_waypoint_index, 1); i <= end; ++i) {
        const RouteWaypoint& w = active_plan[i];
        if (is_place(w) && w.ident == candidate.ident && w.lat == candidate.latitude &&
            w.lon == candidate.longitude)
            return i;
    }
    return -1;
}

void mcu_fly_direct(const NavListRecord& candidate) {
    const AircraftState& a = aircraft_state;
    // The plan from the present position to the fix, and on to the
    // destination airport when the plan ends at one.
    PlanEdit edit(active_target(), "an MCU direct-to");
    const int last = active_plan_last;
    const bool to_airport = last >= 0 && active_plan[last].type == "APT";
    // A fix the route flies to stays the route's entry, with the altitude and
    // speed it is to be passed at (an approach's FAF keeps its altitude, or
    // the descent would aim past it at the field).
    const int planned = planned_entry(candidate, to_airport ? last - 1 : last);
    RouteWaypoint fix = planned >= 0 ? active_plan[planned] : entry_from_candidate(candidate);
    if (planned < 0) fix.type = plan_type(candidate.kind);
    // Direct to the destination airport itself: it ends the plan once, the
    // entry it was.
    const bool to_destination =
        to_airport && fix.type == "APT" && candidate.ident == active_plan[last].ident;
    if (to_destination) {
        fix = active_plan[last];
        fix.flyover = 0;
        fix.alt_constraint = airport_elevation_ft(fix.ident);
        vertical_target_lat = fix.lat;
        vertical_target_lon = fix.lon;
        edit.set_last(1);
        edit.place(constraint_waypoint_index, 1);
    } else if (to_airport) {
        const RouteWaypoint airport = active_plan[last];
        RouteWaypoint& destination = edit.entry(2);
        clear_waypoint(destination);
        destination.ident = airport.ident;
        destination.lat = airport.lat;
        destination.lon = airport.lon;
        destination.type = airport.type;
        destination.flyover = 0;
        destination.alt_constraint = airport_elevation_ft(airport.ident);
        vertical_target_lat = airport.lat;
        vertical_target_lon = airport.lon;
        edit.set_last(2);
        edit.place(constraint_waypoint_index, 2);
    } else {
        edit.set_last(1);
        mcu_direct_only = 1;
        // The vertical target must stay within the shorter plan.
        if (constraint_waypoint_index > 1) edit.place(constraint_waypoint_index, 1);
    }
    edit.set_to(1);
    edit.place(mcu_legs_index, 1);

    edit.write(1, fix);

    RouteWaypoint& origin = edit.entry(0);
    clear_waypoint(origin);
    origin.ident = "DIRECT";
    origin.lat = a.plat;
    origin.lon = a.plon;
    origin.type = "WPT";

    clear_waypoint(edit.entry(edit.last() + 1));
    make_marker(edit.entry(edit.last() + 1), EntryKind::EndMark);
    // The holds name entries of the plan replaced.
    while (hold_count() > 0)
        remove_hold(hold_count());
    hold_armed = 0;
}

void mcu_dirto_page(gfx::Graphics& graphics) {
    McuPage page(graphics);
    page.text(0.0f, 0.0f, kMcuAmber, "DIRTO:");

    const int count = candidate_list().count();
    if (mcu_dirto_choice > count) mcu_dirto_choice = count;
    if (mcu_dirto_choice < 1 && count > 0) mcu_dirto_choice = 1;
    if (mcu_enter_pressed == 1 && count > 0) {
        mcu_fly_direct(candidate_list()[static_cast<std::size_t>(mcu_dirto_choice)]);
        // With no route the working plan is the plan flown, as after a GNS
        // direct-to: a procedure chosen next builds on this one, not on the
        // plan the direct-to replaced.
        if (route_state == kRouteStateNone) copy_active_plan_to_working();
        mcu_dirto_filter_text.clear();
        mcu_entry_text.clear();
        candidate_list().set_count(0);
        mcu_mode = MCU_STATUS;
        mcu_request_redraw();
        return;
    }
    if (mcu_prev_pressed == 1 && mcu_dirto_choice > 1) {
        --mcu_dirto_choice;
        mcu_request_redraw();
    }
    if (mcu_next_pressed == 1 && mcu_dirto_choice < count) {
        ++mcu_dirto_choice;
        mcu_request_redraw();
    }
    const std::string wheel = mcu_entry_wheel();
    if (mcu_entry_text != mcu_dirto_filter_text) {
        mcu_dirto_choice = 1;
        mcu_build_candidates(mcu_entry_text);
        mcu_dirto_filter_text = mcu_entry_text;
    }
    draw_candidates(page);
    mcu_draw_entry_line(page, wheel);
}
