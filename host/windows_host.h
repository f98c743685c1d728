// The stand-in's Windows services: real hidden windows for the windows it
// plays, and the flight commands without the module's own entry points.
#pragma once

#include <cstdint>

struct StandInRouteStatus; // gauges/stand_in_hooks.h

namespace host {

// A hidden top-level window of the class whose messages go to proc; 0 when
// it cannot be made.
uintptr_t register_host_window(const char* class_name, intptr_t (*proc)(void*, uint32_t, uintptr_t, intptr_t),
                               void* context);
void unregister_host_window(uintptr_t window);

// The system's keyboard (keyboard_win.cpp): the window goes in front, and a
// key goes through the system's input; 1 when the module's hook swallowed
// it, 0 when it reached the window, -2 when it never came through.
bool focus_system_window(uintptr_t window);
int32_t send_system_key(uint32_t virtual_key, uint32_t scan_code, int32_t down);

// The route flown, as SERVER publishes it (flight_services_win.cpp).
void published_route_status(::StandInRouteStatus* status);

// The DLL keeps its displays' states to itself: every name is accepted, so
// that a script's `print state` runs, and answers kDisplayStateHidden.
int32_t unknown_display_state(const char* name, double* value);

} // namespace host
