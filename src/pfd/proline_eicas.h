// The PROLINE_EICAS engine strip of a two-engine aircraft: an N1 dial per
// engine and a table of N2, fuel flow and oil values for both.
#pragma once

#include "map/render_frame.h"

// Draws on the 486 x 110 canvas of the strip; `display` holds the element's
// pixel size.
void draw_proline_eicas(const DisplayObject& display, gfx::Graphics& graphics);
