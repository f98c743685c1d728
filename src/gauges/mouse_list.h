// Building blocks for mouse-rectangle lists. A list opens with an empty
// parent, holds one parent per click spot (its children relative to it, then
// an end-of-parent record), and closes with an end-of-parent and the
// end-of-list record.
#pragma once

#include "sim/gauge_abi.h"

#include <array>
#include <cstddef>

constexpr MouseRect mouse_parent(int32_t x, int32_t y, int32_t w, int32_t h) {
    return MouseRect{MOUSE_RECT_PARENT, x, y, w, h, CURSOR_NONE, 0, 0, 0, nullptr, nullptr};
}

constexpr MouseRect mouse_child(int32_t x, int32_t y, int32_t w, int32_t h, int32_t cursor,
                                uint32_t mouse_flags, MouseHandler handler) {
    return MouseRect{MOUSE_RECT_CHILD, x, y, w, h, cursor, 0, mouse_flags, 0, handler, nullptr};
}

constexpr MouseRect mouse_end_parent() {
    return MouseRect{MOUSE_RECT_END_PARENT, 0, 0, 0, 0, CURSOR_NONE, 0, 0, 0, nullptr, nullptr};
}

constexpr MouseRect mouse_end_list() {
    return MouseRect{MOUSE_RECT_EOL, 0, 0, 0, 0, 0, 0, 0, 0, nullptr, nullptr};
}

// A plain click spot: a hand cursor over the whole box, left single click.
struct ClickSpot {
    int32_t x, y, w, h;
    MouseHandler handler;
};

template <std::size_t N>
constexpr std::array<MouseRect, 3 * N + 3> click_spot_list(const ClickSpot (&spots)[N]) {
    std::array<MouseRect, 3 * N + 3> list{};
    std::size_t n = 0;
    list[n++] = mouse_parent(0, 0, 0, 0);
    for (const ClickSpot& s : spots) {
        list[n++] = mouse_parent(s.x, s.y, s.w, s.h);
        list[n++] = mouse_child(0, 0, s.w, s.h, CURSOR_HAND, MOUSE_LEFTSINGLE, s.handler);
        list[n++] = mouse_end_parent();
    }
    list[n++] = mouse_end_parent();
    list[n++] = mouse_end_list();
    return list;
}

// The list of a gauge that takes no clicks.
constexpr std::array<MouseRect, 3> no_click_spots() {
    return {mouse_parent(0, 0, 0, 0), mouse_end_parent(), mouse_end_list()};
}

// A control-panel click spot: its box in background-bitmap pixels, cursor,
// mouse flags and handler.
struct PanelSpot {
    int32_t x, y, w, h;
    int32_t cursor;
    uint32_t mouse_flags;
    MouseHandler handler;
};

// One parent of a panel list: its box and one or two children (a knob's two
// halves); `second` is left empty (no size) for a single child.
struct SpotGroup {
    int32_t x, y, w, h;
    PanelSpot first;
    PanelSpot second;
};

// A spot alone in a parent of its own size.
constexpr SpotGroup single_spot(PanelSpot s) {
    return SpotGroup{s.x, s.y, s.w, s.h, s, {}};
}

// Two spots in one parent that covers both.
constexpr SpotGroup spot_pair(PanelSpot a, PanelSpot b) {
    int32_t left = a.x < b.x ? a.x : b.x;
    int32_t top = a.y < b.y ? a.y : b.y;
    int32_t right = a.x + a.w > b.x + b.w ? a.x + a.w : b.x + b.w;
    int32_t bottom = a.y + a.h > b.y + b.h ? a.y + a.h : b.y + b.h;
    return SpotGroup{left, top, right - left, bottom - top, a, b};
}

// The list of a control panel: the groups in the given order, each child
// relative to its parent. Room is kept for two children per parent; the
// entries after the end-of-list record stay unused.
template <std::size_t N>
constexpr std::array<MouseRect, 4 * N + 3> panel_spot_list(const SpotGroup (&groups)[N]) {
    std::array<MouseRect, 4 * N + 3> list{};
    std::size_t n = 0;
    list[n++] = mouse_parent(0, 0, 0, 0);
    for (const SpotGroup& g : groups) {
        list[n++] = mouse_parent(g.x, g.y, g.w, g.h);
        for (const PanelSpot* s : {&g.first, &g.second}) {
            // Tested by size, not by handler: comparing a function's address
            // with null is not a constant expression in sanitizer builds.
            if (s->w == 0 && s->h == 0) continue;
            list[n++] =
                mouse_child(s->x - g.x, s->y - g.y, s->w, s->h, s->cursor, s->mouse_flags, s->handler);
        }
        list[n++] = mouse_end_parent();
    }
    list[n++] = mouse_end_parent();
    list[n++] = mouse_end_list();
    return list;
}
