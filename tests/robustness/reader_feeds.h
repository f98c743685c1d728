// Every file reader of the module fed from one byte string, through the same
// open and read path as its file (memory files of the os layer), for the
// fuzz targets and the regression and hostile-input tests alike.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Inputs of readers that take several files (or a file and a parameter) hold
// their parts one after another, each ended by a line "@@@@" (the separator
// "\n@@@@\n"); missing parts are empty, parts past the last are ignored.
inline constexpr std::string_view kPartSeparator = "\n@@@@\n";
std::vector<std::string> split_parts(std::string_view input, std::size_t count);
std::string join_parts(const std::vector<std::string>& parts);

struct ReaderFeed {
    const char* name;  // the fuzz target's stem and its folder of regression inputs
    const char* parts; // what the input's parts are
    // Runs the reader on the input. Returns what the loaded tables break of
    // their rules (capacities, counts, derived values); empty when nothing.
    std::string (*feed)(std::string_view input);
    // Seed inputs made of the bundled example: parts separated by '|', a part
    // "@path" being that file below examples/sim/orvex, any other its text.
    std::vector<const char*> seeds;
};

// What the simulator-plan feed's import returned last (0: temp.rte written).
extern int last_sim_plan_import;

// All readers, in the order make fuzz runs them.
const std::vector<ReaderFeed>& reader_feeds();
// The feed of that name; null when there is none.
const ReaderFeed* find_reader_feed(std::string_view name);

// The input a seed recipe gives, with the example folder (examples/sim/orvex)
// at that path. A file that cannot be read gives an empty part.
std::string build_seed(const char* recipe, const std::string& example_orvex_folder);
