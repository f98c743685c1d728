// The C17_MFD primary flight display: the kit and the order of the picture.
#include "pfd/c17_mfd_pfd.h"

#include "data/c17_mfd_state.h"
#include "data/pfd_settings.h"
#include "pfd/c17_mfd_painters.h"
#include "platform/text_file.h"

#include <cmath>

namespace c17pfd {

void init_kit(Kit& kit, double w, double h) {
    kit.w = w;
    kit.h = h;
    kit.cx = c17_compass_centre.x;
    kit.cy = c17_compass_centre.y;
    kit.kx = 16.0 * (w + h) / 246.0;
    kit.ky = 16.0 * (w + h) / 241.0;
    kit.sky = background_argb(c17_mfd_sky_rgb);
    kit.ground = background_argb(c17_mfd_ground_rgb);
    kit.ladder.width = static_cast<float>(std::trunc(1.5 * kit.ky));
    kit.thin_ladder.width = static_cast<float>(std::trunc(kit.kx));
    kit.dashed_ladder.width = kit.ladder.width;
    kit.dashed_ladder.dash_style = gfx::DashStyle::Dash;
}

void canvas_frame(Kit& kit) {
    kit.g.reset_transform();
    kit.g.scale_transform(static_cast<float>(kit.w / 246.0), static_cast<float>(kit.h / 241.0));
}

void design_frame(Kit& kit) {
    canvas_frame(kit);
    kit.g.translate_transform(static_cast<float>(kit.cx), static_cast<float>(kit.cy));
}

void fine_frame(Kit& kit) {
    const double d = 16.0 * (kit.w + kit.h);
    kit.g.reset_transform();
    kit.g.scale_transform(static_cast<float>(kit.w / d), static_cast<float>(kit.h / d));
    kit.g.translate_transform(static_cast<float>(kit.cx * kit.kx), static_cast<float>(kit.cy * kit.ky));
}

double fine_x(const Kit& kit, double x) {
    return std::trunc(x * kit.kx);
}

double fine_y(const Kit& kit, double y) {
    return std::trunc(y * kit.ky);
}

gfx::Point fine_point(const Kit& kit, double x, double y) {
    return gfx::Point{saturate_to_int(x * kit.kx), saturate_to_int(y * kit.ky)};
}

void text(Kit& kit, std::string_view s, double size, gfx::Argb colour, double x, double y) {
    const gfx::Font font(kit.arial, static_cast<float>(size), gfx::FontStyle::Bold, gfx::Unit::Pixel);
    kit.g.draw_string(s, font, gfx::SolidBrush(colour),
                      gfx::PointF{static_cast<float>(x), static_cast<float>(y)});
}

void fine_text(Kit& kit, std::string_view s, double size, gfx::Argb colour, double x, double y) {
    text(kit, s, fine_x(kit, size), colour, fine_x(kit, x), fine_y(kit, y));
}

void fine_line(Kit& kit, const gfx::Pen& pen, double x1, double y1, double x2, double y2) {
    kit.g.draw_line_i(pen, fine_x(kit, x1), fine_y(kit, y1), fine_x(kit, x2), fine_y(kit, y2));
}

gfx::GraphicsPath fine_polygon(const Kit& kit, std::span<const gfx::Point> design_points) {
    std::vector<gfx::Point> points;
    points.reserve(design_points.size());
    for (const gfx::Point& p : design_points)
        points.push_back(fine_point(kit, p.x, p.y));
    gfx::GraphicsPath path;
    path.add_polygon_i(points);
    return path;
}

int digit_at(const std::string& text, std::size_t i) {
    if (i >= text.size() || text[i] < '0' || text[i] > '9') return 0;
    return text[i] - '0';
}

std::string char_at(const std::string& text, std::size_t i) {
    return std::string(1, i < text.size() ? text[i] : ' ');
}

int wrap_digit(int value) {
    return ((value % 10) + 10) % 10;
}

} // namespace c17pfd

void c17_mfd_draw_pfd(const DisplayObject& display, gfx::Graphics& graphics) {
    // A zero-sized element has no fine frame.
    if (display.width <= 0 || display.height <= 0) return;
    using namespace c17pfd;
    Kit kit{graphics};
    init_kit(kit, display.width, display.height);
    draw_readouts(kit);
    draw_attitude(kit);
    draw_warning(kit);
    draw_attitude_symbols(kit);
    draw_speed_scale(kit);
    draw_altitude_scale(kit);
    draw_bugs_and_deviations(kit);
    draw_marker(kit);
    draw_heading_scale(kit);
    draw_annunciations(kit);
    graphics.reset_clip();
    graphics.reset_transform();
}
