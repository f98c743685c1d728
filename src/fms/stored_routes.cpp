#include "fms/stored_routes.h"

BoundedTable<RouteRecord, 304> stored_routes;
