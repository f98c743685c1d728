// PENDING: copies of the air-data conversions and speed targets so that the
// loaders link before the flight-management maths arrive; delete this file
// when fms/air_data.cpp and fms/speed_targets.cpp are merged.
#include "fms/air_data.h"
#include "fms/speed_targets.h"
#include "platform/text_file.h"

#include <cmath>

double toc_outside_air_temp = -30.0;

int cost_index = -1;
int climb_speed_target = 220;
int cruise_speed_target = 250;
int descent_speed_target = 220;
int climb_speed_base = 220;
int cruise_speed_base = 250;
int descent_speed_base = 220;
double ClimbIasMin = 180.0;
double ClimbIasMax = 250.0;
double CruiseIasMin = 230.0;
double CruiseIasMax = 280.0;
double DescentIasMin = 180.0;
double DescentIasMax = 250.0;

double ias_to_tas(double ias, double altitude_ft) {
    return ias * 0.019 * (altitude_ft / 1000.0) + ias;
}

double tas_to_ias(double tas, double altitude_ft) {
    return tas / (altitude_ft / 1000.0 * 1.9 + 100.0) * 100.0;
}

double ias_to_mach(double ias, double altitude_ft) {
    return (ias * 0.019 * altitude_ft / 1000.0 + ias) /
           (38.967854 * std::sqrt(toc_outside_air_temp + 273.15));
}

namespace {
int cost_index_speed(double minimum, double maximum) {
    return saturate_to_int((maximum - minimum) / 200.0 * cost_index + minimum);
}
} // namespace

void apply_cost_index() {
    if (cost_index < 0) return;
    if (climb_speed_target == climb_speed_base)
        climb_speed_target = cost_index_speed(ClimbIasMin, ClimbIasMax);
    if (cruise_speed_target == cruise_speed_base)
        cruise_speed_target = cost_index_speed(CruiseIasMin, CruiseIasMax);
    if (descent_speed_target == descent_speed_base)
        descent_speed_target = cost_index_speed(DescentIasMin, DescentIasMax);
}
