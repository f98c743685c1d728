// What the nearby-record layers share: keeping the nearby lists current
// around a refresh point, the distance limit, and the label drawing. Only
// the layer sources include this.
#pragma once

#include "data/nav_record.h"
#include "map/map_projection.h"
#include "platform/gfx.h"

#include <string>

struct DisplayObject;

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

// Identifiers are shown with at most six characters (the label buffer's).
inline constexpr std::size_t label_chars = 6;

// Calls draw(record, x, y) for every record 1 .. count of the list within
// 2 x range + extra NM of the view's reference, (x, y) its point on the map
// about the projection centre (design units).
template <class List, class Draw>
void for_each_in_reach(const List& list, const MapView& view, double range, double extra, Draw&& draw) {
    for (int i = 1; i <= list.count(); ++i) {
        const NavRecord& r = list[i];
        const MapPlacement p = place_on_map(view, r.latitude, r.longitude);
        if (within_map_reach(p.distance, range, extra)) draw(r, p.x, p.y);
    }
}

// The map of a display with a north-up plan format: in it, north up about
// the plan waypoint (plan_centre_index), or about the aircraft while no
// route is active; otherwise the aircraft with the given heading.
MapView plan_or_aircraft_view(bool plan_format, double heading, double ppn);

// The HW_B737_ND layers' map: PLAN from mode 7 on, map_heading_deg
// otherwise; the centre y is 171 in modes 6 and 7, else 249.
MapView hw_b737_nd_layer_view(double ppn);
double hw_b737_nd_layer_centre_y();

// The C17_MFD layers measure from the plan waypoint while its format is 7 or
// more (which its plan format, numbered 6, never is) and a route is active,
// else from the given position.
MapView c17_layer_view(double lat, double lon, double heading, double ppn);

// The P1000_MFD layers: w = 2 (W / 272), s = 2 (H / 314) under a world
// transform of half scale; the projection centre and units per NM from the
// display's map geometry; the TO waypoint in the plan format.
struct P1000LayerFrame {
    double w = 0.0;
    double s = 0.0;
    double centre_x = 0.0;
    double centre_y = 0.0;
    MapView view;
    bool valid = false;
};
P1000LayerFrame p1000_layer_frame(const DisplayObject& display, gfx::Graphics& graphics, double ppn);
// Back to the display's design scale, as the P1000 layers leave it.
void end_p1000_layer(const DisplayObject& display, gfx::Graphics& graphics);
