// The painters of the DU_1000_EHSI (318 x 310 design canvas), called by its
// render pass by mode: 0 the full-compass HSI, 1 the arc, 2 the north-up
// plan page, 3 the heading-up map.
#pragma once

#include <string>

struct DisplayObject;
namespace gfx {
class Graphics;
}

// The design units that stand for the full range.
inline constexpr int du_1000_compass_radius = 234;

// Mode 0: compass, course arrow and deviation bar, bearing pointers, bug,
// track diamond, glideslope scale and aircraft.
void draw_du_1000_ehsi_hsi(const DisplayObject& display, gfx::Graphics& graphics);
// Modes 1 and 3: the arc of the card about (159, 272), range arcs, bug,
// lubber and track marks, the level-off arc in mode 3 and the radio course in
// mode 1.
void draw_du_1000_ehsi_compass(const DisplayObject& display, gfx::Graphics& graphics, double ppn);
// Modes 0, 1 and 3: the data fields around the display.
void draw_du_1000_ehsi_frame(const DisplayObject& display, gfx::Graphics& graphics);
// Mode 2: the two range rings and the compass letters, north up.
void draw_du_1000_ehsi_mode2(const DisplayObject& display, gfx::Graphics& graphics);
// Modes 2 and 3: the nearby layers, the chosen runways, the route, the hold
// and, in mode 3, the overlays of the heading-up map.
void draw_du_1000_ehsi_map(const DisplayObject& display, gfx::Graphics& graphics, int view_mode, double ppn);
// One chosen runway (which: 1 departure, 2 arrival) about the map centre
// (design units) from the map's reference; in mode 2 north up.
void draw_du_1000_ehsi_runway(const DisplayObject& display, gfx::Graphics& graphics, double ref_lat,
                              double ref_lon, double centre_y, int which, double ppn);

// Whether the map layer has something to show: an active route, a layer
// switch, traffic or boundaries.
bool du_1000_ehsi_map_wanted();
// The NAV 1 source: "VOR", "ILS" or "LOC" ("" without a signal).
std::string du_1000_ehsi_nav_source();
