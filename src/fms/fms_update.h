// The per-frame update of the flight-management core. Every drawing gauge
// calls fms_update before it paints; only the first call after the simulator
// time moved does the work (a working pass), the others repeat four reads and
// return. A pass reads the aircraft into aircraft_state on a cycle of 18
// frame slots, keeps the timers, sends pending autopilot events and, with a
// route active, sequences, steers and flies the holds.
#pragma once

#include "fms/plan/update_state.h"

void fms_update();

// Copies the guidance values into the SERVER gauge's published storage.
void publish_server_variables();
