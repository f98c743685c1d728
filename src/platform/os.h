// Operating-system services the module needs: current directory, directory
// listing, files opened by the module's Windows paths, system time. The Linux
// build maps backslash paths and matches each path component without regard
// to case when the exact name is missing, as Windows does.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace os {

// The process's current directory (the simulator folder), without a trailing
// separator. On Windows "C:\\sim"; on Linux the host form "/home/x/sim". The
// module appends "\\orvex\\..." to it and passes the result to the calls
// below, which accept either form.
std::string current_directory();

// Maps a module path to a host path. Separators may be '\\' or '/'.
//  - A path that begins with a single '\\' is taken relative to the current
//    directory ("\\orvex\\Navdata\\navs.txt"), so the module's paths work
//    whether or not host_folder has been filled in yet.
//  - A path that begins with '/' is a host absolute path; this is what
//    current_directory() + "\\orvex\\..." gives on Linux.
//  - Any other path (also one with a drive letter, which has no meaning on
//    Linux) is taken as it stands, relative to the process's directory.
// Each component that does not exist with its exact name is replaced by the
// first entry of its folder (by name order) that matches it without regard
// to ASCII case. Components from the first one that cannot be found on are
// kept as given, so a file about to be created keeps its name once its folder
// is found.
std::string host_path(const std::string& module_path);

// fopen through host_path. mode as for fopen ("r", "rb", "w", "a"). A path
// with a memory file (below) opened for reading gives that file's bytes.
// For reading, only a regular file on disk is opened: a folder, a device, a
// pipe or a link to one could hang a reader or feed it without end, so it is
// refused without being read (last_open_failure says so).
std::FILE* open_file(const std::string& module_path, const char* mode);

// Why the last open_file for reading gave no file.
enum class OpenFailure {
    None,
    Missing,    // no such file, or not allowed
    NotRegular, // a folder, device, pipe or socket
};
OpenFailure last_open_failure();

// Memory files, so that tests and fuzzers feed the loaders through their own
// open and read path without writing files. A memory file stands for a module
// path compared without regard to ASCII case or separator kind ('\\' or '/'),
// and is opened for reading only; writes go to the disk as ever. While
// memory_files_only is on, nothing reaches the disk: a read of a path without
// a memory file fails (a file name taken from fuzzed input opens nothing) and
// every file opened for writing discards what is written. The bytes must not
// be replaced or cleared while a stream opened on them is open.
void set_memory_file(const std::string& module_path, std::string bytes);
void clear_memory_files(); // also turns memory_files_only off
void set_memory_files_only(bool only);

// The memory file for a path and whether one must be used (portable half;
// open_file uses it). bytes is null when the path has none.
struct MemoryFileLookup {
    const std::string* bytes = nullptr;
    bool only = false;
};
MemoryFileLookup find_memory_file(const std::string& module_path);

// Sets what last_open_failure gives (each build's open_file).
void set_last_open_failure(OpenFailure failure);

// Find-first/next listing: the names (not paths) of the entries of the folder
// that match the wildcard pattern of the last component ("*.rte", "*.*"),
// matched without regard to case, sorted by name without regard to case so
// that a run is repeatable. "." and ".." are never listed. A folder that
// cannot be listed gives an empty list.
struct FindData {
    std::string name;
    bool is_directory = false;
};
std::vector<FindData> find_files(const std::string& module_pattern);

// The listing's name order: bytes compared after folding ASCII case, ties
// broken by the bytes, so that both builds list alike (portable half).
bool name_less(const std::string& a, const std::string& b);

// True when the pattern ('*' any run, '?' one character) matches the name,
// ignoring ASCII case. As on Windows, a pattern ending in ".*" also matches a
// name without a dot ("*.*" matches "Missions").
bool wildcard_match(const char* pattern, const char* name);

struct SystemTime {
    uint16_t year, month, day_of_week, day, hour, minute, second, milliseconds;
};
// day_of_week: 0 Sunday .. 6 Saturday; month 1..12.
SystemTime system_time_utc();
SystemTime system_time_local();

} // namespace os
