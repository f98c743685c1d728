// What the control panels' own buttons do to the display state. The shared
// switches (filters, traffic, boundaries, mode steps, map range) are in
// nd_toggles.h and map/range_ladder.h; these are the ones only a panel has.
#pragma once

// EFS50_EHSI_CNTR. HSI: 1 -> 2 -> 3 -> 1, any other mode (the map modes and
// the traffic page) -> 1. MAP: 4 -> 5 -> 6 -> 7, any other mode -> 4. Either
// leaves the traffic page without touching the traffic overlay.
void efs50_hsi_button();
void efs50_map_button();
// NAV 1 -> 2, anything else -> 1.
void efs50_nav_source_button();
// Bearing sources 0 -> 1 -> 2 -> 3 -> 0; 3 or more -> 0.
void efs50_brg1_button();
void efs50_brg2_button();
// One rung of the EFS50's own ranges: the traffic page's range while it is
// up (mode 8), else the map range. Values off the ladder go to its first
// rung going up and its last going down; the other displays keep theirs.
void efs50_range_up_button();
void efs50_range_down_button();

// A300_EFIS_CTRL: the DU_1000_EHSI NDB filter.
void a300_ndb_button();
// MD80_EHSI_CTRL: the MD80_EHSI ADF 1 pointer.
void md80_adf_button();

// MD11_EFIS_CTRL. MAP and PLAN set the mode and the map radius (150, 94);
// VOR and APP set the mode only. The blank button does nothing.
void md11_map_button();
void md11_plan_button();
void md11_vor_button();
void md11_app_button();
void md11_blank_button();
// Bearing pointer 1 shows VOR 1 or ADF 1, never both: pressing the source
// that is on turns it off, pressing the other switches over.
void md11_brg1_vor_button();
void md11_brg1_adf_button();
void md11_brg2_vor_button();

// HW_B737_EFIS_CNTR: the HW_B737_ND range arcs.
void b737_range_arcs_button();

// PROLINE4_MFD_CTRL bearing sources 0 -> 1 -> 2 -> 3 -> 0; values outside 0
// to 3 stay as they are. PROLINE4_AUX_CTRL: the NDB filter.
void proline4_brg1_button();
void proline4_brg2_button();
void proline4_ndb_button();

// Knobs that only send simulator key events, each with value 0: the EFS50's
// two knobs (0x1007E left, 0x1007F right; 0x10157 up, 0x10158 down) and the
// decision height (0x10311 while below 990 ft, 0x10312 while above 0 ft).
void efs50_knob_event_left();
void efs50_knob_event_right();
void efs50_knob_event_up();
void efs50_knob_event_down();
void decision_height_up();
void decision_height_down();
