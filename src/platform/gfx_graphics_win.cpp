// Graphics of the Windows build: each call goes to its GDI+ flat-interface
// call on a GDI+ graphics made from the element's device context. Pens,
// brushes, paths, fonts and formats are made for the call and released after
// it; the status of the last failing call is kept as on every backend.
//
// Lines are batched: consecutive line and polyline calls with the same
// opaque solid pen with flat ends, and no other call between them, become
// figures of one path drawn once, when anything else is asked for or the
// Graphics ends. One call per figure costs as much as the whole path.
#include "platform/gfx_win.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace gfx {

namespace gp = win::gp;

namespace {

std::vector<ULONG_PTR> g_tokens; // outstanding start-up tokens

bool finite(float v) {
    return std::isfinite(v);
}

bool finite_points(std::span<const PointF> pts) {
    for (const PointF& p : pts)
        if (!finite(p.x) || !finite(p.y)) return false;
    return true;
}

// The points in GDI+'s form, in a buffer reused by every call.
std::span<const gp::PointF> to_gdip(std::span<const PointF> points, std::vector<gp::PointF>& out) {
    out.clear();
    for (const PointF& p : points)
        out.emplace_back(p.x, p.y);
    return out;
}

std::span<const gp::Point> to_gdip(std::span<const Point> points, std::vector<gp::Point>& out) {
    out.clear();
    for (const Point& p : points)
        out.emplace_back(p.x, p.y);
    return out;
}

int i32(double v) {
    return static_cast<int>(saturate_i32(v));
}

// A GDI+ object for the length of one call.
struct GdipPen {
    gp::GpPen* pen = nullptr;
    gp::GpAdjustableArrowCap* caps[2] = {nullptr, nullptr};
    gp::GpStatus status = gp::Ok;

    // `min_width`: the world width of one device pixel.
    GdipPen(const Pen& p, float min_width) {
        status = win::flat::GdipCreatePen1(p.color, std::max(p.width, min_width), gp::UnitWorld, &pen);
        if (status != gp::Ok) return;
        win::flat::GdipSetPenDashStyle(pen, static_cast<gp::DashStyle>(p.dash_style));
        win::flat::GdipSetPenStartCap(pen, static_cast<gp::LineCap>(p.start_cap));
        win::flat::GdipSetPenEndCap(pen, static_cast<gp::LineCap>(p.end_cap));
        const std::optional<AdjustableArrowCap>* custom[2] = {&p.custom_start_cap, &p.custom_end_cap};
        for (int i = 0; i < 2; ++i) {
            if (!custom[i]->has_value()) continue;
            const AdjustableArrowCap& c = **custom[i];
            if (win::flat::GdipCreateAdjustableArrowCap(c.height, c.width, c.filled ? TRUE : FALSE,
                                                        &caps[i]) != gp::Ok)
                continue;
            if (i == 0)
                win::flat::GdipSetPenCustomStartCap(pen, caps[i]);
            else
                win::flat::GdipSetPenCustomEndCap(pen, caps[i]);
        }
    }
    ~GdipPen() {
        for (gp::GpAdjustableArrowCap* cap : caps)
            if (cap) win::flat::GdipDeleteCustomLineCap(cap);
        if (pen) win::flat::GdipDeletePen(pen);
    }
    GdipPen(const GdipPen&) = delete;
    GdipPen& operator=(const GdipPen&) = delete;
};

struct GdipBrush {
    gp::GpSolidFill* brush = nullptr;
    gp::GpStatus status = gp::Ok;
    explicit GdipBrush(const SolidBrush& b) { status = win::flat::GdipCreateSolidFill(b.color, &brush); }
    ~GdipBrush() {
        if (brush) win::flat::GdipDeleteBrush(brush);
    }
    GdipBrush(const GdipBrush&) = delete;
    GdipBrush& operator=(const GdipBrush&) = delete;
};

// A GraphicsPath handed over as its points and types.
struct GdipPath {
    gp::GpPath* path = nullptr;
    gp::GpStatus status = gp::Ok;
    explicit GdipPath(const GraphicsPath& p) {
        const auto mode = static_cast<gp::FillMode>(p.fill_mode());
        if (p.points().empty()) {
            status = win::flat::GdipCreatePath(mode, &path);
            return;
        }
        std::vector<gp::PointF> pts;
        to_gdip(p.points(), pts);
        status = win::flat::GdipCreatePath2(pts.data(), p.types().data(), static_cast<INT>(pts.size()), mode,
                                            &path);
    }
    ~GdipPath() {
        if (path) win::flat::GdipDeletePath(path);
    }
    GdipPath(const GdipPath&) = delete;
    GdipPath& operator=(const GdipPath&) = delete;
};

struct GdipFont {
    gp::GpFont* font = nullptr; // the cache's
    gp::GpStatus status = gp::Ok;
    explicit GdipFont(const Font& f) { font = win::gdip_font(f, &status); }
};

// The right-to-left flag is given as what it does to the module's
// left-to-right texts, the mirrored alignment (as the other backends read
// it): wine's GDI+ ignores the flag, and with it Windows would reorder the
// neutral characters of a text such as "-5".
StringAlignment horizontal_alignment(const StringFormat& f) {
    if ((f.flags & StringFormatFlagsDirectionRightToLeft) == 0 || f.alignment == StringAlignment::Center)
        return f.alignment;
    return f.alignment == StringAlignment::Near ? StringAlignment::Far : StringAlignment::Near;
}

struct GdipFormat {
    gp::GpStringFormat* format = nullptr;
    gp::GpStatus status = gp::Ok;
    explicit GdipFormat(const StringFormat& f) {
        const INT flags = static_cast<INT>(f.flags & ~StringFormatFlagsDirectionRightToLeft);
        status = win::flat::GdipCreateStringFormat(flags, LANG_NEUTRAL, &format);
        if (status != gp::Ok) return;
        win::flat::GdipSetStringFormatAlign(format,
                                            static_cast<gp::StringAlignment>(horizontal_alignment(f)));
        win::flat::GdipSetStringFormatLineAlign(format, static_cast<gp::StringAlignment>(f.line_alignment));
    }
    ~GdipFormat() {
        if (format) win::flat::GdipDeleteStringFormat(format);
    }
    GdipFormat(const GdipFormat&) = delete;
    GdipFormat& operator=(const GdipFormat&) = delete;
};

} // namespace

Status startup(uint32_t* token) {
    if (!token) return Status::InvalidParameter;
    gp::GdiplusStartupInput input;
    ULONG_PTR t = 0;
    const gp::GpStatus s = gp::GdiplusStartup(&t, &input, nullptr);
    *token = static_cast<uint32_t>(t);
    if (s == gp::Ok) g_tokens.push_back(t);
    return win::status_of(s);
}

void shutdown(uint32_t token) {
    for (auto it = g_tokens.begin(); it != g_tokens.end(); ++it) {
        if (static_cast<uint32_t>(*it) != token) continue;
        if (g_tokens.size() == 1) win::release_font_families();
        gp::GdiplusShutdown(*it);
        g_tokens.erase(it);
        return;
    }
}

bool started() {
    return !g_tokens.empty();
}

namespace detail {

struct GraphicsState {
    gp::GpGraphics* graphics = nullptr;
    // A pen narrower than one device pixel draws one pixel wide, as on the
    // other backends; wine's GDI+ would draw it fainter and thinner.
    float pixel_width = 1.0f; // one device pixel in world units
    void refresh_pixel_width() {
        gp::GpMatrix* m = nullptr;
        gp::REAL e[6] = {1, 0, 0, 1, 0, 0};
        if (win::flat::GdipCreateMatrix(&m) != gp::Ok) return;
        if (win::flat::GdipGetWorldTransform(graphics, m) == gp::Ok &&
            win::flat::GdipGetMatrixElements(m, e) == gp::Ok) {
            const double scale = std::sqrt(std::fabs(double(e[0]) * e[3] - double(e[1]) * e[2]));
            pixel_width = scale > 0.0 ? static_cast<float>(1.0 / scale) : 0.0f;
        }
        win::flat::GdipDeleteMatrix(m);
    }
    gp::GpPath* batch = nullptr;    // the lines not drawn yet, one figure each
    std::optional<Pen> batch_pen;   // their pen, while there are any
    std::vector<gp::PointF> points; // buffers of the calls
    std::vector<gp::Point> points_i;

    // Draws the batch, if any.
    gp::GpStatus flush() {
        if (!batch_pen) return gp::Ok;
        GdipPen gpen(*batch_pen, pixel_width);
        batch_pen.reset();
        gp::GpStatus s = gpen.status;
        if (s == gp::Ok) s = win::flat::GdipDrawPath(graphics, gpen.pen, batch);
        win::flat::GdipResetPath(batch);
        return s;
    }

    ~GraphicsState() {
        // A graphics outliving GDI+ is gone with it.
        if (!started()) return;
        if (graphics) flush();
        if (batch) win::flat::GdipDeletePath(batch);
        if (graphics) win::flat::GdipDeleteGraphics(graphics);
    }
};

} // namespace detail

namespace {

bool batchable(const Pen& p) {
    return (p.color >> 24) == 0xFF && p.dash_style == DashStyle::Solid && p.start_cap == LineCap::Flat &&
           p.end_cap == LineCap::Flat && !p.custom_start_cap && !p.custom_end_cap;
}

bool same_pen(const Pen& a, const Pen& b) {
    return a.color == b.color && a.width == b.width && a.dash_style == b.dash_style &&
           a.start_cap == b.start_cap && a.end_cap == b.end_cap && !a.custom_start_cap &&
           !b.custom_start_cap && !a.custom_end_cap && !b.custom_end_cap;
}

gp::GpStatus add_figure(gp::GpPath* path, std::span<const gp::PointF> pts) {
    return win::flat::GdipAddPathLine2(path, pts.data(), static_cast<INT>(pts.size()));
}
gp::GpStatus add_figure(gp::GpPath* path, std::span<const gp::Point> pts) {
    return win::flat::GdipAddPathLine2I(path, pts.data(), static_cast<INT>(pts.size()));
}
gp::GpStatus draw_now(gp::GpGraphics* g, gp::GpPen* pen, std::span<const gp::PointF> pts) {
    return win::flat::GdipDrawLines(g, pen, pts.data(), static_cast<INT>(pts.size()));
}
gp::GpStatus draw_now(gp::GpGraphics* g, gp::GpPen* pen, std::span<const gp::Point> pts) {
    return win::flat::GdipDrawLinesI(g, pen, pts.data(), static_cast<INT>(pts.size()));
}

// A polyline into the batch, or drawn at once with a pen the batch cannot
// take.
template <class P>
gp::GpStatus stroke_lines(detail::GraphicsState& s, const Pen& pen, std::span<const P> pts) {
    if (!batchable(pen)) {
        if (gp::GpStatus st = s.flush(); st != gp::Ok) return st;
        GdipPen gpen(pen, s.pixel_width);
        if (gpen.status != gp::Ok) return gpen.status;
        return draw_now(s.graphics, gpen.pen, pts);
    }
    if (s.batch_pen && !same_pen(*s.batch_pen, pen)) {
        if (gp::GpStatus st = s.flush(); st != gp::Ok) return st;
    }
    if (!s.batch) {
        if (gp::GpStatus st = win::flat::GdipCreatePath(gp::FillModeAlternate, &s.batch); st != gp::Ok) {
            s.batch = nullptr;
            return st;
        }
    }
    win::flat::GdipStartPathFigure(s.batch);
    const gp::GpStatus st = add_figure(s.batch, pts);
    if (st == gp::Ok) s.batch_pen = pen;
    return st;
}

} // namespace

Graphics::Graphics(void* device_context) {
    if (!started()) {
        last_status_ = Status::GdiplusNotInitialized;
        return;
    }
    gp::GpGraphics* g = nullptr;
    const gp::GpStatus s = win::flat::GdipCreateFromHDC(static_cast<HDC>(device_context), &g);
    if (s != gp::Ok || !g) {
        last_status_ = s != gp::Ok ? win::status_of(s) : Status::OutOfMemory;
        return;
    }
    state_ = std::make_unique<detail::GraphicsState>();
    state_->graphics = g;
}

Graphics::~Graphics() = default;

Status Graphics::fail(Status status) {
    if (status != Status::Ok) last_status_ = status;
    return status;
}

Status Graphics::check() const {
    if (!state_) return Status::InvalidParameter;
    if (!started()) return Status::GdiplusNotInitialized;
    return Status::Ok;
}

// Runs one GDI+ call after the common checks and keeps a failing status.
// The batched lines are drawn first: what comes next may change how they draw
// or draw over them.
#define ORVEX_FLUSH()                                                                                        \
    if (gp::GpStatus f_ = state_->flush(); f_ != gp::Ok) fail(win::status_of(f_))

#define ORVEX_GDIP(call)                                                                                     \
    do {                                                                                                     \
        if (Status s_ = check(); s_ != Status::Ok) return fail(s_);                                          \
        ORVEX_FLUSH();                                                                                       \
        return fail(win::status_of(call));                                                                   \
    } while (0)

#define G state_->graphics

// Transform ----------------------------------------------------------------

Status Graphics::reset_transform() {
    if (Status s = check(); s != Status::Ok) return fail(s);
    ORVEX_FLUSH();
    state_->pixel_width = 1.0f;
    return fail(win::status_of(win::flat::GdipResetWorldTransform(G)));
}

Status Graphics::translate_transform(float dx, float dy, MatrixOrder order) {
    ORVEX_GDIP(win::flat::GdipTranslateWorldTransform(G, dx, dy, static_cast<gp::MatrixOrder>(order)));
}

Status Graphics::rotate_transform(float degrees, MatrixOrder order) {
    ORVEX_GDIP(win::flat::GdipRotateWorldTransform(G, degrees, static_cast<gp::MatrixOrder>(order)));
}

Status Graphics::scale_transform(float sx, float sy, MatrixOrder order) {
    if (Status s = check(); s != Status::Ok) return fail(s);
    ORVEX_FLUSH();
    const Status s = fail(
        win::status_of(win::flat::GdipScaleWorldTransform(G, sx, sy, static_cast<gp::MatrixOrder>(order))));
    state_->refresh_pixel_width();
    return s;
}

namespace {

struct GdipMatrix {
    gp::GpMatrix* matrix = nullptr;
    gp::GpStatus status = gp::Ok;
    explicit GdipMatrix(const Matrix& m) {
        status = win::flat::GdipCreateMatrix2(m.m11, m.m12, m.m21, m.m22, m.dx, m.dy, &matrix);
    }
    GdipMatrix() { status = win::flat::GdipCreateMatrix(&matrix); }
    ~GdipMatrix() {
        if (matrix) win::flat::GdipDeleteMatrix(matrix);
    }
    GdipMatrix(const GdipMatrix&) = delete;
    GdipMatrix& operator=(const GdipMatrix&) = delete;
};

} // namespace

Status Graphics::multiply_transform(const Matrix& m, MatrixOrder order) {
    if (Status s = check(); s != Status::Ok) return fail(s);
    ORVEX_FLUSH();
    GdipMatrix matrix(m);
    if (matrix.status != gp::Ok) return fail(win::status_of(matrix.status));
    const Status s = fail(win::status_of(
        win::flat::GdipMultiplyWorldTransform(G, matrix.matrix, static_cast<gp::MatrixOrder>(order))));
    state_->refresh_pixel_width();
    return s;
}

Status Graphics::set_transform(const Matrix& m) {
    if (Status s = check(); s != Status::Ok) return fail(s);
    ORVEX_FLUSH();
    GdipMatrix matrix(m);
    if (matrix.status != gp::Ok) return fail(win::status_of(matrix.status));
    const Status s = fail(win::status_of(win::flat::GdipSetWorldTransform(G, matrix.matrix)));
    state_->refresh_pixel_width();
    return s;
}

Matrix Graphics::transform() const {
    if (check() != Status::Ok) return Matrix{};
    GdipMatrix matrix;
    gp::REAL e[6] = {1, 0, 0, 1, 0, 0};
    if (matrix.status != gp::Ok || win::flat::GdipGetWorldTransform(G, matrix.matrix) != gp::Ok ||
        win::flat::GdipGetMatrixElements(matrix.matrix, e) != gp::Ok)
        return Matrix{};
    return Matrix{e[0], e[1], e[2], e[3], e[4], e[5]};
}

// Modes ----------------------------------------------------------------------

Status Graphics::set_smoothing_mode(SmoothingMode mode) {
    ORVEX_GDIP(win::flat::GdipSetSmoothingMode(G, static_cast<gp::SmoothingMode>(mode)));
}

Status Graphics::set_text_rendering_hint(TextRenderingHint hint) {
    ORVEX_GDIP(win::flat::GdipSetTextRenderingHint(G, static_cast<gp::TextRenderingHint>(hint)));
}

Status Graphics::set_pixel_offset_mode(PixelOffsetMode mode) {
    ORVEX_GDIP(win::flat::GdipSetPixelOffsetMode(G, static_cast<gp::PixelOffsetMode>(mode)));
}

SmoothingMode Graphics::smoothing_mode() const {
    gp::SmoothingMode mode = gp::SmoothingModeDefault;
    if (check() == Status::Ok) win::flat::GdipGetSmoothingMode(G, &mode);
    // GDI+ reports the default as what it stands for; the callers set and read
    // back the numbers of this interface.
    return static_cast<SmoothingMode>(mode);
}

TextRenderingHint Graphics::text_rendering_hint() const {
    gp::TextRenderingHint hint = gp::TextRenderingHintSystemDefault;
    if (check() == Status::Ok) win::flat::GdipGetTextRenderingHint(G, &hint);
    return static_cast<TextRenderingHint>(hint);
}

PixelOffsetMode Graphics::pixel_offset_mode() const {
    gp::PixelOffsetMode mode = gp::PixelOffsetModeDefault;
    if (check() == Status::Ok) win::flat::GdipGetPixelOffsetMode(G, &mode);
    return static_cast<PixelOffsetMode>(mode);
}

Status Graphics::clear(Argb color) {
    ORVEX_GDIP(win::flat::GdipGraphicsClear(G, color));
}

// Strokes and fills ------------------------------------------------------------

#define ORVEX_PEN(pen)                                                                                       \
    if (Status s_ = check(); s_ != Status::Ok) return fail(s_);                                              \
    if (!finite(pen.width) || pen.width < 0.0f) return fail(Status::InvalidParameter);                       \
    ORVEX_FLUSH();                                                                                           \
    GdipPen gpen(pen, state_->pixel_width);                                                                  \
    if (gpen.status != gp::Ok) return fail(win::status_of(gpen.status))

#define ORVEX_BRUSH(brush)                                                                                   \
    if (Status s_ = check(); s_ != Status::Ok) return fail(s_);                                              \
    ORVEX_FLUSH();                                                                                           \
    GdipBrush gbrush(brush);                                                                                 \
    if (gbrush.status != gp::Ok) return fail(win::status_of(gbrush.status))

// Non-finite coordinates are refused before GDI+ sees them.
#define ORVEX_FINITE(...)                                                                                    \
    for (float v_ : {__VA_ARGS__})                                                                           \
        if (!finite(v_)) return fail(Status::ValueOverflow)

// Checks shared by the line calls, which the batch takes.
#define ORVEX_LINE_PEN(pen)                                                                                  \
    if (Status s_ = check(); s_ != Status::Ok) return fail(s_);                                              \
    if (!finite(pen.width) || pen.width < 0.0f) return fail(Status::InvalidParameter)

Status Graphics::draw_line(const Pen& pen, float x1, float y1, float x2, float y2) {
    ORVEX_LINE_PEN(pen);
    ORVEX_FINITE(x1, y1, x2, y2);
    const gp::PointF pts[2] = {gp::PointF(x1, y1), gp::PointF(x2, y2)};
    return fail(win::status_of(stroke_lines(*state_, pen, std::span<const gp::PointF>(pts))));
}

Status Graphics::draw_line_i(const Pen& pen, double x1, double y1, double x2, double y2) {
    ORVEX_LINE_PEN(pen);
    const gp::Point pts[2] = {gp::Point(i32(x1), i32(y1)), gp::Point(i32(x2), i32(y2))};
    return fail(win::status_of(stroke_lines(*state_, pen, std::span<const gp::Point>(pts))));
}

Status Graphics::draw_lines(const Pen& pen, std::span<const PointF> points) {
    ORVEX_LINE_PEN(pen);
    if (points.size() < 2) return fail(Status::InvalidParameter);
    if (!finite_points(points)) return fail(Status::ValueOverflow);
    return fail(win::status_of(stroke_lines(*state_, pen, to_gdip(points, state_->points))));
}

Status Graphics::draw_lines_i(const Pen& pen, std::span<const Point> points) {
    ORVEX_LINE_PEN(pen);
    if (points.size() < 2) return fail(Status::InvalidParameter);
    return fail(win::status_of(stroke_lines(*state_, pen, to_gdip(points, state_->points_i))));
}

Status Graphics::draw_polygon(const Pen& pen, std::span<const PointF> points) {
    ORVEX_PEN(pen);
    if (points.size() < 2) return fail(Status::InvalidParameter);
    if (!finite_points(points)) return fail(Status::ValueOverflow);
    const auto pts = to_gdip(points, state_->points);
    return fail(
        win::status_of(win::flat::GdipDrawPolygon(G, gpen.pen, pts.data(), static_cast<INT>(pts.size()))));
}

Status Graphics::draw_polygon_i(const Pen& pen, std::span<const Point> points) {
    ORVEX_PEN(pen);
    if (points.size() < 2) return fail(Status::InvalidParameter);
    const auto pts = to_gdip(points, state_->points_i);
    return fail(
        win::status_of(win::flat::GdipDrawPolygonI(G, gpen.pen, pts.data(), static_cast<INT>(pts.size()))));
}

Status Graphics::fill_polygon(const SolidBrush& brush, std::span<const PointF> points, FillMode mode) {
    ORVEX_BRUSH(brush);
    if (points.size() < 2) return fail(Status::InvalidParameter);
    if (!finite_points(points)) return fail(Status::ValueOverflow);
    const auto pts = to_gdip(points, state_->points);
    return fail(win::status_of(win::flat::GdipFillPolygon(
        G, gbrush.brush, pts.data(), static_cast<INT>(pts.size()), static_cast<gp::FillMode>(mode))));
}

Status Graphics::fill_polygon_i(const SolidBrush& brush, std::span<const Point> points, FillMode mode) {
    ORVEX_BRUSH(brush);
    if (points.size() < 2) return fail(Status::InvalidParameter);
    const auto pts = to_gdip(points, state_->points_i);
    return fail(win::status_of(win::flat::GdipFillPolygonI(
        G, gbrush.brush, pts.data(), static_cast<INT>(pts.size()), static_cast<gp::FillMode>(mode))));
}

Status Graphics::draw_rectangle(const Pen& pen, float x, float y, float width, float height) {
    ORVEX_PEN(pen);
    ORVEX_FINITE(x, y, width, height);
    return fail(win::status_of(win::flat::GdipDrawRectangle(G, gpen.pen, x, y, width, height)));
}

Status Graphics::draw_rectangle_i(const Pen& pen, double x, double y, double width, double height) {
    ORVEX_PEN(pen);
    return fail(
        win::status_of(win::flat::GdipDrawRectangleI(G, gpen.pen, i32(x), i32(y), i32(width), i32(height))));
}

Status Graphics::fill_rectangle(const SolidBrush& brush, float x, float y, float width, float height) {
    ORVEX_BRUSH(brush);
    ORVEX_FINITE(x, y, width, height);
    return fail(win::status_of(win::flat::GdipFillRectangle(G, gbrush.brush, x, y, width, height)));
}

Status Graphics::fill_rectangle_i(const SolidBrush& brush, double x, double y, double width, double height) {
    ORVEX_BRUSH(brush);
    return fail(win::status_of(
        win::flat::GdipFillRectangleI(G, gbrush.brush, i32(x), i32(y), i32(width), i32(height))));
}

Status Graphics::draw_ellipse(const Pen& pen, float x, float y, float width, float height) {
    ORVEX_PEN(pen);
    ORVEX_FINITE(x, y, width, height);
    win::flat::GdipSetPenLineJoin(gpen.pen, gp::LineJoinRound);
    return fail(win::status_of(win::flat::GdipDrawEllipse(G, gpen.pen, x, y, width, height)));
}

Status Graphics::draw_ellipse_i(const Pen& pen, double x, double y, double width, double height) {
    ORVEX_PEN(pen);
    // The curve is smooth: a mitred join where the figure closes would show
    // only as a spike (wine's GDI+ draws one on a small circle).
    win::flat::GdipSetPenLineJoin(gpen.pen, gp::LineJoinRound);
    return fail(
        win::status_of(win::flat::GdipDrawEllipseI(G, gpen.pen, i32(x), i32(y), i32(width), i32(height))));
}

Status Graphics::fill_ellipse(const SolidBrush& brush, float x, float y, float width, float height) {
    ORVEX_BRUSH(brush);
    ORVEX_FINITE(x, y, width, height);
    return fail(win::status_of(win::flat::GdipFillEllipse(G, gbrush.brush, x, y, width, height)));
}

Status Graphics::fill_ellipse_i(const SolidBrush& brush, double x, double y, double width, double height) {
    ORVEX_BRUSH(brush);
    return fail(win::status_of(
        win::flat::GdipFillEllipseI(G, gbrush.brush, i32(x), i32(y), i32(width), i32(height))));
}

Status Graphics::draw_arc(const Pen& pen, float x, float y, float width, float height, float start_angle,
                          float sweep_angle) {
    ORVEX_PEN(pen);
    ORVEX_FINITE(x, y, width, height, start_angle, sweep_angle);
    return fail(
        win::status_of(win::flat::GdipDrawArc(G, gpen.pen, x, y, width, height, start_angle, sweep_angle)));
}

Status Graphics::draw_arc_i(const Pen& pen, double x, double y, double width, double height,
                            float start_angle, float sweep_angle) {
    ORVEX_PEN(pen);
    ORVEX_FINITE(start_angle, sweep_angle);
    return fail(win::status_of(win::flat::GdipDrawArcI(G, gpen.pen, i32(x), i32(y), i32(width), i32(height),
                                                       start_angle, sweep_angle)));
}

Status Graphics::draw_pie(const Pen& pen, float x, float y, float width, float height, float start_angle,
                          float sweep_angle) {
    ORVEX_PEN(pen);
    ORVEX_FINITE(x, y, width, height, start_angle, sweep_angle);
    return fail(
        win::status_of(win::flat::GdipDrawPie(G, gpen.pen, x, y, width, height, start_angle, sweep_angle)));
}

Status Graphics::draw_pie_i(const Pen& pen, double x, double y, double width, double height,
                            float start_angle, float sweep_angle) {
    ORVEX_PEN(pen);
    ORVEX_FINITE(start_angle, sweep_angle);
    return fail(win::status_of(win::flat::GdipDrawPieI(G, gpen.pen, i32(x), i32(y), i32(width), i32(height),
                                                       start_angle, sweep_angle)));
}

Status Graphics::fill_pie(const SolidBrush& brush, float x, float y, float width, float height,
                          float start_angle, float sweep_angle) {
    ORVEX_BRUSH(brush);
    ORVEX_FINITE(x, y, width, height, start_angle, sweep_angle);
    return fail(win::status_of(
        win::flat::GdipFillPie(G, gbrush.brush, x, y, width, height, start_angle, sweep_angle)));
}

Status Graphics::fill_pie_i(const SolidBrush& brush, double x, double y, double width, double height,
                            float start_angle, float sweep_angle) {
    ORVEX_BRUSH(brush);
    ORVEX_FINITE(start_angle, sweep_angle);
    return fail(win::status_of(win::flat::GdipFillPieI(G, gbrush.brush, i32(x), i32(y), i32(width),
                                                       i32(height), start_angle, sweep_angle)));
}

// Paths and clipping ---------------------------------------------------------

Status Graphics::draw_path(const Pen& pen, const GraphicsPath& path) {
    ORVEX_PEN(pen);
    if (!finite_points(path.points())) return fail(Status::ValueOverflow);
    GdipPath gpath(path);
    if (gpath.status != gp::Ok) return fail(win::status_of(gpath.status));
    return fail(win::status_of(win::flat::GdipDrawPath(G, gpen.pen, gpath.path)));
}

Status Graphics::fill_path(const SolidBrush& brush, const GraphicsPath& path) {
    ORVEX_BRUSH(brush);
    if (!finite_points(path.points())) return fail(Status::ValueOverflow);
    GdipPath gpath(path);
    if (gpath.status != gp::Ok) return fail(win::status_of(gpath.status));
    return fail(win::status_of(win::flat::GdipFillPath(G, gbrush.brush, gpath.path)));
}

Status Graphics::set_clip_rect(float x, float y, float width, float height) {
    if (Status s = check(); s != Status::Ok) return fail(s);
    ORVEX_FLUSH();
    ORVEX_FINITE(x, y, width, height);
    return fail(win::status_of(win::flat::GdipSetClipRect(G, x, y, width, height, gp::CombineModeReplace)));
}

Status Graphics::set_clip_rect_i(double x, double y, double width, double height) {
    ORVEX_GDIP(
        win::flat::GdipSetClipRectI(G, i32(x), i32(y), i32(width), i32(height), gp::CombineModeReplace));
}

Status Graphics::set_clip_path(const GraphicsPath& path) {
    if (Status s = check(); s != Status::Ok) return fail(s);
    ORVEX_FLUSH();
    if (!finite_points(path.points())) return fail(Status::ValueOverflow);
    GdipPath gpath(path);
    if (gpath.status != gp::Ok) return fail(win::status_of(gpath.status));
    return fail(win::status_of(win::flat::GdipSetClipPath(G, gpath.path, gp::CombineModeReplace)));
}

Status Graphics::visible_clip_bounds(RectF* bounds) {
    if (Status s = check(); s != Status::Ok) return fail(s);
    if (bounds == nullptr) return fail(Status::InvalidParameter);
    gp::RectF box;
    const gp::GpStatus s = win::flat::GdipGetVisibleClipBounds(G, &box);
    if (s != gp::Ok) return fail(win::status_of(s));
    *bounds = RectF{box.X, box.Y, box.Width, box.Height};
    return Status::Ok;
}

Status Graphics::reset_clip() {
    ORVEX_GDIP(win::flat::GdipResetClip(G));
}

// Text -------------------------------------------------------------------------

namespace {

// Whether the world transform scales x and y by more than a per cent apart
// (a display drawn at another aspect than its design's).
bool stretched(gp::GpGraphics* g) {
    gp::GpMatrix* m = nullptr;
    gp::REAL e[6] = {1, 0, 0, 1, 0, 0};
    if (win::flat::GdipCreateMatrix(&m) != gp::Ok) return false;
    const bool read =
        win::flat::GdipGetWorldTransform(g, m) == gp::Ok && win::flat::GdipGetMatrixElements(m, e) == gp::Ok;
    win::flat::GdipDeleteMatrix(m);
    if (!read) return false;
    const double x = std::hypot(double(e[0]), double(e[1])), y = std::hypot(double(e[2]), double(e[3]));
    return x > 0.0 && y > 0.0 && std::fabs(x / y - 1.0) > 0.01;
}

// Fills a path (world units) with a colour, antialiased: each device pixel
// takes the share of its kSamples x kSamples sample points that lie inside.
// wine's GDI+ fills a path aliased whatever the smoothing mode, which breaks
// the strokes of a glyph a few pixels high into dots; the samples come from
// the path's region, which both GDI+s lay alike, and the coverage is laid as
// an image at whole device pixels. The path is left in device units.
gp::GpStatus fill_path_sampled(gp::GpGraphics* g, gp::GpPath* path, uint32_t color) {
    constexpr int kSamples = 4;
    gp::GpMatrix* m = nullptr;
    gp::GpStatus s = win::flat::GdipCreateMatrix(&m);
    if (s != gp::Ok) return s;
    s = win::flat::GdipGetWorldTransform(g, m);
    if (s == gp::Ok) s = win::flat::GdipScaleMatrix(m, kSamples, kSamples, gp::MatrixOrderAppend);
    if (s == gp::Ok) s = win::flat::GdipTransformPath(path, m);
    gp::GpRegion* region = nullptr;
    if (s == gp::Ok) s = win::flat::GdipCreateRegionPath(path, &region);
    // The scans in sample units: the matrix is made the identity.
    if (s == gp::Ok) s = win::flat::GdipSetMatrixElements(m, 1, 0, 0, 1, 0, 0);
    UINT count = 0;
    if (s == gp::Ok) s = win::flat::GdipGetRegionScansCount(region, &count, m);
    std::vector<gp::Rect> scans(count);
    INT got = 0;
    if (s == gp::Ok && count > 0) s = win::flat::GdipGetRegionScansI(region, scans.data(), &got, m);
    if (region) win::flat::GdipDeleteRegion(region);
    win::flat::GdipDeleteMatrix(m);
    if (s != gp::Ok || got <= 0) return s;
    scans.resize(static_cast<std::size_t>(got));

    const auto pixel = [](int v) { return v >= 0 ? v / kSamples : -((kSamples - 1 - v) / kSamples); };
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN; // pixels, right and bottom past
    for (const gp::Rect& r : scans) {
        if (r.Width <= 0 || r.Height <= 0) continue;
        left = std::min(left, pixel(r.X));
        top = std::min(top, pixel(r.Y));
        right = std::max(right, pixel(r.X + r.Width - 1) + 1);
        bottom = std::max(bottom, pixel(r.Y + r.Height - 1) + 1);
    }
    if (left >= right || top >= bottom) return gp::Ok;
    const int w = right - left, h = bottom - top;
    if (static_cast<int64_t>(w) * h > (1 << 22)) return gp::OutOfMemory;
    std::vector<uint8_t> cover(static_cast<std::size_t>(w) * h, 0);
    for (const gp::Rect& r : scans)
        for (int y = r.Y; y < r.Y + r.Height; ++y) {
            uint8_t* row = &cover[static_cast<std::size_t>(pixel(y) - top) * w];
            for (int x = r.X; x < r.X + r.Width; ++x)
                ++row[pixel(x) - left];
        }
    const uint32_t alpha = color >> 24, rgb = color & 0xFFFFFFu;
    std::vector<uint32_t> image(cover.size());
    for (std::size_t i = 0; i < cover.size(); ++i)
        image[i] = ((alpha * cover[i] + kSamples * kSamples / 2) / (kSamples * kSamples)) << 24 | rgb;

    gp::GpBitmap* bitmap = nullptr;
    s = win::flat::GdipCreateBitmapFromScan0(w, h, w * 4, PixelFormat32bppARGB,
                                             reinterpret_cast<BYTE*>(image.data()), &bitmap);
    if (s != gp::Ok) return s;
    gp::GpMatrix* world = nullptr;
    s = win::flat::GdipCreateMatrix(&world);
    if (s == gp::Ok) s = win::flat::GdipGetWorldTransform(g, world);
    if (s == gp::Ok) s = win::flat::GdipResetWorldTransform(g);
    if (s == gp::Ok) {
        s = win::flat::GdipDrawImageRectI(g, bitmap, left, top, w, h);
        win::flat::GdipSetWorldTransform(g, world);
    }
    if (world) win::flat::GdipDeleteMatrix(world);
    win::flat::GdipDisposeImage(bitmap);
    return s;
}

} // namespace

Status Graphics::draw_string(std::string_view text, const Font& font, const SolidBrush& brush, PointF origin,
                             const StringFormat& format) {
    return draw_string(text, font, brush, RectF{origin.x, origin.y, 0.0f, 0.0f}, format);
}

Status Graphics::draw_string(std::string_view text, const Font& font, const SolidBrush& brush,
                             const RectF& layout, const StringFormat& format) {
    ORVEX_BRUSH(brush);
    if (font.status != Status::Ok) return fail(Status::InvalidParameter);
    ORVEX_FINITE(layout.x, layout.y, layout.width, layout.height);
    GdipFont gfont(font);
    if (gfont.status != gp::Ok) return fail(win::status_of(gfont.status));
    GdipFormat gformat(format);
    if (gformat.status != gp::Ok) return fail(win::status_of(gformat.status));
    const std::wstring wide = win::widen(text);
    const gp::RectF box(layout.x, layout.y, layout.width, layout.height);
    if (stretched(G)) {
        // As the glyphs' outlines, filled under the transform: a device font
        // of one size cannot stretch them exactly, and wine's, whose width it
        // rounds from a rounded average, draws them up to several per cent
        // wider or narrower than they are laid out.
        gp::GpFontFamily* family = win::font_family(font.family);
        gp::GpPath* path = nullptr;
        gp::GpStatus s =
            family ? win::flat::GdipCreatePath(gp::FillModeWinding, &path) : gp::FontFamilyNotFound;
        if (s == gp::Ok)
            s = win::flat::GdipAddPathString(path, wide.c_str(), static_cast<INT>(wide.size()), family,
                                             static_cast<INT>(font.style), font.em_size(), &box,
                                             gformat.format);
        if (s == gp::Ok) {
            gp::TextRenderingHint hint = gp::TextRenderingHintSystemDefault;
            win::flat::GdipGetTextRenderingHint(G, &hint);
            const bool aliased = hint == gp::TextRenderingHintSingleBitPerPixel ||
                                 hint == gp::TextRenderingHintSingleBitPerPixelGridFit;
            if (aliased) {
                gp::SmoothingMode smoothing = gp::SmoothingModeDefault;
                win::flat::GdipGetSmoothingMode(G, &smoothing);
                win::flat::GdipSetSmoothingMode(G, gp::SmoothingModeNone);
                s = win::flat::GdipFillPath(G, gbrush.brush, path);
                win::flat::GdipSetSmoothingMode(G, smoothing);
            } else {
                s = fill_path_sampled(G, path, brush.color);
            }
        }
        if (path) win::flat::GdipDeletePath(path);
        return fail(win::status_of(s));
    }
    return fail(win::status_of(win::flat::GdipDrawString(G, wide.c_str(), static_cast<INT>(wide.size()),
                                                         gfont.font, &box, gformat.format, gbrush.brush)));
}

Status Graphics::measure_string(std::string_view text, const Font& font, const RectF& layout,
                                const StringFormat& format, RectF* bounding_box) {
    if (Status s = check(); s != Status::Ok) return fail(s);
    if (font.status != Status::Ok || !bounding_box) return fail(Status::InvalidParameter);
    GdipFont gfont(font);
    if (gfont.status != gp::Ok) return fail(win::status_of(gfont.status));
    GdipFormat gformat(format);
    if (gformat.status != gp::Ok) return fail(win::status_of(gformat.status));
    const std::wstring wide = win::widen(text);
    const gp::RectF box(layout.x, layout.y, layout.width, layout.height);
    gp::RectF measured;
    INT chars = 0, lines = 0;
    const gp::GpStatus s =
        win::flat::GdipMeasureString(G, wide.c_str(), static_cast<INT>(wide.size()), gfont.font, &box,
                                     gformat.format, &measured, &chars, &lines);
    if (s != gp::Ok) return fail(win::status_of(s));
    *bounding_box = RectF{measured.X, measured.Y, measured.Width, measured.Height};
    return Status::Ok;
}

#undef G

} // namespace gfx
