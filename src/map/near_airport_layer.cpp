// The near-airport layers: every airport of close_airports within reach of
// the map's reference, as a small circle with its identifier, drawn directly
// (not with the symbol painter).
#include "data/nearby_lists.h"
#include "gauges/render_frame.h"
#include "map/map_colours.h"
#include "map/map_projection.h"
#include "map/near_layer_common.h"
#include "map/near_layers.h"
#include "map/range_ladder.h"
#include "sim/aircraft_state.h"

void draw_near_airports_hw_b737_nd(const DisplayObject& display, gfx::Graphics& g, double ppn) {
    const SplitScale k = split_scale(display, 244.0, 302.0);
    if (!k.valid) return;
    const gfx::Pen circle(map_colour::blue, 4.0f);
    const LayerLabel label(static_cast<float>(10.0 * k.w), map_colour::blue);
    const double centre_y = hw_b737_nd_layer_centre_y();
    set_split_frame(g, k, 122.0, centre_y);
    const MapView view = hw_b737_nd_layer_view(ppn);
    refresh_airport_lists(aircraft_state.plat, aircraft_state.plon);

    const double range = hw_b737_nd_range;
    for (int i = 1; i <= close_airports.count(); ++i) {
        const NavRecord& airport = close_airports[i];
        const MapPlacement p = place_on_map(view, airport.latitude, airport.longitude);
        // Airports are culled closer in than navaids and fixes.
        if (!within_map_reach(p.distance, range, 10.0)) continue;
        if (!reaches_canvas(p.x, p.y, 122.0, centre_y, 244.0, 302.0)) continue;
        const double xs = (p.x - 5.0) * k.w;
        const double ys = (p.y - 5.0) * k.s;
        g.draw_ellipse_i(circle, xs, ys, 10.0 * k.w, 10.0 * k.s);
        label.draw(g, airport.ident, 5, xs + 2.0 * k.w, ys - 15.0 * k.s);
    }
}
