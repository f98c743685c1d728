// The two frames the attitude displays draw in: the plain frame, design units
// about the attitude centre, and the fine frame, whose coordinates are design
// values premultiplied by fx and fy and truncated, so that the moving parts,
// drawn with integer calls, keep a fraction of a pixel.
#pragma once

#include "platform/gfx.h"

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct DPoint {
    double x = 0.0;
    double y = 0.0;
};

// How a design font size becomes a fine one: fx times it, or that truncated
// to whole fine units.
enum class FineFontSize { exact, whole };

// What every attitude display's kit starts with; its init_kit fills it in.
struct FineFrameKit {
    gfx::Graphics& g;
    gfx::FontFamily font{"Arial"}; // the texts are bold, sized in pixels
    FineFontSize font_size = FineFontSize::exact;
    float sx = 0.0f; // plain frame: element pixels per design unit
    float sy = 0.0f;
    float fine_sx = 0.0f; // fine frame: element pixels per fine unit
    float fine_sy = 0.0f;
    double fx = 0.0; // fine units per design unit
    double fy = 0.0;
    double cx = 0.0; // the attitude centre in design units
    double cy = 0.0;
    bool fine = false; // the fine frame is in force
};

// Both frames of a w x h element that shows a design_w x design_h canvas
// with the attitude centre at (cx, cy), the fine factors being 16 (w + h)
// over the design width and height.
void size_frames(FineFrameKit& kit, double w, double h, double design_w, double design_h, double cx,
                 double cy);

// The plain frame's scale with the canvas origin at the element's corner.
void canvas_frame(FineFrameKit& kit);
// The frames about the attitude centre, rotated by `angle` degrees.
void plain_frame(FineFrameKit& kit, double angle = 0.0);
void fine_frame(FineFrameKit& kit, double angle = 0.0);

// A design value in the units of the frame in force.
double at_x(const FineFrameKit& kit, double x);
double at_y(const FineFrameKit& kit, double y);
std::vector<gfx::Point> at_points(const FineFrameKit& kit, std::initializer_list<DPoint> points);

// Text with its top-left corner at (x, y) and its size in the units of the
// frame in force.
void frame_text(FineFrameKit& kit, std::string_view s, double size, gfx::Argb colour, double x, double y);

// Drawing from design values in the frame in force.
void fine_text(FineFrameKit& kit, std::string_view s, double size, gfx::Argb colour, double x, double y);
void fine_line(FineFrameKit& kit, const gfx::Pen& pen, double x1, double y1, double x2, double y2);
void fine_polyline(FineFrameKit& kit, const gfx::Pen& pen, std::initializer_list<DPoint> points);
void fine_fill(FineFrameKit& kit, gfx::Argb colour, std::initializer_list<DPoint> points);
// The rectangle between two design corners.
void fine_fill(FineFrameKit& kit, gfx::Argb colour, double x1, double y1, double x2, double y2);

// An attitude window: a circle cut by the sides x = -side_x and side_x from
// y = -side_y to side_y, its upper arc of radius `top`, its lower of `bottom`.
gfx::GraphicsPath cut_circle_window(double top, double bottom, double side_x, double side_y);

// The flight-path vector at (x, y) in the units of the frame in force: a
// ring of radius 6 with three 6-unit ticks (up, left, right).
void flight_path_symbol(FineFrameKit& kit, const gfx::Pen& pen, double x, double y);

// A readout's window, its points already in the frame in force: filled with
// `colour` and made the clip of what the readout draws next.
void fill_and_clip(FineFrameKit& kit, gfx::Argb colour, std::span<const gfx::Point> points);

// The text of a rolling altitude readout (three big digits, then the tens and
// units of the drum) as `format` prints an altitude of 0 or more. Below sea
// level it shows the altitude's digits with a minus sign in the place before
// the first of them; an altitude beyond -9999 ft reads -9999, the lowest that
// leaves the sign its place.
std::string signed_altitude_text(double altitude, std::string (*format)(double));
