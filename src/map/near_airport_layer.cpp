// The near-airport layers: every airport of close_airports within reach of
// the map's reference, as a small circle (a "*" on the DU_1000_EHSI) with
// its identifier, drawn directly rather than with the symbol painter.
#include "data/display_geometry.h"
#include "data/display_settings.h"
#include "fms/nav/nearby_lists.h"
#include "map/map_projection.h"
#include "map/near_layer_common.h"
#include "map/near_layers.h"
#include "map/palette.h"
#include "map/range_ladder.h"
#include "map/render_frame.h"
#include "sim/aircraft_state.h"

namespace c = palette;

namespace {

// The HW_MD11_ND and MD80_EHSI members: circles of 8 x 8 about the point,
// pen 2w; the whole identifier 7 right and 10 above the circle's corner.
void draw_small_circles(gfx::Graphics& g, const LayerCanvas& layer) {
    if (!layer.valid) return;
    const gfx::Pen circle(c::blue, static_cast<float>(layer.k.w + layer.k.w));
    refresh_airport_lists(layer.view.ref_lat, layer.view.ref_lon);
    draw_layer_symbols(g, layer, close_airports, {50.0, 4.0, 4.0, 7.0, 10.0, label_chars, c::blue},
                       [&](const NavRecordView&, double xs, double ys) {
                           g.draw_ellipse_i(circle, xs, ys, 8.0 * layer.k.w, 8.0 * layer.k.s);
                           return true;
                       });
}

} // namespace

void draw_near_airports_hw_b737_nd(const DisplayObject& display, gfx::Graphics& g, double ppn) {
    refresh_airport_lists(aircraft_state.plat, aircraft_state.plon);
    // Airports are culled closer in than navaids and fixes.
    draw_layer_circles(g, hw_b737_nd_layer_canvas(display, g, ppn), close_airports,
                       {10.0, 5.0, 5.0, 2.0, 15.0, 5, c::blue});
}

void draw_near_airports_hw_md11_nd(const DisplayObject& display, gfx::Graphics& g, double ppn) {
    draw_small_circles(g, hw_md11_nd_layer_canvas(display, g, ppn));
}

void draw_near_airports_md80_ehsi(const DisplayObject& display, gfx::Graphics& g, double ppn) {
    draw_small_circles(g, md80_ehsi_layer_canvas(display, g, ppn));
}

void draw_near_airports_proline4_mfd(const DisplayObject& display, gfx::Graphics& g, double lat, double lon,
                                     double ppn) {
    refresh_airport_lists(lat, lon);
    draw_layer_circles(g, proline4_mfd_layer_canvas(display, g, lat, lon, ppn), close_airports,
                       {50.0, 3.0, 4.0, 12.0, 2.0, label_chars, c::blue});
}

void draw_near_airports_du_1000_ehsi(gfx::Graphics& g, double lat, double lon, double ppn, double w, double s,
                                     double range, double heading) {
    // Records well off the visible part of the map are passed over.
    VisibleBox visible;
    const bool known = visible_box_in_frame(g, w, s, &visible);
    const gfx::FontFamily family("Arial");
    const gfx::Font star(family, static_cast<float>(17.0 * w), gfx::FontStyle::Bold, gfx::Unit::Pixel);
    const gfx::SolidBrush magenta(c::magenta);
    const LayerLabel label(static_cast<float>(12.0 * w), c::magenta);
    refresh_airport_lists(lat, lon);
    for_each_in_reach(
        close_airports, MapView{lat, lon, heading, ppn}, range, 50.0,
        [&](const NavRecordView& airport, double x, double y) {
            if (known && !visible.shows(x, y)) return;
            const double xs = (x - 3.0) * w;
            const double ys = (y - 4.0) * s;
            g.draw_string("*", star, magenta,
                          gfx::PointF{static_cast<float>(xs - 3.0 * w), static_cast<float>(ys - 4.0 * s)});
            label.draw(g, airport.ident, label_chars, xs + 7.0 * w, ys - 10.0 * s);
        });
}

void draw_near_airports_p1000_mfd(const DisplayObject& display, gfx::Graphics& g, double) {
    // The frame's own scale, as the navaids beside them.
    const P1000LayerFrame f = p1000_layer_frame(display, g);
    if (!f.valid) return;
    const gfx::Pen circle(c::blue, 4.0f);
    const LayerLabel label(static_cast<float>(10.0 * f.w), c::blue);
    refresh_airport_lists(aircraft_state.plat, aircraft_state.plon);
    for_each_p1000_record(g, f, close_airports, p1000_mfd_range, 10.0,
                          [&](const NavRecordView& airport, double x, double y) {
                              // The circle's top-left corner on the point.
                              const double px = f.centre_x + x;
                              const double py = f.centre_y + y;
                              g.draw_ellipse_i(circle, px, py, 10.0 * f.w, 10.0 * f.s);
                              label.draw(g, airport.ident, 5, px + 2.0 * f.w, py - 15.0 * f.s);
                          });
    end_p1000_layer(display, g);
}
