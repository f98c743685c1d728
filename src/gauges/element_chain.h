// Building blocks for the gauges' element lists. Every element list the module
// defines is a chain: the first element, its first child, that child's first
// child, and so on, each level a one-entry array closed by a null pointer.
#pragma once

#include "sim/gauge_abi.h"

#include <cstddef>

// Image flags that recur in the element lists.
inline constexpr uint32_t IMAGE_FLAGS_SURFACE = 0x24;           // drawing surface of a display
inline constexpr uint32_t IMAGE_FLAGS_LUMINOUS = 0x4000;        // background of an _LM gauge
inline constexpr uint32_t IMAGE_FLAGS_LIGHT = 0x40004007;       // LNAV/VNAV light, hidden at start
inline constexpr uint32_t IMAGE_FLAGS_PANEL_LIGHT = 0x40000003; // control-panel light, hidden at start

constexpr ElementHeader make_element(ElementKind kind, uint32_t bitmap_id, int32_t width, int32_t height,
                                     int32_t x, int32_t y, uint32_t image_flags) {
    ElementHeader e{};
    e.kind = kind;
    e.resource_id = bitmap_id;
    e.position_x = x;
    e.position_y = y;
    e.image_flags = image_flags;
    e.bitmap_width = width;
    e.bitmap_height = height;
    return e;
}

constexpr ElementHeader static_image(uint32_t bitmap_id, int32_t width, int32_t height, int32_t x, int32_t y,
                                     uint32_t image_flags) {
    return make_element(ELEMENT_STATIC_IMAGE, bitmap_id, width, height, x, y, image_flags);
}

constexpr ElementHeader icon(uint32_t bitmap_id, int32_t width, int32_t height, int32_t x, int32_t y,
                             uint32_t image_flags) {
    return make_element(ELEMENT_ICON, bitmap_id, width, height, x, y, image_flags);
}

constexpr ElementHeader moving_image(uint32_t bitmap_id, int32_t width, int32_t height, int32_t x, int32_t y,
                                     uint32_t image_flags, ElementValueCallback value) {
    ElementHeader e = make_element(ELEMENT_MOVING_IMAGE, bitmap_id, width, height, x, y, image_flags);
    e.value_callback = value;
    return e;
}

// A text element: the simulator draws `text` (a buffer of `text_size` bytes)
// and asks `callback` for the element's value each update.
constexpr ElementHeader text_element(int32_t width, int32_t height, int32_t x, int32_t y,
                                     uint32_t image_flags, char* text, uint32_t text_size,
                                     ElementValueCallback callback) {
    ElementHeader e = make_element(ELEMENT_STRING, 0, width, height, x, y, image_flags);
    e.text = text;
    e.text_size = text_size;
    e.value_callback = callback;
    return e;
}

// The element with `below` as its children: a background over a chain of
// lights that another background shares.
constexpr ElementHeader over(ElementHeader element, ElementList below) {
    element.next_element = below;
    return element;
}

// N elements linked top to bottom; `list` is what a gauge header points at.
// Constructed at compile time, so the links exist before any callback runs.
template <std::size_t N> struct ElementChain {
    ElementHeader element[N]{};
    ElementHeader* below[N][2]{};
    ElementHeader* list[2]{};

    constexpr explicit ElementChain(const ElementHeader (&elements)[N]) {
        for (std::size_t i = 0; i < N; ++i) {
            element[i] = elements[i];
            if (i + 1 < N) {
                below[i][0] = &element[i + 1];
                element[i].next_element = below[i];
            }
        }
        list[0] = &element[0];
    }
};
