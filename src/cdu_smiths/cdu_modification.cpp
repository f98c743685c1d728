#include "cdu_smiths/cdu_modification.h"

#include "fms/plan/route_state.h"

namespace {

bool route_is_active() {
    return route_state == kRouteStateActive || route_state == kRouteStateActiveModified;
}

} // namespace

void cdu_keep_executed(double& previous, double current, double nothing) {
    if (route_is_active() && previous == nothing) previous = current;
}

void cdu_keep_executed(int& previous, int current, int nothing) {
    if (route_is_active() && previous == nothing) previous = current;
}

void cdu_mark_modified() {
    if (route_state == kRouteStateActive) advance_route_state();
}
