// Fuzz target: the waypoint entry lookup on scratchpad texts.
#include "fuzz_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    return fuzz_reader("waypoint_entry", data, size);
}
