// The objects and render passes of the attitude, primary-flight, engine and
// multifunction displays. Each pass runs the render frame with its
// display's canvas and qualities and then its painters, which come with each
// display's own work; until then a pass draws the display's background.
#pragma once

#include "map/render_frame.h"

#include <cstdint>

extern DisplayObject efs50_eadi_display;
extern DisplayObject a320_eadi_display;
extern DisplayObject b777_pfd_display;
extern DisplayObject proline_eicas_display;
extern DisplayObject c17_mfd_display;

// (device context, element pixel size, view mode: 1 draw, 2 clear only).
void render_efs50_eadi(void* device_context, PixelSize size, int32_t view_mode);
void render_b777_pfd(void* device_context, PixelSize size, int32_t view_mode);
void render_proline_eicas(void* device_context, PixelSize size, int32_t view_mode);
// The A320 pass does not look at the view mode; its callback passes 320
// behind it, as the painter family shares one signature.
void render_a320_eadi(void* device_context, PixelSize size, int32_t view_mode, int32_t variant);

// Unit 1..4 draws that unit (its saved record swapped in, and back out after
// the draw); 0 clears the surface only; any other number draws the current
// record as it is.
void render_c17_mfd(void* device_context, PixelSize size, uint32_t unit);
