// LNAV steering: the cross-track error, the steering point on the active (or
// direct-to) leg and the heading command, then the heading-bug key event.
#pragma once

void steer_lnav();
void output_heading_bug();
