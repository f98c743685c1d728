#include "fms/plan/route_state.h"

#include "data/module_settings.h"
#include "fms/files/flight_log.h"
#include "fms/files/gps_plan_import.h"
#include "fms/fms_update.h"
#include "fms/plan/route_values.h"
#include "sim/aircraft_state.h"
#include "sim/sim_var_reader.h"

int route_state = 0;
int smiths_legs_mode = 0;
int direct_to_entered = 0;

void advance_route_state() {
    switch (route_state) {
    case 0:
        route_state = 1;
        // A route entered on the ground starts a new flight.
        if (aircraft_state.ground_speed_kt < 5.0) {
            flight_phase = -1;
            if (LoadFuelonFlightPlanLoad == 1 && planned_fuel > 5.0) load_fuel(planned_fuel);
            fuel_on_board_low_lb = plan_fuel_on_board;
            last_clock_second = -99.0;
            flight_elapsed_seconds = 0.0;
            write_flight_log(0);
        }
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
