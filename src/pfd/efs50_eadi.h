// The EFS50_EADI attitude director painter and the drawing kit its parts
// share: the plain frame (design units about the attitude centre) and the
// fine frame, whose coordinates are premultiplied by kx and ky so that the
// moving attitude elements, drawn with integer calls, resolve 1/16 pixel.
#pragma once

#include "map/palette.h"
#include "map/render_frame.h"
#include "pfd/fine_frame.h"

// Paints the whole display; `display` holds the element's pixel size.
void draw_efs50_eadi(const DisplayObject& display, gfx::Graphics& graphics);

namespace efs50 {

inline constexpr gfx::Argb kWhite = palette::white, kAmber = palette::amber, kGreen = palette::deep_green,
                           kLightGreen = 0xFF50D175, kMagenta = palette::magenta, kBlue = palette::blue,
                           kSky = 0xFF0060C4, kGround = 0xFF946239;

// The fine factors are 16 sx and 16 sy.
struct Kit : FineFrameKit {
    // The fine pens' widths are set by init_kit.
    gfx::Pen amber3{kAmber, 3}, amber1{kAmber, 1}, amber2f{kAmber}, green2{kGreen, 2}, blue1{kBlue, 1},
        magenta3{kMagenta, 3}, white1{kWhite, 1}, white2{kWhite, 2}, white2f{kWhite};
};

// Sets up the factors and pens for the element size (w, h > 0).
void init_kit(Kit& kit, double w, double h);

// The picture's two halves in their order.
void draw_attitude(Kit& kit);    // sky to flight director
void draw_indications(Kit& kit); // deviation scales to marker beacons

} // namespace efs50
