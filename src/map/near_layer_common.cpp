#include "map/near_layer_common.h"

#include "data/nearby_lists.h"
#include "fms/nav_math.h"
#include "fms/route_plan.h"
#include "map/map_projection.h"
#include "nd/display_settings.h"
#include "sim/aircraft_state.h"

namespace {

// A list never built counts as far away.
double distance_from(double lat, double lon, const ListCentre& centre) {
    if (centre.latitude == -999.0) return 1e9;
    double d = 0.0, course = 0.0;
    gc_dist_course(lat, lon, centre.latitude, centre.longitude, &d, &course);
    return d;
}

void refresh(double lat, double lon, const ListCentre& wide_centre, void (*build_wide)(double, double),
             const ListCentre& close_centre, void (*build_close)(double, double)) {
    if (distance_from(lat, lon, wide_centre) > 200.0) build_wide(lat, lon);
    if (distance_from(lat, lon, close_centre) > 50.0) build_close(lat, lon);
}

} // namespace

void refresh_navaid_lists(double lat, double lon) {
    refresh(lat, lon, near_navaids_centre, build_near_navaids, local_navaids_centre, build_local_navaids);
}

void refresh_airway_fix_lists(double lat, double lon) {
    refresh(lat, lon, near_airway_fixes_centre, build_near_airway_fixes, local_airway_fixes_centre,
            build_local_airway_fixes);
}

void refresh_airport_lists(double lat, double lon) {
    refresh(lat, lon, near_airports_centre, build_near_airports, close_airports_centre, build_close_airports);
}

void LayerLabel::draw(gfx::Graphics& g, const std::string& ident, std::size_t max_chars, double x,
                      double y) const {
    const std::string_view text =
        max_chars > 0 && ident.size() > max_chars ? std::string_view(ident).substr(0, max_chars) : ident;
    g.draw_string(text, font, brush, gfx::PointF{static_cast<float>(x), static_cast<float>(y)});
}

MapView hw_b737_nd_layer_view(double ppn) {
    const AircraftState& a = aircraft_state;
    MapView view{a.plat, a.plon, a.map_heading_deg, ppn};
    if (hw_b737_nd_mode >= 7) {
        view.heading = 0.0;
        const int centre = plan_centre_index();
        if (centre >= 0) {
            view.ref_lat = active_plan[centre].lat;
            view.ref_lon = active_plan[centre].lon;
        }
    }
    return view;
}

double hw_b737_nd_layer_centre_y() {
    return hw_b737_nd_mode == 6 || hw_b737_nd_mode == 7 ? 171.0 : 249.0;
}
