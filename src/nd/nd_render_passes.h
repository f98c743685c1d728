// The navigation displays' objects and render passes. Each pass runs the
// render frame with its display's design canvas, qualities and background
// and then its painters, which come with each display's own work; until
// then a pass draws the display's background. The HW_B737_ND's pass and
// painters are in hw_b737_nd*.cpp.
#pragma once

#include "map/render_frame.h"

#include <cstdint>

// One object per display kind; the _NB and _BR gauges share their base's.
extern DisplayObject efs50_ehsi_display;
extern DisplayObject efs50_tcas_display;
extern DisplayObject du_1000_ehsi_display;
extern DisplayObject hw_b737_nd_display;
extern DisplayObject hw_md11_nd_display;
extern DisplayObject md80_ehsi_display;
extern DisplayObject proline4_mfd_display;

// (device context, element pixel size, view mode: 1 draw, 2 clear only, 3
// the "VC2" instance while the pop-up window is open).
void render_efs50_ehsi(void* device_context, PixelSize size, int32_t view_mode);
void render_efs50_tcas(void* device_context, PixelSize size, int32_t view_mode);
void render_du_1000_ehsi(void* device_context, PixelSize size, int32_t view_mode);
void render_hw_b737_nd(void* device_context, PixelSize size, int32_t view_mode);
void render_hw_md11_nd(void* device_context, PixelSize size, int32_t view_mode);
void render_md80_ehsi(void* device_context, PixelSize size, int32_t view_mode);
void render_proline4_mfd(void* device_context, PixelSize size, int32_t view_mode);
