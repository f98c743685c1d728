// Graphics: the world transform, modes and clip of one drawing session on a
// device context, and the dispatch of each call to the surface's backends.
#include "platform/gfx_detail.h"

#include <algorithm>
#include <cmath>

namespace gfx {

namespace {

std::vector<uint32_t> g_tokens; // outstanding start-up tokens
uint32_t g_last_token = 0;

float fi(double v) {
    return static_cast<float>(saturate_i32(v));
}

// Integer points as float points, in a buffer reused by every call.
std::span<const PointF> to_float(std::span<const Point> points) {
    static std::vector<PointF> out;
    out.resize(points.size());
    for (std::size_t i = 0; i < points.size(); ++i)
        out[i] = PointF{float(points[i].x), float(points[i].y)};
    return out;
}

bool finite_points(std::span<const PointF> pts) {
    for (const PointF& p : pts)
        if (!std::isfinite(p.x) || !std::isfinite(p.y)) return false;
    return true;
}

bool valid_pen(const Pen& pen) {
    return std::isfinite(pen.width) && pen.width >= 0.0f;
}

RectF bounds_of(std::span<const PointF> pts) {
    if (pts.empty()) return RectF{};
    float x0 = pts[0].x, y0 = pts[0].y, x1 = x0, y1 = y0;
    for (const PointF& p : pts) {
        x0 = std::min(x0, p.x);
        y0 = std::min(y0, p.y);
        x1 = std::max(x1, p.x);
        y1 = std::max(y1, p.y);
    }
    return RectF{x0, y0, x1 - x0, y1 - y0};
}

// The points through the matrix into `out`, and the bounds of what they
// became, in one pass (a boundary's polyline has hundreds of points).
RectF apply_with_bounds(const Matrix& m, std::span<const PointF> pts, std::vector<PointF>& out) {
    out.resize(pts.size());
    if (pts.empty()) return RectF{};
    out[0] = matrix_apply(m, pts[0]);
    float x0 = out[0].x, y0 = out[0].y, x1 = x0, y1 = y0;
    for (std::size_t i = 1; i < pts.size(); ++i) {
        const PointF p = matrix_apply(m, pts[i]);
        out[i] = p;
        x0 = std::min(x0, p.x);
        y0 = std::min(y0, p.y);
        x1 = std::max(x1, p.x);
        y1 = std::max(y1, p.y);
    }
    return RectF{x0, y0, x1 - x0, y1 - y0};
}

// The device bounds of a world box.
RectF box_bounds(const Matrix& m, const RectF& r) {
    const PointF corners[4] = {matrix_apply(m, PointF{r.x, r.y}), matrix_apply(m, PointF{r.x + r.width, r.y}),
                               matrix_apply(m, PointF{r.x + r.width, r.y + r.height}),
                               matrix_apply(m, PointF{r.x, r.y + r.height})};
    return bounds_of(corners);
}

void box_corners(const Matrix& m, const RectF& r, std::vector<PointF>& out) {
    out.assign({matrix_apply(m, PointF{r.x, r.y}), matrix_apply(m, PointF{r.x + r.width, r.y}),
                matrix_apply(m, PointF{r.x + r.width, r.y + r.height}),
                matrix_apply(m, PointF{r.x, r.y + r.height})});
}

float mean_scale(const Matrix& m) {
    return static_cast<float>(std::sqrt(std::fabs(double(m.m11) * m.m22 - double(m.m12) * m.m21)));
}

// What a drawing call hands to the backends and the recording. Lines and
// polygons go as their vertices; other shapes as a path, which only the
// Cairo backend needs: the recording keeps the box, so a surface without
// Cairo leaves a box shape untraced.
struct Shape {
    Shape(OpKind k, bool traced_) : kind(k), traced(traced_) {}
    OpKind kind;
    bool traced;
    const GraphicsPath* path = nullptr; // the caller's or the state's scratch path
    std::span<const PointF> vertices;   // lines and polygons (world), the caller's
    FillMode fill_mode = FillMode::Alternate;
    bool box_based = false;
    RectF box;
    float start_angle = 0.0f;
    float sweep_angle = 0.0f;
};

} // namespace

Status startup(uint32_t* token) {
    if (!token) return Status::InvalidParameter;
    if (++g_last_token == 0) ++g_last_token;
    g_tokens.push_back(g_last_token);
    *token = g_last_token;
    return Status::Ok;
}

void shutdown(uint32_t token) {
    auto it = std::find(g_tokens.begin(), g_tokens.end(), token);
    if (it != g_tokens.end()) g_tokens.erase(it);
}

bool started() {
    return !g_tokens.empty();
}

namespace detail {

struct GraphicsState {
    SurfaceObject* surface = nullptr;
    uint64_t checked_at = 0; // surfaces_destroyed() when surface was last found live
    CairoContext* cairo = nullptr;
    DrawState draw;
    int clip_op = -1;
    GraphicsPath scratch; // box shapes traced for Cairo, reused
    TextLayout text;      // the last text laid out, its buffers reused
    // The clip's device-space bounds while one is set.
    bool clipped = false;
    RectF clip_bounds;

    ~GraphicsState() { context_destroy(cairo); }

    Recording* recording() const { return surface->recording.get(); }

    RecordedOp& record(OpKind kind) {
        Recording* r = recording();
        r->ops.emplace_back();
        RecordedOp& op = r->ops.back();
        op.points = r->take_points();
        op.kind = kind;
        op.transform = draw.world;
        op.clip = clip_op;
        return op;
    }

    void record_geometry(RecordedOp& op, const Shape& s) {
        if (s.box_based) {
            box_corners(draw.world, s.box, op.points);
            op.world_rect = s.box;
            op.start_angle = s.start_angle;
            op.sweep_angle = s.sweep_angle;
            op.bounds = bounds_of(op.points);
        } else if (s.kind == OpKind::Path) {
            op.bounds = apply_with_bounds(draw.world, s.path->points(), op.points);
            op.point_types = s.path->types();
            op.fill_mode = s.path->fill_mode();
        } else {
            op.bounds = apply_with_bounds(draw.world, s.vertices, op.points);
        }
    }

    void stroke(const Shape& s, const Pen& pen) {
        if (cairo) {
            if (s.path)
                context_stroke(cairo, *s.path, pen, draw);
            else if (!s.box_based)
                context_stroke_polyline(cairo, s.vertices, s.kind == OpKind::Polygon, pen, draw);
        }
        if (!recording()) return;
        RecordedOp& op = record(s.kind);
        op.color = pen.color;
        op.pen_width = pen.width;
        op.device_pen_width = pen.width * mean_scale(draw.world);
        op.dash_style = pen.dash_style;
        op.start_cap = pen.start_cap;
        op.end_cap = pen.end_cap;
        op.start_arrow = pen.custom_start_cap.has_value();
        op.end_arrow = pen.custom_end_cap.has_value();
        record_geometry(op, s);
    }

    void fill(const Shape& s, Argb color) {
        if (cairo) {
            if (s.path)
                context_fill(cairo, *s.path, color, draw);
            else if (!s.box_based)
                context_fill_polygon(cairo, s.vertices, s.fill_mode, color, draw);
        }
        if (!recording()) return;
        RecordedOp& op = record(s.kind);
        op.fill = true;
        op.color = color;
        op.fill_mode = s.path ? s.path->fill_mode() : s.fill_mode;
        record_geometry(op, s);
    }

    void setting(SettingKind kind, int32_t value) {
        if (!recording()) return;
        RecordedOp& op = record(OpKind::Setting);
        op.setting = kind;
        op.value = value;
    }
};

} // namespace detail

Graphics::Graphics(void* device_context) {
    if (!started()) {
        last_status_ = Status::GdiplusNotInitialized;
        return;
    }
    detail::SurfaceObject* surface = detail::surface_from_dc(device_context);
    if (!surface) {
        last_status_ = Status::OutOfMemory; // what GDI+ answers for an unusable device context
        return;
    }
    state_ = std::make_unique<detail::GraphicsState>();
    state_->surface = surface;
    state_->checked_at = detail::surfaces_destroyed();
    if (surface->cairo) state_->cairo = detail::context_create(surface->cairo);
}

Graphics::~Graphics() = default;

Status Graphics::fail(Status status) {
    if (status != Status::Ok) last_status_ = status;
    return status;
}

Status Graphics::check() const {
    if (!state_) return Status::InvalidParameter;
    if (!started()) return Status::GdiplusNotInitialized;
    // The device context may have been destroyed under a live Graphics; the
    // live set is asked again only after some surface was destroyed.
    if (state_->checked_at != detail::surfaces_destroyed()) {
        if (detail::surface_from_dc(state_->surface) != state_->surface) return Status::InvalidParameter;
        state_->checked_at = detail::surfaces_destroyed();
    }
    return Status::Ok;
}

// Transform ----------------------------------------------------------------

static Matrix combine(const Matrix& world, const Matrix& m, MatrixOrder order) {
    return order == MatrixOrder::Prepend ? matrix_multiply(m, world) : matrix_multiply(world, m);
}

Status Graphics::reset_transform() {
    if (Status s = check(); s != Status::Ok) return fail(s);
    state_->draw.world = Matrix{};
    return Status::Ok;
}

Status Graphics::translate_transform(float dx, float dy, MatrixOrder order) {
    return multiply_transform(matrix_translation(dx, dy), order);
}

Status Graphics::rotate_transform(float degrees, MatrixOrder order) {
    return multiply_transform(matrix_rotation(degrees), order);
}

Status Graphics::scale_transform(float sx, float sy, MatrixOrder order) {
    return multiply_transform(matrix_scaling(sx, sy), order);
}

Status Graphics::multiply_transform(const Matrix& m, MatrixOrder order) {
    if (Status s = check(); s != Status::Ok) return fail(s);
    if (order != MatrixOrder::Prepend && order != MatrixOrder::Append) return fail(Status::InvalidParameter);
    state_->draw.world = combine(state_->draw.world, m, order);
    return Status::Ok;
}

Status Graphics::set_transform(const Matrix& m) {
    if (Status s = check(); s != Status::Ok) return fail(s);
    state_->draw.world = m;
    return Status::Ok;
}

Matrix Graphics::transform() const {
    return state_ ? state_->draw.world : Matrix{};
}

// Modes ----------------------------------------------------------------------

Status Graphics::set_smoothing_mode(SmoothingMode mode) {
    if (Status s = check(); s != Status::Ok) return fail(s);
    const int v = static_cast<int>(mode);
    if (v < 0 || v > 4) return fail(Status::InvalidParameter);
    state_->draw.smoothing = mode;
    state_->setting(SettingKind::SmoothingMode, v);
    return Status::Ok;
}

Status Graphics::set_text_rendering_hint(TextRenderingHint hint) {
    if (Status s = check(); s != Status::Ok) return fail(s);
    const int v = static_cast<int>(hint);
    if (v < 0 || v > 5) return fail(Status::InvalidParameter);
    state_->draw.text_hint = hint;
    state_->setting(SettingKind::TextRenderingHint, v);
    return Status::Ok;
}

Status Graphics::set_pixel_offset_mode(PixelOffsetMode mode) {
    if (Status s = check(); s != Status::Ok) return fail(s);
    const int v = static_cast<int>(mode);
    if (v < 0 || v > 4) return fail(Status::InvalidParameter);
    state_->draw.pixel_offset = mode;
    state_->setting(SettingKind::PixelOffsetMode, v);
    return Status::Ok;
}

SmoothingMode Graphics::smoothing_mode() const {
    return state_ ? state_->draw.smoothing : SmoothingMode::Default;
}
TextRenderingHint Graphics::text_rendering_hint() const {
    return state_ ? state_->draw.text_hint : TextRenderingHint::SystemDefault;
}
PixelOffsetMode Graphics::pixel_offset_mode() const {
    return state_ ? state_->draw.pixel_offset : PixelOffsetMode::Default;
}

Status Graphics::clear(Argb color) {
    if (Status s = check(); s != Status::Ok) return fail(s);
    if (state_->cairo) detail::context_clear(state_->cairo, color);
    if (state_->recording()) state_->record(OpKind::Clear).color = color;
    return Status::Ok;
}

// Lines and polygons -----------------------------------------------------------

Status Graphics::draw_line(const Pen& pen, float x1, float y1, float x2, float y2) {
    const PointF pts[2] = {{x1, y1}, {x2, y2}};
    if (Status s = draw_lines(pen, pts); s != Status::Ok) return s;
    if (state_->recording()) state_->recording()->ops.back().kind = OpKind::Line;
    return Status::Ok;
}

Status Graphics::draw_line_i(const Pen& pen, double x1, double y1, double x2, double y2) {
    return draw_line(pen, fi(x1), fi(y1), fi(x2), fi(y2));
}

Status Graphics::draw_lines(const Pen& pen, std::span<const PointF> points) {
    if (Status s = check(); s != Status::Ok) return fail(s);
    if (points.size() < 2 || !valid_pen(pen)) return fail(Status::InvalidParameter);
    Shape shape(OpKind::Lines, state_->cairo != nullptr);
    shape.vertices = points;
    if (!finite_points(points)) return fail(Status::ValueOverflow);
    state_->stroke(shape, pen);
    return Status::Ok;
}

Status Graphics::draw_lines_i(const Pen& pen, std::span<const Point> points) {
    return draw_lines(pen, to_float(points));
}

Status Graphics::draw_polygon(const Pen& pen, std::span<const PointF> points) {
    if (Status s = check(); s != Status::Ok) return fail(s);
    if (points.size() < 2 || !valid_pen(pen)) return fail(Status::InvalidParameter);
    Shape shape(OpKind::Polygon, state_->cairo != nullptr);
    shape.vertices = points;
    if (!finite_points(points)) return fail(Status::ValueOverflow);
    state_->stroke(shape, pen);
    return Status::Ok;
}

Status Graphics::draw_polygon_i(const Pen& pen, std::span<const Point> points) {
    return draw_polygon(pen, to_float(points));
}

Status Graphics::fill_polygon(const SolidBrush& brush, std::span<const PointF> points, FillMode mode) {
    if (Status s = check(); s != Status::Ok) return fail(s);
    if (points.size() < 2) return fail(Status::InvalidParameter);
    Shape shape(OpKind::Polygon, state_->cairo != nullptr);
    shape.fill_mode = mode;
    shape.vertices = points;
    if (!finite_points(points)) return fail(Status::ValueOverflow);
    state_->fill(shape, brush.color);
    return Status::Ok;
}

Status Graphics::fill_polygon_i(const SolidBrush& brush, std::span<const Point> points, FillMode mode) {
    return fill_polygon(brush, to_float(points), mode);
}

// Box-based shapes -----------------------------------------------------------

namespace {

enum class BoxShape { Rectangle, Ellipse, Arc, Pie };

bool make_box_shape(BoxShape kind, float x, float y, float w, float h, float start, float sweep, Shape& shape,
                    GraphicsPath& path) {
    shape.box_based = true;
    shape.box = RectF{x, y, w, h};
    shape.start_angle = start;
    shape.sweep_angle = sweep;
    const bool finite = std::isfinite(x) && std::isfinite(y) && std::isfinite(w) && std::isfinite(h) &&
                        std::isfinite(start) && std::isfinite(sweep);
    if (!finite) return false;
    if (!shape.traced) return true; // the recording keeps the box
    path.reset();
    path.set_fill_mode(FillMode::Alternate);
    shape.path = &path;
    switch (kind) {
    case BoxShape::Rectangle:
        shape.kind = OpKind::Rectangle;
        if (w >= 0 && h >= 0) path.add_rectangle(x, y, w, h);
        break;
    case BoxShape::Ellipse:
        shape.kind = OpKind::Ellipse;
        path.add_ellipse(x, y, w, h);
        break;
    case BoxShape::Arc:
        shape.kind = OpKind::Arc;
        path.add_arc(x, y, w, h, start, sweep);
        break;
    case BoxShape::Pie:
        shape.kind = OpKind::Pie;
        path.add_pie(x, y, w, h, start, sweep);
        break;
    }
    return true;
}

} // namespace

Status Graphics::draw_rectangle(const Pen& pen, float x, float y, float width, float height) {
    if (Status s = check(); s != Status::Ok) return fail(s);
    if (!valid_pen(pen)) return fail(Status::InvalidParameter);
    Shape shape(OpKind::Rectangle, state_->cairo != nullptr);
    if (!make_box_shape(BoxShape::Rectangle, x, y, width, height, 0.0f, 0.0f, shape, state_->scratch))
        return fail(Status::ValueOverflow);
    state_->stroke(shape, pen);
    return Status::Ok;
}

Status Graphics::draw_rectangle_i(const Pen& pen, double x, double y, double width, double height) {
    return draw_rectangle(pen, fi(x), fi(y), fi(width), fi(height));
}

Status Graphics::fill_rectangle(const SolidBrush& brush, float x, float y, float width, float height) {
    if (Status s = check(); s != Status::Ok) return fail(s);
    Shape shape(OpKind::Rectangle, state_->cairo != nullptr);
    if (!make_box_shape(BoxShape::Rectangle, x, y, width, height, 0.0f, 0.0f, shape, state_->scratch))
        return fail(Status::ValueOverflow);
    state_->fill(shape, brush.color);
    return Status::Ok;
}

Status Graphics::fill_rectangle_i(const SolidBrush& brush, double x, double y, double width, double height) {
    return fill_rectangle(brush, fi(x), fi(y), fi(width), fi(height));
}

Status Graphics::draw_ellipse(const Pen& pen, float x, float y, float width, float height) {
    if (Status s = check(); s != Status::Ok) return fail(s);
    if (!valid_pen(pen)) return fail(Status::InvalidParameter);
    Shape shape(OpKind::Ellipse, state_->cairo != nullptr);
    if (!make_box_shape(BoxShape::Ellipse, x, y, width, height, 0.0f, 0.0f, shape, state_->scratch))
        return fail(Status::ValueOverflow);
    state_->stroke(shape, pen);
    return Status::Ok;
}

Status Graphics::draw_ellipse_i(const Pen& pen, double x, double y, double width, double height) {
    return draw_ellipse(pen, fi(x), fi(y), fi(width), fi(height));
}

Status Graphics::fill_ellipse(const SolidBrush& brush, float x, float y, float width, float height) {
    if (Status s = check(); s != Status::Ok) return fail(s);
    Shape shape(OpKind::Ellipse, state_->cairo != nullptr);
    if (!make_box_shape(BoxShape::Ellipse, x, y, width, height, 0.0f, 0.0f, shape, state_->scratch))
        return fail(Status::ValueOverflow);
    state_->fill(shape, brush.color);
    return Status::Ok;
}

Status Graphics::fill_ellipse_i(const SolidBrush& brush, double x, double y, double width, double height) {
    return fill_ellipse(brush, fi(x), fi(y), fi(width), fi(height));
}

Status Graphics::draw_arc(const Pen& pen, float x, float y, float width, float height, float start_angle,
                          float sweep_angle) {
    if (Status s = check(); s != Status::Ok) return fail(s);
    if (!valid_pen(pen)) return fail(Status::InvalidParameter);
    Shape shape(OpKind::Arc, state_->cairo != nullptr);
    if (!make_box_shape(BoxShape::Arc, x, y, width, height, start_angle, sweep_angle, shape, state_->scratch))
        return fail(Status::ValueOverflow);
    state_->stroke(shape, pen);
    return Status::Ok;
}

Status Graphics::draw_arc_i(const Pen& pen, double x, double y, double width, double height,
                            float start_angle, float sweep_angle) {
    return draw_arc(pen, fi(x), fi(y), fi(width), fi(height), start_angle, sweep_angle);
}

Status Graphics::draw_pie(const Pen& pen, float x, float y, float width, float height, float start_angle,
                          float sweep_angle) {
    if (Status s = check(); s != Status::Ok) return fail(s);
    if (!valid_pen(pen)) return fail(Status::InvalidParameter);
    Shape shape(OpKind::Pie, state_->cairo != nullptr);
    if (!make_box_shape(BoxShape::Pie, x, y, width, height, start_angle, sweep_angle, shape, state_->scratch))
        return fail(Status::ValueOverflow);
    state_->stroke(shape, pen);
    return Status::Ok;
}

Status Graphics::draw_pie_i(const Pen& pen, double x, double y, double width, double height,
                            float start_angle, float sweep_angle) {
    return draw_pie(pen, fi(x), fi(y), fi(width), fi(height), start_angle, sweep_angle);
}

Status Graphics::fill_pie(const SolidBrush& brush, float x, float y, float width, float height,
                          float start_angle, float sweep_angle) {
    if (Status s = check(); s != Status::Ok) return fail(s);
    Shape shape(OpKind::Pie, state_->cairo != nullptr);
    if (!make_box_shape(BoxShape::Pie, x, y, width, height, start_angle, sweep_angle, shape, state_->scratch))
        return fail(Status::ValueOverflow);
    state_->fill(shape, brush.color);
    return Status::Ok;
}

Status Graphics::fill_pie_i(const SolidBrush& brush, double x, double y, double width, double height,
                            float start_angle, float sweep_angle) {
    return fill_pie(brush, fi(x), fi(y), fi(width), fi(height), start_angle, sweep_angle);
}

// Paths and clipping ---------------------------------------------------------

Status Graphics::draw_path(const Pen& pen, const GraphicsPath& path) {
    if (Status s = check(); s != Status::Ok) return fail(s);
    if (!valid_pen(pen)) return fail(Status::InvalidParameter);
    if (!finite_points(path.points())) return fail(Status::ValueOverflow);
    Shape shape(OpKind::Path, state_->cairo != nullptr);
    shape.path = &path;
    state_->stroke(shape, pen);
    return Status::Ok;
}

Status Graphics::fill_path(const SolidBrush& brush, const GraphicsPath& path) {
    if (Status s = check(); s != Status::Ok) return fail(s);
    if (!finite_points(path.points())) return fail(Status::ValueOverflow);
    Shape shape(OpKind::Path, state_->cairo != nullptr);
    shape.path = &path;
    state_->fill(shape, brush.color);
    return Status::Ok;
}

Status Graphics::set_clip_rect(float x, float y, float width, float height) {
    if (Status s = check(); s != Status::Ok) return fail(s);
    Shape shape(OpKind::SetClip, state_->cairo != nullptr);
    if (!make_box_shape(BoxShape::Rectangle, x, y, width, height, 0.0f, 0.0f, shape, state_->scratch))
        return fail(Status::ValueOverflow);
    if (state_->cairo) detail::context_set_clip(state_->cairo, shape.path, state_->draw);
    state_->clipped = true;
    state_->clip_bounds = box_bounds(state_->draw.world, shape.box);
    if (state_->recording()) {
        RecordedOp& op = state_->record(OpKind::SetClip);
        state_->record_geometry(op, shape);
        state_->clip_op = static_cast<int>(state_->recording()->ops.size()) - 1;
        state_->recording()->ops.back().clip = state_->clip_op;
    }
    return Status::Ok;
}

Status Graphics::set_clip_rect_i(double x, double y, double width, double height) {
    return set_clip_rect(fi(x), fi(y), fi(width), fi(height));
}

Status Graphics::set_clip_path(const GraphicsPath& path) {
    if (Status s = check(); s != Status::Ok) return fail(s);
    if (!finite_points(path.points())) return fail(Status::ValueOverflow);
    if (state_->cairo) detail::context_set_clip(state_->cairo, &path, state_->draw);
    std::vector<PointF> device;
    for (const PointF& p : path.points())
        device.push_back(matrix_apply(state_->draw.world, p));
    state_->clipped = !device.empty();
    state_->clip_bounds = bounds_of(device);
    if (state_->recording()) {
        Shape shape(OpKind::Path, state_->cairo != nullptr);
        shape.path = &path;
        RecordedOp& op = state_->record(OpKind::SetClip);
        state_->record_geometry(op, shape);
        state_->clip_op = static_cast<int>(state_->recording()->ops.size()) - 1;
        state_->recording()->ops.back().clip = state_->clip_op;
    }
    return Status::Ok;
}

Status Graphics::reset_clip() {
    if (Status s = check(); s != Status::Ok) return fail(s);
    if (state_->cairo) detail::context_set_clip(state_->cairo, nullptr, state_->draw);
    state_->clip_op = -1;
    state_->clipped = false;
    if (state_->recording()) state_->record(OpKind::ResetClip);
    return Status::Ok;
}

Status Graphics::visible_clip_bounds(RectF* bounds) {
    if (Status s = check(); s != Status::Ok) return fail(s);
    if (bounds == nullptr) return fail(Status::InvalidParameter);
    float left = 0.0f, top = 0.0f;
    float right = static_cast<float>(state_->surface->width),
          bottom = static_cast<float>(state_->surface->height);
    if (state_->clipped) {
        const RectF& c = state_->clip_bounds;
        left = std::max(left, c.x);
        top = std::max(top, c.y);
        right = std::min(right, c.x + c.width);
        bottom = std::min(bottom, c.y + c.height);
    }
    Matrix to_world = state_->draw.world;
    if (!matrix_invert(to_world)) return fail(Status::InvalidParameter);
    if (right <= left || bottom <= top) {
        const PointF p = matrix_apply(to_world, PointF{left, top});
        *bounds = RectF{p.x, p.y, 0.0f, 0.0f};
        return Status::Ok;
    }
    *bounds = box_bounds(to_world, RectF{left, top, right - left, bottom - top});
    return Status::Ok;
}

// Text -------------------------------------------------------------------------

Status Graphics::draw_string(std::string_view text, const Font& font, const SolidBrush& brush, PointF origin,
                             const StringFormat& format) {
    return draw_string(text, font, brush, RectF{origin.x, origin.y, 0.0f, 0.0f}, format);
}

Status Graphics::draw_string(std::string_view text, const Font& font, const SolidBrush& brush,
                             const RectF& layout, const StringFormat& format) {
    if (Status s = check(); s != Status::Ok) return fail(s);
    if (font.status != Status::Ok) return fail(Status::InvalidParameter);
    if (!std::isfinite(layout.x) || !std::isfinite(layout.y) || !std::isfinite(layout.width) ||
        !std::isfinite(layout.height))
        return fail(Status::ValueOverflow);
    detail::TextLayout& placed = state_->text;
    detail::layout_text(text, font, layout, format, &placed);
    if (state_->cairo) detail::context_draw_text(state_->cairo, placed, font, brush.color, state_->draw);
    if (state_->recording()) {
        RecordedOp& op = state_->record(OpKind::String);
        op.fill = true;
        op.color = brush.color;
        op.points.assign(1, matrix_apply(state_->draw.world, PointF{layout.x, layout.y}));
        op.bounds = RectF{op.points[0].x, op.points[0].y, 0.0f, 0.0f};
        op.world_rect = layout;
        op.text = placed.utf8; // the text as laid out: converted once
        op.font_family = font.family;
        op.font_size = font.em_size();
        op.font_style = font.style;
        op.format_flags = format.flags;
        op.alignment = format.alignment;
        op.line_alignment = format.line_alignment;
        op.text_box = box_bounds(state_->draw.world, placed.box);
    }
    return Status::Ok;
}

Status Graphics::measure_string(std::string_view text, const Font& font, const RectF& layout,
                                const StringFormat& format, RectF* bounding_box) {
    if (Status s = check(); s != Status::Ok) return fail(s);
    if (font.status != Status::Ok || !bounding_box) return fail(Status::InvalidParameter);
    detail::TextLayout& placed = state_->text;
    detail::layout_text(text, font, layout, format, &placed);
    *bounding_box = placed.box;
    return Status::Ok;
}

} // namespace gfx
