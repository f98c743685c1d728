#include "fms/plan/airways.h"
#include "fms/plan/plan_edit.h"
#include "fms/plan/route_plan.h"
#include "fms/procedures/approach_insertion.h"
#include "fms/units/gns_page_state.h"
#include "fms/units/gns_unit_state.h"
#include "gns_mcu/gns_airway.h"
#include "gns_mcu/gns_page_draw.h"
#include "gns_mcu/gns_render.h"

#include <algorithm>

namespace {

constexpr int kFixesPerPage = 16;

// The row positions a line key steps through: its first press, its second
// (0 for a key beside one row), in the order L1..L5, R1..R5.
struct KeyRows {
    int first;
    int second;
};
constexpr KeyRows kKeyRows[10] = {{1, 0}, {2, 3},   {4, 5},   {6, 7},   {8, 0},
                                  {9, 0}, {10, 11}, {12, 13}, {14, 15}, {16, 0}};

int first_fix() {
    return kFixesPerPage * (gns_airway_page - 1) + 1;
}

bool fix_at(int position) {
    return first_fix() + position - 1 <= candidate_count();
}

void clear_choice(int key) {
    gns_line_toggles[key] = kGnsToggleIdle;
    gns_airway_selection = 0;
    if (key != GNS_L1) gns_entry_active = 0;
}

// A key beside a position without a fix does nothing, and a second press
// whose row is empty clears the key: the ending fix stays within the list.
void line_key() {
    const int key = gns_lsk - 1;
    if (key < 0 || key > 9) return;
    const KeyRows rows = kKeyRows[key];
    int& t = gns_line_toggles[key];
    if (t == kGnsToggleIdle) {
        if (!fix_at(rows.first)) return;
        t = kGnsToggleFirst;
        gns_airway_selection = rows.first;
    } else if (t == kGnsToggleFirst && rows.second != 0 && fix_at(rows.second)) {
        t = kGnsToggleSecond;
        gns_airway_selection = rows.second;
    } else {
        clear_choice(key);
    }
    if (gns_airway_selection != 0) unit_candidates().selected_index = first_fix() + gns_airway_selection - 1;
}

} // namespace

void gns_open_airway_page() {
    gns_airway_selection = unit_candidates().from_index;
    gns_airway_page = unit_candidates().from_index > 0 ? unit_candidates().page : 1;
}

void gns_enter_airway() {
    const int exit = unit_candidates().selected_index;
    // A stored plan open here is edited in the working plan, else the flown one.
    const PlanTarget target = gns_plan_open == 1 ? working_target() : active_target();
    const int last_before = target.plan().last();
    if (exit >= 1 && exit <= candidate_count()) insert_airway_segment(target);
    // An airway not joined at the waypoint, or no ending fix: nothing went
    // in, and the pilot is told so.
    if (target.plan().last() == last_before) gns_refusal_text = kGnsInvalidEntry;
    gns_state = GNS_FLIGHT_PLAN;
    gns_fpl_option = gns_fpl_option_default;
    reset_page_toggles();
    unit_candidates().selected_index = 0;
    unit_candidates().from_index = 0;
    // The airway entry is used: the next key starts a new one, not the
    // airway's name with more letters.
    gns_entry_fresh = 1;
}

void gnsxls_airway_page(DisplayObject& display, gfx::Graphics& graphics) {
    GnsPage page(display, graphics);
    const int count = candidate_count();
    gns_airway_page_count = std::max((count + kFixesPerPage - 1) / kFixesPerPage, 1);
    gns_airway_page = std::clamp(gns_airway_page, 1, gns_airway_page_count);
    line_key();

    page.text(32.0f, 0.0f, kGnsWhite, "AIRWAY");
    page.text(200.0f, 0.0f, kGnsGreen, unit_candidates().airway_label);
    page.text(340.0f, 0.0f, kGnsWhite, gns_format("%d/%d", gns_airway_page, gns_airway_page_count));

    const int start = unit_candidates().from_index;
    const int end = unit_candidates().selected_index;
    const int low = std::min(start, end), high = std::max(start, end);
    const int first = first_fix();
    constexpr int kMarkerPositions[10] = {1, 2, 4, 6, 8, 9, 10, 12, 14, 16};
    for (int position = 1; position <= kFixesPerPage && first + position - 1 <= count; ++position) {
        const int i = first + position - 1;
        const bool left = position <= 8;
        const float label_x = left ? 20.0f : 240.0f;
        const float text_x = left ? 75.0f : 300.0f;
        const float y = 40.0f * static_cast<float>((position - 1) % 8 + 1);
        for (int k = 0; k < 10; ++k)
            if (kMarkerPositions[k] == position) page.marker[k] = true;

        const std::string& ident = candidate_list()[i].ident;
        // The boxed question marks the ending fix while a choice stands.
        const bool chosen = i == end && gns_airway_selection != 0;
        if (i == start || i == end) {
            page.text(label_x, y, kGnsYellow, i == start && !chosen ? "FR" : "TO");
            if (chosen)
                page.highlight(text_x, y, ident + "?", 7);
            else
                page.text(text_x, y, kGnsYellow, ident);
        } else {
            page.text(text_x, y, i > low && i < high ? kGnsYellow : kGnsGreen, ident);
        }
    }
    // Markers point at the rows: ">" on the left, "<" on the right.
    for (int k = 0; k < 10; ++k) {
        if (!page.marker[k]) continue;
        if (k < 5)
            page.text(0.0f, kGnsMarkerRow[k], kGnsWhite, ">");
        else
            page.text(460.0f, kGnsMarkerRow[k - 5], kGnsWhite, "<");
    }
    page.text(40.0f, 360.0f, kGnsWhite, "SELECT ENDING WPT");
}
