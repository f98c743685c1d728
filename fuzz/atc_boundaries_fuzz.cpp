// Fuzz target: atc_bdry.txt.
#include "fuzz_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    return fuzz_reader("atc_boundaries", data, size);
}
