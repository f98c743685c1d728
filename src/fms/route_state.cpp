#include "fms/route_state.h"

int route_state = 0;
int smiths_legs_mode = 0;
int direct_to_entered = 0;

void advance_route_state() {
    switch (route_state) {
    case 0:
        route_state = 1;
        // PENDING: entering a route below 5 kt ground speed starts a new
        // flight (flight phase -1, planned fuel loaded when
        // LoadFuelonFlightPlanLoad is 1, reserve fuel from the plan, clock and
        // elapsed time reset, write_flight_log(0)); it needs the aircraft
        // state, the flight-log phase and the fuel loader.
        break;
    case 1:
        route_state = 2;
        break;
    case 2:
        route_state = 3;
        break;
    case 3:
        route_state = 4;
        break;
    case 4:
        route_state = 3;
        break;
    default:
        break;
    }
}

void mark_route_edited() {
    if (route_state == 0 || route_state == 3) advance_route_state();
}
