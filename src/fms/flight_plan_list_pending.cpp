// PENDING: stands in for the flight-plan folder list until the route-file
// unit arrives; delete this file then. It lists nothing, so the callbacks
// list the folder again on every PRE_INITIALIZE, as they do for an empty one.
#include "fms/flight_plan_list.h"

#include "fms/stored_routes.h"

void list_flight_plans() {
    stored_routes.clear();
}
