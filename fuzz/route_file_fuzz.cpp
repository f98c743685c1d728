// Fuzz target: the route file readers (active, working and preview plan).
#include "fuzz_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    return fuzz_reader("route_file", data, size);
}
