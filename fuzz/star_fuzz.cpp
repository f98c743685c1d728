// Fuzz target: the STAR files of the destination (with its apts.txt line).
#include "fuzz_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    return fuzz_reader("star", data, size);
}
