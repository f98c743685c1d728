// Inside the drawing layer: the surface behind a device context, the state a
// Graphics draws with, the text layout, and the Cairo backend's entry points
// (Cairo itself stays inside gfx_cairo.cpp and gfx_text.cpp).
#pragma once

#include "platform/gfx.h"
#include "platform/gfx_recording.h"

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace gfx::detail {

struct CairoCanvas;
struct CairoContext;

struct SurfaceObject {
    int32_t width = 0;
    int32_t height = 0;
    CairoCanvas* cairo = nullptr;
    std::unique_ptr<Recording> recording;
};

// The surface behind a device context made by create_surface_dc, or null.
SurfaceObject* surface_from_dc(const void* device_context);
// How many surfaces have been destroyed so far: a surface found live stays
// live until this changes.
uint64_t surfaces_destroyed();

struct DrawState {
    Matrix world;
    SmoothingMode smoothing = SmoothingMode::Default;
    TextRenderingHint text_hint = TextRenderingHint::SystemDefault;
    PixelOffsetMode pixel_offset = PixelOffsetMode::Default;
};

// Device coordinates where GDI+ puts pixel centres: whole numbers unless the
// pixel offset mode is Half or HighQuality. Cairo's centres are at .5, so
// the Cairo backend shifts by this much.
float pixel_offset_shift(PixelOffsetMode mode);

// Text ------------------------------------------------------------------

// Windows-1252 to UTF-8.
std::string cp1252_to_utf8(std::string_view text);
void cp1252_to_utf8(std::string_view text, std::string& out);

// Resolves a family name. Returns false when the family is not found; face
// then holds the generic sans-serif face.
bool resolve_font_family(std::string_view name, std::string* face);

// Font faces of the host (Linux: fontconfig and Cairo's FreeType faces).
// Metrics are per em.
struct FontMetrics {
    float ascent = 0.905f;
    float descent = 0.212f;
    float line_spacing = 1.149f;
};
FontMetrics font_metrics(const std::string& face, FontStyle style);
// Advance width of UTF-8 text at an em size, in the em's units.
double text_advance(const std::string& face, FontStyle style, double em, std::string_view utf8);
// The Cairo font face (a cairo_font_face_t*, owned by the cache).
void* font_face_handle(const std::string& face, FontStyle style);

struct TextLine {
    std::string utf8;
    float x = 0.0f;        // world x of the first glyph's origin
    float baseline = 0.0f; // world y of the baseline
    float width = 0.0f;    // advance, trailing blanks excluded unless measured
};

struct TextLayout {
    std::vector<TextLine> lines;
    RectF box;            // world box of the text with its pads
    bool clipped = false; // clip to `clip_rect` (the layout box)
    RectF clip_rect;
    float em = 0.0f;
    std::string utf8; // the whole text, a buffer of the layout
};

// Lays the (Windows-1252) text out in world units. `layout` with zero width
// or height is a point layout in that direction.
void layout_text(std::string_view text, const Font& font, const RectF& layout, const StringFormat& format,
                 TextLayout* out);

// Cairo backend -----------------------------------------------------------

CairoCanvas* canvas_create(int32_t width, int32_t height);
void canvas_destroy(CairoCanvas* canvas);
bool canvas_write_png(CairoCanvas* canvas, const std::string& path, bool over_black = false);
Argb canvas_pixel(const CairoCanvas* canvas, int32_t x, int32_t y);

CairoContext* context_create(CairoCanvas* canvas);
void context_destroy(CairoContext* context);
void context_clear(CairoContext* context, Argb color);
// Replaces the clip with the world path under `state.world`; null removes it.
void context_set_clip(CairoContext* context, const GraphicsPath* path, const DrawState& state);
void context_stroke(CairoContext* context, const GraphicsPath& path, const Pen& pen, const DrawState& state);
void context_stroke_polyline(CairoContext* context, std::span<const PointF> points, bool closed,
                             const Pen& pen, const DrawState& state);
void context_fill(CairoContext* context, const GraphicsPath& path, Argb color, const DrawState& state);
void context_fill_polygon(CairoContext* context, std::span<const PointF> points, FillMode mode, Argb color,
                          const DrawState& state);
void context_draw_text(CairoContext* context, const TextLayout& layout, const Font& font, Argb color,
                       const DrawState& state);

// Coverage of drawing calls that repeat from one Graphics to the next kept
// and laid again instead of drawn (the default), or not kept: the picture
// check draws both ways and compares. The environment variable
// ORVEX_GFX_UNCOVERED turns it off from the start.
void set_coverage_cache(bool on);
// The calls whose coverage an image keeps, those drawn by Cairo every time
// because their paint reached past where it was looked for, and the bytes
// kept.
struct CoverStats {
    std::size_t kept = 0, refused = 0, bytes = 0;
};
CoverStats canvas_cover_stats(const CairoCanvas* canvas);

} // namespace gfx::detail
