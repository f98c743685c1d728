// The simulator key-event handler that SERVER registers: the LNAV, VNAV and
// ND key events of the cockpit.
#pragma once

#include "sim/gauge_abi.h"

#include <cstdint>

// Acts on the received events of sim/key_events.h; every other event is ignored.
void ORVEX_FSAPI fms_key_event_handler(uint32_t event_id, uint32_t value, void* user_data);
