// The FIX INFO overlay: each entered reference fix with its ring, a dashed
// circle at every entered distance and a dashed line along every entered
// radial, with their numbers.
#include "data/c17_mfd_state.h"
#include "data/display_geometry.h"
#include "data/display_settings.h"
#include "data/p1000_menu_state.h"
#include "fms/math/heading_math.h"
#include "fms/math/nav_math.h"
#include "fms/nav/fix_info.h"
#include "fms/plan/route_plan.h"
#include "map/c17_map_view.h"
#include "map/map_canvas.h"
#include "map/map_overlays.h"
#include "map/map_projection.h"
#include "map/palette.h"
#include "map/range_ladder.h"
#include "map/render_frame.h"
#include "map/symbol_painter.h"
#include "platform/gfx.h"
#include "sim/aircraft_state.h"
#include "sim/sim_var_reader.h"

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
    gfx::Pen ring;
    gfx::Pen dashed;
    gfx::SolidBrush brush;
    gfx::FontFamily family{"Arial"};
    gfx::Font font{family, 8.0f, gfx::FontStyle::Bold, gfx::Unit::Pixel};

    explicit Drawing(gfx::Argb colour) : ring(colour, 1.0f), dashed(colour, 1.0f), brush(colour) {
        dashed.dash_style = gfx::DashStyle::Dash;
    }

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

// Where the fixes are measured from and how the map and the radials turn.
struct Reference {
    double lat;
    double lon;
    double map_up;
    double radial_ref;
};

// The aircraft heading up, or in a plan format the plan waypoint (the
// aircraft without a route) north up.
Reference fix_reference(bool plan) {
    const AircraftState& a = aircraft_state;
    Reference r{a.plat, a.plon, a.map_heading_deg, a.heading_deg};
    if (!plan) return r;
    r.map_up = r.radial_ref = 0.0;
    const int centre = plan_centre_index();
    if (centre >= 0) {
        r.lat = active_plan[centre].lat;
        r.lon = active_plan[centre].lon;
    }
    return r;
}

double normalised_radial(double radial) {
    double r = std::fmod(radial, 360.0);
    if (r < 0.0) r += 360.0;
    return r;
}

// How far out along a radial its number stands: beyond the fix when the fix
// lies outside the range, so that the number shows on the map.
double radial_label_distance(double fix_distance, double range, double ppn) {
    if (fix_distance > range) return std::max(25.0, ((fix_distance - range) * 0.5 + range) * ppn);
    return 25.0;
}

} // namespace

namespace {

// One member: its design canvas and map centre, where it measures from, the
// range of its symbols and label rule, and its one colour.
struct FixInfoRow {
    DesignSize design;
    double centre_x = 0.0;
    double centre_y = 0.0;
    Reference ref;
    double range = 0.0;
    gfx::Argb colour = palette::green;
};

void draw_fix_info(const DisplayObject& display, gfx::Graphics& g, double ppn, const FixInfoRow& row) {
    if (display.width <= 0 || display.height <= 0 || !(ppn > 0.0)) return;
    const Reference& ref = row.ref;
    const Drawing d(row.colour);
    for (int slot = 1; slot <= 2; ++slot) {
        const FixInfoRecord& fix = fix_info[slot];
        if (fix.ident.empty()) continue;
        const FixPair pairs[3] = {
            {fix.radial_1, fix.distance_1}, {fix.radial_2, fix.distance_2}, {fix.radial_3, fix.distance_3}};
        // The kind text: "V" VOR, "N" NDB, anything else a waypoint.
        const bool navaid = fix.label == "V" || fix.label == "N";
        for (const FixPair& pair : pairs) {
            set_design_frame(g, display, row.design, row.centre_x, row.centre_y);
            double fix_distance = 0.0, course = 0.0;
            gc_dist_course(ref.lat, ref.lon, fix.lat, fix.lon, &fix_distance, &course);
            if (fix_distance > kMaxFixDistance) continue;
            int32_t x = 0, y = 0;
            turn_arc_geometry_i(ref.map_up, course, 0, 0, fix_distance * ppn, &x, &y);

            if (navaid)
                draw_map_symbol(g, x - 2, y - 4, MapSymbol::Vor, no_symbol_arrow, 1.0, 1.0, 1, row.range);
            else
                draw_map_symbol(g, x, y - 3, MapSymbol::Fix, no_symbol_arrow, 1.0, 1.0, 1, row.range);
            g.draw_ellipse_i(d.ring, x - 8, y - 8, 16, 16);

            if (pair.distance > 0.0) {
                const auto r = static_cast<int32_t>(pair.distance * ppn);
                g.draw_ellipse_i(d.dashed, x - r, y - r, std::trunc(2.0 * pair.distance * ppn),
                                 std::trunc(2.0 * pair.distance * ppn));
                draw_distance_label(g, d, pair.distance, x, y, r);
            }

            if (pair.radial == 0.0) continue;
            const double radial = normalised_radial(pair.radial);
            set_design_frame(g, display, row.design, row.centre_x + x, row.centre_y + y);
            const double length = 360.0 * ppn;
            const double label_at = radial_label_distance(fix_distance, row.range, ppn);
            char buf[32];
            std::snprintf(buf, sizeof buf, "%03.0f", radial);
            // The label always reads upright: on a radial into the left half
            // of the map the line is drawn the other way round.
            if (turn_direction(radial, ref.radial_ref) == kDirectionRight) {
                g.rotate_transform(static_cast<float>(radial - ref.radial_ref + 90.0));
                g.draw_line_i(d.dashed, 0, 0, -length, 0);
                d.text(g, buf, -label_at - 10.0, 0.0);
            } else {
                g.rotate_transform(static_cast<float>(radial - ref.radial_ref - 90.0));
                g.draw_line_i(d.dashed, 0, 0, length, 0);
                d.text(g, buf, label_at, 0.0);
            }
        }
    }
}

} // namespace

void draw_fix_info_hw_b737_nd(const DisplayObject& display, gfx::Graphics& g, double ppn) {
    const int mode = hw_b737_nd_mode;
    draw_fix_info(display, g, ppn,
                  FixInfoRow{hw_b737_nd_design, 122.0, mode >= kB737NdModeCtrMap ? 171.0 : 249.0,
                             fix_reference(mode >= kB737NdModePlan), hw_b737_nd_range, palette::green});
}

void draw_fix_info_du_1000_ehsi(const DisplayObject& display, gfx::Graphics& g, double ppn) {
    // Measured only in the map mode: the other modes have no fix to show.
    if (du_1000_ehsi_mode != kEhsiModeMap) return;
    draw_fix_info(display, g, ppn,
                  FixInfoRow{du_1000_ehsi_design, 159.0, 272.0, fix_reference(false), du_1000_ehsi_range,
                             palette::green});
}

void draw_fix_info_p1000_mfd(const DisplayObject& display, gfx::Graphics& g, double ppn) {
    // North up (map_heading_deg is 0 then), measured from the TO waypoint the map is centred on.
    Reference r = fix_reference(false);
    const MapPosition reference = p1000_map_reference();
    r.lat = reference.lat;
    r.lon = reference.lon;
    if (p1000_mfd_plan_mode == kP1000PlanModeNorthUp) r.map_up = r.radial_ref = 0.0;
    draw_fix_info(display, g, ppn,
                  FixInfoRow{p1000_mfd_design, double(p1000_map_centre_x), double(p1000_map_centre_y), r,
                             p1000_mfd_range, palette::light_green});
}

void draw_fix_info_c17_mfd(const DisplayObject& display, gfx::Graphics& g, double ppn) {
    // The map's own reference and rotation, so that the fixes sit where the
    // route and the other layers put them.
    const MapView view = c17_map_view(ppn);
    draw_fix_info(display, g, ppn,
                  FixInfoRow{c17_mfd_design, double(c17_compass_centre.x), double(c17_compass_centre.y),
                             Reference{view.ref_lat, view.ref_lon, view.heading, c17_radial_reference()},
                             c17_map_range_nm, palette::green});
}

namespace {

// The NAV1 station ident while a VOR (not a localiser) is received, else
// empty: a fix that is that station draws in magenta without its symbol.
std::string tuned_vor_ident() {
    if (!(sim_var_object.get_nav1_signal() > 0.0) || sim_var_object.test_simvar_46_bit_128() != 0) return {};
    const std::string ident = sim_var_object.get_simvar_47_text();
    return sim_var_object.get_nav1_signal() > 0.0 ? ident : std::string();
}

struct Md11Drawing {
    gfx::Pen ring{palette::green, 1.0f};
    gfx::Pen green_dashed{palette::green, 1.0f};
    gfx::Pen white_dashed{palette::white, 2.0f};
    gfx::Pen tuned_dashed{palette::magenta, 2.0f};
    gfx::Pen white1{palette::white, 1.0f};
    gfx::Pen white2{palette::white, 2.0f};
    gfx::SolidBrush white{palette::white};
    gfx::SolidBrush magenta{palette::magenta};
    gfx::FontFamily family{"Arial"};
    gfx::Font small{family, 8.0f, gfx::FontStyle::Bold, gfx::Unit::Pixel};
    gfx::Font ident{family, 10.0f, gfx::FontStyle::Bold, gfx::Unit::Pixel};

    Md11Drawing() {
        green_dashed.dash_style = gfx::DashStyle::Dash;
        white_dashed.dash_style = gfx::DashStyle::Dash;
        tuned_dashed.dash_style = gfx::DashStyle::Dash;
    }
};

void md11_fix_symbol(gfx::Graphics& g, const Md11Drawing& d, const std::string& type, int32_t x, int32_t y) {
    if (type == "A") {
        g.draw_ellipse_i(d.white2, x - 4, y - 4, 8, 8);
    } else if (type == "V") {
        draw_map_symbol(g, x - 2, y - 3, MapSymbol::Vor, no_symbol_arrow, 1.0, 1.0, 0, hw_md11_nd_range);
    } else if (type == "N") {
        g.draw_ellipse_i(d.white1, x - 5, y - 5, 10, 10);
        g.draw_ellipse_i(d.white1, x - 3, y - 3, 6, 6);
    } else {
        draw_map_symbol(g, x, y - 3, MapSymbol::Fix, no_symbol_arrow, 1.0, 1.0, 0, hw_md11_nd_range);
    }
}

void md11_text(gfx::Graphics& g, const gfx::Font& font, const gfx::SolidBrush& brush, const char* s, double x,
               double y) {
    g.draw_string(s, font, brush, gfx::PointF{static_cast<float>(x), static_cast<float>(y)});
}

} // namespace

void draw_fix_info_hw_md11_nd(const DisplayObject& display, gfx::Graphics& g, double ppn) {
    if (display.width <= 0 || display.height <= 0 || !(ppn > 0.0)) return;
    const float cx = static_cast<float>(hw_md11_nd_centre_x);
    const float cy = static_cast<float>(hw_md11_nd_centre_y);
    const double range = hw_md11_nd_range;
    const Reference ref = fix_reference(hw_md11_nd_mode == kMd11NdModePlan);
    const std::string tuned = tuned_vor_ident();
    const double dme = aircraft_state.nav1_dme_nm;

    const Md11Drawing d;
    for (int slot = 1; slot <= 2; ++slot) {
        const FixInfoRecord& fix = fix_info[slot];
        if (fix.ident.empty()) continue;
        const FixPair pairs[3] = {
            {fix.radial_1, fix.distance_1}, {fix.radial_2, fix.distance_2}, {fix.radial_3, fix.distance_3}};
        for (const FixPair& pair : pairs) {
            set_design_frame(g, display, hw_md11_nd_design, cx, cy);
            double fix_distance = 0.0, course = 0.0;
            gc_dist_course(ref.lat, ref.lon, fix.lat, fix.lon, &fix_distance, &course);
            if (fix_distance > kMaxFixDistance) continue;
            int32_t x = 0, y = 0;
            turn_arc_geometry_i(ref.map_up, course, 0, 0, fix_distance * ppn, &x, &y);
            const bool is_tuned = !tuned.empty() && fix.ident == tuned && std::fabs(fix_distance - dme) < 5.0;

            if (!is_tuned) md11_fix_symbol(g, d, fix.label, x, y);
            md11_text(g, d.ident, d.white, fix.ident.c_str(), x + 8, y - 7);
            g.draw_ellipse_i(d.ring, x - 8, y - 8, 16, 16);

            if (pair.distance > 0.0) {
                const auto r = static_cast<int32_t>(pair.distance * ppn);
                const double size = std::trunc(2.0 * pair.distance * ppn);
                g.draw_ellipse_i(d.green_dashed, x - r, y - r, size, size);
            }

            if (pair.radial == 0.0) continue;
            const double radial = normalised_radial(pair.radial);
            double reciprocal = radial + 180.0;
            if (reciprocal >= 360.0) reciprocal -= 360.0;
            set_design_frame(g, display, hw_md11_nd_design, cx + static_cast<float>(x),
                             cy + static_cast<float>(y));
            const double length = 360.0 * ppn;
            const double label_at = radial_label_distance(fix_distance, range, ppn);
            char radial_text[32], reciprocal_text[32];
            std::snprintf(radial_text, sizeof radial_text, "%03.0fR", radial);
            std::snprintf(reciprocal_text, sizeof reciprocal_text, "%03.0f", reciprocal);
            const gfx::SolidBrush& brush = is_tuned ? d.magenta : d.white;
            // Radial and reciprocal run both ways from the fix; the numbers
            // read upright whichever half of the map the radial points into.
            if (turn_direction(radial, ref.radial_ref) == kDirectionRight) {
                const gfx::Pen& pen = is_tuned ? d.tuned_dashed : d.white_dashed;
                g.rotate_transform(static_cast<float>(radial - ref.radial_ref + 90.0));
                g.draw_line_i(pen, 0, 0, -length, 0);
                md11_text(g, d.small, brush, radial_text, -label_at - 10.0, 0.0);
                g.draw_line_i(pen, 0, 0, length, 0);
                md11_text(g, d.small, brush, reciprocal_text, label_at - 10.0, 0.0);
            } else {
                const gfx::Pen& pen = is_tuned ? d.tuned_dashed : d.green_dashed;
                g.rotate_transform(static_cast<float>(radial - ref.radial_ref - 90.0));
                g.draw_line_i(pen, 0, 0, -length, 0);
                md11_text(g, d.small, brush, reciprocal_text, -label_at - 10.0, 0.0);
                g.draw_line_i(pen, 0, 0, length, 0);
                md11_text(g, d.small, brush, radial_text, label_at - 10.0, 0.0);
            }
        }
    }
}
