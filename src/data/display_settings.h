// Navigation-display state that the aircraft file presets: the display modes
// and the background colours (red, green, blue; the low 8 bits are used).
#pragma once

inline int efs50_ehsi_mode = 1;   // EFS50HsiMode, 1..7
inline int efs50_nav_source = 1;  // EFS50NavMode, 1..2
inline int du_1000_ehsi_mode = 0; // DU1000EHSIMode, 0..3
inline int hw_b737_nd_mode = 1;   // HWB737NDMode, 1..7
inline int hw_md11_nd_mode = 3;   // HWMD11NDMode, 2..5
inline int md80_ehsi_mode = 3;    // MD80EHSIMode, 0..3
inline int proline4_mfd_mode = 3; // PROLINE4MFDMode, 0..3

inline int hw_b737_nd_background_rgb[3] = {0, 0, 0};
inline int hw_md11_nd_background_rgb[3] = {0, 0, 0};
inline int p1000_mfd_background_rgb[3] = {0, 0, 0};
inline int efs50_ehsi_background_rgb[3] = {0, 0, 0};
inline int du_1000_ehsi_background_rgb[3] = {0, 0, 0};
inline int proline4_mfd_background_rgb[3] = {0, 0, 0};
inline int md80_ehsi_background_rgb[3] = {0, 0, 0};
