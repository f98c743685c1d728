// The P1000_MFD family's keys and knobs. The five soft keys are display
// toggles while no P1000_MFD_CNTR is drawn, and work the two VNAV pages
// while one is; the controller's own buttons switch the map format,
// traffic, ranges and the P1000's APT and NAV filters. Every handler
// ignores its mouse arguments and returns 0.
#pragma once

#include "sim/gauge_abi.h"

#include <cstdint>

// The vertical speed for the VNAV fields: to the target elevation over the
// distance when both are set, else along the vertical angle, at the descent
// speed target flown as true airspeed at 15000 ft.
double p1000_vnav_vertical_speed();

// The controller's range buttons on the traffic window's range while traffic
// shows in it, else on the map range.
void p1000_step_range_up();
void p1000_step_range_down();

int32_t ORVEX_FSAPI p1000_vnav_knob_inc(PixPoint* point, uint32_t mouse_flags);
int32_t ORVEX_FSAPI p1000_vnav_knob_dec(PixPoint* point, uint32_t mouse_flags);
int32_t ORVEX_FSAPI p1000_key1(PixPoint* point, uint32_t mouse_flags);
int32_t ORVEX_FSAPI p1000_key2(PixPoint* point, uint32_t mouse_flags);
int32_t ORVEX_FSAPI p1000_key3(PixPoint* point, uint32_t mouse_flags);
int32_t ORVEX_FSAPI p1000_nb_cntr_key3(PixPoint* point, uint32_t mouse_flags);
int32_t ORVEX_FSAPI p1000_key4(PixPoint* point, uint32_t mouse_flags);
int32_t ORVEX_FSAPI p1000_key5(PixPoint* point, uint32_t mouse_flags);
int32_t ORVEX_FSAPI p1000_range_knob_up(PixPoint* point, uint32_t mouse_flags);
int32_t ORVEX_FSAPI p1000_range_knob_down(PixPoint* point, uint32_t mouse_flags);

int32_t ORVEX_FSAPI p1000_cntr_format_key(PixPoint* point, uint32_t mouse_flags);
int32_t ORVEX_FSAPI p1000_cntr_tcas_key(PixPoint* point, uint32_t mouse_flags);
int32_t ORVEX_FSAPI p1000_cntr_range_up(PixPoint* point, uint32_t mouse_flags);
int32_t ORVEX_FSAPI p1000_cntr_range_down(PixPoint* point, uint32_t mouse_flags);
int32_t ORVEX_FSAPI p1000_cntr_apt_key(PixPoint* point, uint32_t mouse_flags);
int32_t ORVEX_FSAPI p1000_cntr_nav_key(PixPoint* point, uint32_t mouse_flags);
