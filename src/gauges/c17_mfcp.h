// The C17_MFCP buttons that only the C17 control panel has: the map format
// steps of the four C17_MFD units and the two C17 map options. The filter
// and range buttons use the shared switches of nd_toggles.h and
// map/range_ladder.h.
#pragma once

// Units showing a map format step 5 -> 4 -> 3 (down) or 3 -> 4 -> 5 (up):
// the current record, whose map_scale follows, and the format of every saved
// unit record; other formats stay.
void c17_mfcp_map_format_down();
void c17_mfcp_map_format_up();
// c17_plan_route_on and c17_map3_overlay_on: 0 becomes 1, anything else 0.
void c17_mfcp_toggle_plan_route();
void c17_mfcp_toggle_map3_overlay();
