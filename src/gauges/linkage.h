// The two records the simulator finds by name, the module's start and stop
// entries, and the seven element-list routines every gauge header carries.
#pragma once

#include "sim/gauge_abi.h"
#include "sim/import_table.h"

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
