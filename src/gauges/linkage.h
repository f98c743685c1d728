// The two records the simulator finds by name, the module's start and stop
// entries, and the seven element-list routines every gauge header carries.
#pragma once

#include "gauges/gauge_abi.h"

#if defined(_WIN32)
// The DLL's exports are exactly the two records, named by orvex1.def.
#define ORVEX_EXPORT
#else
#define ORVEX_EXPORT __attribute__((visibility("default")))
#endif

// The simulator writes its panel-services table into `panels` before the
// first callback. Declaring this hides the type name: use ImportTableRecord.
extern "C" ORVEX_EXPORT ImportTableRecord ImportTable;
extern "C" ORVEX_EXPORT ModuleLinkage Linkage;

void ORVEX_FSAPI module_init();
void ORVEX_FSAPI module_deinit();

// The element-list routines. Whichever header they are reached through, they
// act on the first element of the first gauge in Linkage (MCU), looked up on
// every call.
void ORVEX_FSAPI gauge_query();
void ORVEX_FSAPI gauge_install(void* resource_handle);
void ORVEX_FSAPI gauge_initialize();
void ORVEX_FSAPI gauge_update();
void ORVEX_FSAPI gauge_generate(uint32_t phase);
void ORVEX_FSAPI gauge_draw();
void ORVEX_FSAPI gauge_kill();
