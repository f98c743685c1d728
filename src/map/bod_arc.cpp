// The bottom-of-descent arc: where the aircraft will reach the autopilot's
// altitude lock at the present vertical speed and ground speed, as a green
// arc across the track ahead of the aircraft symbol.
#include "gauges/render_frame.h"
#include "map/map_canvas.h"
#include "map/map_colours.h"
#include "map/map_overlays.h"
#include "map/map_projection.h"
#include "map/range_ladder.h"
#include "nd/display_geometry.h"
#include "nd/display_settings.h"
#include "platform/gfx.h"
#include "sim/aircraft_state.h"

#include <cmath>

namespace {

// Only a descent has a level-off point ahead.
bool can_draw(const DisplayObject& display) {
    return display.width > 0 && display.height > 0 && aircraft_state.vertical_speed_fpm < 0.0;
}

// The level-off point's offset from the aircraft symbol, negative (up) while descending.
double level_off_offset(double ppn) {
    const AircraftState& a = aircraft_state;
    return std::trunc((a.indicated_altitude_ft - a.ap_altitude_lock_ft) / a.vertical_speed_fpm *
                      a.ground_speed_kt / 60.0 * ppn);
}

} // namespace

void draw_bod_arc_hw_b737_nd(const DisplayObject& display, gfx::Graphics& g, double ppn) {
    if (!can_draw(display)) return;
    const int mode = hw_b737_nd_mode;
    set_design_frame(g, display, hw_b737_nd_design, 122.0f, mode >= 6 ? 171.0f : 249.0f);
    const gfx::Pen pen(map_colour::green, 2.0f);
    g.draw_arc_i(pen, -108, level_off_offset(ppn), 217, 217, 240.0f, 60.0f);
}

void draw_bod_arc_hw_md11_nd(const DisplayObject& display, gfx::Graphics& g) {
    const double ppn = units_per_nm(hw_md11_nd_compass_radius, hw_md11_nd_range);
    if (!can_draw(display) || !(ppn > 0.0)) return;
    set_design_frame(g, display, hw_md11_nd_design, static_cast<float>(hw_md11_nd_centre_x),
                     static_cast<float>(hw_md11_nd_centre_y));
    const gfx::Pen pen(map_colour::green, 2.0f);
    g.draw_arc_i(pen, -75, level_off_offset(ppn), 150, 150, 220.0f, 100.0f);
}
