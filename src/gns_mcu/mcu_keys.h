// The MCU keys. A key records input for the page of the next draw (a mode, a
// one-frame flag, an arrow, a selection); HOLD, PREV, NEXT and ENTER on the
// LEGS list act on the TO waypoint or the hold at once. The screen spot's
// window toggle and the LNAV key's engagement belong to the gauge table.
#pragma once

#include "gns_mcu/mcu_key_layout.h"

#include <cstdint>

// One press of a key as its mouse handler does it; returns 0. The screen and
// LNAV keys do nothing here.
int32_t mcu_press_key(McuKey key);

// mcu_redraw := 1 and the refresh counter forced to wrap on the next pass.
void mcu_request_redraw();

// After the TO was put: a direct-to leg restarts at the present position.
void mcu_refresh_to_waypoint();
