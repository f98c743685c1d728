#include "map/c17_map_view.h"

#include "data/c17_mfd_state.h"
#include "fms/plan/plan_legs.h"
#include "fms/plan/route_plan.h"
#include "fms/units/cdu_text.h"
#include "sim/aircraft_state.h"

int c17_plan_centre_index() {
    const int step = smiths_legs_map_step;
    if (to_waypoint_index == kNoToWaypoint || step < 0 || step > active_plan_last) return -1;
    // An entry not flown has no place of its own: the place before it.
    return place_at_or_before(active_plan, step);
}

MapView c17_map_view(double ppn) {
    const AircraftState& a = aircraft_state;
    if (c17_mfd_format != kC17FormatPlan) return MapView{a.plat, a.plon, a.map_heading_deg, ppn};
    MapView view{a.plat, a.plon, 0.0, ppn};
    const int centre = c17_plan_centre_index();
    if (centre >= 0) {
        view.ref_lat = active_plan[centre].lat;
        view.ref_lon = active_plan[centre].lon;
    }
    return view;
}

double c17_radial_reference() {
    return c17_mfd_format == kC17FormatPlan ? 0.0 : aircraft_state.heading_deg;
}
