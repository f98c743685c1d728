#include "map/map_canvas.h"

#include "data/airport_procedures.h"
#include "fms/plan/route_plan.h"
#include "map/render_frame.h"
#include "map/symbol_painter.h"
#include "sim/aircraft_state.h"

SplitScale split_scale(const DisplayObject& display, DesignSize design) {
    return split_scale(display, design.width, design.height);
}

void set_design_frame(gfx::Graphics& g, const DisplayObject& display, DesignSize design, double centre_x,
                      double centre_y) {
    set_design_frame(g, display, static_cast<float>(design.width), static_cast<float>(design.height),
                     static_cast<float>(centre_x), static_cast<float>(centre_y));
}

MapView plan_or_aircraft_view(bool plan_format, double heading, double ppn) {
    const AircraftState& a = aircraft_state;
    MapView view{a.plat, a.plon, heading, ppn};
    if (plan_format) {
        view.heading = 0.0;
        const int centre = plan_centre_index();
        if (centre >= 0) {
            view.ref_lat = active_plan[centre].lat;
            view.ref_lon = active_plan[centre].lon;
        }
    }
    return view;
}

MapCanvas::MapCanvas(gfx::Graphics& graphics, const MapView& v, const SplitScale& scale, double range_nm,
                     const char* font_family, double font_size)
    : g(graphics), view(v), k(scale), range(range_nm), family(font_family),
      font(family, static_cast<float>(font_size * scale.s), gfx::FontStyle::Bold, gfx::Unit::Pixel) {}

gfx::Pen MapCanvas::pen(gfx::Argb colour, bool dashed) const {
    gfx::Pen p(colour, static_cast<float>(2.0 * k.s));
    if (dashed) p.dash_style = gfx::DashStyle::Dash;
    return p;
}

void MapCanvas::line(const gfx::Pen& p, double x1, double y1, double x2, double y2) {
    g.draw_line_i(p, x1 * k.w, y1 * k.s, x2 * k.w, y2 * k.s);
}

void MapCanvas::line(const gfx::Pen& p, MapPosition a, MapPosition b) {
    const MapPlacement pa = place(a);
    const MapPlacement pb = place(b);
    line(p, pa.x, pa.y, pb.x, pb.y);
}

void MapCanvas::text(const std::string& s, gfx::Argb colour, double x, double y) {
    g.draw_string(s, font, gfx::SolidBrush(colour),
                  gfx::PointF{static_cast<float>(x * k.w), static_cast<float>(y * k.s)});
}

void MapCanvas::star(double x, double y, int selector) {
    draw_map_symbol(g, x * k.w, (y - 6.0) * k.s, MapSymbol::Waypoint, no_symbol_arrow, k.w, k.s, selector,
                    range);
}

bool chosen_runway_in_reach(const MapCanvas& m, int slot, int index, RunwayLines* out) {
    const AirportProcedures& airport = airport_slots[slot];
    if (index <= 0 || index > airport.runways.count()) return false;
    const AirportRunway& r = airport.runways[index];
    out->threshold = MapPosition{r.latitude, r.longitude};
    if (!(m.place(out->threshold).distance < 100.0)) return false;
    out->heading = r.magnetic_heading + aircraft_state.magvar;
    out->length = r.length_ft / 5280.0;
    return true;
}

void draw_centreline_ahead(MapCanvas& m, const RunwayLines& r, const gfx::Pen& pen) {
    const MapPosition start = map_position_ahead(r.threshold, r.heading, 0.7 * r.length);
    m.line(pen, start, map_position_ahead(start, r.heading, 18.0));
}

void draw_centreline_behind(MapCanvas& m, const RunwayLines& r, const gfx::Pen& pen) {
    const MapPosition start = map_position_ahead(r.threshold, r.heading - 180.0, 0.2 * r.length);
    m.line(pen, start, map_position_ahead(start, r.heading - 180.0, 18.0));
}

void draw_runway_sides(MapCanvas& m, const RunwayLines& r, const gfx::Pen& pen) {
    for (const double side : {-90.0, 90.0}) {
        const MapPosition start = map_position_ahead(r.threshold, r.heading + side, 0.5);
        m.line(pen, start, map_position_ahead(start, r.heading, r.length));
    }
}
