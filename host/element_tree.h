// Walking the module's element records. An element list is an array of
// element pointers ended by a null entry; an element's children are the list
// its next_element word points at. The limits keep a malformed table from
// running the walk away.
#pragma once

#include "sim/gauge_abi.h"

namespace host {

inline constexpr int MAX_ELEMENT_DEPTH = 16;
inline constexpr int MAX_LIST_ENTRIES = 64;

// Number of entries before the null that ends the list (at most MAX_LIST_ENTRIES).
inline int list_length(ElementList list) {
    int n = 0;
    if (list == nullptr) return 0;
    while (n < MAX_LIST_ENTRIES && list[n] != nullptr)
        ++n;
    return n;
}

template <class Fn> void for_each_child(ElementHeader* element, Fn fn) {
    if (element == nullptr) return;
    int n = list_length(element->next_element);
    for (int i = 0; i < n; ++i)
        fn(element->next_element[i]);
}

} // namespace host
