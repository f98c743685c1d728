// Fuzz target: the simulator plan import, INI and XML forms.
#include "fuzz_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    return fuzz_reader("sim_plan", data, size);
}
