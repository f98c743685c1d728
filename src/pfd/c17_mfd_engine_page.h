// What the three C17_MFD engine pages (formats 9, 10 and 11) share: the
// page frame and fonts, the engine values, the minutes-and-seconds split,
// the maximum-thrust time message, the reverse cues, the rating label and
// the semicircular dial. Texts are Windows-1252: "\260" is the degree sign.
#pragma once

#include "map/palette.h"
#include "map/render_frame.h"

#include <span>

namespace c17eng {

inline constexpr gfx::Argb kWhite = palette::white, kGreen = palette::green, kCyan = palette::cyan,
                           kYellow = palette::yellow, kRed = palette::bright_red;

// One page's drawing: the graphics, the display's pixel size, the fonts and
// the column centre cx.
struct Page {
    Page(const DisplayObject& display, gfx::Graphics& graphics);

    // Back to the plain canvas frame: 246 x 241 design units, origin top left.
    void frame();
    // Text with its layout origin at (x, y) of the current frame.
    void text(const char* s, gfx::Argb colour, double x, double y, bool small = false);

    const DisplayObject& display;
    gfx::Graphics& g;
    gfx::FontFamily arial{"Arial"};
    gfx::Font large;
    gfx::Font small_font;
    double cx;
};

// Engine values by engine index 0..3, read afresh on every call.
double engine_n1(int e);
double engine_n2(int e);
double engine_egt_c(int e);
double engine_fuel_flow(int e);
double engine_lever(int e);
double engine_thrust_value(int e);
double engine_oil_pressure_psi(int e);
double engine_oil_temp_c(int e);
double engine_oil_quantity(int e);

// Minutes and seconds of a time in seconds. Whole minutes are kept beyond
// the hour, so that 3700 s reads 61:40 rather than losing the hour.
struct MinutesSeconds {
    double minutes, seconds;
};
MinutesSeconds minutes_seconds(double t);

// "MAX THR TIME OVER mm:ss" / "REM mm:ss" while the N1 counter runs.
void draw_max_thrust_time(Page& p);
// The two arcs and "REV" of each engine whose lever is in reverse; arcs_y is
// the top of their box.
void draw_reverse(Page& p, double arcs_y);
void draw_rating(Page& p);

struct DialMark {
    double rotation;
    gfx::Argb colour;
};

// A dial centred on (x, y) reading 0..full_scale over half a turn.
struct Dial {
    double x, y, full_scale;
    std::span<const DialMark> marks;
};

// First pass: the arc and the readout below its centre.
void dial_face(Page& p, const Dial& d, const char* readout, gfx::Argb readout_colour);
// Second pass: the marks outside the arc and the pointer (whole degrees,
// pinned at either end); leaves the plain canvas frame.
void dial_pointer(Page& p, const Dial& d, double value, gfx::Argb colour);

} // namespace c17eng
