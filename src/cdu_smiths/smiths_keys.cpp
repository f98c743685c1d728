#include "cdu_smiths/smiths_keys.h"

#include "cdu_smiths/smiths_cursors.h"
#include "cdu_smiths/smiths_pages.h"
#include "fms/exec/exec_cursors.h"
#include "fms/exec/exec_erase.h"
#include "fms/plan/holds.h"
#include "fms/plan/plan_edit.h"
#include "fms/plan/plan_events.h"
#include "fms/plan/route_exec.h"
#include "fms/plan/route_plan.h"
#include "fms/plan/route_state.h"
#include "fms/plan/route_values.h"
#include "fms/units/cdu_text.h"
#include "sim/panel_services.h"
#include "sim/panel_windows.h"

namespace {

bool scratchpad_full() {
    return smiths_scratchpad.size() >= SCRATCHPAD_MAX_CHARS;
}

void type_char(char c) {
    if (!scratchpad_full()) smiths_scratchpad += c;
}

void type_letter(SmithsKey key) {
    type_char(static_cast<char>('A' + (static_cast<int>(key) - static_cast<int>(SmithsKey::A))));
}

void plus_minus() {
    std::string& s = smiths_scratchpad;
    if (scratchpad_full()) return;
    if (s.empty())
        s = "-";
    else if (s.back() == '-')
        s.back() = '+';
    else if (s.back() == '+')
        s.back() = '-';
    else
        s += '-';
}

void space() {
    if (smiths_scratchpad_message == "DELETE") {
        smiths_scratchpad.clear();
        smiths_scratchpad_message.clear();
        return;
    }
    // SP takes a full line one space further (the character keys then add
    // nothing), and no further: the line shows no more.
    if (smiths_scratchpad.size() <= SCRATCHPAD_MAX_CHARS) smiths_scratchpad += ' ';
}

void clear_key() {
    if (!smiths_scratchpad_message.empty()) {
        smiths_scratchpad_message.clear();
        return;
    }
    if (!smiths_scratchpad.empty()) smiths_scratchpad.pop_back();
}

void show_page(int page) {
    smiths_cdu_page = page;
}

void line_select(SmithsKey key) {
    const int n = static_cast<int>(key) - static_cast<int>(SmithsKey::L1); // 0..11: L1..L6, R1..R6
    if (n == 5)
        smiths_cdu_lsk = 11;
    else if (n == 11)
        smiths_cdu_lsk = 12;
    else if (n < 5)
        smiths_cdu_lsk = n + 1;
    else
        smiths_cdu_lsk = n;
}

// Another unit's edit of the flown plan ended the modification pending here.
void hear_plan_event(PlanEvent event, PlanUnit by) {
    if (event == PlanEvent::ModificationEnded) smiths_scratchpad_message = modification_ended_text(by);
}
[[maybe_unused]] const bool listening = (listen_to_plan_events(PlanUnit::Smiths, &hear_plan_event), true);

} // namespace

int32_t smiths_press_key(SmithsKey key) {
    const PlanUnitScope unit(PlanUnit::Smiths);
    // The pages edit the working plan; the GNS may have left its own view in it.
    if (route_state == kRouteStateActive) align_working_plan_with_active();
    switch (key) {
    case SmithsKey::InitRef:
        smiths_perf_init_subpage = 1;
        show_page(to_waypoint_index == kNoToWaypoint ? kPagePosRef : kPagePerfInit);
        break;
    case SmithsKey::Rte:
        show_page(kPageRte);
        smiths_rte_subpage = 1;
        smiths_rte_entry = 1;
        break;
    case SmithsKey::Clb:
        show_page(kPageEconClb);
        break;
    case SmithsKey::Crz:
        show_page(kPageEconCrz);
        break;
    case SmithsKey::Des:
        show_page(kPageEconPathDes);
        break;
    case SmithsKey::Dir:
        if (route_state >= kRouteStateActivated) {
            smiths_legs_mode = kLegsModeDirectTo;
            show_page(kPageRteLegs);
        } else {
            smiths_scratchpad_message = "NO ACTIVE ROUTE";
        }
        break;
    case SmithsKey::Legs:
        show_page(kPageRteLegs);
        smiths_legs_subpage = 1;
        smiths_legs_entry = 1;
        smiths_legs_mode = kLegsModeList;
        smiths_pending_leg_cursor.move_to(0);
        smiths_hold_at_cursor.move_to(0);
        break;
    case SmithsKey::DepArr:
        show_page(kPageDepArrIndex);
        break;
    case SmithsKey::Hold:
        smiths_hold_entry = 1;
        smiths_hold_subpage = 1;
        if (hold_count() >= 1) {
            show_page(kPageRteHold);
        } else {
            legs_map_step = 0;
            smiths_legs_mode = kLegsModeHoldAt;
            show_page(kPageRteLegs);
        }
        break;
    case SmithsKey::Prog:
        show_page(kPageProgress);
        smiths_progress_subpage = 1;
        break;
    case SmithsKey::Exec:
        if (route_state != kRouteStateActivated && route_state != kRouteStateActiveModified) break;
        // The pending change stays for the pilot to complete or erase.
        if (route_modification_executable())
            execute_route_modification();
        else
            smiths_scratchpad_message = "INVALID ENTRY";
        break;
    case SmithsKey::Fix:
        show_page(kPageFixInfo);
        smiths_fix_subpage = 1;
        break;
    case SmithsKey::Prev:
        smiths_cdu_prev_page = 1;
        break;
    case SmithsKey::Next:
        smiths_cdu_next_page = 1;
        break;
    case SmithsKey::Screen:
        return ps_window_toggle(WINDOW_FMS2);
    case SmithsKey::Dot:
        type_char('.');
        break;
    case SmithsKey::Digit0:
        type_char('0');
        break;
    case SmithsKey::Slash:
        type_char('/');
        break;
    case SmithsKey::PlusMinus:
        plus_minus();
        break;
    case SmithsKey::Sp:
        space();
        break;
    case SmithsKey::Del:
        smiths_scratchpad_message = "DELETE";
        break;
    case SmithsKey::Clr:
        clear_key();
        break;
    case SmithsKey::Count:
        break;
    default:
        if (key >= SmithsKey::L1 && key <= SmithsKey::R6)
            line_select(key);
        else if (key >= SmithsKey::A && key <= SmithsKey::Z)
            type_letter(key);
        else if (key >= SmithsKey::Digit1 && key <= SmithsKey::Digit9)
            type_char(static_cast<char>('1' + (static_cast<int>(key) - static_cast<int>(SmithsKey::Digit1))));
        break;
    }
    return 0;
}

void smiths_reset_key_flags() {
    if (smiths_cdu_lsk > 0) smiths_cdu_lsk = 0;
    for (int* flag : {&smiths_cdu_prev_page, &smiths_cdu_next_page, &smiths_legs_entry, &smiths_hold_entry,
                      &smiths_rte_entry})
        if (*flag == 1) *flag = 0;
}
