#include "gauges/gauge_callbacks.h"

// BDRY is a button only: its callback ignores every service code. The other
// gauges' callbacks are in display_gauges.cpp, c17_mfd_callback.cpp,
// light_gauges.cpp, server_gauge.cpp and p1000_callbacks.cpp; the EFIS, EHSI
// and MFD control panels' in panel_callbacks.cpp, the C17_MFCP's in
// c17_mfcp.cpp.
void ORVEX_FSAPI bdry_callback(GaugeHeader*, int32_t, uintptr_t) {}
