// Writes the seed inputs of every reader, made of the bundled example, to
// <folder>/<reader>/seed-<n>, and prints the readers' names one a line.
// usage: orvex-fuzz-seeds <folder>
#include "robustness/reader_feeds.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const std::string examples = ORVEX_SOURCE_DIR "/examples/sim/orvex";
    for (const ReaderFeed& feed : reader_feeds()) {
        const std::filesystem::path folder = std::filesystem::path(argv[1]) / feed.name;
        std::filesystem::create_directories(folder);
        int n = 0;
        for (const char* recipe : feed.seeds) {
            std::ofstream out(folder / ("seed-" + std::to_string(++n)), std::ios::binary);
            out << build_seed(recipe, examples);
            if (!out) {
                std::fprintf(stderr, "cannot write the seeds of %s\n", feed.name);
                return 1;
            }
        }
        std::printf("%s\n", feed.name);
    }
    return 0;
}
