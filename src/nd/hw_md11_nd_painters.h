// The painters of the HW_MD11_ND, called by its render pass by mode. Each
// takes the display object (the element size it stored) and the graphics
// object; the map painters take design units per NM.
#pragma once

#include <string>

struct DisplayObject;
namespace gfx {
class Graphics;
}

// MAP, VOR and APP: aircraft symbol, compass arc or rose, heading bug,
// bearing pointers, track marker, course pointer; leaves the map's clip set.
void draw_hw_md11_nd_main(const DisplayObject& display, gfx::Graphics& graphics, double ppn);
// PLAN: the clip window, the two range rings and the aircraft on the plan.
void draw_hw_md11_nd_arc_part(const DisplayObject& display, gfx::Graphics& graphics, double ppn);
// PLAN and MAP: runways, the active route, the tuned NAV1 station.
void draw_hw_md11_nd_map(const DisplayObject& display, gfx::Graphics& graphics, double ppn);
// Every mode, last: the fixed texts and symbols around the map.
void draw_hw_md11_nd_frame(const DisplayObject& display, gfx::Graphics& graphics);

// The frame's computed texts.
// Half the range: one decimal for 0.5 and 2.5, none otherwise.
std::string hw_md11_nd_half_range_text(double range);
// Elapsed flight time "hh:mm"; "00:00" while not running (-99) or without a route.
std::string hw_md11_nd_elapsed_text(double elapsed_seconds, bool route_active);
