// The VNAV autopilot commands: the altitude and vertical speed that meet the
// vertical target, and the airspeed or Mach of the present flight phase and
// the constraint ahead. fms_update calls both on every pass with an active
// route; the speed routine also at each sequencing.
#pragma once

void set_vnav_altitude_targets();
void set_vnav_speed_target();
