// The runways of the airport selected for landing: every runway as a line
// with its designators (at the shortest ranges, with the parking position),
// and for the selected landing runway the extended centreline with its
// intercept fan and the traffic pattern.
#include "data/module_settings.h"
#include "fms/math/nav_math.h"
#include "fms/plan/airport_selection.h"
#include "fms/procedures/airport_detail.h"
#include "map/map_overlays.h"
#include "map/map_projection.h"
#include "map/palette.h"
#include "platform/gfx.h"
#include "platform/text_file.h"
#include "sim/aircraft_state.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace c = palette;

namespace {

constexpr double kFeetPerNm = 6076.0;

struct Point {
    double x = 0.0;
    double y = 0.0;
};

struct Geo {
    double lat = 0.0;
    double lon = 0.0;
};

// The projected point of a position about (centre_x, centre_y), measured from
// the aircraft with the map heading up.
Point project(double lat, double lon, int centre_x, int centre_y, double ppn) {
    const AircraftState& a = aircraft_state;
    double distance = 0.0, course = 0.0;
    gc_dist_course(a.plat, a.plon, lat, lon, &distance, &course);
    Point p;
    turn_arc_geometry(a.map_heading_deg, course, centre_x, centre_y, distance * ppn, &p.x, &p.y);
    return p;
}

// A magnetic course, as a true course, from a point.
Geo along(const Geo& from, double magnetic_course, double nm) {
    Geo out;
    gc_destination_point(from.lat, from.lon, magnetic_course + aircraft_state.magvar, nm, &out.lat, &out.lon);
    return out;
}

double wrap_above(double course) {
    if (course > 360.0) return course - 360.0;
    if (course == 360.0) return 0.0;
    return course;
}
double wrap_below(double course) {
    return course < 0.0 ? course + 360.0 : course;
}

// The airport whose runways the pattern belongs to, not the destination.
int elevation_ft() {
    return std::atoi(selected_airport_elevation_text.c_str());
}

} // namespace

int pattern_runway_index() {
    return selected_runway_entry();
}

int pattern_runway_count() {
    return airport_runway_list.count();
}

void draw_runway_pattern(gfx::Graphics& g, int radius, int centre_x, int centre_y, double range,
                         double x_scale, double y_scale) {
    const int index = pattern_runway_index();
    const double ppn = units_per_nm(radius, range);
    if (index == kNoRunwayLine || ppn <= 0.0) return;
    const AirportRunwayListEntry& rwy = airport_runway_list[index];

    const gfx::Pen pen(c::light_green, static_cast<float>(2.0 * x_scale));
    const gfx::SolidBrush brush(c::light_green);
    const gfx::FontFamily family("Arial");
    const gfx::Font font(family, static_cast<float>(12.0 * y_scale), gfx::FontStyle::Regular,
                         gfx::Unit::Pixel);
    auto place = [&](const Geo& p) {
        Point q = project(p.lat, p.lon, centre_x, centre_y, ppn);
        q.x *= x_scale;
        q.y *= y_scale;
        return q;
    };
    auto line = [&](const Geo& a, const Geo& b) {
        const Point pa = place(a), pb = place(b);
        g.draw_line_i(pen, pa.x, pa.y, pb.x, pb.y);
    };
    const bool altitudes = DispAppPtrnAlts == 1 && range <= 20.0;
    auto altitude = [&](const Geo& at, int above_ft) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%d00", (elevation_ft() + above_ft) / 100);
        const Point p = place(at);
        g.draw_string(buf, font, brush,
                      gfx::PointF{static_cast<float>(p.x), static_cast<float>(p.y + 7.0 * y_scale)});
    };

    const Geo threshold{rwy.latitude, rwy.longitude};
    const double heading = rwy.magnetic_heading;
    const double outbound = wrap_above(rwy.localizer_course + 180.0);
    const double reciprocal = wrap_above(heading + 180.0);

    // Extended centreline with the intercept fan at 14 NM.
    const Geo fan = along(threshold, outbound, 14.0);
    line(threshold, along(threshold, outbound, 60.0));
    line(fan, along(fan, wrap_below(outbound - 30.0), 15.0));
    line(fan, along(fan, wrap_above(outbound + 30.0), 15.0));
    if (altitudes) altitude(fan, 3000);

    // Upwind, crosswind, downwind and base on the side of the pattern.
    const bool right = rwy.right_pattern == 1;
    const Geo upwind = along(threshold, heading, 3.0);
    const double crosswind = wrap_below(wrap_above(right ? heading + 90.0 : heading - 90.0));
    const Geo cross = along(upwind, crosswind, 5.0);
    const Geo down = along(cross, reciprocal, 8.0);
    const double base = right ? wrap_above(reciprocal + 90.0) : wrap_below(reciprocal - 90.0);
    const Geo base_end = along(down, base, 5.0);
    line(upwind, cross);
    line(cross, down);
    line(down, base_end);
    if (altitudes) altitude(cross, 1500);
}

void draw_runway_labels(gfx::Graphics& g, int radius, int centre_x, int centre_y, double range) {
    const double ppn = units_per_nm(radius, range);
    if (ppn <= 0.0) return;
    const int selected = pattern_runway_index();
    const gfx::FontFamily family("Arial");
    const gfx::Font font(family, 10.0f, gfx::FontStyle::Regular, gfx::Unit::Pixel);
    const gfx::SolidBrush yellow(c::yellow), red(c::red);
    const gfx::Pen yellow_pen(c::yellow, 2.0f), red_pen(c::red, 2.0f), amber_pen(c::amber, 2.0f);
    auto label = [&](const std::string& text, const gfx::SolidBrush& brush, const Point& p) {
        g.draw_string(text, font, brush, gfx::PointF{static_cast<float>(p.x), static_cast<float>(p.y)});
    };

    // Reciprocal designators already drawn, each as " " + designator + " ".
    std::string drawn;
    const int count = airport_runway_list.count();
    for (int k = 1; k <= count; ++k) {
        const AirportRunwayListEntry& rwy = airport_runway_list[k];
        if (drawn.find(" " + rwy.designator + " ") != std::string::npos) continue;
        const Point t = project(rwy.latitude, rwy.longitude, centre_x, centre_y, ppn);
        const Geo far_end =
            along(Geo{rwy.latitude, rwy.longitude}, rwy.magnetic_heading, rwy.length_ft / kFeetPerNm);
        const Point e = project(far_end.lat, far_end.lon, centre_x, centre_y, ppn);

        const int number = std::atoi(rwy.designator.c_str());
        std::string reciprocal;
        int reciprocal_entry = 0;
        if (number <= 18) {
            const char* suffix = "";
            if (rwy.designator.find('L') != std::string::npos) suffix = "R";
            if (rwy.designator.find('R') != std::string::npos) suffix = "L";
            if (rwy.designator.find('C') != std::string::npos) suffix = "C";
            char buf[16];
            std::snprintf(buf, sizeof buf, "%02d%s", number + 18, suffix);
            reciprocal = buf;
            drawn += " " + reciprocal + " ";
            // Only looked up: the reciprocal keeps its own threshold. Moving
            // it to this runway's computed far end would change the airport's
            // data from a painter, for every page and pattern that reads it.
            for (int j = k + 1; j <= count && reciprocal_entry == 0; ++j)
                if (airport_runway_list[j].designator == reciprocal) reciprocal_entry = j;
        }

        const bool near_selected = k == selected;
        const bool far_selected = reciprocal_entry != 0 && reciprocal_entry == selected;
        g.draw_line_i(near_selected || far_selected ? yellow_pen : red_pen, t.x, t.y, e.x, e.y);
        label(rwy.designator, near_selected ? yellow : red, t);
        if (!reciprocal.empty()) label(reciprocal, far_selected ? yellow : red, e);
    }

    const ParkingPosition& park = parking_position;
    if (range > 0.5 || park.latitude == 0.0) return;
    const Point p = project(park.latitude, park.longitude, centre_x, centre_y, ppn);
    const gfx::Matrix before = g.transform();
    g.translate_transform(static_cast<float>(p.x), static_cast<float>(p.y));
    g.rotate_transform(static_cast<float>(park.heading - aircraft_state.heading_deg));
    label("P", gfx::SolidBrush(c::amber), Point{});
    g.draw_line_i(amber_pen, 0, 0, 4, 3);
    g.draw_line_i(amber_pen, 0, 0, -4, 3);
    g.draw_line_i(amber_pen, 0, 0, 0, 12);
    g.set_transform(before);
}
