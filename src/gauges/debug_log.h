// The debug log "orvex1.log" in the simulator's current directory: a
// C17_MFD opens it on its PRE_INITIALIZE, and while it is open the gauge
// callbacks write a line each time they run. The module never closes it.
//
// Most lines come every frame from every gauge, which would fill the disk
// (over a megabyte a minute): a line is written the first time it comes, and
// its repeats are counted, the count written as a line of its own when it
// reaches 10, 100, 1000 and so on.
#pragma once

#include <cstdio>

extern std::FILE* debug_log; // null while not open

// Opens (truncating) the log when it is not open; a failed open leaves it
// null for the next try.
void open_debug_log();

// Write only while the log is open; each line reaches the file at once.
void debug_log_line(const char* text);
void debug_log_printf(const char* format, ...) __attribute__((format(printf, 1, 2)));
