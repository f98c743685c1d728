#include "cdu_smiths/cdu_modification.h"

#include "fms/plan/route_state.h"

void cdu_mark_modified() {
    if (route_state == kRouteStateActive) advance_route_state();
}
