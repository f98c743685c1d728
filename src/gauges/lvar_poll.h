// The two pollers that turn named variables written by other panels into
// display settings: the aircraft file's [Lvars] bindings (run by SERVER) and
// the four C17_MFD request variables (run by the C17_MFD gauges).
#pragma once

#include "sim/gauge_abi.h"

// The values the [Lvars] followers last set, so that a binding acts only
// when its variable differs from them.
inline int lvar_applied_apts = 0;
inline int lvar_applied_navs = 0;
inline int lvar_applied_ints = 0;
inline int lvar_applied_vor1_pointer = 0;
inline int lvar_applied_vor2_pointer = 0;

// SERVER updates left before the next poll; toggle_lnav sets 3 so that the
// panel owning an "LnavOn" variable can follow first.
inline int lvar_poll_countdown = 0;

// Walks the bindings 1..count and applies each whose setting matches.
void apply_lvar_settings();

// What a C17_MFD unit's request variable asks for; any other value asks for
// the configuration format.
inline constexpr int kC17RequestPfd = 0;
inline constexpr int kC17RequestNav = 1;     // the next navigation format
inline constexpr int kC17RequestMapHold = 2; // the wide map, held while the request stays
inline constexpr int kC17RequestEngine = 3;  // the next engine format
// What a unit writes back into its request variable after acting.
inline constexpr double c17_request_idle = 10.0;

// Unit 2's request as last read, shown by its first log line.
inline int mfdx2_last_request = kC17RequestNav;

// Read the unit's request variable and switch that unit's format; the gauge
// is the calling C17_MFD (the map hold hides its first element).
void ProcessMFDX1(GaugeHeader* gauge);
void ProcessMFDX2(GaugeHeader* gauge);
void ProcessMFDX3(GaugeHeader* gauge);
void ProcessMFDX4(GaugeHeader* gauge);
