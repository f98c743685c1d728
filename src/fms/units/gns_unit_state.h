// Interface state of the GNS XLS navigator, shared by its two gauges: the
// state (page) shown, the inputs that the keys record for the next draw, the
// scratchpad field and the list positions of the pages. The values the core
// writes as well live in gns_page_state.h and gns_settings.h.
#pragma once

#include "fms/units/gns_page_state.h"
#include "fms/units/gns_settings.h"
#include "fms/units/plan_cursor.h"

#include <string>

// States (pages) of the unit, 1 to 21; 2 to 6 are never set.
enum GnsState : int {
    GNS_FLIGHT_PLAN = 1,
    GNS_DIRECT = 7,
    GNS_DATABASE_WPT = 8,
    GNS_NAVIGATION = 9,
    GNS_DEPARTURE = 10,
    GNS_ARRIVAL = 11,
    GNS_APPROACH = 12,
    GNS_AIRWAY = 13,
    GNS_SAVE_FPL = 14,
    GNS_VNAV = 15,
    GNS_VNAV_DATA = 16,
    GNS_VNAV_ENTRY = 17,
    GNS_HOLDING_PATTERN = 18,
    GNS_PLAN = 19,
    GNS_PILOT_WPT = 20,
    GNS_OFFSET_WPT = 21,
};
inline constexpr int kGnsStateCount = 21;

// Indices into gns_line_toggles.
enum GnsToggle : int { GNS_L1, GNS_L2, GNS_L3, GNS_L4, GNS_L5, GNS_R1, GNS_R2, GNS_R3, GNS_R4, GNS_R5 };
// The toggle of a line key.
inline int& gns_toggle(GnsToggle t) {
    return gns_line_toggles[t];
}
// A selection or field that holds nothing.
inline constexpr const char* kGnsNone = "------";

// Unit state and the way back from a sub-page.
inline int gns_state = 0;        // 1 from the first install on
inline int gns_return_state = 0; // state a sub-page goes back to

// Key inputs, consumed by the page of the next draw. Line keys: 0 none, 1..5
// L1..L5, 6..10 R1..R5.
inline int gns_lsk = 0;
inline int gns_enter_pressed = 0; // the one-frame flags
inline int gns_erase_pressed = 0;
inline int gns_prev_pressed = 0;
inline int gns_next_pressed = 0;
inline int gns_direct_pressed = 0;
// The toggle/erase key asked the plan view to delete the proposed waypoint.
inline int gns_delete_request = 0;

// The scratchpad field: open for typing, and still showing a proposal that
// the next character replaces.
inline int gns_entry_active = 0;
inline int gns_entry_fresh = 1;

// Choices of the pages' option lines.
// The data column of the active-plan view, stepped in this order.
inline constexpr int kGnsFplOptionEte = 1;
inline constexpr int kGnsFplOptionEta = 2;
inline constexpr int kGnsFplOptionDis = 3;
inline constexpr int kGnsFplOptionAlt = 4;
inline int gns_fpl_option = kGnsFplOptionEte;
inline int gns_fpl_option_default = kGnsFplOptionEte;
inline int gns_hold_choice_r3 = 1; // the hold's turn: kDirectionRight or kDirectionLeft
inline int gns_hold_choice_r5 = 1; // the exit state R5 sets: not entered (HOLD) or leave at point 1
// How the NAVIGATION page says the waypoints are sequenced.
inline constexpr int kGnsNavSeqNone = 0;
inline constexpr int kGnsNavSeqManual = 1;
inline constexpr int kGnsNavSeqAuto = 2;
inline int gns_nav_seq_choice = kGnsNavSeqNone;

// The GNS's cursors below are moved by its own pages (gns_mcu/gns_cursors.h)
// and by the edit path; every other file reads them.
// Active-plan index of the waypoint selected on the active-plan view.
extern const PlanCursor& gns_selected_wpt_index;
// The entry whose row the open entry of the active-plan view was opened on:
// another unit's edit that removes it leaves the row naming a fix no longer
// in the plan (-1), and the entry closes.
extern const PlanCursor& gns_entry_fix;
// 1 after a database waypoint went into the DIRECT working plan.
inline int gns_direct_inserted = 0;
// The working-plan row that was the TO when DIRECT-TO made its view of the
// flown plan: the route ahead, as the DIRECT list shows it, starts there even
// when the aircraft passes that fix while the pilot types an identifier.
extern const PlanCursor& gns_direct_view_to;

// List positions and counts of the pages.
inline int gns_active_page = 1, gns_active_page_count = 1;
inline int gns_list_page = 0;
inline int gns_open_plan_page = 1, gns_open_plan_page_count = 1;
inline int gns_open_plan_number = 1; // list number of the opened stored route
inline int gns_direct_page = 0, gns_direct_page_count = 0;
inline int gns_database_index = 0, gns_database_page = 1;
inline int gns_nav_page = 1;
inline int gns_departure_page = 0, gns_departure_page_count = 0;
inline int gns_arrival_page = 0, gns_arrival_page_count = 0;
inline int gns_airway_page = 0, gns_airway_page_count = 0;
inline int gns_vnav_page = 1, gns_vnav_page_count = 2;
inline int gns_plan_page = 1;
inline int gns_offset_ref_index = 0;
inline std::string gns_offset_ref_ident;
// Number of the first stored route on the list page shown.
inline int fpl_list_first = 1;

// What ENT sets when it opens the procedure pages.
inline int gns_airport_not_found = 0;
inline int gns_departure_preview = 0;
inline int gns_arrival_preview = 0;
inline int gns_approach_preview = 0;
inline int gns_apch_step = 1;

// Fields of SAVE ACTIVE FPL, PILOT ENTERED WPT and OFFSET WPT.
inline std::string gns_save_name;
inline std::string gns_pilot_wpt_name;
inline int gns_pilot_entry_step = 0;
inline std::string gns_pilot_lat_text, gns_pilot_lon_text;
inline double gns_pilot_lat = 0.0, gns_pilot_lon = 0.0;
inline std::string gns_offset_brg_input, gns_offset_dis_input;
inline double gns_offset_lat = 0.0, gns_offset_lon = 0.0;
