// The EFS50_EADI painter: its kit and the order of the picture.
#include "pfd/efs50_eadi.h"

#include <cmath>
#include <vector>

namespace efs50 {

void init_kit(Kit& kit, double w, double h) {
    kit.sx = static_cast<float>(w / 266.0);
    kit.sy = static_cast<float>(h / 230.0);
    kit.fine_sx = 1.0f / 16.0f;
    kit.fine_sy = 1.0f / 16.0f;
    kit.fx = 16.0 * kit.sx;
    kit.fy = 16.0 * kit.sy;
    kit.cx = 129.0;
    kit.cy = 114.0;
    kit.amber2f.width = static_cast<float>(2.0 * kit.fx);
    kit.white2f.width = static_cast<float>(2.0 * kit.fy);
}

void line(Kit& kit, const gfx::Pen& pen, double x1, double y1, double x2, double y2) {
    kit.g.draw_line_i(pen, at_x(kit, x1), at_y(kit, y1), at_x(kit, x2), at_y(kit, y2));
}

void polyline(Kit& kit, const gfx::Pen& pen, std::initializer_list<DPoint> points) {
    kit.g.draw_lines_i(pen, at_points(kit, points));
}

void fill(Kit& kit, gfx::Argb colour, std::initializer_list<DPoint> points) {
    kit.g.fill_polygon_i(gfx::SolidBrush(colour), at_points(kit, points));
}

void text(Kit& kit, std::string_view s, double size, gfx::Argb colour, double x, double y) {
    const double px = kit.fine ? size * kit.fx : size;
    const gfx::Font font(kit.arial, static_cast<float>(px), gfx::FontStyle::Bold, gfx::Unit::Pixel);
    kit.g.draw_string(s, font, gfx::SolidBrush(colour),
                      gfx::PointF{static_cast<float>(at_x(kit, x)), static_cast<float>(at_y(kit, y))});
}

} // namespace efs50

void draw_efs50_eadi(const DisplayObject& display, gfx::Graphics& graphics) {
    // A zero-sized element has no fine frame.
    if (display.width <= 0 || display.height <= 0) return;
    efs50::Kit kit{{graphics}};
    efs50::init_kit(kit, display.width, display.height);
    efs50::draw_attitude(kit);
    efs50::draw_indications(kit);
    graphics.reset_clip();
    graphics.reset_transform();
}
