// The nearby airports of the C17_MFD map: a cyan circle and the identifier
// of every close airport within reach of the map.
#include "pfd/c17_mfd_painters.h"

#include "fms/nav/nearby_lists.h"
#include "map/near_layer_common.h"
#include "map/palette.h"
#include "map/range_ladder.h"
#include "sim/aircraft_state.h"

#include <cmath>

void c17_mfd_draw_nearby_symbols(gfx::Graphics& g, double sx, double sy, double ref_lat, double ref_lon,
                                 double map_up, double px_per_nm) {
    const gfx::Pen circle(palette::cyan, 4.0f);
    const LayerLabel label(static_cast<float>(10.0 * sx), palette::cyan);
    // The lists are built around the aircraft, so they are measured from it
    // too: measured from a far plan centre they would be rebuilt every frame.
    refresh_airport_lists(aircraft_state.plat, aircraft_state.plon);
    const MapView view{ref_lat, ref_lon, map_up, px_per_nm};
    // Airports the map's window would clip away entirely are passed over.
    VisibleBox visible;
    const bool on_canvas = visible_box_in_frame(g, sx, sy, &visible);
    for_each_in_reach(close_airports, view, c17_map_range_nm, 10.0,
                      [&](const NavRecordView& airport, double x, double y) {
                          if (on_canvas && !visible.shows(x, y)) return;
                          const double X = x * sx;
                          const double Y = y * sy;
                          g.draw_ellipse_i(circle, std::trunc(X - 5.0 * sx), std::trunc(Y - 5.0 * sy),
                                           std::trunc(10.0 * sx), std::trunc(10.0 * sy));
                          // The offset counts every letter, though five are shown.
                          const double n = static_cast<double>(airport.ident.size());
                          label.draw(g, airport.ident, 5, X - 9.0 * n * sx, Y + 2.0 * sy);
                      });
}
