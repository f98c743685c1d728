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

// The modes of those displays, by number; ints because the aircraft file,
// the named variables and the panels give and take them as numbers.
inline constexpr int kB737NdModeCompass = 1;
inline constexpr int kB737NdModeVor = 2;
inline constexpr int kB737NdModeArc = 3;
inline constexpr int kB737NdModeApp = 4;
inline constexpr int kB737NdModeMap = 5;
inline constexpr int kB737NdModeCtrMap = 6;
inline constexpr int kB737NdModePlan = 7;
inline constexpr int kMd11NdModePlan = 2;
inline constexpr int kMd11NdModeMap = 3;
inline constexpr int kMd11NdModeVor = 4;
inline constexpr int kMd11NdModeApp = 5;
// What an out-of-range file value becomes: no MD11 mode at all.
inline constexpr int kMd11NdModeNone = 1;
// md80_ehsi_mode and du_1000_ehsi_mode (whose mode 0 is the HSI).
inline constexpr int kEhsiModeCompass = 0;
inline constexpr int kEhsiModeArc = 1;
inline constexpr int kEhsiModePlan = 2;
inline constexpr int kEhsiModeMap = 3;
inline constexpr int kProline4ModeNav = 0;
inline constexpr int kProline4ModeArc = 1;
inline constexpr int kProline4ModePlanText = 2;
inline constexpr int kProline4ModeMap = 3;
// EFS50_EHSI formats: 1 to 3 about the full compass, 4 to 7 about the arc;
// 2, 3, 5 and 6 carry the map, and 2, 6 and 7 show "WX OFF" (the weather
// radar is off).
inline constexpr int kEfs50EhsiModeHsi = 1;
inline constexpr int kEfs50EhsiModeRoseMapWxOff = 2;
inline constexpr int kEfs50EhsiModeRoseMapSectors = 3; // two dashed 60-degree lines
inline constexpr int kEfs50EhsiModeArc = 4;
inline constexpr int kEfs50EhsiModeArcMap = 5;
inline constexpr int kEfs50EhsiModeArcMapWxOff = 6;
inline constexpr int kEfs50EhsiModeArcWxOff = 7;
inline constexpr int kEfs50EhsiModeTcas = 8; // the traffic page
// efs50_nav_source: the guidance the EFS50_EHSI shows.
inline constexpr int kEfs50NavSourceVor = 1;
inline constexpr int kEfs50NavSourceFms = 2;

inline int hw_b737_nd_background_rgb[3] = {0, 0, 0};
inline int hw_md11_nd_background_rgb[3] = {0, 0, 0};
inline int p1000_mfd_background_rgb[3] = {0, 0, 0};
inline int efs50_ehsi_background_rgb[3] = {0, 0, 0};
inline int du_1000_ehsi_background_rgb[3] = {0, 0, 0};
inline int proline4_mfd_background_rgb[3] = {0, 0, 0};
inline int md80_ehsi_background_rgb[3] = {0, 0, 0};
