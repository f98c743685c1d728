// Fuzz target: the flight log summary reader.
#include "fuzz_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    return fuzz_reader("flight_summary", data, size);
}
