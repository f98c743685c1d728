// Mouse clicks on a placed gauge: the point, given in the gauge's placed
// pixels, is scaled to the gauge's bitmap pixels (the coordinates of its
// mouse rectangles) and handed to the last child rectangle in list order
// that holds it and accepts the click's flags.
#pragma once

#include "sim/gauge_abi.h"

namespace host {

struct PlacedGauge;

struct ClickResult {
    bool hit = false;                // a handler was called
    const MouseRect* rect = nullptr; // the child that took the click
    PixPoint point{};                // what the handler got: relative to the child box, bitmap pixels
    int32_t result = 0;              // the handler's return value
};

// The child rectangle of the list that holds the bitmap point, or null. A
// child's box is relative to the parents it is nested in. Where boxes
// overlap, the last matching child in list order wins: the panels list a
// small spot (a button inside a knob, an inner knob inside the outer) after
// the larger one it lies in. `relative` gets the point relative to the child.
const MouseRect* find_mouse_child(const MouseRect* list, int bitmap_x, int bitmap_y, uint32_t flags,
                                  PixPoint& relative);

// Placed pixels to bitmap pixels (identity when either size is unknown).
void placed_to_bitmap(const PlacedGauge& gauge, int x, int y, int& bitmap_x, int& bitmap_y);

ClickResult click_gauge(const PlacedGauge& gauge, int x, int y, uint32_t flags = MOUSE_LEFTSINGLE);

// The same for a point already in bitmap pixels (a key's click box).
ClickResult click_bitmap(const PlacedGauge& gauge, int bitmap_x, int bitmap_y, uint32_t flags);

} // namespace host
