#include "fuzz_reader.h"

#include "robustness/reader_feeds.h"

#include <cstdio>
#include <cstdlib>

int fuzz_reader(const char* name, const uint8_t* data, std::size_t size) {
    static const ReaderFeed* feed = find_reader_feed(name);
    if (!feed) {
        std::fprintf(stderr, "no reader named %s\n", name);
        std::abort();
    }
    const std::string problem = feed->feed(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!problem.empty()) {
        std::fprintf(stderr, "%s: %s\n", name, problem.c_str());
        std::abort();
    }
    return 0;
}
