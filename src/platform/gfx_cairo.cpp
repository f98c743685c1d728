// The Cairo backend: ARGB32 image surfaces drawn with GDI+'s conventions.
// Paths are handed to Cairo in device space and stroked under the world
// transform, so pens scale and turn with it; pixel centres follow the pixel
// offset mode.
//
// A Graphics' calls are kept (gfx_cairo_script.h) and drawn when it ends,
// when the surface is read or when another Graphics draws on it, each in the
// order made. A session that opens with a clear and repeats the last one
// drawn on the surface exactly, with nothing drawn since, changes no pixel
// and is not drawn again. A call drawn as it was in an earlier session is
// laid from the coverage kept of it (gfx_cairo_cover.cpp), composited as
// Cairo composites through a mask: its pixels may differ from drawing the
// call again by a level of a channel where Cairo rounds a blend by coverage
// and a blend through a mask apart. Each context keeps its buffers and Cairo's state between calls,
// and is kept for the image's next Graphics, so the steady path allocates
// little.
#include "platform/gfx_cairo_context.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace gfx::detail {

constexpr cairo_user_data_key_t kSharedKey{};

// ORVEX_GFX_UNCOVERED keeps no coverage: every call is drawn by Cairo, as
// the reference the picture check compares with.
bool g_covering = std::getenv("ORVEX_GFX_UNCOVERED") == nullptr;

void set_color(CairoContext* c, Argb color) {
    if (c->coverage) color = 0xFF000000;
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

// Gives Cairo the context's clip in the form asked for.
void apply_clip(CairoContext* c, ClipForm form) {
    cairo_t* cr = c->cr;
    cairo_reset_clip(cr);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE); // clip regions are whole pixels in GDI+
    if (form == ClipForm::Path) {
        set_fill_path(cr, c->clip_points, c->clip_types, c->clip_matrix, c->clip_device);
        cairo_set_fill_rule(cr, c->clip_mode == FillMode::Winding ? CAIRO_FILL_RULE_WINDING
                                                                  : CAIRO_FILL_RULE_EVEN_ODD);
    } else {
        const std::vector<cairo_rectangle_int_t>& boxes = clip_boxes(c);
        cairo_identity_matrix(cr);
        cairo_new_path(cr);
        for (const cairo_rectangle_int_t& b : boxes)
            cairo_rectangle(cr, b.x, b.y, b.width, b.height);
        cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    }
    cairo_clip(cr);
    c->clip_form = c->held_form = form;
    c->held_serial = c->clip_serial;
}

// Whether a shape is smoothed and not made of horizontal and vertical lines
// only: such a shape Cairo clips by a region as by the path, to a level or
// so (within a path clip, Cairo draws the others in whole pixels).
bool smoothed_curve(bool antialias, bool rectilinear_path, const cairo_matrix_t& m) {
    return antialias && !(rectilinear_path && m.xy == 0.0 && m.yx == 0.0);
}

// The clip in the form for shapes or for text and clears. A path of
// horizontal and vertical lines Cairo makes a region of itself. Each form is
// kept on a context of its own, also into the image's next session, and set
// again only when the clip changed.
void ensure_clip(CairoContext* c, bool as_boxes) {
    CairoState& o = c->other;
    auto swap_in_other = [c, &o] {
        if (!o.cr) o.cr = cairo_create(cairo_get_target(c->cr));
        std::swap(c->cr, o.cr);
        std::swap(c->color_known, o.color_known);
        std::swap(c->color, o.color);
        std::swap(c->dash_known, o.dash_known);
        std::swap(c->dash, o.dash);
        std::swap(c->dash_width, o.dash_width);
        std::swap(c->held_form, o.held_form);
        std::swap(c->held_serial, o.serial);
    };
    if (c->clip_form == ClipForm::None) {
        // No clip: the boxes, dearer to set, stay on the other context.
        if (c->held_form == ClipForm::Boxes) swap_in_other();
        if (c->held_form != ClipForm::None) cairo_reset_clip(c->cr);
        c->held_form = ClipForm::None;
        return;
    }
    const ClipForm want = as_boxes && !c->clip_rectilinear ? ClipForm::Boxes : ClipForm::Path;
    const auto holds = [c, want](ClipForm form, uint32_t serial) {
        return form == want && serial == c->clip_serial;
    };
    if (!holds(c->held_form, c->held_serial) &&
        (holds(o.held_form, o.serial) || c->held_serial == c->clip_serial))
        swap_in_other(); // keeps this clip's other form where it is
    if (holds(c->held_form, c->held_serial))
        c->clip_form = want;
    else
        apply_clip(c, want);
}

// Draws whatever calls the image has waiting, so that what comes next lands
// on top of them or what reads the image sees them. The session they belong
// to is no longer whole, nor the image what the last session drew.
void flush_shared(CanvasShared* shared) {
    if (!shared || !shared->pending) return;
    CairoContext* c = shared->pending;
    shared->pending = nullptr;
    draw_script(c);
    c->script.bytes.clear();
    c->whole = false;
    shared->last_valid = false;
}

// The script a call of the context goes into: whatever another context has
// waiting on the image is drawn first, so calls land in the order made.
CallScript& script_of(CairoContext* c) {
    if (c->shared->pending != c) {
        flush_shared(c->shared);
        c->shared->pending = c;
    }
    return c->script;
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

// Strokes one path with its own Cairo stroke.
void stroke_alone(CairoContext* c, std::span<const PointF> pts, std::span<const uint8_t> types,
                  const Pen& pen, const DrawState& state) {
    if (!matrix_invertible(state.world) || pts.empty()) return;
    const cairo_matrix_t m = device_matrix(state);
    const double width = device_pen_width(pen, state.world);
    const bool aa = antialiased(state.smoothing);
    const bool plain = pen.start_cap == LineCap::Flat && pen.end_cap == LineCap::Flat &&
                       !pen.custom_start_cap && !pen.custom_end_cap;
    {
        const bool inside = device_points(pts, m, c->device);
        ensure_clip(c, smoothed_curve(aa, inside && rectilinear(c->device, types), m));
    }
    cairo_t* cr = c->cr; // the clip's form chooses the context

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
const std::vector<cairo_rectangle_int_t>& clip_boxes(CairoContext* context) {
    CanvasShared* shared = context->shared;
    const cairo_matrix_t& m = context->clip_matrix;
    for (const ClipBoxes& c : shared->clips)
        if (c.mode == context->clip_mode && std::memcmp(&c.matrix, &m, sizeof m) == 0 &&
            c.types == context->clip_types && c.points.size() == context->clip_points.size() &&
            std::memcmp(c.points.data(), context->clip_points.data(), c.points.size() * sizeof(PointF)) == 0)
            return c.boxes;
    constexpr std::size_t kClips = 8;
    if (shared->clips.size() < kClips) shared->clips.emplace_back();
    ClipBoxes& c = shared->clips[shared->next_clip];
    shared->next_clip = (shared->next_clip + 1) % kClips;
    c.points = context->clip_points;
    c.types = context->clip_types;
    c.mode = context->clip_mode;
    c.matrix = m;
    c.boxes.clear();

    // The image's size: a context drawing coverage to keep draws on a scratch image of a part of it.
    const int width = shared->width, height = shared->height;
    if (!shared->mask) shared->mask = cairo_image_surface_create(CAIRO_FORMAT_A8, width, height);
    cairo_t* cr = cairo_create(shared->mask);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_rgba(cr, 0, 0, 0, 0);
    cairo_paint(cr);
    cairo_set_source_rgba(cr, 0, 0, 0, 1);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    set_fill_path(cr, c.points, c.types, m, context->clip_device);
    cairo_set_fill_rule(cr, c.mode == FillMode::Winding ? CAIRO_FILL_RULE_WINDING : CAIRO_FILL_RULE_EVEN_ODD);
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

void set_coverage_cache(bool on) {
    g_covering = on;
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
    shared->width = width;
    shared->height = height;
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
    // A context kept holds the image; one still in use ends later, on its own.
    canvas->shared->canvas_gone = true;
    if (canvas->shared->spare) {
        context_free(canvas->shared->spare);
        canvas->shared->spare = nullptr;
    }
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
    CanvasShared* shared = canvas->shared;
    ++shared->session;
    if (CairoContext* c = shared->spare) {
        shared->spare = nullptr;
        return c;
    }
    return context_on(canvas->surface, shared);
}

CairoContext* context_on(cairo_surface_t* surface, CanvasShared* shared) {
    auto* c = new CairoContext;
    c->cr = cairo_create(surface);
    c->shared = shared;
    for (int aliased = 0; aliased < 2; ++aliased) {
        cairo_font_options_t* options = cairo_font_options_create();
        cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
        cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
        cairo_font_options_set_antialias(options, aliased ? CAIRO_ANTIALIAS_NONE : CAIRO_ANTIALIAS_GRAY);
        c->text_options[aliased] = options;
    }
    return c;
}

void run_clear(CairoContext* context, Argb color) {
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

// Sets the clip the calls after it draw under; Cairo is given it by the
// first of them (ensure_clip). A clip the same as the last one set keeps its
// serial, so that a context holding it need not be given it again.
void run_clip(CairoContext* context, const ScriptCall* clip) {
    context->clip_form = ClipForm::None;
    context->clip_key_stale = true;
    if (!clip) return;
    context->had_clip = true;
    const cairo_matrix_t m = device_matrix(clip->state);
    const bool same = context->clip_serial != 0 && context->clip_mode == clip->mode &&
                      std::memcmp(&context->clip_matrix, &m, sizeof m) == 0 &&
                      std::equal(clip->types.begin(), clip->types.end(), context->clip_types.begin(),
                                 context->clip_types.end()) &&
                      clip->points.size() == context->clip_points.size() &&
                      std::memcmp(clip->points.data(), context->clip_points.data(),
                                  clip->points.size() * sizeof(PointF)) == 0;
    if (!same) {
        ++context->clip_serial;
        context->clip_points.assign(clip->points.begin(), clip->points.end());
        context->clip_types.assign(clip->types.begin(), clip->types.end());
        context->clip_mode = clip->mode;
        context->clip_matrix = m;
        context->clip_rectilinear = device_points(clip->points, context->clip_matrix, context->device) &&
                                    rectilinear(context->device, clip->types);
    }
    context->clip_form = ClipForm::Path;
}

void run_text(CairoContext* context, const TextLayout& layout, const std::string& face, FontStyle style,
              Argb color, const DrawState& state) {
    if (!matrix_invertible(state.world) || layout.lines.empty()) return;
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
    cairo_set_font_face(cr, static_cast<cairo_font_face_t*>(font_face_handle(face, style)));
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

void context_destroy(CairoContext* context) {
    if (!context) return;
    CanvasShared* shared = context->shared;
    if (shared->pending == context) {
        shared->pending = nullptr;
        // A session that opens with a clear draws the same pixels whatever
        // the image held: one that repeats the last session exactly, on an
        // image that holds only what that session drew, has nothing to
        // change.
        const bool repeat = context->whole && context->script.opens_with_clear();
        const bool unchanged = repeat && shared->last_valid && shared->last_covering == g_covering &&
                               shared->last.bytes == context->script.bytes;
        if (!unchanged) draw_script(context);
        shared->last_valid = repeat;
        shared->last_covering = g_covering;
        if (repeat) shared->last.bytes.swap(context->script.bytes);
    }
    cover_session_end(shared);
    if (shared->spare || shared->canvas_gone) {
        context_free(context);
        return;
    }
    // Kept for the next Graphics on the image, with its buffers and the
    // Cairo settings it knows; a new Graphics has no clip.
    context->script.bytes.clear();
    context->whole = true;
    context->had_clip = false;
    context->clip_form = ClipForm::None; // what Cairo holds is kept for a clip set again
    context->clip_key_stale = true;
    shared->spare = context;
}

void context_free(CairoContext* context) {
    for (cairo_font_options_t* options : context->text_options)
        cairo_font_options_destroy(options);
    cairo_destroy(context->cr);
    if (context->other.cr) cairo_destroy(context->other.cr);
    delete context;
}

void context_clear(CairoContext* context, Argb color) {
    write_clear(script_of(context), color);
}

void context_set_clip(CairoContext* context, const GraphicsPath* path, const DrawState& state) {
    write_clip(script_of(context), path, state);
}

void context_fill(CairoContext* context, const GraphicsPath& path, Argb color, const DrawState& state) {
    write_fill(script_of(context), path.points(), path.types(), path.fill_mode(), color, state);
}

void context_fill_polygon(CairoContext* context, std::span<const PointF> points, FillMode mode, Argb color,
                          const DrawState& state) {
    CallScript& script = script_of(context);
    write_fill(script, points, polyline_types(context, points.size(), true), mode, color, state);
}

void context_stroke(CairoContext* context, const GraphicsPath& path, const Pen& pen, const DrawState& state) {
    write_stroke(script_of(context), path.points(), path.types(), pen, state);
}

void context_stroke_polyline(CairoContext* context, std::span<const PointF> points, bool closed,
                             const Pen& pen, const DrawState& state) {
    CallScript& script = script_of(context);
    write_stroke(script, points, polyline_types(context, points.size(), closed), pen, state);
}

void context_draw_text(CairoContext* context, const TextLayout& layout, const Font& font, Argb color,
                       const DrawState& state) {
    write_text(script_of(context), layout, font, color, state);
}

} // namespace gfx::detail
