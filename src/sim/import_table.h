// The record through which the simulator hands the module its panel-services
// table, and the export mark of the records the simulator finds by name.
#pragma once

#include "sim/gauge_abi.h"

#if defined(_WIN32)
// The DLL's exports are exactly the two records, named by orvex1.def.
#define ORVEX_EXPORT
#else
#define ORVEX_EXPORT __attribute__((visibility("default")))
#endif

// The simulator writes its panel-services table into `panels` before the
// first callback. Declaring this hides the type name: use ImportTableRecord.
extern "C" ORVEX_EXPORT ImportTableRecord ImportTable;
