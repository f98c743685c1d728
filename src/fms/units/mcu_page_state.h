// State of the MCU unit that the flight-management core reads and writes.
#pragma once

#include "fms/units/plan_cursor.h"

#include <string>

inline int mcu_redraw = 1;       // 1 = redraw the MCU screen on the next draw
inline int mcu_entry_active = 0; // 1 while the MCU takes keyboard entry

// The airport page: its two airport texts (elevation and identifier of the
// airport selected for display), its marked runway row (-999 = none; the
// runway chosen for the maps is airport_runway_first_row +
// airport_runway_selected_line - 1, airport_selection.h) and its page count
// (2 once the runways in use arrived).
inline std::string mcu_airport_text_a, mcu_airport_text_b;
inline constexpr int kNoSelectionIndex = -999;
inline int mcu_airport_list_index = kNoSelectionIndex;
inline int mcu_apt_page_count = 1;

// Runways in use at the airport asked for: "%02d%s\n" or empty.
inline std::string active_runway_1, active_runway_2, active_runway_3, active_runway_4;

// The entry line and its enter flag: the route loaders put the route name
// here as if typed, failed imports their message.
inline std::string mcu_entry_text;
inline int mcu_enter_pressed = 0;
// The keyboard-entry twin that the status box shows behind its prompt: a
// route it asked for by name, or why that route was not loaded.
inline std::string mcu_keyboard_text;
inline int mcu_keyboard_enter = 0;
// What an MCU route load could not take ("2 WPTS NOT LOADED"): the load's
// airport request uses the entry line first, then the MCU puts this there.
inline std::string mcu_load_message;
// Leg shown and edited on the LEGS page, 1 to active_plan_last. Moved by the
// MCU's own keys and pages (mcu_legs_cursor, gns_mcu/mcu_unit_state.h) and
// by the edit path.
extern const PlanCursor& mcu_legs_index;

// 1 while the active plan is the MCU's bare direct-to without a destination
// airport; whatever rebuilds the active plan clears it.
inline int mcu_direct_only = 0;

// Where the keyboard device and the route loader leave a message; no page
// shows it.
inline std::string mcu_status_text;
