// Fuzz target: the aircraft file with [Lvars] and the AIRAC line of navs.txt.
#include "fuzz_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    return fuzz_reader("aircraft_config", data, size);
}
