// State of the MCU unit that the flight-management core reads and writes.
#pragma once

#include <string>

inline int mcu_redraw = 0;       // 1 = redraw the MCU screen this frame
inline int mcu_entry_active = 0; // 1 while the MCU takes keyboard entry

// The airport page: its two airport texts, the selections of the airport and
// radio pages (-999 = none) and its page count (2 once the runways in use
// arrived).
inline std::string mcu_airport_text_a, mcu_airport_text_b;
inline constexpr int kNoSelectionIndex = -999;
inline int mcu_airport_list_index = kNoSelectionIndex;
inline int airport_selection_index_b = kNoSelectionIndex;
inline int mcu_apt_page_count = 1;

// Runways in use at the airport asked for: "%02d%s\n" or empty.
inline std::string active_runway_1, active_runway_2, active_runway_3, active_runway_4;

// The entry line and its enter flag: the route loaders put the route name
// here as if typed, failed imports their message.
inline std::string mcu_entry_text;
inline int mcu_enter_pressed = 0;
// The keyboard-entry twin that the text-page variant reads.
inline std::string mcu_keyboard_text;
inline int mcu_keyboard_enter = 0;
// First line of the MCU legs page.
inline int mcu_legs_index = 1;

// 1 while the active plan is the MCU's bare direct-to without a destination
// airport; whatever rebuilds the active plan clears it.
inline int mcu_direct_only = 0;
