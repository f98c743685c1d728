// The heading readout boxed at the top of a compass, as the HW_MD11_ND and
// the MD80_EHSI_NB draw it.
#pragma once

#include "platform/gfx.h"

// The heading in three digits with their left edge at digits_x, in a white
// box centred on cx from y 5 to 20 with a pointer down to y 25; lines
// pen_width wide. In the frame in force.
void draw_heading_box(gfx::Graphics& g, const gfx::Font& font, float pen_width, int cx, int digits_x,
                      double heading_deg);
