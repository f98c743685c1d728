// Re-reading the digits of a value in another radix: the radios' BCD codes
// (0x1234 read with from 16, to 10 gives 1234) and back.
#pragma once

#include <cstdint>

// The digits of `value` in base `from_radix`, read as digits in base
// `to_radix`. A from radix below 2 has no digits to give: the result is 0.
int convert_radix(uint32_t value, uint32_t from_radix, int to_radix);
