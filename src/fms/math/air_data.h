// The module's simple airspeed conversions (about 1.9 to 2 percent per
// 1000 ft, not a standard-atmosphere model) and the speed trend.
#pragma once

// Outside air temperature at the top of climb, degrees C; the PERF INIT pages
// set it. The Mach conversions take the speed of sound from it.
extern double toc_outside_air_temp;

// Speed trend in kt per sample and its history of smoothed speeds, element 0
// the newest.
extern double speed_trend;
extern double speed_trend_history[16];

double ias_to_tas(double ias, double altitude_ft);
double tas_to_ias(double tas, double altitude_ft);
double ias_to_mach(double ias, double altitude_ft);

// Mach to IAS at 38000 ft with the speed of sound at toc_outside_air_temp;
// the true airspeed goes to *tas_out.
double mach_to_ias(double mach, double* tas_out);

// Once per update pass with the smoothed speed of this pass: the trend is
// taken over the history as it stood, then the new sample is pushed in.
void update_speed_trend(double smoothed_speed);
