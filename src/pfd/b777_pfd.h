// The B777_PFD_NB primary flight display painter and the drawing kit its
// parts share: the two frames (design units, and the fine frame whose
// coordinates are premultiplied by k for sub-unit placement with integer
// drawing calls), the pens, brushes and the bold Arial texts.
#pragma once

#include "map/palette.h"
#include "map/render_frame.h"
#include "pfd/fine_frame.h"

#include <string_view>

// Attitude centre on the 260 x 260 canvas.
extern int b777_pfd_center_x;
extern int b777_pfd_center_y;

// Paints the whole display; `display` holds the element's pixel size.
void draw_b777_pfd(const DisplayObject& display, gfx::Graphics& graphics);

namespace b777 {

inline constexpr gfx::Argb kWhite = palette::white, kGreen = palette::green, kRed = palette::bright_red,
                           kRedFill = 0xFFFA0000, kAmber = palette::amber, kMagenta = palette::magenta,
                           kBlack = palette::black;

// The fine factor is 16 (w + h) / 260 both ways (fx and fy); fine font
// sizes are whole fine units.
struct Kit : FineFrameKit {
    gfx::Argb sky = 0, ground = 0, tape = 0, background = 0;

    // Fine pens are k times their design width (truncated).
    gfx::Pen white1k{kWhite}, white1{kWhite, 1}, white2{kWhite, 2}, green2k{kGreen}, red2{kRed, 2},
        red3k{kRed}, amber2{kAmber, 2}, amber2k{kAmber}, magenta1k{kMagenta}, magenta1{kMagenta, 1},
        magenta2{kMagenta, 2};
};

// Sets up pens and colours for the element size (w, h > 0).
void init_kit(Kit& kit, double w, double h);

// The picture's parts in their order.
void draw_attitude(Kit& kit);
void draw_bank_scale(Kit& kit);
void draw_speed_tape(Kit& kit);
void draw_speed_texts(Kit& kit); // selected speed or Mach
void draw_mach_readout(Kit& kit);
void draw_altitude_tape(Kit& kit);
void draw_vertical_speed(Kit& kit);
void draw_selected_altitude(Kit& kit);
void draw_baro(Kit& kit);
void draw_minimums(Kit& kit);
void draw_annunciations(Kit& kit);
void draw_nav_source(Kit& kit);
void draw_deviations_and_heading(Kit& kit);

} // namespace b777
