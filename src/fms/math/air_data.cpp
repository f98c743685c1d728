#include "fms/math/air_data.h"

#include <cmath>

double toc_outside_air_temp = -30.0;
double speed_trend = 0.0;
double speed_trend_history[16] = {};

namespace {

// 38.967854 * sqrt(T in kelvin) is the speed of sound in knots.
double speed_of_sound_kt() {
    return 38.967854 * std::sqrt(toc_outside_air_temp + 273.15);
}

} // namespace

double ias_to_tas(double ias, double altitude_ft) {
    return ias * 0.019 * (altitude_ft / 1000.0) + ias;
}

double tas_to_ias(double tas, double altitude_ft) {
    return tas / (altitude_ft / 1000.0 * 1.9 + 100.0) * 100.0;
}

double ias_to_mach(double ias, double altitude_ft) {
    return (ias * 0.019 * altitude_ft / 1000.0 + ias) / speed_of_sound_kt();
}

double mach_to_ias(double mach, double* tas_out) {
    const double tas = speed_of_sound_kt() * mach;
    *tas_out = tas;
    return tas_to_ias(tas, 38000.0);
}

void update_speed_trend(double smoothed_speed) {
    double sum = 0.0;
    for (int i = 0; i < 15; ++i)
        sum += speed_trend_history[i] - speed_trend_history[i + 1];
    // Divided by 14, not 15, as the readers of the trend expect.
    speed_trend = sum / 14.0;
    for (int i = 15; i > 0; --i)
        speed_trend_history[i] = speed_trend_history[i - 1];
    speed_trend_history[0] = smoothed_speed;
}
