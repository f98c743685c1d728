// Helpers over the simulator's element records and flag words: find the n-th
// element down a gauge's element chain, set or clear its image flags (bit
// 0x40000000 hides it), and test flag bits of a token variable's value.
#pragma once

#include "sim/gauge_abi.h"

#include <cstdint>

// Steps n times from the element to the first entry of its next-element
// array; n = 0 gives the element itself. Null for a null element or when the
// chain ends on the way.
ElementHeader* get_list_element(ElementHeader* element, uint32_t n);

// OR the mask into (or clear it from) the image flags of the element that
// get_list_element finds; nothing when there is none.
void set_list_element_flags(ElementHeader* element, uint32_t n, uint32_t mask);
void clear_list_element_flags(ElementHeader* element, uint32_t n, uint32_t mask);

// 1 when the low 32-bit word of the block's value shares a set bit with the
// mask, else 0.
int32_t flags_test(ModuleVarBlock block, uint32_t mask);
