// A small valid input for every file reader, with what it loaded as a text,
// so that hostile variants of it can be compared with the plain one.
#pragma once

#include <string>
#include <vector>

struct ReaderSample {
    const char* reader;             // a name of reader_feeds()
    std::vector<std::string> parts; // the input's parts, LF line ends
    std::vector<std::size_t> files; // which parts are files (others are parameters)
    void (*reset)();                // puts what summary shows to values no file gives
    std::string (*summary)();       // what the reader loaded
};

const std::vector<ReaderSample>& reader_samples();
