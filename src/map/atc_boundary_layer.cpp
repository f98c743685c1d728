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
#include "nd/display_state.h"
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

Projected project(const MapPosition& ref, double lat, double lon, int centre_x, int centre_y, double ppn,
                  double map_up) {
    Projected p;
    double course = 0.0;
    gc_dist_course(ref.lat, ref.lon, lat, lon, &p.distance, &course);
    turn_arc_geometry_i(map_up, course, centre_x, centre_y, p.distance * ppn, &p.x, &p.y);
    return p;
}

// A display's layer: its design canvas about the map centre, its compass
// radius and range, north up about the plan waypoint in its plan format.
void draw_member(const DisplayObject& display, gfx::Graphics& g, DesignSize design, double centre_x,
                 double centre_y, int radius, double range, bool plan) {
    if (display.width <= 0 || display.height <= 0) return;
    set_design_frame(g, display, design, centre_x, centre_y);
    const MapView view = plan_or_aircraft_view(plan, aircraft_state.map_heading_deg, 0.0);
    draw_atc_boundaries(g, radius, 0, 0, range, view.heading, view.ref_lat, view.ref_lon);
}

} // namespace

void draw_atc_boundaries(gfx::Graphics& g, int radius, int centre_x, int centre_y, double range,
                         double map_up, double ref_lat, double ref_lon) {
    if (atc_boundaries_loaded == 0) load_atc_boundaries();
    const double ppn = units_per_nm(radius, range);
    if (ppn <= 0.0) return;
    const MapPosition ref{ref_lat, ref_lon};

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
                project(ref, b.points[k].latitude, b.points[k].longitude, centre_x, centre_y, ppn, map_up);
            if (k == 1 && out_of_reach(b, p.distance)) {
                skipped = true;
                break;
            }
            if (k >= 2) g.draw_line_i(pen, previous.x, previous.y, p.x, p.y);
            previous = p;
        }
        if (skipped) continue;
        const Projected label =
            project(ref, b.label_latitude, b.label_longitude, centre_x, centre_y, ppn, map_up);
        // The label has room for three characters.
        g.draw_string(b.boundary_name2.substr(0, 3), font, brush,
                      gfx::PointF{static_cast<float>(label.x - 15), static_cast<float>(label.y)});
    }
}

void draw_atc_boundaries_hw_b737_nd(const DisplayObject& display, gfx::Graphics& g) {
    const int mode = hw_b737_nd_mode;
    // The map's own radius, so that the lines keep the scale of the other
    // layers in the centred mode too.
    draw_member(display, g, hw_b737_nd_design, 122.0, mode == 6 || mode == 7 ? 171.0 : 249.0,
                hw_b737_nd_compass_radius, hw_b737_nd_range, mode == 7);
}

void draw_atc_boundaries_hw_md11_nd(const DisplayObject& display, gfx::Graphics& g) {
    draw_member(display, g, hw_md11_nd_design, hw_md11_nd_centre_x, hw_md11_nd_centre_y,
                hw_md11_nd_compass_radius, hw_md11_nd_range, hw_md11_nd_mode == 2);
}

void draw_atc_boundaries_md80_ehsi(const DisplayObject& display, gfx::Graphics& g) {
    draw_member(display, g, md80_ehsi_design, md80_compass_centre_x, md80_compass_centre_y, 180,
                md80_ehsi_range, md80_ehsi_mode == 2);
}

void draw_atc_boundaries_proline4_mfd(const DisplayObject& display, gfx::Graphics& g) {
    const bool plan = proline4_mfd_mode == 2;
    draw_member(display, g, proline4_mfd_design, 123.0, plan ? 155.0 : 220.0, proline4_map_radius_px,
                proline4_mfd_range, plan);
}

void draw_atc_boundaries_du_1000_ehsi(const DisplayObject& display, gfx::Graphics& g) {
    const bool plan = du_1000_ehsi_mode == 2;
    draw_member(display, g, du_1000_ehsi_design, 159.0, plan ? 155.0 : 272.0, 234, du_1000_ehsi_range, plan);
}
