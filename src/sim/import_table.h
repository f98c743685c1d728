// The record through which the simulator hands the module its panel-services
// table, and the export mark of the records the simulator finds by name.
#pragma once

#include "sim/gauge_abi.h"

#if defined(_WIN32)
#define ORVEX_EXPORT __declspec(dllexport)
#else
#define ORVEX_EXPORT __attribute__((visibility("default")))
#endif

// The simulator writes its panel-services table into `panels` before the
// first callback. Declaring this hides the type name: use ImportTableRecord.
extern "C" ORVEX_EXPORT ImportTableRecord ImportTable;
