#include "pfd/b777_pfd.h"

#include "data/pfd_settings.h"

#include <cmath>

int b777_pfd_center_x = 115;
int b777_pfd_center_y = 130;

namespace b777 {

void init_kit(Kit& kit, double w, double h) {
    size_frames(kit, w, h, 260.0, 260.0, b777_pfd_center_x, b777_pfd_center_y);
    kit.font_size = FineFontSize::whole;
    kit.sky = background_argb(b777_pfd_sky_rgb);
    kit.ground = background_argb(b777_pfd_ground_rgb);
    kit.tape = background_argb(b777_pfd_tape_rgb);
    kit.background = background_argb(b777_pfd_background_rgb);
    const auto kw = [&](double width) { return static_cast<float>(std::trunc(width * kit.fx)); };
    kit.white1k.width = kw(1);
    kit.green2k.width = kw(2);
    kit.red3k.width = kw(3);
    kit.amber2k.width = kw(2);
    kit.magenta1k.width = kw(1);
}

} // namespace b777

void draw_b777_pfd(const DisplayObject& display, gfx::Graphics& graphics) {
    // A zero-sized element has no frame to map the canvas onto.
    if (display.width <= 0 || display.height <= 0) return;
    b777::Kit kit{{graphics}};
    b777::init_kit(kit, display.width, display.height);
    using namespace b777;
    draw_attitude(kit);
    draw_speed_tape(kit);
    draw_altitude_tape(kit);
    draw_bank_scale(kit);
    draw_annunciations(kit);
    draw_vertical_speed(kit);
    draw_speed_texts(kit);
    draw_selected_altitude(kit);
    draw_mach_readout(kit);
    draw_baro(kit);
    draw_nav_source(kit);
    draw_minimums(kit);
    draw_deviations_and_heading(kit);
    graphics.reset_clip();
    graphics.reset_transform();
}
