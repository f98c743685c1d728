#include "fms/files/stored_routes.h"

BoundedTable<RouteRecord, 304> stored_routes;
int stored_route_selection = 0;
