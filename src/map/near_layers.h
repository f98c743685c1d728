// The nearby-record layers of the map displays: navaids, airway fixes and
// airports near the map, each drawn with its identifier. Each display's
// render pass calls its members once per frame, navaids first, while the
// display's filter flag is 1 and its range is within the member's gate;
// each member keeps the shared nearby lists current around its refresh
// point. Members of a display object take it first (its element size).
#pragma once

struct DisplayObject;
namespace gfx {
class Graphics;
}

// HW_B737_ND (244 x 302): about (122, 249), or (122, 171) in modes 6 and 7;
// north up about the plan waypoint in PLAN (mode 7). ppn: design units per NM.
void draw_near_navaids_hw_b737_nd(const DisplayObject& display, gfx::Graphics& graphics, double ppn);
void draw_near_airports_hw_b737_nd(const DisplayObject& display, gfx::Graphics& graphics, double ppn);
void draw_near_airway_fixes_hw_b737_nd(const DisplayObject& display, gfx::Graphics& graphics, double ppn);
