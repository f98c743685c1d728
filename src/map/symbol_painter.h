// The map symbol painter: one small symbol (navaid, fix, route waypoint, own
// aircraft, traffic, range and heading boxes) at an anchor point, in the
// graphics object's current coordinate space. It neither translates nor
// rotates; vertices are truncated toward zero before the integer calls.
#pragma once

namespace gfx {
class Graphics;
}

// The DU_1000_EHSI's route-point and VOR symbols, which it passes by name.
inline constexpr int du_1000_waypoint_symbol = 74;
inline constexpr int du_1000_route_point_symbol = 75;
inline constexpr int du_1000_vor_symbol = 76;

// Sub-kind of every caller but the traffic kinds: no trend arrow.
inline constexpr int no_symbol_arrow = -99;

// kind: which symbol (any kind not drawn here draws nothing); sub_kind: the
// trend arrow of traffic kinds 60-63 and 70-73 (1 climbing, 2 descending);
// w, s: horizontal and vertical scale of the scalable kinds (w is also the
// base pen width); colour: a selector whose meaning depends on the kind;
// range: the map range in NM, shown by kind 30.
void draw_map_symbol(gfx::Graphics& graphics, double x, double y, int kind, int sub_kind, double w, double s,
                     int colour, double range);
