// The ATC boundary layer: the airspace polygons of atc_bdry.txt as thin olive
// lines about the aircraft, each with a short name label.
#include "data/atc_boundaries.h"
#include "fms/nav_math.h"
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

#include <algorithm>
#include <cstdint>
#include <string>

namespace {

// Boundaries that span half the globe: their first point may be far away
// while their lines pass near the aircraft.
bool is_wide_boundary(const std::string& id) {
    return id == "YM00142" || id == "YB00001" || id == "NZ00084";
}

bool out_of_reach(const AtcBoundary& b, double first_distance) {
    return is_wide_boundary(b.boundary_name) ? first_distance >= 5000.0 : first_distance > 1000.0;
}

struct Projected {
    int32_t x = 0;
    int32_t y = 0;
    double distance = 0.0;
};

Projected project(double lat, double lon, int centre_x, int centre_y, double ppn, double map_up) {
    const AircraftState& a = aircraft_state;
    Projected p;
    double course = 0.0;
    gc_dist_course(a.plat, a.plon, lat, lon, &p.distance, &course);
    turn_arc_geometry_i(map_up, course, centre_x, centre_y, p.distance * ppn, &p.x, &p.y);
    return p;
}

} // namespace

void draw_atc_boundaries(gfx::Graphics& g, int radius, int centre_x, int centre_y, double range,
                         double map_up) {
    if (atc_boundaries_loaded == 0) load_atc_boundaries();
    const double ppn = units_per_nm(radius, range);
    if (ppn <= 0.0) return;

    const gfx::Pen pen(map_colour::olive, 1.0f);
    const gfx::SolidBrush brush(map_colour::olive);
    const gfx::FontFamily family("HW Arial");
    const gfx::Font font(family, 14.0f, gfx::FontStyle::Bold, gfx::Unit::Pixel);

    for (int i = 1; i <= atc_boundaries.count(); ++i) {
        const AtcBoundary& b = atc_boundaries[i];
        // The table holds at most 800 points whatever the count says.
        const int points = std::min(b.point_count, 800);
        Projected previous;
        bool skipped = false;
        for (int k = 1; k <= points; ++k) {
            const Projected p =
                project(b.points[k].latitude, b.points[k].longitude, centre_x, centre_y, ppn, map_up);
            if (k == 1 && out_of_reach(b, p.distance)) {
                skipped = true;
                break;
            }
            if (k >= 2) g.draw_line_i(pen, previous.x, previous.y, p.x, p.y);
            previous = p;
        }
        if (skipped) continue;
        const Projected label = project(b.label_latitude, b.label_longitude, centre_x, centre_y, ppn, map_up);
        // The label has room for three characters.
        g.draw_string(b.boundary_name2.substr(0, 3), font, brush,
                      gfx::PointF{static_cast<float>(label.x - 15), static_cast<float>(label.y)});
    }
}

void draw_atc_boundaries_hw_b737_nd(const DisplayObject& display, gfx::Graphics& g) {
    if (display.width <= 0 || display.height <= 0) return;
    const int mode = hw_b737_nd_mode;
    const float centre_y = mode == 6 || mode == 7 ? 171.0f : 249.0f;
    set_design_frame(g, display, hw_b737_nd_design, 122.0f, centre_y);
    // The map's own radius, so that the lines keep the scale of the other
    // layers in the centred mode too.
    draw_atc_boundaries(g, hw_b737_nd_compass_radius, 0, 0, hw_b737_nd_range,
                        mode == 7 ? 0.0 : aircraft_state.map_heading_deg);
}

void draw_atc_boundaries_hw_md11_nd(const DisplayObject& display, gfx::Graphics& g) {
    if (display.width <= 0 || display.height <= 0) return;
    set_design_frame(g, display, hw_md11_nd_design, static_cast<float>(hw_md11_nd_centre_x),
                     static_cast<float>(hw_md11_nd_centre_y));
    draw_atc_boundaries(g, hw_md11_nd_compass_radius, 0, 0, hw_md11_nd_range,
                        hw_md11_nd_mode == 2 ? 0.0 : aircraft_state.map_heading_deg);
}
