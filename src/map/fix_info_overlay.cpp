// The FIX INFO overlay: each entered reference fix with its ring, a dashed
// circle at every entered distance and a dashed line along every entered
// radial, with their numbers.
#include "fms/fix_info.h"
#include "fms/heading_math.h"
#include "fms/nav_math.h"
#include "fms/route_plan.h"
#include "gauges/render_frame.h"
#include "map/map_colours.h"
#include "map/map_overlays.h"
#include "map/map_projection.h"
#include "map/range_ladder.h"
#include "map/symbol_painter.h"
#include "nd/display_settings.h"
#include "platform/gfx.h"
#include "sim/aircraft_state.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

namespace {

constexpr double kMaxFixDistance = 380.0;

struct FixPair {
    double radial;
    double distance;
};

struct Drawing {
    gfx::Pen ring{map_colour::green, 1.0f};
    gfx::Pen dashed{map_colour::green, 1.0f};
    gfx::SolidBrush brush{map_colour::green};
    gfx::FontFamily family{"Arial"};
    gfx::Font font{family, 8.0f, gfx::FontStyle::Bold, gfx::Unit::Pixel};

    Drawing() { dashed.dash_style = gfx::DashStyle::Dash; }

    void text(gfx::Graphics& g, const char* s, double x, double y) const {
        g.draw_string(s, font, brush, gfx::PointF{static_cast<float>(x), static_cast<float>(y)});
    }
};

// The distance number beside its circle: under it when the whole circle
// lies above the centre line, else right of it, above it, or left of it.
void draw_distance_label(gfx::Graphics& g, const Drawing& d, double distance, int32_t x, int32_t y,
                         int32_t r) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%03.1f", distance);
    const double n = static_cast<double>(std::string(buf).size());
    if (y + r <= -10)
        d.text(g, buf, x - 2.0 * n, y + r + 1);
    else if (x + r < 110)
        d.text(g, buf, x + r + 3, y - 7);
    else if (y - r > -200)
        d.text(g, buf, x - 2.0 * n, y - r - 9);
    else
        d.text(g, buf, x - r - 4.5 * n, y - 7);
}

} // namespace

void draw_fix_info_hw_b737_nd(const DisplayObject& display, gfx::Graphics& g, double ppn) {
    if (display.width <= 0 || display.height <= 0 || !(ppn > 0.0)) return;
    const AircraftState& a = aircraft_state;
    const int mode = hw_b737_nd_mode;
    const float centre_y = mode >= 6 ? 171.0f : 249.0f;
    const double range = hw_b737_nd_range;

    double ref_lat = a.plat, ref_lon = a.plon, map_up = a.map_heading_deg, radial_ref = a.heading_deg;
    if (mode >= 7) {
        map_up = radial_ref = 0.0;
        const int centre = plan_centre_index();
        if (centre >= 0) {
            ref_lat = active_plan[centre].lat;
            ref_lon = active_plan[centre].lon;
        }
    }

    const Drawing d;
    for (int slot = 1; slot <= 2; ++slot) {
        const FixInfoRecord& fix = fix_info[slot];
        if (fix.ident.empty()) continue;
        const FixPair pairs[3] = {
            {fix.radial_1, fix.distance_1}, {fix.radial_2, fix.distance_2}, {fix.radial_3, fix.distance_3}};
        // The kind text: "V" VOR, "N" NDB, anything else a waypoint.
        const bool navaid = fix.label == "V" || fix.label == "N";
        for (const FixPair& pair : pairs) {
            set_design_frame(g, display, 244.0f, 302.0f, 122.0f, centre_y);
            double fix_distance = 0.0, course = 0.0;
            gc_dist_course(ref_lat, ref_lon, fix.lat, fix.lon, &fix_distance, &course);
            if (fix_distance > kMaxFixDistance) continue;
            int32_t x = 0, y = 0;
            turn_arc_geometry_i(map_up, course, 0, 0, fix_distance * ppn, &x, &y);

            if (navaid)
                draw_map_symbol(g, x - 2, y - 4, 1, no_symbol_arrow, 1.0, 1.0, 1, range);
            else
                draw_map_symbol(g, x, y - 3, 3, no_symbol_arrow, 1.0, 1.0, 1, range);
            g.draw_ellipse_i(d.ring, x - 8, y - 8, 16, 16);

            if (pair.distance > 0.0) {
                const auto r = static_cast<int32_t>(pair.distance * ppn);
                g.draw_ellipse_i(d.dashed, x - r, y - r, std::trunc(2.0 * pair.distance * ppn),
                                 std::trunc(2.0 * pair.distance * ppn));
                draw_distance_label(g, d, pair.distance, x, y, r);
            }

            if (pair.radial == 0.0) continue;
            double radial = std::fmod(pair.radial, 360.0);
            if (radial < 0.0) radial += 360.0;
            set_design_frame(g, display, 244.0f, 302.0f, 122.0f + static_cast<float>(x),
                             centre_y + static_cast<float>(y));
            const double length = 360.0 * ppn;
            double label_at = 25.0;
            if (fix_distance > range) label_at = std::max(25.0, ((fix_distance - range) * 0.5 + range) * ppn);
            char buf[32];
            std::snprintf(buf, sizeof buf, "%03.0f", radial);
            // The label always reads upright: on a radial into the left half
            // of the map the line is drawn the other way round.
            if (turn_direction(radial, radial_ref) == 1) {
                g.rotate_transform(static_cast<float>(radial - radial_ref + 90.0));
                g.draw_line_i(d.dashed, 0, 0, -length, 0);
                d.text(g, buf, -label_at - 10.0, 0.0);
            } else {
                g.rotate_transform(static_cast<float>(radial - radial_ref - 90.0));
                g.draw_line_i(d.dashed, 0, 0, length, 0);
                d.text(g, buf, label_at, 0.0);
            }
        }
    }
}
