// The state of the per-frame update: its pass bookkeeping, clock and timers,
// derived air data, the autopilot commands it sends and the requests pages
// leave for it. EXEC, the flight log, the route loaders and the vertical
// guidance read and write it too, so it sits in the lowest room that needs it.
#pragma once

// On the ground by the simulator's flag and slower than a take-off roll:
// parked or taxiing. Nothing is sequenced then, and a route typed anew
// replaces the flown one at once.
bool standing_on_ground();

// Pass bookkeeping.
extern double fms_last_sim_time; // -999 before the first pass
inline constexpr double kNoSimTime = -999.0;
extern int frame_slot;                   // 0..17, which slot values this pass reads
extern int startup_frame_count;          // passes, up to 10
extern int heading_bug_change_countdown; // 54 after the heading bug moved, then down to 0

// Clock, timers and counters.
extern double last_clock_second; // -99 forces a new second
extern double flight_elapsed_seconds;
extern int second_tick;             // 1 on the first pass of a new second; the units clear it
extern double n1_over_99_seconds;   // seconds in a row with an N1 above 99 %
extern double egt_over_645_seconds; // seconds in a row with an EGT above 645 C
extern double engine_fuel_used[4];  // pounds, integrated at 18 passes a second

// Derived air data (wind slots) and the track (every pass).
extern double headwind_kt;
extern double crosswind_kt;
extern double true_airspeed_est_prev_kt;
extern double drift_angle_deg;
extern double track_deg;
extern double altimeter_inhg;
extern double ground_speed_copy_kt;
extern double sim_rate; // simulation rate, 1.0 real time

// Autopilot events decided on one pass and sent on the following ones, and
// the values last commanded (shown by the control units).
extern int pending_mach_events;
extern int pending_descent_speed_event;
extern int commanded_altitude_refresh; // -999, or the time an altitude was commanded
extern int commanded_speed_refresh;
extern int commanded_altitude_ft;
extern int commanded_speed_kt;
extern int commanded_mach_x100;
inline constexpr int kNotCommanded = -999; // none of the commanded_ values above

// One-shots of the simulation rate and the pauses; the top of climb clears them.
extern int sim_rate_restored;
extern int paused_at_tod;
extern int paused_at_dest_distance;

// Destination: whether its airport's reference data is loaded; and the
// tower view, set once per route.
inline constexpr int kDestinationAirportStateNone = 0; // no route loaded or activated yet
inline constexpr int kDestinationAirportStateToLoad = 1;
inline constexpr int kDestinationAirportStateLoaded = 2;
extern int destination_airport_state;
extern int tower_view_set;

// Requests left by pages for the next working pass.
extern int autotune_request;   // > 0: tune the radios with that mode
extern int route_file_request; // load the pending route file for that requester
inline constexpr int kRouteFileRequestNone = 0;
inline constexpr int kRouteFileRequestMcu = 1;      // the MCU flight-plan page
inline constexpr int kRouteFileRequestTextPage = 3; // the status box's text page
