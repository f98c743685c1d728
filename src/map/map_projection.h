// Map geometry shared by the map displays: the split-scale frame, the point a
// map measures from, and the projection of a position onto the map.
#pragma once

#include <span>

struct DisplayObject;
namespace gfx {
class Graphics;
}

// Split-scale frame of a design canvas: the world transform takes only
// (W / (W + H), H / (W + H)) and design coordinates are multiplied by w and s,
// so positions follow the canvas while pens and fonts follow the element.
// An element of no size has no frame (valid false): nothing may be drawn.
struct SplitScale {
    double frame_x = 0.0; // W / (W + H)
    double frame_y = 0.0; // H / (W + H)
    double w = 0.0;       // (W / design width, single precision) / frame_x
    double s = 0.0;       // (H / design height, single precision) / frame_y
    bool valid = false;
};
SplitScale split_scale(const DisplayObject& display, double design_width, double design_height);

// Reset, scale by (frame_x, frame_y) and translate to the design point
// (centre_x, centre_y).
void set_split_frame(gfx::Graphics& graphics, const SplitScale& scale, double centre_x, double centre_y);

// Reset and scale by the element's pixel size over the design size, then
// translate to the design point: the design frame of the render passes.
void set_design_frame(gfx::Graphics& graphics, const DisplayObject& display, float design_width,
                      float design_height, float centre_x, float centre_y);

// Where a map measures from and how it turns: the reference position, the
// heading that points up, and design units per NM.
struct MapView {
    double ref_lat = 0.0;
    double ref_lon = 0.0;
    double heading = 0.0;
    double ppn = 0.0;
};

// Great-circle distance (NM) of the position from the view's reference and
// its point (x, y) about the map centre, in design units (MapProjector's).
struct MapPlacement {
    double distance = 0.0;
    double x = 0.0;
    double y = 0.0;
};
MapPlacement place_on_map(const MapView& view, double lat, double lon);

// A position as a unit vector from the earth's centre (x towards 0E on the
// equator, z towards the north pole).
struct EarthVector {
    double x = 0.0, y = 0.0, z = 0.0;
};
EarthVector earth_vector(double lat, double lon);

// The map's projection: the point at the great-circle distance (times the
// view's units per NM) along the great-circle course turned by the view's
// heading, as gc_dist_course and turn_arc_geometry give it (to rounding; a
// course below 1 degree reads as north there too). Each point's trigonometry
// is done once, as its earth vector; a point then costs three dot products,
// a square root and a short series (an arc cosine far out).
class MapProjector {
  public:
    explicit MapProjector(const MapView& view);
    MapPlacement place(const EarthVector& point) const;
    // What place() gives each of `points`, in `out` (as many): the near side
    // worked for all of them side by side, then the points far out or due
    // north of the reference again one by one.
    void place_all(std::span<const EarthVector> points, MapPlacement* out) const;

  private:
    EarthVector east_, north_, up_; // the reference's local frame
    double sin_heading_ = 0.0, cos_heading_ = 1.0;
    double ppn_ = 0.0;
};

// The active-plan entry a plan format centres on: the entry at
// smiths_legs_map_step while that is a waypoint of the plan (1 .. last), else
// the TO waypoint; -1 without an active route or with a TO index outside the
// plan, when the map measures from the aircraft.
int plan_centre_index();

// Design units per NM: radius / range, or 0 for a range that is not a
// positive number (a map that cannot be scaled draws nothing).
double units_per_nm(double radius, double range);

// A position on the earth, and the one that lies nm along a true course
// from it (the course taken modulo 360).
struct MapPosition {
    double lat = 0.0;
    double lon = 0.0;
};
MapPosition map_position_ahead(MapPosition from, double true_course, double nm);

// Where the P1000_MFD's map is measured from: the aircraft, or in its
// north-up format the TO waypoint on which it is centred.
MapPosition p1000_map_reference();
