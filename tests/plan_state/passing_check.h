// Which waypoints a step passed: none while the aircraft stands or taxies on
// the ground (below 40 kt), and, in the frames after LNAV engages, none still ahead of the
// aircraft: outside the switching distance its own legs give it and not yet
// abeam.
#pragma once

#include <string>
#include <vector>

// What a step found: the count of waypoints passed, the aircraft standing
// or taxiing (the stand-in's own height and speed), the flown plan's entry
// ids and the TO.
struct PassingSeen {
    int passed = 0;
    bool on_ground = false;
    std::vector<int> ids;
    int to = 0;
};
PassingSeen see_passing();

// The faults of a step that began at `before`; `engaging` for a step in the
// first frames after LNAV engaged that moved the aircraft by less than
// `travel_nm`.
std::vector<std::string> passing_faults(const PassingSeen& before, bool engaging, double travel_nm);
