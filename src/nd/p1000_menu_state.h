// The P1000_MFD menu, which the per-frame update times out.
#pragma once

inline int p1000_menu_active = 0;    // 1 while the menu is open
inline int p1000_menu_selection = 0; // selection value of the controller
inline int p1000_submenu_active = 0; // 1 while the second menu level shows
inline int p1000_submenu_colour[3] = {134, 148, 53};
