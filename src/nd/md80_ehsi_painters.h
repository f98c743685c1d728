// The painters of the MD80_EHSI_NB (266 x 232 design canvas), called by its
// render pass by format: 0 the compass rose, 1 the compass arc, 2 the
// north-up plan and 3 the heading-up map. The render pass puts the compass
// centre into md80_compass_centre_x and _y before the painter runs.
#pragma once

#include <string>

struct DisplayObject;
namespace gfx {
class Graphics;
}

// The map radius in design units, which stands for the full range.
inline constexpr int md80_ehsi_compass_radius = 180;

// Format 0: rose about (133, 114), course pointer, DME, glideslope, ADF 1,
// wind, heading readout and aircraft.
void draw_md80_ehsi_mode0(const DisplayObject& display, gfx::Graphics& graphics);
// Format 1: the 96-degree arc with the course pointer and radio readouts.
void draw_md80_ehsi_mode1(const DisplayObject& display, gfx::Graphics& graphics);
// Formats 2 and 3: the arc, the map layers and the route; s is design units
// per NM.
void draw_md80_ehsi_map(const DisplayObject& display, gfx::Graphics& graphics, int view_mode, double s);
// The active route into the map frame in force (kx, ky: the frame's scales
// of the design units), from the reference point turned by its heading.
void draw_md80_ehsi_route(gfx::Graphics& graphics, double kx, double ky, double heading, double ref_lat,
                          double ref_lon, double s);

// The texts of the map's data block: the distance to the TO waypoint and
// the arrival time there ("" at 30 kt or less).
std::string md80_ehsi_distance_text(double distance_nm);
std::string md80_ehsi_arrival_text(double distance_nm, double ground_speed_kt, double zulu_hours,
                                   double zulu_minutes);
// The half-range label: one decimal at 5 NM and below.
std::string md80_ehsi_half_range_text(double range);
// Whether the card mark at d degrees from the heading is drawn (within 65).
bool md80_ehsi_mark_shown(double d);
