// The C17_MFD primary flight display (format 1) and the drawing kit its parts
// share: the attitude displays' frames (pfd/fine_frame.h) on its 246 x 241
// canvas, the canvas frame among them, the pens and the bold Arial texts.
#pragma once

#include "map/palette.h"
#include "map/render_frame.h"
#include "pfd/fine_frame.h"

#include <string>
#include <string_view>

// The decision height the PFD shows; nothing changes it.
inline constexpr double c17_pfd_decision_height_ft = 200.0;

namespace c17pfd {

inline constexpr gfx::Argb kWhite = palette::white, kGreen = palette::green, kBugGreen = palette::deep_green,
                           kCyan = palette::cyan, kMagenta = palette::magenta, kAmber = palette::amber,
                           kRed = palette::bright_red, kBlack = palette::black;

struct Kit : FineFrameKit {
    gfx::Argb sky = 0, ground = 0;

    // The ladder pens are fine: their widths are set by init_kit.
    gfx::Pen ladder{kWhite}, thin_ladder{kWhite}, dashed_ladder{kWhite}, white1{kWhite, 1}, white2{kWhite, 2},
        magenta3{kMagenta, 3}, magenta2{kMagenta, 2}, cyan2{kCyan, 2}, bug_green2{kBugGreen, 2};
};

// Sets up the factors, pens and colours for the element size (w, h > 0).
void init_kit(Kit& kit, double w, double h);

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
