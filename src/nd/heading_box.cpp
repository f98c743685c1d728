#include "nd/heading_box.h"

#include "map/palette.h"
#include "nd/nd_text.h"

#include <cstddef>
#include <iterator>

void draw_heading_box(gfx::Graphics& g, const gfx::Font& font, float pen_width, int cx, int digits_x,
                      double heading_deg) {
    nd::text(g, nd::format("%03.0f", heading_deg), font, palette::white, digits_x, 5);
    // Top, sides, the bottom either side of the pointer, the pointer.
    const gfx::Point ends[] = {{cx - 14, 5},  {cx + 14, 5},  {cx - 14, 5}, {cx - 14, 20}, {cx + 14, 5},
                               {cx + 14, 20}, {cx - 14, 20}, {cx - 5, 20}, {cx + 14, 20}, {cx + 5, 20},
                               {cx - 5, 20},  {cx, 25},      {cx, 25},     {cx + 5, 20}};
    const gfx::Pen pen(palette::white, pen_width);
    for (std::size_t i = 0; i + 1 < std::size(ends); i += 2)
        g.draw_line_i(pen, ends[i].x, ends[i].y, ends[i + 1].x, ends[i + 1].y);
}
