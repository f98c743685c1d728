#include "fms/plan/update_state.h"

#include "sim/aircraft_state.h"
#include "sim/sim_var_reader.h"

double fms_last_sim_time = kNoSimTime;
int frame_slot = 0;
int startup_frame_count = 0;
int heading_bug_change_countdown = 0;

double last_clock_second = -99.0;
double flight_elapsed_seconds = -99.0;
int second_tick = 0;
double n1_over_99_seconds = 0.0;
double egt_over_645_seconds = 0.0;
double engine_fuel_used[4] = {};

double headwind_kt = 0.0;
double crosswind_kt = 0.0;
double true_airspeed_est_prev_kt = 0.0;
double drift_angle_deg = 0.0;
double track_deg = 0.0;
double altimeter_inhg = 0.0;
double ground_speed_copy_kt = 0.0;
double sim_rate = 1.0;

int pending_mach_events = 0;
int pending_descent_speed_event = 0;
int commanded_altitude_refresh = kNotCommanded;
int commanded_speed_refresh = kNotCommanded;
int commanded_altitude_ft = kNotCommanded;
int commanded_speed_kt = kNotCommanded;
int commanded_mach_x100 = kNotCommanded;

int sim_rate_restored = 0;
int paused_at_tod = 0;
int paused_at_dest_distance = 0;

int destination_airport_state = kDestinationAirportStateNone;
int tower_view_set = 0;

int autotune_request = 0; // no tuning asked
int route_file_request = kRouteFileRequestNone;

// A fast roll counts as flight, and so does an aircraft held still in flight
// (placed, slewed), whose waypoint behind the course-reversal check still
// passes.
bool standing_on_ground() {
    return sim_var_object.get_simvar_60_int() != 0 && aircraft_state.ground_speed_kt < 40.0;
}
