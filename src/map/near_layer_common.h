// What the nearby-record layers share: keeping the nearby lists current
// around a refresh point, the distance limit, and the label drawing. Only
// the layer sources include this.
#pragma once

#include "platform/gfx.h"

#include <string>

// The wide list is rebuilt once the refresh point is more than 200 NM from
// its centre, then the close list once it is more than 50 NM from its own
// (tested after the first step).
void refresh_navaid_lists(double lat, double lon);
void refresh_airway_fix_lists(double lat, double lon);
void refresh_airport_lists(double lat, double lon);

// A record at distance d is drawn up to 2 x range + extra NM (inclusive).
inline bool within_map_reach(double distance, double range, double extra) {
    return distance <= 2.0 * range + extra;
}

// Whether a symbol and its label at the design point (x, y) from the map
// centre can show on the canvas: records within reach but well outside the
// canvas are not drawn at all, since the clip would take all of them away.
inline bool reaches_canvas(double x, double y, double centre_x, double centre_y, double width,
                           double height) {
    constexpr double margin = 60.0; // design units: a symbol with a six-letter label
    const double ax = centre_x + x;
    const double ay = centre_y + y;
    return ax >= -margin && ax <= width + margin && ay >= -margin && ay <= height + margin;
}

// The label font and brush of a layer: "Arial" bold in pixel units.
struct LayerLabel {
    LayerLabel(float size, gfx::Argb colour)
        : family("Arial"), font(family, size, gfx::FontStyle::Bold, gfx::Unit::Pixel), brush(colour) {}
    gfx::FontFamily family;
    gfx::Font font;
    gfx::SolidBrush brush;

    // The identifier, cut to max_chars (all of it when max_chars is 0), with
    // its top-left corner at (x, y).
    void draw(gfx::Graphics& g, const std::string& ident, std::size_t max_chars, double x, double y) const;
};

struct MapView;

// The HW_B737_ND layers' map: the aircraft and map_heading_deg, or in PLAN
// (mode 7) north up about the plan waypoint while a route is active; the
// centre y is 171 in modes 6 and 7, else 249.
MapView hw_b737_nd_layer_view(double ppn);
double hw_b737_nd_layer_centre_y();
