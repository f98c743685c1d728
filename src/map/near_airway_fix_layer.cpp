// The near-airway-fix layers: every fix of local_airway_fixes within
// 2 x range + 50 NM of the map's reference, as a small symbol with its
// identifier; the twins of the navaid layers.
#include "data/display_geometry.h"
#include "data/display_settings.h"
#include "fms/nav/nearby_lists.h"
#include "map/map_colours.h"
#include "map/map_projection.h"
#include "map/near_layer_common.h"
#include "map/near_layers.h"
#include "map/range_ladder.h"
#include "map/render_frame.h"
#include "map/symbol_painter.h"
#include "sim/aircraft_state.h"

namespace c = map_colour;

namespace {

constexpr double kReach = 50.0;

// A blue triangle per fix with its label; (ox, oy) the symbol offset and
// label_dy the label's rise, in design units.
void draw_triangles(gfx::Graphics& g, double w, double s, const MapView& view, double range, double ox,
                    double oy, double label_dy) {
    const LayerLabel label(static_cast<float>(10.0 * w), c::blue);
    for_each_in_reach(local_airway_fixes, view, range, kReach, [&](const NavRecord& fix, double x, double y) {
        const double xs = (x - ox) * w;
        const double ys = (y - oy) * s;
        draw_map_symbol(g, xs, ys, 3, no_symbol_arrow, w, s, 1, range);
        label.draw(g, fix.ident, label_chars, xs + 7.0 * w, ys - label_dy * s);
    });
}

} // namespace

void draw_near_airway_fixes_hw_b737_nd(const DisplayObject& display, gfx::Graphics& g, double ppn) {
    const SplitScale k = split_scale(display, 244.0, 302.0);
    if (!k.valid) return;
    const LayerLabel label(static_cast<float>(10.0 * k.w), c::blue);
    const double centre_y = hw_b737_nd_layer_centre_y();
    set_split_frame(g, k, 122.0, centre_y);
    const MapView view = hw_b737_nd_layer_view(ppn);
    refresh_airway_fix_lists(aircraft_state.plat, aircraft_state.plon);

    const double range = hw_b737_nd_range;
    for_each_in_reach(local_airway_fixes, view, range, kReach, [&](const NavRecord& fix, double x, double y) {
        if (!reaches_canvas(x, y, 122.0, centre_y, 244.0, 302.0)) return;
        const double xs = (x - 3.0) * k.w;
        const double ys = (y - 4.0) * k.s;
        draw_map_symbol(g, xs, ys, 3, no_symbol_arrow, k.w, k.s, 1, range);
        label.draw(g, fix.ident, label_chars, xs + 7.0 * k.w, ys - 10.0 * k.s);
    });
}

void draw_near_airway_fixes_hw_md11_nd(const DisplayObject& display, gfx::Graphics& g, double ppn) {
    const SplitScale k = split_scale(display, 240.0, 258.0);
    if (!k.valid) return;
    set_split_frame(g, k, hw_md11_nd_centre_x, hw_md11_nd_centre_y);
    const MapView view = plan_or_aircraft_view(hw_md11_nd_mode == 2, aircraft_state.map_heading_deg, ppn);
    refresh_airway_fix_lists(view.ref_lat, view.ref_lon);
    draw_triangles(g, k.w, k.s, view, hw_md11_nd_range, 1.0, 1.0, 10.0);
}

void draw_near_airway_fixes_md80_ehsi(const DisplayObject& display, gfx::Graphics& g, double ppn) {
    const SplitScale k = split_scale(display, 266.0, 232.0);
    if (!k.valid) return;
    set_split_frame(g, k, md80_compass_centre_x, md80_compass_centre_y);
    const MapView view = plan_or_aircraft_view(md80_ehsi_mode == 2, aircraft_state.map_heading_deg, ppn);
    refresh_airway_fix_lists(view.ref_lat, view.ref_lon);
    draw_triangles(g, k.w, k.s, view, md80_ehsi_range, 1.0, 1.0, 10.0);
}

void draw_near_airway_fixes_proline4_mfd(const DisplayObject& display, gfx::Graphics& g, double lat,
                                         double lon, double ppn) {
    const SplitScale k = split_scale(display, 247.0, 285.0);
    if (!k.valid) return;
    refresh_airway_fix_lists(lat, lon);
    const MapView view{lat, lon, proline4_mfd_mode == 2 ? 0.0 : aircraft_state.map_heading_deg, ppn};
    draw_triangles(g, k.w, k.s, view, proline4_mfd_range, 3.0, 4.0, 4.0);
}

void draw_near_airway_fixes_du_1000_ehsi(gfx::Graphics& g, double lat, double lon, double ppn, double w,
                                         double s, double range, double heading) {
    const LayerLabel label(static_cast<float>(12.0 * w), c::magenta);
    refresh_airway_fix_lists(lat, lon);
    for_each_in_reach(local_airway_fixes, MapView{lat, lon, heading, ppn}, range, kReach,
                      [&](const NavRecord& fix, double x, double y) {
                          const double xs = (x - 3.0) * w;
                          const double ys = (y - 4.0) * s;
                          draw_map_symbol(g, xs, ys, 21, no_symbol_arrow, w, s, 4, du_1000_ehsi_range);
                          label.draw(g, fix.ident, label_chars, xs + 7.0 * w, ys - 10.0 * s);
                      });
}

void draw_near_airway_fixes_c17_mfd(gfx::Graphics& g, double w, double s, double, double, double,
                                    double ppn) {
    const LayerLabel label(static_cast<float>(10.0 * w), c::cyan);
    const AircraftState& a = aircraft_state;
    refresh_airway_fix_lists(a.plat, a.plon);
    const double range = c17_map_range_nm;
    for_each_in_reach(local_airway_fixes, c17_layer_view(a.plat, a.plon, a.map_heading_deg, ppn), range,
                      kReach, [&](const NavRecord& fix, double x, double y) {
                          const double xs = x * w;
                          const double ys = y * s;
                          draw_map_symbol(g, xs, ys, 3, no_symbol_arrow, w, s, 1, range);
                          label.draw(g, fix.ident, label_chars, xs + 10.0 * w, ys - 3.0 * s);
                      });
}
