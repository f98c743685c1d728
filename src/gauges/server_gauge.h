// The SERVER gauge: the module's connection to the rest of the cockpit. It
// draws nothing; it registers the key-event handler and the published module
// and named variables, acts on the request variables other panels write,
// polls the [Lvars] bindings, keeps the autopilot heading bug on the LNAV
// heading, and runs the per-frame update on every PRE_DRAW.
#pragma once

#include <string>

// The aircraft title, upper case, read on every POST_INITIALIZE.
extern std::string aircraft_title;

// Whether SERVER's registrations are in place (CONNECT to DISCONNECT).
extern int key_handler_registered;
extern int server_vars_registered;

// True when SERVER registers a module variable of that name (letter case
// aside, as the simulator looks names up).
bool is_server_module_var(const char* name);
