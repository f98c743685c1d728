// LNAV and VNAV engagement, as the key events, the SERVER requests, the
// [Lvars] "LnavOn" binding and the LNAV/VNAV buttons ask for it.
#pragma once

// Disengages, or engages while a route is active and its TO is not held at
// a gap (starting a direct leg from
// the present position to the TO waypoint); in every case publishes
// orvex_lnav and pauses the [Lvars] poll for three SERVER updates.
void toggle_lnav();

// Disengages, or engages while a route is active with the altitude and speed
// commands due again; in every case publishes orvex_vnav.
void toggle_vnav();

// orvex_lnav as the pass left LNAV: the route's guidance lets go of it at a
// gap or at the route's end, and the variable follows on that frame. Only a
// change is published, so a value set from outside stands until LNAV moves.
extern int lnav_state_published;
void publish_lnav_state();
