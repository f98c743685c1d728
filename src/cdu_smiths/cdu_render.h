// The SMITHS_FMS render pass: clears the screen, keeps or drops the LEGS map
// step, runs the current page's key pass on the pending key and then its
// drawing, then ends the one-frame key inputs. The pass does not scale: each page maps its
// 282 x 245 canvas onto the element itself.
#pragma once

#include "cdu_smiths/smiths_pages.h"
#include "map/render_frame.h"

// One display object serves both SMITHS gauges.
extern DisplayObject smiths_cdu_display;

// Nothing happens for a null device context (the keys stay pending).
void render_smiths_fms(DisplayObject& display, void* device_context, PixelSize size);

// One pass of a page routine framed as the render pass frames the current
// page, with the pending key and the map step left alone: the stand-in's
// pictures of pages that no page number reaches.
void render_smiths_routine(DisplayObject& display, void* device_context, PixelSize size,
                           SmithsPageRoutine routine);

// True while a map display shows a plan format, which centres on the LEGS
// map step.
bool smiths_plan_format_shown();

// The green box behind n characters of inverse text at (x, y): 14 n wide,
// 20 high.
void cdu_fill_text_box(int x, int y, gfx::Graphics& graphics, int n);
