// Operating-system services the module needs: current directory, directory
// listing, files opened by the module's Windows paths, system time, the debug
// log. The Linux build maps backslash paths and matches each path component
// without regard to case when the exact name is missing, as Windows does.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace os {

// The process's current directory (the simulator folder), without a trailing
// separator, as the module's paths expect ("C:\\sim" style on Windows).
std::string current_directory();

// Maps a module path (backslashes, any letter case) to a host path that
// exists, component by component; for a file about to be created, the last
// component is kept as given once its folder is found. Returns the mapped
// path, or the path with separators converted when nothing matches.
std::string host_path(const std::string& module_path);

// fopen through host_path. mode as for fopen ("r", "rb", "w", "a").
std::FILE* open_file(const std::string& module_path, const char* mode);

// Find-first/next listing: the names (not paths) of the entries of the folder
// that match the wildcard pattern of the last component ("*.rte", "*.PLN"),
// matched without regard to case, in directory order sorted by name.
struct FindData {
    std::string name;
    bool is_directory = false;
};
std::vector<FindData> find_files(const std::string& module_pattern);

// True when the pattern ('*' and '?') matches the name, ignoring case.
bool wildcard_match(const char* pattern, const char* name);

struct SystemTime {
    uint16_t year, month, day_of_week, day, hour, minute, second, milliseconds;
};
SystemTime system_time_utc();
SystemTime system_time_local();

} // namespace os
