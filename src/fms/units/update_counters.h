// Counters of the per-frame update that other units force.
#pragma once

// Cycles 0..91 in the update; 999 forces the control-unit pages to redraw.
inline int display_refresh_counter = 999;
