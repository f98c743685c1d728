// The A320_EADI_NB painter: its kit and the order of the picture.
#include "pfd/a320_eadi.h"

#include "data/pfd_settings.h"

#include <cmath>
#include <cstdio>
#include <vector>

namespace a320 {
namespace {

gfx::Pen pen(const Kit& kit, gfx::Argb colour, double width) {
    return gfx::Pen(colour, static_cast<float>(kit.fine ? std::trunc(width * kit.fx) : width));
}

} // namespace

void init_kit(Kit& kit, double w, double h) {
    size_frames(kit, w, h, 318.0, 310.0, 149.0, 155.0);
    kit.sky = background_argb(a320_eadi_sky_rgb);
    kit.ground = background_argb(a320_eadi_ground_rgb);
    kit.tape = background_argb(a320_eadi_tape_rgb);
}

void line(Kit& kit, gfx::Argb colour, double width, double x1, double y1, double x2, double y2) {
    fine_line(kit, pen(kit, colour, width), x1, y1, x2, y2);
}

void polyline(Kit& kit, gfx::Argb colour, double width, std::initializer_list<DPoint> points) {
    fine_polyline(kit, pen(kit, colour, width), points);
}

void fill_rect(Kit& kit, gfx::Argb colour, double x, double y, double width, double height) {
    kit.g.fill_rectangle_i(gfx::SolidBrush(colour), at_x(kit, x), at_y(kit, y), at_x(kit, width),
                           at_y(kit, height));
}

void clip_rect(Kit& kit, double x, double y, double width, double height) {
    kit.g.set_clip_rect_i(at_x(kit, x), at_y(kit, y), at_x(kit, width), at_y(kit, height));
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
    Kit kit{{graphics, gfx::FontFamily("Tahoma")}};
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
