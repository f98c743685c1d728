// The debug log "orvex1.log" in the simulator's current directory: a
// C17_MFD opens it on its PRE_INITIALIZE, and while it is open the gauge
// callbacks write a line each time they run. It is also where the module's
// load warnings reach a user of the simulator: each is written once, as
// "warning: FILE: TEXT", opening the log when it is not yet open.
//
// Most lines come every frame from every gauge, which would fill the disk
// (over a megabyte a minute), so a line is written when it starts to come and
// its repeats are counted. A line whose repeats stop (it has not come for a
// while: kQuietCalls calls of the log) is summed as "TEXT (N more times)",
// and comes as a new line when it comes again; at close every count not yet
// written is summed the same way. So every line the module gives is in the
// log at least once where it started, and no repeat is lost from the counts.
#pragma once

#include <cstdio>
#include <string>

extern std::FILE* debug_log; // null while not open

// Opens (truncating) the log when it is not open; a failed open leaves it
// null for the next try.
void open_debug_log();

// Sums the repeats not yet written and closes the log (module unload).
void close_debug_log();

// Write only while the log is open; each line reaches the file at once.
void debug_log_line(const char* text);
void debug_log_printf(const char* format, ...) __attribute__((format(printf, 1, 2)));

// A load warning: written at once, opening the log if needed.
void debug_log_warning(const std::string& file, const std::string& text);

// Calls of the log after which a line not seen in them has stopped.
inline constexpr long long kQuietCalls = 2000;
