// The A320_EADI_NB primary flight display painter and the drawing kit its
// parts share: the plain frame (design units about the attitude centre) and
// the fine grid, whose coordinates are premultiplied by fx and fy so that
// the moving tapes and the ladder, drawn with integer calls, keep a
// fraction of a pixel; the pens by colour and width and bold Tahoma texts.
#pragma once

#include "map/palette.h"
#include "map/render_frame.h"
#include "pfd/fine_frame.h"

#include <initializer_list>
#include <string>
#include <string_view>

// Paints the whole display; `display` holds the element's pixel size.
void draw_a320_eadi(const DisplayObject& display, gfx::Graphics& graphics);

namespace a320 {

inline constexpr gfx::Argb kWhite = palette::white, kAmber = palette::amber, kGreen = palette::green,
                           kCyan = 0xFF26C2FF, kMagenta = palette::magenta, kRed = palette::bright_red,
                           kBlack = palette::black;

// The fine factors are 16 (w + h) / 318 and 16 (w + h) / 310.
struct Kit : FineFrameKit {
    gfx::Argb sky = 0, ground = 0, tape = 0;
    // The speed limits of this frame (speed tape).
    double vmax = 0.0;
    double vstall = 0.0;
};

// Sets up the factors and colours for the element size (w, h > 0).
void init_kit(Kit& kit, double w, double h);

// Drawing from design values in the frame in force (pen widths grow by fx on
// the fine grid too). `width` is the pen's design width.
void line(Kit& kit, gfx::Argb colour, double width, double x1, double y1, double x2, double y2);
void polyline(Kit& kit, gfx::Argb colour, double width, std::initializer_list<DPoint> points);
void fill_rect(Kit& kit, gfx::Argb colour, double x, double y, double width, double height);
void clip_rect(Kit& kit, double x, double y, double width, double height);

// printf-style formatting of one number into a bounded text.
std::string format(const char* f, double v);

// The picture's parts in their order.
void read_speed_limits(Kit& kit);
void draw_attitude(Kit& kit);        // clipped sphere, bank pointer, symbol, director, flight-path vector
void draw_attitude_scales(Kit& kit); // bank scale, glideslope and localizer scales
void draw_speed_tape(Kit& kit);      // leaves the tape's clip
void draw_altitude_tape(Kit& kit);   // tape and readout
void draw_speed_trend(Kit& kit);
void draw_heading_scale(Kit& kit);
void draw_vertical_speed(Kit& kit);
void draw_ils_information(Kit& kit);
void draw_speed_target(Kit& kit);
void draw_altitude_target(Kit& kit);
void draw_baro(Kit& kit);
void draw_mach(Kit& kit);
void draw_marker(Kit& kit);
void draw_annunciations(Kit& kit);

} // namespace a320
