#include "pfd/fine_frame.h"

#include <cmath>

namespace {

void frame(FineFrameKit& kit, bool fine, float sx, float sy, double cx, double cy, double angle) {
    kit.fine = fine;
    kit.g.reset_transform();
    kit.g.scale_transform(sx, sy);
    kit.g.translate_transform(static_cast<float>(cx), static_cast<float>(cy));
    if (angle != 0.0) kit.g.rotate_transform(static_cast<float>(angle));
}

} // namespace

void size_frames(FineFrameKit& kit, double w, double h, double design_w, double design_h, double cx,
                 double cy) {
    const double d = 16.0 * (w + h);
    kit.sx = static_cast<float>(w / design_w);
    kit.sy = static_cast<float>(h / design_h);
    kit.fine_sx = static_cast<float>(w / d);
    kit.fine_sy = static_cast<float>(h / d);
    kit.fx = d / design_w;
    kit.fy = d / design_h;
    kit.cx = cx;
    kit.cy = cy;
}

void canvas_frame(FineFrameKit& kit) {
    kit.fine = false;
    kit.g.reset_transform();
    kit.g.scale_transform(kit.sx, kit.sy);
}

void plain_frame(FineFrameKit& kit, double angle) {
    frame(kit, false, kit.sx, kit.sy, kit.cx, kit.cy, angle);
}

void fine_frame(FineFrameKit& kit, double angle) {
    frame(kit, true, kit.fine_sx, kit.fine_sy, kit.cx * kit.fx, kit.cy * kit.fy, angle);
}

double at_x(const FineFrameKit& kit, double x) {
    return kit.fine ? std::trunc(x * kit.fx) : x;
}

double at_y(const FineFrameKit& kit, double y) {
    return kit.fine ? std::trunc(y * kit.fy) : y;
}

std::vector<gfx::Point> at_points(const FineFrameKit& kit, std::initializer_list<DPoint> points) {
    std::vector<gfx::Point> out;
    out.reserve(points.size());
    for (const DPoint& p : points)
        out.push_back(gfx::point_i(at_x(kit, p.x), at_y(kit, p.y)));
    return out;
}
