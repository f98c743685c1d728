// FLIGHT PLAN, the page of state 1: the active plan, the list of stored
// plans, and a stored plan opened into the working plan, which SELECT and ENT
// make the active plan.
#include "data/module_settings.h"
#include "fms/files/flight_plan_folder.h"
#include "fms/files/stored_routes.h"
#include "fms/guidance/lateral_guidance.h"
#include "fms/math/clock_math.h"
#include "fms/math/nav_math.h"
#include "fms/plan/entry_marks.h"
#include "fms/plan/gns_choices.h"
#include "fms/plan/plan_edit.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_walk.h"
#include "fms/units/gns_scratchpad.h"
#include "fms/units/gns_unit_state.h"
#include "gns_mcu/gns_cursors.h"
#include "gns_mcu/gns_page_draw.h"
#include "gns_mcu/gns_plan_edits.h"
#include "gns_mcu/gns_render.h"
#include "sim/aircraft_state.h"

#include <algorithm>
#include <cmath>

PlanCursor gns_selected_wpt_cursor{CursorPlan::Active, CursorRule::Stays};
const PlanCursor& gns_selected_wpt_index = gns_selected_wpt_cursor;
PlanCursor gns_entry_fix_cursor{CursorPlan::Active, CursorRule::Gone};
const PlanCursor& gns_entry_fix = gns_entry_fix_cursor;
PlanCursor gns_direct_view_to_cursor{CursorPlan::Working, CursorRule::Gone, 0, 1};
const PlanCursor& gns_direct_view_to = gns_direct_view_to_cursor;
PlanCursor working_cursor{CursorPlan::Working, CursorRule::AsTo};
const PlanCursor& working_cursor_index = working_cursor;

namespace {

void open_entry() {
    gns_entry_active = 1;
    gns_entry_fresh = 1;
}

// Rows of the active-plan view: the FROM waypoint to the end mark.
int active_rows() {
    if (to_waypoint_index == kNoToWaypoint || active_plan_last == 0) return 1;
    return active_plan_last - to_waypoint_index + 3;
}

void left_pair_key(GnsToggle t) {
    const int before = gns_toggle(t);
    reset_page_toggles();
    gns_toggle(t) = (before + 1) % 3;
    if (gns_toggle(t) == kGnsToggleIdle)
        gns_entry_active = 0;
    else
        open_entry();
}

// First plan index of the rows in view.
int first_active_row() {
    return std::max(0, (gns_active_page - 1) * 6 + to_waypoint_index - 1);
}
int first_opened_row() {
    return std::max(0, (gns_open_plan_page - 1) * 6);
}

// The page in view shows no sixth row (its last shown row is the end mark):
// a later page of a long plan can be as short as a short plan's only one.
bool no_sixth_row() {
    if (gns_sub_state == kGnsSubStateActivePlan) return first_active_row() + 5 > active_plan_last + 1;
    return gns_sub_state == kGnsSubStateStoredPlans && gns_plan_open == 1 &&
           first_opened_row() + 5 > working_plan_last + 1;
}

void key_l4() {
    const int before = gns_toggle(GNS_L4);
    reset_page_toggles();
    if (before == kGnsToggleIdle) {
        // With no sixth row on the page the key asks DEPART? at once.
        if (no_sixth_row()) {
            gns_toggle(GNS_L4) = kGnsToggleSecond;
            gns_entry_active = 0;
            gns_entry_fresh = 0;
        } else {
            gns_toggle(GNS_L4) = kGnsToggleFirst;
            open_entry();
        }
    } else if (before == kGnsToggleFirst) {
        gns_toggle(GNS_L4) = kGnsToggleSecond;
        gns_entry_fresh = 0;
        gns_entry_active = 0;
    } else {
        gns_entry_active = 0;
    }
}

void key_r5() {
    const int before = gns_toggle(GNS_R5);
    reset_page_toggles();
    gns_toggle(GNS_R5) = (before + 1) % 3;
    if (gns_toggle(GNS_R5) != kGnsToggleIdle && gns_sub_state == kGnsSubStateActivePlan)
        gns_fpl_option = gns_fpl_option_default;
    gns_entry_active = 0;
}

void line_key() {
    const int lsk = gns_lsk;
    if (lsk == 0) return;
    gns_delete_request = 0;
    switch (lsk) {
    case 1: {
        const int before = gns_toggle(GNS_L1);
        reset_page_toggles();
        if (before == kGnsToggleIdle) {
            gns_toggle(GNS_L1) = kGnsToggleFirst;
            open_entry();
        } else {
            gns_entry_active = 0;
        }
        break;
    }
    case 2:
        left_pair_key(GNS_L2);
        break;
    case 3:
        left_pair_key(GNS_L3);
        break;
    case 4:
        key_l4();
        break;
    case 5: {
        const int before = gns_toggle(GNS_L5);
        reset_page_toggles();
        gns_toggle(GNS_L5) = (before + 1) % 3;
        if (gns_toggle(GNS_L5) == kGnsToggleIdle) gns_entry_active = 0;
        break;
    }
    case 6:
        if (gns_toggle(GNS_R1) == kGnsToggleSecond) {
            reset_page_toggles();
        } else {
            ++gns_toggle(GNS_R1);
        }
        break;
    case 7:
    case 8: {
        int& t = gns_toggle(lsk == 7 ? GNS_R2 : GNS_R3);
        t = (t + 1) % 3;
        break;
    }
    case 9: {
        const int before = gns_toggle(GNS_R4);
        reset_page_toggles();
        if (before == kGnsToggleIdle)
            gns_toggle(GNS_R4) = gns_sub_state == kGnsSubStateActivePlan ? kGnsToggleSecond : kGnsToggleFirst;
        else if (before == kGnsToggleFirst)
            gns_toggle(GNS_R4) = kGnsToggleSecond;
        break;
    }
    case 10:
        key_r5();
        break;
    default:
        break;
    }
}

// Which toggle value of which key selects each of the six plan rows.
struct RowSelector {
    GnsToggle key;
    int value;
};
constexpr RowSelector kRowSelector[6] = {{GNS_L1, 1}, {GNS_L2, 1}, {GNS_L2, 2},
                                         {GNS_L3, 1}, {GNS_L3, 2}, {GNS_L4, 1}};
// Left-key marker of each row: rows 1, 2 and 4 start a key's rows.
constexpr int kRowMarker[6] = {0, 1, -1, 2, -1, 3};

bool row_selected(int row) {
    return gns_toggle(kRowSelector[row].key) == kRowSelector[row].value;
}

bool is_procedure_leg(const RouteWaypoint& w) {
    return w.kind == "SID" || w.kind == "SIDSTAR" || w.kind == "STAR" || w.kind == "APPR";
}

float row_y(int row) {
    return 40.0f + 40.0f * static_cast<float>(row);
}

// A question shown highlighted, a plain label in white.
void footer_text(GnsPage& page, float x, float y, const std::string& label, bool asked) {
    if (asked)
        page.highlight(x, y, label + "?");
    else
        page.text(x, y, kGnsWhite, label);
}

// What a view shows at plan index i: the entry, or behind the last one the
// end row, which is no entry of the plan.
const RouteWaypoint& row_entry(const RoutePlan& plan, int last, int i) {
    static const RouteWaypoint end_row = [] {
        RouteWaypoint w;
        make_marker(w, EntryKind::EndMark);
        return w;
    }();
    return i <= last ? plan[i] : end_row;
}

// The data column of active waypoint i at (300, y).
void data_column(GnsPage& page, int i, float y) {
    const RouteWaypoint& w = active_plan[i];
    const AircraftState& a = aircraft_state;
    switch (gns_fpl_option) {
    case kGnsFplOptionEte:
    case kGnsFplOptionEta: {
        // A row not flown to is no place to reach.
        if (!(a.ground_speed_kt > 50.0) || !is_place(w)) {
            page.text(300.0f, y, kGnsBlue, "------");
            break;
        }
        double distance = 0.0, course = 0.0;
        gc_dist_course(a.plat, a.plon, w.lat, w.lon, &distance, &course);
        HoursMinutes t = hours_minutes(distance / a.ground_speed_kt * 60.0);
        if (gns_fpl_option == kGnsFplOptionEta) {
            const bool local = DispETALocalTime == 1;
            t = clock_after(local ? a.local_hours : a.zulu_hours, local ? a.local_minutes : a.zulu_minutes,
                            t);
        }
        page.text(300.0f, y, kGnsBlue, gns_format("%02.0f:%02.0f", t.hours, t.minutes));
        break;
    }
    case kGnsFplOptionDis: {
        double distance = 0.0, course = 0.0;
        if (!is_place(w)) {
            page.text(300.0f, y, kGnsGreen, "----");
            break;
        }
        if (i == to_waypoint_index)
            gc_dist_course(a.plat, a.plon, w.lat, w.lon, &distance, &course);
        else
            distance = leg_into_nm(active_plan, i); // from the place before a gap
        page.text(300.0f, y, kGnsGreen, gns_format("%4.0f", distance));
        break;
    }
    default: {
        const gfx::Argb color = i == active_plan_last ? kGnsYellow : kGnsBlue;
        page.text(300.0f, y, color,
                  predicted_altitude(w) == kNoConstraint ? "-----"
                                                         : gns_format("%5.0f", predicted_altitude(w)));
        break;
    }
    }
}

// Within the leg with the aircraft heading off its course, the FROM label
// would mislead.
bool from_label_shown() {
    if (lnav_engaged != 1) return false;
    double off = std::fabs(course_to_to_deg - leg_course_deg);
    if (off > 180.0) off = 360.0 - off;
    const bool within_leg = distance_to_to_nm <= leg_distance_nm;
    return !(within_leg && off > 10.0);
}

const char* const kColumnLabel[4] = {"ETE", "ETA", "DIS", "ALT"};

} // namespace

bool gns_plan_row_selected() {
    for (int row = 0; row < 6; ++row)
        if (row_selected(row)) return true;
    return false;
}

namespace {

// A left key beside a row the page does not show selects nothing: the entry
// would open on the fix an earlier key left the cursor on.
void drop_selection_past_end(int first, int last_shown) {
    for (int row = 0; row < 6; ++row) {
        if (!row_selected(row) || first + row <= std::min(last_shown, kPlanLastIndex)) continue;
        gns_toggle(kRowSelector[row].key) = kGnsToggleIdle;
        gns_entry_active = 0;
    }
}

// The plan index on the selected row, or -1 when no shown row is selected.
int selected_index(int first, int last_shown) {
    for (int row = 0; row < 6; ++row) {
        const int i = first + row;
        if (i > last_shown || i > kPlanLastIndex) break;
        if (row_selected(row)) return i;
    }
    return -1;
}

// The numbers of the two rows of R2..R5 on the list page.
bool list_row_exists(int row) {
    const int n = fpl_list_first + row;
    return n >= 1 && n <= stored_routes.count();
}

// The route on the first highlighted list row; 0 when none.
int chosen_route() {
    for (int row = 0; row < 8; ++row) {
        if (!list_row_exists(row)) break;
        if (gns_toggle(static_cast<GnsToggle>(GNS_R2 + row / 2)) == row % 2 + 1) return fpl_list_first + row;
    }
    return 0;
}

// The origin-destination header waits for the frame after a plan was
// rebuilt or loaded; the view reads the two flags and clears them.
bool header_held = false;

// The row marked for the open entry is the row of the entry the cursor
// names: another unit's edit or the TO stepping on moves the rows, which start
// at the FROM, under the mark. An entry left behind closes.
void keep_mark_on_cursor_entry() {
    if (gns_entry_active != 1 || to_waypoint_index == kNoToWaypoint) return;
    int marked = -1;
    for (int row = 0; row < 6 && marked < 0; ++row)
        if (row_selected(row)) marked = row;
    // The fix the row was opened on went with another unit's edit: the row
    // would show it over the entry that took its place.
    if (marked >= 0 && gns_entry_fix < 0) {
        gns_toggle(kRowSelector[marked].key) = kGnsToggleIdle;
        gns_entry_active = 0;
        gns_delete_request = 0;
        return;
    }
    const int cursor = gns_selected_wpt_index;
    if (marked < 0 || first_active_row() + marked == cursor || cursor < 0 || cursor > active_plan_last + 1)
        return;
    gns_toggle(kRowSelector[marked].key) = kGnsToggleIdle;
    const int from = std::max(0, to_waypoint_index - 1);
    if (cursor < from) {
        gns_entry_active = 0;
        return;
    }
    gns_active_page = (cursor - from) / 6 + 1;
    const RowSelector& mark = kRowSelector[cursor - first_active_row()];
    gns_toggle(mark.key) = mark.value;
}

// What the active-plan view does with the keys of this frame.
void act_on_active_view(int rows, bool left_key) {
    header_held = gns_route_loaded_flag != 0 || gns_plan_changed != 0;
    gns_route_loaded_flag = 0;
    gns_plan_changed = 0;
    gns_plan_open = 0;
    gns_active_page_count = active_plan_last == 0 ? 1 : std::max(1, (rows + 5) / 6);
    // A plan replaced or shortened meanwhile keeps the page within it.
    gns_active_page = std::clamp(gns_active_page, 1, gns_active_page_count);
    if (!left_key) keep_mark_on_cursor_entry();
    if (!left_key || to_waypoint_index == kNoToWaypoint) return;
    drop_selection_past_end(first_active_row(), active_plan_last + 1);
    const int i = selected_index(first_active_row(), active_plan_last + 1);
    if (i < 0) return;
    gns_scratchpad = row_entry(active_plan, active_plan_last, i).ident;
    gns_selected_wpt_cursor.move_to(i);
    gns_entry_fix_cursor.move_to(i);
    working_cursor.move_to(i);
    gns_scratchpad_add("", 1);
}

void act_on_list(bool key_frame) {
    fpl_list_first = 8 * gns_list_page - 7;
    // A choice that points past the end of the list is dropped, so that no
    // row beyond it can be loaded.
    if (key_frame)
        for (int k = 0; k < 4; ++k) {
            int& t = gns_toggle(static_cast<GnsToggle>(GNS_R2 + k));
            if (t != kGnsToggleIdle && !list_row_exists(2 * k + t - 1)) t = kGnsToggleIdle;
        }
    const int chosen = chosen_route();
    if (gns_enter_pressed != 1 || chosen == 0) return;
    // The plan opens in the working plan: a modification pending there ends.
    end_other_units_modification();
    // A file gone since the listing leaves the working plan as it was: the
    // list stays.
    if (!load_listed_plan_to_working(chosen, RouteLoadAsker::Gns)) {
        reset_page_toggles();
        return;
    }
    gns_plan_open = 1;
    // The GNS's selection for the plan opened is the plan's own: its airports,
    // the SID and STAR its legs name and a file's approach, none of a plan
    // opened before it.
    working_sel = GnsChoices{};
    working_sel.procedures = working_plan.choices();
    working_sel.procedures.pending_departure_runway = "------";
    if (working_plan_last >= 1 && working_plan[0].type == "APT")
        working_sel.departure_airport = working_plan[0].ident;
    if (working_plan_last >= 1 && working_plan[working_plan_last].type == "APT")
        working_sel.arrival_airport = working_plan[working_plan_last].ident;
    gns_plan_closed_text.clear();
    gns_open_plan_number = chosen;
    gns_open_plan_page = 1;
    reset_page_toggles();
    if (working_plan_last == -1) {
        // Row 1 opens for a first waypoint at once: a key typed right after
        // ENT goes into it.
        gns_toggle(GNS_L1) = kGnsToggleFirst;
        open_entry();
        gns_scratchpad = row_entry(working_plan, working_plan_last, 0).ident;
        gns_scratchpad_add("", 1);
    }
}

void act_on_opened_plan(bool left_key) {
    gns_open_plan_page_count = working_plan_last == 0 ? 1 : std::max(1, (working_plan_last + 2 + 5) / 6);
    gns_open_plan_page = std::clamp(gns_open_plan_page, 1, gns_open_plan_page_count);
    if (left_key) drop_selection_past_end(first_opened_row(), working_plan_last + 1);
    const int i = selected_index(first_opened_row(), working_plan_last + 1);
    if (i >= 0) {
        if (left_key) {
            gns_scratchpad = row_entry(working_plan, working_plan_last, i).ident;
            gns_scratchpad_add("", 1);
        }
        working_cursor.move_to(i);
    }
    if (gns_toggle(GNS_R5) == kGnsToggleFirst && gns_enter_pressed == 1) {
        if (working_plan_last >= 1) gns_activate_opened_plan();
        reset_page_toggles();
    }
}

enum class View { Active, List, Opened, None };

View view_in_force() {
    if (gns_sub_state == kGnsSubStateActivePlan) return View::Active;
    if (gns_sub_state == kGnsSubStateStoredPlans) return gns_plan_open == 0 ? View::List : View::Opened;
    return View::None;
}

void act_on_view(View view, bool key_frame, bool left_key) {
    switch (view) {
    case View::Active:
        act_on_active_view(active_rows(), left_key);
        break;
    case View::List:
        act_on_list(key_frame);
        break;
    case View::Opened:
        act_on_opened_plan(left_key);
        break;
    case View::None:
        break;
    }
}

void draw_active_view(GnsPage& page) {
    page.text(90.0f, 0.0f, kGnsWhite,
              gns_format("ACTIVE FPL   %d/%d", gns_active_page, gns_active_page_count));
    const int to = to_waypoint_index;
    if (to != kNoToWaypoint) {
        const int first = first_active_row();
        const bool fr_shown = from_label_shown();
        bool label_drawn = false;
        for (int row = 0; row < 6; ++row) {
            const int i = first + row;
            if (i > active_plan_last + 1 || i > kPlanLastIndex) break;
            const RouteWaypoint& w = row_entry(active_plan, active_plan_last, i);
            const float y = row_y(row);
            // A message finds its place over the lowest plan row, not the prompts.
            gns_list_row(y);
            if (kRowMarker[row] >= 0) page.marker[kRowMarker[row]] = true;
            // FR names the waypoint the leg is flown from: none after a gap.
            const bool fr_row = fr_shown && i == route_from(active_plan, to);
            const bool to_row = lnav_engaged == 1 && i == to;
            if (fr_row) page.text(30.0f, y, kGnsYellow, "FR");
            if (to_row) page.text(30.0f, y, kGnsMagenta, "TO ");
            label_drawn = label_drawn || fr_row || to_row;
            if (i != 0 && w.kind == "APPR" && !label_drawn) page.text(30.0f, y, kGnsWhite, w.aux_text);
            const float x = is_procedure_leg(w) ? 116.0f : 96.0f;
            if (gns_entry_active == 1 && row_selected(row)) {
                page.highlight(x, y, gns_scratchpad, 6);
                if (gns_delete_request == 1) page.text(230.0f, y, kGnsYellow, "DELETE?");
                continue;
            }
            const gfx::Argb color = fr_row ? kGnsYellow : to_row ? kGnsMagenta : kGnsGreen;
            page.text(x, y, color, w.ident);
            if (i != 0 && w.flyover == 1) page.text(240.0f, y, kGnsMagenta, "F");
            if (i >= 1 && i <= active_plan_last) data_column(page, i, y);
            if (i == 0 && w.ident != "---" && !header_held && active_plan_last >= 1) {
                page.text(240.0f, 40.0f, kGnsGreen, "-");
                page.text(280.0f, 40.0f, kGnsGreen, active_plan[active_plan_last].ident);
            }
        }
    }

    page.marker[GNS_L4] = page.marker[GNS_L5] = true;
    page.marker[GNS_R4] = page.marker[GNS_R5] = true;
    footer_text(page, 32.0f, 280.0f, "DEPART", gns_toggle(GNS_L4) == kGnsToggleSecond);
    footer_text(page, 32.0f, 320.0f, "ARRIVE", gns_toggle(GNS_L5) == kGnsToggleFirst);
    const bool can_save =
        active_plan_last > 1 && active_plan[0].type == "APT" && active_plan[active_plan_last].type == "APT";
    footer_text(page, 280.0f, 280.0f, "SAVE FPL", gns_toggle(GNS_R4) == kGnsToggleSecond && can_save);
    footer_text(page, 32.0f, 360.0f, "APPROACH", gns_toggle(GNS_L5) == kGnsToggleSecond);
    const std::string label =
        kColumnLabel[std::clamp(gns_fpl_option, kGnsFplOptionEte, kGnsFplOptionAlt) - 1];
    if (gns_toggle(GNS_R5) == kGnsToggleFirst)
        page.highlight(380.0f, 320.0f, gns_fpl_option != gns_fpl_option_default ? label + "?" : label);
    else
        page.text(380.0f, 320.0f, kGnsWhite, label);
    footer_text(page, 200.0f, 360.0f, "LOAD ATC RTE", gns_toggle(GNS_R5) == kGnsToggleSecond);
}

void draw_list(GnsPage& page) {
    page.text(45.0f, 0.0f, kGnsWhite,
              gns_format("FLIGHT PLAN LIST %d/%d", gns_list_page, flight_plan_list_pages));
    if (!gns_plan_closed_text.empty()) page.text(30.0f, 40.0f, kGnsYellow, gns_plan_closed_text);
    for (int row = 0; row < 8; ++row) {
        if (!list_row_exists(row)) break;
        const int n = fpl_list_first + row;
        const RouteRecord& route = stored_routes[n];
        const float y = 80.0f + 40.0f * static_cast<float>(row);
        const GnsToggle key = static_cast<GnsToggle>(GNS_R2 + row / 2);
        if (row % 2 == 0) page.marker[key] = true;
        const bool highlighted = gns_toggle(key) == row % 2 + 1;
        const std::string number = gns_format("%d", n);
        if (highlighted)
            page.highlight(400.0f, y, number);
        else if (route.origin != "NEXT FPL")
            page.text(395.0f, y, kGnsGreen, number);
        if (route.origin == "NEXT FPL") {
            if (highlighted) page.text(30.0f, y, kGnsYellow, "NEXT FPL");
            continue;
        }
        page.text(30.0f, y, kGnsGreen, route.origin);
        page.text(220.0f, y, kGnsGreen, route.destination);
    }
}

void draw_opened_plan(GnsPage& page) {
    page.text(30.0f, 0.0f, kGnsWhite,
              gns_format("FLIGHT PLAN %d  %d/%d", gns_open_plan_number, gns_open_plan_page,
                         gns_open_plan_page_count));
    const int first = first_opened_row();
    for (int row = 0; row < 6; ++row) {
        const int i = first + row;
        if (i > working_plan_last + 1 || i > kPlanLastIndex) break;
        const RouteWaypoint& w = row_entry(working_plan, working_plan_last, i);
        const float y = row_y(row);
        gns_list_row(y);
        if (kRowMarker[row] >= 0) page.marker[kRowMarker[row]] = true;
        if (w.kind == "APPR") page.text(30.0f, y, kGnsWhite, w.aux_text);
        const float x = is_procedure_leg(w) ? 116.0f : 96.0f;
        if (gns_entry_active == 1 && row_selected(row)) {
            page.highlight(x, y, gns_scratchpad, 6);
            if (gns_delete_request == 1) page.text(230.0f, y, kGnsYellow, "DELETE?");
        } else {
            page.text(x, y, kGnsGreen, w.ident);
        }
        if (i == 0 && working_plan_last >= 1) {
            page.text(240.0f, 40.0f, kGnsGreen, "-");
            page.text(280.0f, 40.0f, kGnsGreen, working_plan[working_plan_last].ident);
        }
    }

    page.marker[GNS_L4] = page.marker[GNS_L5] = page.marker[GNS_R5] = true;
    footer_text(page, 32.0f, 280.0f, "DEPART", gns_toggle(GNS_L4) == kGnsToggleSecond);
    footer_text(page, 32.0f, 320.0f, "ARRIVE", gns_toggle(GNS_L5) == kGnsToggleFirst);
    footer_text(page, 320.0f, 320.0f, "SELECT", gns_toggle(GNS_R5) == kGnsToggleFirst);
    footer_text(page, 32.0f, 360.0f, "APPROACH", gns_toggle(GNS_L5) == kGnsToggleSecond);
    page.text(340.0f, 360.0f, kGnsWhite, "ERASE");
}

} // namespace

// The keys of this frame act first (line key, row choice, loading a listed
// plan, SELECT); then the view in force draws.
void gnsxls_flight_plan_page(DisplayObject& display, gfx::Graphics& graphics) {
    const bool key_frame = gns_lsk != 0;
    const bool left_key = gns_lsk >= 1 && gns_lsk <= 4;
    line_key();
    const View acted = view_in_force();
    act_on_view(acted, key_frame, left_key);
    // Loading a listed plan or SELECT changes the view: the new one settles
    // its counts and marks before it draws, with the keys already used.
    if (view_in_force() != acted) act_on_view(view_in_force(), false, false);

    GnsPage page(display, graphics);
    switch (view_in_force()) {
    case View::Active:
        draw_active_view(page);
        break;
    case View::List:
        draw_list(page);
        break;
    case View::Opened:
        draw_opened_plan(page);
        break;
    case View::None:
        break;
    }
    page.draw_markers();
}
