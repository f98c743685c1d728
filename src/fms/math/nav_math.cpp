#include "fms/math/nav_math.h"

#include "platform/text_file.h"

#include <cmath>

namespace {

constexpr double deg_to_rad = 0.017453292519943295;
constexpr double rad_to_deg = 57.29577951308232;
constexpr double pi = 3.141592653589793;
constexpr double two_pi = 6.283185307179586;

// Rounding can carry a sine or cosine sum just past +-1 (coincident, antipodal
// or polar points); acos and asin would then give NaN.
double clamp_unit(double x) {
    if (x > 1.0) return 1.0;
    if (x < -1.0) return -1.0;
    return x;
}

} // namespace

double floored_mod(double x, double y) {
    return x - std::floor(x / y) * y;
}

void gc_dist_course(double lat1, double lon1, double lat2, double lon2, double* distance, double* course) {
    const double phi1 = lat1 * deg_to_rad, phi2 = lat2 * deg_to_rad;
    const double sin_phi1 = std::sin(phi1), cos_phi1 = std::cos(phi1);
    const double sin_phi2 = std::sin(phi2), cos_phi2 = std::cos(phi2);
    // Not normalised: sin and cos absorb whole turns, so legs across the
    // antimeridian need no special case.
    const double dlon = (lon2 - lon1) * deg_to_rad;
    const double cos_dlon = std::cos(dlon);

    const double cos_sum = cos_phi1 * cos_phi2 * cos_dlon + sin_phi1 * sin_phi2;
    *distance = std::acos(clamp_unit(cos_sum)) * earth_radius_nm;

    const double y = std::sin(dlon) * cos_phi2;
    const double x = cos_phi1 * sin_phi2 - sin_phi1 * cos_phi2 * cos_dlon;
    double c = floored_mod(std::atan2(y, x), two_pi) * rad_to_deg;
    // North is reported as 360, and so is everything that truncates to 0
    // (c is never negative). Compared as a real: an undefined position from
    // a file gives NaN, which no integer conversion may take.
    if (c < 1.0) c = 360.0;
    *course = c;
}

void gc_destination_point(double lat, double lon, double course, double distance, double* out_lat,
                          double* out_lon) {
    if (course == 360.0) course = 0.0;
    const double d = distance * pi / 10800.0;
    const double phi1 = lat * deg_to_rad;
    const double lambda1 = lon * deg_to_rad;
    const double c = course * deg_to_rad;

    const double phi2 =
        std::asin(clamp_unit(std::sin(phi1) * std::cos(d) + std::cos(phi1) * std::sin(d) * std::cos(c)));
    // cos(phi1) taken out of both terms: the usual form divides two round-off
    // noises at a pole and gives any longitude there.
    const double dlambda = std::atan2(
        std::sin(c) * std::sin(d), std::cos(phi1) * std::cos(d) - std::sin(phi1) * std::sin(d) * std::cos(c));
    const double lambda2 = floored_mod(lambda1 + dlambda + pi, two_pi) - pi;

    *out_lat = phi2 * rad_to_deg;
    *out_lon = lambda2 * rad_to_deg;
}

void gc_point_toward(double lat1, double lon1, double lat2, double lon2, double distance, double* out_lat,
                     double* out_lon) {
    const double phi1 = lat1 * deg_to_rad, phi2 = lat2 * deg_to_rad;
    const double dlon = (lon2 - lon1) * deg_to_rad;
    const double y = std::sin(dlon) * std::cos(phi2);
    const double x = std::cos(phi1) * std::sin(phi2) - std::sin(phi1) * std::cos(phi2) * std::cos(dlon);
    gc_destination_point(lat1, lon1, floored_mod(std::atan2(y, x), two_pi) * rad_to_deg, distance, out_lat,
                         out_lon);
}

int course_intersection(double lat1, double lon1, double course1, double lat2, double lon2, double course2,
                        double* out_lat, double* out_lon) {
    if (course1 == 360.0) course1 = 0.0;
    if (course2 == 360.0) course2 = 0.0;

    // The formulas below take longitudes west-positive.
    const double la1 = lat1 * deg_to_rad;
    const double lo1 = -lon1 * deg_to_rad;
    const double la2 = lat2 * deg_to_rad;
    const double lo2 = -lon2 * deg_to_rad;
    const double c13 = course1 * deg_to_rad;
    const double c23 = course2 * deg_to_rad;

    const double s_lat = std::sin((la1 - la2) / 2.0);
    const double s_lon = std::sin((lo1 - lo2) / 2.0);
    const double d12 =
        2.0 * std::asin(clamp_unit(std::sqrt(s_lat * s_lat + std::cos(la1) * std::cos(la2) * s_lon * s_lon)));

    // Coincident points or a point at a pole give 0/0 here; the NaN falls
    // through to the -99 test below.
    double crs12 = std::acos(
        clamp_unit((std::sin(la2) - std::sin(la1) * std::cos(d12)) / (std::sin(d12) * std::cos(la1))));
    if (!(std::sin(lo2 - lo1) < 0.0)) crs12 = two_pi - crs12;
    double crs21 = std::acos(
        clamp_unit((std::sin(la1) - std::sin(la2) * std::cos(d12)) / (std::sin(d12) * std::cos(la2))));
    if (!(std::sin(lo1 - lo2) < 0.0)) crs21 = two_pi - crs21;

    // Floored, not truncated: the sums can be negative.
    double ang1 = floored_mod(c13 - crs12 + pi, two_pi) - pi;
    double ang2 = floored_mod(crs21 - c23 + pi, two_pi) - pi;

    // Opposite signs: the circles cross ahead of one point and behind the
    // other. Written so that a NaN also fails.
    if (!(std::sin(ang1) * std::sin(ang2) > std::sqrt(1.0e-15))) return -99;

    // Both angles negative is the same triangle mirrored across the line
    // between the points; the distance to the crossing is still positive.
    ang1 = std::fabs(ang1);
    ang2 = std::fabs(ang2);
    const double ang3 = std::acos(
        clamp_unit(std::sin(ang1) * std::sin(ang2) * std::cos(d12) - std::cos(ang1) * std::cos(ang2)));
    // atan2 rather than asin: a crossing more than a quarter turn away
    // (distance or longitude) would otherwise fold back.
    const double d13 = std::atan2(std::sin(d12) * std::sin(ang1) * std::sin(ang2),
                                  std::cos(ang2) + std::cos(ang1) * std::cos(ang3));
    const double la3 =
        std::asin(clamp_unit(std::sin(la1) * std::cos(d13) + std::cos(la1) * std::sin(d13) * std::cos(c13)));
    const double dlon = std::atan2(std::sin(c13) * std::sin(d13) * std::cos(la1),
                                   std::cos(d13) - std::sin(la1) * std::sin(la3));
    const double lo3 = floored_mod(lo1 - dlon + pi, two_pi) - pi;

    *out_lat = la3 * rad_to_deg;
    *out_lon = -lo3 * rad_to_deg;
    return 0;
}

void turn_arc_geometry(double reference, double bearing, double centre_x, double centre_y, double radius,
                       double* out_x, double* out_y) {
    double diff;
    bool right;
    if (reference > bearing) {
        diff = reference - bearing;
        right = false;
        if (diff > 180.0) {
            diff = 360.0 - reference + bearing;
            right = true;
        }
    } else {
        diff = bearing - reference;
        right = true;
        if (diff > 180.0) {
            diff = 360.0 - bearing + reference;
            right = false;
        }
    }

    // Fold about the horizontal axis for points behind the up direction.
    const double a = diff >= 91.0 ? 180.0 - diff : diff;
    const double dx = std::fabs(std::sin(a * deg_to_rad) * radius);
    const double dy = std::fabs(std::cos(a * deg_to_rad) * radius);

    *out_y = diff <= 90.0 ? centre_y - dy : centre_y + dy;
    *out_x = right ? centre_x + dx : centre_x - dx;
}

void turn_arc_geometry_i(double reference, double bearing, int32_t centre_x, int32_t centre_y, double radius,
                         int32_t* out_x, int32_t* out_y) {
    double x = 0.0;
    double y = 0.0;
    turn_arc_geometry(reference, bearing, centre_x, centre_y, radius, &x, &y);
    // Saturating: a huge radius must not make the conversion undefined.
    *out_x = saturate_to_int(x);
    *out_y = saturate_to_int(y);
}

double isa_inverse_pressure_ratio(double altitude_ft) {
    if (altitude_ft > 140000.0) return 0.0;
    return std::pow(1.0 - altitude_ft * 3.566 / 518670.0, -5.2563);
}

float dms_to_degrees(int32_t degrees, int32_t minutes, int32_t seconds) {
    const float s = std::fabs(static_cast<float>(seconds) / 3600.0f);
    const float m = std::fabs(static_cast<float>(minutes) / 60.0f);
    const float d = std::fabs(static_cast<float>(degrees));
    const float value = (s + m) + d;
    const bool negative =
        degrees < 0 || (degrees == 0 && minutes < 0) || (degrees == 0 && minutes == 0 && seconds < 0);
    return negative ? -value : value;
}
