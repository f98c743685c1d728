#include "fms/math/heading_math.h"

#include "platform/text_file.h"

#include <cmath>

int heading_difference(double a, double b) {
    double diff;
    if (b > a)
        diff = b - a <= 180.0 ? b - a : 360.0 - b + a;
    else
        diff = a - b <= 180.0 ? a - b : 360.0 - a + b;
    return saturate_to_whole(diff);
}

int heading_difference_dir(double a, double b, int* direction, int* difference) {
    int dir;
    double diff;
    if (a > b) {
        if (a - b <= 180.0) {
            dir = 1;
            diff = a - b;
        } else {
            dir = 2;
            diff = 360.0 - a + b;
        }
    } else {
        if (b - a <= 180.0) {
            dir = 2;
            diff = b - a;
        } else {
            dir = 1;
            diff = 360.0 - b + a;
        }
    }
    *direction = dir;
    *difference = saturate_to_whole(diff);
    return dir;
}

int turn_direction(double a, double b) {
    if (b > a) return b - a <= 180.0 ? 1 : 2;
    return a - b <= 180.0 ? 2 : 1;
}

double fold_degrees_180(double degrees) {
    if (!std::isfinite(degrees)) return 0.0;
    double r = std::fmod(degrees, 360.0); // (-360, 360)
    if (r > 180.0) r -= 360.0;
    if (r <= -180.0) r += 360.0;
    return r;
}

double fold_degrees_360(double degrees) {
    if (!std::isfinite(degrees)) return 360.0;
    double r = std::fmod(degrees, 360.0);
    if (r <= 0.0) r += 360.0;
    return r;
}

double magnetic_direction(double true_deg, double magvar) {
    double d = true_deg - magvar;
    if (d < 0.5)
        d += 360.0;
    else if (d >= 360.0)
        d -= 360.0;
    return d;
}

bool bearing_is_to(double bearing, double course) {
    return std::fabs(fold_degrees_180(bearing - course)) < 90.0;
}

int heading_bug_value(double command, int sent) {
    const int whole = saturate_to_whole(command);
    if (sent < 0 || sent > 360 || whole == sent || !std::isfinite(command)) return whole;
    return std::fmod(std::fabs(std::round(command) - sent), 360.0) == 0.0 ? sent : whole;
}
