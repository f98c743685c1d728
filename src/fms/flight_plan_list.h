// The stored-route catalogue of the flight-plan folder.
#pragma once

// Empties stored_routes and lists the route files of the flight-plan folder
// into it.
void list_flight_plans();
