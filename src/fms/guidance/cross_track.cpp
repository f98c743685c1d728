#include "fms/guidance/cross_track.h"

#include "fms/guidance/lateral_guidance.h"
#include "fms/math/nav_math.h"
#include "fms/plan/route_plan.h"
#include "sim/aircraft_state.h"

void leg_course_and_distance(int* bearing_side, double* bearing_offset, int* xtk_side, double* xtk_distance,
                             int* heading_side, double* heading_offset, int mode) {
    const int to = to_waypoint_index;
    // The leg starts at the entry before the TO waypoint, so TO 0 has none.
    if (to < 1 || to > active_plan_last) {
        *xtk_distance = -99.0;
        return;
    }
    const AircraftState& a = aircraft_state;
    const RouteWaypoint& fix = active_plan[to];
    double distance = 0.0;
    double bearing = 0.0;
    gc_dist_course(a.plat, a.plon, fix.lat, fix.lon, &distance, &bearing);

    const GeoPosition start = active_leg_start();
    double leg_true = 0.0;
    gc_dist_course(start.lat, start.lon, fix.lat, fix.lon, &distance, &leg_true);
    double leg_magnetic = leg_true - a.magvar;
    if (leg_magnetic < 0.5) leg_magnetic += 360.0;

    // The point abeam the aircraft on the leg, and from it the aircraft. On
    // the great circle to the TO: the leg's course reads 360 for any course
    // below 1 degree.
    GeoPosition abeam;
    gc_point_toward(start.lat, start.lon, fix.lat, fix.lon, leg_distance_nm - distance_to_to_nm, &abeam.lat,
                    &abeam.lon);
    double off = 0.0;
    double off_course = 0.0;
    gc_dist_course(abeam.lat, abeam.lon, a.plat, a.plon, &off, &off_course);
    const double limit = mode == kCrossTrackModeWide ? 125.0 : 5.0;
    *xtk_distance = off < limit ? off : limit;

    const double h = a.heading_deg;
    if (h <= leg_magnetic) {
        *heading_offset = leg_magnetic - h;
        *heading_side = leg_magnetic - h <= 180.0 ? 2 : 1;
    } else {
        *heading_offset = h - leg_magnetic;
        *heading_side = h - leg_magnetic > 180.0 ? 2 : 1;
    }
    if (bearing <= leg_true) {
        *bearing_offset = leg_true - bearing;
        *bearing_side = leg_true - bearing <= 180.0 ? 2 : 1;
    } else {
        *bearing_offset = bearing - leg_true;
        *bearing_side = bearing - leg_true > 180.0 ? 2 : 1;
    }
    if (leg_true < off_course)
        *xtk_side = off_course - leg_true > 180.0 ? 2 : 1;
    else
        *xtk_side = leg_true - off_course <= 180.0 ? 2 : 1;
}
