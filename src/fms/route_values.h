// Values of the flight-plan model, the guidance and the vertical profile that
// the route loaders, the GPS plan import and the flight log set or read. Each
// belongs to the unit that computes it; they are gathered here until those
// units hold them.
#pragma once

#include <string>

// Plan values from a route file's key lines.
extern int cruise_altitude;               // ft; 0 = none
extern int plan_cruise_altitude;          // the working plan's "CruiseAlt"
extern double planned_fuel;               // trip plus reserve fuel of the working plan
extern double plan_fuel_on_board;         // the working plan's reserve fuel
extern std::string pending_approach_info; // "ApproachInfo" waiting for EXEC

// The route's airports, with the copies the route and DEP/ARR pages show.
extern std::string origin_airport_ident;
extern std::string route_origin_ident;
extern std::string departure_origin_ident;
extern std::string destination_airport_ident;
extern std::string route_destination_ident;
extern std::string arrival_destination_ident;
// 1: the destination's reference data is still to be loaded; 2: loaded.
extern int destination_airport_state;
extern int tower_view_set; // 1 once the destination tower view was set

// Lateral guidance of the active route.
extern int intercept_armed;
extern int direct_leg_active; // the leg to TO starts at a stored position
extern double to_waypoint_lat;
extern double to_waypoint_lon;
extern double to_waypoint_distance; // NM; 999 until the next pass computes it

// Vertical guidance.
extern int vnav_target_index;
extern double vnav_target_lat;
extern double vnav_target_lon;
extern double descent_rate_used_fpm;
extern int vnav_speed_sent;
extern int profile_climb_pending;

// Requests a page leaves for the next update pass: 1 or 3 loads
// route_file_request_name into the active plan; route_load_source keeps the
// request of the last load for the MCU pages.
extern int route_file_request;
extern std::string route_file_request_name;
extern int route_load_source;

extern double last_clock_second; // -99 forces a new second on the next pass
