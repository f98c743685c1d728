// The bottom-of-descent arc: where the aircraft will reach the autopilot's
// altitude lock at the present vertical speed and ground speed, as a green
// arc across the track ahead of the aircraft symbol.
#include "gauges/render_frame.h"
#include "map/map_colours.h"
#include "map/map_overlays.h"
#include "map/map_projection.h"
#include "nd/display_settings.h"
#include "platform/gfx.h"
#include "sim/aircraft_state.h"

#include <cmath>

void draw_bod_arc_hw_b737_nd(const DisplayObject& display, gfx::Graphics& g, double ppn) {
    const AircraftState& a = aircraft_state;
    // Only a descent has a level-off point ahead.
    if (display.width <= 0 || display.height <= 0 || !(a.vertical_speed_fpm < 0.0)) return;
    const int mode = hw_b737_nd_mode;
    set_design_frame(g, display, 244.0f, 302.0f, 122.0f, mode >= 6 ? 171.0f : 249.0f);
    const double d = std::trunc((a.indicated_altitude_ft - a.ap_altitude_lock_ft) / a.vertical_speed_fpm *
                                a.ground_speed_kt / 60.0 * ppn);
    const gfx::Pen pen(map_colour::green, 2.0f);
    g.draw_arc_i(pen, -108, d, 217, 217, 240.0f, 60.0f);
}
