#include "fms/perf/speed_targets.h"

#include "platform/text_file.h"

int climb_speed_base = 220;
int cruise_speed_base = 250;
int descent_speed_base = 220;
int climb_speed_by_cost_index = -1;
int cruise_speed_by_cost_index = -1;
int descent_speed_by_cost_index = -1;

double ClimbIasMin = 180.0;
double ClimbIasMax = 250.0;
double CruiseIasMin = 230.0;
double CruiseIasMax = 280.0;
double DescentIasMin = 180.0;
double DescentIasMax = 250.0;

namespace {

int cost_index_speed(double minimum, double maximum) {
    return saturate_to_whole((maximum - minimum) / 200.0 * cost_index + minimum);
}

// A pilot's own speed stays; one the cost index set follows it.
void follow_cost_index(int& target, int base, int& given, double minimum, double maximum) {
    if (target != base && target != given) return;
    target = given = cost_index_speed(minimum, maximum);
}

} // namespace

void apply_cost_index() {
    if (cost_index < 0) return;
    follow_cost_index(climb_speed_target, climb_speed_base, climb_speed_by_cost_index, ClimbIasMin,
                      ClimbIasMax);
    follow_cost_index(cruise_speed_target, cruise_speed_base, cruise_speed_by_cost_index, CruiseIasMin,
                      CruiseIasMax);
    follow_cost_index(descent_speed_target, descent_speed_base, descent_speed_by_cost_index, DescentIasMin,
                      DescentIasMax);
}
