#include "fms/plan/route_exec.h"

#include "fms/plan/holds.h"
#include "fms/plan/route_state.h"

int departure_runway_changed = 0;
std::string origin_airport_ident;
std::string destination_airport_ident;
std::string loaded_origin_ident;
std::string loaded_destination_ident;
std::string approach_info;
int working_plan_new = 0;

void keep_executed_performance() {
    if (executed_performance_kept) return;
    if (route_state != kRouteStateActive && route_state != kRouteStateActiveModified) return;
    executed_performance = performance_values;
    executed_performance_kept = true;
}

void restore_executed_performance() {
    if (executed_performance_kept) performance_values = executed_performance;
    forget_executed_performance();
}

void forget_executed_performance() {
    executed_performance = kNoPerformanceKept;
    executed_performance_kept = false;
}

void working_plan_replaced() {
    working_plan_new = 1;
    drop_working_holds();
}
