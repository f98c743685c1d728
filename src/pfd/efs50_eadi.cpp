// The EFS50_EADI painter: its kit and the order of the picture.
#include "pfd/efs50_eadi.h"

#include <cmath>
#include <vector>

namespace efs50 {

void init_kit(Kit& kit, double w, double h) {
    kit.sx = static_cast<float>(w / 266.0);
    kit.sy = static_cast<float>(h / 230.0);
    kit.fine_sx = 1.0f / 16.0f;
    kit.fine_sy = 1.0f / 16.0f;
    kit.fx = 16.0 * kit.sx;
    kit.fy = 16.0 * kit.sy;
    kit.cx = 129.0;
    kit.cy = 114.0;
    kit.amber2f.width = static_cast<float>(2.0 * kit.fx);
    kit.white2f.width = static_cast<float>(2.0 * kit.fy);
}

} // namespace efs50

void draw_efs50_eadi(const DisplayObject& display, gfx::Graphics& graphics) {
    // A zero-sized element has no fine frame.
    if (display.width <= 0 || display.height <= 0) return;
    efs50::Kit kit{{graphics}};
    efs50::init_kit(kit, display.width, display.height);
    efs50::draw_attitude(kit);
    efs50::draw_indications(kit);
    graphics.reset_clip();
    graphics.reset_transform();
}
