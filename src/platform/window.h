// Windows of other components in the simulator's process, found by class
// name and spoken to by message (the data-link add-on's window). On Linux
// there are no such windows: the stand-in plays them by registering a
// handler for a class name through orvex_window_register.
#pragma once

#include <cstdint>

namespace window {

using Handle = uintptr_t; // 0 = no window

// The first top-level window of the class, any title; 0 when there is none.
Handle find_by_class(const char* class_name);

// Sends a message and returns the window's answer once it has handled it;
// 0 for a window that does not exist.
intptr_t send_message(Handle window, uint32_t message, uintptr_t wparam, intptr_t lparam);

} // namespace window

// The host's side on Linux, by plain C names so that a host that loads the
// module as a shared library can reach them by symbol.
extern "C" {
typedef intptr_t (*orvex_window_proc)(void* context, uint32_t message, uintptr_t wparam, intptr_t lparam);
// A window of the class, answered by proc; 0 when the registry is full.
uintptr_t orvex_window_register(const char* class_name, orvex_window_proc proc, void* context);
void orvex_window_unregister(uintptr_t window);
}
