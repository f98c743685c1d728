// The simulator key-event handler that SERVER registers: the LNAV, VNAV and
// ND key events of the cockpit.
#pragma once

#include "sim/gauge_abi.h"

#include <cstdint>

inline constexpr uint32_t KEY_LNAV_TOGGLE = 0x10337;
inline constexpr uint32_t KEY_NAV_LOCK = 0x100C1; // toggles LNAV with LnavOnNavLock 1
inline constexpr uint32_t KEY_VNAV_TOGGLE = 0x10338;
inline constexpr uint32_t KEY_ND_TCAS = 0x10339;
inline constexpr uint32_t KEY_ND_AIRPORTS = 0x10295;
inline constexpr uint32_t KEY_ND_NAVAIDS = 0x10296;
inline constexpr uint32_t KEY_ND_INTERSECTIONS = 0x10298;
inline constexpr uint32_t KEY_ND_RANGE_UP = 0x10299;
inline constexpr uint32_t KEY_ND_RANGE_DOWN = 0x102DE;
inline constexpr uint32_t KEY_ND_MODE_UP = 0x1029B;
inline constexpr uint32_t KEY_ND_MODE_DOWN = 0x102AF;

// Acts on the events above; every other event is ignored.
void ORVEX_FSAPI fms_key_event_handler(uint32_t event_id, uint32_t value, void* user_data);
