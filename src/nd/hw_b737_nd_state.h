// HW_B737_ND display state beside the mode, range and filters: the map
// geometry that the render pass stores for its painters, and the range-arc
// switch of the EFIS control panels.
#pragma once

// Compass radius and centre y of the map, design units; written by the
// render pass in modes 3 to 7 (215 and 249 in ARC, APP and MAP; 110 and 171
// in CTR MAP and PLAN), kept in modes 1 and 2. The centre x is always 122.
inline int hw_b737_nd_compass_radius = 215;
inline int hw_b737_nd_centre_y = 249;
inline constexpr int hw_b737_nd_centre_x = 122;

// 1 shows the quarter, half and three-quarter range arcs in MAP mode.
inline int hw_b737_nd_range_arcs_on = 0;
