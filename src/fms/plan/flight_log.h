// The flight log: fpl.log, one line per event of the flight classified by
// segment, and Flight.log, the per-flight summary condensed from it at the
// end of the flight. Both under host_folder + "\\orvex\\FlightLog\\".
#pragma once

#include <string>

// Segment of the flight: no log (nothing is written, the flight clock
// stands), start a new log, then InitLoad .. End_Flight. Kept an int: the
// segments are numbered in the log's order and steps compare them as numbers.
extern int flight_phase;
inline constexpr int kFlightPhaseNoLog = 999;
inline constexpr int kFlightPhaseStartLog = -1;
inline constexpr int kFlightPhaseInitLoad = 0;
inline constexpr int kFlightPhasePushBack = 1;
inline constexpr int kFlightPhaseTaxi = 2;
inline constexpr int kFlightPhaseTakeoff = 3;
inline constexpr int kFlightPhaseClimb = 4;
inline constexpr int kFlightPhaseCruise = 5;
inline constexpr int kFlightPhaseDescent = 6;
inline constexpr int kFlightPhaseApproach = 7;
inline constexpr int kFlightPhaseLanding = 8;
inline constexpr int kFlightPhaseArrTaxi = 9;
inline constexpr int kFlightPhaseStopped = 10; // unnamed in the log: stopped, waiting to end
inline constexpr int kFlightPhaseEndFlight = 11;
// The flight time, flight_elapsed_seconds, is counted by fms_update.

// 1 once the log has taken its starting readings (code 3).
extern int flight_log_started;
// 0.0: read zero-fuel weight and payload over the data link on the next call.
extern double payload_read_flag;
extern double zero_fuel_weight_lb;
extern double payload_weight_lb;
extern double flight_log_start_fuel;  // fuel on board when the log started, lb
extern std::string takeoff_time_text; // "HH:MM" UTC, "-----" before takeoff
extern std::string landing_time_text;

// "InitLoad" .. "End_Flight" for segments 0..11; empty otherwise.
const char* flight_segment_name(int phase);

// kFlightLogStart: takes the payload readings, marks the log started and
// writes no line. kFlightLogWaypoint (waypoint sequencing): writes a line
// naming the TO waypoint. kFlightLogPeriodic: steps the segments and writes a
// line when one asks for it. After the End_Flight line the summary is
// appended to Flight.log.
inline constexpr int kFlightLogPeriodic = 0;
inline constexpr int kFlightLogWaypoint = 1;
inline constexpr int kFlightLogStart = 3;
void write_flight_log(int code);

// Reads fpl.log and appends its summary to Flight.log (only with an
// aircraft_parameter).
void write_flight_summary();
