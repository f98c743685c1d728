// The switches of the navigation displays that key events, SERVER requests,
// [Lvars] bindings and control-panel keys share: the airport, navaid,
// intersection and traffic overlays, the common ND mode, the bearing
// pointers, the VOR/ADF selector and the one-step mode ladders.
#pragma once

// Each display's flag flipped on its own (0 becomes 1, anything else 0);
// the HW_B737_ND flag is published as orvex_nd_apt, orvex_nd_nav, orvex_nd_int.
void toggle_nd_airports();
void toggle_nd_navaids();
void toggle_nd_intersections();

// Every display's flag set to v, published, and kept as the [Lvars] copy.
void set_nd_airports(int v);
void set_nd_navaids(int v);
void set_nd_intersections(int v);

// Traffic overlay flipped; the EFS50_EHSI enters its traffic page (mode 8)
// or goes back to the mode it left; orvex_nd_tcas published.
void toggle_nd_tcas();
void toggle_nd_vor_adf();

void set_vor1_bearing_pointer(int v);
void set_vor2_bearing_pointer(int v);

// The common mode (0 compass .. 6 centred map) translated into each
// display's own mode; 7 toggles the traffic overlay; any other value only
// sets nd_mode_index.
void set_nd_mode(int mode);

// Display kinds of the step ladders.
enum DisplayKind : int {
    DISPLAY_ALL = 0,
    DISPLAY_EFS50_EHSI = 5,
    DISPLAY_HW_B737_ND = 8,
    DISPLAY_DU_1000_EHSI = 10,
    DISPLAY_PROLINE4_MFD = 11,
    DISPLAY_MD80_EHSI = 12,
};
void display_step_up(int kind);
void display_step_down(int kind);

// The boundary layer of every map: 0 becomes 1, anything else 0.
void toggle_boundary_overlay();
// The same as the control panels' boundary buttons do it: 1 becomes 0,
// anything else 1, and the lamp copy follows.
void toggle_boundary_overlay_pair();
