// The runways chosen for the route, as entries of the airport slots' runway
// tables: the departure runway of the origin (slot 1) and the arrival runway
// of the destination (slot 2), found by their designators. 0 = none.
#pragma once

int selected_departure_runway();
int selected_arrival_runway();
