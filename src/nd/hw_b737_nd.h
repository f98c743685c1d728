// The HW_B737_ND display (gauges HW_B737_ND, HW_B737_ND_BR, HW_B737_ND_NB)
// on its 244 x 302 design canvas: the render pass and the modes 1 compass,
// 2 VOR, 3 ARC, 4 APP, 5 MAP, 6 CTR MAP, 7 PLAN.
#pragma once

#include "gauges/render_frame.h"

#include <cstdint>

extern DisplayObject hw_b737_nd_display;

// (device context, element pixel size, view mode: 1 draw, 2 clear only, 3
// the "VC2" instance while the pop-up window is open, drawn without the ATC
// boundaries and the airway fixes).
void render_hw_b737_nd(void* device_context, PixelSize size, int32_t view_mode);
