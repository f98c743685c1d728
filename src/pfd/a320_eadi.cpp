// The A320_EADI_NB painter: its kit and the order of the picture.
#include "pfd/a320_eadi.h"

#include "data/pfd_settings.h"

#include <cmath>
#include <cstdio>
#include <vector>

namespace a320 {
namespace {

std::vector<gfx::Point> to_points(const Kit& kit, std::initializer_list<DPoint> points) {
    std::vector<gfx::Point> out;
    out.reserve(points.size());
    for (const DPoint& p : points)
        out.push_back(gfx::point_i(at_x(kit, p.x), at_y(kit, p.y)));
    return out;
}

gfx::Pen pen(const Kit& kit, gfx::Argb colour, double width) {
    return gfx::Pen(colour, static_cast<float>(kit.fine ? std::trunc(width * kit.fx) : width));
}

} // namespace

void init_kit(Kit& kit, double w, double h) {
    kit.w = w;
    kit.h = h;
    kit.fx = 16.0 * (w + h) / 318.0;
    kit.fy = 16.0 * (w + h) / 310.0;
    kit.sky = background_argb(a320_eadi_sky_rgb);
    kit.ground = background_argb(a320_eadi_ground_rgb);
    kit.tape = background_argb(a320_eadi_tape_rgb);
}

void plain_frame(Kit& kit, double angle) {
    kit.fine = false;
    kit.g.reset_transform();
    kit.g.scale_transform(static_cast<float>(kit.w / 318.0), static_cast<float>(kit.h / 310.0));
    kit.g.translate_transform(149, 155);
    if (angle != 0.0) kit.g.rotate_transform(static_cast<float>(angle));
}

void fine_frame(Kit& kit, double angle) {
    const double d = 16.0 * (kit.w + kit.h);
    kit.fine = true;
    kit.g.reset_transform();
    kit.g.scale_transform(static_cast<float>(kit.w / d), static_cast<float>(kit.h / d));
    kit.g.translate_transform(static_cast<float>(149 * kit.fx), static_cast<float>(155 * kit.fy));
    if (angle != 0.0) kit.g.rotate_transform(static_cast<float>(angle));
}

double at_x(const Kit& kit, double x) {
    return kit.fine ? std::trunc(x * kit.fx) : x;
}

double at_y(const Kit& kit, double y) {
    return kit.fine ? std::trunc(y * kit.fy) : y;
}

void line(Kit& kit, gfx::Argb colour, double width, double x1, double y1, double x2, double y2) {
    kit.g.draw_line_i(pen(kit, colour, width), at_x(kit, x1), at_y(kit, y1), at_x(kit, x2), at_y(kit, y2));
}

void polyline(Kit& kit, gfx::Argb colour, double width, std::initializer_list<DPoint> points) {
    kit.g.draw_lines_i(pen(kit, colour, width), to_points(kit, points));
}

void fill(Kit& kit, gfx::Argb colour, std::initializer_list<DPoint> points) {
    kit.g.fill_polygon_i(gfx::SolidBrush(colour), to_points(kit, points));
}

void fill_rect(Kit& kit, gfx::Argb colour, double x, double y, double width, double height) {
    kit.g.fill_rectangle_i(gfx::SolidBrush(colour), at_x(kit, x), at_y(kit, y), at_x(kit, width),
                           at_y(kit, height));
}

void clip_rect(Kit& kit, double x, double y, double width, double height) {
    kit.g.set_clip_rect_i(at_x(kit, x), at_y(kit, y), at_x(kit, width), at_y(kit, height));
}

void text(Kit& kit, std::string_view s, double size, gfx::Argb colour, double x, double y) {
    const double px = kit.fine ? size * kit.fx : size;
    const gfx::Font font(kit.tahoma, static_cast<float>(px), gfx::FontStyle::Bold, gfx::Unit::Pixel);
    kit.g.draw_string(s, font, gfx::SolidBrush(colour),
                      gfx::PointF{static_cast<float>(at_x(kit, x)), static_cast<float>(at_y(kit, y))});
}

std::string format(const char* f, double v) {
    char buf[48];
    std::snprintf(buf, sizeof buf, f, v);
    return buf;
}

} // namespace a320

void draw_a320_eadi(const DisplayObject& display, gfx::Graphics& graphics) {
    // A zero-sized element has no fine grid.
    if (display.width <= 0 || display.height <= 0) return;
    using namespace a320;
    Kit kit{graphics};
    init_kit(kit, display.width, display.height);
    read_speed_limits(kit);
    draw_attitude(kit);
    draw_attitude_scales(kit);
    draw_speed_tape(kit);
    draw_altitude_tape(kit);
    draw_speed_trend(kit);
    draw_heading_scale(kit);
    draw_vertical_speed(kit);
    draw_ils_information(kit);
    draw_speed_target(kit);
    draw_altitude_target(kit);
    draw_baro(kit);
    draw_mach(kit);
    draw_marker(kit);
    draw_annunciations(kit);
    graphics.reset_clip();
    graphics.reset_transform();
}
