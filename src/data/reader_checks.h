// What every file reader checks the same way: a position on the globe, a
// file name that stays inside the simulator folder, and how a table that is
// full is told.
#pragma once

#include <string>

// Finite, latitude within +-90 and longitude within +-180 degrees.
bool on_globe(double latitude, double longitude);

// A position written as two tokens. Two empty tokens are no position (0, 0,
// as the files write "none"); otherwise both must be numbers on the globe:
// "nan", "inf" and 1e308 are not.
bool position_tokens_on_globe(const std::string& latitude, const std::string& longitude);

// Why a record with a position off the globe is left out.
inline constexpr const char* kOffGlobe = "position off the globe";

// True when a relative file name, opened `depth` folders below the simulator
// folder, climbs out of it through "..". Absolute names are the user's own
// choice and pass.
bool climbs_out_of_sim_folder(const std::string& name, int depth);

// Records the refusal of a name that climbs out of the simulator folder:
// `key` names where it came from, `path` the file it would have opened.
void record_name_outside(const std::string& key, const std::string& path);

// "N left out: the table of TABLE holds CAPACITY": a reader stopped adding
// because a table was full.
std::string table_full_note(int left_out, const std::string& table, int capacity);
