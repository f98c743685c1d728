// The map symbol painter: one small symbol (navaid, fix, route waypoint, own
// aircraft, traffic, range and heading boxes) at an anchor point, in the
// graphics object's current coordinate space. It neither translates nor
// rotates; vertices are truncated toward zero before the integer calls.
#pragma once

namespace gfx {
class Graphics;
}

// The symbols, by what the maps show with them. Any other value draws
// nothing.
enum class MapSymbol : int {
    None = 0,
    Vor = 1,            // navaids of kind "V"
    Navaid = 2,         // other navaids
    Fix = 3,            // airway fixes, and other navaids on the DU_1000_EHSI
    RadioStation = 4,   // the EFS50_EHSI's TO waypoint when a VOR or NDB
    AirportStation = 5, // ... when an airport
    Aircraft = 11,
    TrafficWindowAircraft = 12, // own aircraft in the P1000_MFD traffic window
    Waypoint = 20,              // route waypoints
    Du1000AirwayFix = 21,
    RangeBox = 30,
    TrafficWindowRangeBox = 31,
    HeadingBox = 40,
    P1000Aircraft = 50, // own aircraft on the P1000_MFD
    // Traffic: an other, proximate, advisory and resolution target, small
    // and large.
    TrafficOther = 60,
    TrafficProximate = 61,
    TrafficAdvisory = 62,
    TrafficResolution = 63,
    LargeTrafficOther = 70,
    LargeTrafficProximate = 71,
    LargeTrafficAdvisory = 72,
    LargeTrafficResolution = 73,
    // The DU_1000_EHSI's route waypoints and its VORs.
    Du1000Waypoint = 74,
    Du1000RoutePoint = 75,
    Du1000Vor = 76,
};

// Sub-kind of every caller but the traffic kinds: no trend arrow.
inline constexpr int no_symbol_arrow = -99;

// kind: which symbol; sub_kind: the trend arrow of the traffic kinds (1
// climbing, 2 descending); w, s: horizontal and vertical scale of the
// scalable kinds (w is also the base pen width); colour: a selector whose
// meaning depends on the kind; range: the map range in NM, shown by
// RangeBox.
void draw_map_symbol(gfx::Graphics& graphics, double x, double y, MapSymbol kind, int sub_kind, double w,
                     double s, int colour, double range);
