// A flight in a script: the module is asked for a route file, and while
// frames run the stand-in follows the route the module flies: it counts the
// waypoints sequenced, keeps the largest cross-track error, notices the
// arrival and prints a progress line every N frames.
//
//   route load FILE     ask for a route file of the flight-plans folder
//   progress N          a progress line every N frames (0: none)
//   fly MAX [to IDENT]  frames until the route is flown or the aircraft lands
//                       (or the TO waypoint is IDENT), at most MAX
//   summary             one line: waypoints sequenced, arrival, flight time,
//                       largest cross-track error
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace host {

struct Simulator;

struct FlightTracker {
    int64_t progress_every = 0;
    int32_t to_index = 999; // as last seen
    std::string to_ident;   // as last seen
    int to_id = 0;          // the TO entry's id as last seen, 0 unknown
    int32_t last_index = -1;
    int sequenced = 0;                     // waypoints passed in the flight, through every plan
    bool route_seen = false;               // an active route was seen
    bool lnav_seen = false;                // LNAV has flown the route
    bool lnav_on = false;                  // LNAV flew the route in the last frame
    bool route_flown = false;              // LNAV ended at the last waypoint, after the take-off
    bool landed = false;                   // on the ground again after the take-off
    bool arrived = false;                  // landed on the destination's ground
    bool ended_now = false;                // the route was flown or the aircraft landed this frame
    std::string destination;               // the flown plan's airport at its end; empty: none
    double largest_cross_track_nm = 0.0;   // once established on a leg
    double largest_at_leg_change_nm = 0.0; // while turning onto a new leg
    double leg_started_at_s = -1.0;        // simulation time of the last sequencing
    double airborne_at_s = -1.0;           // simulation time of the take-off
    double landed_at_s = -1.0;
};

FlightTracker& flight_tracker();
void reset_flight_tracker();

// After every frame of a started simulator: follows the route and prints the
// progress line when one is due.
void track_flight_frame(Simulator& sim, std::FILE* out);

// "TO SEA 1/9 2.4 NM, 1350 ft, 170 kt, climb (log Takeoff), XTK 0.12 NM, LNAV on,
// VNAV off": the vertical profile's phase and the flight log's segment.
std::string flight_progress(Simulator& sim);
// "9 of 9 waypoints sequenced, arrived, flight time 0:38:12, largest cross-track
// error 0.41 NM (4.80 NM turning onto a new leg)": the entries passed in the
// whole flight (told apart by their ids in the plan SERVER publishes, else by
// name), of those and the ones still ahead in the plan flown; "no route"
// when no route was ever active. A flight has arrived once it is down on the
// ground of the airport its route ends at; else it says where it stands:
// "not arrived", "landed away from KPDX", or for a route that ends at a fix
// "route flown, no destination" or "landed, no destination". A leg counts as established
// two minutes of simulation time after its waypoint was sequenced: before
// that the aircraft is still turning from the switching point onto it.
std::string flight_summary();

// The TO waypoint's identifier (empty without an active route).
std::string flight_to_ident(Simulator& sim);

} // namespace host
