#include "fms/plan/plan_editing.h"

#include "data/nav_database.h"
#include "fms/math/nav_math.h"
#include "fms/plan/airways.h"
#include "fms/plan/holds.h"
#include "fms/plan/plan_edit.h"
#include "fms/plan/plan_legs.h"
#include "fms/plan/route_exec.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/plan/selection_texts.h"
#include "fms/plan/waypoint_entry.h"
#include "fms/units/c17_cdu_text.h"
#include "fms/units/cdu_text.h"
#include "fms/units/gns_page_state.h"
#include "platform/text_file.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace {

const char* const kNoSelection = "------";

bool plan_has_room(int entries) {
    return working_plan_last + entries <= kPlanLastIndex;
}

bool is_digit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

std::string first_chars(const std::string& s, std::size_t n) {
    return s.substr(0, std::min(n, s.size()));
}

std::string numbered_ident(const std::string& stem, int number, bool two_letters) {
    char text[32];
    std::snprintf(text, sizeof text, two_letters ? "%2s%02d" : "%3s%02d", stem.c_str(), number);
    return text;
}

// A user waypoint's name from its reference ident R: R's first three letters
// (or two, when the plan already names waypoints that way) and a running
// number above every such name in the plan.
std::string user_waypoint_name(const std::string& reference) {
    const std::string r2 = first_chars(reference, 2);
    const std::string r3 = first_chars(reference, 3);
    int number = 1;
    bool two_letters = false;
    for (int i = 1; i <= working_plan_last - 1; ++i) {
        const std::string& id = working_plan[i].ident;
        if (id.size() == 2 && id == r2) {
            two_letters = true;
        } else if (id.size() == 3 && id == r3) {
            // The reference itself; the running number never goes down.
        } else if (id.size() == 5 && id.compare(0, 3, r3) == 0) {
            number = std::max(number, parse_int(id.substr(3, 2)) + 1);
        } else if (id.size() == 4 && id.compare(0, 2, r2) == 0) {
            number = std::max(number, parse_int(id.substr(2, 2)) + 1);
            two_letters = true;
        }
    }
    return numbered_ident(two_letters ? r2 : r3, number, two_letters);
}

struct PlaceBearingInputs {
    double bearing_1;
    double bearing_2;
    double distance; // 0 = none
};

bool place_user_waypoint(int p, int v, double magvar, PlaceBearingInputs& in, int legs_mode, int& legs_mark) {
    PlanEdit edit(working_target(), "a user waypoint");
    if (p < 0 || p > edit.last() + 1 || v < 1 || v > candidate_count()) return false;
    const bool naming = in.distance > 0.0 || in.bearing_2 >= 0.0;
    const bool hold_ppos = !naming && candidate_list()[v].ident == "HOLD PPOS";
    // After the shift the entry now at p sits at p + 1.
    const bool discontinuity = p < edit.last() && edit[p].ident != "DISCO" && !hold_ppos;
    if (!plan_has_room(discontinuity ? 2 : 1)) return false;

    // With no route flown the pages edit from the first leg.
    if (working_cursor_index == kNoToWaypoint) edit.place(working_cursor_index, 1);
    shift_working_up(p);

    NavRecord& candidate = candidate_list().slot(v);
    if (in.distance > 0.0)
        gc_destination_point(candidate.latitude, candidate.longitude, in.bearing_1 + magvar, in.distance,
                             &candidate.latitude, &candidate.longitude);
    if (naming) {
        candidate.ident = user_waypoint_name(candidate.ident);
        candidate.kind = "WPT";
        in.distance = 0.0;
        in.bearing_1 = in.bearing_2 = -1.0;
    }
    if (hold_ppos) candidate.ident = numbered_ident("WPT", next_user_waypoint_number(), false);

    // No hold mark: the present-position hold, made next, marks its entry
    // (a full list makes none).
    edit.write(p, entry_from_candidate(candidate));

    if (discontinuity) {
        shift_working_up(p + 1);
        make_discontinuity(edit.entry(p + 1));
    }
    mark_route_edited();
    if (legs_mode == kLegsModeDirectTo && legs_mark == 0) legs_mark = 1;
    return true;
}

bool within_5_nm(const NavRecordView& r, const RouteWaypoint& w) {
    double distance = 0.0, course = 0.0;
    gc_dist_course(w.lat, w.lon, r.latitude, r.longitude, &distance, &course);
    return distance <= 5.0;
}

} // namespace

void delete_waypoint(int index, int force, std::string& message) {
    PlanEdit edit(working_target(), "deleting a waypoint");
    if (edit.last() > 1 && index >= 0 && index <= edit.last()) {
        delete_working_hold(index);
        // A fix deleted beside a discontinuity leaves that one: a second in
        // a row would break the route twice where it breaks once.
        const auto gap = [&](int i) {
            const EntryKind k = entry_kind(edit[i]);
            return k == EntryKind::Gap || k == EntryKind::PlacedGap;
        };
        const bool beside_gap = index >= 1 && index < edit.last() && (gap(index - 1) || gap(index + 1));
        if (index <= 1 || index >= edit.last() - 1 || force != 0 || beside_gap)
            shift_working_down(index);
        else
            make_discontinuity(edit.entry(index));
    }
    message.clear();
    if (route_state == kRouteStateActive) advance_route_state();
}

bool shift_working_up(int p) {
    return open_slot(working_target(), p);
}

void shift_working_down(int index) {
    remove_entry(working_target(), index);
}

void make_discontinuity(RouteWaypoint& entry) {
    const std::string frequency = entry.frequency;
    clear_waypoint(entry);
    make_marker(entry, EntryKind::Gap);
    entry.course = -1.0;
    entry.frequency = frequency;
}

RouteWaypoint entry_from_candidate(const NavRecord& c) {
    RouteWaypoint w;
    w.ident = c.ident;
    w.lat = c.latitude;
    w.lon = c.longitude;
    w.type = c.kind;
    w.frequency = c.extra;
    w.course = -1.0; // none
    return w;
}

int next_user_waypoint_number() {
    int highest = 0;
    for (int i = 1; i <= working_plan_last - 1; ++i) {
        const std::string& id = working_plan[i].ident;
        if (id.size() == 5 && id.compare(0, 3, "WPT") == 0 && is_digit(id[3]) && is_digit(id[4]))
            highest = std::max(highest, parse_int(id.substr(3)));
    }
    return highest + 1;
}

int delete_route_row(int n) {
    PlanEdit edit(working_target(), "deleting a route row");
    if (working_plan_last < 2) return 0;
    std::string previous = "INIT";
    int row = 0, first = 0, end = 0;
    for (int i = 1; i <= working_plan_last - 1; ++i) {
        const std::string& via = working_plan[i].via;
        if (via.empty() || via != previous) {
            if (first > 0) {
                end = i - 1;
                break;
            }
            if (++row == n) {
                first = i;
                end = working_plan_last - 1;
            }
        }
        previous = via;
    }

    if (first > 0) {
        // Each removed waypoint takes its hold with it.
        for (int removed = first; removed <= end; ++removed) {
            for (int j = first + 1; j <= working_plan_last; ++j) {
                const std::string& id = working_plan[j].ident;
                if (id == sel_sid) ChoicesEdit(working_plan)->sid = kNoSelection;
                if (id == sel_star) ChoicesEdit(working_plan)->star = kNoSelection;
            }
            shift_working_down(first);
        }
    }
    if (route_state == kRouteStateActive) advance_route_state();
    build_route_rows();
    return first;
}

void delete_waypoint_smiths(int index, int force) {
    delete_waypoint(index, force, smiths_scratchpad_message);
}

bool insert_discontinuity(int p) {
    PlanEdit edit(working_target(), "inserting a waypoint");
    if (p == 0) p = 1;
    if (p < 1 || p > edit.last() + 1 || candidate_count() < 1) return false;
    const bool discontinuity = p < edit.last();
    if (!plan_has_room(discontinuity ? 2 : 1)) return false;

    shift_working_up(p);
    edit.write(p, entry_from_candidate(candidate_list()[1]));
    if (discontinuity) {
        shift_working_up(p + 1);
        make_discontinuity(edit.entry(p + 1));
    }
    mark_route_edited();
    return true;
}

bool insert_then_leg(int p) {
    PlanEdit edit(working_target(), "inserting an airway");
    if (!shift_working_up(p)) return false;
    // kind, course and frequency stay as the shifted entry left them.
    RouteWaypoint& e = edit.entry(p);
    make_marker(e, EntryKind::AirwayThen);
    e.flyover = 0;
    e.lat = e.lon = 0.0;
    e.type = "OAWY";
    e.aux_text.clear();
    e.altitude_kind = AltitudeKind::None;
    e.alt_constraint = kNoConstraint;
    e.speed_constraint = -1.0;
    e.via = smiths_scratchpad;
    return true;
}

bool create_user_waypoint(int p, int v, double magvar) {
    PlaceBearingInputs in{c17_pbd_bearing_1, c17_pbd_bearing_2,
                          c17_pbd_distance > 0.0 ? c17_pbd_distance : 0.0};
    const bool done = place_user_waypoint(p, v, magvar, in, c17_legs_mode, c17_direct_to_entered);
    c17_pbd_bearing_1 = in.bearing_1;
    c17_pbd_bearing_2 = in.bearing_2;
    c17_pbd_distance = in.distance;
    return done;
}

bool create_user_waypoint_mod(int p, int v, double magvar) {
    PlanEdit edit(working_target(), "a user waypoint");
    PlaceBearingInputs in{pbd_bearing_1, pbd_bearing_2, pbd_distance >= 1 ? double(pbd_distance) : 0.0};
    const bool done = place_user_waypoint(p, v, magvar, in, smiths_legs_mode, direct_to_entered);
    // The LEGS pages edit the new entry next: its intercept course, its page.
    if (done) edit.place(legs_edit_index, p);
    if (done && in.distance == 0.0) pbd_distance = 0;
    pbd_bearing_1 = in.bearing_1;
    pbd_bearing_2 = in.bearing_2;
    return done;
}

void classify_imported_waypoints() {
    PlanEdit edit(working_target(), "classifying an imported plan");
    const int last = edit.last();
    if (last < 0) return;
    int hits = 0;
    for (int a = 1; a <= airport_table.count() && hits < 2; ++a) {
        const std::string_view id = airport_table[a].ident;
        if (id == edit[0].ident) {
            edit.entry(0).type = "APT";
            ++hits;
        }
        if (last > 0 && id == edit[last].ident) {
            edit.entry(last).type = "APT";
            ++hits;
        }
    }

    for (int i = 1; i <= last - 1; ++i) {
        RouteWaypoint& w = edit.entry(i);
        std::string type = "WPT", frequency;
        if (w.ident.size() < 6) {
            for (int n = 1; n <= navaid_table.count(); ++n) {
                const NavRecordView nav = navaid_table[n];
                if (nav.ident != w.ident || !within_5_nm(nav, w)) continue;
                const NavRecordView next = navaid_table[n + 1];
                if (nav.kind == "V") {
                    type = "VOR";
                    frequency = nav.extra;
                } else if (n + 1 <= navaid_table.count() && next.ident == w.ident && next.kind == "V" &&
                           within_5_nm(next, w)) {
                    type = "VOR";
                    frequency = next.extra;
                } else {
                    type = "NDB";
                    frequency = nav.extra;
                }
                break;
            }
        } else {
            for (int n = 1; n <= intersection_table.count(); ++n) {
                const NavRecordView fix = intersection_table[n];
                if (fix.ident == w.ident && within_5_nm(fix, w)) {
                    type = "INT";
                    break;
                }
            }
        }
        w.type = type;
        w.frequency = frequency;
    }
}
