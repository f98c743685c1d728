// What the nearby-record layers share: keeping the nearby lists current
// around a refresh point, the distance limit, and the label drawing. Only
// the layer sources include this.
#pragma once

#include "data/nav_record.h"
#include "data/nav_table.h"
#include "map/map_canvas.h"
#include "map/map_projection.h"
#include "map/palette.h"
#include "map/symbol_painter.h"
#include "platform/gfx.h"

#include <bit>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

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

// The part of the map that can show, in design units about the map centre:
// a symbol and its label at (x, y) from the centre show only when (x, y)
// lies within it or near it; records within reach but well off it are not
// drawn at all, since the clip would take all of them away.
struct VisibleBox {
    double left = 0.0, top = 0.0, right = 0.0, bottom = 0.0;
    // Design units: a label of six letters stands right of its symbol and a
    // little above it, so a record left of the box may still show its label;
    // one farther right, above or below shows nothing.
    static constexpr double left_margin = 60.0;
    static constexpr double right_margin = 20.0;
    static constexpr double top_margin = 30.0;
    static constexpr double bottom_margin = 30.0;
    bool shows(double x, double y) const {
        return x >= left - left_margin && x <= right + right_margin && y >= top - top_margin &&
               y <= bottom + bottom_margin;
    }
};

// The visible box of a layer drawn in its caller's split frame (scales w
// and s, origin at the map centre); false when the graphics cannot tell.
bool visible_box_in_frame(gfx::Graphics& graphics, double w, double s, VisibleBox* box);

// The label font and brush of a layer: "Arial" bold in pixel units.
struct LayerLabel {
    LayerLabel(float size, gfx::Argb colour)
        : family("Arial"), font(family, size, gfx::FontStyle::Bold, gfx::Unit::Pixel), brush(colour) {}
    gfx::FontFamily family;
    gfx::Font font;
    gfx::SolidBrush brush;

    // The identifier, cut to max_chars (all of it when max_chars is 0), with
    // its top-left corner at (x, y).
    void draw(gfx::Graphics& g, std::string_view ident, std::size_t max_chars, double x, double y) const;
};

// Identifiers are shown with at most six characters (the label buffer's).
inline constexpr std::size_t label_chars = 6;

// The earth vectors of a list's records, kept from frame to frame: a nearby
// list changes seldom, so each record's trigonometry is done once. A kept
// vector is made again when the record at its place is not the one it was
// made from (other bits of latitude or longitude).
struct KeptVector {
    uint64_t lat_bits = 0;
    uint64_t lon_bits = 0;
    EarthVector v;
    bool made = false;
};
// The vectors kept for the list at this address.
std::vector<KeptVector>& kept_vectors_of(const void* list);
inline const EarthVector& kept_vector(std::vector<KeptVector>& kept, int i, double lat, double lon) {
    if (kept.size() <= static_cast<std::size_t>(i)) kept.resize(static_cast<std::size_t>(i) + 1);
    KeptVector& k = kept[static_cast<std::size_t>(i)];
    const uint64_t lat_bits = std::bit_cast<uint64_t>(lat), lon_bits = std::bit_cast<uint64_t>(lon);
    if (!k.made || k.lat_bits != lat_bits || k.lon_bits != lon_bits)
        k = KeptVector{lat_bits, lon_bits, earth_vector(lat, lon), true};
    return k.v;
}

// Calls draw(record, x, y) for every record 1 .. count of the list within
// 2 x range + extra NM of the view's reference, (x, y) its point on the map
// about the projection centre (design units).
template <class List, class Draw>
void for_each_in_reach(const List& list, const MapView& view, double range, double extra, Draw&& draw) {
    const MapProjector projector(view);
    std::vector<KeptVector>& kept = kept_vectors_of(&list);
    for (int i = 1; i <= list.count(); ++i) {
        const NavEntry& e = list.entry(i);
        const MapPlacement p = projector.place(kept_vector(kept, i, e.latitude, e.longitude));
        if (within_map_reach(p.distance, range, extra)) draw(list[i], p.x, p.y);
    }
}

// A cap on the earth about the middle of the visible part of a map that
// holds all of it: the map stretches every distance from its reference, so
// a record outside the cap cannot show, and is passed over before it is
// projected.
struct VisibleCap {
    bool known = false;
    EarthVector centre;
    double cos_radius = 1.0; // of the cap's angular radius
    bool may_hold(const EarthVector& record) const {
        return record.x * centre.x + record.y * centre.y + record.z * centre.z >= cos_radius;
    }
};
// The cap of the visible box (design units about the projection centre).
VisibleCap visible_cap(const MapView& view, const VisibleBox& box);

// A nearby layer on its display's split-scale canvas: the scales, the map's
// view and range, and the map centre on the design canvas. valid is false
// for an element of no size, when nothing may be drawn.
struct LayerCanvas {
    SplitScale k;
    MapView view;
    double range = 0.0;
    DesignSize design;
    double centre_x = 0.0;
    double centre_y = 0.0;
    bool on_canvas = false; // the visible box is known
    VisibleBox visible;
    VisibleCap cap; // known with the visible box
    bool valid = false;
};
// The canvas, with the frame set about the map centre.
LayerCanvas open_layer_canvas(const DisplayObject& display, gfx::Graphics& graphics, DesignSize design,
                              double centre_x, double centre_y, const MapView& view, double range);
// The canvas of a layer drawn in its render pass's frame (no frame set).
LayerCanvas layer_canvas_in_caller_frame(const DisplayObject& display, DesignSize design, const MapView& view,
                                         double range);

// Calls draw(record, xs, ys) for every record of the list within 2 x range
// + extra NM of the canvas's reference, (xs, ys) being the symbol corner
// (x - ox, y - oy) scaled by w and s; on a canvas whose centre is known
// records well outside it are passed over.
template <class List, class Draw>
void for_each_symbol(const List& list, const LayerCanvas& c, double extra, double ox, double oy,
                     Draw&& draw) {
    const MapProjector projector(c.view);
    std::vector<KeptVector>& kept = kept_vectors_of(&list);
    for (int i = 1; i <= list.count(); ++i) {
        const NavEntry& e = list.entry(i);
        const EarthVector& v = kept_vector(kept, i, e.latitude, e.longitude);
        if (c.cap.known && !c.cap.may_hold(v)) continue;
        const MapPlacement p = projector.place(v);
        if (!within_map_reach(p.distance, c.range, extra)) continue;
        if (c.on_canvas && !c.visible.shows(p.x, p.y)) continue;
        draw(list[i], (p.x - ox) * c.k.w, (p.y - oy) * c.k.s);
    }
}

// The HW_B737_ND layers' canvas: about (122, 249), or (122, 171) in modes 6
// and 7, north up about the plan waypoint from mode 7 on.
LayerCanvas hw_b737_nd_layer_canvas(const DisplayObject& display, gfx::Graphics& graphics, double ppn);
// The HW_MD11_ND and MD80_EHSI layers' canvases: about their centre
// globals, north up about the plan waypoint in their plan mode 2.
LayerCanvas hw_md11_nd_layer_canvas(const DisplayObject& display, gfx::Graphics& graphics, double ppn);
LayerCanvas md80_ehsi_layer_canvas(const DisplayObject& display, gfx::Graphics& graphics, double ppn);
// Where a layer puts its symbols and labels: the symbol corner (x - ox,
// y - oy), the label dx right of the corner and dy above it in "Arial" bold
// 10 w of the colour, cut to max_chars; reach 2 x range + extra NM.
struct SymbolPlacement {
    double extra = 50.0;
    double ox = 3.0;
    double oy = 4.0;
    double dx = 7.0;
    double dy = 10.0;
    std::size_t max_chars = label_chars;
    gfx::Argb colour = 0;
};
// symbol(record, xs, ys) draws the symbol, or returns false when the record
// is not shown; the label follows it.
template <class List, class Symbol>
void draw_layer_symbols(gfx::Graphics& g, const LayerCanvas& layer, const List& list,
                        const SymbolPlacement& at, Symbol&& symbol) {
    if (!layer.valid) return;
    const LayerLabel label(static_cast<float>(10.0 * layer.k.w), at.colour);
    for_each_symbol(list, layer, at.extra, at.ox, at.oy, [&](const NavRecordView& r, double xs, double ys) {
        if (!symbol(r, xs, ys)) return;
        label.draw(g, r.ident, at.max_chars, xs + at.dx * layer.k.w, ys - at.dy * layer.k.s);
    });
}
// A record's map symbol: kind (None: the record is not shown) and colour
// selector.
struct LayerSymbol {
    MapSymbol kind = MapSymbol::None;
    int colour = 0;
};
// Each record as the map symbol that symbol_of(record) chooses, at w and s.
template <class List, class SymbolOf>
void draw_layer_map_symbols(gfx::Graphics& g, const LayerCanvas& layer, const List& list,
                            const SymbolPlacement& at, SymbolOf&& symbol_of) {
    draw_layer_symbols(g, layer, list, at, [&](const NavRecordView& r, double xs, double ys) {
        const LayerSymbol sym = symbol_of(r);
        if (sym.kind == MapSymbol::None) return false;
        draw_map_symbol(g, xs, ys, sym.kind, no_symbol_arrow, layer.k.w, layer.k.s, sym.colour, layer.range);
        return true;
    });
}
// Each record as a blue circle 10 w x 10 s, its corner at the symbol corner.
template <class List>
void draw_layer_circles(gfx::Graphics& g, const LayerCanvas& layer, const List& list,
                        const SymbolPlacement& at) {
    const gfx::Pen circle(palette::blue, 4.0f);
    draw_layer_symbols(g, layer, list, at, [&](const NavRecordView&, double xs, double ys) {
        g.draw_ellipse_i(circle, xs, ys, 10.0 * layer.k.w, 10.0 * layer.k.s);
        return true;
    });
}
// The PROLINE4_MFD layers' canvas about its map centre, (123, 155) on the
// flight-plan page 2 (north up) and (123, 220) otherwise, from the given
// position.
LayerCanvas proline4_mfd_layer_canvas(const DisplayObject& display, gfx::Graphics& graphics, double lat,
                                      double lon, double ppn);

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
// The half-scale frame of the P1000 layers with their own units per NM (the
// map radius in frame units over the range): the render pass's figure is in
// design units and would put every record at half its distance.
P1000LayerFrame p1000_layer_frame(const DisplayObject& display, gfx::Graphics& graphics);
// The part of the P1000 map that can show, from the clip in force in the
// layer's half-scale frame: the visible box in design units (frame units
// over w and s, about the frame's origin) and, where w equals s, its cap.
struct P1000LayerCull {
    bool on_canvas = false;
    VisibleBox visible;
    VisibleCap cap;
};
P1000LayerCull p1000_layer_cull(gfx::Graphics& graphics, const P1000LayerFrame& frame);

// Calls draw(record, x, y) for every record of the list within 2 x range +
// extra NM of the frame's reference, (x, y) its point about the projection
// centre in frame units; records whose symbol corner lies well off the
// visible box (see VisibleBox) are passed over, as the clip would take all
// of them away.
template <class List, class Draw>
void for_each_p1000_record(gfx::Graphics& g, const P1000LayerFrame& f, const List& list, double range,
                           double extra, Draw&& draw) {
    const P1000LayerCull cull = p1000_layer_cull(g, f);
    const MapProjector projector(f.view);
    std::vector<KeptVector>& kept = kept_vectors_of(&list);
    for (int i = 1; i <= list.count(); ++i) {
        const NavEntry& e = list.entry(i);
        const EarthVector& v = kept_vector(kept, i, e.latitude, e.longitude);
        if (cull.cap.known && !cull.cap.may_hold(v)) continue;
        const MapPlacement p = projector.place(v);
        if (!within_map_reach(p.distance, range, extra)) continue;
        if (cull.on_canvas && !cull.visible.shows((f.centre_x + p.x) / f.w, (f.centre_y + p.y) / f.s))
            continue;
        draw(list[i], p.x, p.y);
    }
}
// Back to the display's design scale, as the P1000 layers leave it.
void end_p1000_layer(const DisplayObject& display, gfx::Graphics& graphics);
