// Format 6 of the C17_MFD, the north-up plan: centred on the chosen plan
// waypoint (or the aircraft), with a grid of one-degree cells, the heading
// and range readouts, the route while the C17_MFCP has it on, and the
// aircraft symbol at its place on the plan.
#include "pfd/c17_mfd_nav_kit.h"
#include "pfd/c17_mfd_painters.h"

#include "fms/plan/route_plan.h"
#include "map/c17_map_view.h"
#include "map/map_canvas.h"
#include "map/range_ladder.h"
#include "sim/aircraft_state.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

using namespace c17nav;

constexpr double kGridMaxRange = 320.0;

// A longitude past the date line, back into -180 .. 180.
double wrap_longitude(double lon) {
    if (lon < -180.0) return lon + 360.0;
    if (lon > 180.0) return lon - 360.0;
    return lon;
}

// "N47°", "W122°": the hemisphere letter and the whole degrees.
std::string grid_label(const char* hemisphere, double degrees) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%s%02d\xB0", hemisphere, std::abs(static_cast<int>(std::trunc(degrees))));
    return buf;
}

struct Plan {
    gfx::Graphics& g;
    SplitScale k;
    MapView view;
    // A position's point on the plan, in the split frame's units.
    gfx::PointF at(double lat, double lon) const {
        const MapPlacement p = place_on_map(view, lat, lon);
        return gfx::PointF{static_cast<float>(p.x * k.w), static_cast<float>(p.y * k.s)};
    }
};

void draw_grid(const Plan& p) {
    gfx::Pen pen(kWhite, static_cast<float>(2.0 * p.k.w));
    pen.dash_style = gfx::DashStyle::Dash;
    const gfx::FontFamily family("Arial");
    const gfx::Font font(family, static_cast<float>(10.0 * p.k.w), gfx::FontStyle::Bold, gfx::Unit::Pixel);
    const gfx::SolidBrush white(kWhite);
    const double lat0 = std::trunc(p.view.ref_lat) - 5.0;
    const double lon0 = wrap_longitude(std::trunc(p.view.ref_lon) - 5.0);
    for (int row = 1; row <= 10; ++row) {
        const double lat = lat0 + row - 1;
        double lon = lon0;
        gfx::PointF last;
        for (int step = 0; step < 11; ++step) {
            const gfx::PointF at = p.at(lat, lon);
            last = at;
            if (row == 5)
                p.g.draw_string(grid_label(lon >= 0.0 ? "E" : "W", lon), font, white,
                                gfx::PointF{std::trunc(at.x + static_cast<float>(p.k.w)),
                                            static_cast<float>(-90.0 * p.k.s)});
            const gfx::PointF north = p.at(lat + 1.0, lon);
            p.g.draw_line_i(pen, at.x, at.y, north.x, north.y);
            lon = wrap_longitude(lon + 1.0);
            const gfx::PointF east = p.at(lat, lon);
            p.g.draw_line_i(pen, at.x, at.y, east.x, east.y);
        }
        p.g.draw_string(grid_label(lat < 0.0 ? "S" : "N", lat), font, white,
                        gfx::PointF{static_cast<float>(-122.0 * p.k.w), last.y});
    }
}

void draw_aircraft(const Plan& p) {
    const AircraftState& a = aircraft_state;
    const gfx::PointF at = p.at(a.plat, a.plon);
    p.g.translate_transform(at.x, at.y);
    p.g.rotate_transform(static_cast<float>(a.heading_deg));
    const gfx::Pen pen(kWhite, static_cast<float>(2.0 * p.k.w));
    const double w = p.k.w, s = p.k.s;
    p.g.draw_line_i(pen, 0, std::trunc(-5 * s), 0, std::trunc(15 * s));
    p.g.draw_line_i(pen, std::trunc(-7 * w), 0, std::trunc(7 * w), 0);
    p.g.draw_line_i(pen, std::trunc(-4 * w), std::trunc(10 * s), std::trunc(4 * w), std::trunc(10 * s));
}

} // namespace

void c17_mfd_draw_plan_grid(const DisplayObject& display, gfx::Graphics& g, double px_per_nm) {
    const Kit kit{g, display};
    const AircraftState& a = aircraft_state;
    kit.frame();
    char buf[32];
    std::snprintf(buf, sizeof buf, "%03.0f", a.heading_deg);
    kit.text(buf, 14, kGreen, -14, -115);
    kit.polyline(gfx::Pen(kWhite, 1), {{-12, -115}, {-12, -100}, {12, -100}, {12, -115}, {-12, -115}});
    kit.text("M", 11, kWhite, 15, -112);
    std::snprintf(buf, sizeof buf, "%2.0f NM", c17_map_range_nm);
    kit.text(buf, 10, kCyan, 65, -115);

    gfx::GraphicsPath clip;
    const gfx::Point corners[4] = {{-122, -90}, {122, -90}, {122, 120}, {-122, 120}};
    clip.add_lines_i(corners);
    clip.close_figure();
    g.set_clip_path(clip);

    const SplitScale k = split_scale(display, c17_mfd_design);
    if (!k.valid) return;
    const double cx = c17_compass_centre.x, cy = c17_compass_centre.y;
    MapView view{a.plat, a.plon, 0.0, px_per_nm > 0.0 ? px_per_nm : 0.0};
    const int centre = c17_plan_centre_index();
    if (centre >= 0) {
        view.ref_lat = active_plan[centre].lat;
        view.ref_lon = active_plan[centre].lon;
    }
    const Plan plan{g, k, view};
    set_split_frame(g, k, cx, cy);
    if (c17_map_range_nm < kGridMaxRange) draw_grid(plan);
    if (c17_plan_route_on == 1) c17_mfd_draw_map(display, g, px_per_nm);
    set_split_frame(g, k, cx, cy);
    draw_aircraft(plan);
}
