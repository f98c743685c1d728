// Fuzz target: apt_additional_info.txt with the airport it marks.
#include "fuzz_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    return fuzz_reader("additional_info", data, size);
}
