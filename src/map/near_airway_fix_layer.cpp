// The near-airway-fix layers: every fix of local_airway_fixes within
// 2 x range + 50 NM of the map's reference, as a small triangle with its
// identifier; the twins of the navaid layers.
#include "data/nearby_lists.h"
#include "gauges/render_frame.h"
#include "map/map_colours.h"
#include "map/map_projection.h"
#include "map/near_layer_common.h"
#include "map/near_layers.h"
#include "map/range_ladder.h"
#include "map/symbol_painter.h"
#include "sim/aircraft_state.h"

void draw_near_airway_fixes_hw_b737_nd(const DisplayObject& display, gfx::Graphics& g, double ppn) {
    const SplitScale k = split_scale(display, 244.0, 302.0);
    if (!k.valid) return;
    const LayerLabel label(static_cast<float>(10.0 * k.w), map_colour::blue);
    const double centre_y = hw_b737_nd_layer_centre_y();
    set_split_frame(g, k, 122.0, centre_y);
    const MapView view = hw_b737_nd_layer_view(ppn);
    refresh_airway_fix_lists(aircraft_state.plat, aircraft_state.plon);

    const double range = hw_b737_nd_range;
    for (int i = 1; i <= local_airway_fixes.count(); ++i) {
        const NavRecord& fix = local_airway_fixes[i];
        const MapPlacement p = place_on_map(view, fix.latitude, fix.longitude);
        if (!within_map_reach(p.distance, range, 50.0)) continue;
        if (!reaches_canvas(p.x, p.y, 122.0, centre_y, 244.0, 302.0)) continue;
        const double xs = (p.x - 3.0) * k.w;
        const double ys = (p.y - 4.0) * k.s;
        draw_map_symbol(g, xs, ys, 3, no_symbol_arrow, k.w, k.s, 1, range);
        label.draw(g, fix.ident, 6, xs + 7.0 * k.w, ys - 10.0 * k.s);
    }
}
