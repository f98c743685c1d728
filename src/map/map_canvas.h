// The map canvas that the map displays share: the design sizes of their
// canvases, the split-scale frame with the map's view, the lines, texts and
// waypoint stars drawn in it, and the chosen runways' lines.
#pragma once

#include "map/map_projection.h"
#include "platform/gfx.h"

#include <string>

struct DisplayObject;

// A display's design canvas, in design units.
struct DesignSize {
    double width = 0.0;
    double height = 0.0;
};
inline constexpr DesignSize hw_b737_nd_design{244.0, 302.0};
inline constexpr DesignSize hw_md11_nd_design{240.0, 258.0};
inline constexpr DesignSize md80_ehsi_design{266.0, 232.0};
inline constexpr DesignSize proline4_mfd_design{247.0, 285.0};
inline constexpr DesignSize du_1000_ehsi_design{318.0, 310.0};
inline constexpr DesignSize p1000_mfd_design{272.0, 314.0};
inline constexpr DesignSize efs50_ehsi_design{266.0, 230.0};
inline constexpr DesignSize c17_mfd_design{246.0, 241.0};

SplitScale split_scale(const DisplayObject& display, DesignSize design);
void set_design_frame(gfx::Graphics& graphics, const DisplayObject& display, DesignSize design,
                      double centre_x, double centre_y);

// The map of a display with a north-up plan format: in it, north up about
// the plan waypoint (plan_centre_index), or about the aircraft while no
// route is active; otherwise the aircraft with the given heading.
MapView plan_or_aircraft_view(bool plan_format, double heading, double ppn);

// A map in its split-scale frame, whose origin the caller has put at the
// map centre: design offsets from the centre are multiplied by w and s and
// truncated by the integer calls; pens are 2 s wide.
struct MapCanvas {
    gfx::Graphics& g;
    MapView view;
    SplitScale k;
    double range;
    gfx::FontFamily family;
    gfx::Font font; // the label font, its size in design units times s

    MapCanvas(gfx::Graphics& graphics, const MapView& v, const SplitScale& scale, double range_nm,
              const char* font_family, double font_size);

    gfx::Pen pen(gfx::Argb colour, bool dashed = false) const;
    MapPlacement place(MapPosition p) const { return place_on_map(view, p.lat, p.lon); }
    void line(const gfx::Pen& p, double x1, double y1, double x2, double y2);
    void line(const gfx::Pen& p, MapPosition a, MapPosition b);
    // A text with its top-left corner at the design point.
    void text(const std::string& s, gfx::Argb colour, double x, double y);
    // The waypoint star (symbol kind 20), drawn 6 units above the point.
    void star(double x, double y, int selector);
};

// A chosen runway: threshold, true heading and length (feet / 5280, taken as NM).
struct RunwayLines {
    MapPosition threshold;
    double heading = 0.0;
    double length = 0.0;
};
// The slot's runway `index` when it is one of its runways and its threshold
// lies within 100 NM of the map's reference.
bool chosen_runway_in_reach(const MapCanvas& m, int slot, int index, RunwayLines* out);
// The extended centreline, 18 NM on from 0.7 lengths ahead of the threshold
// (ahead) or from 0.2 lengths behind it (behind).
void draw_centreline_ahead(MapCanvas& m, const RunwayLines& r, const gfx::Pen& pen);
void draw_centreline_behind(MapCanvas& m, const RunwayLines& r, const gfx::Pen& pen);
// The runway's two sides, half a mile either side of the centreline.
void draw_runway_sides(MapCanvas& m, const RunwayLines& r, const gfx::Pen& pen);
