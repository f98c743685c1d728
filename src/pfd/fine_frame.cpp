#include "pfd/fine_frame.h"

#include <algorithm>
#include <cmath>

namespace {

void frame(FineFrameKit& kit, bool fine, float sx, float sy, double cx, double cy, double angle) {
    kit.fine = fine;
    kit.g.reset_transform();
    kit.g.scale_transform(sx, sy);
    kit.g.translate_transform(static_cast<float>(cx), static_cast<float>(cy));
    if (angle != 0.0) kit.g.rotate_transform(static_cast<float>(angle));
}

} // namespace

void size_frames(FineFrameKit& kit, double w, double h, double design_w, double design_h, double cx,
                 double cy) {
    const double d = 16.0 * (w + h);
    kit.sx = static_cast<float>(w / design_w);
    kit.sy = static_cast<float>(h / design_h);
    kit.fine_sx = static_cast<float>(w / d);
    kit.fine_sy = static_cast<float>(h / d);
    kit.fx = d / design_w;
    kit.fy = d / design_h;
    kit.cx = cx;
    kit.cy = cy;
}

void canvas_frame(FineFrameKit& kit) {
    kit.fine = false;
    kit.g.reset_transform();
    kit.g.scale_transform(kit.sx, kit.sy);
}

void plain_frame(FineFrameKit& kit, double angle) {
    frame(kit, false, kit.sx, kit.sy, kit.cx, kit.cy, angle);
}

void fine_frame(FineFrameKit& kit, double angle) {
    frame(kit, true, kit.fine_sx, kit.fine_sy, kit.cx * kit.fx, kit.cy * kit.fy, angle);
}

double at_x(const FineFrameKit& kit, double x) {
    return kit.fine ? std::trunc(x * kit.fx) : x;
}

double at_y(const FineFrameKit& kit, double y) {
    return kit.fine ? std::trunc(y * kit.fy) : y;
}

std::vector<gfx::Point> at_points(const FineFrameKit& kit, std::initializer_list<DPoint> points) {
    std::vector<gfx::Point> out;
    out.reserve(points.size());
    for (const DPoint& p : points)
        out.push_back(gfx::point_i(at_x(kit, p.x), at_y(kit, p.y)));
    return out;
}

void frame_text(FineFrameKit& kit, std::string_view s, double size, gfx::Argb colour, double x, double y) {
    const gfx::Font font(kit.font, static_cast<float>(size), gfx::FontStyle::Bold, gfx::Unit::Pixel);
    kit.g.draw_string(s, font, gfx::SolidBrush(colour),
                      gfx::PointF{static_cast<float>(x), static_cast<float>(y)});
}

void fine_text(FineFrameKit& kit, std::string_view s, double size, gfx::Argb colour, double x, double y) {
    const double fine_size = kit.font_size == FineFontSize::whole ? at_x(kit, size) : size * kit.fx;
    frame_text(kit, s, kit.fine ? fine_size : size, colour, at_x(kit, x), at_y(kit, y));
}

void fine_line(FineFrameKit& kit, const gfx::Pen& pen, double x1, double y1, double x2, double y2) {
    kit.g.draw_line_i(pen, at_x(kit, x1), at_y(kit, y1), at_x(kit, x2), at_y(kit, y2));
}

void fine_polyline(FineFrameKit& kit, const gfx::Pen& pen, std::initializer_list<DPoint> points) {
    kit.g.draw_lines_i(pen, at_points(kit, points));
}

void fine_fill(FineFrameKit& kit, gfx::Argb colour, std::initializer_list<DPoint> points) {
    kit.g.fill_polygon_i(gfx::SolidBrush(colour), at_points(kit, points));
}

void fine_fill(FineFrameKit& kit, gfx::Argb colour, double x1, double y1, double x2, double y2) {
    const double left = at_x(kit, x1), top = at_y(kit, y1);
    kit.g.fill_rectangle_i(gfx::SolidBrush(colour), left, top, at_x(kit, x2) - left, at_y(kit, y2) - top);
}

gfx::GraphicsPath cut_circle_window(double top, double bottom, double side_x, double side_y) {
    gfx::GraphicsPath p;
    p.add_arc_i(-top, -top, 2 * top, 2 * top, 210, 120);
    p.add_line_i(side_x, -side_y, side_x, side_y);
    p.add_arc_i(-bottom, -bottom, 2 * bottom, 2 * bottom, 30, 120);
    p.add_line_i(-side_x, -side_y, -side_x, side_y);
    p.close_figure();
    return p;
}

void flight_path_symbol(FineFrameKit& kit, const gfx::Pen& pen, double x, double y) {
    kit.g.draw_ellipse_i(pen, x - 6, y - 6, 12, 12);
    kit.g.draw_line_i(pen, x, y - 6, x, y - 12);
    kit.g.draw_line_i(pen, x - 6, y, x - 12, y);
    kit.g.draw_line_i(pen, x + 6, y, x + 12, y);
}

void fill_and_clip(FineFrameKit& kit, gfx::Argb colour, std::span<const gfx::Point> points) {
    kit.g.fill_polygon_i(gfx::SolidBrush(colour), points);
    gfx::GraphicsPath clip;
    clip.add_polygon_i(points);
    kit.g.set_clip_path(clip);
}

std::string signed_altitude_text(double altitude, std::string (*format)(double)) {
    if (!(altitude < 0.0)) return format(altitude);
    std::string t = format(std::min(-altitude, 9999.0));
    // A height that prints as nothing but zeros has no sign to show.
    if (t.find_first_of("123456789") == std::string::npos) return t;
    const std::size_t first = t.find_first_not_of(' ');
    if (first != std::string::npos && first > 0) t[first - 1] = '-';
    return t;
}
