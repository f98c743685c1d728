// The Cairo backend: ARGB32 image surfaces drawn with GDI+'s conventions.
// Paths are handed to Cairo in device space and stroked under the world
// transform, so pens scale and turn with it; pixel centres follow the pixel
// offset mode.
//
// Strokes are batched: consecutive strokes with the same opaque plain pen
// (flat ends, no arrows) and the same linear part of the transform, with no
// other drawing, clip or mode change between them and none painting a pixel
// that another of the batch paints, are gathered into one Cairo path of sub-paths and
// stroked once, when something else is drawn, the surface is read or the
// Graphics ends. One stroke costs far less than one per segment. Each
// context keeps its buffers and Cairo's state between calls, so the steady
// path allocates nothing.
#include "platform/gfx_cairo_paths.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace gfx::detail {

// A clip path as the pixels it keeps, in boxes of whole pixels.
struct ClipBoxes {
    std::vector<PointF> points;
    std::vector<uint8_t> types;
    FillMode mode = FillMode::Alternate;
    cairo_matrix_t matrix{};
    std::vector<cairo_rectangle_int_t> boxes;
};

// What every context drawing on one image shares: the context whose stroke
// batch is not drawn yet, and the clip paths recently set with the pixels
// they keep. It lives as long as the image (Cairo user data), which
// outlives every context made on it.
struct CanvasShared {
    CairoContext* pending = nullptr;
    cairo_surface_t* mask = nullptr; // A8, for rasterising clip paths
    std::vector<ClipBoxes> clips;    // a display sets the same few every frame
    std::size_t next_clip = 0;

    ~CanvasShared() {
        if (mask) cairo_surface_destroy(mask);
    }
};

struct CairoCanvas {
    cairo_surface_t* surface = nullptr;
    CanvasShared* shared = nullptr;
};

// How a clip is handed to Cairo: as its path, or as the boxes of the pixels
// it keeps, by which Cairo clips as a region instead of building and
// clearing a mask for every call. Text, clears and smoothed shapes other
// than boxes take the boxes (the same pixels); aliased shapes and boxes the
// path, since within a path clip Cairo draws them in whole pixels.
enum class ClipForm { None, Path, Boxes };

// The pen of a stroke batch in device terms.
struct StrokeKey {
    Argb color = 0;
    double width = 0.0; // world units, under the matrix below
    DashStyle dash = DashStyle::Solid;
    bool antialias = false;
    // Cairo strokes a path of horizontal and vertical lines as boxes, any
    // other path by scan conversion, and the two differ at the line ends: a
    // batch keeps to one kind, so each line is drawn as it would be alone.
    bool rectilinear = false;
    double xx = 0, yx = 0, xy = 0, yy = 0; // linear part of the matrix (the pen's shape)

    bool operator==(const StrokeKey&) const = default;
};

struct CairoContext {
    cairo_t* cr = nullptr;
    CanvasShared* shared = nullptr;
    StrokeKey batch;
    cairo_matrix_t batch_matrix{};
    std::vector<StrokePiece> batch_pieces; // where the batch's strokes paint
    std::vector<StrokePiece> pieces;       // the same of the stroke at hand
    // Cairo state last set, so that unchanged settings are not set again
    // (setting a colour or a dash allocates in Cairo).
    bool color_known = false;
    Argb color = 0;
    bool dash_known = false;
    DashStyle dash = DashStyle::Solid;
    double dash_width = 0.0;
    // Buffers of the calls.
    std::vector<DPoint> device;
    std::vector<PointF> points;
    std::vector<uint8_t> types;
    std::vector<double> pattern;
    std::vector<CapShape> caps;
    cairo_font_options_t* text_options[2] = {nullptr, nullptr}; // grey, aliased
    bool had_clip = false;
    // The clip as set, and the form Cairo holds it in now.
    ClipForm clip_form = ClipForm::None;
    GraphicsPath clip_path;
    cairo_matrix_t clip_matrix{};
    bool clip_rectilinear = false;
    std::vector<DPoint> clip_device; // the clip's own buffer: it may be set while a stroke's points wait
};

namespace {

const cairo_user_data_key_t kSharedKey{};

bool g_batching = std::getenv("ORVEX_GFX_UNBATCHED") == nullptr;

void set_color(CairoContext* c, Argb color) {
    if (c->color_known && c->color == color) return;
    cairo_set_source_rgba(c->cr, ((color >> 16) & 0xFF) / 255.0, ((color >> 8) & 0xFF) / 255.0,
                          (color & 0xFF) / 255.0, ((color >> 24) & 0xFF) / 255.0);
    c->color_known = true;
    c->color = color;
}

void set_dash(CairoContext* c, DashStyle style, double width) {
    if (c->dash_known && c->dash == style && (style == DashStyle::Solid || c->dash_width == width)) return;
    dash_pattern(style, width, c->pattern);
    cairo_set_dash(c->cr, c->pattern.data(), static_cast<int>(c->pattern.size()), 0.0);
    c->dash_known = true;
    c->dash = style;
    c->dash_width = width;
}

bool antialiased(SmoothingMode mode) {
    return mode == SmoothingMode::AntiAlias || mode == SmoothingMode::HighQuality;
}

void set_antialias(cairo_t* cr, bool on) {
    cairo_set_antialias(cr, on ? CAIRO_ANTIALIAS_DEFAULT : CAIRO_ANTIALIAS_NONE);
}

void set_line(CairoContext* c, double width, DashStyle dash) {
    cairo_set_line_width(c->cr, width);
    cairo_set_line_cap(c->cr, CAIRO_LINE_CAP_BUTT);
    cairo_set_line_join(c->cr, CAIRO_LINE_JOIN_MITER);
    cairo_set_miter_limit(c->cr, 10.0);
    set_dash(c, dash, width);
}

const std::vector<cairo_rectangle_int_t>& clip_boxes(CanvasShared* shared, cairo_surface_t* target,
                                                     const GraphicsPath& path, const cairo_matrix_t& m,
                                                     std::vector<DPoint>& buffer);

// Gives Cairo the context's clip in the form asked for.
void apply_clip(CairoContext* c, ClipForm form) {
    cairo_t* cr = c->cr;
    cairo_reset_clip(cr);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE); // clip regions are whole pixels in GDI+
    if (form == ClipForm::Path) {
        set_fill_path(cr, c->clip_path.points(), c->clip_path.types(), c->clip_matrix, c->clip_device);
        cairo_set_fill_rule(cr, c->clip_path.fill_mode() == FillMode::Winding ? CAIRO_FILL_RULE_WINDING
                                                                              : CAIRO_FILL_RULE_EVEN_ODD);
    } else {
        const std::vector<cairo_rectangle_int_t>& boxes =
            clip_boxes(c->shared, cairo_get_target(cr), c->clip_path, c->clip_matrix, c->clip_device);
        cairo_identity_matrix(cr);
        cairo_new_path(cr);
        for (const cairo_rectangle_int_t& b : boxes)
            cairo_rectangle(cr, b.x, b.y, b.width, b.height);
        cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    }
    cairo_clip(cr);
    c->clip_form = form;
}

// Whether a shape is smoothed and not made of horizontal and vertical lines
// only: such a shape Cairo clips by a region as by the path, to a level or
// so (within a path clip, Cairo draws the others in whole pixels).
bool smoothed_curve(bool antialias, bool rectilinear_path, const cairo_matrix_t& m) {
    return antialias && !(rectilinear_path && m.xy == 0.0 && m.yx == 0.0);
}

// The clip in the form for shapes or for text and clears. A path of
// horizontal and vertical lines Cairo makes a region of itself.
void ensure_clip(CairoContext* c, bool as_boxes) {
    if (c->clip_form == ClipForm::None || c->clip_rectilinear) return;
    const ClipForm want = as_boxes ? ClipForm::Boxes : ClipForm::Path;
    if (c->clip_form != want) apply_clip(c, want);
}

// Draws the context's batch, if it has one.
void flush_own(CairoContext* c) {
    if (c->shared->pending != c) return;
    c->shared->pending = nullptr;
    set_antialias(c->cr, c->batch.antialias);
    set_color(c, c->batch.color);
    set_line(c, c->batch.width, c->batch.dash);
    cairo_set_matrix(c->cr, &c->batch_matrix);
    cairo_stroke(c->cr);
}

// Draws whatever batch the image has waiting, so that what comes next lands
// on top of it.
void flush_shared(CanvasShared* shared) {
    if (shared && shared->pending) flush_own(shared->pending);
}

// Whether every segment of the path runs horizontally or vertically in
// Cairo's fixed-point device coordinates.
bool rectilinear(std::span<const DPoint> d, std::span<const uint8_t> types) {
    auto fixed = [](double v) { return std::lround(v * 256.0); };
    std::size_t start = 0;
    for (std::size_t i = 0; i < d.size(); ++i) {
        const uint8_t t = types[i] & PathPointTypeMask;
        if (t == PathPointTypeBezier) return false;
        if (t == PathPointTypeStart) {
            start = i;
        } else if (fixed(d[i].x) != fixed(d[i - 1].x) && fixed(d[i].y) != fixed(d[i - 1].y)) {
            return false;
        }
        if ((types[i] & PathPointTypeCloseSubpath) && fixed(d[i].x) != fixed(d[start].x) &&
            fixed(d[i].y) != fixed(d[start].y))
            return false;
    }
    return true;
}

// A pen narrower than a device pixel draws one pixel wide.
double device_pen_width(const Pen& pen, const Matrix& world) {
    const double scale = std::sqrt(std::fabs(double(world.m11) * world.m22 - double(world.m12) * world.m21));
    double width = pen.width;
    if (width * scale < 1.0) width = 1.0 / scale;
    return width;
}

void stroke_path(CairoContext* c, std::span<const PointF> pts, std::span<const uint8_t> types, const Pen& pen,
                 const DrawState& state) {
    if (!matrix_invertible(state.world) || pts.empty()) return;
    cairo_t* cr = c->cr;
    const cairo_matrix_t m = device_matrix(state);
    const double width = device_pen_width(pen, state.world);
    const bool aa = antialiased(state.smoothing);
    const bool plain = pen.start_cap == LineCap::Flat && pen.end_cap == LineCap::Flat &&
                       !pen.custom_start_cap && !pen.custom_end_cap;
    if (plain && g_batching && (pen.color >> 24) == 0xFF && device_points(pts, m, c->device)) {
        const StrokeKey key{pen.color, width, pen.dash_style, aa,  rectilinear(c->device, types),
                            m.xx,      m.yx,  m.xy,           m.yy};
        // Where strokes of one pen cross, one stroke of both would lay the
        // smoothed edge once instead of twice and change the picture: a
        // stroke that can touch a pixel of the batch's starts a batch of its
        // own. A batch is kept to a few hundred pieces.
        const double scale = std::sqrt(std::fabs(m.xx * m.yy - m.xy * m.yx));
        stroke_pieces(c->device, types, width * scale, c->pieces);
        const bool same = c->shared->pending == c && c->batch == key;
        if (!same || c->batch_pieces.size() + c->pieces.size() > 256 ||
            pieces_touch(c->pieces, c->batch_pieces)) {
            flush_shared(c->shared);
            // Before the batch's path: setting a clip replaces the path.
            ensure_clip(c, smoothed_curve(aa, key.rectilinear, m));
            cairo_identity_matrix(cr);
            cairo_new_path(cr);
            c->batch = key;
            c->batch_matrix = m;
            c->batch_pieces.clear();
            c->shared->pending = c;
        }
        c->batch_pieces.insert(c->batch_pieces.end(), c->pieces.begin(), c->pieces.end());
        append_cairo_path(cr, c->device, types);
        return;
    }
    flush_shared(c->shared);
    {
        const bool inside = device_points(pts, m, c->device);
        ensure_clip(c, smoothed_curve(aa, inside && rectilinear(c->device, types), m));
    }

    std::span<const PointF> line = pts;
    c->caps.clear();
    if (!plain) {
        c->points.assign(pts.begin(), pts.end());
        make_caps(c->points, types, pen, width, c->caps);
        line = c->points;
    }
    set_antialias(cr, aa);
    set_color(c, pen.color);
    set_line(c, width, pen.dash_style);
    if (device_points(line, m, c->device)) {
        cairo_identity_matrix(cr);
        cairo_new_path(cr);
        append_cairo_path(cr, c->device, types);
        cairo_set_matrix(cr, &m);
        cairo_stroke(cr);
    } else {
        stroke_far_path(cr, c->device, types, m, c->pattern);
        c->dash_known = false; // the far path sets its own phases
    }
    for (CapShape& cap : c->caps) {
        if (cap.stroked) {
            set_dash(c, DashStyle::Solid, width);
            if (device_points(cap.path.points(), m, c->device)) {
                cairo_identity_matrix(cr);
                cairo_new_path(cr);
                append_cairo_path(cr, c->device, cap.path.types());
                cairo_set_matrix(cr, &m);
                cairo_stroke(cr);
            } else {
                stroke_far_path(cr, c->device, cap.path.types(), m, std::vector<double>{});
                c->dash_known = false;
            }
        } else {
            set_fill_path(cr, cap.path.points(), cap.path.types(), m, c->device);
            cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
            cairo_fill(cr);
        }
    }
}

void fill_path(CairoContext* c, std::span<const PointF> pts, std::span<const uint8_t> types, FillMode mode,
               Argb color, const DrawState& state) {
    if (!matrix_invertible(state.world)) return; // collapsed to nothing
    flush_shared(c->shared);
    const cairo_matrix_t m = device_matrix(state);
    const bool aa = antialiased(state.smoothing);
    const bool inside = device_points(pts, m, c->device);
    ensure_clip(c, smoothed_curve(aa, inside && rectilinear(c->device, types), m));
    cairo_t* cr = c->cr;
    set_antialias(cr, aa);
    set_fill_path(cr, pts, types, m, c->device);
    cairo_set_fill_rule(cr, mode == FillMode::Winding ? CAIRO_FILL_RULE_WINDING : CAIRO_FILL_RULE_EVEN_ODD);
    set_color(c, color);
    cairo_fill(cr);
}

// The pixels a clip path keeps, as GDI+ keeps them (whole pixels whose
// centres lie inside), in boxes: a clip of pixel-aligned boxes lets Cairo
// clip each drawing call by region, where a clip path would have it build
// and clear a mask for every call. Computed once per path and transform.
const std::vector<cairo_rectangle_int_t>& clip_boxes(CanvasShared* shared, cairo_surface_t* target,
                                                     const GraphicsPath& path, const cairo_matrix_t& m,
                                                     std::vector<DPoint>& buffer) {
    for (const ClipBoxes& c : shared->clips)
        if (c.mode == path.fill_mode() && std::memcmp(&c.matrix, &m, sizeof m) == 0 &&
            c.types == path.types() && c.points.size() == path.points().size() &&
            std::memcmp(c.points.data(), path.points().data(), c.points.size() * sizeof(PointF)) == 0)
            return c.boxes;
    constexpr std::size_t kClips = 8;
    if (shared->clips.size() < kClips) shared->clips.emplace_back();
    ClipBoxes& c = shared->clips[shared->next_clip];
    shared->next_clip = (shared->next_clip + 1) % kClips;
    c.points = path.points();
    c.types = path.types();
    c.mode = path.fill_mode();
    c.matrix = m;
    c.boxes.clear();

    const int width = cairo_image_surface_get_width(target);
    const int height = cairo_image_surface_get_height(target);
    if (!shared->mask) shared->mask = cairo_image_surface_create(CAIRO_FORMAT_A8, width, height);
    cairo_t* cr = cairo_create(shared->mask);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_rgba(cr, 0, 0, 0, 0);
    cairo_paint(cr);
    cairo_set_source_rgba(cr, 0, 0, 0, 1);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    set_fill_path(cr, path.points(), path.types(), m, buffer);
    cairo_set_fill_rule(cr, path.fill_mode() == FillMode::Winding ? CAIRO_FILL_RULE_WINDING
                                                                  : CAIRO_FILL_RULE_EVEN_ODD);
    cairo_fill(cr);
    cairo_destroy(cr);
    cairo_surface_flush(shared->mask);
    const unsigned char* data = cairo_image_surface_get_data(shared->mask);
    const int stride = cairo_image_surface_get_stride(shared->mask);
    // Runs of each row; a run the same as one of the row above lengthens its
    // box. `open`: the boxes that reach the row above, by x.
    std::vector<std::size_t> open, next;
    for (int y = 0; y < height; ++y) {
        const unsigned char* row = data + static_cast<std::ptrdiff_t>(y) * stride;
        next.clear();
        std::size_t k = 0;
        for (int x = 0; x < width;) {
            if (row[x] == 0) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < width && row[x] != 0)
                ++x;
            while (k < open.size() && c.boxes[open[k]].x < start)
                ++k;
            if (k < open.size() && c.boxes[open[k]].x == start && c.boxes[open[k]].width == x - start) {
                ++c.boxes[open[k]].height;
                next.push_back(open[k++]);
            } else {
                c.boxes.push_back(cairo_rectangle_int_t{start, y, x - start, 1});
                next.push_back(c.boxes.size() - 1);
            }
        }
        open.swap(next);
    }
    return c.boxes;
}

// The point types of a polyline or polygon.
std::span<const uint8_t> polyline_types(CairoContext* c, std::size_t n, bool closed) {
    c->types.assign(n, PathPointTypeLine);
    if (n > 0) c->types[0] = PathPointTypeStart;
    if (closed && n > 0) c->types[n - 1] |= PathPointTypeCloseSubpath;
    return c->types;
}

} // namespace

void set_stroke_batching(bool on) {
    g_batching = on;
}

float pixel_offset_shift(PixelOffsetMode mode) {
    return (mode == PixelOffsetMode::Half || mode == PixelOffsetMode::HighQuality) ? 0.0f : 0.5f;
}

CairoCanvas* canvas_create(int32_t width, int32_t height) {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(s);
        return nullptr;
    }
    auto* shared = new CanvasShared;
    if (cairo_surface_set_user_data(s, &kSharedKey, shared, [](void* p) {
            delete static_cast<CanvasShared*>(p);
        }) != CAIRO_STATUS_SUCCESS) {
        delete shared;
        cairo_surface_destroy(s);
        return nullptr;
    }
    auto* c = new CairoCanvas;
    c->surface = s;
    c->shared = shared;
    return c;
}

void canvas_destroy(CairoCanvas* canvas) {
    if (!canvas) return;
    flush_shared(canvas->shared);
    cairo_surface_destroy(canvas->surface);
    delete canvas;
}

bool canvas_write_png(CairoCanvas* canvas, const std::string& path, bool over_black) {
    if (!canvas) return false;
    flush_shared(canvas->shared);
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
    flush_shared(canvas->shared);
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
    c->shared = canvas->shared;
    for (int aliased = 0; aliased < 2; ++aliased) {
        cairo_font_options_t* options = cairo_font_options_create();
        cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
        cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
        cairo_font_options_set_antialias(options, aliased ? CAIRO_ANTIALIAS_NONE : CAIRO_ANTIALIAS_GRAY);
        c->text_options[aliased] = options;
    }
    return c;
}

void context_destroy(CairoContext* context) {
    if (!context) return;
    flush_own(context);
    for (cairo_font_options_t* options : context->text_options)
        cairo_font_options_destroy(options);
    cairo_destroy(context->cr);
    delete context;
}

void context_clear(CairoContext* context, Argb color) {
    flush_shared(context->shared);
    ensure_clip(context, true);
    cairo_t* cr = context->cr;
    cairo_save(cr);
    cairo_identity_matrix(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_rgba(cr, ((color >> 16) & 0xFF) / 255.0, ((color >> 8) & 0xFF) / 255.0,
                          (color & 0xFF) / 255.0, ((color >> 24) & 0xFF) / 255.0);
    cairo_paint(cr);
    cairo_restore(cr);
}

void context_set_clip(CairoContext* context, const GraphicsPath* path, const DrawState& state) {
    flush_shared(context->shared);
    cairo_reset_clip(context->cr);
    context->clip_form = ClipForm::None;
    if (!path) return;
    context->had_clip = true;
    context->clip_path = *path;
    context->clip_matrix = device_matrix(state);
    context->clip_rectilinear = device_points(path->points(), context->clip_matrix, context->device) &&
                                rectilinear(context->device, path->types());
    context->clip_form = ClipForm::Path;
    apply_clip(context, ClipForm::Path);
}

void context_fill(CairoContext* context, const GraphicsPath& path, Argb color, const DrawState& state) {
    fill_path(context, path.points(), path.types(), path.fill_mode(), color, state);
}

void context_fill_polygon(CairoContext* context, std::span<const PointF> points, FillMode mode, Argb color,
                          const DrawState& state) {
    fill_path(context, points, polyline_types(context, points.size(), true), mode, color, state);
}

void context_stroke(CairoContext* context, const GraphicsPath& path, const Pen& pen, const DrawState& state) {
    stroke_path(context, path.points(), path.types(), pen, state);
}

void context_stroke_polyline(CairoContext* context, std::span<const PointF> points, bool closed,
                             const Pen& pen, const DrawState& state) {
    stroke_path(context, points, polyline_types(context, points.size(), closed), pen, state);
}

void context_draw_text(CairoContext* context, const TextLayout& layout, const Font& font, Argb color,
                       const DrawState& state) {
    if (!matrix_invertible(state.world) || layout.lines.empty()) return;
    flush_shared(context->shared);
    ensure_clip(context, true);
    cairo_t* cr = context->cr;
    const cairo_matrix_t m = device_matrix(state);
    bool clipped = false;
    if (layout.clipped) {
        const DPoint corner = to_device(m, PointF{layout.clip_rect.x, layout.clip_rect.y});
        if (inside_guard(corner)) {
            cairo_save(cr);
            // The box's edges are smoothed until the context has had a clip
            // (then whole pixels), as they always were here.
            cairo_set_antialias(cr, context->had_clip ? CAIRO_ANTIALIAS_NONE : CAIRO_ANTIALIAS_DEFAULT);
            cairo_set_matrix(cr, &m);
            cairo_new_path(cr);
            cairo_rectangle(cr, layout.clip_rect.x, layout.clip_rect.y, layout.clip_rect.width,
                            layout.clip_rect.height);
            cairo_clip(cr);
            clipped = true;
        }
    }
    cairo_set_matrix(cr, &m);
    cairo_set_font_face(cr, static_cast<cairo_font_face_t*>(font_face_handle(font.face, font.style)));
    cairo_set_font_size(cr, layout.em);
    const bool aliased = state.text_hint == TextRenderingHint::SingleBitPerPixel ||
                         state.text_hint == TextRenderingHint::SingleBitPerPixelGridFit;
    cairo_set_font_options(cr, context->text_options[aliased ? 1 : 0]);
    set_color(context, color);
    for (const TextLine& line : layout.lines) {
        if (line.utf8.empty()) continue;
        if (!inside_guard(to_device(m, PointF{line.x, line.baseline}))) continue;
        cairo_move_to(cr, line.x, line.baseline);
        cairo_show_text(cr, line.utf8.c_str());
    }
    if (clipped) {
        cairo_restore(cr);
        context->color_known = false;
        context->dash_known = false;
    }
}

} // namespace gfx::detail
