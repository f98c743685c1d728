// The runways chosen for the route, as entries of the airport slots' runway
// tables: the departure runway of the origin (slot 1) and the arrival runway
// of the destination (slot 2), found by their designators. 0 = none.
#pragma once

int selected_departure_runway();
int selected_arrival_runway();

struct RouteWaypoint;
// The runway an entry of the route is labelled with on a map: the departure
// runway at the origin airport's entry, the arrival runway at the
// destination's; 0 at any other entry (a runway's label belongs to its
// airport, not to whatever stands first or last after a direct-to).
int departure_runway_at(const RouteWaypoint& w);
int arrival_runway_at(const RouteWaypoint& w);
