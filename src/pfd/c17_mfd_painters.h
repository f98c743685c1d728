// The painters of the C17_MFD formats, which the render pass calls by the
// current format with the world transform scaled to the 246 x 241 canvas and
// translated to c17_compass_centre. `display` holds the element's pixel size.
#pragma once

#include "map/render_frame.h"

// Format 0: the HSI.
void c17_mfd_draw_hsi(const DisplayObject& display, gfx::Graphics& graphics);
// Format 1: the primary flight display.
void c17_mfd_draw_pfd(const DisplayObject& display, gfx::Graphics& graphics);
// Formats 3, 4 and 5: the frames of the three map formats.
void c17_mfd_draw_map_format3(const DisplayObject& display, gfx::Graphics& graphics);
void c17_mfd_draw_map_format4(const DisplayObject& display, gfx::Graphics& graphics);
void c17_mfd_draw_map_format5(const DisplayObject& display, gfx::Graphics& graphics);
// Format 6: the north-up plan, at design units per nautical mile.
void c17_mfd_draw_plan_grid(const DisplayObject& display, gfx::Graphics& graphics, double px_per_nm);
// Formats 9, 10 and 11: the engine pages.
void c17_mfd_draw_engine_thrust(const DisplayObject& display, gfx::Graphics& graphics);
void c17_mfd_draw_engine_epr(const DisplayObject& display, gfx::Graphics& graphics);
void c17_mfd_draw_engine_oil_fuel(const DisplayObject& display, gfx::Graphics& graphics);
// Format 12: the configuration page.
void c17_mfd_draw_configuration(const DisplayObject& display, gfx::Graphics& graphics);

// The route map of formats 3 to 6, inside the format's clip window; it sets
// up its own transform from c17_compass_centre.
void c17_mfd_draw_map(const DisplayObject& display, gfx::Graphics& graphics, double px_per_nm);
// The nearby airports on the C17 map, in the map's split-scale frame about
// its centre: sx, sy the design scale factors, (ref_lat, ref_lon) the map's
// reference, map_up its up direction, px_per_nm its design units per NM.
void c17_mfd_draw_nearby_symbols(gfx::Graphics& graphics, double sx, double sy, double ref_lat,
                                 double ref_lon, double map_up, double px_per_nm);
// The heading box on top of map format 4.
void c17_mfd_draw_heading_box(const DisplayObject& display, gfx::Graphics& graphics);
