// Fuzz target: the runway reference file orvex_apts.txt.
#include "fuzz_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    return fuzz_reader("runway_ref", data, size);
}
