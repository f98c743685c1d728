// The active profile's T/D laid where a test wants it, as the profile would
// have built it for the route now in place.
#pragma once

#include "fms/perf/vertical_profile.h"
#include "fms/plan/vertical_state.h"

// `index`: the entry at the end of the leg that holds it.
inline void show_tod_at(double lat, double lon, int index = 0) {
    vertical_profile.revision = profile_points_revision;
    vertical_profile.tod.exists = true;
    vertical_profile.tod.index = index;
    vertical_profile.tod.lat = tod_lat = lat;
    vertical_profile.tod.lon = tod_lon = lon;
}

// The climb's T/C likewise; none with `exists` false.
inline void show_toc_at(double lat, double lon, int index, bool exists = true) {
    vertical_profile.revision = profile_points_revision;
    vertical_profile.toc.exists = exists;
    vertical_profile.toc.index = index;
    vertical_profile.toc.lat = toc_lat = lat;
    vertical_profile.toc.lon = toc_lon = lon;
}
