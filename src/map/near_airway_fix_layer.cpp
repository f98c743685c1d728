// The near-airway-fix layers: every fix of local_airway_fixes within
// 2 x range + 50 NM of the map's reference, as a small symbol with its
// identifier; the twins of the navaid layers.
#include "data/display_geometry.h"
#include "data/display_settings.h"
#include "fms/nav/nearby_lists.h"
#include "map/map_projection.h"
#include "map/near_layer_common.h"
#include "map/near_layers.h"
#include "map/palette.h"
#include "map/range_ladder.h"
#include "map/render_frame.h"
#include "map/symbol_painter.h"
#include "sim/aircraft_state.h"

namespace c = palette;

namespace {

constexpr double kReach = 50.0;

// A blue triangle per fix with its label; (ox, oy) the symbol offset and
// label_dy the label's rise, in design units.
void draw_triangles(gfx::Graphics& g, const LayerCanvas& layer, double ox, double oy, double label_dy) {
    if (!layer.valid) return;
    refresh_airway_fix_lists(layer.view.ref_lat, layer.view.ref_lon);
    draw_layer_map_symbols(g, layer, local_airway_fixes,
                           {kReach, ox, oy, 7.0, label_dy, label_chars, c::blue}, [](const NavRecordView&) {
                               return LayerSymbol{MapSymbol::Fix, 1};
                           });
}

} // namespace

void draw_near_airway_fixes_hw_b737_nd(const DisplayObject& display, gfx::Graphics& g, double ppn) {
    refresh_airway_fix_lists(aircraft_state.plat, aircraft_state.plon);
    draw_layer_map_symbols(g, hw_b737_nd_layer_canvas(display, g, ppn), local_airway_fixes,
                           {kReach, 3.0, 4.0, 7.0, 10.0, label_chars, c::blue}, [](const NavRecordView&) {
                               return LayerSymbol{MapSymbol::Fix, 1};
                           });
}

void draw_near_airway_fixes_hw_md11_nd(const DisplayObject& display, gfx::Graphics& g, double ppn) {
    draw_triangles(g, hw_md11_nd_layer_canvas(display, g, ppn), 1.0, 1.0, 10.0);
}

void draw_near_airway_fixes_md80_ehsi(const DisplayObject& display, gfx::Graphics& g, double ppn) {
    draw_triangles(g, md80_ehsi_layer_canvas(display, g, ppn), 1.0, 1.0, 10.0);
}

void draw_near_airway_fixes_proline4_mfd(const DisplayObject& display, gfx::Graphics& g, double lat,
                                         double lon, double ppn) {
    draw_triangles(g, proline4_mfd_layer_canvas(display, g, lat, lon, ppn), 3.0, 4.0, 4.0);
}

void draw_near_airway_fixes_du_1000_ehsi(gfx::Graphics& g, double lat, double lon, double ppn, double w,
                                         double s, double range, double heading) {
    // Records well off the visible part of the map are passed over.
    VisibleBox visible;
    const bool known = visible_box_in_frame(g, w, s, &visible);
    const LayerLabel label(static_cast<float>(12.0 * w), c::magenta);
    refresh_airway_fix_lists(lat, lon);
    for_each_in_reach(local_airway_fixes, MapView{lat, lon, heading, ppn}, range, kReach,
                      [&](const NavRecordView& fix, double x, double y) {
                          if (known && !visible.shows(x, y)) return;
                          const double xs = (x - 3.0) * w;
                          const double ys = (y - 4.0) * s;
                          draw_map_symbol(g, xs, ys, MapSymbol::Du1000AirwayFix, no_symbol_arrow, w, s, 4,
                                          du_1000_ehsi_range);
                          label.draw(g, fix.ident, label_chars, xs + 7.0 * w, ys - 10.0 * s);
                      });
}

void draw_near_airway_fixes_c17_mfd(gfx::Graphics& g, double w, double s, double lat, double lon,
                                    double heading, double ppn) {
    const LayerLabel label(static_cast<float>(10.0 * w), c::cyan);
    const AircraftState& a = aircraft_state;
    refresh_airway_fix_lists(a.plat, a.plon);
    const double range = c17_map_range_nm;
    VisibleBox visible;
    const bool on_canvas = visible_box_in_frame(g, w, s, &visible);
    // From the map's reference with its rotation, as the other C17 layers.
    for_each_in_reach(local_airway_fixes, c17_layer_view(lat, lon, heading, ppn), range, kReach,
                      [&](const NavRecordView& fix, double x, double y) {
                          if (on_canvas && !visible.shows(x, y)) return;
                          const double xs = x * w;
                          const double ys = y * s;
                          draw_map_symbol(g, xs, ys, MapSymbol::Fix, no_symbol_arrow, w, s, 1, range);
                          label.draw(g, fix.ident, label_chars, xs + 10.0 * w, ys - 3.0 * s);
                      });
}
