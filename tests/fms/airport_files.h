// Navigation-data files written into a test's simulator folder.
#pragma once

#include "platform/os.h"
#include "platform/temp_folder.h"
#include "sim/host_folder.h"

#include <string>

inline void write_navdata(const TempFolder& sim, const char* name, const std::string& text) {
    sim.write(std::string("orvex/Navdata/") + name, text);
    host_folder = os::current_directory();
}

// An airport at 47 N 8 E with runway 27 at its east end and 09 at its west end.
inline const char* const kTestAirportLine =
    "ZZAA TESTFIELD 1400 47.000 8.000 27_10000_47.0_8.0_270_110.30_ILS_270 "
    "09_10000_47.0_7.8_090_109.90_ILS_090\n";
