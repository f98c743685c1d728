// Helpers for walking the module's gauge table in tests.
#pragma once

#include "gauges/gauge_headers.h"
#include "gauges/linkage.h"
#include "sim/gauge_abi.h"

#include <string>
#include <vector>

// The 54 offered headers in Linkage order, then MCU_OPEN_LM.
inline std::vector<GaugeHeader*> all_headers() {
    std::vector<GaugeHeader*> headers;
    for (GaugeHeader* h : Linkage.gauge_table)
        if (h != nullptr) headers.push_back(h);
    headers.push_back(&mcu_open_lm_gauge);
    return headers;
}

inline GaugeHeader* header_named(const std::string& name) {
    for (GaugeHeader* h : all_headers())
        if (name == h->name) return h;
    return nullptr;
}

inline ElementHeader* first_element(const GaugeHeader* h) {
    return h->elements_list[0];
}

inline ElementHeader* first_child(const ElementHeader* e) {
    return e->next_element == nullptr ? nullptr : e->next_element[0];
}

// One click spot of a mouse list: its parent and its children.
struct MouseSpot {
    MouseRect parent;
    std::vector<MouseRect> children;
};

// Splits a mouse list into its spots. Returns an empty text when the list has
// the documented shape, else what is wrong with it.
inline std::string parse_mouse_list(const MouseRect* list, std::vector<MouseSpot>& spots) {
    spots.clear();
    if (list == nullptr) return "no list";
    const MouseRect& open = list[0];
    if (open.kind != MOUSE_RECT_PARENT || open.x || open.y || open.w || open.h)
        return "does not open with an empty parent";
    if (open.cursor != CURSOR_NONE || open.handler) return "opening parent has a cursor or handler";
    size_t i = 1;
    for (int guard = 0; guard < 1000; ++guard) {
        const MouseRect& r = list[i];
        if (r.help_id || r.event_id || r.handler_data) return "help id, event id or handler data set";
        if (r.kind == MOUSE_RECT_END_PARENT) {
            if (r.handler) return "end-of-parent with a handler";
            if (list[i + 1].kind != MOUSE_RECT_EOL)
                return "closing end-of-parent not followed by end of list";
            return "";
        }
        if (r.kind != MOUSE_RECT_PARENT) return "record " + std::to_string(i) + " is not a spot's parent";
        if (r.handler || r.cursor != CURSOR_NONE) return "spot parent with a handler or cursor";
        MouseSpot spot{r, {}};
        ++i;
        while (list[i].kind == MOUSE_RECT_CHILD) {
            if (list[i].handler == nullptr) return "child without handler";
            spot.children.push_back(list[i]);
            ++i;
        }
        if (spot.children.empty()) return "spot without child";
        if (list[i].kind != MOUSE_RECT_END_PARENT) return "spot not closed by end-of-parent";
        spots.push_back(spot);
        ++i;
    }
    return "list does not end";
}
