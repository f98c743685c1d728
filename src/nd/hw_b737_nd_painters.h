// The painters of the HW_B737_ND, called by its render pass in a fixed
// order. Each takes the display object (the element size it stored) and the
// graphics object; the map painters take design units per NM.
#pragma once

struct DisplayObject;
namespace gfx {
class Graphics;
}

// Modes 1 and 2: the full heading rose with the course arrow, deviation bar
// and, in VOR mode, TO/FROM, glideslope and bearing pointers.
void draw_hw_b737_nd_compass_rose(const DisplayObject& display, gfx::Graphics& graphics);
// Turn prediction arcs at 30, 60 and 90 seconds.
void draw_hw_b737_nd_arc_part(const DisplayObject& display, gfx::Graphics& graphics, double ppn);
// Modes 5 to 7: range arcs, runways, origin, the active route.
void draw_hw_b737_nd_map(const DisplayObject& display, gfx::Graphics& graphics, double ppn);
// The working plan while it differs from the active route (route state 1, 2, 4).
void draw_hw_b737_nd_route(const DisplayObject& display, gfx::Graphics& graphics, double ppn);
// The tuned NAV1 VOR with its selected-course line.
void draw_hw_b737_nd_map_layer(const DisplayObject& display, gfx::Graphics& graphics, double ppn);
// Modes 3 to 7: heading scale, aircraft symbol, half-range label, course
// pointer and deviation bar.
void draw_hw_b737_nd_nav_layer(const DisplayObject& display, gfx::Graphics& graphics);
// Every mode, last: data fields, heading box, bug, annunciators.
void draw_hw_b737_nd_frame(const DisplayObject& display, gfx::Graphics& graphics);
