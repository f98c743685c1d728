// Entry state of the MCU unit that the flight-management core writes: the
// route loaders put the route name here as if typed, and failed imports their
// message.
#pragma once

#include <string>

inline std::string mcu_entry_text;
inline int mcu_enter_pressed = 0;
// The keyboard-entry twin that the text-page variant reads.
inline std::string mcu_keyboard_text;
inline int mcu_keyboard_enter = 0;
// First line of the MCU legs page.
inline int mcu_legs_index = 1;
