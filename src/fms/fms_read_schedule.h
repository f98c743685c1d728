// The reads of one working pass into aircraft_state: some every pass, the
// rest on fixed slots of the 18-pass cycle. A value that keeps last pass's
// copy moves it to its companion just before it is read anew.
#pragma once

// Every call, also those that find the simulator time unchanged: ground
// speed, smoothed speed, indicated altitude and the simulator time.
void read_time_values();

// Every working pass: headings, attitude, steering commands, position,
// heading bug, NAV mode and the clock's seconds.
void read_every_pass_values();

// Engine N1 and EGT (only asked for on a new second) and fuel flows.
struct EngineReadings {
    double n1_pct[4] = {};
    double egt_c[4] = {};
    double fuel_flow_pph[4] = {};
};
void read_engine_values(bool new_second, EngineReadings& out);

// The values of one frame slot (0..17), with the derived air data on the
// wind slots.
void read_slot_values(int slot);

// Simulation rate: token 336, scaled by 256 on the newer host generation.
double read_sim_rate();

// Wind components, true airspeed estimate and drift from the wind as read
// (direction true) and the true heading. A drift that cannot be computed
// (no airspeed) keeps its last value.
void derive_air_data(double wind_direction_true_deg);

// heading_deg less the drift; the heading while the airspeed estimate is 0.
double track_from_heading();
