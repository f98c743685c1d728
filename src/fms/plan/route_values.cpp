#include "fms/plan/route_values.h"

#include "fms/plan/update_state.h"

double planned_fuel = 0.0;
double plan_fuel_on_board = 0.0;

std::string route_origin_ident;
std::string departure_origin_ident;
std::string route_destination_ident;
std::string arrival_destination_ident;

std::string route_file_request_name;
int route_load_source = kRouteFileRequestNone;
