// The GNS XLS render pass: clears the screen, runs the page of the current
// state, which acts on the recorded keys before it draws, then ends the
// one-frame inputs and moves the queued line key into place.
#pragma once

#include "map/render_frame.h"

// One display object serves both GNS gauges.
extern DisplayObject gnsxls_display;

// A page routine: acts on the keys of this frame and draws.
using GnsPageRoutine = void (*)(DisplayObject& display, gfx::Graphics& graphics);

// The page of a state; null for a state without one (its screen stays blank).
GnsPageRoutine gns_page_routine(int state);

// Nothing happens for a null device context. While the display power is off
// the surface is only cleared and every input stays pending.
void render_gnsxls(DisplayObject& display, void* device_context, PixelSize size);

// The pages of this unit.
void gnsxls_flight_plan_page(DisplayObject& display, gfx::Graphics& graphics);
void gnsxls_database_wpt_page(DisplayObject& display, gfx::Graphics& graphics);
void gnsxls_direct_page(DisplayObject& display, gfx::Graphics& graphics);
void gnsxls_departure_page(DisplayObject& display, gfx::Graphics& graphics);
void gnsxls_arrival_page(DisplayObject& display, gfx::Graphics& graphics);
void gnsxls_approach_page(DisplayObject& display, gfx::Graphics& graphics);
void gnsxls_airway_page(DisplayObject& display, gfx::Graphics& graphics);
void gnsxls_navigation_page(DisplayObject& display, gfx::Graphics& graphics);
void gnsxls_save_fpl_page(DisplayObject& display, gfx::Graphics& graphics);
void gnsxls_vnav_page(DisplayObject& display, gfx::Graphics& graphics);
void gnsxls_vnav_data_page(DisplayObject& display, gfx::Graphics& graphics);
void gnsxls_holding_pattern_page(DisplayObject& display, gfx::Graphics& graphics);
void gnsxls_plan_page(DisplayObject& display, gfx::Graphics& graphics);
void gnsxls_pilot_wpt_page(DisplayObject& display, gfx::Graphics& graphics);
void gnsxls_offset_wpt_page(DisplayObject& display, gfx::Graphics& graphics);
