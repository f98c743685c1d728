// The active profile's T/D laid where a test wants it, as the profile would
// have built it for the route now in place.
#pragma once

#include "fms/perf/vertical_profile.h"
#include "fms/plan/vertical_state.h"

inline void show_tod_at(double lat, double lon) {
    vertical_profile.revision = profile_points_revision;
    vertical_profile.tod.exists = true;
    vertical_profile.tod.lat = tod_lat = lat;
    vertical_profile.tod.lon = tod_lon = lon;
}
