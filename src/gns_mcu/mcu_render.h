// The MCU render pass: redraws the page of the current mode only when asked
// (mcu_redraw) or when the refresh counter wraps, so that between key
// presses the screen keeps its picture; afterwards it ends the one-frame
// inputs.
#pragma once

#include "map/render_frame.h"

// One display object serves both MCU gauges.
extern DisplayObject mcu_display;

// A page routine: acts on the inputs of this frame and draws.
using McuPageRoutine = void (*)(gfx::Graphics& graphics);

// The page of a mode; null for a mode without one (a black screen).
McuPageRoutine mcu_page_routine(int mode);

// Nothing happens for a null device context. While the display power is off
// the surface is only cleared.
void render_mcu(DisplayObject& display, void* device_context, PixelSize size);

void mcu_fpln_page(gfx::Graphics& graphics);
void mcu_airport_page(gfx::Graphics& graphics);
void mcu_status_page(gfx::Graphics& graphics);
void mcu_legs_page(gfx::Graphics& graphics);
// Keeps the LEGS page's leg within the active plan, whichever unit put the
// plan in place; the page is redrawn when its leg moved.
void mcu_keep_legs_index_in_plan();
void mcu_dirto_page(gfx::Graphics& graphics);
void mcu_alt_page(gfx::Graphics& graphics);

// Whether the status page would show other texts than it shows.
bool mcu_status_changed();
