// The GNS XLS keys. A key only records input for the page of the next draw (a
// state, a line-key code, a toggle step, a one-frame flag or a scratchpad
// character); ENT, HOLD and DIRECT-TO act on the plans at once. The screen
// spot's window toggle and the mouse handlers belong to the gauge table.
#pragma once

#include "gns_mcu/gns_key_layout.h"

#include <cstdint>

// One press of a key as its mouse handler does it; returns 0. The screen spot
// does nothing here.
int32_t gns_press_key(GnsKey key);

// The ENT key: commits what the current page prepared (gns_enter.cpp).
int32_t gns_key_enter();
