// Fuzz target: the navigation files and their _user companions.
#include "fuzz_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    return fuzz_reader("nav_database", data, size);
}
