// Value types of the drawing layer: colours, points, rectangles, matrices and
// the enumerations whose numbers follow the published GDI+ interface, so that
// the values the display code passes (smoothing mode 2, text hint 4, dash
// style 1) mean the same on every backend.
#pragma once

#include <cstdint>

namespace gfx {

// 0xAARRGGBB, as GDI+ takes colours.
using Argb = uint32_t;

enum class Status : int32_t {
    Ok = 0,
    GenericError = 1,
    InvalidParameter = 2,
    OutOfMemory = 3,
    ObjectBusy = 4,
    InsufficientBuffer = 5,
    NotImplemented = 6,
    Win32Error = 7,
    WrongState = 8,
    Aborted = 9,
    FileNotFound = 10,
    ValueOverflow = 11,
    AccessDenied = 12,
    UnknownImageFormat = 13,
    FontFamilyNotFound = 14,
    FontStyleNotFound = 15,
    NotTrueTypeFont = 16,
    UnsupportedGdiplusVersion = 17,
    GdiplusNotInitialized = 18,
};

enum class SmoothingMode : int32_t {
    Default = 0,
    HighSpeed = 1,
    HighQuality = 2,
    None = 3,
    AntiAlias = 4,
};

enum class TextRenderingHint : int32_t {
    SystemDefault = 0,
    SingleBitPerPixelGridFit = 1,
    SingleBitPerPixel = 2,
    AntiAliasGridFit = 3,
    AntiAlias = 4,
    ClearTypeGridFit = 5,
};

// Default, HighSpeed and None put pixel centres on whole coordinates; Half
// and HighQuality put them half a pixel in.
enum class PixelOffsetMode : int32_t {
    Default = 0,
    HighSpeed = 1,
    HighQuality = 2,
    None = 3,
    Half = 4,
};

// Dash lengths are multiples of the pen width: dash 3 on 1 off, dot 1 on
// 1 off, dash-dot 3 1 1 1, dash-dot-dot 3 1 1 1 1 1.
enum class DashStyle : int32_t {
    Solid = 0,
    Dash = 1,
    Dot = 2,
    DashDot = 3,
    DashDotDot = 4,
};

enum class LineCap : int32_t {
    Flat = 0,
    Square = 1,
    Round = 2,
    Triangle = 3,
};

enum class FontStyle : int32_t {
    Regular = 0,
    Bold = 1,
    Italic = 2,
    BoldItalic = 3,
};

// Units of a font size. The page unit is the pixel, so World and Pixel sizes
// are both in world units; Point is 1/72 inch at 96 pixels per inch.
enum class Unit : int32_t {
    World = 0,
    Pixel = 2,
    Point = 3,
};

enum class StringAlignment : int32_t {
    Near = 0,
    Center = 1,
    Far = 2,
};

// String format flags (bit values of GDI+).
inline constexpr uint32_t StringFormatFlagsDirectionRightToLeft = 0x0001;
inline constexpr uint32_t StringFormatFlagsMeasureTrailingSpaces = 0x0800;
inline constexpr uint32_t StringFormatFlagsNoWrap = 0x1000;
inline constexpr uint32_t StringFormatFlagsNoClip = 0x4000;

enum class FillMode : int32_t {
    Alternate = 0,
    Winding = 1,
};

enum class MatrixOrder : int32_t {
    Prepend = 0,
    Append = 1,
};

// Point types of a path, as GDI+ stores them.
inline constexpr uint8_t PathPointTypeStart = 0;
inline constexpr uint8_t PathPointTypeLine = 1;
inline constexpr uint8_t PathPointTypeBezier = 3;
inline constexpr uint8_t PathPointTypeMask = 0x07;
inline constexpr uint8_t PathPointTypeCloseSubpath = 0x80;

struct PointF {
    float x = 0.0f;
    float y = 0.0f;
};

struct Point {
    int32_t x = 0;
    int32_t y = 0;
};

struct RectF {
    float x = 0.0f;
    float y = 0.0f;
    float width = 0.0f;
    float height = 0.0f;
};

// Affine matrix in GDI+ form: a point (x, y) maps to
// (x m11 + y m21 + dx, x m12 + y m22 + dy).
struct Matrix {
    float m11 = 1.0f;
    float m12 = 0.0f;
    float m21 = 0.0f;
    float m22 = 1.0f;
    float dx = 0.0f;
    float dy = 0.0f;
};

// first then second: the product that maps a point by `first`, then by
// `second`.
Matrix matrix_multiply(const Matrix& first, const Matrix& second);
Matrix matrix_translation(float dx, float dy);
// Clockwise on the screen (y grows downwards) for positive degrees.
Matrix matrix_rotation(float degrees);
Matrix matrix_scaling(float sx, float sy);
// Inline: the recording maps every point it keeps.
inline PointF matrix_apply(const Matrix& m, PointF p) {
    const double x = double(p.x) * m.m11 + double(p.y) * m.m21 + m.dx;
    const double y = double(p.x) * m.m12 + double(p.y) * m.m22 + m.dy;
    return PointF{static_cast<float>(x), static_cast<float>(y)};
}
bool matrix_invertible(const Matrix& m);
// False (and m unchanged) when m is singular.
bool matrix_invert(Matrix& m);

// Float to int32 as the integer drawing calls take coordinates: truncated
// toward zero, saturated at the type's limits, NaN gives 0.
int32_t saturate_i32(double value);
inline Point point_i(double x, double y) {
    return Point{saturate_i32(x), saturate_i32(y)};
}

} // namespace gfx
