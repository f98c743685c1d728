// The DEBUG gauge's page: a few raw values of the aircraft state and the
// traffic count, in yellow on a transparent surface.
#pragma once

#include "map/render_frame.h"

extern DisplayObject debug_display;

// The page scales itself from its 330 x 310 design onto the element.
void render_debug(void* device_context, PixelSize size);
void debug_draw_state(const DisplayObject& display, gfx::Graphics& graphics);
