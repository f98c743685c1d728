// The painters of the PROLINE4_MFD (247 x 285 design canvas), called by its
// render pass by page, and the values they share.
#pragma once

#include "map/palette.h"
#include "platform/gfx_types.h"

#include <string>

struct DisplayObject;
namespace gfx {
class Graphics;
struct Font;
} // namespace gfx

// Page 0: heading-up compass card with the course lines and pointers.
void draw_proline4_mfd_nav_page(const DisplayObject& d, gfx::Graphics& g);
// Page 1: heading-up arc with the range arcs.
void draw_proline4_mfd_mode1(const DisplayObject& d, gfx::Graphics& g);
// Page 2: progress table and the north-up inset map.
void draw_proline4_mfd_fpl_page(const DisplayObject& d, gfx::Graphics& g, int view_mode, double ppn);
// Page 3: progress table over the heading-up map arc.
void draw_proline4_mfd_map_page(const DisplayObject& d, gfx::Graphics& g, int view_mode, double ppn);
// The map of pages 2 and 3 with its own frames and clip; leaves the design
// frame at the map centre.
void draw_proline4_mfd_map_layer(const DisplayObject& d, gfx::Graphics& g, int view_mode, double ppn);

// The progress table's positions on one page.
struct Proline4TableLayout {
    double header_y;
    double utc_x;
    double sat_x;
    double tat_x;
    double row_y[4]; // FROM, TO, NEXT, destination
    double wind_y;
    const char* wind_format;
};
inline constexpr Proline4TableLayout proline4_fpl_table{
    9, 20, 180, 220, {22, 31, 40, 49}, 58, "%03.0f / %-2.0f"};
inline constexpr Proline4TableLayout proline4_map_table{
    10, 21, 186, 226, {20, 30, 40, 50}, 60, "%03.0f/%-2.0f"};
void draw_proline4_progress_table(const DisplayObject& d, gfx::Graphics& g, const Proline4TableLayout& at);
// The wind arrow at (20, 90), pointing the way the wind blows, from 1 kt.
void draw_proline4_wind_arrow(const DisplayObject& d, gfx::Graphics& g);

// Values shared by the pages.
namespace proline4 {

using palette::blue, palette::green, palette::magenta, palette::white;

// The background colour of the display, for blanking boxes.
gfx::Argb background();
// Reset and scale to the design canvas, then move to (x, y) when asked.
void design_frame(const DisplayObject& d, gfx::Graphics& g, double x = 0.0, double y = 0.0);

// The FMS form of the course lines: a route is active and LNAV engaged.
bool fms_mode();
// The NAV1 station identifier while NAV1 is received, else empty.
std::string nav1_ident();
// The time-to-go line of a distance at the present ground speed: the
// rounded time, or nothing (false) at 30 kt and below.
bool time_to_go_text(double distance_nm, std::string* text);
// The three course lines at (0, 20), (0, 30), (0, 40) in the font given;
// dash_font draws the "--:--" of a time that cannot be given.
void draw_course_lines(gfx::Graphics& g, const gfx::Font& font, const gfx::Font& dash_font);

// The relative angle of a bearing pointer (source 1 VOR, 2 ADF 1, 3 TO
// waypoint; nav1 picks NAV 1 for the VOR source); false while its source
// gives none.
bool pointer_angle(int source, bool nav1, double* angle);
const char* pointer_label(int source, bool nav1);
// The course pointer's angle (relative to the heading) and its deviation
// bar offset in design units; needle_divisor scales the NAV1 needle.
void course_pointer(double needle_divisor, double* angle, int* deviation);
// TO (true) or FROM of the NAV1 station while NAV1 is received (and, unless
// with_lnav, LNAV is off); false when neither is drawn.
bool nav1_to_from(bool with_lnav, bool* to);

// Within (-limit, limit) of the heading either side of north.
bool near_heading(double relative, double limit);

// The time en route of a distance at the present ground speed and the
// arrival time after the UTC clock (hours wrap at 24).
struct EnRoute {
    double hours = 0.0;
    double minutes = 0.0;
    double arrival_hour = 0.0;
    double arrival_minutes = 0.0;
};
EnRoute en_route(double distance_nm);

} // namespace proline4
