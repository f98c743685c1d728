#include "fms/plan/route_exec.h"

#include "fms/plan/holds.h"

int departure_runway_changed = 0;
std::string origin_airport_ident;
std::string destination_airport_ident;
std::string loaded_origin_ident;
std::string loaded_destination_ident;
std::string approach_info;
double previous_climb_speed = 0.0, previous_climb_mach = 0.0;
double previous_cruise_speed = 0.0, previous_cruise_mach = 0.0;
double previous_descent_speed = 0.0, previous_descent_mach = 0.0;
int previous_cruise_altitude = 0;
int previous_cost_index = -1;
int legs_edit_index = 0;
int working_plan_new = 0;

void working_plan_replaced() {
    working_plan_new = 1;
    drop_working_holds();
}
