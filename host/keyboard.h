// The computer keyboard as the stand-in plays it for the module: a key goes
// down or up by name, which sets its byte of the module's key-state device
// and its key state (a press flips the toggle bit) and passes the module's
// installed keyboard hook; each outcome is recorded as swallowed or passed.
// The device steps, both lookups (the simulator window, the module handle)
// and the hook can be made to fail, and the device can lose its input.
// On Windows the keys go through the system's own input instead, to the
// simulator's main window in front, where the module's device and hook read
// them as they read a pilot's; there nothing can be made to fail.
//
//   keyboard down|up|press NAME...   NAME: A..Z, 0..9, BACKSPACE, RETURN, ENTER
//                                    (keypad), UP, DOWN, PGUP, PGDN, SHIFT, CTRL,
//                                    ALT; press holds each down over one frame
//   keyboard type "TEXT"             letters and digits, one key a frame
//   keyboard fail STEP... | none     create, device, format, level, acquire,
//                                    unacquire, window, module, hook
//   keyboard lose                    the device loses its input
//   print keyboard                   the hook outcomes since the last print
#pragma once

#include "data_link_peer.h"

#include <cstdint>
#include <string>
#include <vector>

namespace host {

// The module's keyboard entry points (platform/window.h, platform/dinput.h),
// by plain C names; or, on Windows, the system's input.
struct KeyboardServices {
    int32_t (*key_event)(uint32_t virtual_key, int32_t down) = nullptr;
    void (*set_device_key)(uint32_t scan_code, int32_t down) = nullptr;
    void (*fail_device)(uint32_t steps) = nullptr;
    void (*fail_window)(uint32_t what) = nullptr;
    void (*lose_input)() = nullptr;
    void (*reset_window)() = nullptr;
    void (*reset_device)() = nullptr;

    // The system's input: the window becomes the active one in front (false
    // when it cannot), and a key message goes to it.
    bool (*focus_window)(uintptr_t window) = nullptr;
    int32_t (*send_key)(uint32_t virtual_key, uint32_t scan_code, int32_t down) = nullptr;

    bool available() const {
        return key_event != nullptr && set_device_key != nullptr && fail_device != nullptr &&
               fail_window != nullptr && lose_input != nullptr && reset_window != nullptr &&
               reset_device != nullptr;
    }
    bool system_input() const { return focus_window != nullptr && send_key != nullptr; }
};

struct KeyboardKey {
    const char* name;
    uint32_t virtual_key;
    uint32_t scan_code;
};

// A key by name (any case); false when none has it.
bool keyboard_key_by_name(const std::string& name, KeyboardKey& key);
// The key that types a letter or digit; false for any other character.
bool keyboard_key_of_char(char c, KeyboardKey& key);

// What the hook did with one key message.
struct HookOutcome {
    std::string key;
    bool down = false;
    int result = -1; // 1 swallowed, 0 passed, -1 no hook installed, -2 never delivered
};

// Starts the keyboard afresh (nothing down, no failure) and plays the
// simulator's main window "FS98MAIN" through the window services (with the
// system's input it is put in front). False without keyboard services.
bool start_keyboard(const KeyboardServices& keyboard, const WindowServices& windows);
void stop_keyboard();

// One key message; false without a started keyboard.
bool keyboard_key(const KeyboardKey& key, bool down);
// The outcomes recorded since the last take.
std::vector<HookOutcome> take_hook_outcomes();

// Failures by step names ("none" clears them); false with a message for an
// unknown name or without a started keyboard.
bool keyboard_fail(const std::vector<std::string>& steps, std::string& error);
bool keyboard_lose_input(std::string& error);

// "swallowed A down", "passed A up", "unhooked 5 down", "undelivered B up".
std::string describe(const HookOutcome& outcome);

} // namespace host
