// The recording backend: every operation drawn into a recording surface, with
// its geometry in device space, so that tests can ask what was drawn, where
// and in which colour.
#pragma once

#include "platform/gfx_types.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace gfx {

enum class OpKind : int32_t {
    Clear,
    Line,      // draw_line
    Lines,     // draw_lines
    Polygon,   // draw_polygon / fill_polygon
    Rectangle, // draw_rectangle / fill_rectangle
    Ellipse,   // draw_ellipse / fill_ellipse
    Arc,       // draw_arc
    Pie,       // draw_pie / fill_pie
    Path,      // draw_path / fill_path
    String,    // draw_string
    SetClip,   // set_clip_rect / set_clip_path
    ResetClip,
    Setting, // smoothing mode, text hint or pixel offset mode changed
};

enum class SettingKind : int32_t {
    SmoothingMode,
    TextRenderingHint,
    PixelOffsetMode,
};

struct RecordedOp {
    OpKind kind = OpKind::Clear;
    bool fill = false; // filled with a brush (else drawn with a pen)
    Argb color = 0;    // pen, brush or clear colour

    // Pen (drawn shapes only).
    float pen_width = 0.0f;        // world units
    float device_pen_width = 0.0f; // scaled by the transform's mean scale
    DashStyle dash_style = DashStyle::Solid;
    LineCap start_cap = LineCap::Flat;
    LineCap end_cap = LineCap::Flat;
    bool start_arrow = false;
    bool end_arrow = false;

    // Geometry in device space. Lines, polygons: the vertices. Rectangles,
    // ellipses, arcs, pies, clip rectangles: the four corners of the box
    // (top-left, top-right, bottom-right, bottom-left). Paths: the path's
    // points with `point_types`. Strings: the layout origin.
    std::vector<PointF> points;
    std::vector<uint8_t> point_types;
    // Axis-aligned device bounds of the points.
    RectF bounds;
    // World-space box and angles of box-based shapes and of string layouts.
    RectF world_rect;
    float start_angle = 0.0f;
    float sweep_angle = 0.0f;
    FillMode fill_mode = FillMode::Alternate;

    Matrix transform; // world transform in force
    int clip = -1;    // index of the SetClip op in force, -1 without a clip

    // Strings.
    std::string text; // UTF-8
    std::string font_family;
    float font_size = 0.0f; // em size in world units
    FontStyle font_style = FontStyle::Regular;
    uint32_t format_flags = 0;
    StringAlignment alignment = StringAlignment::Near;
    StringAlignment line_alignment = StringAlignment::Near;
    RectF text_box; // device-space bounds of the laid-out text box

    // Settings.
    SettingKind setting = SettingKind::SmoothingMode;
    int32_t value = 0;

    bool is_drawing() const;
};

struct Recording {
    std::vector<RecordedOp> ops;

    // Texts drawn, in order.
    std::vector<std::string> texts() const;
    // First string op with exactly this text (UTF-8), or null.
    const RecordedOp* find_text(std::string_view utf8) const;
    // First string op whose layout origin lies within `tolerance` device
    // pixels of (x, y), or null.
    const RecordedOp* text_near(float x, float y, float tolerance = 1.0f) const;
    // draw_line and draw_lines ops drawn with a pen of this colour.
    std::vector<const RecordedOp*> lines_in_color(Argb color) const;
    // Filled shapes of this colour.
    std::vector<const RecordedOp*> fills_in_color(Argb color) const;
    std::vector<const RecordedOp*> of_kind(OpKind kind) const;
    // Ops that put something on the surface (everything but clip changes
    // and settings).
    std::size_t drawing_count() const;
    // Empties the recording; the ops' point buffers are kept for the next
    // ops, so that recording frame after frame allocates little.
    void clear();
    // An empty point buffer, kept from a cleared op when there is one.
    std::vector<PointF> take_points();

  private:
    std::vector<std::vector<PointF>> spare_points_;
};

} // namespace gfx
