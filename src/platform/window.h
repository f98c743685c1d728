// Windows of other components in the simulator's process, found by class
// name and spoken to by message (the data-link add-on's window), and the
// keyboard as the simulator's thread sees it: a thread keyboard hook, the
// key states and the module's own handle. On Linux there are no such
// windows: the stand-in plays them by registering a handler for a class name
// through orvex_window_register, and plays the keyboard through
// orvex_keyboard_event.
#pragma once

#include <cstdint>

namespace window {

using Handle = uintptr_t; // 0 = no window

// The first top-level window of the class, any title; 0 when there is none.
Handle find_by_class(const char* class_name);

// Sends a message and returns the window's answer once it has handled it;
// 0 for a window that does not exist.
intptr_t send_message(Handle window, uint32_t message, uintptr_t wparam, intptr_t lparam);

using ModuleHandle = uintptr_t; // 0 = not loaded
using HookHandle = uintptr_t;   // 0 = none

// A keyboard hook: code below 0 means pass on untouched; wparam is the
// virtual-key code, lparam the keystroke flags (bit 31 set on release). A
// non-zero result swallows the key; otherwise return what call_next_hook
// returned.
using KeyboardHookProc = intptr_t (*)(int32_t code, uintptr_t wparam, intptr_t lparam);

// Virtual-key codes the module tests.
inline constexpr int32_t kVkShift = 0x10;
inline constexpr int32_t kVkControl = 0x11;
inline constexpr int32_t kVkMenu = 0x12; // Alt

// Key state bits: down (the sign bit) and toggled (on every other press).
inline constexpr uint16_t kKeyStateDown = 0x8000;
inline constexpr uint16_t kKeyStateToggled = 0x0001;

// A hook on the keyboard messages of one thread; 0 when it cannot be set.
HookHandle install_keyboard_hook(KeyboardHookProc proc, ModuleHandle module, uint32_t thread_id);
// False when the hook was not installed.
bool remove_hook(HookHandle hook);
// Hands the key on to the next hook, and in the end to the thread.
intptr_t call_next_hook(HookHandle hook, int32_t code, uintptr_t wparam, intptr_t lparam);
// The key's state as the thread's messages have left it.
int16_t get_key_state(int32_t virtual_key);
// The handle of a module already loaded, by its file path; 0 when none is.
ModuleHandle module_handle(const char* path);
uint32_t current_thread_id();

} // namespace window

// The host's side on Linux, by plain C names so that a host that loads the
// module as a shared library can reach them by symbol.
extern "C" {
typedef intptr_t (*orvex_window_proc)(void* context, uint32_t message, uintptr_t wparam, intptr_t lparam);
// A window of the class, answered by proc; 0 when the registry is full.
uintptr_t orvex_window_register(const char* class_name, orvex_window_proc proc, void* context);
void orvex_window_unregister(uintptr_t window);

// Lookups and the hook that can be made to fail (bits of the mask).
enum : uint32_t {
    ORVEX_WINDOW_FAIL_FIND = 1,          // find_by_class finds nothing
    ORVEX_WINDOW_FAIL_MODULE_HANDLE = 2, // module_handle finds nothing
    ORVEX_WINDOW_FAIL_HOOK = 4,          // install_keyboard_hook refuses
};
void orvex_window_fail(uint32_t what);
// A key goes down (1) or up (0): its state changes (a press flips the
// toggle bit) and the installed hooks see it. Returns 1 when a hook
// swallowed it, 0 when it reached the thread, -1 when no hook is installed.
int32_t orvex_keyboard_event(uint32_t virtual_key, int32_t down);
// Number of keyboard hooks installed.
int32_t orvex_keyboard_hooks();
// No key down or toggled, no hook, no failure.
void orvex_keyboard_reset();
}
