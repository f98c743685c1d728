// The P1000_MFD family's state: the controller's heartbeat, which switches
// the soft keys to their VNAV layer and which the per-frame update watches,
// the map format that its loss leaves (the heading-up map about (134, 148)
// with a radius of 53 units; the north-up plan format is drawn about
// (134, 116) with 75 units), and the VNAV page's fields.
#pragma once

// 1 while a P1000_MFD_CNTR gauge is drawn: the soft keys work the VNAV
// pages, and the global range steps leave both P1000 ranges to the
// controller's own buttons.
inline int p1000_controller_present = 0;
inline int p1000_controller_frame_count = 0; // pre-draws of the controller, 1 .. 30000
inline int p1000_controller_frame_seen = 0;  // the count as the watchdog last saw it
inline int p1000_controller_stale_checks = 0;

inline int p1000_mfd_plan_mode = 0;
inline constexpr int kP1000PlanModeOff = 0;
inline constexpr int kP1000PlanModeNorthUp = 1; // the north-up plan format shows
inline int p1000_map_centre_x = 134;
inline int p1000_map_centre_y = 148;
inline int p1000_map_radius = 53;

// Data-block page (p1000_mfd_page).
enum P1000Page : int { kP1000PageMain = 1, kP1000PageVnav = 2 };
inline int p1000_mfd_page = kP1000PageMain;
// The VNAV page's selected field: distance 0 none, 1 "TO", 2 "FM"; the
// elevation and angle selections are 0 or 1. At most one is selected.
inline int p1000_vnav_distance_select = 0;
inline int p1000_vnav_elevation_select = 0;
inline int p1000_vnav_angle_select = 0;
inline double p1000_vnav_distance_nm = 0.0;  // whole NM, never below 0
inline double p1000_vnav_elevation_ft = 0.0; // steps of 100 ft, never below 0
inline double p1000_vnav_vs_fpm = 0.0;       // the result the page shows
