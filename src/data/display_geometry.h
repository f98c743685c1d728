// The map geometry that the render passes store each frame for their
// painters and layers, in design units of each display's canvas.
#pragma once

// HW_B737_ND (244 x 302): compass radius and centre y, written in modes 3 to
// 7 (215 and 249 in ARC, APP and MAP; 110 and 171 in CTR MAP and PLAN) and
// kept in modes 1 and 2. The centre x is always 122.
inline int hw_b737_nd_compass_radius = 215;
inline int hw_b737_nd_centre_y = 249;
inline constexpr int hw_b737_nd_centre_x = 122;

// HW_MD11_ND (240 x 258): centre y 129 in PLAN, 178 in the other modes; the
// compass radius stands for the full range (150 in MAP, 94 in PLAN).
inline int hw_md11_nd_compass_radius = 150;
inline int hw_md11_nd_centre_x = 120;
inline int hw_md11_nd_centre_y = 178;

// MD80_EHSI_NB (266 x 232): the compass centre, (133, 116) in format 0 and
// (133, 204) in formats 1 to 3.
inline int md80_compass_centre_x = 133;
inline int md80_compass_centre_y = 204;
