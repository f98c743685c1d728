// One line reader for every loader, lenient C-locale number parsing and the
// saturating float-to-int conversion.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

// Reads one line of at most max_length characters (the loader's fixed buffer
// less its terminator). The line ending and a trailing '\r' are removed. A
// longer line is cut to max_length and the rest of it is skipped, so the next
// read starts on the next line. Returns false at end of file with nothing read.
bool read_line(std::FILE* file, std::string& line, std::size_t max_length);

// Lenient parsing in the C locale, as atof/atoi do: leading blanks skipped,
// the longest valid prefix taken, no digits give 0.
double parse_double(const char* text);
double parse_double(const std::string& text);
int32_t parse_int(const char* text);
int32_t parse_int(const std::string& text);

// Float to integer, saturating at the type's limits; NaN gives 0.
int32_t saturate_to_int(double value);
