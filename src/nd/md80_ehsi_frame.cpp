#include "nd/md80_ehsi_frame.h"

#include "data/display_state.h"
#include "map/palette.h"
#include "nd/nd_text.h"
#include "sim/aircraft_state.h"
#include "sim/sim_var_reader.h"

namespace c = palette;

bool md80_ehsi_adf_shown() {
    return md80_ehsi_adf1_pointer_on == 1 && aircraft_state.adf1_signal > 0.0;
}

void draw_md80_ehsi_adf_label(Md80Frame& r, const gfx::Font& font) {
    if (!md80_ehsi_adf_shown()) return;
    nd::text(r.g, "ADF1", font, c::white, 5, 180);
    r.lines(gfx::Pen(c::blue, 2.0f),
            {{55, 185}, {55, 195}, {55, 175}, {50, 185}, {55, 175}, {60, 185}, {50, 185}, {60, 185}});
}

void draw_md80_ehsi_nav_source(Md80Frame& r, const gfx::Font& font) {
    if (sim_var_object.get_nav1_signal() > 0.0)
        nd::text(r.g, sim_var_object.test_simvar_46_bit_128() != 0 ? "ILS" : "VOR", font, c::white, 220, 185);
}

void draw_md80_ehsi_wind_arrow(Md80Frame& r) {
    const AircraftState& a = aircraft_state;
    double w = a.wind_direction_deg + 180.0;
    if (w > 360.0) w -= 360.0;
    r.g.rotate_transform(static_cast<float>(w - a.heading_deg));
    r.lines(gfx::Pen(c::white, 1.0f),
            {{0, -10}, {2, -5}, {0, -10}, {-2, -5}, {0, 0}, {0, -10}, {0, 0}, {0, 10}});
}
