// Affine matrices in GDI+ form and the integer conversion of coordinates.
#include "platform/gfx_types.h"

#include <cmath>
#include <limits>

namespace gfx {

Matrix matrix_multiply(const Matrix& a, const Matrix& b) {
    // Row vectors: p' = p a b. Computed in double, stored in single precision
    // as GDI+ keeps its matrices.
    Matrix r;
    r.m11 = static_cast<float>(double(a.m11) * b.m11 + double(a.m12) * b.m21);
    r.m12 = static_cast<float>(double(a.m11) * b.m12 + double(a.m12) * b.m22);
    r.m21 = static_cast<float>(double(a.m21) * b.m11 + double(a.m22) * b.m21);
    r.m22 = static_cast<float>(double(a.m21) * b.m12 + double(a.m22) * b.m22);
    r.dx = static_cast<float>(double(a.dx) * b.m11 + double(a.dy) * b.m21 + b.dx);
    r.dy = static_cast<float>(double(a.dx) * b.m12 + double(a.dy) * b.m22 + b.dy);
    return r;
}

Matrix matrix_translation(float dx, float dy) {
    Matrix m;
    m.dx = dx;
    m.dy = dy;
    return m;
}

Matrix matrix_rotation(float degrees) {
    const double rad = double(degrees) * (3.14159265358979323846 / 180.0);
    double c = std::cos(rad);
    double s = std::sin(rad);
    // Keep quarter turns exact, so that 90 degrees maps axes onto axes.
    if (std::fabs(c) < 1e-12) c = 0.0;
    if (std::fabs(s) < 1e-12) s = 0.0;
    Matrix m;
    m.m11 = static_cast<float>(c);
    m.m12 = static_cast<float>(s);
    m.m21 = static_cast<float>(-s);
    m.m22 = static_cast<float>(c);
    return m;
}

Matrix matrix_scaling(float sx, float sy) {
    Matrix m;
    m.m11 = sx;
    m.m22 = sy;
    return m;
}

static double determinant(const Matrix& m) {
    return double(m.m11) * m.m22 - double(m.m12) * m.m21;
}

bool matrix_invertible(const Matrix& m) {
    const double det = determinant(m);
    return std::isfinite(det) && std::fabs(det) > 1e-12;
}

bool matrix_invert(Matrix& m) {
    if (!matrix_invertible(m)) return false;
    const double det = determinant(m);
    Matrix r;
    r.m11 = static_cast<float>(m.m22 / det);
    r.m12 = static_cast<float>(-m.m12 / det);
    r.m21 = static_cast<float>(-m.m21 / det);
    r.m22 = static_cast<float>(m.m11 / det);
    r.dx = static_cast<float>((double(m.m21) * m.dy - double(m.m22) * m.dx) / det);
    r.dy = static_cast<float>((double(m.m12) * m.dx - double(m.m11) * m.dy) / det);
    m = r;
    return true;
}

int32_t saturate_i32(double value) {
    if (std::isnan(value)) return 0;
    if (value >= 2147483647.0) return std::numeric_limits<int32_t>::max();
    if (value <= -2147483648.0) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value); // truncates toward zero
}

} // namespace gfx
