// The math room of the core: spherical-earth navigation (great circles,
// intersections, turn arcs), heading differences, magnetic variation, dates,
// position texts and the airspeed conversions. Plain functions of their
// arguments (the speed trend excepted); nothing here reads a plan or a page.
//
// Spherical-earth navigation and display geometry: great-circle distance and
// course, destination point, course intersection, angle wrapping, bearing
// placement around a display centre, and two small conversions.
// Angles are degrees (north and east positive), distances nautical miles.
// Every routine is pure, reentrant and allocation-free.
#pragma once

#include <cstdint>

// Earth radius in NM: 10800 / pi, so one minute of arc is one nautical mile.
inline constexpr double earth_radius_nm = 3437.7467707849396;

inline constexpr double radians(double deg) {
    return deg * 0.017453292519943295;
}
inline constexpr double degrees(double rad) {
    return rad * 57.29577951308232;
}

// x - floor(x / y) * y: a remainder that takes the sign of y.
double floored_mod(double x, double y);

// Great-circle distance (NM) and initial true course (degrees) from point 1 to
// point 2. The course lies in [1, 360]: every course below 1.0 is reported as
// 360.0, so north is always 360, never 0. Identical points give 0 NM, 360.
void gc_dist_course(double lat1, double lon1, double lat2, double lon2, double* distance, double* course);

// The point reached from (lat, lon) along the great circle with the given
// initial true course after the given distance. The longitude comes back in
// [-180, 180).
void gc_destination_point(double lat, double lon, double course, double distance, double* out_lat,
                          double* out_lon);

// The point `distance` NM from point 1 along the great circle through point
// 2 (past it when the distance is longer, behind point 1 when negative). The
// course is taken unrounded, so the point lies on that great circle even
// when the course is a hair either side of north, where gc_dist_course
// reports 360. Identical points give the point due north.
void gc_point_toward(double lat1, double lon1, double lat2, double lon2, double distance, double* out_lat,
                     double* out_lon);

// The same routine under the name its other callers use.
inline void great_circle_destination(double lat, double lon, double course, double distance, double* out_lat,
                                     double* out_lon) {
    gc_destination_point(lat, lon, course, distance, out_lat, out_lon);
}

// Crossing of the great circle from point 1 on true course 1 with the one from
// point 2 on course 2: the crossing that lies ahead of both points. Returns 0
// with it written, or -99 (outputs untouched) when the courses lie on one great
// circle, are parallel, or cross ahead of one point but behind the other.
// Courses of 360 and 0 are alike.
int course_intersection(double lat1, double lon1, double course1, double lat2, double lon2, double course2,
                        double* out_lat, double* out_lon);

// The same routine under the name its other callers use.
inline int intersect_great_circles(double lat1, double lon1, double course1, double lat2, double lon2,
                                   double course2, double* out_lat, double* out_lon) {
    return course_intersection(lat1, lon1, course1, lat2, lon2, course2, out_lat, out_lon);
}

// Where a point at `bearing`, `radius` pixels from the centre, lands on a
// display whose up direction is `reference` (screen y grows downward).
void turn_arc_geometry(double reference, double bearing, double centre_x, double centre_y, double radius,
                       double* out_x, double* out_y);
// Integer-pixel variant: the result is truncated toward zero.
void turn_arc_geometry_i(double reference, double bearing, int32_t centre_x, int32_t centre_y, double radius,
                         int32_t* out_x, int32_t* out_y);

// Reciprocal of the ISA pressure ratio at an altitude in feet; 0 above
// 140000 ft.
double isa_inverse_pressure_ratio(double altitude_ft);

// Degrees, minutes, seconds to signed decimal degrees (single precision). The
// sign is taken from the first non-zero part.
float dms_to_degrees(int32_t degrees, int32_t minutes, int32_t seconds);
