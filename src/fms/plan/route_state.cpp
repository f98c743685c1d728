#include "fms/plan/route_state.h"

#include "data/module_settings.h"
#include "fms/plan/flight_log.h"
#include "fms/plan/fuel_loading.h"
#include "fms/plan/plan_edit.h"
#include "fms/plan/route_values.h"
#include "fms/plan/update_state.h"
#include "sim/aircraft_state.h"
#include "sim/sim_var_reader.h"

int route_state = kRouteStateNone;
int smiths_legs_mode = kLegsModeList;
int direct_to_entered = 0;

void advance_route_state() {
    switch (route_state) {
    case kRouteStateNone:
        route_state = kRouteStateEntered;
        // A route entered on the ground starts a new flight.
        if (aircraft_state.ground_speed_kt < 5.0) {
            flight_phase = kFlightPhaseStartLog;
            if (LoadFuelonFlightPlanLoad == 1 && planned_fuel > 5.0) load_fuel(planned_fuel);
            fuel_on_board_low_lb = plan_fuel_on_board;
            last_clock_second = -99.0;
            flight_elapsed_seconds = 0.0;
            write_flight_log(kFlightLogPeriodic);
        }
        break;
    case kRouteStateEntered:
        route_state = kRouteStateActivated;
        break;
    case kRouteStateActivated:
        route_state = kRouteStateActive;
        break;
    case kRouteStateActive:
        route_state = kRouteStateActiveModified;
        break;
    case kRouteStateActiveModified:
        route_state = kRouteStateActive;
        break;
    default:
        break;
    }
    // The CDU whose edit leaves a change pending; it says when another
    // unit's edit ends it.
    if (route_state == kRouteStateActivated || route_state == kRouteStateActiveModified)
        modification_unit = editing_unit();
}

void mark_route_edited() {
    if (route_state == kRouteStateNone || route_state == kRouteStateActive) advance_route_state();
}
