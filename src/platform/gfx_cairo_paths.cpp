// World paths into Cairo: device points, the guard box that keeps them within
// Cairo's fixed-point range, and the caps GDI+ draws at line ends.
#include "platform/gfx_cairo_paths.h"

#include <algorithm>
#include <cmath>

namespace gfx::detail {

namespace {

struct Figure {
    std::size_t begin, end; // [begin, end)
    bool closed;
};

template <class Visit> void for_each_figure(std::span<const uint8_t> types, Visit visit) {
    std::size_t b = 0;
    for (std::size_t i = 0; i < types.size(); ++i) {
        const bool last = i + 1 == types.size() || (types[i + 1] & PathPointTypeMask) == PathPointTypeStart;
        if (last) {
            visit(Figure{b, i + 1, (types[i] & PathPointTypeCloseSubpath) != 0});
            b = i + 1;
        }
    }
}

// Polylines of each figure in device space, Beziers flattened.
struct Polyline {
    std::vector<DPoint> pts;
    bool closed;
};

std::vector<Polyline> flatten(std::span<const DPoint> d, std::span<const uint8_t> types) {
    std::vector<Polyline> out;
    for_each_figure(types, [&](const Figure& f) {
        Polyline pl{{}, f.closed};
        for (std::size_t i = f.begin; i < f.end; ++i) {
            const uint8_t t = types[i] & PathPointTypeMask;
            if (t == PathPointTypeBezier && i + 2 < f.end && !pl.pts.empty()) {
                const DPoint p0 = pl.pts.back(), p1 = d[i], p2 = d[i + 1], p3 = d[i + 2];
                const double chord = std::hypot(p3.x - p0.x, p3.y - p0.y) +
                                     std::hypot(p1.x - p0.x, p1.y - p0.y) +
                                     std::hypot(p2.x - p3.x, p2.y - p3.y);
                const int n = std::clamp(static_cast<int>(chord / 4.0), 8, 256);
                for (int k = 1; k <= n; ++k) {
                    const double u = double(k) / n, v = 1.0 - u;
                    pl.pts.push_back(DPoint{
                        v * v * v * p0.x + 3 * v * v * u * p1.x + 3 * v * u * u * p2.x + u * u * u * p3.x,
                        v * v * v * p0.y + 3 * v * v * u * p1.y + 3 * v * u * u * p2.y + u * u * u * p3.y});
                }
                i += 2;
            } else {
                pl.pts.push_back(d[i]);
            }
        }
        out.push_back(std::move(pl));
    });
    return out;
}

// Liang-Barsky: the part [t0, t1] of a->b inside the guard box.
bool clip_segment(const DPoint& a, const DPoint& b, double& t0, double& t1) {
    t0 = 0.0;
    t1 = 1.0;
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x + kGuard, kGuard - a.x, a.y + kGuard, kGuard - a.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) return false;
        } else {
            const double r = q[i] / p[i];
            if (p[i] < 0.0) {
                if (r > t1) return false;
                t0 = std::max(t0, r);
            } else {
                if (r < t0) return false;
                t1 = std::min(t1, r);
            }
        }
    }
    return t0 <= t1;
}

// Sutherland-Hodgman against the guard box.
std::vector<DPoint> clip_polygon(std::vector<DPoint> poly) {
    auto clip_edge = [](const std::vector<DPoint>& in, auto inside, auto cross) {
        std::vector<DPoint> out;
        for (std::size_t i = 0; i < in.size(); ++i) {
            const DPoint& cur = in[i];
            const DPoint& prev = in[(i + in.size() - 1) % in.size()];
            if (inside(cur)) {
                if (!inside(prev)) out.push_back(cross(prev, cur));
                out.push_back(cur);
            } else if (inside(prev)) {
                out.push_back(cross(prev, cur));
            }
        }
        return out;
    };
    for (int edge = 0; edge < 4 && !poly.empty(); ++edge) {
        const bool vertical = edge < 2;
        const double limit = (edge % 2 == 0) ? -kGuard : kGuard;
        auto inside = [&](const DPoint& p) {
            const double v = vertical ? p.x : p.y;
            return edge % 2 == 0 ? v >= limit : v <= limit;
        };
        auto cross = [&](const DPoint& a, const DPoint& b) {
            if (vertical) {
                const double t = (limit - a.x) / (b.x - a.x);
                return DPoint{limit, a.y + t * (b.y - a.y)};
            }
            const double t = (limit - a.y) / (b.y - a.y);
            return DPoint{a.x + t * (b.x - a.x), limit};
        };
        poly = clip_edge(poly, inside, cross);
    }
    return poly;
}

// Direction of the line at a figure end, pointing outwards; false when the
// figure has no length there.
bool end_direction(const std::vector<PointF>& pts, std::size_t end_index, std::size_t other_from,
                   std::size_t other_to, PointF& dir) {
    const PointF e = pts[end_index];
    const int step = other_from <= other_to ? 1 : -1;
    for (std::size_t i = other_from;; i += step) {
        const double dx = e.x - pts[i].x, dy = e.y - pts[i].y;
        const double len = std::hypot(dx, dy);
        if (len > 1e-9) {
            dir = PointF{static_cast<float>(dx / len), static_cast<float>(dy / len)};
            return true;
        }
        if (i == other_to) break;
    }
    return false;
}

// Builds the cap shapes of one end and, for an arrow, pulls the line end back
// to the arrow's base.
void make_cap(LineCap cap, const std::optional<AdjustableArrowCap>& arrow, PointF& end_point,
              bool end_is_line, PointF dir, double w, std::vector<CapShape>& shapes) {
    const PointF n{-dir.y, dir.x};
    const PointF p = end_point;
    auto at = [&](double along, double across) {
        return PointF{static_cast<float>(p.x + dir.x * along + n.x * across),
                      static_cast<float>(p.y + dir.y * along + n.y * across)};
    };
    if (arrow) {
        const double len = arrow->height * w;
        const double half = arrow->width * w / 2.0;
        CapShape s;
        if (arrow->filled) {
            const PointF tri[3] = {at(0, 0), at(-len, half), at(-len, -half)};
            s.path.add_polygon(tri);
        } else {
            const PointF v[3] = {at(-len, half), at(0, 0), at(-len, -half)};
            s.path.add_lines(v);
            s.stroked = true;
        }
        shapes.push_back(std::move(s));
        if (end_is_line && arrow->filled) end_point = at(-len, 0);
        return;
    }
    CapShape s;
    const double h = w / 2.0;
    switch (cap) {
    case LineCap::Flat:
        return;
    case LineCap::Square: {
        const PointF quad[4] = {at(0, h), at(h, h), at(h, -h), at(0, -h)};
        s.path.add_polygon(quad);
        break;
    }
    case LineCap::Round:
        s.path.add_ellipse(static_cast<float>(p.x - h), static_cast<float>(p.y - h), static_cast<float>(w),
                           static_cast<float>(w));
        break;
    case LineCap::Triangle: {
        const PointF tri[3] = {at(0, h), at(h, 0), at(0, -h)};
        s.path.add_polygon(tri);
        break;
    }
    }
    shapes.push_back(std::move(s));
}

} // namespace

cairo_matrix_t device_matrix(const DrawState& s) {
    const double shift = pixel_offset_shift(s.pixel_offset);
    cairo_matrix_t m;
    cairo_matrix_init(&m, s.world.m11, s.world.m12, s.world.m21, s.world.m22, s.world.dx + shift,
                      s.world.dy + shift);
    return m;
}

DPoint to_device(const cairo_matrix_t& m, PointF p) {
    return DPoint{m.xx * p.x + m.xy * p.y + m.x0, m.yx * p.x + m.yy * p.y + m.y0};
}

bool inside_guard(const DPoint& p) {
    return std::fabs(p.x) <= kGuard && std::fabs(p.y) <= kGuard;
}

bool device_points(std::span<const PointF> pts, const cairo_matrix_t& m, std::vector<DPoint>& out) {
    out.resize(pts.size());
    bool inside = true;
    for (std::size_t i = 0; i < pts.size(); ++i) {
        const DPoint d = to_device(m, pts[i]);
        // A NaN fails the comparison too.
        if (!(std::fabs(d.x) <= kGuard && std::fabs(d.y) <= kGuard)) inside = false;
        out[i] = d;
    }
    return inside;
}

void append_cairo_path(cairo_t* cr, std::span<const DPoint> d, std::span<const uint8_t> types) {
    for (std::size_t i = 0; i < d.size(); ++i) {
        const uint8_t t = types[i] & PathPointTypeMask;
        if (t == PathPointTypeStart) {
            cairo_move_to(cr, d[i].x, d[i].y);
        } else if (t == PathPointTypeBezier && i + 2 < d.size()) {
            cairo_curve_to(cr, d[i].x, d[i].y, d[i + 1].x, d[i + 1].y, d[i + 2].x, d[i + 2].y);
            i += 2;
        } else {
            cairo_line_to(cr, d[i].x, d[i].y);
        }
        if (types[i] & PathPointTypeCloseSubpath) cairo_close_path(cr);
    }
}

void set_fill_path(cairo_t* cr, std::span<const PointF> pts, std::span<const uint8_t> types,
                   const cairo_matrix_t& m, std::vector<DPoint>& d) {
    cairo_identity_matrix(cr);
    cairo_new_path(cr);
    if (device_points(pts, m, d)) {
        append_cairo_path(cr, d, types);
        return;
    }
    for (Polyline& pl : flatten(d, types)) {
        bool finite = true;
        for (const DPoint& p : pl.pts)
            finite = finite && std::isfinite(p.x) && std::isfinite(p.y);
        if (!finite) continue;
        const std::vector<DPoint> poly = clip_polygon(pl.pts);
        for (std::size_t i = 0; i < poly.size(); ++i) {
            if (i == 0)
                cairo_move_to(cr, poly[i].x, poly[i].y);
            else
                cairo_line_to(cr, poly[i].x, poly[i].y);
        }
        if (!poly.empty()) cairo_close_path(cr);
    }
}

void dash_pattern(DashStyle style, double width, std::vector<double>& out) {
    out.clear();
    switch (style) {
    case DashStyle::Dash:
        out = {3, 1};
        break;
    case DashStyle::Dot:
        out = {1, 1};
        break;
    case DashStyle::DashDot:
        out = {3, 1, 1, 1};
        break;
    case DashStyle::DashDotDot:
        out = {3, 1, 1, 1, 1, 1};
        break;
    case DashStyle::Solid:
        break;
    }
    for (double& v : out)
        v *= width;
}

void stroke_far_path(cairo_t* cr, std::span<const DPoint> d, std::span<const uint8_t> types,
                     const cairo_matrix_t& m, const std::vector<double>& pattern) {
    cairo_matrix_t inverse = m;
    cairo_matrix_invert(&inverse);
    auto world_length = [&](const DPoint& a, const DPoint& b) {
        double dx = b.x - a.x, dy = b.y - a.y;
        cairo_matrix_transform_distance(&inverse, &dx, &dy);
        return std::hypot(dx, dy);
    };
    for (Polyline& pl : flatten(d, types)) {
        if (pl.closed && !pl.pts.empty()) pl.pts.push_back(pl.pts.front());
        double walked = 0.0;
        bool run_open = false;
        auto finish_run = [&]() {
            if (!run_open) return;
            cairo_set_matrix(cr, &m);
            cairo_stroke(cr);
            run_open = false;
        };
        for (std::size_t i = 0; i + 1 < pl.pts.size(); ++i) {
            const DPoint a = pl.pts[i], b = pl.pts[i + 1];
            if (!std::isfinite(a.x) || !std::isfinite(a.y) || !std::isfinite(b.x) || !std::isfinite(b.y)) {
                finish_run();
                continue;
            }
            const double len = world_length(a, b);
            double t0, t1;
            if (!clip_segment(a, b, t0, t1)) {
                finish_run();
                walked += len;
                continue;
            }
            const DPoint s{a.x + t0 * (b.x - a.x), a.y + t0 * (b.y - a.y)};
            const DPoint e{a.x + t1 * (b.x - a.x), a.y + t1 * (b.y - a.y)};
            if (t0 > 0.0) finish_run();
            if (!run_open) {
                cairo_identity_matrix(cr);
                cairo_new_path(cr);
                cairo_set_dash(cr, pattern.data(), static_cast<int>(pattern.size()), walked + t0 * len);
                cairo_move_to(cr, s.x, s.y);
                run_open = true;
            }
            cairo_line_to(cr, e.x, e.y);
            if (t1 < 1.0) finish_run();
            walked += len;
        }
        finish_run();
    }
}

void make_caps(std::vector<PointF>& pts, std::span<const uint8_t> types, const Pen& pen, double width,
               std::vector<CapShape>& caps) {
    caps.clear();
    for_each_figure(types, [&](const Figure& f) {
        if (f.closed || f.end - f.begin < 2) return;
        PointF dir;
        const bool end_line = (types[f.end - 1] & PathPointTypeMask) == PathPointTypeLine;
        if ((pen.end_cap != LineCap::Flat || pen.custom_end_cap) &&
            end_direction(pts, f.end - 1, f.end - 2, f.begin, dir))
            make_cap(pen.end_cap, pen.custom_end_cap, pts[f.end - 1], end_line, dir, width, caps);
        const bool start_line = (types[f.begin + 1] & PathPointTypeMask) == PathPointTypeLine;
        if ((pen.start_cap != LineCap::Flat || pen.custom_start_cap) &&
            end_direction(pts, f.begin, f.begin + 1, f.end - 1, dir))
            make_cap(pen.start_cap, pen.custom_start_cap, pts[f.begin], start_line, dir, width, caps);
    });
}

} // namespace gfx::detail
