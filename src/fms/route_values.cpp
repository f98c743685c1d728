#include "fms/route_values.h"

int cruise_altitude = 0;
int plan_cruise_altitude = 0;
double planned_fuel = 0.0;
double plan_fuel_on_board = 0.0;
std::string pending_approach_info;

std::string origin_airport_ident;
std::string route_origin_ident;
std::string departure_origin_ident;
std::string destination_airport_ident;
std::string route_destination_ident;
std::string arrival_destination_ident;

int vnav_target_index = 0;
double vnav_target_lat = 0.0;
double vnav_target_lon = 0.0;
double descent_rate_used_fpm = 0.0;

std::string route_file_request_name;
int route_load_source = 0;
