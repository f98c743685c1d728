// The flight log: fpl.log and Flight.log under "\orvex\FlightLog\".
#pragma once

// 1 once the log has taken its starting readings (code 3).
extern int flight_log_started;

// Code 3 takes the starting readings and writes no line; other codes write
// the line of that flight segment.
void write_flight_log(int code);
