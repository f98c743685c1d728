// What every file reader checks the same way: a position on the globe, a
// file name that stays inside the simulator folder, and how a table that is
// full is told.
#pragma once

#include <string>
#include <string_view>

// Finite, latitude within +-90 and longitude within +-180 degrees.
bool on_globe(double latitude, double longitude);

// A position written as two tokens. Two empty tokens are no position (0, 0,
// as the files write "none"); otherwise both must be numbers, each token
// whole, on the globe: "nan", "inf", "47N", "1e308" and "-1qq.5" are not.
bool position_tokens_on_globe(const std::string& latitude, const std::string& longitude);

// A field that is a number whole (parse_whole_number) within [low, high].
// value is set only when it is.
bool number_within(std::string_view text, double low, double high, double& value);

// A line the reader had to cut at its length whose last token runs to the
// cut and is a number field of its record (tokens `first` to `last`, from 1):
// that number may have lost its end ("-123.1" of "-123.100001"), so no record
// is made of it. A cut within other text leaves the numbers whole.
bool cut_within_fields(std::string_view kept_line, bool cut, std::size_t first, std::size_t last);
inline constexpr const char* kFieldCut = "a field cut short by the line's length";

// A longitude as the files may write it east of the antimeridian, from 0 to
// 360: a value in (180, 360] is taken as the same meridian in -180 to 180.
double wrapped_longitude(double longitude);

// Why a record with a position off the globe is left out.
inline constexpr const char* kOffGlobe = "position off the globe";

// True when a file name, opened `depth` folders below the simulator folder
// (host_folder), names a file outside it: a relative name that climbs out
// through ".." (either slash), or an absolute one (a drive, a leading '/',
// or two leading separators) that does not lie inside the simulator folder.
// A name beginning with one '\\' is the module's own form, taken from the
// simulator folder.
bool climbs_out_of_sim_folder(const std::string& name, int depth);

// Records the refusal of a name that climbs out of the simulator folder:
// `key` names where it came from, `path` the file it would have opened.
void record_name_outside(const std::string& key, const std::string& path);

// "N left out: the table of TABLE holds CAPACITY": a reader stopped adding
// because a table was full.
std::string table_full_note(int left_out, const std::string& table, int capacity);
