// The near-navaid layers: every navaid of local_navaids within 2 x range +
// 50 NM of the map's reference, as a symbol with its identifier. The
// members differ in geometry, reference point, colours and which navaids
// they show.
#include "data/display_geometry.h"
#include "data/display_settings.h"
#include "data/display_state.h"
#include "data/p1000_menu_state.h"
#include "fms/nav/nearby_lists.h"
#include "map/map_projection.h"
#include "map/near_layer_common.h"
#include "map/near_layers.h"
#include "map/palette.h"
#include "map/range_ladder.h"
#include "map/render_frame.h"
#include "map/symbol_painter.h"
#include "sim/aircraft_state.h"

#include <cmath>

namespace c = palette;

namespace {

constexpr double kReach = 50.0;

// The HW_MD11_ND and MD80_EHSI members: a VOR symbol in blue, any other
// navaid as two blue circles; the label 8 right and 7 above.
void draw_circle_members(gfx::Graphics& g, const LayerCanvas& layer) {
    if (!layer.valid) return;
    const SplitScale& k = layer.k;
    const gfx::Pen circle(c::blue, static_cast<float>(k.w));
    refresh_navaid_lists(layer.view.ref_lat, layer.view.ref_lon);
    draw_layer_symbols(g, layer, local_navaids, {kReach, 2.0, 3.0, 8.0, 7.0, label_chars, c::blue},
                       [&](const NavRecordView& navaid, double xs, double ys) {
                           if (navaid.kind == "V") {
                               draw_map_symbol(g, xs, ys, MapSymbol::Vor, no_symbol_arrow, k.w, k.s, 1,
                                               layer.range);
                           } else {
                               g.draw_ellipse_i(circle, xs, ys, 10.0 * k.w, 10.0 * k.s);
                               g.draw_ellipse_i(circle, xs + 2.0 * k.w, ys + 2.0 * k.s, 6.0 * k.w, 6.0 * k.s);
                           }
                           return true;
                       });
}

} // namespace

void draw_near_navaids_hw_b737_nd(const DisplayObject& display, gfx::Graphics& g, double ppn) {
    refresh_navaid_lists(aircraft_state.plat, aircraft_state.plon);
    draw_layer_map_symbols(g, hw_b737_nd_layer_canvas(display, g, ppn), local_navaids,
                           {kReach, 3.0, 4.0, 7.0, 10.0, label_chars, c::green}, [](const NavRecordView& n) {
                               return LayerSymbol{n.kind == "V" ? MapSymbol::Vor : MapSymbol::Navaid, 3};
                           });
}

void draw_near_navaids_hw_md11_nd(const DisplayObject& display, gfx::Graphics& g, double ppn) {
    draw_circle_members(g, hw_md11_nd_layer_canvas(display, g, ppn));
}

void draw_near_navaids_md80_ehsi(const DisplayObject& display, gfx::Graphics& g, double ppn) {
    draw_circle_members(g, md80_ehsi_layer_canvas(display, g, ppn));
}

void draw_near_navaids_proline4_mfd(const DisplayObject& display, gfx::Graphics& g, double lat, double lon,
                                    double ppn) {
    refresh_navaid_lists(lat, lon);
    const bool vors = show_navaids_flags[ND_PROLINE4] == 1;
    const bool ndbs = proline4_mfd_show_ndbs == 1;
    draw_layer_map_symbols(g, proline4_mfd_layer_canvas(display, g, lat, lon, ppn), local_navaids,
                           {kReach, 3.0, 4.0, 7.0, 4.0, label_chars, c::blue}, [&](const NavRecordView& n) {
                               if (n.kind == "V" && vors) return LayerSymbol{MapSymbol::Vor, 1};
                               if (n.kind == "N" && ndbs) return LayerSymbol{MapSymbol::Navaid, 1};
                               return LayerSymbol{};
                           });
}

void draw_near_navaids_du_1000_ehsi(gfx::Graphics& g, double lat, double lon, double ppn, double w, double s,
                                    double range, double heading, int vor_flag, int ndb_flag) {
    // Records well off the visible part of the map are passed over.
    VisibleBox visible;
    const bool known = visible_box_in_frame(g, w, s, &visible);
    const LayerLabel label(static_cast<float>(12.0 * w), c::magenta);
    const MapView view{lat, lon, heading, ppn};
    refresh_navaid_lists(lat, lon);
    for_each_in_reach(
        local_navaids, view, range, kReach, [&](const NavRecordView& navaid, double x, double y) {
            if (known && !visible.shows(x, y)) return;
            const bool vor = navaid.kind == "V" && vor_flag == 1;
            const bool ndb = navaid.kind == "N" && ndb_flag == 1;
            if (!vor && !ndb) return;
            const double xs = (x - 3.0) * w;
            const double ys = (y - 4.0) * s;
            if (vor)
                draw_map_symbol(g, xs, ys, MapSymbol::Du1000Vor, no_symbol_arrow, w, s, 3,
                                du_1000_ehsi_range);
            else
                draw_map_symbol(g, xs, ys, MapSymbol::Fix, no_symbol_arrow, w, s, 4, du_1000_ehsi_range);
            label.draw(g, navaid.ident, label_chars, xs + 7.0 * w, ys - 10.0 * s);
        });
}

void draw_near_navaids_c17_mfd(gfx::Graphics& g, double w, double s, double lat, double lon, double heading,
                               double ppn) {
    const LayerLabel label(static_cast<float>(10.0 * w), c::green);
    refresh_navaid_lists(aircraft_state.plat, aircraft_state.plon);
    const double range = c17_map_range_nm;
    VisibleBox visible;
    const bool on_canvas = visible_box_in_frame(g, w, s, &visible);
    for_each_in_reach(local_navaids, c17_layer_view(lat, lon, heading, ppn), range, kReach,
                      [&](const NavRecordView& navaid, double x, double y) {
                          if (on_canvas && !visible.shows(x, y)) return;
                          const double xs = (x - 3.0) * w;
                          const double ys = (y - 4.0) * s;
                          draw_map_symbol(g, xs, ys, navaid.kind == "V" ? MapSymbol::Vor : MapSymbol::Navaid,
                                          no_symbol_arrow, w, s, 3, range);
                          // The label stands left of the symbol.
                          const double n = static_cast<double>(std::min(navaid.ident.size(), label_chars));
                          label.draw(g, navaid.ident, label_chars, xs - 9.0 * n * w, ys - 5.0 * s);
                      });
}

void draw_near_navaids_p1000_mfd(const DisplayObject& display, gfx::Graphics& g, double) {
    const P1000LayerFrame f = p1000_layer_frame(display, g);
    if (!f.valid) return;
    const LayerLabel label(static_cast<float>(10.0 * f.w), c::light_green);
    refresh_navaid_lists(aircraft_state.plat, aircraft_state.plon);
    const double range = p1000_mfd_range;
    for_each_p1000_record(
        g, f, local_navaids, range, kReach, [&](const NavRecordView& navaid, double x, double y) {
            const double xs = f.centre_x + x;
            const double ys = f.centre_y + y;
            draw_map_symbol(g, xs, ys, navaid.kind == "V" ? MapSymbol::Vor : MapSymbol::Navaid,
                            no_symbol_arrow, f.w, f.s, 3, range);
            label.draw(g, navaid.ident, label_chars, xs + 7.0 * f.w, ys - 10.0 * f.s);
        });
    end_p1000_layer(display, g);
}
