// The C17_MFD primary flight display (format 1) and the drawing kit its parts
// share: three frames (canvas units, design units about the attitude centre,
// and the fine frame whose coordinates are premultiplied by kx and ky so that
// integer drawing calls place lines at a fraction of a unit), the pens and
// the bold Arial texts.
#pragma once

#include "map/palette.h"
#include "map/render_frame.h"

#include <span>
#include <string>
#include <string_view>

// The decision height the PFD shows; nothing changes it.
inline constexpr double c17_pfd_decision_height_ft = 200.0;

namespace c17pfd {

inline constexpr gfx::Argb kWhite = palette::white, kGreen = palette::green, kBugGreen = palette::deep_green,
                           kCyan = palette::cyan, kMagenta = palette::magenta, kAmber = palette::amber,
                           kRed = palette::bright_red, kBlack = palette::black;

struct Kit {
    gfx::Graphics& g;
    double w = 0.0; // element pixel size
    double h = 0.0;
    double cx = 0.0; // attitude centre on the 246 x 241 canvas
    double cy = 0.0;
    double kx = 0.0; // fine factors: 16 (w + h) / 246 and 16 (w + h) / 241
    double ky = 0.0;
    gfx::FontFamily arial{"Arial"};
    gfx::Argb sky = 0, ground = 0;

    // The ladder pens are fine: their widths are set by init_kit.
    gfx::Pen ladder{kWhite}, thin_ladder{kWhite}, dashed_ladder{kWhite}, white1{kWhite, 1}, white2{kWhite, 2},
        magenta3{kMagenta, 3}, magenta2{kMagenta, 2}, cyan2{kCyan, 2}, bug_green2{kBugGreen, 2};
};

// Sets up the factors, pens and colours for the element size (w, h > 0).
void init_kit(Kit& kit, double w, double h);

void canvas_frame(Kit& kit);
void design_frame(Kit& kit);
void fine_frame(Kit& kit);

// Design values in fine units (truncated).
double fine_x(const Kit& kit, double x);
double fine_y(const Kit& kit, double y);
gfx::Point fine_point(const Kit& kit, double x, double y);

// Text with its layout origin at (x, y) in the frame in force; fine_text
// takes design values and draws them premultiplied (size by kx).
void text(Kit& kit, std::string_view s, double size, gfx::Argb colour, double x, double y);
void fine_text(Kit& kit, std::string_view s, double size, gfx::Argb colour, double x, double y);
void fine_line(Kit& kit, const gfx::Pen& pen, double x1, double y1, double x2, double y2);

// A closed figure of design points in the fine frame, as a path.
gfx::GraphicsPath fine_polygon(const Kit& kit, std::span<const gfx::Point> design_points);

// The digit at position i of a formatted readout: any other character (a
// blank, a sign, past the end) reads as 0.
int digit_at(const std::string& text, std::size_t i);
// The character at position i as a one-character text (a blank past the end).
std::string char_at(const std::string& text, std::size_t i);
// Modulo 10 into 0..9 for negative values too.
int wrap_digit(int value);

// The picture's parts in their order.
void draw_readouts(Kit& kit);         // corner readouts
void draw_attitude(Kit& kit);         // sky, ground, ladder, director, flight-path vector; leaves the clip
void draw_warning(Kit& kit);          // inside the attitude window
void draw_attitude_symbols(Kit& kit); // clip removed: aircraft symbol, bank pointer, slip, bank scale
void draw_speed_scale(Kit& kit);
void draw_altitude_scale(Kit& kit);
void draw_bugs_and_deviations(Kit& kit);
void draw_marker(Kit& kit);
void draw_heading_scale(Kit& kit);
void draw_annunciations(Kit& kit);

} // namespace c17pfd
