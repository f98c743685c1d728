#include "sim/radix.h"

int convert_radix(uint32_t value, uint32_t from_radix, int to_radix) {
    // A radix of 0 would divide by zero and 1 would never end.
    if (from_radix < 2) return 0;
    // Least significant digit first: sum of digit x to^k. Unsigned arithmetic
    // wraps instead of overflowing for values no radio code reaches.
    uint64_t result = 0;
    uint64_t weight = 1;
    while (value != 0) {
        result += static_cast<uint64_t>(value % from_radix) * weight;
        weight *= static_cast<uint64_t>(static_cast<int64_t>(to_radix));
        value /= from_radix;
    }
    return static_cast<int>(static_cast<uint32_t>(result));
}
