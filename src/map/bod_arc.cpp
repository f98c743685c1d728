// The bottom-of-descent arc: where the aircraft will reach the autopilot's
// altitude lock at the present vertical speed and ground speed, as a green
// arc across the track ahead of the aircraft symbol. The members differ by
// their row: canvas, aircraft symbol, arc box and pen.
#include "data/c17_mfd_state.h"
#include "data/display_geometry.h"
#include "data/display_settings.h"
#include "data/display_state.h"
#include "data/p1000_menu_state.h"
#include "map/map_canvas.h"
#include "map/map_overlays.h"
#include "map/map_projection.h"
#include "map/palette.h"
#include "map/range_ladder.h"
#include "map/render_frame.h"
#include "platform/gfx.h"
#include "sim/aircraft_state.h"

#include <cmath>

namespace {

// The level-off point's offset from the aircraft symbol, negative (up) while descending.
double level_off_offset(double ppn) {
    const AircraftState& a = aircraft_state;
    return std::trunc((a.indicated_altitude_ft - a.ap_altitude_lock_ft) / a.vertical_speed_fpm *
                      a.ground_speed_kt / 60.0 * ppn);
}

// One member: the arc of the box (x0, d, size, size) from start sweeping
// sweep, about the aircraft symbol (x, y) of its design canvas (no canvas:
// added to the transform in force); afterwards the display's base scale
// of the restore canvas again.
struct ArcRow {
    DesignSize design;
    double x = 0.0;
    double y = 0.0;
    int x0 = 0;
    int size = 0;
    float start = 220.0f;
    float sweep = 100.0f;
    gfx::Argb colour = palette::green;
    DesignSize restore; // none: the transform is left as drawn
};

void draw_arc(const DisplayObject& display, gfx::Graphics& g, double ppn, const ArcRow& row) {
    // Only a descent has a level-off point ahead.
    if (display.width <= 0 || display.height <= 0 || !(ppn > 0.0) ||
        !(aircraft_state.vertical_speed_fpm < 0.0))
        return;
    if (row.design.width > 0.0)
        set_design_frame(g, display, row.design, row.x, row.y);
    else
        g.translate_transform(static_cast<float>(row.x), static_cast<float>(row.y));
    const gfx::Pen pen(row.colour, 2.0f);
    g.draw_arc_i(pen, row.x0, level_off_offset(ppn), row.size, row.size, row.start, row.sweep);
    if (row.restore.width > 0.0) set_design_frame(g, display, row.restore, 0.0, 0.0);
}

} // namespace

bool level_off_arc_wanted() {
    const AircraftState& a = aircraft_state;
    return a.snap_token_103 == 1.0 && a.snap_token_108 == 1.0 &&
           a.indicated_altitude_ft > a.ap_altitude_lock_ft && a.vertical_speed_fpm < -200.0;
}

void draw_bod_arc_hw_b737_nd(const DisplayObject& display, gfx::Graphics& g, double ppn) {
    const double centre_y = hw_b737_nd_mode >= kB737NdModeCtrMap ? 171.0 : 249.0;
    draw_arc(display, g, ppn,
             ArcRow{hw_b737_nd_design, 122.0, centre_y, -108, 217, 240.0f, 60.0f, palette::green, {}});
}

void draw_bod_arc_hw_md11_nd(const DisplayObject& display, gfx::Graphics& g) {
    draw_arc(display, g, units_per_nm(hw_md11_nd_compass_radius, hw_md11_nd_range),
             ArcRow{hw_md11_nd_design,
                    double(hw_md11_nd_centre_x),
                    double(hw_md11_nd_centre_y),
                    -75,
                    150,
                    220.0f,
                    100.0f,
                    palette::green,
                    {}});
}

void draw_bod_arc_md80_ehsi(const DisplayObject& display, gfx::Graphics& g, double ppn) {
    draw_arc(display, g, ppn,
             ArcRow{md80_ehsi_design,
                    double(md80_compass_centre_x),
                    double(md80_compass_centre_y),
                    -75,
                    150,
                    220.0f,
                    100.0f,
                    palette::green,
                    {}});
}

void draw_bod_arc_proline4_mfd(const DisplayObject& display, gfx::Graphics& g, double ppn) {
    draw_arc(display, g, ppn,
             ArcRow{proline4_mfd_design, 123.0, 220.0, -45, 90, 220.0f, 100.0f, palette::green, {}});
}

void draw_bod_arc_efs50_ehsi(const DisplayObject& display, gfx::Graphics& g, double ppn) {
    const double y = efs50_ehsi_mode <= kEfs50EhsiModeRoseMapSectors ? 114.0 : 190.0;
    ArcRow row{efs50_ehsi_design, 129.0, y, -45, 90, 220.0f, 100.0f, palette::deep_green, efs50_ehsi_design};
    draw_arc(display, g, ppn, row);
}

void draw_bod_arc_p1000_mfd(const DisplayObject& display, gfx::Graphics& g, double ppn) {
    // Added to the P1000 design frame in force.
    ArcRow row{DesignSize{},
               double(p1000_map_centre_x),
               double(p1000_map_centre_y),
               -53,
               105,
               220.0f,
               100.0f,
               palette::light_green,
               p1000_mfd_design};
    draw_arc(display, g, ppn, row);
}

void draw_bod_arc_c17_mfd(const DisplayObject& display, gfx::Graphics& g, double ppn) {
    draw_arc(display, g, ppn,
             ArcRow{c17_mfd_design,
                    double(c17_compass_centre.x),
                    double(c17_compass_centre.y),
                    -75,
                    150,
                    220.0f,
                    100.0f,
                    palette::green,
                    {}});
}
