// The simulator's GPS flight plan made the active route.
#pragma once

#include <cstdint>

// The GPS plan block published as "FS2002 GPS DATA": its size in bytes at 0,
// the waypoint count at 168 and the address of the first 64-byte waypoint
// record at 172 (a native pointer). Records: latitude i32 at 12 (x 360 /
// 40007000 degrees), longitude i64 at 16 (x 360 / 2^64 degrees, the low 16
// bits ignored), ident at 56 (at most 7 characters within its 8 bytes).
inline constexpr std::size_t kGpsCountOffset = 168;
inline constexpr std::size_t kGpsRecordsOffset = 172;
inline constexpr std::size_t kGpsBlockMinSize = kGpsRecordsOffset + sizeof(void*) > 176
                                                    ? kGpsRecordsOffset + sizeof(void*)
                                                    : 176;
inline constexpr std::size_t kGpsRecordSize = 64;

// Bound once and kept: the block's address, null until the variable exists.
extern const void* gps_route_block;

// Fills the working plan from the GPS plan (at most 201 waypoints),
// classifies its waypoints, presets origin and destination and steps the
// route state. kGpsImportQuiet (the GNS) shows no success message, and its
// other messages are the GNS's own; the SMITHS's go to its message line.
// Nothing happens without a block or with a block too small to hold its
// fields; a plan of fewer than two waypoints shows "NO ACTIVE GPS RTE" and
// changes nothing.
inline constexpr int kGpsImportWithMessage = 0;
inline constexpr int kGpsImportQuiet = 7;
void import_gps_route(int mode);
