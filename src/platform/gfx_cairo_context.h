// Inside the Cairo backend: the state of an image and of a context drawing
// on it, and the calls gfx_cairo.cpp draws with. Only gfx_cairo*.cpp
// include it.
#pragma once

#include "platform/gfx_cairo_paths.h"
#include "platform/gfx_cairo_script.h"

#include <cairo.h>

#include <memory>
#include <span>
#include <vector>

namespace gfx::detail {

// A clip path as the pixels it keeps, in boxes of whole pixels.
struct ClipBoxes {
    std::vector<PointF> points;
    std::vector<uint8_t> types;
    FillMode mode = FillMode::Alternate;
    cairo_matrix_t matrix{};
    std::vector<cairo_rectangle_int_t> boxes;
};

struct CoverCache; // gfx_cairo_cover.cpp
void cover_cache_destroy(CoverCache* cache);

// What every context drawing on one image shares: the context whose calls
// are not drawn yet, the last whole session drawn, the clip paths
// recently set with the pixels they keep, and the coverage of calls that
// repeat from session to session. It lives as long as the image (Cairo user data), which
// outlives every context made on it.
struct CanvasShared {
    CairoContext* pending = nullptr; // the context whose calls are not drawn yet
    // The calls of the last whole session drawn, when the image holds just
    // what they drew (they opened with a clear) and nothing since.
    CallScript last;
    bool last_valid = false;
    bool last_covering = true;       // the last session's coverage was kept
    cairo_surface_t* mask = nullptr; // A8, for rasterising clip paths
    std::vector<ClipBoxes> clips;    // a display sets the same few every frame
    std::size_t next_clip = 0;
    CoverCache* cover = nullptr;
    uint32_t session = 0;          // Graphics made on the image so far
    CairoContext* spare = nullptr; // the last context ended, for the next Graphics
    bool canvas_gone = false;      // the image's owner let it go: no context is kept
    int width = 0, height = 0;     // the image's size

    ~CanvasShared() {
        cover_cache_destroy(cover);
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

// A Cairo context with the settings known to be set on it and the clip it
// holds (`serial`: which of the clips set).
struct CairoState {
    cairo_t* cr = nullptr;
    bool color_known = false;
    Argb color = 0;
    bool dash_known = false;
    DashStyle dash = DashStyle::Solid;
    double dash_width = 0.0;
    ClipForm held_form = ClipForm::None;
    uint32_t serial = 0;
};

struct CairoContext {
    cairo_t* cr = nullptr;
    CanvasShared* shared = nullptr;
    bool coverage = false; // draws every colour opaque: the coverage of the calls
    CallScript script;     // the calls not drawn yet
    ScriptCall call;       // a call read back, its buffers reused
    bool whole = true;     // no call drawn yet: the session may match the last one
    // Cairo state last set, so that unchanged settings are not set again
    // (setting a colour or a dash allocates in Cairo).
    bool color_known = false;
    Argb color = 0;
    bool dash_known = false;
    DashStyle dash = DashStyle::Solid;
    double dash_width = 0.0;
    // A second context on the image that holds the clip in the other form:
    // calls that alternate between the forms swap it in instead of setting
    // the clip again each time (a round clip is hundreds of boxes).
    CairoState other;
    uint32_t clip_serial = 0;            // counts the clips set, one that repeats the last not again
    ClipForm held_form = ClipForm::None; // the clip `cr` holds, in what form
    uint32_t held_serial = 0;
    // Buffers of the calls.
    std::vector<DPoint> device;
    std::vector<PointF> points;
    std::vector<uint8_t> types;
    std::vector<double> pattern;
    std::vector<CapShape> caps;
    cairo_font_options_t* text_options[2] = {nullptr, nullptr}; // grey, aliased
    bool had_clip = false;
    // The clip as set: None without one, else the form the calls take it in.
    ClipForm clip_form = ClipForm::None;
    std::vector<PointF> clip_points;
    std::vector<uint8_t> clip_types;
    FillMode clip_mode = FillMode::Alternate;
    cairo_matrix_t clip_matrix{};
    bool clip_rectilinear = false;
    std::vector<DPoint> clip_device; // the clip's own buffer: it may be set while a stroke's points wait
    // The clip as bytes and their hash, the clip's part of the key of the
    // coverage kept: built once a clip is set, not for every call, and
    // shared with the coverage kept under it, so that the same clip is
    // mostly told by its address (null without a clip).
    std::shared_ptr<const std::vector<uint8_t>> clip_key;
    std::vector<uint8_t> clip_bytes; // the clip's bytes being built
    uint64_t clip_hash = 0;
    bool clip_key_stale = false; // the clip changed since clip_key was built
};

extern bool g_covering; // coverage of repeated calls kept (set_coverage_cache)

// A context drawing on the surface, and its end (no calls drawn).
CairoContext* context_on(cairo_surface_t* surface, CanvasShared* shared);
void context_free(CairoContext* context);
void apply_clip(CairoContext* c, ClipForm form);

bool antialiased(SmoothingMode mode);
void set_color(CairoContext* c, Argb color);
void set_antialias(cairo_t* cr, bool on);
// Width, ends, joins and dashes of the pen.
void set_line(CairoContext* c, double width, DashStyle dash);
// Whether a shape is smoothed and not made of horizontal and vertical lines
// only (the clip form it takes).
bool smoothed_curve(bool antialias, bool rectilinear_path, const cairo_matrix_t& m);
// The clip in the form for shapes (false) or for text and clears (true).
void ensure_clip(CairoContext* c, bool as_boxes);
// The whole pixels the context's clip keeps, as boxes that do not overlap.
const std::vector<cairo_rectangle_int_t>& clip_boxes(CairoContext* c);
// Whether every segment of the path runs horizontally or vertically in
// Cairo's fixed-point device coordinates.
bool rectilinear(std::span<const DPoint> d, std::span<const uint8_t> types);
// A pen narrower than a device pixel draws one pixel wide.
double device_pen_width(const Pen& pen, const Matrix& world);

// The calls drawn at once.
void run_clear(CairoContext* context, Argb color);
void run_clip(CairoContext* context, const ScriptCall* clip); // null: no clip
void stroke_alone(CairoContext* c, std::span<const PointF> pts, std::span<const uint8_t> types,
                  const Pen& pen, const DrawState& state);
void fill_path(CairoContext* c, std::span<const PointF> pts, std::span<const uint8_t> types, FillMode mode,
               Argb color, const DrawState& state);
void run_text(CairoContext* context, const TextLayout& layout, const std::string& face, FontStyle style,
              Argb color, const DrawState& state);

// Draws the context's script (gfx_cairo_draw.cpp).
void draw_script(CairoContext* c);
// Draws one stroke, fill or text with Cairo.
void draw_call(CairoContext* c, const ScriptCall& call);
// Where a stroke of the device points with a pen `width` wide (world units)
// under `m` may paint, a pixel round it, as x0, y0, x1, y1.
void stroke_bounds(std::span<const DPoint> d, std::span<const uint8_t> types, double width,
                   const cairo_matrix_t& m, double box[4]);

// Lays the call from the coverage kept for it when an earlier session drew
// it exactly so, keeping its coverage when it repeats for the first time
// (gfx_cairo_cover.cpp). False when the call is to be drawn by Cairo: new,
// or of a kind whose coverage does not say what it paints. `bytes`: the
// call's bytes in the script.
bool draw_from_cover(CairoContext* c, const ScriptCall& call, std::span<const uint8_t> bytes);
// Marks the end of a context's drawing on its image: coverage not used for a while is let go.
void cover_session_end(CanvasShared* shared);

} // namespace gfx::detail
