// GraphicsPath: figures of lines and Bezier curves, built as GDI+ builds them.
#include "platform/gfx.h"

#include <cmath>

namespace gfx {

namespace {

constexpr double kPi = 3.14159265358979323846;

float fi(double v) {
    return static_cast<float>(saturate_i32(v));
}

double wrap_pi(double a) {
    while (a > kPi)
        a -= 2.0 * kPi;
    while (a <= -kPi)
        a += 2.0 * kPi;
    return a;
}

// GDI+ arc angles are angles of the ray from the centre, not of the
// ellipse's parameter: the ray at angle A meets the ellipse at the point
// whose parameter is atan2(a sin A, b cos A).
double ellipse_parameter(double angle, double a, double b) {
    if (a <= 0.0 || b <= 0.0) return angle;
    return std::atan2(a * std::sin(angle), b * std::cos(angle));
}

} // namespace

void GraphicsPath::add_point(PointF p, uint8_t type) {
    if (!figure_open_) {
        points_.push_back(p);
        types_.push_back(PathPointTypeStart);
        figure_open_ = true;
        return;
    }
    points_.push_back(p);
    types_.push_back(type);
}

Status GraphicsPath::add_line(float x1, float y1, float x2, float y2) {
    // The start joins the open figure by a line unless it already ends there.
    const PointF p1{x1, y1};
    if (!figure_open_ || points_.back().x != x1 || points_.back().y != y1) add_point(p1, PathPointTypeLine);
    add_point(PointF{x2, y2}, PathPointTypeLine);
    return Status::Ok;
}

Status GraphicsPath::add_line_i(double x1, double y1, double x2, double y2) {
    return add_line(fi(x1), fi(y1), fi(x2), fi(y2));
}

Status GraphicsPath::add_lines(std::span<const PointF> points) {
    if (points.empty()) return Status::InvalidParameter;
    const PointF first = points[0];
    points_.reserve(points_.size() + points.size());
    types_.reserve(types_.size() + points.size());
    if (!figure_open_ || points_.back().x != first.x || points_.back().y != first.y)
        add_point(first, PathPointTypeLine);
    for (std::size_t i = 1; i < points.size(); ++i)
        add_point(points[i], PathPointTypeLine);
    return Status::Ok;
}

Status GraphicsPath::add_lines_i(std::span<const Point> points) {
    std::vector<PointF> f;
    f.reserve(points.size());
    for (const Point& p : points)
        f.push_back(PointF{float(p.x), float(p.y)});
    return add_lines(f);
}

void GraphicsPath::add_arc_beziers(float x, float y, float width, float height, float start_angle,
                                   float sweep_angle, bool join) {
    const double a = width / 2.0;
    const double b = height / 2.0;
    const double cx = x + a;
    const double cy = y + b;
    double sweep = sweep_angle;
    if (sweep > 360.0) sweep = 360.0;
    if (sweep < -360.0) sweep = -360.0;
    const double th0 = start_angle * kPi / 180.0;
    const double th1 = th0 + sweep * kPi / 180.0;
    const double t0 = ellipse_parameter(th0, a, b);
    double dt;
    if (std::fabs(sweep) >= 360.0) {
        dt = sweep > 0 ? 2.0 * kPi : -2.0 * kPi;
    } else {
        const double skew0 = wrap_pi(t0 - th0);
        const double skew1 = wrap_pi(ellipse_parameter(th1, a, b) - th1);
        dt = (th1 - th0) + (skew1 - skew0);
    }
    auto at = [&](double t) {
        return PointF{static_cast<float>(cx + a * std::cos(t)), static_cast<float>(cy + b * std::sin(t))};
    };
    const PointF first = at(t0);
    if (join) {
        if (!figure_open_ || points_.back().x != first.x || points_.back().y != first.y)
            add_point(first, PathPointTypeLine);
    } else {
        add_point(first, PathPointTypeStart);
    }
    int pieces = static_cast<int>(std::ceil(std::fabs(dt) / (kPi / 2.0) - 1e-9));
    if (pieces < 1) pieces = 1;
    const double step = dt / pieces;
    const double k = 4.0 / 3.0 * std::tan(step / 4.0);
    for (int i = 0; i < pieces; ++i) {
        const double ta = t0 + step * i;
        const double tb = ta + step;
        const double ca = std::cos(ta), sa = std::sin(ta), cb = std::cos(tb), sb = std::sin(tb);
        const PointF c1{static_cast<float>(cx + a * (ca - k * sa)),
                        static_cast<float>(cy + b * (sa + k * ca))};
        const PointF c2{static_cast<float>(cx + a * (cb + k * sb)),
                        static_cast<float>(cy + b * (sb - k * cb))};
        add_point(c1, PathPointTypeBezier);
        add_point(c2, PathPointTypeBezier);
        add_point(at(tb), PathPointTypeBezier);
    }
}

Status GraphicsPath::add_arc(float x, float y, float width, float height, float start_angle,
                             float sweep_angle) {
    add_arc_beziers(x, y, width, height, start_angle, sweep_angle, true);
    return Status::Ok;
}

Status GraphicsPath::add_arc_i(double x, double y, double width, double height, float start_angle,
                               float sweep_angle) {
    return add_arc(fi(x), fi(y), fi(width), fi(height), start_angle, sweep_angle);
}

Status GraphicsPath::add_bezier(PointF p1, PointF p2, PointF p3, PointF p4) {
    if (!figure_open_ || points_.back().x != p1.x || points_.back().y != p1.y)
        add_point(p1, PathPointTypeLine);
    add_point(p2, PathPointTypeBezier);
    add_point(p3, PathPointTypeBezier);
    add_point(p4, PathPointTypeBezier);
    return Status::Ok;
}

Status GraphicsPath::add_curve(std::span<const PointF> p, float tension) {
    if (p.size() < 2) return Status::InvalidParameter;
    // Cardinal spline: the tangent at a point is tension x (next - previous);
    // each span becomes one Bezier with controls a third of the tangent away.
    const std::size_t n = p.size();
    const double f = tension / 3.0;
    auto pt = [&](std::ptrdiff_t i) {
        if (i < 0) i = 0;
        if (i >= static_cast<std::ptrdiff_t>(n)) i = static_cast<std::ptrdiff_t>(n) - 1;
        return p[static_cast<std::size_t>(i)];
    };
    const PointF first = p[0];
    if (!figure_open_ || points_.back().x != first.x || points_.back().y != first.y)
        add_point(first, PathPointTypeLine);
    for (std::ptrdiff_t i = 0; i + 1 < static_cast<std::ptrdiff_t>(n); ++i) {
        const PointF p0 = pt(i - 1), p1 = pt(i), p2 = pt(i + 1), p3 = pt(i + 2);
        add_point(PointF{static_cast<float>(p1.x + f * (p2.x - p0.x)),
                         static_cast<float>(p1.y + f * (p2.y - p0.y))},
                  PathPointTypeBezier);
        add_point(PointF{static_cast<float>(p2.x - f * (p3.x - p1.x)),
                         static_cast<float>(p2.y - f * (p3.y - p1.y))},
                  PathPointTypeBezier);
        add_point(p2, PathPointTypeBezier);
    }
    return Status::Ok;
}

Status GraphicsPath::add_curve_i(std::span<const Point> points, float tension) {
    std::vector<PointF> f;
    f.reserve(points.size());
    for (const Point& p : points)
        f.push_back(PointF{float(p.x), float(p.y)});
    return add_curve(f, tension);
}

Status GraphicsPath::add_ellipse(float x, float y, float width, float height) {
    figure_open_ = false;
    // Four quarter arcs of three points after the start.
    points_.reserve(points_.size() + 13);
    types_.reserve(types_.size() + 13);
    add_arc_beziers(x, y, width, height, 0.0f, 360.0f, false);
    close_figure();
    return Status::Ok;
}

Status GraphicsPath::add_ellipse_i(double x, double y, double width, double height) {
    return add_ellipse(fi(x), fi(y), fi(width), fi(height));
}

Status GraphicsPath::add_rectangle(float x, float y, float width, float height) {
    figure_open_ = false;
    add_point(PointF{x, y}, PathPointTypeStart);
    add_point(PointF{x + width, y}, PathPointTypeLine);
    add_point(PointF{x + width, y + height}, PathPointTypeLine);
    add_point(PointF{x, y + height}, PathPointTypeLine);
    close_figure();
    return Status::Ok;
}

Status GraphicsPath::add_rectangle_i(double x, double y, double width, double height) {
    return add_rectangle(fi(x), fi(y), fi(width), fi(height));
}

Status GraphicsPath::add_polygon(std::span<const PointF> points) {
    if (points.size() < 2) return Status::InvalidParameter;
    figure_open_ = false;
    for (const PointF& p : points)
        add_point(p, PathPointTypeLine);
    close_figure();
    return Status::Ok;
}

Status GraphicsPath::add_polygon_i(std::span<const Point> points) {
    std::vector<PointF> f;
    f.reserve(points.size());
    for (const Point& p : points)
        f.push_back(PointF{float(p.x), float(p.y)});
    return add_polygon(f);
}

Status GraphicsPath::add_pie(float x, float y, float width, float height, float start_angle,
                             float sweep_angle) {
    figure_open_ = false;
    add_point(PointF{x + width / 2.0f, y + height / 2.0f}, PathPointTypeStart);
    add_arc_beziers(x, y, width, height, start_angle, sweep_angle, true);
    close_figure();
    return Status::Ok;
}

void GraphicsPath::close_figure() {
    if (figure_open_ && !types_.empty()) types_.back() |= PathPointTypeCloseSubpath;
    figure_open_ = false;
}

void GraphicsPath::close_all_figures() {
    for (std::size_t i = 0; i < types_.size(); ++i) {
        const bool last_of_figure = i + 1 == types_.size() || (types_[i + 1] & PathPointTypeMask) == 0;
        if (last_of_figure) types_[i] |= PathPointTypeCloseSubpath;
    }
    figure_open_ = false;
}

void GraphicsPath::reset() {
    points_.clear();
    types_.clear();
    figure_open_ = false;
}

} // namespace gfx
