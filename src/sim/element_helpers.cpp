// Element-chain and flag-word helpers.
#include "sim/element_helpers.h"

ElementHeader* get_list_element(ElementHeader* element, uint32_t n) {
    for (uint32_t i = 0; i < n && element; ++i) {
        ElementList next = element->next_element;
        element = next ? next[0] : nullptr;
    }
    return element;
}

void set_list_element_flags(ElementHeader* element, uint32_t n, uint32_t mask) {
    if (ElementHeader* e = get_list_element(element, n)) e->image_flags |= mask;
}

void clear_list_element_flags(ElementHeader* element, uint32_t n, uint32_t mask) {
    if (ElementHeader* e = get_list_element(element, n)) e->image_flags &= ~mask;
}

int32_t flags_test(ModuleVarBlock block, uint32_t mask) {
    return (block.var_value.u & mask) != 0 ? 1 : 0;
}
