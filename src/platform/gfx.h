// The drawing API of every render pass and painter, modelled on the GDI+
// operations the displays use. Pens, brushes, fonts and formats are plain
// values; a Graphics draws them into a device context with its own world
// transform, modes and clip, and keeps the status of its last failing call.
//
// World transforms prepend by default, as in GDI+: translate then rotate means
// that points are rotated first, then translated. Texts are narrow
// Windows-1252 strings (0xB0 is the degree sign).
#pragma once

#include "platform/gfx_types.h"

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace gfx {

// GDI+ start-up and shut-down. Start-ups nest: each returns its own token,
// and drawing works while at least one token is outstanding. A Graphics
// whose calls run while nothing is started fails with GdiplusNotInitialized.
Status startup(uint32_t* token);
void shutdown(uint32_t token);
bool started();

// Arrow cap: a triangle whose tip is the line's end. Width (across) and
// height (along the line) are in pen widths; the line stops at its base.
struct AdjustableArrowCap {
    float width = 0.0f;
    float height = 0.0f;
    bool filled = true;
};

struct Pen {
    explicit Pen(Argb color_, float width_ = 1.0f) : color(color_), width(width_) {}

    Argb color;
    float width; // world units; 0 draws one device pixel wide
    DashStyle dash_style = DashStyle::Solid;
    LineCap start_cap = LineCap::Flat;
    LineCap end_cap = LineCap::Flat;
    std::optional<AdjustableArrowCap> custom_start_cap;
    std::optional<AdjustableArrowCap> custom_end_cap;
};

struct SolidBrush {
    explicit SolidBrush(Argb color_) : color(color_) {}
    Argb color;
};

// A font family by name. "Arial", "HW Arial", "Tahoma" and "Courier New" are
// always found; another name is found when the host has that family
// installed. A missing family reports FontFamilyNotFound and falls back to
// the generic sans-serif family, so text still draws.
class FontFamily {
  public:
    explicit FontFamily(std::string_view name);

    Status status() const { return status_; }
    // The family that draws: the name asked for, or the fallback's.
    const std::string& name() const { return name_; }
    // Host face behind it (fontconfig family name on Linux).
    const std::string& face() const { return face_; }

  private:
    Status status_ = Status::Ok;
    std::string name_;
    std::string face_;
};

struct Font {
    Font(const FontFamily& family, float size, FontStyle style = FontStyle::Regular, Unit unit = Unit::Pixel);

    // Em size in world units.
    float em_size() const;

    std::string family; // as FontFamily::name()
    std::string face;   // as FontFamily::face()
    float size;
    FontStyle style;
    Unit unit;
    Status status; // InvalidParameter for a size that is not positive and finite
};

// Layout of a string. With DirectionRightToLeft, Near means the right edge
// of the layout box (or of the point) and Far the left edge.
struct StringFormat {
    uint32_t flags = 0;
    StringAlignment alignment = StringAlignment::Near;
    StringAlignment line_alignment = StringAlignment::Near;
};

// A path of figures, stored as GDI+ stores it: points with types (start,
// line, Bezier, close). Within an open figure each added piece is joined to
// the previous one by a straight line; ellipses, rectangles, polygons and
// pies are closed figures of their own.
class GraphicsPath {
  public:
    explicit GraphicsPath(FillMode fill_mode = FillMode::Alternate) : fill_mode_(fill_mode) {}

    Status add_line(float x1, float y1, float x2, float y2);
    Status add_line_i(double x1, double y1, double x2, double y2);
    Status add_lines(std::span<const PointF> points);
    Status add_lines_i(std::span<const Point> points);
    // Arc of the ellipse in the box, angles in degrees clockwise from +x.
    Status add_arc(float x, float y, float width, float height, float start_angle, float sweep_angle);
    Status add_arc_i(double x, double y, double width, double height, float start_angle, float sweep_angle);
    Status add_bezier(PointF p1, PointF p2, PointF p3, PointF p4);
    // Cardinal spline through the points (tension 0.5 as GDI+'s default).
    Status add_curve(std::span<const PointF> points, float tension = 0.5f);
    Status add_curve_i(std::span<const Point> points, float tension = 0.5f);
    Status add_ellipse(float x, float y, float width, float height);
    Status add_ellipse_i(double x, double y, double width, double height);
    Status add_rectangle(float x, float y, float width, float height);
    Status add_rectangle_i(double x, double y, double width, double height);
    Status add_polygon(std::span<const PointF> points);
    Status add_polygon_i(std::span<const Point> points);
    Status add_pie(float x, float y, float width, float height, float start_angle, float sweep_angle);

    void start_figure() { figure_open_ = false; }
    void close_figure();
    void close_all_figures();
    void reset();

    FillMode fill_mode() const { return fill_mode_; }
    void set_fill_mode(FillMode mode) { fill_mode_ = mode; }
    const std::vector<PointF>& points() const { return points_; }
    const std::vector<uint8_t>& types() const { return types_; }

  private:
    void add_point(PointF p, uint8_t type);
    void add_arc_beziers(float x, float y, float width, float height, float start_angle, float sweep_angle,
                         bool join);

    FillMode fill_mode_;
    std::vector<PointF> points_;
    std::vector<uint8_t> types_;
    bool figure_open_ = false;
};

namespace detail {
struct GraphicsState;
}

class Graphics {
  public:
    explicit Graphics(void* device_context);
    ~Graphics();
    Graphics(const Graphics&) = delete;
    Graphics& operator=(const Graphics&) = delete;

    // The status of the last call that failed (Ok while none has).
    Status last_status() const { return last_status_; }

    Status reset_transform();
    Status translate_transform(float dx, float dy, MatrixOrder order = MatrixOrder::Prepend);
    Status rotate_transform(float degrees, MatrixOrder order = MatrixOrder::Prepend);
    Status scale_transform(float sx, float sy, MatrixOrder order = MatrixOrder::Prepend);
    Status multiply_transform(const Matrix& m, MatrixOrder order = MatrixOrder::Prepend);
    Status set_transform(const Matrix& m);
    Matrix transform() const;

    Status set_smoothing_mode(SmoothingMode mode);
    Status set_text_rendering_hint(TextRenderingHint hint);
    Status set_pixel_offset_mode(PixelOffsetMode mode);
    SmoothingMode smoothing_mode() const;
    TextRenderingHint text_rendering_hint() const;
    PixelOffsetMode pixel_offset_mode() const;

    // Fills the clip region (the whole surface without a clip) with the
    // colour, replacing what was there.
    Status clear(Argb color);

    // The _i forms take coordinates through the integer conversion of the
    // GDI+ integer calls (truncated toward zero, saturated).
    Status draw_line(const Pen& pen, float x1, float y1, float x2, float y2);
    Status draw_line_i(const Pen& pen, double x1, double y1, double x2, double y2);
    Status draw_lines(const Pen& pen, std::span<const PointF> points);
    Status draw_lines_i(const Pen& pen, std::span<const Point> points);
    Status draw_polygon(const Pen& pen, std::span<const PointF> points);
    Status draw_polygon_i(const Pen& pen, std::span<const Point> points);
    Status fill_polygon(const SolidBrush& brush, std::span<const PointF> points,
                        FillMode mode = FillMode::Alternate);
    Status fill_polygon_i(const SolidBrush& brush, std::span<const Point> points,
                          FillMode mode = FillMode::Alternate);
    Status draw_rectangle(const Pen& pen, float x, float y, float width, float height);
    Status draw_rectangle_i(const Pen& pen, double x, double y, double width, double height);
    Status fill_rectangle(const SolidBrush& brush, float x, float y, float width, float height);
    Status fill_rectangle_i(const SolidBrush& brush, double x, double y, double width, double height);
    Status draw_ellipse(const Pen& pen, float x, float y, float width, float height);
    Status draw_ellipse_i(const Pen& pen, double x, double y, double width, double height);
    Status fill_ellipse(const SolidBrush& brush, float x, float y, float width, float height);
    Status fill_ellipse_i(const SolidBrush& brush, double x, double y, double width, double height);
    Status draw_arc(const Pen& pen, float x, float y, float width, float height, float start_angle,
                    float sweep_angle);
    Status draw_arc_i(const Pen& pen, double x, double y, double width, double height, float start_angle,
                      float sweep_angle);
    Status draw_pie(const Pen& pen, float x, float y, float width, float height, float start_angle,
                    float sweep_angle);
    Status draw_pie_i(const Pen& pen, double x, double y, double width, double height, float start_angle,
                      float sweep_angle);
    Status fill_pie(const SolidBrush& brush, float x, float y, float width, float height, float start_angle,
                    float sweep_angle);
    Status fill_pie_i(const SolidBrush& brush, double x, double y, double width, double height,
                      float start_angle, float sweep_angle);
    Status draw_path(const Pen& pen, const GraphicsPath& path);
    Status fill_path(const SolidBrush& brush, const GraphicsPath& path);

    // Clip regions replace the current one; they are fixed in device space
    // when set, so later transforms do not move them.
    Status set_clip_rect(float x, float y, float width, float height);
    Status set_clip_rect_i(double x, double y, double width, double height);
    Status set_clip_path(const GraphicsPath& path);
    Status reset_clip();
    // The part of the surface that drawing can reach (within the clip's
    // bounds), as a box in world units of the transform in force.
    Status visible_clip_bounds(RectF* bounds);

    // At a point: the layout box has no size, the point is its top-left
    // corner (for the default format), nothing wraps and nothing is clipped.
    Status draw_string(std::string_view text, const Font& font, const SolidBrush& brush, PointF origin,
                       const StringFormat& format = StringFormat{});
    // In a layout box: text wraps at its width and is clipped to it (unless
    // the format says otherwise); a zero width or height does neither.
    Status draw_string(std::string_view text, const Font& font, const SolidBrush& brush, const RectF& layout,
                       const StringFormat& format = StringFormat{});
    // The box the text takes when drawn with the same arguments, including
    // the small leading and trailing pad that GDI+ adds (1/6 em each).
    Status measure_string(std::string_view text, const Font& font, const RectF& layout,
                          const StringFormat& format, RectF* bounding_box);

  private:
    Status fail(Status status);
    Status check() const;

    std::unique_ptr<detail::GraphicsState> state_;
    Status last_status_ = Status::Ok;
};

} // namespace gfx
