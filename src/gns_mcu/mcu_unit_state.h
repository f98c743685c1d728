// Interface state of the MCU, shared by its two gauges: the mode (page)
// shown, the inputs that the keys and the keyboard record for the next draw,
// the selection and the list positions of the pages. What the core writes as
// well lives in mcu_page_state.h.
#pragma once

#include "fms/units/mcu_page_state.h"

#include <string>

// Modes (pages); any other value shows a black screen.
enum McuMode : int {
    MCU_FPLN = 1,
    MCU_AIRPORT = 2,
    MCU_STATUS = 5,
    MCU_LEGS = 6,
    MCU_DIRTO = 7,
    MCU_ALT = 19,
};

// Rocker key of this frame.
enum McuArrow : int {
    MCU_ARROW_NONE = 0,
    MCU_ARROW_UP = 1,
    MCU_ARROW_DOWN = 2,
    MCU_ARROW_LEFT = 3,
    MCU_ARROW_RIGHT = 4
};

inline int mcu_mode = MCU_STATUS;

// The LEGS page's leg that the MCU's keys and pages move; everyone else reads
// it as mcu_legs_index.
extern PlanCursor mcu_legs_cursor;

// Typed texts: the DIRTO identifier the candidate list was built for, and
// the LEGS entry.
inline std::string mcu_dirto_filter_text;
inline std::string mcu_legs_entry_text;

// One-frame inputs; render_mcu lowers them after every draw (with
// mcu_enter_pressed of mcu_page_state.h).
inline int mcu_prev_pressed = 0;
inline int mcu_next_pressed = 0;
inline int mcu_fpln_pressed = 0;
inline int mcu_page_up_pressed = 0;
inline int mcu_page_down_pressed = 0;
inline int mcu_arrow = MCU_ARROW_NONE;

// Selection of the current page: 0 none; the wheel cursor (1-based) on the
// entry line of the airport and DIRTO pages; the step on the ALT/FL page.
inline int mcu_select = 0;
inline constexpr int kMcuSelectNone = 0;
inline constexpr int kMcuAltStep1000Ft = 1;
inline constexpr int kMcuAltStep500Ft = 2;
inline int mcu_dirto_choice = 0; // 1..candidate count

// LEGS: the list and TO selection, or the constraint entry; the altitude
// the rocker steps there.
inline int mcu_legs_edit = 0;
inline constexpr int kMcuLegsList = 0;
inline constexpr int kMcuLegsConstraint = 1;
inline int mcu_legs_constraint_alt_ft = 0;

// Airport page: page shown (the runway list, else the runways in use),
// cursor row 1..4 and its box.
inline int mcu_apt_page = 1;
inline constexpr int kMcuAptPageRunwayList = 1;
inline int mcu_apt_row = 1;
inline int mcu_apt_box_y = 13;

// ALT/FL: the proposed autopilot altitude.
inline double mcu_new_altitude_ft = 0.0;

// FPLN: first catalogue entry shown, cursor row 1..4 and its box, the row of
// the route loaded last (0 none) and the top at that load.
inline int mcu_fpln_top = 1;
inline int mcu_fpln_row = 1;
inline int mcu_fpln_box_y = 13;
inline int mcu_fpln_marked_row = 0;
inline int mcu_fpln_loaded_top = 1;
// The catalogue entry loaded last, 0 none: the marked row follows it, so
// that scrolling never marks another route.
inline int mcu_fpln_marked_entry = 0;
