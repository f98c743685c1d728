// The Cairo backend: ARGB32 image surfaces drawn with GDI+'s conventions.
// Paths are handed to Cairo in device space and stroked under the world
// transform, so pens scale and turn with it; pixel centres follow the pixel
// offset mode; geometry far outside any surface is cut to a guard box first,
// since Cairo's fixed-point coordinates cannot hold it.
#include "platform/gfx_detail.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>

namespace gfx::detail {

struct CairoCanvas {
    cairo_surface_t* surface = nullptr;
};

struct CairoContext {
    cairo_t* cr = nullptr;
};

namespace {

constexpr double kGuard = 2.0e6; // device pixels

struct DPoint {
    double x, y;
};

void set_color(cairo_t* cr, Argb c) {
    cairo_set_source_rgba(cr, ((c >> 16) & 0xFF) / 255.0, ((c >> 8) & 0xFF) / 255.0, (c & 0xFF) / 255.0,
                          ((c >> 24) & 0xFF) / 255.0);
}

bool antialiased(SmoothingMode mode) {
    return mode == SmoothingMode::AntiAlias || mode == SmoothingMode::HighQuality;
}

cairo_matrix_t device_matrix(const DrawState& s) {
    const double shift = pixel_offset_shift(s.pixel_offset);
    cairo_matrix_t m;
    cairo_matrix_init(&m, s.world.m11, s.world.m12, s.world.m21, s.world.m22, s.world.dx + shift,
                      s.world.dy + shift);
    return m;
}

DPoint to_device(const cairo_matrix_t& m, PointF p) {
    double x = p.x, y = p.y;
    cairo_matrix_transform_point(&m, &x, &y);
    return DPoint{x, y};
}

bool inside_guard(const DPoint& p) {
    return std::fabs(p.x) <= kGuard && std::fabs(p.y) <= kGuard;
}

struct Figure {
    std::size_t begin, end; // [begin, end)
    bool closed;
};

std::vector<Figure> figures_of(const std::vector<uint8_t>& types) {
    std::vector<Figure> out;
    std::size_t b = 0;
    for (std::size_t i = 0; i < types.size(); ++i) {
        const bool last = i + 1 == types.size() || (types[i + 1] & PathPointTypeMask) == PathPointTypeStart;
        if (last) {
            out.push_back(Figure{b, i + 1, (types[i] & PathPointTypeCloseSubpath) != 0});
            b = i + 1;
        }
    }
    return out;
}

// Device points of the whole path; true when all lie inside the guard box.
bool device_points(const std::vector<PointF>& pts, const cairo_matrix_t& m, std::vector<DPoint>& out) {
    out.clear();
    out.reserve(pts.size());
    bool inside = true;
    for (const PointF& p : pts) {
        const DPoint d = to_device(m, p);
        if (!std::isfinite(d.x) || !std::isfinite(d.y) || !inside_guard(d)) inside = false;
        out.push_back(d);
    }
    return inside;
}

void append_cairo_path(cairo_t* cr, const std::vector<DPoint>& d, const std::vector<uint8_t>& types) {
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

// Polylines of each figure in device space, Beziers flattened.
struct Polyline {
    std::vector<DPoint> pts;
    bool closed;
};

std::vector<Polyline> flatten(const std::vector<DPoint>& d, const std::vector<uint8_t>& types) {
    std::vector<Polyline> out;
    for (const Figure& f : figures_of(types)) {
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
    }
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

// Puts the path into Cairo in device space for filling or clipping.
void set_fill_path(cairo_t* cr, const std::vector<PointF>& pts, const std::vector<uint8_t>& types,
                   const cairo_matrix_t& m) {
    cairo_identity_matrix(cr);
    cairo_new_path(cr);
    std::vector<DPoint> d;
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

// Strokes the world path under the current Cairo matrix setup.
void stroke_world_path(cairo_t* cr, const std::vector<PointF>& pts, const std::vector<uint8_t>& types,
                       const cairo_matrix_t& m, double width, DashStyle dash) {
    std::vector<double> pattern;
    dash_pattern(dash, width, pattern);
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
    cairo_set_miter_limit(cr, 10.0);
    std::vector<DPoint> d;
    if (device_points(pts, m, d)) {
        cairo_identity_matrix(cr);
        cairo_new_path(cr);
        append_cairo_path(cr, d, types);
        cairo_set_matrix(cr, &m);
        cairo_set_dash(cr, pattern.data(), static_cast<int>(pattern.size()), 0.0);
        cairo_stroke(cr);
        return;
    }
    // Far outside: cut each segment to the guard box and keep the dash phase
    // by the world length walked before each visible run.
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

struct CapShape {
    GraphicsPath path;
    bool stroked = false;
};

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

float pixel_offset_shift(PixelOffsetMode mode) {
    return (mode == PixelOffsetMode::Half || mode == PixelOffsetMode::HighQuality) ? 0.0f : 0.5f;
}

CairoCanvas* canvas_create(int32_t width, int32_t height) {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(s);
        return nullptr;
    }
    auto* c = new CairoCanvas;
    c->surface = s;
    return c;
}

void canvas_destroy(CairoCanvas* canvas) {
    if (!canvas) return;
    cairo_surface_destroy(canvas->surface);
    delete canvas;
}

bool canvas_write_png(CairoCanvas* canvas, const std::string& path, bool over_black) {
    if (!canvas) return false;
    const int width = cairo_image_surface_get_width(canvas->surface);
    const int height = cairo_image_surface_get_height(canvas->surface);
    if (width <= 0 || height <= 0) return false;
    cairo_surface_flush(canvas->surface);
    if (!over_black) return cairo_surface_write_to_png(canvas->surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
    // What a transparent surface leaves uncovered shows black, as on the
    // cockpit's screen.
    cairo_surface_t* opaque = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    cairo_t* cr = cairo_create(opaque);
    cairo_set_source_rgb(cr, 0.0, 0.0, 0.0);
    cairo_paint(cr);
    cairo_set_source_surface(cr, canvas->surface, 0.0, 0.0);
    cairo_paint(cr);
    cairo_destroy(cr);
    const bool written = cairo_surface_write_to_png(opaque, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(opaque);
    return written;
}

Argb canvas_pixel(const CairoCanvas* canvas, int32_t x, int32_t y) {
    if (!canvas) return 0;
    cairo_surface_t* s = canvas->surface;
    if (x < 0 || y < 0 || x >= cairo_image_surface_get_width(s) || y >= cairo_image_surface_get_height(s))
        return 0;
    cairo_surface_flush(s);
    const unsigned char* row =
        cairo_image_surface_get_data(s) + static_cast<std::ptrdiff_t>(y) * cairo_image_surface_get_stride(s);
    uint32_t px;
    std::copy_n(row + 4 * x, 4, reinterpret_cast<unsigned char*>(&px));
    const uint32_t a = px >> 24;
    if (a == 0) return 0;
    auto un = [a](uint32_t c) { return std::min<uint32_t>(255, (c * 255 + a / 2) / a); };
    return (a << 24) | (un((px >> 16) & 0xFF) << 16) | (un((px >> 8) & 0xFF) << 8) | un(px & 0xFF);
}

CairoContext* context_create(CairoCanvas* canvas) {
    if (!canvas) return nullptr;
    auto* c = new CairoContext;
    c->cr = cairo_create(canvas->surface);
    return c;
}

void context_destroy(CairoContext* context) {
    if (!context) return;
    cairo_destroy(context->cr);
    delete context;
}

void context_clear(CairoContext* context, Argb color) {
    cairo_t* cr = context->cr;
    cairo_save(cr);
    cairo_identity_matrix(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    set_color(cr, color);
    cairo_paint(cr);
    cairo_restore(cr);
}

void context_set_clip(CairoContext* context, const GraphicsPath* path, const DrawState& state) {
    cairo_t* cr = context->cr;
    cairo_reset_clip(cr);
    if (!path) return;
    // Clip regions are whole pixels in GDI+, whatever the smoothing mode.
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    set_fill_path(cr, path->points(), path->types(), device_matrix(state));
    cairo_set_fill_rule(cr, path->fill_mode() == FillMode::Winding ? CAIRO_FILL_RULE_WINDING
                                                                   : CAIRO_FILL_RULE_EVEN_ODD);
    cairo_clip(cr);
}

void context_fill(CairoContext* context, const GraphicsPath& path, Argb color, const DrawState& state) {
    if (!matrix_invertible(state.world)) return; // collapsed to nothing
    cairo_t* cr = context->cr;
    cairo_save(cr);
    cairo_set_antialias(cr, antialiased(state.smoothing) ? CAIRO_ANTIALIAS_DEFAULT : CAIRO_ANTIALIAS_NONE);
    set_fill_path(cr, path.points(), path.types(), device_matrix(state));
    cairo_set_fill_rule(cr, path.fill_mode() == FillMode::Winding ? CAIRO_FILL_RULE_WINDING
                                                                  : CAIRO_FILL_RULE_EVEN_ODD);
    set_color(cr, color);
    cairo_fill(cr);
    cairo_restore(cr);
}

void context_stroke(CairoContext* context, const GraphicsPath& path, const Pen& pen, const DrawState& state) {
    if (!matrix_invertible(state.world) || path.points().empty()) return;
    cairo_t* cr = context->cr;
    const cairo_matrix_t m = device_matrix(state);
    // A pen narrower than a device pixel draws one pixel wide.
    const double scale = std::sqrt(
        std::fabs(double(state.world.m11) * state.world.m22 - double(state.world.m12) * state.world.m21));
    double width = pen.width;
    if (width * scale < 1.0) width = 1.0 / scale;

    std::vector<PointF> pts = path.points();
    const std::vector<uint8_t>& types = path.types();
    std::vector<CapShape> caps;
    for (const Figure& f : figures_of(types)) {
        if (f.closed || f.end - f.begin < 2) continue;
        PointF dir;
        const bool end_line = (types[f.end - 1] & PathPointTypeMask) == PathPointTypeLine;
        if ((pen.end_cap != LineCap::Flat || pen.custom_end_cap) &&
            end_direction(pts, f.end - 1, f.end - 2, f.begin, dir))
            make_cap(pen.end_cap, pen.custom_end_cap, pts[f.end - 1], end_line, dir, width, caps);
        const bool start_line = (types[f.begin + 1] & PathPointTypeMask) == PathPointTypeLine;
        if ((pen.start_cap != LineCap::Flat || pen.custom_start_cap) &&
            end_direction(pts, f.begin, f.begin + 1, f.end - 1, dir))
            make_cap(pen.start_cap, pen.custom_start_cap, pts[f.begin], start_line, dir, width, caps);
    }

    cairo_save(cr);
    cairo_set_antialias(cr, antialiased(state.smoothing) ? CAIRO_ANTIALIAS_DEFAULT : CAIRO_ANTIALIAS_NONE);
    set_color(cr, pen.color);
    stroke_world_path(cr, pts, types, m, width, pen.dash_style);
    for (CapShape& cap : caps) {
        if (cap.stroked) {
            stroke_world_path(cr, cap.path.points(), cap.path.types(), m, width, DashStyle::Solid);
        } else {
            set_fill_path(cr, cap.path.points(), cap.path.types(), m);
            cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
            cairo_fill(cr);
        }
    }
    cairo_restore(cr);
}

void context_draw_text(CairoContext* context, const TextLayout& layout, const Font& font, Argb color,
                       const DrawState& state) {
    if (!matrix_invertible(state.world) || layout.lines.empty()) return;
    cairo_t* cr = context->cr;
    const cairo_matrix_t m = device_matrix(state);
    cairo_save(cr);
    cairo_set_matrix(cr, &m);
    if (layout.clipped) {
        const DPoint corner = to_device(m, PointF{layout.clip_rect.x, layout.clip_rect.y});
        if (inside_guard(corner)) {
            cairo_rectangle(cr, layout.clip_rect.x, layout.clip_rect.y, layout.clip_rect.width,
                            layout.clip_rect.height);
            cairo_clip(cr);
        }
    }
    cairo_set_font_face(cr, static_cast<cairo_font_face_t*>(font_face_handle(font.face, font.style)));
    cairo_set_font_size(cr, layout.em);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    const bool aliased = state.text_hint == TextRenderingHint::SingleBitPerPixel ||
                         state.text_hint == TextRenderingHint::SingleBitPerPixelGridFit;
    cairo_font_options_set_antialias(options, aliased ? CAIRO_ANTIALIAS_NONE : CAIRO_ANTIALIAS_GRAY);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
    set_color(cr, color);
    for (const TextLine& line : layout.lines) {
        if (line.utf8.empty()) continue;
        if (!inside_guard(to_device(m, PointF{line.x, line.baseline}))) continue;
        cairo_move_to(cr, line.x, line.baseline);
        cairo_show_text(cr, line.utf8.c_str());
    }
    cairo_restore(cr);
}

} // namespace gfx::detail
