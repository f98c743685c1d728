// Problems met while reading the module's files (a file that is missing,
// empty or not text, lines that could not be used, values out of range),
// kept for whoever runs the module to show: the stand-in prints them with
// the file's name. The module itself never prints. The list holds the
// latest 400 untaken warnings; older ones are dropped and counted.
#pragma once

#include <cstdint>
#include <string>

struct LoadWarning {
    std::string file; // as the host names it
    std::string text;
};

// file: the module's path (with '\\'); it is recorded as the host's path.
void record_load_warning(const std::string& file, const std::string& text);

// The oldest warning not yet taken; false when none is left.
bool take_load_warning(LoadWarning& warning);

// Warnings dropped because the list was full (a count that only grows).
int64_t load_warnings_dropped();

// Empties the list (tests).
void clear_load_warnings();

// Counts what one file's lines held, for the loaders that read tables of
// lines: lines read, lines taken, and whether a line held bytes no text file
// has (a NUL or another control character but tab). report() records the
// file as empty, as not text, or with its count of lines skipped.
struct FileLineCheck {
    std::string file;
    int lines = 0;
    int used = 0;
    bool binary = false;

    void line(const std::string& text);
    void report(const char* what_was_skipped = "lines that could not be read") const;
};

// Records a file that could not be opened, once; the optional "_user"
// companions of the data files are not recorded.
void record_missing_file(const std::string& file);
