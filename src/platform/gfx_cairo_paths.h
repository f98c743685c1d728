// Inside the Cairo backend: world paths handed to Cairo in device space.
// Geometry far outside any surface is cut to a guard box first, since Cairo's
// fixed-point coordinates cannot hold it. Only gfx_cairo*.cpp include it.
#pragma once

#include "platform/gfx_detail.h"

#include <cairo.h>

#include <span>
#include <vector>

namespace gfx::detail {

constexpr double kGuard = 2.0e6; // device pixels

struct DPoint {
    double x, y;
};

cairo_matrix_t device_matrix(const DrawState& s);
DPoint to_device(const cairo_matrix_t& m, PointF p);
bool inside_guard(const DPoint& p);

// Device points of the whole path into `out`; true when all are finite and
// inside the guard box.
bool device_points(std::span<const PointF> pts, const cairo_matrix_t& m, std::vector<DPoint>& out);

// Appends the device points as Cairo path elements (the matrix must be the
// identity).
void append_cairo_path(cairo_t* cr, std::span<const DPoint> d, std::span<const uint8_t> types);

// Replaces Cairo's path with the world path in device space, for filling or
// clipping; figures reaching past the guard box are cut to it. `d` is a
// buffer the call may use.
void set_fill_path(cairo_t* cr, std::span<const PointF> pts, std::span<const uint8_t> types,
                   const cairo_matrix_t& m, std::vector<DPoint>& d);

// The pen's dash pattern for a pen `width` wide.
void dash_pattern(DashStyle style, double width, std::vector<double>& out);

// Strokes a world path some of whose points lie past the guard box: each
// segment is cut to the box, and the dash phase kept by the world length
// walked before each visible run. Line width, caps and joins are set.
void stroke_far_path(cairo_t* cr, std::span<const DPoint> d, std::span<const uint8_t> types,
                     const cairo_matrix_t& m, const std::vector<double>& pattern);

// A cap drawn after the line: filled, or stroked with the line's pen.
struct CapShape {
    GraphicsPath path;
    bool stroked = false;
};

// The caps of every open figure of the path; an arrow pulls its line's end
// back to the arrow's base in `pts`.
void make_caps(std::vector<PointF>& pts, std::span<const uint8_t> types, const Pen& pen, double width,
               std::vector<CapShape>& caps);

} // namespace gfx::detail
