// The map ranges of every display and the one ladder step that moves them
// all: a range-up or range-down request, from any panel or key, moves each
// display's range one rung along that display's own ladder.
#pragma once

#include "data/p1000_menu_state.h"

// Ranges in NM, as the displays read them each frame.
inline double hw_b737_nd_range = 10.0;        // 0.5 .. 320, stops at both ends
inline double efs50_ehsi_range = 12.5;        // 0.5 .. 160, wraps
inline double p1000_mfd_range = 12.5;         // as the EFS50_EHSI
inline double p1000_tcas_window_range = 12.5; // 5, 12.5, 25, 40, wraps
inline double hw_md11_nd_range = 80.0;        // 0.5 .. 640, stops
inline double du_1000_ehsi_range = 60.0;      // 0.05 .. 240, stops
inline double proline4_mfd_range = 40.0;      // 5 .. 320, wraps
inline double md80_ehsi_range = 20.0;         // 0.5 .. 320, stops
inline double c17_map_range_nm = 80.0;        // 0.5 .. 320, stops

// p1000_controller_present: while a P1000_MFD_CNTR is drawn the ladder
// leaves both P1000 ranges to that controller's own buttons.

// One rung up (or down) on every display, in the order HW_B737_ND,
// EFS50_EHSI, P1000_MFD (its TCAS window while traffic is shown there),
// HW_MD11_ND, DU_1000_EHSI, PROLINE4_MFD, MD80_EHSI, C17_MFD. The lowest
// rungs going down are gated by MinMapRange.
void map_range_up();
void map_range_down();

// Every display's range set to the value as it stands (the P1000_MFD's TCAS
// window instead of its map while traffic is shown there). A range of 0 or
// less would divide the displays' scale by zero and is ignored.
void set_map_range_all(double range_nm);
