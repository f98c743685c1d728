// The VNAV autopilot commands: the altitude and vertical speed that meet the
// vertical target, and the airspeed or Mach of the present flight phase and
// the constraint ahead. fms_update calls both on every pass with an active
// route; the speed routine also at each sequencing.
#pragma once

#include <cstdint>

void set_vnav_altitude_targets();
void set_vnav_speed_target();

// The altitude commanded in the descent: the vertical target, but never above
// the altitude flown (a target above is held level, not climbed to).
int32_t descent_altitude_command();

// The descent is flown: past the TOD and down to the vertical target.
bool descent_flown();
