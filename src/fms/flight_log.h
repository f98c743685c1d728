// The flight log: fpl.log and Flight.log under "\orvex\FlightLog\".
#pragma once

// Flight-log segment: 999 before any flight (no log), -1 to start a new one,
// 0..11 the segments; the log runs while it is below 11.
extern int flight_phase;

// 1 once the log has taken its starting readings (code 3).
extern int flight_log_started;

// Code 3 takes the starting readings and writes no line; other codes write
// the line of that flight segment.
void write_flight_log(int code);
