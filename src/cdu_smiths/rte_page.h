// The RTE page (22): origin, destination, runway and company route on
// sub-page 1, then the route rows (VIA airway, TO waypoint). The page's
// actions and the row mapping they share with its drawing.
#pragma once

#include <string>

// The accepted CO ROUTE entry.
inline std::string co_route_text;

inline int smiths_rte_subpage_count = 2;

// Working-plan indices of RTE row r: its first entry and its TO (the row's
// last entry). The entry row just past the last row maps to the working
// plan's last index (a new waypoint goes in before the destination); row 0
// maps to the origin. False for any other row.
struct RouteRowSpan {
    int first = 0;
    int to = 0;
};
bool route_row_span(int row, RouteRowSpan& span);

// Sub-page 1 keys and the route-row keys; both act on smiths_cdu_lsk.
void rte_origin_dest_keys();
void rte_route_row_keys(int first_row);
