// The values behind the HW_B737_ND frame's fields: the heading and ETA
// texts, the vertical-deviation pointer, and the first traffic target that
// another module publishes.
#pragma once

#include <cstddef>
#include <string>

// "%03.0f" of the whole part of the heading, 0 shown as 360.
std::string heading_box_text(double heading_deg);

// HHMM.t of the arrival at the TO waypoint: the time to go added to the
// clock (hours from the UTC clock, minutes from the local one, as the
// display has always shown them), carried at 60 minutes and wrapped at
// 24 hours; minutes truncated, with the tenths of a minute beside them.
std::string eta_text(double ete_hours, double ete_minutes, double ete_tenths, double zulu_hours,
                     double local_minutes);

// The descent path as the vertical guidance keeps it.
struct DescentPath {
    int active = 0;                // 1 from the top of descent on
    double path_altitude_ft = 0.0; // the path's altitude at the aircraft
    double path_length_nm = 0.0;   // top of descent to the end of descent, along the route
};
DescentPath current_descent_path();

// The pointer row of the vertical-deviation scale (226 on the path, 30 rows
// per 400 ft, pinned at 194 and 258 beyond) and, when pinned, the deviation
// in feet ("%4d", at most 9999) with the row of its text. The deviation shows
// from the top of descent on, as PROGRESS shows it, while there is a path to
// measure against: the aircraft's distance to the end of descent is no test
// of that, as it runs through the TO waypoint and so, off the leg (turning
// onto it just after the top of descent), exceeds the path's length.
struct DeviationPointer {
    int row = 226;
    std::string text;
    int text_row = 0;
};
DeviationPointer vertical_deviation_pointer(const DescentPath& path, double altitude_ft);

// The three fields of the first published traffic record: its identifier
// (a pointer to a zero-terminated text at byte 120), its altitude (f64 at
// byte 168) and ground speed (f64 at byte 184). The records come from another
// module: nothing is read without a record (a count below 1), the block is
// taken as count records of traffic_record_size bytes (at most
// traffic_max_records), and the identifier is read only when its pointer lies
// inside that block, and never past its end; otherwise it is empty.
struct TrafficSummary {
    bool present = false; // a first record was read
    std::string ident;
    double altitude_ft = 0.0;
    double ground_speed_kt = 0.0;
};
inline constexpr int traffic_ident_offset = 120;
inline constexpr int traffic_altitude_offset = 168;
inline constexpr int traffic_ground_speed_offset = 184;
inline constexpr std::size_t traffic_record_size = 192;
inline constexpr int traffic_max_records = 100;
TrafficSummary first_traffic_target(const void* records, int count);
