// The ATC boundary layer: the airspace polygons of atc_bdry.txt as thin olive
// lines about the aircraft, each with a short name label.
#include "data/atc_boundaries.h"
#include "data/display_geometry.h"
#include "data/display_settings.h"
#include "data/display_state.h"
#include "fms/math/nav_math.h"
#include "map/map_canvas.h"
#include "map/map_overlays.h"
#include "map/map_projection.h"
#include "map/palette.h"
#include "map/range_ladder.h"
#include "map/render_frame.h"
#include "platform/gfx.h"
#include "sim/aircraft_state.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <span>
#include <string>
#include <vector>

namespace {

// Boundaries that span half the globe: their first point may be far away
// while their lines pass near the aircraft.
bool is_wide_boundary(const std::string& id) {
    return id == "YM00142" || id == "YB00001" || id == "NZ00084";
}

bool out_of_reach(bool wide, double first_distance) {
    return wide ? first_distance >= 5000.0 : first_distance > 1000.0;
}

// A point on the map in whole design units, and its distance (NM).
struct Projected {
    int32_t x = 0;
    int32_t y = 0;
    double distance = 0.0;
};

// As saturate_to_int (truncated, bounded, NaN as 0), inline: every
// boundary point passes here.
inline int32_t whole_units(double v) {
    if (!(v > -2147483648.0)) return v != v ? 0 : std::numeric_limits<int32_t>::min();
    return v >= 2147483647.0 ? std::numeric_limits<int32_t>::max() : static_cast<int32_t>(v);
}

Projected project(const MapProjector& projector, const EarthVector& point, int centre_x, int centre_y) {
    const MapPlacement p = projector.place(point);
    return Projected{whole_units(centre_x + p.x), whole_units(centre_y + p.y), p.distance};
}

// A cap on the earth: a centre and the angle (radians) that holds a set of
// points about it; "farther than" is a dot product of earth vectors.
struct Cap {
    EarthVector centre;
    double cos_radius = 1.0;
    double sin_radius = 0.0;
    double radius = 0.0;
};
Cap make_cap(double lat, double lon, double radius_nm) {
    Cap c;
    c.centre = earth_vector(lat, lon);
    c.radius = radius_nm / earth_radius_nm;
    c.cos_radius = std::cos(c.radius);
    c.sin_radius = std::sin(c.radius);
    return c;
}

// The reference and the angle (radians) beyond which nothing shows.
struct Reach {
    EarthVector ref;
    double angle = 0.0;
    double cos_angle = 1.0;
    double sin_angle = 0.0;
};

// Whether anything within the cap can lie within the reach.
bool may_show(const Cap& cap, const Reach& reach) {
    if (reach.angle + cap.radius >= 3.14159265358979323846) return true;
    const double dot = cap.centre.x * reach.ref.x + cap.centre.y * reach.ref.y + cap.centre.z * reach.ref.z;
    // cos(reach + radius), with a little slack for rounding.
    return dot >= reach.cos_angle * cap.cos_radius - reach.sin_angle * cap.sin_radius - 1e-9;
}

// A run of consecutive points (first .. last, the last shared with the next
// run) in a cap about its first point, and the whole boundary in a cap about
// its label point: a run, or a boundary, that cannot reach the visible part
// of the map is not projected. Kept per boundary with what a frame reads of
// it, and made again whenever the table has been written: a frame reads the
// table only for the labels it draws.
struct PointRun {
    int first = 1;
    int last = 1;
    Cap cap;
};
struct BoundaryRuns {
    int points = 0;
    bool wide = false;
    Cap cap;
    std::vector<PointRun> runs;
    std::vector<EarthVector> vectors; // each point's, from 1
    EarthVector label;
};
constexpr int kRunLength = 16;
std::vector<BoundaryRuns> boundary_runs; // by boundary number
unsigned long long boundaries_seen = 0;  // the table's revision they were made at

double distance_nm(const MapPosition& a, double lat, double lon) {
    double d = 0.0, course = 0.0;
    gc_dist_course(a.lat, a.lon, lat, lon, &d, &course);
    return d;
}

void build_runs(BoundaryRuns& r, const AtcBoundary& b, int points) {
    r = BoundaryRuns{};
    r.points = points;
    r.wide = is_wide_boundary(b.boundary_name);
    r.label = earth_vector(b.label_latitude, b.label_longitude);
    if (points < 1) return;
    for (int first = 1;; first += kRunLength) {
        PointRun run;
        run.first = first;
        run.last = std::min(first + kRunLength, points);
        const MapPosition start{b.points[first].latitude, b.points[first].longitude};
        double radius = 0.0;
        for (int k = first; k <= run.last; ++k)
            radius = std::max(radius, distance_nm(start, b.points[k].latitude, b.points[k].longitude));
        run.cap = make_cap(start.lat, start.lon, radius);
        r.runs.push_back(run);
        if (run.last >= points) break;
    }
    r.vectors.resize(static_cast<std::size_t>(points) + 1);
    for (int k = 1; k <= points; ++k)
        r.vectors[k] = earth_vector(b.points[k].latitude, b.points[k].longitude);
    const MapPosition label{b.label_latitude, b.label_longitude};
    double radius = 0.0;
    for (int k = 1; k <= points; ++k)
        radius = std::max(radius, distance_nm(label, b.points[k].latitude, b.points[k].longitude));
    r.cap = make_cap(label.lat, label.lon, radius);
}

// Every boundary's runs, made again when the table was written since.
void check_runs() {
    if (boundaries_seen == atc_boundaries.revision()) return;
    boundary_runs.resize(static_cast<std::size_t>(atc_boundaries.count()) + 1);
    for (int i = 1; i <= atc_boundaries.count(); ++i) {
        const AtcBoundary& b = atc_boundaries[i];
        // The table holds at most 800 points whatever the count says.
        build_runs(boundary_runs[i], b, std::min(b.point_count, 800));
    }
    boundaries_seen = atc_boundaries.revision();
}

// The part of the world frame that can show: the visible clip bounds widened
// by what a polyline of the layer's pen can spill past its points (a miter
// join reaches five pen widths past its corner at the miter limit of 10;
// then a device pixel of smoothing). Unknown when the graphics cannot tell,
// and then everything is drawn.
struct VisibleArea {
    bool known = false;
    double left = 0.0, top = 0.0, right = 0.0, bottom = 0.0;
};

VisibleArea visible_area(gfx::Graphics& g, double pen_width) {
    VisibleArea a;
    gfx::RectF v;
    if (g.visible_clip_bounds(&v) != gfx::Status::Ok) return a;
    // A world length maps to at least |det| / |M| device pixels (the
    // smallest singular value is at least that).
    const gfx::Matrix m = g.transform();
    const double det = std::fabs(double(m.m11) * m.m22 - double(m.m12) * m.m21);
    const double norm = std::sqrt(double(m.m11) * m.m11 + double(m.m12) * m.m12 + double(m.m21) * m.m21 +
                                  double(m.m22) * m.m22);
    if (!(det > 0.0) || !(norm > 0.0)) return a;
    const double margin = 5.0 * pen_width + 2.0 * norm / det;
    a.left = v.x - margin;
    a.top = v.y - margin;
    a.right = double(v.x) + v.width + margin;
    a.bottom = double(v.y) + v.height + margin;
    a.known = true;
    return a;
}

// Whether a circle of radius r about (x, y) misses the area.
bool circle_hidden(const VisibleArea& a, double x, double y, double r) {
    if (!a.known) return false;
    const double dx = x < a.left ? a.left - x : x > a.right ? x - a.right : 0.0;
    const double dy = y < a.top ? a.top - y : y > a.bottom ? y - a.bottom : 0.0;
    return dx * dx + dy * dy > r * r;
}

constexpr double kLabelWidth = 60.0; // three characters of 14 px, drawn from 15 left of the point

// Whether the label drawn at (x - 15, y) misses the area: its three
// characters of 14 px take at most kLabelWidth across and a line (about
// 17 units with the text's pads) down.
bool label_hidden(const VisibleArea& a, double x, double y) {
    if (!a.known) return false;
    return x - 15.0 > a.right || x - 15.0 + kLabelWidth < a.left || y > a.bottom || y + 24.0 < a.top;
}

// How far from the centre (world units) the map can show anything: to the
// farthest corner of the visible area, plus a label's width; unbounded when
// the area is not known.
double visible_reach(const VisibleArea& a, int centre_x, int centre_y) {
    if (!a.known) return 1e300;
    double reach = 0.0;
    for (const double x : {a.left, a.right})
        for (const double y : {a.top, a.bottom})
            reach = std::max(reach, std::hypot(x - centre_x, y - centre_y));
    return reach + kLabelWidth;
}

// The radius (world units) about a run's projected first point that holds
// the projection of every point of the run, the first point d NM from the
// reference: the projection stretches lengths across the bearing by at most
// D / sin D within D of the reference (radians), and each projected point
// may be a unit off by truncation. Unbounded near the antipode.
double run_radius(const PointRun& run, double d, double ppn) {
    const double far = d / earth_radius_nm + run.cap.radius;
    if (!(far < 3.0)) return 1e300;
    const double stretch = far > 1e-6 ? far / std::sin(far) : 1.0;
    return run.cap.radius * earth_radius_nm * stretch * ppn + 3.0;
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
    const MapProjector projector(MapView{ref_lat, ref_lon, map_up, ppn});

    const gfx::Pen pen(palette::olive, 1.0f);
    const gfx::SolidBrush brush(palette::olive);
    const gfx::FontFamily family("HW Arial");
    const gfx::Font font(family, 14.0f, gfx::FontStyle::Bold, gfx::Unit::Pixel);

    // Runs of lines wholly outside the visible area are left out: the clip
    // would take them away. A run is drawn whole, as one polyline, so that
    // what shows never depends on what was left out.
    const VisibleArea area = visible_area(g, pen.width);
    // Beyond this angle from the reference nothing can show.
    Reach reach;
    reach.ref = earth_vector(ref_lat, ref_lon);
    reach.angle = std::min(visible_reach(area, centre_x, centre_y) / ppn / earth_radius_nm, 4.0);
    reach.cos_angle = std::cos(reach.angle);
    reach.sin_angle = std::sin(reach.angle);

    gfx::Point line[kRunLength + 1];
    MapPlacement placed[kRunLength];
    check_runs();
    for (int i = 1; i <= atc_boundaries.count(); ++i) {
        const BoundaryRuns& runs = boundary_runs[i];
        if (runs.points >= 1) {
            // The cheap test first: a boundary wholly out of sight is skipped
            // whatever its first point's distance.
            if (!may_show(runs.cap, reach)) continue;
            Projected point = project(projector, runs.vectors[1], centre_x, centre_y);
            if (out_of_reach(runs.wide, point.distance)) continue;
            int projected = 1; // the index of `point`
            for (const PointRun& run : runs.runs) {
                if (run.last == run.first || !may_show(run.cap, reach)) continue;
                // A run starts where the one before it ended.
                if (projected != run.first)
                    point = project(projector, runs.vectors[run.first], centre_x, centre_y);
                projected = run.first;
                if (circle_hidden(area, point.x, point.y, run_radius(run, point.distance, ppn))) continue;
                // Points that fall on the unit before them add a line of no
                // length, which a flat-capped pen does not draw: they are
                // left out, and a run that stays on one unit draws nothing.
                line[0] = gfx::Point{point.x, point.y};
                const int n = run.last - run.first;
                projector.place_all(std::span<const EarthVector>(&runs.vectors[run.first + 1], n), placed);
                std::size_t count = 1;
                for (int k = 0; k < n; ++k) {
                    // Written always, kept when it moved: no branch to mispredict.
                    const gfx::Point q{whole_units(centre_x + placed[k].x),
                                       whole_units(centre_y + placed[k].y)};
                    line[count] = q;
                    count += (q.x != line[count - 1].x) | (q.y != line[count - 1].y);
                }
                point = Projected{line[count - 1].x, line[count - 1].y, placed[n - 1].distance};
                projected = run.last;
                if (count >= 2) g.draw_lines_i(pen, std::span<const gfx::Point>(line, count));
            }
        }
        const Projected label = project(projector, runs.label, centre_x, centre_y);
        // A label wholly outside the visible area would be clipped away.
        if (label_hidden(area, label.x, label.y)) continue;
        // The label has room for three characters.
        g.draw_string(atc_boundaries[i].boundary_name2.substr(0, 3), font, brush,
                      gfx::PointF{static_cast<float>(label.x - 15), static_cast<float>(label.y)});
    }
}

void draw_atc_boundaries_hw_b737_nd(const DisplayObject& display, gfx::Graphics& g) {
    const int mode = hw_b737_nd_mode;
    // The map's own radius, so that the lines keep the scale of the other
    // layers in the centred mode too.
    draw_member(display, g, hw_b737_nd_design, 122.0,
                mode == kB737NdModeCtrMap || mode == kB737NdModePlan ? 171.0 : 249.0,
                hw_b737_nd_compass_radius, hw_b737_nd_range, mode == kB737NdModePlan);
}

void draw_atc_boundaries_hw_md11_nd(const DisplayObject& display, gfx::Graphics& g) {
    draw_member(display, g, hw_md11_nd_design, hw_md11_nd_centre_x, hw_md11_nd_centre_y,
                hw_md11_nd_compass_radius, hw_md11_nd_range, hw_md11_nd_mode == kMd11NdModePlan);
}

void draw_atc_boundaries_md80_ehsi(const DisplayObject& display, gfx::Graphics& g) {
    draw_member(display, g, md80_ehsi_design, md80_compass_centre_x, md80_compass_centre_y, 180,
                md80_ehsi_range, md80_ehsi_mode == kEhsiModePlan);
}

void draw_atc_boundaries_proline4_mfd(const DisplayObject& display, gfx::Graphics& g) {
    const bool plan = proline4_mfd_mode == kProline4ModePlanText;
    draw_member(display, g, proline4_mfd_design, 123.0, plan ? 155.0 : 220.0, proline4_map_radius_px,
                proline4_mfd_range, plan);
}

void draw_atc_boundaries_du_1000_ehsi(const DisplayObject& display, gfx::Graphics& g) {
    const bool plan = du_1000_ehsi_mode == kEhsiModePlan;
    draw_member(display, g, du_1000_ehsi_design, 159.0, plan ? 155.0 : 272.0, 234, du_1000_ehsi_range, plan);
}
