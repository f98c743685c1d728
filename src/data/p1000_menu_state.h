// The P1000_MFD menu, which the per-frame update times out, and the map
// format that closing it leaves: the heading-up map about (134, 148) with a
// radius of 53 units, or the north-up plan format about (134, 116), 75 units.
#pragma once

inline int p1000_menu_active = 0;    // 1 while the menu is open
inline int p1000_menu_selection = 0; // selection value of the controller

inline int p1000_mfd_plan_mode = 0; // 1 while the north-up plan format shows
inline int p1000_map_centre_x = 134;
inline int p1000_map_centre_y = 148;
inline int p1000_map_radius = 53;
