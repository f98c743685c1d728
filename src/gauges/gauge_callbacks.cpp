#include "gauges/gauge_callbacks.h"

// BDRY is a button only: its callback ignores every service code.
void ORVEX_FSAPI bdry_callback(GaugeHeader*, int32_t, uintptr_t) {}

// Pending: the control units' and control panels' callbacks below are filled
// in by their own work. Until then they answer every service code by doing
// nothing. The display gauges' callbacks are in display_gauges.cpp,
// c17_mfd_callback.cpp, light_gauges.cpp, server_gauge.cpp and p1000_callbacks.cpp; the EFIS,
// EHSI and MFD control panels' in panel_callbacks.cpp.

void ORVEX_FSAPI c17_mfcp_callback(GaugeHeader*, int32_t, uintptr_t) {}
