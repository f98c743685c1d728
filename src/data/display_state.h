// Navigation-display state that the key events, the SERVER requests, the
// [Lvars] bindings and the control panels set and the painters read.
#pragma once

#include "data/display_settings.h"

// Per-display filter flags (0 off, 1 on), indexed by NdDisplay.
enum NdDisplay : int {
    ND_HW_B737 = 0,
    ND_P1000 = 1,
    ND_HW_MD11 = 2,
    ND_DU_1000 = 3,
    ND_PROLINE4 = 4,
    ND_MD80 = 5,
    ND_DISPLAY_COUNT = 6,
};
inline int show_airports_flags[ND_DISPLAY_COUNT] = {};
inline int show_navaids_flags[ND_DISPLAY_COUNT] = {};
inline int show_airway_fixes_flags[ND_DISPLAY_COUNT] = {}; // the intersection filter

// Traffic overlay on every display.
inline int tcas_display_on = 0;
// The EFS50_EHSI mode to go back to when its traffic page (mode 8) is left.
inline int efs50_mode_before_tcas = kEfs50EhsiModeTcas;

// Common ND mode, which each display maps to its own.
inline int nd_mode_index = 0;
inline constexpr int kNdModeCompass = 0;
inline constexpr int kNdModeArc = 1;
inline constexpr int kNdModePlan = 2;
inline constexpr int kNdModeMap = 3;
inline constexpr int kNdModeVor = 4;
inline constexpr int kNdModeApp = 5;
inline constexpr int kNdModeCtrMap = 6;
inline constexpr int kNdModeTraffic = 7;
// PROLINE4_MFD compass radius in design units: 140 on the map page, 70 on
// the flight-plan text page.
inline int proline4_map_radius_px = 140;

inline int hw_md11_vor1_pointer = 0;
inline int hw_md11_vor2_pointer = 0;
// HW_MD11_ND bearing pointer 1 on ADF 1 (pointer 1 on VOR 1 is hw_md11_vor1_pointer).
inline int hw_md11_nd_brg1_adf = 0;
inline int nd_vor_adf_select = 0; // HW_B737_ND VOR/ADF selector

// ATC-boundary layer of the maps, and the copy the boundary lamps show.
inline int show_atc_boundaries = 0;
inline int atc_boundaries_shown = 0;

// Traffic published by another module under "tcas_targets" and
// "tcas_target_cnt"; HW_B737_ND_NB copies them on each update.
inline const void* tcas_target_records = nullptr;
inline int tcas_target = 0;

// HW_B737_ND: 1 shows the quarter, half and three-quarter range arcs in MAP.
inline int hw_b737_nd_range_arcs_on = 0;
// The NDB filters of the PROLINE4_MFD and DU_1000_EHSI navaid layers.
inline int proline4_mfd_show_ndbs = 0;
inline int du_1000_ehsi_show_ndbs = 0;

// EFS50_EHSI bearing pointers (0 off, 1 VOR: NAV 1 for pointer 1, NAV 2 for
// pointer 2, 2 the TO waypoint, 3 ADF 1) and the traffic page's range (NM:
// 2, 5, 10, 20, 40).
inline int efs50_brg1_source = 0;
inline int efs50_brg2_source = 0;
inline double efs50_tcas_range = 10.0;

// MD80_EHSI: 1 shows the ADF 1 pointer and its "ADF1" label.
inline int md80_ehsi_adf1_pointer_on = 0;
// PROLINE4_MFD bearing pointers: 0 off, 1 VOR (NAV 1 for pointer 1, NAV 2
// for pointer 2), 2 ADF 1, 3 the TO waypoint.
inline int proline4_mfd_brg1_source = 0;
inline int proline4_mfd_brg2_source = 0;
