// Values of the flight-plan model and the vertical profile that the route
// loaders, the GPS plan import and the flight log set or read: the plan
// values of a route file, the route's airports, the vertical target, and the
// route-file request's name.
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

// Vertical guidance.
extern int vnav_target_index;
extern double vnav_target_lat;
extern double vnav_target_lon;
extern double descent_rate_used_fpm;

// The file that route_file_request (fms_update.h) asks to load into the
// active plan; route_load_source keeps the request of the last load for the
// MCU pages.
extern std::string route_file_request_name;
extern int route_load_source;
