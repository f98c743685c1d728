// The C17_MFD primary flight display: the kit and the order of the picture.
#include "pfd/c17_mfd_pfd.h"

#include "data/c17_mfd_state.h"
#include "data/pfd_settings.h"
#include "pfd/c17_mfd_painters.h"
#include "platform/text_file.h"

#include <cmath>

namespace c17pfd {

void init_kit(Kit& kit, double w, double h) {
    size_frames(kit, w, h, 246.0, 241.0, c17_compass_centre.x, c17_compass_centre.y);
    kit.font_size = FineFontSize::whole;
    kit.sky = background_argb(c17_mfd_sky_rgb);
    kit.ground = background_argb(c17_mfd_ground_rgb);
    kit.ladder.width = static_cast<float>(std::trunc(1.5 * kit.fy));
    kit.thin_ladder.width = static_cast<float>(std::trunc(kit.fx));
    kit.dashed_ladder.width = kit.ladder.width;
    kit.dashed_ladder.dash_style = gfx::DashStyle::Dash;
}

int digit_at(const std::string& text, std::size_t i) {
    if (i >= text.size() || text[i] < '0' || text[i] > '9') return 0;
    return text[i] - '0';
}

std::string char_at(const std::string& text, std::size_t i) {
    return std::string(1, i < text.size() ? text[i] : ' ');
}

int wrap_digit(int value) {
    return ((value % 10) + 10) % 10;
}

} // namespace c17pfd

void c17_mfd_draw_pfd(const DisplayObject& display, gfx::Graphics& graphics) {
    // A zero-sized element has no fine frame.
    if (display.width <= 0 || display.height <= 0) return;
    using namespace c17pfd;
    Kit kit{{graphics}};
    init_kit(kit, display.width, display.height);
    draw_readouts(kit);
    draw_attitude(kit);
    draw_warning(kit);
    draw_attitude_symbols(kit);
    draw_speed_scale(kit);
    draw_altitude_scale(kit);
    draw_bugs_and_deviations(kit);
    draw_marker(kit);
    draw_heading_scale(kit);
    draw_annunciations(kit);
    graphics.reset_clip();
    graphics.reset_transform();
}
