// MCU keyboard entry: the keyboard read as a device of its own while the MCU
// takes entry, and a thread keyboard hook that keeps the simulator from
// acting on the typed letters.
#pragma once

#include "platform/dinput.h"
#include "platform/window.h"

#include <cstdint>

extern dinput::Object keyboard_dinput; // 0 while no device is open
extern dinput::Device keyboard_device; // 0 while entry is off or opening failed
extern dinput::Result keyboard_result; // of the last call of keyboard_init
extern window::Handle sim_main_window;
extern window::ModuleHandle gauge_module_handle;
extern window::HookHandle keyboard_hook; // 0 while none is installed
extern uint8_t keyboard_prev_state[dinput::kKeyStateSize];

// Opens, configures and acquires the keyboard device. Each failure leaves
// its message in mcu_status_text and no device open.
void keyboard_init();
// Unacquires and releases the device and the input object; nothing without
// an input object.
void keyboard_release();

// Once per draw while entry runs: newly pressed letters and digits go to the
// entry text of the mode, Backspace erases, the arrows and page keys raise
// their one-frame flags, and Return (or keypad Enter) ends entry with the
// typed text kept and ENTER raised.
void poll_keyboard();

// 1 installs, 0 removes the hook; 1 when the state changed.
int set_keyboard_hook(int install);
// Swallows the key (non-zero) when keyboard_swallows says so, else passes it on.
intptr_t keyboard_hook_proc(int32_t code, uintptr_t wparam, intptr_t lparam);
// The hook's rule: no Shift, Ctrl or Alt down, and S, G or Z down or toggled.
bool keyboard_swallows();
// Entry off: the flag, the hook and the device.
void keyboard_entry_off();

// Scan codes of the keys entry reads.
inline constexpr uint32_t kScanBackspace = 0x0E;
inline constexpr uint32_t kScanReturn = 0x1C;
inline constexpr uint32_t kScanKeypadEnter = 0x9C;
inline constexpr uint32_t kScanUp = 0xC8;
inline constexpr uint32_t kScanDown = 0xD0;
inline constexpr uint32_t kScanPageUp = 0xC9;
inline constexpr uint32_t kScanPageDown = 0xD1;

// The scan code of a letter or main-row digit; 0 for any other character.
uint32_t scan_code_of(char c);
