// The compass-card label of a rotating card, and the C17_MFD map pieces that
// no display calls yet: the three nearby layers on the C17 canvas and the
// chosen runways' centrelines.
#include "data/airport_procedures.h"
#include "data/c17_mfd_state.h"
#include "fms/nav/nearby_lists.h"
#include "fms/plan/route_plan.h"
#include "map/map_canvas.h"
#include "map/map_overlays.h"
#include "map/near_layer_common.h"
#include "map/palette.h"
#include "map/range_ladder.h"
#include "map/render_frame.h"
#include "map/selected_runways.h"
#include "platform/gfx.h"
#include "sim/aircraft_state.h"

namespace c = palette;

namespace {

// The C17 canvas scaled to the element and moved to the compass centre;
// design units are the layer's units (w = s = 1). North up in the plan
// format 6, from the aircraft.
LayerCanvas c17_variant_canvas(const DisplayObject& display, gfx::Graphics& g, double ppn) {
    LayerCanvas layer;
    if (display.width <= 0 || display.height <= 0 || !(ppn > 0.0)) return layer;
    set_design_frame(g, display, c17_mfd_design, c17_compass_centre.x, c17_compass_centre.y);
    const AircraftState& a = aircraft_state;
    layer.k.w = layer.k.s = 1.0;
    layer.view = MapView{a.plat, a.plon, c17_mfd_format == kC17FormatPlan ? 0.0 : a.map_heading_deg, ppn};
    layer.range = c17_map_range_nm;
    layer.design = c17_mfd_design;
    layer.valid = true;
    return layer;
}

} // namespace

void draw_compass_card_label(gfx::Graphics& g, int heading) {
    static constexpr const char* labels[12] = {"N", "3",  "6",  "E", "12", "15",
                                               "S", "21", "24", "W", "30", "33"};
    const gfx::SolidBrush white(c::white);
    const gfx::FontFamily family("HW Arial");
    const gfx::Font font(family, 17.0f, gfx::FontStyle::Bold, gfx::Unit::Pixel);
    const int k = heading / 10;
    if (k < 0 || k > 33 || k % 3 != 0) {
        g.draw_string("  ", font, white, gfx::PointF{0.5f, -108.0f});
        return;
    }
    const char* label = labels[k / 3];
    gfx::RectF box;
    g.measure_string(label, font, gfx::RectF{-10.0f, -10.0f, 100.0f, 50.0f}, gfx::StringFormat{}, &box);
    // Centred by its measured width on the card's vertical axis.
    g.draw_string(label, font, white, gfx::PointF{0.5f - box.width / 2.0f, -108.0f});
}

void draw_close_airports_c17_variant(const DisplayObject& display, gfx::Graphics& g, double ppn) {
    const LayerCanvas layer = c17_variant_canvas(display, g, ppn);
    if (!layer.valid) return;
    refresh_airport_lists(layer.view.ref_lat, layer.view.ref_lon);
    const gfx::Pen circle(c::symbol_cyan, 1.0f);
    draw_layer_symbols(g, layer, close_airports, {50.0, 4.0, 4.0, 10.0, 8.0, label_chars, c::symbol_cyan},
                       [&](const NavRecordView&, double xs, double ys) {
                           g.draw_ellipse_i(circle, xs, ys, 8, 8);
                           return true;
                       });
}

void draw_airway_fixes_c17_variant(const DisplayObject& display, gfx::Graphics& g, double ppn) {
    const LayerCanvas layer = c17_variant_canvas(display, g, ppn);
    if (!layer.valid) return;
    refresh_airway_fix_lists(layer.view.ref_lat, layer.view.ref_lon);
    draw_layer_map_symbols(g, layer, local_airway_fixes, {50.0, 0.0, 0.0, 10.0, 3.0, label_chars, c::cyan},
                           [](const NavRecordView&) {
                               return LayerSymbol{MapSymbol::Fix, 1};
                           });
}

void draw_navaids_c17_variant(const DisplayObject& display, gfx::Graphics& g, double ppn) {
    const LayerCanvas layer = c17_variant_canvas(display, g, ppn);
    if (!layer.valid) return;
    refresh_navaid_lists(layer.view.ref_lat, layer.view.ref_lon);
    const gfx::Pen circle(c::green, 1.0f);
    draw_layer_symbols(g, layer, local_navaids, {50.0, 3.0, 4.0, 10.0, 6.0, label_chars, c::green},
                       [&](const NavRecordView& navaid, double xs, double ys) {
                           if (navaid.kind == "V") {
                               draw_map_symbol(g, xs, ys, MapSymbol::Vor, no_symbol_arrow, 1.0, 1.0, 2,
                                               layer.range);
                           } else {
                               g.draw_ellipse_i(circle, xs - 2, ys, 10, 10);
                               g.draw_ellipse_i(circle, xs, ys + 2, 6, 6);
                           }
                           return true;
                       });
}

void draw_runway_centrelines_c17(gfx::Graphics& g, double x_scale, double y_scale, double centre_x,
                                 double centre_y, double ppn, double map_up) {
    if (to_waypoint_index == kNoToWaypoint || !(c17_map_range_nm < 80.0) || !(ppn > 0.0)) return;
    const AircraftState& a = aircraft_state;
    SplitScale k;
    k.w = x_scale;
    k.s = y_scale;
    k.valid = true;
    MapCanvas m(g, MapView{a.plat, a.plon, map_up, ppn}, k, c17_map_range_nm, "Arial", 10.0);
    // The lines are drawn about the map centre, and the frame given back.
    g.translate_transform(static_cast<float>(centre_x * x_scale), static_cast<float>(centre_y * y_scale));
    const gfx::Pen centreline(c::white, 2.0f);
    const gfx::Pen cross(c::white, 1.0f);
    const struct {
        int slot;
        int index;
    } chosen[] = {{origin_slot, selected_departure_runway()}, {destination_slot, selected_arrival_runway()}};
    for (const auto& runway : chosen) {
        RunwayLines r;
        if (!chosen_runway_in_reach(m, runway.slot, runway.index, &r)) continue;
        draw_centreline_ahead(m, r, centreline);
        draw_centreline_behind(m, r, centreline);
        for (const double side : {-90.0, 90.0})
            m.line(cross, r.threshold, map_position_ahead(r.threshold, r.heading + side, 0.5));
    }
    g.translate_transform(static_cast<float>(-centre_x * x_scale), static_cast<float>(-centre_y * y_scale));
}
