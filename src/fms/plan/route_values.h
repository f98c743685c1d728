// Values of the flight-plan model that the route loaders, the GPS plan import
// and the flight log set or read: the plan fuel of a route file, the copies
// of the route's airports that the route and DEP/ARR pages show, and the
// route-file request's name. The cruise altitudes and the vertical target
// live in vertical_state.h; the airports and "ApproachInfo" waiting for EXEC
// in route_exec.h.
#pragma once

#include <string>

// Plan fuel from a route file's key lines.
extern double planned_fuel;       // trip plus reserve fuel of the working plan
extern double plan_fuel_on_board; // the working plan's reserve fuel
// The largest weight (lb) a page or a route file may set.
inline constexpr double kMaxPlanWeightLb = 2000000.0;

// The copies of the route's airports that the route and DEP/ARR pages show.
extern std::string route_origin_ident;
extern std::string departure_origin_ident;
extern std::string route_destination_ident;
extern std::string arrival_destination_ident;

// The file that route_file_request (fms_update.h) asks to load into the
// active plan; route_load_source keeps the request of the last load for the
// MCU pages.
extern std::string route_file_request_name;
extern int route_load_source;
